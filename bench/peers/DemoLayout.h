// DemoLayout: where the demo scene's windows and controls lie, for the peers that rebuild it.
#pragma once

#include <array>

namespace peers {

// A rectangle in pixels, y downwards, relative to whatever holds it.
struct Box {
  int x;
  int y;
  int w;
  int h;
};

// A toolbar's row: a 10-pixel mover strip, then n equal slots with 2-pixel gaps, 2 pixels below
// the top edge and 4 pixels lower than the bar. The slots are relative to the bar.
constexpr int kMoverWidth = 10;
constexpr Box toolbarSlot(int barWidth, int barHeight, int n, int i) {
  const int s = (barWidth - kMoverWidth) / n - 2;
  return {kMoverWidth + i * (s + 2), 2, s, barHeight - 4};
}
constexpr int kToolbarHeight = 25;

// A caption button that sized itself to its caption in the default 16-pixel font (12 pixels a
// character plus 5 on each side), 20 high.
constexpr Box captionButtonAt(int x, int y, int captionLength) { return {x, y, 12 * captionLength + 10, 20}; }

// A window's frame: title bar and its two buttons, and the client origin, relative to the window.
constexpr int kTitleBarHeight = 23;
constexpr int kTitleBarBorder = 2;
constexpr int kClientLeft = kTitleBarBorder + 1;
constexpr int kClientTop = kTitleBarHeight + kTitleBarBorder + 2;
constexpr Box titleBar(int windowWidth) {
  return {kTitleBarBorder, kTitleBarBorder, windowWidth - 2 * kTitleBarBorder, kTitleBarHeight};
}
constexpr int kTitleButtonSize = kTitleBarHeight - 4;
constexpr Box closeButton(int windowWidth) {
  return {windowWidth - kTitleButtonSize - kTitleBarBorder - 3, kTitleBarBorder + 2, kTitleButtonSize,
          kTitleButtonSize};
}
constexpr Box maximizeButton(int windowWidth) {
  return {closeButton(windowWidth).x - kTitleButtonSize - 3, kTitleBarBorder + 2, kTitleButtonSize,
          kTitleButtonSize};
}
constexpr const char* kWindowCaption = "Window";

// The screen's toolbar of the demo: 420 wide at the top-left corner, three caption buttons.
constexpr Box kScreenBar = {0, 0, 420, kToolbarHeight};
constexpr std::array<const char*, 3> kScreenBarCaptions = {"Start", "Shut Down", "Sub Window"};

// The demo window, 400 by 200 at the top-left corner; its contents relative to the window.
constexpr int kDemoWidth = 400;
constexpr int kDemoHeight = 200;
constexpr Box kTextField = {10, 70, 150, 20};
constexpr const char* kTextFieldText = "Neu !!!";
// The check box: a 16-pixel box with its caption to the right, as wide as box, caption and gap.
constexpr const char* kCheckCaption = "Toolbar Breite anpassen";
constexpr int kCheckBoxSize = 16;
constexpr Box kCheckBox = {10, 95, kCheckBoxSize + 23 * 12 + 2, kCheckBoxSize};
// The radio toolbar, 300 wide at the client's left edge, top 150, holding "Item 1" (checked) and
// "Item 2" in two slots.
constexpr Box kRadioBar = {kClientLeft, 150, 300, kToolbarHeight};
constexpr std::array<const char*, 2> kRadioCaptions = {"Item 1", "Item 2"};
// The button toolbar, 350 wide at the client origin: "Fenster", "Button 2", "Button 3".
constexpr Box kButtonBar = {kClientLeft, kClientTop, 350, kToolbarHeight};
constexpr std::array<const char*, 3> kButtonBarCaptions = {"Fenster", "Button 2", "Button 3"};

// A slot of a toolbar, relative to the toolbar's owner.
constexpr Box slotIn(Box bar, int n, int i) {
  const Box s = toolbarSlot(bar.w, bar.h, n, i);
  return {bar.x + s.x, bar.y + s.y, s.w, s.h};
}

// The centre of a box, offset by the origin of what holds it.
struct Point {
  int x;
  int y;
};
constexpr Point centreOf(Box b, int originX = 0, int originY = 0) {
  return {originX + b.x + b.w / 2, originY + b.y + b.h / 2};
}

// The button every demo click aims at: "Button 2" of the demo window, the frontmost window.
constexpr int kDemoTargetSlot = 1;

}  // namespace peers
