// VWidget: construction, the tree operations, the properties' contracts and the dump.
#include "core/VWidget.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <list>
#include <sstream>

#include "support/RecordingWidget.h"
#include "support/StreamCapture.h"
#include "support/WidgetTree.h"

namespace {

using vt::childrenOf;
using vt::Lines;
using vt::RecordingWidget;
using vt::TestRoot;

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
  auto* owner = new VWidget(nullptr);
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
  VWidget owner(nullptr);
  auto* a = new VWidget(&owner);
  auto* b = new VWidget(&owner);
  EXPECT_EQ(childrenOf(&owner), (std::vector<VWidget*>{b, a}));
  EXPECT_TRUE(owner.isInFront(b));
  EXPECT_FALSE(owner.isInFront(a));
}

TEST(VWidget, IsInFrontOfAnEmptyListIsFalse) {
  VWidget w(nullptr);
  EXPECT_FALSE(w.isInFront(nullptr));
}

TEST(VWidget, BringToFrontMovesTheLastChildFirstAndKeepsTheOthersInOrder) {
  VWidget owner(nullptr);
  auto* a = new VWidget(&owner);
  auto* b = new VWidget(&owner);
  auto* c = new VWidget(&owner);
  owner.bringToFront(a);
  EXPECT_EQ(childrenOf(&owner), (std::vector<VWidget*>{a, c, b}));
}

TEST(VWidget, BringToFrontOfANonChildLeavesTheOrderUnchanged) {
  VWidget owner(nullptr);
  auto* a = new VWidget(&owner);
  auto* b = new VWidget(&owner);
  VWidget stranger(nullptr);
  owner.bringToFront(&stranger);
  EXPECT_EQ(childrenOf(&owner), (std::vector<VWidget*>{b, a}));
}

// add, remove and bringToFront keep each widget listed by at most one owner, at most once, and
// remember where it sits so that they need not walk its siblings. Against a plain model of
// those rules, in long seeded runs that add children already listed here or by the other
// owner, and null: any stale position shows as a wrong order, any lost move as a wrong owner.
TEST(VWidget, AddRemoveAndBringToFrontKeepEachChildListedOnceInLongMixedRuns) {
  using Model = std::list<VWidget*>;
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    VWidget owners[2] = {VWidget(nullptr), VWidget(nullptr)};
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
      const bool listed = std::find(model.begin(), model.end(), child) != model.end();
      const unsigned op = roll(3);
      if (op == 0) {
        owners[o].add(child);
        if (child != nullptr && !listed) {
          models[1 - o].remove(child);  // moved
          model.push_front(child);
        }
      } else if (op == 1) {
        owners[o].remove(child);
        model.remove(child);
      } else {
        owners[o].bringToFront(child);
        if (listed) {
          model.remove(child);
          model.push_front(child);
        }
      }
      for (int k = 0; k < 2; ++k) {
        ASSERT_EQ(childrenOf(&owners[k]),
                  std::vector<VWidget*>(models[k].begin(), models[k].end()))
            << "seed " << seed << " step " << step << " op " << op;
      }
      if (child != nullptr) {
        const bool inFirst = std::count(models[0].begin(), models[0].end(), child) > 0;
        const bool inSecond = std::count(models[1].begin(), models[1].end(), child) > 0;
        ASSERT_EQ(child->getOwner(), inFirst ? &owners[0] : inSecond ? &owners[1] : nullptr)
            << "seed " << seed << " step " << step << " op " << op;
      }
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

// What add does with each kind of child, and what the owners see: their childrenChanged counts
// and the line on standard error.
TEST(VWidget, AddMovesIgnoresRepeatsAndRefusesCycles) {
  const std::string refused =
      "Vuna: a widget cannot be added to itself or to a widget inside it; the add is ignored";
  struct Case {
    const char* what;
    int target;  // 0 first owner, 1 second owner, 2 the child (a widget inside the first)
    int added;   // 0 first owner, 2 the child, 3 its grandchild, 4 null
    int firstChanges;
    int secondChanges;
    const char* error;
  };
  const Case cases[] = {
      {"a repeat", 0, 2, 0, 0, ""},
      {"null", 1, 4, 0, 0, ""},
      {"a child of another owner", 1, 2, 1, 1, ""},
      {"the owner itself", 0, 0, 0, 0, "x"},
      {"an ancestor", 2, 0, 0, 0, "x"},
      {"into its own child", 3, 2, 0, 0, "x"},
  };
  for (const Case& c : cases) {
    RecordingWidget first(nullptr, "first");
    RecordingWidget second(nullptr, "second");
    auto* child = new RecordingWidget(&first, "child");
    auto* grandchild = new RecordingWidget(child, "grandchild");
    first.childrenChanges = second.childrenChanges = child->childrenChanges = 0;
    VWidget* widgets[] = {&first, &second, child, grandchild, nullptr};
    vt::StreamCapture err(std::cerr);
    widgets[c.target]->add(widgets[c.added]);
    EXPECT_EQ(first.childrenChanges, c.firstChanges) << c.what;
    EXPECT_EQ(second.childrenChanges, c.secondChanges) << c.what;
    EXPECT_EQ(err.lines(), *c.error != '\0' ? Lines{refused} : Lines{}) << c.what;
    EXPECT_EQ(child->getOwner(), c.secondChanges > 0 ? &second : &first) << c.what;
    EXPECT_EQ(grandchild->getOwner(), child) << c.what;
    second.remove(child);
    first.add(child);  // back where its deletion finds it
  }
}

TEST(VWidget, AddAndRemoveRunChildrenChangedAndRemoveLeavesTheChildWithoutOwner) {
  RecordingWidget owner(nullptr, "owner");
  auto* a = new VWidget(&owner);
  EXPECT_EQ(owner.childrenChanges, 1);
  owner.remove(a);
  EXPECT_EQ(owner.childrenChanges, 2);
  EXPECT_EQ(a->getOwner(), nullptr);  // the caller's now
  delete a;
}

// Deleting a widget that is still listed takes it out of its owner's list first: the owner
// never holds a freed child, and sees it leave.
TEST(VWidget, DeletingAListedWidgetTakesItOutOfItsOwner) {
  VWidget owner(nullptr);
  auto* a = new VWidget(&owner);
  auto* b = new VWidget(&owner);
  owner.setFocusPath(b);
  delete b;
  EXPECT_EQ(childrenOf(&owner), (std::vector<VWidget*>{a}));
  EXPECT_EQ(owner.getFocusPath(), nullptr);
}

TEST(VWidget, RemoveOfTheFocusedChildClearsFocusPathAndOfAnotherLeavesIt) {
  VWidget owner(nullptr);
  auto* a = new VWidget(&owner);
  auto* b = new VWidget(&owner);
  owner.setFocusPath(a);
  owner.remove(b);
  EXPECT_EQ(owner.getFocusPath(), a);
  owner.remove(a);
  EXPECT_EQ(owner.getFocusPath(), nullptr);
  EXPECT_TRUE(childrenOf(&owner).empty());
  delete a;
  delete b;
}

TEST(VWidget, DeletingAWidgetDeletesItsWholeSubtree) {
  vt::hookLog().clear();
  auto mortal = [](VWidget* owner) {
    auto* w = new RecordingWidget(owner, "w");
    w->logsDeletion = true;
    return w;
  };
  auto* root = mortal(nullptr);
  auto* mid = mortal(root);
  mortal(mid);
  mortal(mid);
  mortal(root);
  delete root;
  EXPECT_EQ(vt::hookLog(), Lines(5, "~w"));
}

TEST(VWidget, FreeChildrenDeletesEveryChildAndNullIsNeverListed) {
  VWidget owner(nullptr);
  new VWidget(&owner);
  owner.add(nullptr);
  EXPECT_EQ(childrenOf(&owner).size(), 1u);
  owner.freeChildren();
  EXPECT_TRUE(childrenOf(&owner).empty());
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
  TestRoot root;
  auto* mid = new VWidget(&root);
  auto* leaf = new VWidget(mid);
  leaf->free();
  EXPECT_EQ(root.freed, (std::vector<VWidget*>{leaf}));
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
  VWidget owner(nullptr);
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
