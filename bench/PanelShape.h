// PanelShape: the settings panel of frame_panel and drag_slider, the places and texts of its
// controls, shared by every toolkit's version so that all of them draw and route the same ones.
#pragma once

#include <array>

namespace bench {

// A rectangle in pixels, y downwards, relative to the panel window's outer corner.
struct PanelBox {
  int x;
  int y;
  int w;
  int h;
};

// One window filling the bench window at its top-left corner, titled kPanelCaption.
constexpr int kPanelWidth = 500;
constexpr int kPanelHeight = 400;
constexpr const char* kPanelCaption = "Panel";
// The window's client area starts this far from its outer edges: below the title bar (23
// pixels in a 2-pixel border, and 2 more) and inside the 3-pixel border elsewhere.
constexpr int kPanelClientTop = 27;
constexpr int kPanelBorder = 3;

// kPanelButtons caption buttons in kPanelButtonColumns columns; the buttons of a row are
// captioned "1" to "10".
constexpr int kPanelButtons = 100;
constexpr int kPanelButtonColumns = 10;
constexpr PanelBox panelButton(int i) {
  return {10 + 36 * (i % kPanelButtonColumns), 30 + 20 * (i / kPanelButtonColumns), 34, 18};
}
constexpr std::array<const char*, kPanelButtonColumns> kPanelButtonCaptions = {
    "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};

// Check boxes in five columns of four: a 16-pixel box with its caption to the right; the width
// is the room for box, gap and caption ("Opt 20" at most), which each toolkit fills its own way.
constexpr int kPanelCheckBoxes = 20;
constexpr int kPanelCheckSize = 16;
constexpr PanelBox panelCheckBox(int i) {
  return {10 + 96 * (i % 5), 236 + 18 * (i / 5), 90, kPanelCheckSize};
}
constexpr std::array<const char*, kPanelCheckBoxes> kPanelCheckCaptions = {
    "Opt 1",  "Opt 2",  "Opt 3",  "Opt 4",  "Opt 5",  "Opt 6",  "Opt 7",
    "Opt 8",  "Opt 9",  "Opt 10", "Opt 11", "Opt 12", "Opt 13", "Opt 14",
    "Opt 15", "Opt 16", "Opt 17", "Opt 18", "Opt 19", "Opt 20"};

// Horizontal sliders in five columns of two, each from kPanelSliderMin to kPanelSliderMax in
// steps of 1, at kPanelSliderValue when built.
constexpr int kPanelSliders = 10;
constexpr PanelBox panelSlider(int i) { return {10 + 96 * (i % 5), 312 + 24 * (i / 5), 90, 20}; }
constexpr float kPanelSliderMin = 0.0f;
constexpr float kPanelSliderMax = 100.0f;
constexpr float kPanelSliderValue = 50.0f;

// Labels in one column right of the buttons, sized to their text, which starts at the box's
// top-left corner.
constexpr int kPanelLabels = 10;
constexpr PanelBox panelLabel(int i) { return {385, 30 + 20 * i, 96, 20}; }
constexpr std::array<const char*, kPanelLabels> kPanelLabelCaptions = {
    "Label 1", "Label 2", "Label 3", "Label 4", "Label 5",
    "Label 6", "Label 7", "Label 8", "Label 9", "Label 10"};

// The one text field, below the sliders.
constexpr PanelBox kPanelField = {10, 362, 150, 20};
constexpr const char* kPanelFieldText = "Neu !!!";

// The controls are made in this order in every toolkit: buttons, check boxes, sliders, labels,
// the field (so a search front to back meets them the other way round).
constexpr int kPanelControls =
    kPanelButtons + kPanelCheckBoxes + kPanelSliders + kPanelLabels + 1;

// drag_slider: the left button is pressed at the knob of slider kDragSlider (its middle, where
// kPanelSliderValue puts it), then each step moves the pointer, button held, along the slider's
// middle row to the other of two columns, a quarter and three quarters of its width: every step
// changes the value.
constexpr int kDragSlider = 0;
constexpr int dragPressX() { return panelSlider(kDragSlider).x + panelSlider(kDragSlider).w / 2; }
constexpr int dragY() { return panelSlider(kDragSlider).y + panelSlider(kDragSlider).h / 2; }
constexpr int dragStepX(long long step) {
  return panelSlider(kDragSlider).x + (step % 2 == 0 ? 1 : 3) * panelSlider(kDragSlider).w / 4;
}

// The n-th place of the panel in the shared order, the field last.
constexpr PanelBox panelPlace(int n) {
  if (n < kPanelButtons) {
    return panelButton(n);
  }
  n -= kPanelButtons;
  if (n < kPanelCheckBoxes) {
    return panelCheckBox(n);
  }
  n -= kPanelCheckBoxes;
  if (n < kPanelSliders) {
    return panelSlider(n);
  }
  n -= kPanelSliders;
  return n < kPanelLabels ? panelLabel(n) : kPanelField;
}

// Every place lies below the title bar and inside the window's border, and no two overlap: a
// press or a motion over one control reaches that control in every toolkit.
constexpr bool panelPlacesApart() {
  for (int i = 0; i < kPanelControls; ++i) {
    const PanelBox a = panelPlace(i);
    if (a.x < kPanelBorder || a.y < kPanelClientTop || a.x + a.w > kPanelWidth - kPanelBorder ||
        a.y + a.h > kPanelHeight - kPanelBorder) {
      return false;
    }
    for (int j = i + 1; j < kPanelControls; ++j) {
      const PanelBox b = panelPlace(j);
      if (a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h) {
        return false;
      }
    }
  }
  return true;
}
static_assert(panelPlacesApart(), "the panel's places must lie in its window, apart");
static_assert(dragStepX(0) < dragPressX() && dragPressX() < dragStepX(1),
              "the drag's two columns lie on both sides of the knob's middle");

}  // namespace bench
