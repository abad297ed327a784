// The pop-up layer: above the windows in drawing and in input, closing by a press outside,
// keys to the front pop-up, placement, and the windows' routing untouched once all are closed.
#include "widgets/VPopupLayer.h"

#include "widgets/VComboBox.h"
#include "widgets/VListBox.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/VSpecialKey.h"
#include "support/Box.h"
#include "support/GlTest.h"
#include "support/RecordingWidget.h"
#include "support/ScreenFixture.h"

namespace {

// Writes down what the layer tells the widget that opened a pop-up.
class Opener : public vt::RecordingWidget {
 public:
  using RecordingWidget::RecordingWidget;
  void popupClosed(VWidget* popup) override {
    heard.push_back("closed " + static_cast<vt::RecordingWidget*>(popup)->name);
  }
  void processHover(int x, int y) override {
    heard.push_back("hover " + std::to_string(x) + "," + std::to_string(y));
  }
  std::vector<std::string> heard;
};

class PopupLayer : public vt::ScreenFixture {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    window_ = new vt::RecordingWidget(screen_, "window", 0, 0, 500, 400);
    window_->focusable = true;
    window_->onCustomDraw = [](VWidget* w, VEvent*) {
      glColor3f(0, 1, 0);
      glRecti(0, 0, w->getWidth(), w->getHeight());
    };
    opener_ = new Opener(window_, "opener", 10, 10, 50, 20);
    layer_ = screen_->getPopupLayer();
    list_ = new vt::RecordingWidget(nullptr, "list", 0, 0, 100, 50);
    list_->focusable = true;
    list_->onCustomDraw = [](VWidget* w, VEvent*) {
      glColor3f(1, 0, 0);
      glRecti(0, 0, w->getWidth(), w->getHeight());
    };
  }
  void TearDown() override {
    delete list_;  // the program's: the layer never deletes a pop-up
    ScreenFixture::TearDown();
  }
  // The names of the widgets whose processEvent saw events since the last call, in order.
  static std::vector<std::string> seenBy() {
    std::vector<std::string> who;
    for (const std::string& line : std::exchange(vt::hookLog(), {})) {
      if (line.find(".processEvent") != std::string::npos) {
        who.push_back(line.substr(0, line.find(" ")));
      }
    }
    return who;
  }
  vt::RecordingWidget* window_ = nullptr;
  Opener* opener_ = nullptr;
  VPopupLayer* layer_ = nullptr;
  vt::RecordingWidget* list_ = nullptr;
};

TEST_F(PopupLayer, APopupIsOverTheWindowsTakesInputFirstAndAPressOutsideClosesItUsedUp) {
  clickOn(window_);  // the window has the focus
  layer_->placeBelow(list_, opener_);
  layer_->open(list_, opener_);
  EXPECT_EQ(vt::boxOf(list_), (vt::Box{10, 30, 100, 50}));
  drawFrame();
  EXPECT_TRUE(vt::pixelNear(20, 40, vt::toRgb(1, 0, 0)));  // over the window
  vt::hookLog().clear();
  click(20, 40);
  keyDown('a');
  EXPECT_EQ(seenBy(), (std::vector<std::string>{"list.processEvent", "list.processEvent",
                                                "list.processEvent", "list.processEvent"}));
  screen_->glutPassiveMotion(25, 45);
  click(300, 300);  // outside: closes, and the window never sees this gesture
  EXPECT_TRUE(seenBy().empty());
  EXPECT_EQ(opener_->heard, (std::vector<std::string>{"hover 15,35", "closed list"}));
  EXPECT_FALSE(layer_->isOpen(list_));
  click(300, 300);
  keyDown('b');
  EXPECT_EQ(seenBy().size(), 4u);  // the window's again: down, up, click and its key
  EXPECT_EQ(screen_->getScreenFocusedWidget(), window_);
}

// A pop-up that does not fit below its anchor opens above it, moved in from the right edge;
// closing a pop-up closes those opened after it; a deleted one simply leaves the layer.
TEST_F(PopupLayer, PlacementNestedClosingAndDeletion) {
  opener_->setLeft(460);
  opener_->setTop(370);
  layer_->placeBelow(list_, opener_);
  EXPECT_EQ(vt::boxOf(list_), (vt::Box{400, 320, 100, 50}));
  layer_->placeAt(list_, -20, 390);
  EXPECT_EQ(vt::boxOf(list_), (vt::Box{0, 350, 100, 50}));

  auto* sub = new vt::RecordingWidget(nullptr, "sub", 200, 100, 80, 40);
  layer_->open(list_, opener_);
  layer_->open(sub, opener_);
  screen_->mouseWheel(0, 1, 210, 110);
  EXPECT_TRUE(vt::logged("sub.processWheel wheel 210,110"));
  layer_->close(list_);
  EXPECT_EQ(opener_->heard, (std::vector<std::string>{"closed sub", "closed list"}));
  EXPECT_FALSE(layer_->anyOpen());
  EXPECT_FALSE(VWidget::wantsPassiveMotion());
  layer_->open(sub, nullptr);
  delete sub;
  EXPECT_FALSE(layer_->anyOpen());
  vt::hookLog().clear();
  click(210, 110);
  EXPECT_EQ(seenBy().size(), 3u);  // the window's: no pop-up is left to close
}

// A combo box 150 by 20 at (10, 250) over the window, three colours, "Red" chosen: its list
// opens below it in the layer, a press on an item chooses it (the window never sees that
// gesture's release or click), a press outside or Escape closes it unchanged, Up and Down
// choose with the focus; near the screen's bottom the list opens above.
TEST_F(PopupLayer, AComboBoxChoosesFromItsListAboveTheWindows) {
  struct Combo : VComboBox {
    using VComboBox::VComboBox;
    VWidget* list() { return List; }
  };
  auto* combo = new Combo(window_);
  combo->setLeft(10);
  combo->setTop(250);
  combo->setWidth(150);
  combo->setItems({"Red", "Green", "Blue"});
  combo->setChosen(0);
  static std::vector<std::string> changes;
  changes.clear();
  combo->onChange = [](VWidget* w, VEvent*) {
    changes.push_back(static_cast<VComboBox*>(w)->getChosenText());
  };
  press(20, 260);
  ASSERT_TRUE(combo->isOpen());
  release(20, 260);  // the release of the opening press: the box's own, the list stays
  ASSERT_TRUE(combo->isOpen());
  EXPECT_EQ(vt::boxOf(combo->list()), (vt::Box{10, 270, 150, 64}));
  vt::hookLog().clear();
  click(20, 270 + 2 + 20 + 10);  // the second row
  EXPECT_FALSE(combo->isOpen());
  EXPECT_EQ(combo->getChosenText(), "Green");
  EXPECT_TRUE(seenBy().empty());
  const struct {
    int x, y;
  } outside[] = {{300, 300}, {20, 260}};  // anywhere, and the box itself: closes unchanged
  for (const auto& o : outside) {
    click(20, 260);
    click(o.x, o.y);
    EXPECT_FALSE(combo->isOpen()) << o.x << "," << o.y;
  }
  click(20, 260);
  keyDown(27);
  EXPECT_FALSE(combo->isOpen());
  special(skDown);
  special(skDown);  // held at the last
  special(skUp);
  EXPECT_EQ(changes, (std::vector<std::string>{"Green", "Blue", "Green"}));
  combo->setTop(370);
  click(20, 380);
  EXPECT_EQ(vt::boxOf(combo->list()).top, 370 - 64);
}

}  // namespace
