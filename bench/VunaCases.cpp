// VunaCases: Vuna's frame, routing and freeing cases, each on its own stage.
#define GL_GLEXT_PROTOTYPES 1  // before GL's header: the framebuffer object of OffscreenTarget
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <iostream>
#include <streambuf>
#include <string>
#include <vector>

#include "app/MyWindow.h"
#include "app/app.h"
#include "bench/CoreContext.h"
#include "bench/ListShape.h"
#include "bench/PanelShape.h"
#include "bench/SceneShape.h"
#include "bench/VunaStage.h"
#include "tests/support/OffscreenTarget.h"
#include "core/VHostButton.h"
#include "core/VSpecialKey.h"
#include "draw/VFont.h"
#include "draw/VGLLayer.h"
#include "draw/VLookAndFeel.h"
#include "screen/VScreen.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VLabel.h"
#include "widgets/VLineEdit.h"
#include "widgets/VListBox.h"
#include "widgets/VMenu.h"
#include "widgets/VMenuBar.h"
#include "widgets/VSlider.h"
#include "widgets/VTextEdit.h"
#include "widgets/VTextView.h"
#include "widgets/VToolBar.h"
#include "widgets/VWindow.h"

namespace {

// The demo's handlers print; the routing cases time the toolkit, not the terminal. Standard
// output is switched off around the timed loop (a stream without a buffer formats nothing).
class QuietOutput {
 public:
  QuietOutput() : saved_(std::cout.rdbuf(nullptr)) {}
  ~QuietOutput() {
    std::cout.rdbuf(saved_);
    std::cout.clear();
  }
  QuietOutput(const QuietOutput&) = delete;
  QuietOutput& operator=(const QuietOutput&) = delete;

 private:
  std::streambuf* saved_;
};

void setWidgets(benchmark::State& state, long long widgets) {
  state.counters["widgets"] = static_cast<double>(widgets);
}

// Every frame case: the scene is drawn once untimed (the first text builds the glyph lists),
// then frame after frame; a GL error or an unbalanced matrix stack fails the case.
void timeFrames(benchmark::State& state, VunaStage& stage) {
  stage.frame();
  if (!VunaStage::glClean()) {
    state.SkipWithError("the first frame left a GL error or an unbalanced matrix stack");
    return;
  }
  for (auto _ : state) {
    VunaStage::setView();
    stage.frame();
  }
  if (!VunaStage::glClean()) {
    state.SkipWithError("a frame left a GL error or an unbalanced matrix stack");
  }
  setWidgets(state, stage.widgetCount());
}

void buildWindows100(VScreen* screen) {
  for (int i = 0; i < bench::kFrameWindows; ++i) {
    auto* window = new MyWindow(screen);
    window->setLeft(bench::kCascadeStep * (i % 10));
    window->setTop(bench::kCascadeStep * (i / 10));
  }
}

void buildButtons1000(VScreen* screen) {
  for (int i = 0; i < bench::kButtonBars; ++i) {
    auto* bar = new VToolBar(screen);
    bar->setWidth(bench::kButtonBarWidth);
    bar->setTop(bench::kButtonBarHeight * (i % bench::kButtonBarRows));
    for (int j = 0; j < bench::kButtonsPerBar; ++j) {
      auto* button = new VCaptionButton(bar);
      button->setCaption(std::to_string(j + 1));
    }
    bar->layout();
  }
}

template <class W>
W* placed(W* w, bench::PanelBox b) {
  w->setLeft(b.x);
  w->setTop(b.y);
  w->setWidth(b.w);
  w->setHeight(b.h);
  return w;
}

// The settings panel, one window holding all its controls in the shared order. Answers the
// sliders in order, or nothing when a control does not fit its place (the peers draw theirs at
// those places).
std::vector<VSlider*> buildPanel(VScreen* screen) {
  auto* window = placed(new VWindow(screen), {0, 0, bench::kPanelWidth, bench::kPanelHeight});
  window->setCaption(bench::kPanelCaption);
  bool fits = true;
  auto fit = [&fits](VWidget* w, bench::PanelBox b) {
    fits = fits && w->getWidth() <= b.w && w->getHeight() <= b.h;
  };
  for (int i = 0; i < bench::kPanelButtons; ++i) {
    // Captioned before it is sized: a button grows to its caption ("Button" at first) and
    // never shrinks.
    auto* button = new VCaptionButton(window);
    button->setCaption(bench::kPanelButtonCaptions[i % bench::kPanelButtonColumns]);
    fit(placed(button, bench::panelButton(i)), bench::panelButton(i));
  }
  for (int i = 0; i < bench::kPanelCheckBoxes; ++i) {
    const bench::PanelBox b = bench::panelCheckBox(i);
    auto* check = new VCheckBox(window);  // sized to its caption
    check->setLeft(b.x);
    check->setTop(b.y);
    check->setCaption(bench::kPanelCheckCaptions[static_cast<std::size_t>(i)]);
    fit(check, b);
  }
  std::vector<VSlider*> sliders;
  for (int i = 0; i < bench::kPanelSliders; ++i) {
    auto* slider = placed(new VSlider(window), bench::panelSlider(i));
    slider->setRange(bench::kPanelSliderMin, bench::kPanelSliderMax);
    slider->setStep(1);
    slider->setValue(bench::kPanelSliderValue);
    sliders.push_back(slider);
  }
  for (int i = 0; i < bench::kPanelLabels; ++i) {
    const bench::PanelBox b = bench::panelLabel(i);
    auto* label = new VLabel(window);  // sized to its text
    label->setLeft(b.x);
    label->setTop(b.y);
    label->setCaption(bench::kPanelLabelCaptions[static_cast<std::size_t>(i)]);
    fit(label, b);
  }
  placed(new VTextEdit(window), bench::kPanelField)->setText(bench::kPanelFieldText);
  if (!fits) {
    sliders.clear();
  }
  return sliders;
}

// The click grid: window i at its grid cell, an "OK" button at its client origin. Answers the
// buttons in creation order (index 0 is the backmost window's).
std::vector<VCaptionButton*> buildClickWindows(VScreen* screen, int count) {
  std::vector<VCaptionButton*> buttons;
  buttons.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    auto* window = new VWindow(screen);
    window->setWidth(bench::kClickWindowWidth);
    window->setHeight(bench::kClickWindowHeight);
    window->setLeft(bench::kClickPitchX * (i % bench::kClickColumns));
    window->setTop(bench::kClickPitchY * (i / bench::kClickColumns));
    auto* ok = new VCaptionButton(window);
    ok->setCaption("OK");
    buttons.push_back(ok);
  }
  return buttons;
}

// The top-left corner of a widget, in window pixels: its own place plus that of each owner
// below the screen.
void windowOrigin(VWidget* w, int& x, int& y) {
  x = 0;
  y = 0;
  for (VWidget* at = w; at != nullptr && at->getOwner() != nullptr; at = at->getOwner()) {
    x += at->getLeft();
    y += at->getTop();
  }
}

// The middle of a widget, in window pixels.
void buttonCentre(VWidget* button, int& x, int& y) {
  windowOrigin(button, x, y);
  x += button->getWidth() / 2;
  y += button->getHeight() / 2;
}

// Presses of the target counted by its onPress handler; a handler is a plain function.
long long targetPresses = 0;
void countPress(VWidget*, VEvent*) { ++targetPresses; }

// One click case: presses the target again and again. A press raises the target's window to
// the front; when the target must stay where it was built (the backmost window), its window
// is put back behind the timer's back after every click. Every click must have completed a
// press of the target, or the case fails.
void timeClicks(benchmark::State& state, VunaStage& stage, VCaptionButton* target, bool restore) {
  int x = 0;
  int y = 0;
  buttonCentre(target, x, y);
  target->onPress = countPress;
  targetPresses = 0;
  VWidget* window = target->getOwner();
  for (auto _ : state) {
    stage.click(x, y);
    if (restore) {
      state.PauseTiming();
      VunaStage::sendToBack(stage.screen(), window);
      state.ResumeTiming();
    }
  }
  if (targetPresses != static_cast<long long>(state.iterations())) {
    state.SkipWithError("a click did not press the target button");
    return;
  }
  const long long widgets = stage.widgetCount();
  setWidgets(state, widgets);
  // Three dispatches per click (down, up, click), each searching the whole tree when the
  // target is the backmost: widgets visited per second.
  if (restore) {
    state.counters["visited"] = benchmark::Counter(static_cast<double>(3 * widgets),
                                                   benchmark::Counter::kIsIterationInvariantRate);
  }
}

// The floor under every frame case: what clearing and finishing a 500 by 400 frame costs on
// this GL, with nothing drawn.
void frame_empty(benchmark::State& state) {
  VunaStage::setView();
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFinish();
  }
  if (!VunaStage::glClean()) {
    state.SkipWithError("clearing left a GL error");
  }
}

// The demo's texts alone, with no widget around them: the eleven captions and the field's
// text, each drawn through a font as the widgets draw them (one display list per glyph), at
// the places the demo shows them, then glFinish. What the design's text calls cost this GL.
void frame_demo_text(benchmark::State& state) {
  struct Text {
    const char* text;
    int x;
    int y;
    int size;
  };
  static const Text texts[] = {
      {"Start", 15, 3, 16},          {"Shut Down", 150, 3, 16},  {"Sub Window", 286, 3, 16},
      {"Window", 4, 4, 16},          {"Fenster", 20, 30, 16},    {"Button 2", 130, 30, 16},
      {"Button 3", 240, 30, 16},     {"Neu !!!", 11, 71, 16},    {"Toolbar Breite anpassen", 28, 95, 16},
      {"Item 1", 20, 155, 12},       {"Item 2", 170, 155, 12},
  };
  VunaStage stage;  // the look and feel's default font
  VFont font;
  font.copyFrom(stage.screen()->getLookAndFeel()->getFont());
  long long glyphs = 0;
  for (const Text& t : texts) {
    glyphs += static_cast<long long>(std::strlen(t.text));
  }
  for (auto _ : state) {
    VunaStage::setView();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (const Text& t : texts) {
      font.setSize(t.size);
      font.drawAtPos(t.text, t.x, t.y, -1);
    }
    glFinish();
  }
  if (!VunaStage::glClean()) {
    state.SkipWithError("the texts left a GL error or an unbalanced matrix stack");
  }
  state.counters["glyphs"] = static_cast<double>(glyphs);
}

void frame_demo(benchmark::State& state) {
  VunaStage stage;
  buildDemoScene(stage.screen());
  timeFrames(state, stage);
}

// The demo scene at a scale of 2: the same 500 by 400 points on a window of twice the size
// each way (1000 by 800 pixels, drawn off screen), beside frame_demo.
void frame_demo_scale2(benchmark::State& state) {
  constexpr int kScale = 2;
  const int width = bench::kWindowWidth * kScale;
  const int height = bench::kWindowHeight * kScale;
  vt::OffscreenTarget target(width, height);
  if (!target.complete()) {
    state.SkipWithError("no framebuffer object of 1000 by 800");
    return;
  }
  VunaStage stage;
  VScreen::usePixelProjection(width, height, width, height);
  stage.screen()->setSize(width, height);
  stage.screen()->setScale(kScale);
  buildDemoScene(stage.screen());
  stage.frame();  // the first text builds the glyph lists
  for (auto _ : state) {
    VScreen::usePixelProjection(width, height, width, height);
    glLoadIdentity();
    stage.frame();
  }
  if (!VunaStage::glClean()) {
    state.SkipWithError("a frame left a GL error or an unbalanced matrix stack");
  }
  VunaStage::setView();
  setWidgets(state, stage.widgetCount());
}

// The demo scene drawn as an overlay over a program's frame: the same display pass, plus the
// saving, setting and restoring of the program's GL state around it. Beside frame_demo.
void frame_demo_overlay(benchmark::State& state) {
  VunaStage stage;
  buildDemoScene(stage.screen());
  stage.frame();  // the first text builds the glyph lists
  for (auto _ : state) {
    VunaStage::setView();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    stage.screen()->drawOverlay();
    glFinish();
  }
  if (!VunaStage::glClean()) {
    state.SkipWithError("an overlay left a GL error or an unbalanced matrix stack");
  }
  setWidgets(state, stage.widgetCount());
}

void frame_windows100(benchmark::State& state) {
  VunaStage stage;
  buildWindows100(stage.screen());
  timeFrames(state, stage);
}

void frame_buttons1000(benchmark::State& state) {
  VunaStage stage;
  buildButtons1000(stage.screen());
  timeFrames(state, stage);
}

// The same frames in the core-profile window (OpenGL 3.3 core), where the toolkit's GL 1.x
// calls are drawn by its GL layer: the layer's renderer transforms the vertices on the CPU and
// sends the frame as a few batched draws, made when the texture, the blending, the viewport or
// the colour mask change and at the end of the draw pass. The stage's own view and clear go
// through the layer too (this program is compiled with it). "draws" counts the layer's draws a
// frame.
void timeCoreFrames(benchmark::State& state, void (*build)(VScreen*)) {
  CoreContext core;
  if (!core.ready()) {
    state.SkipWithError("the core window's context is not a core profile the GL layer draws in");
    return;
  }
  VunaStage stage;
  build(stage.screen());
  const long before = VGLLayer::getDrawCount();
  timeFrames(state, stage);
  const auto frames = static_cast<double>(state.iterations() + 1);  // the untimed first one too
  state.counters["draws"] = static_cast<double>(VGLLayer::getDrawCount() - before) / frames;
}

void frame_demo_core(benchmark::State& state) { timeCoreFrames(state, buildDemoScene); }
void frame_windows100_core(benchmark::State& state) { timeCoreFrames(state, buildWindows100); }
void frame_buttons1000_core(benchmark::State& state) { timeCoreFrames(state, buildButtons1000); }

// The settings panel: a window of caption buttons, check boxes, sliders, labels and a field.
constexpr const char* kPanelMisfit = "a control of the panel is larger than its place";

void frame_panel(benchmark::State& state) {
  VunaStage stage;
  if (buildPanel(stage.screen()).empty()) {
    state.SkipWithError(kPanelMisfit);
    return;
  }
  timeFrames(state, stage);
}

// Changes of the dragged slider counted by its onChange handler.
long long sliderChanges = 0;
void countChange(VWidget*, VEvent*) { ++sliderChanges; }

// One step of a knob drag on the panel's first slider: the knob is pressed at its middle
// (untimed), then each step is one motion through the screen's host method, the button held,
// to the other of the two columns. Every step must change the value: the handler counts one
// change a step, and the value ends as the last column gives it.
void drag_slider(benchmark::State& state) {
  VunaStage stage;
  VScreen* screen = stage.screen();
  const std::vector<VSlider*> sliders = buildPanel(screen);
  if (sliders.empty()) {
    state.SkipWithError(kPanelMisfit);
    return;
  }
  VSlider* slider = sliders[bench::kDragSlider];
  const int y = bench::dragY();
  screen->glutMouse(hbLeft, hbDown, bench::dragPressX(), y);
  slider->onChange = countChange;
  sliderChanges = 0;
  screen->glutMotion(bench::dragStepX(1), y);
  const double upper = slider->getValue();
  screen->glutMotion(bench::dragStepX(0), y);
  const double lower = slider->getValue();
  if (sliderChanges != 2 || !(lower < bench::kPanelSliderValue) ||
      !(upper > bench::kPanelSliderValue)) {
    state.SkipWithError("a motion with the knob held did not move the slider");
    return;
  }
  long long step = 0;
  for (auto _ : state) {
    screen->glutMotion(bench::dragStepX(++step), y);
  }
  const bool moved =
      sliderChanges == 2 + step && slider->getValue() == (step % 2 != 0 ? upper : lower);
  screen->glutMouse(hbLeft, hbUp, bench::dragStepX(step), y);
  if (!moved) {
    state.SkipWithError("a step of the drag did not change the slider's value");
    return;
  }
  setWidgets(state, stage.widgetCount());
}

// A window holding one widget of class W, 380 by 150 at (10, 35) of the window's client area.
template <class W>
W* inWindow(VScreen* screen, int height) {
  auto* window = new VWindow(screen);
  window->setLeft(20);
  window->setTop(20);
  window->setWidth(400);
  window->setHeight(height + 50);
  auto* w = new W(window);
  w->setLeft(10);
  w->setTop(35);
  w->setWidth(380);
  w->setHeight(height);
  return w;
}

// One character typed into a focused line edit of 1,000 characters (the caret at the end, the
// text scrolled to it), through the screen's host method, then the frame that shows it. The
// character is taken back with Backspace untimed, so every step meets the same field.
void type_lineedit(benchmark::State& state) {
  VunaStage stage;
  VScreen* screen = stage.screen();
  auto* field = inWindow<VLineEdit>(screen, 20);
  field->setText(std::string(1000, 'a'));
  stage.click(40, 65);  // the focus, the caret where the press was
  screen->glutSpecialFunc(skEnd, 0, 0);
  stage.frame();
  screen->glutKeyboard('x', 0, 0);
  if (field->getText().size() != 1001 || field->getText().back() != 'x') {
    state.SkipWithError("the typed character did not reach the end of the field");
    return;
  }
  screen->glutKeyboard('\b', 0, 0);
  for (auto _ : state) {
    screen->glutKeyboard('x', 0, 0);
    VunaStage::setView();
    stage.frame();
    state.PauseTiming();
    screen->glutKeyboard('\b', 0, 0);
    state.ResumeTiming();
  }
  if (field->getText().size() != 1000) {
    state.SkipWithError("the field did not keep its 1,000 characters");
  }
  setWidgets(state, stage.widgetCount());
}

// One line appended to a text view that holds as many lines as it keeps (the oldest dropped),
// at the bottom, so the newest stays in view, then the frame that shows it.
void appendToTextView(benchmark::State& state, int lines) {
  VunaStage stage;
  auto* view = inWindow<VTextView>(stage.screen(), 150);
  view->setMaxLines(lines);
  for (int i = 1; i <= lines; ++i) {
    view->append("Line " + std::to_string(i));
  }
  stage.frame();
  for (auto _ : state) {
    view->append("Appended line");
    VunaStage::setView();
    stage.frame();
  }
  if (view->getLineCount() != lines || view->getLine(lines - 1) != "Appended line") {
    state.SkipWithError("the view did not keep its lines with the newest last");
  }
  setWidgets(state, stage.widgetCount());
}

void append_textview100(benchmark::State& state) { appendToTextView(state, 100); }
void append_textview100000(benchmark::State& state) { appendToTextView(state, 100000); }

// "Button 2" of the demo window, which lies in front at start.
void click_demo(benchmark::State& state) {
  VunaStage stage;
  buildDemoScene(stage.screen());
  VCaptionButton* target = nullptr;
  for (VWidget* w : VunaStage::descendants(stage.screen())) {
    auto* button = dynamic_cast<VCaptionButton*>(w);
    if (button != nullptr && button->getCaption() == "Button 2") {
      target = button;
    }
  }
  if (target == nullptr) {
    state.SkipWithError("the demo scene has no \"Button 2\"");
    return;
  }
  // myMethod2 prints a line for each press; the count proves the presses instead.
  QuietOutput quiet;
  int x = 0;
  int y = 0;
  buttonCentre(target, x, y);
  const VEventHandler demoHandler = target->onPress;
  targetPresses = 0;
  target->onPress = countPress;
  for (auto _ : state) {
    stage.click(x, y);
  }
  target->onPress = demoHandler;
  if (targetPresses != static_cast<long long>(state.iterations())) {
    state.SkipWithError("a click did not press \"Button 2\"");
    return;
  }
  setWidgets(state, stage.widgetCount());
}

void click_windows10000_front(benchmark::State& state) {
  VunaStage stage;
  const std::vector<VCaptionButton*> buttons = buildClickWindows(stage.screen(), bench::kClickWindows);
  timeClicks(state, stage, buttons.back(), false);
}

void click_windows10000_back(benchmark::State& state) {
  VunaStage stage;
  const std::vector<VCaptionButton*> buttons = buildClickWindows(stage.screen(), bench::kClickWindows);
  timeClicks(state, stage, buttons.front(), true);
}

// The same two clicks over grids of state.range(0) windows: the back click grows with the
// windows passed, the front click stays flat.
void click_scaling_back(benchmark::State& state) {
  VunaStage stage;
  const auto buttons = buildClickWindows(stage.screen(), static_cast<int>(state.range(0)));
  timeClicks(state, stage, buttons.front(), true);
  state.SetComplexityN(stage.widgetCount());
}

void click_scaling_front(benchmark::State& state) {
  VunaStage stage;
  const auto buttons = buildClickWindows(stage.screen(), static_cast<int>(state.range(0)));
  timeClicks(state, stage, buttons.back(), false);
  state.SetComplexityN(stage.widgetCount());
}

// A key pressed and released with the focus at the bottom of a chain of kChainDepth widgets
// below the screen: nine plain widgets, one inside the other, and a caption button in the
// innermost. Every widget on the chain sees both events.
long long keysSeen = 0;
void countKey(VWidget*, VEvent*) { ++keysSeen; }

void keys_chain10(benchmark::State& state) {
  VunaStage stage;
  VWidget* owner = stage.screen();
  for (int depth = 1; depth < bench::kChainDepth; ++depth) {
    owner = new VWidget(owner);
    owner->onKey = countKey;
  }
  auto* button = new VCaptionButton(owner);
  button->onKey = countKey;
  owner->requestFocus(button, button);
  keysSeen = 0;
  for (auto _ : state) {
    stage.screen()->glutKeyboard('a', 0, 0);
    stage.screen()->glutKeyboardUp('a', 0, 0);
  }
  if (keysSeen != 2LL * bench::kChainDepth * static_cast<long long>(state.iterations())) {
    state.SkipWithError("a key did not travel the whole focus chain");
    return;
  }
  setWidgets(state, stage.widgetCount());
}

// The list cases: one window holding one list box of the given number of rows, "Item 1" to
// "Item N" (bench/ListShape.h). Answers the list box.
VListBox* buildList(VScreen* screen, int rows) {
  auto* window = new VWindow(screen);
  window->setWidth(bench::kListWindowWidth);
  window->setHeight(bench::kListWindowHeight);
  window->setCaption(bench::kListCaption);
  auto* list = new VListBox(window);
  list->setLeft(bench::kListLeft);
  list->setTop(bench::kListTop);
  list->setWidth(bench::kListWidth);
  list->setHeight(bench::kListHeight);
  list->setItems(bench::listRows(rows));
  return list;
}

// The list drawn as the other frames; only the rows in view are drawn, whatever the count.
void frame_list(benchmark::State& state, int rows) {
  VunaStage stage;
  buildList(stage.screen(), rows);
  timeFrames(state, stage);
}

// A press and release of the left button on the list's fourth row, through the screen's host
// method (three dispatches), as the click cases do. The first click, untimed, must select that
// row. The row stays selected: each later press is a second press of it (an activation, with
// no handler here) or a first one again.
void click_list(benchmark::State& state, int rows) {
  VunaStage stage;
  VListBox* list = buildList(stage.screen(), rows);
  int x = 0;
  int y = 0;
  windowOrigin(list, x, y);
  // Rows start 2 pixels below the box's top, each getRowHeight() high.
  x += list->getWidth() / 2;
  y += 2 + bench::kListTargetRow * list->getRowHeight() + list->getRowHeight() / 2;
  stage.click(x, y);
  if (list->getSelected() != bench::kListTargetRow) {
    state.SkipWithError("a click on the fourth row did not select it");
    return;
  }
  for (auto _ : state) {
    stage.click(x, y);
  }
  if (list->getSelected() != bench::kListTargetRow) {
    state.SkipWithError("a click on the fourth row left another row selected");
    return;
  }
  setWidgets(state, stage.widgetCount());
}

// The menu bar of open_menu along the screen's top: one title and its menu (bench/ListShape.h).
VMenuBar* buildMenuBar(VScreen* screen) {
  auto* bar = new VMenuBar(screen);
  auto* menu = new VMenu(nullptr);
  for (std::size_t i = 0; i < bench::kMenuItems.size(); ++i) {
    if (i == bench::kMenuSeparator) {
      menu->addSeparator();
    } else {
      const bool last = i + 1 == bench::kMenuItems.size();
      menu->addItem(bench::kMenuItems[i], nullptr, last ? bench::kMenuShortcut : "");
    }
  }
  bar->addMenu(bench::kMenuTitle, menu);
  return bar;
}

// A press and release of the left button on the bar's title, then the frame that shows its
// menu open: what a user waits for. After each, untimed, a press outside the bar and the menu
// closes it again. Every press on the title must have opened the menu; the first open and
// close are checked before timing.
void open_menu(benchmark::State& state) {
  VunaStage stage;
  VMenuBar* bar = buildMenuBar(stage.screen());
  int x = 0;
  int y = 0;
  windowOrigin(bar, x, y);
  x += bar->getTitleLeft(0) + bar->getTitleWidth(0) / 2;
  y += bar->getHeight() / 2;
  auto menuOpen = [bar] { return bar->getOpenMenu() == 0 && bar->getMenu(0)->isOpen(); };
  auto openAndDraw = [&] {
    stage.click(x, y);
    VunaStage::setView();
    stage.frame();
  };
  auto close = [&] { stage.click(bench::kMenuAwayX, bench::kMenuAwayY); };
  stage.frame();  // the first text builds the glyph lists
  openAndDraw();
  if (!menuOpen()) {
    state.SkipWithError("a press on the menu's title did not open it");
    return;
  }
  // The bar and the open menu, which stands in the screen's pop-up layer.
  const long long widgets =
      VunaStage::subtreeCount(bar) + VunaStage::subtreeCount(bar->getMenu(0));
  close();
  if (bar->getOpenMenu() != -1 || bar->getMenu(0)->isOpen()) {
    state.SkipWithError("a press outside the open menu did not close it");
    return;
  }
  long long opened = 0;
  for (auto _ : state) {
    openAndDraw();
    state.PauseTiming();
    opened += menuOpen() ? 1 : 0;
    close();
    state.ResumeTiming();
  }
  if (opened != static_cast<long long>(state.iterations())) {
    state.SkipWithError("a press on the menu's title did not open it");
    return;
  }
  if (!VunaStage::glClean()) {
    state.SkipWithError("a frame left a GL error or an unbalanced matrix stack");
    return;
  }
  setWidgets(state, widgets);
}

// kFreeWindows windows, each freed in the same turn; the timed part is the next dispatch, which
// removes and deletes them all before it routes (a motion over the then empty screen).
void free_windows10000(benchmark::State& state) {
  VunaStage stage;
  VScreen* screen = stage.screen();
  long long widgets = 0;
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<VWindow*> windows;
    windows.reserve(bench::kFreeWindows);
    for (int i = 0; i < bench::kFreeWindows; ++i) {
      auto* window = new VWindow(screen);
      window->setWidth(200);
      window->setHeight(200);
      windows.push_back(window);
    }
    widgets = stage.widgetCount();
    for (VWindow* window : windows) {
      window->free();
    }
    state.ResumeTiming();
    screen->glutMotion(-10, -10);
  }
  if (stage.widgetCount() != 0) {
    state.SkipWithError("the dispatch left freed windows in the tree");
    return;
  }
  setWidgets(state, widgets);
}

}  // namespace

BENCHMARK(frame_empty)->Name("frame_empty/floor")->UseRealTime();
BENCHMARK(frame_demo_text)->Name("frame_demo_text/floor")->UseRealTime();
BENCHMARK(frame_demo)->Name("frame_demo/vuna")->UseRealTime();
BENCHMARK(frame_demo_overlay)->Name("frame_demo_overlay/vuna")->UseRealTime();
BENCHMARK(frame_demo_scale2)->Name("frame_demo_scale2/vuna")->UseRealTime();
BENCHMARK(frame_windows100)->Name("frame_windows100/vuna")->UseRealTime();
BENCHMARK(frame_buttons1000)->Name("frame_buttons1000/vuna")->UseRealTime();
BENCHMARK(frame_demo_core)->Name("frame_demo_core/vuna")->UseRealTime();
BENCHMARK(frame_windows100_core)->Name("frame_windows100_core/vuna")->UseRealTime();
BENCHMARK(frame_buttons1000_core)->Name("frame_buttons1000_core/vuna")->UseRealTime();
BENCHMARK(frame_panel)->Name("frame_panel/vuna")->UseRealTime();
BENCHMARK(click_demo)->Name("click_demo/vuna")->UseRealTime();
BENCHMARK(click_windows10000_front)->Name("click_windows10000_front/vuna")->UseRealTime();
BENCHMARK(click_windows10000_back)->Name("click_windows10000_back/vuna")->UseRealTime();
BENCHMARK(keys_chain10)->Name("keys_chain10/vuna")->UseRealTime();
BENCHMARK(drag_slider)->Name("drag_slider/vuna")->UseRealTime();
BENCHMARK(type_lineedit)->Name("type_lineedit/vuna")->UseRealTime();
BENCHMARK(append_textview100)->Name("append_textview100/vuna")->UseRealTime();
BENCHMARK(append_textview100000)->Name("append_textview100000/vuna")->UseRealTime();
BENCHMARK_CAPTURE(frame_list, 100, bench::kListRowsFew)->Name("frame_list100/vuna")->UseRealTime();
BENCHMARK_CAPTURE(frame_list, 1000000, bench::kListRowsMany)->Name("frame_list1000000/vuna")
    ->UseRealTime();
BENCHMARK_CAPTURE(click_list, 100, bench::kListRowsFew)->Name("click_list100/vuna")->UseRealTime();
BENCHMARK_CAPTURE(click_list, 1000000, bench::kListRowsMany)->Name("click_list1000000/vuna")
    ->UseRealTime();
BENCHMARK(open_menu)->Name("open_menu/vuna")->UseRealTime();
BENCHMARK(free_windows10000)->Name("free_windows10000/vuna")->UseRealTime()->Iterations(20)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(click_scaling_back)->Name("click_scaling_back/vuna")->UseRealTime()
    ->RangeMultiplier(4)->Range(256, 16384)->Complexity(benchmark::oN);
BENCHMARK(click_scaling_front)->Name("click_scaling_front/vuna")->UseRealTime()
    ->RangeMultiplier(4)->Range(256, 16384)->Complexity(benchmark::o1);
