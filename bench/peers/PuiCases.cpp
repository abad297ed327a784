// PuiCases: the frame and routing cases rebuilt in PLIB's PUI, registered as "<case>/pui".
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>
#include <plib/puGLUT.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "bench/ListShape.h"
#include "bench/PanelShape.h"
#include "bench/SceneShape.h"
#include "bench/peers/DemoLayout.h"
#include "bench/peers/PuiStage.h"

// Each toolkit window becomes a PUI group holding a frame for its body, a frame for its title bar
// with the caption, and two one-shot buttons for close and maximise; a toolbar becomes a frame
// with its buttons over it (a group of its own when it stands alone at the top level). Buttons
// are puOneShot, the check box a puButton with a v-shaped check mark, the radio pair one
// puButtonBox in one-of-many mode (PUI's only radio control, which stacks its items), the text
// field a puInput. PUI keeps the pointers it is given for legends and labels: every text here is
// a literal.
namespace {

using peers::Box;

void countCall(puObject* o) { ++*static_cast<long long*>(o->getUserData()); }

puOneShot* makeButton(PuiStage& stage, Box b, int parentHeight, const char* caption, long long* calls) {
  auto* button = stage.make<puOneShot>(b, parentHeight);
  button->setLegend(caption);
  if (calls != nullptr) {
    button->setUserData(calls);
    button->setCallback(countCall);
  }
  return button;
}

void makeToolbarFrame(PuiStage& stage, Box bar, int parentHeight) {
  stage.make<puFrame>(bar, parentHeight);
}

// A top-level toolbar: its own group, a frame and one button per caption in equal slots.
template <std::size_t N>
void makeScreenToolbar(PuiStage& stage, Box bar, const std::array<const char*, N>& captions) {
  puGroup* g = stage.openRoot(bar);
  const Box local = {0, 0, bar.w, bar.h};
  makeToolbarFrame(stage, local, bar.h);
  for (std::size_t i = 0; i < N; ++i) {
    makeButton(stage, peers::slotIn(local, static_cast<int>(N), static_cast<int>(i)), bar.h, captions[i], nullptr);
  }
  stage.close(g);
}

// The frame every window has: body, title bar with the caption, close and maximise buttons.
void makeWindowFrame(PuiStage& stage, int w, int h, const char* caption = peers::kWindowCaption) {
  stage.make<puFrame>(Box{0, 0, w, h}, h);
  auto* title = stage.make<puFrame>(peers::titleBar(w), h);
  title->setLegend(caption);
  title->setLegendPlace(PUPLACE_CENTERED_LEFT);
  title->setColourScheme(0.0f, 0.0f, 0.9f, 1.0f);
  title->setColour(PUCOL_LEGEND, 1.0f, 1.0f, 1.0f, 1.0f);
  makeButton(stage, peers::maximizeButton(w), h, "+", nullptr);
  makeButton(stage, peers::closeButton(w), h, "x", nullptr);
}

char kItem1[] = "Item 1";
char kItem2[] = "Item 2";
char* kRadioLabels[] = {kItem1, kItem2, nullptr};

// The demo window at (x, y); calls counts the presses of its "Button 2".
void makeDemoWindow(PuiStage& stage, int x, int y, long long* calls) {
  const int w = peers::kDemoWidth;
  const int h = peers::kDemoHeight;
  puGroup* g = stage.openRoot({x, y, w, h});
  makeWindowFrame(stage, w, h);

  auto* text = stage.make<puInput>(peers::kTextField, h);
  text->setValue(peers::kTextFieldText);

  auto* check = stage.make<puButton>(Box{peers::kCheckBox.x, peers::kCheckBox.y, peers::kCheckBoxSize, peers::kCheckBoxSize},
                                     h, PUBUTTON_VCHECK);
  check->setLabel(peers::kCheckCaption);
  check->setLabelPlace(PUPLACE_CENTERED_RIGHT);
  check->setValue(0);

  makeToolbarFrame(stage, peers::kRadioBar, h);
  const Box first = peers::slotIn(peers::kRadioBar, 2, 0);
  const Box last = peers::slotIn(peers::kRadioBar, 2, 1);
  auto* radios = stage.make<puButtonBox>(Box{first.x, first.y, last.x + last.w - first.x, first.h}, h, kRadioLabels, 1);
  radios->setValue(0);

  makeToolbarFrame(stage, peers::kButtonBar, h);
  for (int i = 0; i < 3; ++i) {
    makeButton(stage, peers::slotIn(peers::kButtonBar, 3, i), h, peers::kButtonBarCaptions[static_cast<std::size_t>(i)],
               i == peers::kDemoTargetSlot ? calls : nullptr);
  }
  stage.close(g);
}

void makeDemoScene(PuiStage& stage, long long* calls) {
  makeScreenToolbar(stage, peers::kScreenBar, peers::kScreenBarCaptions);
  makeDemoWindow(stage, 0, 0, calls);
}

// Draws the scene once outside the timed loop; false when PUI left a GL error behind.
bool firstFrameClean(PuiStage& stage) {
  PeerGlState::clean();
  stage.frame();
  return PeerGlState::clean();
}

void runFrames(benchmark::State& state, PuiStage& stage) {
  state.counters["widgets"] = static_cast<double>(stage.objects());
  for (auto _ : state) {
    stage.frame();
  }
}

void frameDemo(benchmark::State& state) {
  PuiStage stage;
  makeDemoScene(stage, nullptr);
  runFrames(state, stage);
}

void frameWindows100(benchmark::State& state) {
  PuiStage stage;
  for (int i = 0; i < bench::kFrameWindows; ++i) {
    makeDemoWindow(stage, bench::kCascadeStep * (i % 10), bench::kCascadeStep * (i / 10), nullptr);
  }
  runFrames(state, stage);
}

constexpr std::array<const char*, bench::kButtonsPerBar> kNumberCaptions = {"1", "2", "3", "4", "5",
                                                                             "6", "7", "8", "9", "10"};

void frameButtons1000(benchmark::State& state) {
  PuiStage stage;
  for (int i = 0; i < bench::kButtonBars; ++i) {
    makeScreenToolbar(stage, Box{0, bench::kButtonBarHeight * (i % bench::kButtonBarRows), bench::kButtonBarWidth,
                                 bench::kButtonBarHeight},
                      kNumberCaptions);
  }
  runFrames(state, stage);
}

Box boxOf(bench::PanelBox b) { return {b.x, b.y, b.w, b.h}; }

// The settings panel: one window holding its controls in the shared order. The check boxes are
// a box each with the caption as its label to the right, as in the demo window; a slider is a
// puSlider over the panel's range in whole steps; a label is a puText, whose text PUI puts to
// the right of its place and above it, so the place is the label's bottom-left corner. Answers
// the sliders in order.
std::vector<puSlider*> makePanel(PuiStage& stage) {
  const int h = bench::kPanelHeight;
  puGroup* g = stage.openRoot({0, 0, bench::kPanelWidth, h});
  makeWindowFrame(stage, bench::kPanelWidth, h, bench::kPanelCaption);
  for (int i = 0; i < bench::kPanelButtons; ++i) {
    makeButton(stage, boxOf(bench::panelButton(i)), h,
               bench::kPanelButtonCaptions[i % bench::kPanelButtonColumns], nullptr);
  }
  for (int i = 0; i < bench::kPanelCheckBoxes; ++i) {
    const bench::PanelBox b = bench::panelCheckBox(i);
    const Box box = {b.x, b.y, bench::kPanelCheckSize, bench::kPanelCheckSize};
    auto* check = stage.make<puButton>(box, h, PUBUTTON_VCHECK);
    check->setLabel(bench::kPanelCheckCaptions[static_cast<std::size_t>(i)]);
    check->setLabelPlace(PUPLACE_CENTERED_RIGHT);
    check->setValue(0);
  }
  std::vector<puSlider*> sliders;
  for (int i = 0; i < bench::kPanelSliders; ++i) {
    const bench::PanelBox b = bench::panelSlider(i);
    auto* slider = stage.makeFrom<puSlider>(b.x, h - b.y - b.h, b.w, FALSE, b.h);
    slider->setMinValue(bench::kPanelSliderMin);
    slider->setMaxValue(bench::kPanelSliderMax);
    slider->setStepSize(1.0f);
    slider->setValue(bench::kPanelSliderValue);
    sliders.push_back(slider);
  }
  for (int i = 0; i < bench::kPanelLabels; ++i) {
    const bench::PanelBox b = bench::panelLabel(i);
    auto* text = stage.makeFrom<puText>(b.x, h - b.y - b.h);
    text->setLabel(bench::kPanelLabelCaptions[static_cast<std::size_t>(i)]);
  }
  stage.make<puInput>(boxOf(bench::kPanelField), h)->setValue(bench::kPanelFieldText);
  stage.close(g);
  return sliders;
}

void framePanel(benchmark::State& state) {
  PuiStage stage;
  makePanel(stage);
  runFrames(state, stage);
}

// One step of a slider drag: the left button goes down on the knob (untimed), and each step is
// one puMouse motion with it held, to the other of the two columns. PUI hit-tests the motion
// through its groups like a press, and the slider under it takes the value at the pointer and
// runs its callback. Every step must change the value: the callback runs once a step, and the
// value ends as the last column gives it.
void dragSlider(benchmark::State& state) {
  PuiStage stage;
  puSlider* slider = makePanel(stage)[bench::kDragSlider];
  state.counters["widgets"] = static_cast<double>(stage.objects());
  const int y = bench::dragY();
  long long changes = 0;
  stage.press(bench::dragPressX(), y);
  slider->setUserData(&changes);
  slider->setCallback(countCall);
  stage.motion(bench::dragStepX(1), y);
  const float upper = slider->getFloatValue();
  stage.motion(bench::dragStepX(0), y);
  const float lower = slider->getFloatValue();
  if (changes != 2 || !(lower < bench::kPanelSliderValue) || !(upper > bench::kPanelSliderValue)) {
    stage.release(bench::dragStepX(0), y);
    state.SkipWithError("a motion with the button held did not move PUI's slider");
    return;
  }
  long long step = 0;
  for (auto _ : state) {
    stage.motion(bench::dragStepX(++step), y);
  }
  const bool moved =
      changes == 2 + step && slider->getFloatValue() == (step % 2 != 0 ? upper : lower);
  stage.release(bench::dragStepX(step), y);
  if (!moved) {
    state.SkipWithError("a step of the drag did not change PUI's slider");
  }
}

// Routing: PUI's puMouse is its router (front to back through the groups, the object hit takes
// the press, a one-shot's callback runs on the release), so a click is one press and one
// release, nothing drawn. The target's callback must have run once before timing starts.
void runClicks(benchmark::State& state, PuiStage& stage, peers::Point at, const long long& calls) {
  state.counters["widgets"] = static_cast<double>(stage.objects());
  stage.click(at.x, at.y);
  if (calls != 1) {
    state.SkipWithError(("the click at (" + std::to_string(at.x) + "," + std::to_string(at.y) +
                         ") did not reach its target in PUI")
                            .c_str());
    return;
  }
  for (auto _ : state) {
    stage.click(at.x, at.y);
  }
}

void clickDemo(benchmark::State& state) {
  PuiStage stage;
  long long calls = 0;
  makeDemoScene(stage, &calls);
  runClicks(state, stage, peers::centreOf(peers::slotIn(peers::kButtonBar, 3, peers::kDemoTargetSlot)), calls);
}

// 10,000 windows on the grid, each a frame with one "OK" button at its client origin; window 0
// was made first, so PUI draws it first and searches it last.
void clickWindows10000(benchmark::State& state, int target) {
  PuiStage stage;
  long long calls = 0;
  const Box ok = peers::captionButtonAt(peers::kClientLeft, peers::kClientTop, 2);
  for (int i = 0; i < bench::kClickWindows; ++i) {
    const int x = bench::kClickPitchX * (i % bench::kClickColumns);
    const int y = bench::kClickPitchY * (i / bench::kClickColumns);
    puGroup* g = stage.openRoot({x, y, bench::kClickWindowWidth, bench::kClickWindowHeight});
    makeWindowFrame(stage, bench::kClickWindowWidth, bench::kClickWindowHeight);
    makeButton(stage, ok, bench::kClickWindowHeight, "OK", i == target ? &calls : nullptr);
    stage.close(g);
  }
  const int x = bench::kClickPitchX * (target % bench::kClickColumns);
  const int y = bench::kClickPitchY * (target / bench::kClickColumns);
  runClicks(state, stage, peers::centreOf(ok, x, y), calls);
}

void clickWindowsFront(benchmark::State& state) { clickWindows10000(state, bench::kClickWindows - 1); }
void clickWindowsBack(benchmark::State& state) { clickWindows10000(state, 0); }

// A key down and up to a text field at the end of a chain of nested groups: PUI offers a key to
// every object of every group on the way (puKeyboard walks the groups) and the field that is
// taking input moves its cursor. The field starts with its cursor at the end of "Neu !!!", so
// the first left arrow must move it one place; later ones stop at the start and change nothing.
void keysChain10(benchmark::State& state) {
  PuiStage stage;
  const int depth = bench::kChainDepth;
  Box box = {0, 0, 400, 200};
  std::vector<puGroup*> open;
  open.push_back(stage.openRoot(box));
  for (int i = 1; i < depth - 1; ++i) {
    const Box inner = {5, 5, box.w - 10, box.h - 10};
    open.push_back(stage.openGroup(inner, box.h));
    box = inner;
  }
  auto* field = stage.make<puInput>(Box{5, 5, 150, 20}, box.h);
  field->setValue(peers::kTextFieldText);
  field->acceptInput();
  for (auto it = open.rbegin(); it != open.rend(); ++it) {
    stage.close(*it);
  }
  state.counters["widgets"] = static_cast<double>(stage.objects());
  const int before = field->getCursor();
  stage.specialKey(GLUT_KEY_LEFT);
  if (field->getCursor() != before - 1) {
    state.SkipWithError("the left arrow did not reach the text field at the end of PUI's chain");
    return;
  }
  for (auto _ : state) {
    stage.specialKey(GLUT_KEY_LEFT);
  }
}

// Texts that PUI is given as a null-terminated array of char pointers (a list box's rows, a
// menu's items). PUI keeps the array and the texts, so they are made before the scene and
// outlive it.
struct TextArray {
  explicit TextArray(std::vector<std::string> from) : texts(std::move(from)) {
    pointers.reserve(texts.size() + 1);
    for (std::string& text : texts) {
      pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
  }
  std::vector<std::string> texts;
  std::vector<char*> pointers;
};

// The list cases: one window group holding a puListBox over the rows. PUI counts the rows once
// when it is given them, and draws from its top row down until the box is full.
puListBox* makeList(PuiStage& stage, TextArray& rows) {
  const int h = bench::kListWindowHeight;
  puGroup* g = stage.openRoot({0, 0, bench::kListWindowWidth, h});
  makeWindowFrame(stage, bench::kListWindowWidth, h, bench::kListCaption);
  auto* list = stage.make<puListBox>(Box{bench::kListLeft, bench::kListTop, bench::kListWidth, bench::kListHeight},
                                     h, rows.pointers.data());
  stage.close(g);
  return list;
}

void frameList(benchmark::State& state, int count) {
  TextArray rows(bench::listRows(count));
  PuiStage stage;
  makeList(stage, rows);
  runFrames(state, stage);
}

// Runs when the list's value changed by a hit: counts the hits that selected the target row.
void countTargetRow(puObject* o) {
  if (o->getIntegerValue() == bench::kListTargetRow) {
    ++*static_cast<long long*>(o->getUserData());
  }
}

// A click on the list's fourth row. PUI's rows are its legend font's height plus PUSTR_BGAP
// apart, the first PUSTR_BGAP below the box's top; a hit selects the row under it and runs the
// callback.
void clickList(benchmark::State& state, int count) {
  TextArray rows(bench::listRows(count));
  PuiStage stage;
  puListBox* list = makeList(stage, rows);
  long long calls = 0;
  list->setUserData(&calls);
  list->setCallback(countTargetRow);
  const int rowHeight = list->getLegendFont().getStringHeight() + PUSTR_BGAP;
  runClicks(state, stage,
            {bench::kListLeft + bench::kListWidth / 2,
             bench::kListTop + PUSTR_BGAP + bench::kListTargetRow * rowHeight + rowHeight / 2},
            calls);
}

// The menu's items as PUI takes them: listed from the bottom up. PUI has no separator and no
// shortcut column, so the separator is an item of dashes and the shortcut follows the last
// item's caption.
std::vector<std::string> menuItemsBottomUp() {
  std::vector<std::string> items;
  for (std::size_t i = 0; i < bench::kMenuItems.size(); ++i) {
    std::string item = bench::kMenuItems[i];
    if (i == bench::kMenuSeparator) {
      item = "----------";
    } else if (i + 1 == bench::kMenuItems.size()) {
      item = item + "   " + bench::kMenuShortcut;
    }
    items.push_back(item);
  }
  std::reverse(items.begin(), items.end());
  return items;
}

// Objects in a PUI group, the group and nested groups included.
long long objectsIn(puGroup* g) {
  long long n = 1;
  for (puObject* o = g->getFirstChild(); o != nullptr; o = o->getNextObject()) {
    n += (o->getType() & PUCLASS_GROUP) != 0 ? objectsIn(static_cast<puGroup*>(o)) : 1;
  }
  return n;
}

// open_menu: PUI's menu bar with one title, whose button shows or hides its pop-up menu (a
// group of one-shot items) when it is clicked; no item has a callback. A press and release on
// the title, then a frame; a press outside closes the menu, untimed.
void openMenu(benchmark::State& state) {
  TextArray items(menuItemsBottomUp());
  std::vector<puCallback> callbacks(items.texts.size(), nullptr);
  PuiStage stage;
  puMenuBar* bar = stage.openMenuBar();
  bar->add_submenu(bench::kMenuTitle, items.pointers.data(), callbacks.data());
  stage.close(bar);
  puObject* title = nullptr;
  puObject* menu = nullptr;
  for (puObject* o = bar->getFirstChild(); o != nullptr; o = o->getNextObject()) {
    if ((o->getType() & PUCLASS_POPUPMENU) != 0) {
      menu = o;
    } else if ((o->getType() & PUCLASS_BUTTON) != 0) {
      title = o;
    }
  }
  if (title == nullptr || menu == nullptr) {
    state.SkipWithError("PUI's menu bar has no title button or no menu");
    return;
  }
  state.counters["widgets"] = static_cast<double>(objectsIn(bar));
  // The bar moves to the window's top when it is drawn.
  if (!firstFrameClean(stage)) {
    state.SkipWithError("PUI's frame left a GL error");
    return;
  }
  int barX = 0;
  int barY = 0;
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  bar->getPosition(&barX, &barY);
  title->getPosition(&x, &y);
  title->getSize(&w, &h);
  const peers::Point at = {barX + x + w / 2, bench::kWindowHeight - (barY + y + h / 2)};
  auto openAndDraw = [&] {
    stage.click(at.x, at.y);
    stage.frame();
  };
  auto close = [&] { stage.click(bench::kMenuAwayX, bench::kMenuAwayY); };
  openAndDraw();
  if (menu->isVisible() == 0) {
    state.SkipWithError("a click on the title did not open PUI's menu");
    return;
  }
  close();
  if (menu->isVisible() != 0) {
    state.SkipWithError("a press outside did not close PUI's menu");
    return;
  }
  long long opened = 0;
  for (auto _ : state) {
    openAndDraw();
    state.PauseTiming();
    opened += menu->isVisible() != 0 ? 1 : 0;
    close();
    state.ResumeTiming();
  }
  if (opened != static_cast<long long>(state.iterations())) {
    state.SkipWithError("a click on the title did not open PUI's menu");
  }
}

}  // namespace

BENCHMARK(frameDemo)->Name("frame_demo/pui")->UseRealTime();
BENCHMARK(frameWindows100)->Name("frame_windows100/pui")->UseRealTime();
BENCHMARK(frameButtons1000)->Name("frame_buttons1000/pui")->UseRealTime();
BENCHMARK(framePanel)->Name("frame_panel/pui")->UseRealTime();
BENCHMARK(clickDemo)->Name("click_demo/pui")->UseRealTime();
BENCHMARK(clickWindowsFront)->Name("click_windows10000_front/pui")->UseRealTime();
BENCHMARK(clickWindowsBack)->Name("click_windows10000_back/pui")->UseRealTime();
BENCHMARK(keysChain10)->Name("keys_chain10/pui")->UseRealTime();
BENCHMARK(dragSlider)->Name("drag_slider/pui")->UseRealTime();
BENCHMARK_CAPTURE(frameList, 100, bench::kListRowsFew)->Name("frame_list100/pui")->UseRealTime();
BENCHMARK_CAPTURE(frameList, 1000000, bench::kListRowsMany)->Name("frame_list1000000/pui")->UseRealTime();
BENCHMARK_CAPTURE(clickList, 100, bench::kListRowsFew)->Name("click_list100/pui")->UseRealTime();
BENCHMARK_CAPTURE(clickList, 1000000, bench::kListRowsMany)->Name("click_list1000000/pui")->UseRealTime();
BENCHMARK(openMenu)->Name("open_menu/pui")->UseRealTime();
