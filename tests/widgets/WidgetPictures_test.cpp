// The pictures of docs/widgets.md: each panel control drawn in a real frame and compared with
// its picture, so the guide shows what a user gets (UPDATE_GOLDENS=1 writes them anew).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "GoldenImage.h"
#include "support/Box.h"
#include "support/ManualTimers.h"
#include "support/ScreenFixture.h"
#include "widgets/VComboBox.h"
#include "widgets/VLabel.h"
#include "widgets/VLineEdit.h"
#include "widgets/VListBox.h"
#include "widgets/VMenu.h"
#include "widgets/VMenuBar.h"
#include "widgets/VProgressBar.h"
#include "widgets/VSlider.h"
#include "widgets/VSpinBox.h"
#include "widgets/VTabs.h"
#include "widgets/VTextView.h"
#include "widgets/VWindow.h"

namespace {

// Each picture in both themes: "slider.png" and "slider_dark.png". Every widget is built under the
// light theme and the dark one is switched on just before its picture, so the dark pictures also
// show that a switch restyles widgets that already exist (their fonts included).
class WidgetPicture : public vt::ScreenFixture, public ::testing::WithParamInterface<VTheme> {
 protected:
  void SetUp() override {
    ScreenFixture::SetUp();
    screen_->setHostServices(&timers_);
    window_ = new VWindow(screen_);
    window_->setWidth(400);
    window_->setHeight(200);
  }
  // The widget at (10, 10) of the window's client area, on the window's face; the picture is
  // the widget and 8 pixels around it, and `extra` pixels more to the right and below.
  template <class W>
  W* place(int width, int height) {
    auto* w = new W(window_);
    w->setLeft(window_->getClientBorderLeft() + 10);
    w->setTop(window_->getClientBorderTop() + 10);
    w->setWidth(width);
    w->setHeight(height);
    return w;
  }
  void expectPicture(const std::string& name, VWidget* w, int extraWidth = 0,
                     int extraHeight = 0) {
    static const vt::GoldenImage goldens(VUNA_PICTURE_DIR, VUNA_PICTURE_OUTPUT_DIR);
    screen_->setTheme(GetParam());
    const vt::Box b = vt::screenBoxOf(w);
    const int width = b.width + 16 + extraWidth;
    const int height = b.height + 16 + extraHeight;
    const vt::PngImage picture(width, height, frame(b.left - 8, b.top - 8, width, height));
    const std::string file = name + (GetParam() == thDark ? "_dark" : "");
    EXPECT_EQ(goldens.check(file, picture), "") << file;
    screen_->setTheme(thLight);  // the next widget is built light again
  }
  vt::ManualTimers timers_;
  VWindow* window_ = nullptr;
};

TEST_P(WidgetPicture, EachControlLooksAsTheGuideShowsIt) {
  auto* label = place<VLabel>(160, 40);
  label->setCaption("Lines centred\nin the label");
  label->setAlignment(alCenter);
  expectPicture("label", label);
  label->setVisible(false);

  auto* slider = place<VSlider>(200, 20);
  slider->setValue(25);
  expectPicture("slider", slider);
  // Its hint, after the pointer rested at the knob's right for the whole delay.
  slider->setTooltip("Degrees per second");
  const vt::Box knob = vt::screenBoxOf(slider);
  screen_->glutPassiveMotion(knob.left + 60, knob.top + 10);
  timers_.fire();
  ASSERT_TRUE(screen_->isTooltipShown());
  expectPicture("tooltip", slider, 90, 24);
  slider->setVisible(false);

  auto* spin = place<VSpinBox>(80, 20);
  spin->setRange(1, 10);
  spin->setValue(3);
  expectPicture("spinbox", spin);
  spin->setVisible(false);

  auto* bar = place<VProgressBar>(200, 20);
  bar->setValue(40);
  bar->setShowPercentage(true);
  expectPicture("progressbar", bar);
  bar->setVisible(false);

  // Open, its list over the window's edge: the picture reaches below the box.
  auto* combo = place<VComboBox>(150, 20);
  combo->setItems({"Red", "Green", "Blue"});
  combo->setChosen(1);
  const vt::Box box = vt::screenBoxOf(combo);
  click(box.left + 10, box.top + 10);
  ASSERT_TRUE(combo->isOpen());
  expectPicture("combobox", combo, 0, 64);
  combo->close();
  combo->setVisible(false);

  auto* tabs = place<VTabs>(220, 90);
  for (const char* caption : {"One", "Two", "Three"}) {
    auto* text = new VLabel(tabs->addPage(caption));
    text->setCaption(std::string("Page ") + caption);
    text->setLeft(10);
    text->setTop(10);
  }
  tabs->setCurrent(1);
  expectPicture("tabs", tabs);
  tabs->setVisible(false);

  auto* list = place<VListBox>(150, 104);
  for (int row = 1; row <= 40; ++row) {
    list->addItem("Item " + std::to_string(row));
  }
  list->setSelected(2);
  expectPicture("listbox", list);
  list->setVisible(false);

  // Focused, "world" selected and the caret at its end.
  auto* edit = place<VLineEdit>(150, 20);
  edit->setText("Hello, world");
  clickOn(edit);
  edit->setSelection(7, 12);
  expectPicture("lineedit", edit);
  edit->setVisible(false);

  // A log at its bottom, part of two lines selected by a drag.
  auto* log = place<VTextView>(300, 104);
  for (int line = 1; line <= 30; ++line) {
    log->append("[12:00:" + std::string(line < 10 ? "0" : "") + std::to_string(line) +
                 "] step " + std::to_string(line) + " done");
  }
  const vt::Box lines = vt::screenBoxOf(log);
  drag(lines.left + 4 + 12 * 11, lines.top + 2 + 20 * 2 + 10, lines.left + 4 + 12 * 7,
       lines.top + 2 + 20 * 3 + 10);
  expectPicture("textview", log);
  log->setVisible(false);

  // A menu open below a bar, the pointer over its second item.
  auto* menuBar = place<VMenuBar>(200, 20);
  auto* menu = new VMenu(nullptr);
  menu->addItem("New", nullptr, "Ctrl+N");
  menu->addCheckItem("Grid", true);
  menu->addSeparator();
  menu->addSubmenu("Theme", new VMenu(nullptr));
  menuBar->addMenu("View", menu);
  const vt::Box at = vt::screenBoxOf(menuBar);
  click(at.left + 20, at.top + 10);
  ASSERT_TRUE(menu->isOpen());
  screen_->glutPassiveMotion(at.left + 40, at.top + 20 + 30);
  expectPicture("menu", menuBar, 0, 90);
}

INSTANTIATE_TEST_SUITE_P(BothThemes, WidgetPicture, ::testing::Values(thLight, thDark),
                         [](const ::testing::TestParamInfo<VTheme>& info) {
                           return info.param == thDark ? std::string("dark")
                                                       : std::string("light");
                         });

}  // namespace
