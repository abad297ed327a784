// VRadioButton and VRadioButtonGroup: exclusive selection, membership, lifetimes, drawing.
#include "widgets/VRadioButton.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/VSpecialKey.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "support/GlTest.h"
#include "support/HostNumbers.h"
#include "support/ScreenFixture.h"
#include "support/StreamCapture.h"
#include "widgets/VRadioButtonGroup.h"

namespace {

using vt::Lines;
using vt::Region;

using vt::kLeftButton;
using vt::kRightButton;

// Exposes the member list, front first.
class InspectableGroup : public VRadioButtonGroup {
 public:
  std::vector<VRadioButton*> items() const { return {Items.begin(), Items.end()}; }
};

std::string pointerText(const void* p) {
  std::ostringstream out;
  out << p;
  return out.str();
}

class RadioTest : public vt::ScreenFixture {
 protected:
  // Buttons stacked 30 pixels apart from (20, 20).
  VRadioButton* makeButton(const std::string& caption) {
    auto* rb = new VRadioButton(screen_);
    rb->setLeft(20);
    rb->setTop(20 + 30 * count_++);
    rb->setCaption(caption);
    return rb;
  }

  // A click on the button's image.
  void clickImage(VRadioButton* rb, int button = kLeftButton) {
    click(rb->getLeft() + 4, rb->getTop() + 4, button);
  }

 private:
  int count_ = 0;
};

TEST_F(RadioTest, NewButtonHasTheCheckBoxDefaultsInNoGroup) {
  VRadioButton* rb = new VRadioButton(screen_);
  EXPECT_EQ(rb->getWidth(), 20);
  EXPECT_EQ(rb->getHeight(), 16);
  EXPECT_EQ(rb->getState(), cbUnchecked);
  EXPECT_EQ(rb->getCaption(), "");
  EXPECT_EQ(rb->getBoxSize(), 16);
  EXPECT_EQ(rb->getRadioButtonGroup(), nullptr);
}

TEST_F(RadioTest, PrintShowsTheGroupPointerAndNothingOfTheCheckBox) {
  VRadioButton* rb = makeButton("Red");
  {
    vt::StreamCapture out(std::cout);
    rb->print();
    EXPECT_EQ(out.lines(),
              (Lines{"Class : VRadioButton", "RadioButtonGroup = " + pointerText(nullptr)}));
  }
  VRadioButtonGroup group;
  rb->setRadioButtonGroup(&group);
  vt::StreamCapture out(std::cout);
  rb->print();
  EXPECT_EQ(out.lines(),
            (Lines{"Class : VRadioButton", "RadioButtonGroup = " + pointerText(&group)}));
}

TEST_F(RadioTest, GroupPrintsItsMemberCount) {
  VRadioButtonGroup group;
  {
    vt::StreamCapture out(std::cout);
    group.print();
    EXPECT_EQ(out.lines(), (Lines{"Class : VRadioButtonGroup", "Items.size() = 0"}));
  }
  makeButton("A")->setRadioButtonGroup(&group);
  makeButton("B")->setRadioButtonGroup(&group);
  vt::StreamCapture out(std::cout);
  group.print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VRadioButtonGroup", "Items.size() = 2"}));
}

TEST_F(RadioTest, PressingAMemberChecksItAndUnchecksTheOthers) {
  InspectableGroup group;
  VRadioButton* a = makeButton("A");
  VRadioButton* b = makeButton("B");
  a->setRadioButtonGroup(&group);
  b->setRadioButtonGroup(&group);
  a->setState(cbChecked);

  clickImage(b);
  EXPECT_EQ(b->getState(), cbChecked);
  EXPECT_EQ(a->getState(), cbUnchecked);
  clickImage(b, kRightButton);  // pressing the checked member keeps it checked
  EXPECT_EQ(b->getState(), cbChecked);
  EXPECT_EQ(a->getState(), cbUnchecked);
  clickImage(a);
  EXPECT_EQ(a->getState(), cbChecked);
  EXPECT_EQ(b->getState(), cbUnchecked);
}

TEST_F(RadioTest, TheSelectionHappensOnThePressAndTheHandlersSeeIt) {
  VRadioButtonGroup group;
  VRadioButton* a = makeButton("A");
  VRadioButton* b = makeButton("B");
  a->setRadioButtonGroup(&group);
  b->setRadioButtonGroup(&group);
  a->setState(cbChecked);
  static VCheckBoxState seenByHandler;
  seenByHandler = cbUnchecked;
  b->onMouseDown = [](VWidget* w, VEvent*) {
    seenByHandler = static_cast<VRadioButton*>(w)->getState();
  };
  press(b->getLeft() + 4, b->getTop() + 4);
  EXPECT_EQ(seenByHandler, cbChecked);
  EXPECT_EQ(a->getState(), cbUnchecked);
  a->setState(cbChecked);
  release(b->getLeft() + 4, b->getTop() + 4);
  EXPECT_EQ(a->getState(), cbChecked);  // the release and the click select nothing
}

TEST_F(RadioTest, AButtonOutsideAnyGroupTogglesLikeACheckBox) {
  VRadioButton* rb = makeButton("Loner");
  clickImage(rb);
  EXPECT_EQ(rb->getState(), cbChecked);
  clickImage(rb);
  EXPECT_EQ(rb->getState(), cbUnchecked);
  clickImage(rb, kRightButton);
  EXPECT_EQ(rb->getState(), cbChecked);
}

TEST_F(RadioTest, ProcessEventAnswersTrueForAPressOnly) {
  VRadioButton* rb = makeButton("Answer");
  VEvent e;
  for (VEventType type :
       {etDraw, etMouseUp, etMouseMotion, etMouseClick, etKeyboard, etKeyboardUp, etSpecialKey}) {
    e.setType(type);
    EXPECT_FALSE(rb->processEvent(&e)) << "type " << type;
  }
  EXPECT_EQ(rb->getState(), cbUnchecked);
  e.setType(etMouseDown);
  EXPECT_TRUE(rb->processEvent(&e));
  EXPECT_EQ(rb->getState(), cbChecked);
}

TEST_F(RadioTest, KeysNeverSelectAFocusedMember) {
  VRadioButtonGroup group;
  VRadioButton* a = makeButton("A");
  VRadioButton* b = makeButton("B");
  a->setRadioButtonGroup(&group);
  b->setRadioButtonGroup(&group);
  clickImage(b);
  ASSERT_TRUE(b->getFocused());
  a->setState(cbChecked);
  b->setState(cbUnchecked);
  keyDown(' ');
  keyDown(vt::kReturn);
  special(skUp);
  EXPECT_EQ(a->getState(), cbChecked);
  EXPECT_EQ(b->getState(), cbUnchecked);
}

TEST_F(RadioTest, MovingAButtonToAnotherGroupUpdatesBothListsAndKeepsItsState) {
  InspectableGroup g1;
  InspectableGroup g2;
  VRadioButton* a = makeButton("A");
  VRadioButton* b = makeButton("B");
  VRadioButton* c = makeButton("C");
  a->setRadioButtonGroup(&g1);
  b->setRadioButtonGroup(&g1);
  c->setRadioButtonGroup(&g2);
  a->setState(cbChecked);
  c->setState(cbChecked);
  EXPECT_EQ(g1.items(), (std::vector<VRadioButton*>{b, a}));  // newest first

  a->setRadioButtonGroup(&g2);
  EXPECT_EQ(a->getRadioButtonGroup(), &g2);
  EXPECT_EQ(g1.items(), (std::vector<VRadioButton*>{b}));
  EXPECT_EQ(g2.items(), (std::vector<VRadioButton*>{a, c}));
  EXPECT_EQ(a->getState(), cbChecked);  // two checked members until the next selection
  EXPECT_EQ(c->getState(), cbChecked);

  clickImage(c);
  EXPECT_EQ(a->getState(), cbUnchecked);
  EXPECT_EQ(b->getState(), cbUnchecked);
  clickImage(b);  // b is alone in g1 now: the selection reaches g1 only
  EXPECT_EQ(b->getState(), cbChecked);
  EXPECT_EQ(c->getState(), cbChecked);

  a->setRadioButtonGroup(nullptr);
  EXPECT_EQ(g2.items(), (std::vector<VRadioButton*>{c}));
  EXPECT_EQ(a->getRadioButtonGroup(), nullptr);
}

TEST_F(RadioTest, JoiningTheCurrentGroupAgainChangesNothing) {
  InspectableGroup group;
  VRadioButton* a = makeButton("A");
  VRadioButton* b = makeButton("B");
  a->setRadioButtonGroup(&group);
  b->setRadioButtonGroup(&group);
  a->setRadioButtonGroup(&group);
  EXPECT_EQ(group.items(), (std::vector<VRadioButton*>{b, a}));
  vt::StreamCapture out(std::cout);
  group.print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VRadioButtonGroup", "Items.size() = 2"}));
}

TEST_F(RadioTest, SelectingANonMemberUnchecksEveryMemberAndLeavesItAlone) {
  VRadioButtonGroup group;
  VRadioButton* a = makeButton("A");
  VRadioButton* b = makeButton("B");
  VRadioButton* stranger = makeButton("Stranger");
  a->setRadioButtonGroup(&group);
  b->setRadioButtonGroup(&group);
  a->setState(cbChecked);
  b->setState(cbChecked);
  stranger->setState(cbChecked);
  group.setAsSelected(stranger);
  EXPECT_EQ(a->getState(), cbUnchecked);
  EXPECT_EQ(b->getState(), cbUnchecked);
  EXPECT_EQ(stranger->getState(), cbChecked);
  group.setAsSelected(nullptr);
  EXPECT_EQ(stranger->getState(), cbChecked);
}

TEST_F(RadioTest, AddIgnoresNullAndRemoveIgnoresStrangers) {
  InspectableGroup group;
  VRadioButton* a = makeButton("A");
  VRadioButton* stranger = makeButton("Stranger");
  a->setRadioButtonGroup(&group);
  group.add(nullptr);
  group.remove(stranger);
  group.remove(nullptr);
  EXPECT_EQ(group.items(), (std::vector<VRadioButton*>{a}));
  EXPECT_EQ(stranger->getRadioButtonGroup(), nullptr);
}

// --- lifetimes: neither side keeps a pointer to the other once it is gone -----------------------

TEST_F(RadioTest, ADestroyedMemberLeavesItsGroupSoPressingAnotherIsSafe) {
  InspectableGroup group;
  VRadioButton* a = makeButton("A");
  VRadioButton* b = makeButton("B");
  a->setRadioButtonGroup(&group);
  b->setRadioButtonGroup(&group);
  a->setState(cbChecked);
  a->free();
  clickImage(b);  // the dispatch deletes a first, then routes the press to b
  EXPECT_EQ(b->getState(), cbChecked);
  EXPECT_EQ(group.items(), (std::vector<VRadioButton*>{b}));
  group.setAsSelected(b);
  EXPECT_EQ(b->getState(), cbChecked);
}

TEST_F(RadioTest, ADestroyedGroupClearsItsMembersLinks) {
  VRadioButton* a = makeButton("A");
  VRadioButton* b = makeButton("B");
  {
    VRadioButtonGroup group;
    a->setRadioButtonGroup(&group);
    b->setRadioButtonGroup(&group);
    b->setState(cbChecked);
  }
  EXPECT_EQ(a->getRadioButtonGroup(), nullptr);
  EXPECT_EQ(b->getRadioButtonGroup(), nullptr);
  clickImage(a);  // no group any more: a toggles and b keeps its state
  EXPECT_EQ(a->getState(), cbChecked);
  EXPECT_EQ(b->getState(), cbChecked);
  InspectableGroup next;
  a->setRadioButtonGroup(&next);
  EXPECT_EQ(next.items(), (std::vector<VRadioButton*>{a}));
  a->free();
  b->free();
  drawFrame();  // both deleted with nothing left pointing at the old group
  EXPECT_TRUE(next.items().empty());
}

TEST_F(RadioTest, ADestroyedGroupLeavesTheLinkOfAButtonThatNamesAnotherGroup) {
  InspectableGroup home;
  VRadioButton* a = makeButton("A");
  a->setRadioButtonGroup(&home);
  {
    VRadioButtonGroup visited;
    visited.add(a);  // listed without the link changing
  }
  EXPECT_EQ(a->getRadioButtonGroup(), &home);
  EXPECT_EQ(home.items(), (std::vector<VRadioButton*>{a}));
}

// A member that reacts to being unchecked by moving to another group.
class Deserter : public VRadioButton {
 public:
  Deserter(VWidget* owner, VRadioButtonGroup* refuge) : VRadioButton(owner), refuge_(refuge) {}
  void setState(VCheckBoxState newValue) override {
    VRadioButton::setState(newValue);
    if (newValue == cbUnchecked) {
      setRadioButtonGroup(refuge_);
    }
  }

 private:
  VRadioButtonGroup* refuge_;
};

TEST_F(RadioTest, AMemberLeavingTheGroupDuringASelectionDoesNotBreakTheWalk) {
  InspectableGroup group;
  InspectableGroup refuge;
  VRadioButton* a = makeButton("A");
  auto* deserter = new Deserter(screen_, &refuge);
  VRadioButton* c = makeButton("C");
  a->setRadioButtonGroup(&group);
  deserter->setRadioButtonGroup(&group);
  c->setRadioButtonGroup(&group);
  a->setState(cbChecked);
  group.setAsSelected(c);  // walks c, deserter (which leaves), a
  EXPECT_EQ(c->getState(), cbChecked);
  EXPECT_EQ(deserter->getState(), cbUnchecked);
  EXPECT_EQ(a->getState(), cbUnchecked);
  EXPECT_EQ(group.items(), (std::vector<VRadioButton*>{c, a}));
  EXPECT_EQ(refuge.items(), (std::vector<VRadioButton*>{deserter}));
}

// --- drawing --------------------------------------------------------------------------------

TEST_F(RadioTest, CheckedAndUncheckedShowTheLookAndFeelsTwoDifferentRadioImages) {
  VRadioButton* rb = makeButton("Images");
  VLookAndFeel* look = screen_->getLookAndFeel();
  const int x = rb->getLeft();
  const int y = rb->getTop();
  const Region unchecked = frame(x, y, 16, 16);
  rb->setState(cbChecked);
  const Region checked = frame(x, y, 16, 16);
  EXPECT_NE(vt::regionDifference(checked, unchecked, 16), "");
  auto image = [&](void (VLookAndFeel::*paint)(bool), bool on) {
    return referenceFrame(rb, [&] { (look->*paint)(on); }, x, y, 16, 16);
  };
  EXPECT_EQ(vt::regionDifference(checked, image(&VLookAndFeel::drawRadioButton, true), 16), "");
  EXPECT_EQ(vt::regionDifference(unchecked, image(&VLookAndFeel::drawRadioButton, false), 16), "");
  // Not the check box's images.
  EXPECT_NE(vt::regionDifference(checked, image(&VLookAndFeel::drawCheckBox, true), 16), "");
  EXPECT_NE(vt::regionDifference(unchecked, image(&VLookAndFeel::drawCheckBox, false), 16), "");
}

TEST_F(RadioTest, ATwelvePixelCaptionIsDrawnTwoPixelsLowerThanASixteenPixelOne) {
  VRadioButton* rb = makeButton("Wq");
  VFont* font = rb->getFont();
  const int x = rb->getLeft() + 16;
  const int y = rb->getTop() - 2;
  auto captionAt = [&](int dx, int dy) {
    return referenceFrame(rb, [&] { font->drawAtPos("Wq", dx, dy, -1); }, x, y, 50, 24);
  };
  const Region sixteen = frame(x, y, 50, 24);
  EXPECT_EQ(vt::regionDifference(sixteen, captionAt(18, 0), 50), "");
  font->setSize(12);
  const Region twelve = frame(x, y, 50, 24);
  EXPECT_EQ(vt::regionDifference(twelve, captionAt(18, 2), 50), "");
  EXPECT_NE(vt::regionDifference(twelve, captionAt(18, 1), 50), "");
  EXPECT_NE(vt::regionDifference(twelve, captionAt(18, 3), 50), "");
}

}  // namespace
