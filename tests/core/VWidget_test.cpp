// VWidget: construction, the tree operations, the properties' contracts and the dump.
#include "core/VWidget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <sstream>

#include "support/RecordingWidget.h"
#include "support/StreamCapture.h"

namespace {

using vt::RecordingWidget;
using vt::TestRoot;
using Lines = std::vector<std::string>;

// Exposes the protected child list and client borders for inspection.
class Inspectable : public VWidget {
 public:
  explicit Inspectable(VWidget* owner) : VWidget(owner) {}
  std::vector<VWidget*> children() const { return {Children.begin(), Children.end()}; }
  int layouts = 0;
  void layout() override { ++layouts; }
};

TEST(VWidget, WithoutOwnerStartsAtOriginTwentyByTenWithNoLookAndFeel) {
  VWidget w(nullptr);
  EXPECT_EQ(w.getLeft(), 0);
  EXPECT_EQ(w.getTop(), 0);
  EXPECT_EQ(w.getWidth(), 20);
  EXPECT_EQ(w.getHeight(), 10);
  EXPECT_EQ(w.getLookAndFeel(), nullptr);
  EXPECT_EQ(w.getOwner(), nullptr);
  EXPECT_TRUE(w.getEnabled());
  EXPECT_TRUE(w.getVisible());
  EXPECT_EQ(w.getFocusPath(), nullptr);
}

TEST(VWidget, NewChildStartsAtOwnersClientOriginAndSharesItsLookAndFeel) {
  auto* owner = new Inspectable(nullptr);
  owner->setClientBorderLeft(5);
  owner->setClientBorderTop(22);
  auto* fakeStyle = reinterpret_cast<VLookAndFeel*>(owner);  // any address: never dereferenced
  owner->setLookAndFeel(fakeStyle);
  auto* child = new VWidget(owner);
  EXPECT_EQ(child->getLeft(), 5);
  EXPECT_EQ(child->getTop(), 22);
  EXPECT_EQ(child->getLookAndFeel(), fakeStyle);
  EXPECT_EQ(child->getOwner(), owner);
  delete owner;
}

TEST(VWidget, NewestChildIsFrontmost) {
  Inspectable owner(nullptr);
  auto* a = new VWidget(&owner);
  auto* b = new VWidget(&owner);
  EXPECT_EQ(owner.children(), (std::vector<VWidget*>{b, a}));
  EXPECT_TRUE(owner.isInFront(b));
  EXPECT_FALSE(owner.isInFront(a));
}

TEST(VWidget, IsInFrontOfAnEmptyListIsFalse) {
  VWidget w(nullptr);
  EXPECT_FALSE(w.isInFront(nullptr));
}

TEST(VWidget, BringToFrontMovesTheLastChildFirstAndKeepsTheOthersInOrder) {
  Inspectable owner(nullptr);
  auto* a = new VWidget(&owner);
  auto* b = new VWidget(&owner);
  auto* c = new VWidget(&owner);
  owner.bringToFront(a);
  EXPECT_EQ(owner.children(), (std::vector<VWidget*>{a, c, b}));
}

TEST(VWidget, BringToFrontOfANonChildLeavesTheOrderUnchanged) {
  Inspectable owner(nullptr);
  auto* a = new VWidget(&owner);
  auto* b = new VWidget(&owner);
  VWidget stranger(nullptr);
  owner.bringToFront(&stranger);
  EXPECT_EQ(owner.children(), (std::vector<VWidget*>{b, a}));
}

TEST(VWidget, BringToFrontOfADuplicatedEntryDropsItAndInsertsNothing) {
  // Only a child listed exactly once is moved; a doubled entry is removed, as designed.
  Inspectable owner(nullptr);
  auto* a = new VWidget(&owner);
  auto* b = new VWidget(&owner);
  owner.add(a);  // a is now listed twice
  owner.bringToFront(a);
  EXPECT_EQ(owner.children(), (std::vector<VWidget*>{b}));
  delete a;
}

// bringToFront skips its walk for a child that is in front and listed nowhere else; these
// cases change how often a widget is listed, so a wrong count would show as a wrong order.
TEST(VWidget, BringToFrontOfAFrontChildAddedTwiceAfterARemoveStillDropsBothEntries) {
  Inspectable owner(nullptr);
  auto* a = new VWidget(&owner);
  auto* b = new VWidget(&owner);
  owner.remove(a);
  owner.bringToFront(b);  // b in front, listed once: order kept
  EXPECT_EQ(owner.children(), (std::vector<VWidget*>{b}));
  owner.add(a);
  owner.add(a);  // {a, a, b}
  owner.bringToFront(a);
  EXPECT_EQ(owner.children(), (std::vector<VWidget*>{b}));
  owner.add(a);  // listed once again, in front
  owner.bringToFront(a);
  EXPECT_EQ(owner.children(), (std::vector<VWidget*>{a, b}));
}

TEST(VWidget, BringToFrontOfAChildAlsoListedByAnotherOwnerMovesItWithinThisList) {
  Inspectable first(nullptr);
  Inspectable second(nullptr);
  auto* shared = new VWidget(&first);
  auto* other = new VWidget(&second);
  second.add(shared);  // {shared, other}
  second.bringToFront(shared);
  EXPECT_EQ(second.children(), (std::vector<VWidget*>{shared, other}));
  second.bringToFront(other);
  EXPECT_EQ(second.children(), (std::vector<VWidget*>{other, shared}));
  EXPECT_EQ(first.children(), (std::vector<VWidget*>{shared}));
  second.remove(shared);  // first deletes it
}

TEST(VWidget, BringToFrontOfAChildInFrontOfAnotherListButNotOfThisOneMovesIt) {
  Inspectable first(nullptr);
  Inspectable second(nullptr);
  auto* moved = new VWidget(&first);  // in front of first's list
  auto* front = new VWidget(&second);
  second.add(moved);
  second.bringToFront(front);  // {front, moved}
  EXPECT_EQ(second.children(), (std::vector<VWidget*>{front, moved}));
  second.bringToFront(moved);
  EXPECT_EQ(second.children(), (std::vector<VWidget*>{moved, front}));
  second.remove(moved);
}

TEST(VWidget, BringToFrontOfNullAmongNullEntriesDropsThemAll) {
  Inspectable owner(nullptr);
  auto* a = new VWidget(&owner);
  owner.add(nullptr);
  owner.add(nullptr);  // {null, null, a}
  owner.bringToFront(nullptr);
  EXPECT_EQ(owner.children(), (std::vector<VWidget*>{a}));
  owner.add(nullptr);
  owner.bringToFront(nullptr);  // listed once: moved to (kept in) front
  EXPECT_EQ(owner.children(), (std::vector<VWidget*>{nullptr, a}));
}

// add, remove and bringToFront remember where a child listed once sits, so that they need not
// walk its siblings. Against a plain model of the designed list rules, in long seeded runs that
// list children twice, in two owners, and null: any stale position shows as a wrong order.
TEST(VWidget, AddRemoveAndBringToFrontKeepTheDesignedOrderInLongMixedRuns) {
  using Model = std::list<VWidget*>;
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    Inspectable owners[2] = {Inspectable(nullptr), Inspectable(nullptr)};
    Model models[2];
    std::vector<VWidget*> pool{nullptr};
    for (int i = 0; i < 6; ++i) {
      pool.push_back(new VWidget(nullptr));
    }
    unsigned state = seed;
    auto roll = [&state](unsigned n) {
      state = state * 1103515245u + 12345u;
      return (state >> 16) % n;
    };
    for (int step = 0; step < 4000; ++step) {
      const unsigned o = roll(2);
      VWidget* child = pool[roll(static_cast<unsigned>(pool.size()))];
      Model& model = models[o];
      const unsigned op = roll(3);
      if (op == 0) {
        owners[o].add(child);
        model.push_front(child);
      } else if (op == 1) {
        owners[o].remove(child);
        model.remove(child);
      } else {
        owners[o].bringToFront(child);
        const auto entries = std::count(model.begin(), model.end(), child);
        if (entries == 1) {
          model.remove(child);
          model.push_front(child);
        } else if (entries > 1) {
          model.remove(child);
        }
      }
      ASSERT_EQ(owners[o].children(), std::vector<VWidget*>(model.begin(), model.end()))
          << "seed " << seed << " step " << step << " op " << op;
    }
    for (int o = 0; o < 2; ++o) {
      for (VWidget* child : pool) {
        owners[o].remove(child);
      }
    }
    for (VWidget* child : pool) {
      delete child;
    }
  }
}

TEST(VWidget, AddAndRemoveBothRunChildrenChanged) {
  class Counting : public VWidget {
   public:
    Counting() : VWidget(nullptr) {}
    int changes = 0;
    void childrenChanged() override { ++changes; }
  } owner;
  auto* a = new VWidget(&owner);
  EXPECT_EQ(owner.changes, 1);
  owner.remove(a);
  EXPECT_EQ(owner.changes, 2);
  EXPECT_EQ(a->getOwner(), &owner);  // remove does not re-own
  delete a;
}

TEST(VWidget, RemoveOfTheFocusedChildClearsFocusPathAndOfAnotherLeavesIt) {
  Inspectable owner(nullptr);
  auto* a = new VWidget(&owner);
  auto* b = new VWidget(&owner);
  owner.setFocusPath(a);
  owner.remove(b);
  EXPECT_EQ(owner.getFocusPath(), a);
  owner.remove(a);
  EXPECT_EQ(owner.getFocusPath(), nullptr);
  EXPECT_TRUE(owner.children().empty());
  delete a;
  delete b;
}

TEST(VWidget, DeletingAWidgetDeletesItsWholeSubtree) {
  static int destroyed = 0;
  destroyed = 0;
  class Counted : public VWidget {
   public:
    explicit Counted(VWidget* owner) : VWidget(owner) {}
    ~Counted() override { ++destroyed; }
  };
  auto* root = new Counted(nullptr);
  auto* mid = new Counted(root);
  new Counted(mid);
  new Counted(mid);
  new Counted(root);
  delete root;
  EXPECT_EQ(destroyed, 5);
}

TEST(VWidget, FreeChildrenSkipsNullEntries) {
  Inspectable owner(nullptr);
  new VWidget(&owner);
  owner.add(nullptr);
  owner.freeChildren();
  EXPECT_TRUE(owner.children().empty());
}

struct SizeCase {
  int minimum;
  int first;
  int expectedAfterFirst;
  int second;
  int expectedLayoutCalls;
};

void PrintTo(const SizeCase& c, std::ostream* os) {
  *os << "min_" << c.minimum << "_set_" << c.first << "_then_" << c.second;
}

class SetWidthClamps : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SetWidthClamps, AndRunsLayoutAndOnResizeOnlyOnARealChange) {
  const SizeCase c = GetParam();
  for (bool horizontal : {true, false}) {
    vt::hookLog().clear();
    RecordingWidget w(nullptr, "w", 0, 0, 20, 20);  // square, so both axes start alike
    w.logHandlers();
    if (horizontal) {
      w.setMinWidth(c.minimum);
      w.setWidth(c.first);
      EXPECT_EQ(w.getWidth(), c.expectedAfterFirst);
      w.setWidth(c.second);
      EXPECT_EQ(w.getWidth(), std::max(c.second, c.minimum)) << "min " << c.minimum;
    } else {
      w.setMinHeight(c.minimum);
      w.setHeight(c.first);
      EXPECT_EQ(w.getHeight(), c.expectedAfterFirst);
      w.setHeight(c.second);
      EXPECT_EQ(w.getHeight(), std::max(c.second, c.minimum)) << "min " << c.minimum;
    }
    EXPECT_EQ(w.layoutCalls, c.expectedLayoutCalls)
        << (horizontal ? "width" : "height") << " min " << c.minimum << " set " << c.first
        << " then " << c.second;
    EXPECT_EQ(static_cast<int>(vt::hookLog().size()), c.expectedLayoutCalls);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SetWidthClamps,
    ::testing::Values(SizeCase{10, 5, 10, 5, 1},     // clamped to 10, the second 5 is no change
                      SizeCase{0, 20, 20, 20, 0},    // the current size again: nothing runs
                      SizeCase{0, 30, 30, 40, 2},    // two real changes
                      SizeCase{25, 25, 25, 3, 1}));  // 3 is raised to the 25 it already has

TEST(VWidget, SetWidthRunsLayoutBeforeOnResizeWithTheNewSize) {
  vt::hookLog().clear();
  class Order : public RecordingWidget {
   public:
    Order() : RecordingWidget(nullptr, "w") {}
    void layout() override { vt::hookLog().push_back("layout " + std::to_string(Width)); }
  } w;
  w.logHandlers();
  w.setWidth(33);
  EXPECT_EQ(vt::hookLog(), (Lines{"layout 33", "w.onResize 33x10"}));
  w.setHeight(12);
  EXPECT_EQ(vt::hookLog().back(), "w.onResize 33x12");
}

TEST(VWidget, SetMinWidthDoesNotReclampTheCurrentWidth) {
  VWidget w(nullptr);
  w.setMinWidth(50);
  EXPECT_EQ(w.getWidth(), 20);
  w.setWidth(21);
  EXPECT_EQ(w.getWidth(), 50);
}

TEST(VWidget, FreeWithoutOwnerDoesNothing) {
  VWidget w(nullptr);
  w.free();  // must not crash or touch anything
  EXPECT_EQ(w.getOwner(), nullptr);
}

TEST(VWidget, FreeHandsTheWidgetUpTheChainUntilSomeoneQueuesIt) {
  class Collector : public VWidget {
   public:
    Collector() : VWidget(nullptr) {}
    std::vector<VWidget*> queued;
    void freeWidget(VWidget* w) override { queued.push_back(w); }
  } root;
  auto* mid = new VWidget(&root);
  auto* leaf = new VWidget(mid);
  leaf->free();
  EXPECT_EQ(root.queued, (std::vector<VWidget*>{leaf}));
  EXPECT_EQ(leaf->getOwner(), mid);  // still in the tree until the queue is emptied
}

TEST(VWidget, WidgetsWithoutOwnerAnswerSafely) {
  VWidget w(nullptr);
  EXPECT_FALSE(w.getFocused());
  w.redraw();
  VEvent e;
  e.setType(etMouseMotion);
  w.handleDragging(&e);
  EXPECT_EQ(w.getLeft(), 0);
  EXPECT_EQ(w.getTop(), 0);
}

TEST(VWidget, PrintWritesNineLines) {
  Inspectable owner(nullptr);
  auto* w = new VWidget(&owner);
  new VWidget(w);
  new VWidget(w);
  w->setEnabled(false);
  w->setLeft(-7);
  w->setTop(12);
  std::ostringstream ownerText;
  ownerText << static_cast<const void*>(&owner);
  vt::StreamCapture out(std::cout);
  w->print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VWidget", "Width = 20", "Height = 10", "Top = 12",
                                "Left = -7", "Enabled = 0", "Visible = 1",
                                "Owner = " + ownerText.str(), "Children = 2"}));
}

TEST(VWidget, PrintShowsAMissingOwnerAsZero) {
  VWidget w(nullptr);
  vt::StreamCapture out(std::cout);
  w.print();
  ASSERT_EQ(out.lines().size(), 9u);
  EXPECT_EQ(out.lines()[7], "Owner = 0");
}

}  // namespace
