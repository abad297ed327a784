// ImGuiCases: the frame and routing cases rebuilt in Dear ImGui, registered as "<case>/imgui".
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>
#include <imgui.h>
#include <imgui_impl_glut.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/ListShape.h"
#include "bench/PanelShape.h"
#include "bench/SceneShape.h"
#include "bench/peers/DemoLayout.h"
#include "bench/peers/ImGuiStage.h"

// Each toolkit window is an ImGui window of the same size at the same place, titled "Window"
// (with a hidden suffix that keeps the names distinct); its title bar brings ImGui's own two
// buttons, collapse and close, for the toolkit's maximise and close buttons. A toolbar inside a
// window is its raised strip drawn into the window's draw list with its buttons over it; a
// toolbar at the top level is an undecorated window, since only a window stands on its own in
// ImGui's z-order. Every control sits where the toolkit puts it (SetCursorPos in window
// coordinates, which count from the window's outer corner like the toolkit's), buttons at their
// slot's size; check box, radio buttons and text field take ImGui's own heights.
namespace {

using peers::Box;

constexpr ImGuiWindowFlags kWindowFlags =
    ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoScrollWithMouse;
constexpr ImGuiWindowFlags kBarFlags = kWindowFlags | ImGuiWindowFlags_NoDecoration;

void placeWindow(int x, int y, int w, int h) {
  ImGui::SetNextWindowPos(ImVec2(static_cast<float>(x), static_cast<float>(y)), ImGuiCond_Always);
  ImGui::SetNextWindowSize(ImVec2(static_cast<float>(w), static_cast<float>(h)), ImGuiCond_Always);
}

void placeItem(Box b) { ImGui::SetCursorPos(ImVec2(static_cast<float>(b.x), static_cast<float>(b.y))); }

bool button(Box b, const char* caption) {
  placeItem(b);
  return ImGui::Button(caption, ImVec2(static_cast<float>(b.w), static_cast<float>(b.h)));
}

// A toolbar's raised strip inside the current window.
void toolbarStrip(Box b) {
  const ImVec2 o = ImGui::GetWindowPos();
  const ImVec2 lo(o.x + static_cast<float>(b.x), o.y + static_cast<float>(b.y));
  const ImVec2 hi(lo.x + static_cast<float>(b.w), lo.y + static_cast<float>(b.h));
  ImDrawList* list = ImGui::GetWindowDrawList();
  list->AddRectFilled(lo, hi, ImGui::GetColorU32(ImGuiCol_FrameBg));
  list->AddRect(lo, hi, ImGui::GetColorU32(ImGuiCol_Border));
}

// A titled window with its close button: the window and the two title-bar buttons it brings.
constexpr long long kWindowWidgets = 3;

// What a demo window keeps between frames, as its toolkit widgets keep it.
struct DemoWindowState {
  std::string name;
  std::array<char, 64> text{};
  bool check = false;
  int radio = 0;
  bool open = true;
};

DemoWindowState demoWindowState(const std::string& name) {
  DemoWindowState s;
  s.name = name;
  std::snprintf(s.text.data(), s.text.size(), "%s", peers::kTextFieldText);
  return s;
}

// The demo window at (x, y); presses counts the presses of its "Button 2" when not null.
long long demoWindow(DemoWindowState& s, int x, int y, long long* presses, ImGuiWindowFlags extra = 0) {
  placeWindow(x, y, peers::kDemoWidth, peers::kDemoHeight);
  ImGui::Begin(s.name.c_str(), &s.open, kWindowFlags | extra);
  long long n = kWindowWidgets;

  placeItem(peers::kTextField);
  ImGui::SetNextItemWidth(static_cast<float>(peers::kTextField.w));
  ImGui::InputText("##text", s.text.data(), s.text.size());
  ++n;

  placeItem(peers::kCheckBox);
  ImGui::Checkbox(peers::kCheckCaption, &s.check);
  ++n;

  toolbarStrip(peers::kRadioBar);
  ++n;
  for (int i = 0; i < 2; ++i) {
    placeItem(peers::slotIn(peers::kRadioBar, 2, i));
    ImGui::RadioButton(peers::kRadioCaptions[static_cast<std::size_t>(i)], &s.radio, i);
    ++n;
  }

  toolbarStrip(peers::kButtonBar);
  ++n;
  for (int i = 0; i < 3; ++i) {
    if (button(peers::slotIn(peers::kButtonBar, 3, i), peers::kButtonBarCaptions[static_cast<std::size_t>(i)]) &&
        i == peers::kDemoTargetSlot && presses != nullptr) {
      ++*presses;
    }
    ++n;
  }
  ImGui::End();
  return n;
}

// A top-level toolbar: an undecorated window with one button per caption in equal slots.
template <std::size_t N>
long long screenToolbar(const char* name, Box bar, const std::array<const char*, N>& captions) {
  placeWindow(bar.x, bar.y, bar.w, bar.h);
  ImGui::Begin(name, nullptr, kBarFlags);
  long long n = 1;
  const Box local = {0, 0, bar.w, bar.h};
  for (std::size_t i = 0; i < N; ++i) {
    button(peers::slotIn(local, static_cast<int>(N), static_cast<int>(i)), captions[i]);
    ++n;
  }
  ImGui::End();
  return n;
}

// A window is hovered and its items placed from the previous frame's geometry: two frames
// before anything is timed or checked.
template <class Scene>
long long settle(ImGuiStage& stage, Scene& scene) {
  stage.frame(scene);
  return stage.frame(scene);
}

template <class Scene>
void runFrames(benchmark::State& state, ImGuiStage& stage, Scene& scene) {
  if (!stage.ready()) {
    state.SkipWithError("ImGui's OpenGL renderer could not be set up in its context");
    return;
  }
  state.counters["widgets"] = static_cast<double>(settle(stage, scene));
  if (!PeerGlState::clean()) {
    state.SkipWithError("ImGui's frame left a GL error");
    return;
  }
  for (auto _ : state) {
    stage.frame(scene);
  }
}

void frameDemo(benchmark::State& state, ImGuiStage::Renderer renderer) {
  ImGuiStage stage(renderer);
  DemoWindowState window = demoWindowState("Window##demo");
  auto scene = [&] {
    return screenToolbar("##screenbar", peers::kScreenBar, peers::kScreenBarCaptions) + demoWindow(window, 0, 0, nullptr);
  };
  runFrames(state, stage, scene);
}

void frameWindows100(benchmark::State& state, ImGuiStage::Renderer renderer) {
  ImGuiStage stage(renderer);
  std::vector<DemoWindowState> windows;
  for (int i = 0; i < bench::kFrameWindows; ++i) {
    windows.push_back(demoWindowState("Window##" + std::to_string(i)));
  }
  auto scene = [&] {
    long long n = 0;
    for (int i = 0; i < bench::kFrameWindows; ++i) {
      n += demoWindow(windows[static_cast<std::size_t>(i)], bench::kCascadeStep * (i % 10), bench::kCascadeStep * (i / 10),
                      nullptr);
    }
    return n;
  };
  runFrames(state, stage, scene);
}

constexpr std::array<const char*, bench::kButtonsPerBar> kNumberCaptions = {"1", "2", "3", "4", "5",
                                                                             "6", "7", "8", "9", "10"};

void frameButtons1000(benchmark::State& state, ImGuiStage::Renderer renderer) {
  ImGuiStage stage(renderer);
  std::vector<std::string> names;
  for (int i = 0; i < bench::kButtonBars; ++i) {
    names.push_back("##bar" + std::to_string(i));
  }
  auto scene = [&] {
    long long n = 0;
    for (int i = 0; i < bench::kButtonBars; ++i) {
      n += screenToolbar(names[static_cast<std::size_t>(i)].c_str(),
                         Box{0, bench::kButtonBarHeight * (i % bench::kButtonBarRows), bench::kButtonBarWidth,
                             bench::kButtonBarHeight},
                         kNumberCaptions);
    }
    return n;
  };
  runFrames(state, stage, scene);
}

Box boxOf(bench::PanelBox b) { return {b.x, b.y, b.w, b.h}; }

// What the panel keeps between frames, as its toolkit widgets keep it.
struct PanelState {
  std::array<bool, bench::kPanelCheckBoxes> checks{};
  std::array<float, bench::kPanelSliders> sliders{};
  std::array<char, 64> text{};
  bool open = true;
  long long changes = 0;  // frames in which the dragged slider changed its value
};

PanelState panelState() {
  PanelState s;
  s.sliders.fill(bench::kPanelSliderValue);
  std::snprintf(s.text.data(), s.text.size(), "%s", bench::kPanelFieldText);
  return s;
}

// The settings panel: one window holding its controls in the shared order. The rows of buttons
// repeat each other's captions, and the sliders have none, so each of them is given an ID of its
// own (ImGui names a widget by its caption within its window). A slider shows its value as a whole
// number, and ImGui rounds the value to what it shows: the panel's steps of 1.
long long panelWindow(PanelState& s) {
  placeWindow(0, 0, bench::kPanelWidth, bench::kPanelHeight);
  ImGui::Begin("Panel##panel", &s.open, kWindowFlags);
  long long n = kWindowWidgets + bench::kPanelControls;
  for (int i = 0; i < bench::kPanelButtons; ++i) {
    ImGui::PushID(i);
    const char* caption = bench::kPanelButtonCaptions[i % bench::kPanelButtonColumns];
    button(boxOf(bench::panelButton(i)), caption);
    ImGui::PopID();
  }
  for (std::size_t i = 0; i < s.checks.size(); ++i) {
    placeItem(boxOf(bench::panelCheckBox(static_cast<int>(i))));
    ImGui::Checkbox(bench::kPanelCheckCaptions[i], &s.checks[i]);
  }
  for (int i = 0; i < bench::kPanelSliders; ++i) {
    const Box b = boxOf(bench::panelSlider(i));
    placeItem(b);
    ImGui::SetNextItemWidth(static_cast<float>(b.w));
    ImGui::PushID(i);
    float& value = s.sliders[static_cast<std::size_t>(i)];
    if (ImGui::SliderFloat("##slider", &value, bench::kPanelSliderMin, bench::kPanelSliderMax,
                           "%.0f") &&
        i == bench::kDragSlider) {
      ++s.changes;
    }
    ImGui::PopID();
  }
  for (int i = 0; i < bench::kPanelLabels; ++i) {
    placeItem(boxOf(bench::panelLabel(i)));
    ImGui::TextUnformatted(bench::kPanelLabelCaptions[static_cast<std::size_t>(i)]);
  }
  placeItem(boxOf(bench::kPanelField));
  ImGui::SetNextItemWidth(static_cast<float>(bench::kPanelField.w));
  ImGui::InputText("##field", s.text.data(), s.text.size());
  ImGui::End();
  return n;
}

void framePanel(benchmark::State& state) {
  ImGuiStage stage;
  PanelState panel = panelState();
  auto scene = [&] { return panelWindow(panel); };
  runFrames(state, stage, scene);
}

// One step of a slider drag. The left button goes down on the slider's knob and a frame makes
// the slider active (untimed); each step then writes the pointer's new place into the input
// state, as the backend's motion function does, and builds one frame up to EndFrame, nothing
// drawn, as the click cases do: the active slider takes the value at the pointer while the
// frame submits it. Every step must change the value: SliderFloat reports a change in each
// step's frame, and the value ends as the last column gives it.
void dragSlider(benchmark::State& state) {
  ImGuiStage stage;
  PanelState panel = panelState();
  auto scene = [&] { return panelWindow(panel); };
  state.counters["widgets"] = static_cast<double>(settle(stage, scene));
  const int y = bench::dragY();
  float& value = panel.sliders[bench::kDragSlider];
  auto step = [&](int x) {
    ImGui_ImplGLUT_MotionFunc(x, y);
    stage.inputFrame(scene);
  };
  auto release = [&](int x) {
    ImGui_ImplGLUT_MouseFunc(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
    stage.inputFrame(scene);
  };
  ImGui_ImplGLUT_MouseFunc(GLUT_LEFT_BUTTON, GLUT_DOWN, bench::dragPressX(), y);
  stage.inputFrame(scene);
  panel.changes = 0;
  step(bench::dragStepX(1));
  const float upper = value;
  step(bench::dragStepX(0));
  const float lower = value;
  if (panel.changes != 2 || !(lower < bench::kPanelSliderValue) ||
      !(upper > bench::kPanelSliderValue)) {
    release(bench::dragStepX(0));
    state.SkipWithError("a motion with the button held did not move ImGui's slider");
    return;
  }
  long long steps = 0;
  for (auto _ : state) {
    step(bench::dragStepX(++steps));
  }
  const bool moved = panel.changes == 2 + steps && value == (steps % 2 != 0 ? upper : lower);
  release(bench::dragStepX(steps));
  if (!moved) {
    state.SkipWithError("a step of the drag did not change ImGui's slider");
  }
}

// Routing. ImGui has no router apart from its frame: an event only sets the input state
// (ImGui_ImplGLUT_MouseFunc writes the position and the button into ImGuiIO), and it is handled
// while the next frame is built, when each window and button submitted tests itself against it.
// The button reports a click on the frame in which the release is seen, so ImGui needs a frame
// for the press and one for the release; a retained router's press, release and click are those
// two frames' work. The frames are built up to EndFrame, which also settles focus and z-order:
// nothing is drawn, as a retained router draws nothing either. The vertices of the widgets are
// still written into the draw lists, since ImGui emits them while the widgets are submitted;
// only Render's gathering of the draw data and the GL are left out.
template <class Scene>
void clickOnce(ImGuiStage& stage, Scene& scene, peers::Point at) {
  ImGui_ImplGLUT_MouseFunc(GLUT_LEFT_BUTTON, GLUT_DOWN, at.x, at.y);
  stage.inputFrame(scene);
  ImGui_ImplGLUT_MouseFunc(GLUT_LEFT_BUTTON, GLUT_UP, at.x, at.y);
  stage.inputFrame(scene);
}

template <class Scene>
void runClicks(benchmark::State& state, ImGuiStage& stage, Scene& scene, peers::Point at, const long long& presses) {
  state.counters["widgets"] = static_cast<double>(settle(stage, scene));
  clickOnce(stage, scene, at);
  if (presses != 1) {
    state.SkipWithError(("the click at (" + std::to_string(at.x) + "," + std::to_string(at.y) +
                         ") did not reach its target in ImGui")
                            .c_str());
    return;
  }
  for (auto _ : state) {
    clickOnce(stage, scene, at);
  }
}

void clickDemo(benchmark::State& state) {
  ImGuiStage stage;
  long long presses = 0;
  DemoWindowState window = demoWindowState("Window##demo");
  auto scene = [&] {
    return screenToolbar("##screenbar", peers::kScreenBar, peers::kScreenBarCaptions) + demoWindow(window, 0, 0, &presses);
  };
  runClicks(state, stage, scene, peers::centreOf(peers::slotIn(peers::kButtonBar, 3, peers::kDemoTargetSlot)), presses);
}

// 10,000 windows on the grid, each with one "OK" button at its client origin. Window 0 is made
// first; no window comes to the front when focused, so window 0 stays the backmost and the last
// one the frontmost in every iteration, and ImGui's search for the hovered window (front to back
// over all windows) passes all the others before it reaches window 0. ImGui clips its hit tests
// to the display, so a window that lies beyond it cannot be clicked: the frontmost target, whose
// grid place is far outside the 500 by 400 display, is moved into it (to the centre, over the
// windows there, which it covers as the frontmost). Nothing else changes place.
void clickWindows10000(benchmark::State& state, int target) {
  ImGuiStage stage;
  long long presses = 0;
  std::vector<std::string> names;
  std::vector<peers::Point> places;
  for (int i = 0; i < bench::kClickWindows; ++i) {
    names.push_back("Window##" + std::to_string(i));
    places.push_back({bench::kClickPitchX * (i % bench::kClickColumns), bench::kClickPitchY * (i / bench::kClickColumns)});
  }
  if (target == bench::kClickWindows - 1) {
    places.back() = {(bench::kWindowWidth - bench::kClickWindowWidth) / 2,
                     (bench::kWindowHeight - bench::kClickWindowHeight) / 2};
  }
  const Box ok = peers::captionButtonAt(peers::kClientLeft, peers::kClientTop, 2);
  auto scene = [&] {
    long long n = 0;
    for (int i = 0; i < bench::kClickWindows; ++i) {
      const peers::Point p = places[static_cast<std::size_t>(i)];
      placeWindow(p.x, p.y, bench::kClickWindowWidth, bench::kClickWindowHeight);
      bool open = true;
      ImGui::Begin(names[static_cast<std::size_t>(i)].c_str(), &open, kWindowFlags | ImGuiWindowFlags_NoBringToFrontOnFocus);
      if (button(ok, "OK") && i == target) {
        ++presses;
      }
      ImGui::End();
      n += kWindowWidgets + 1;
    }
    return n;
  };
  const peers::Point p = places[static_cast<std::size_t>(target)];
  runClicks(state, stage, scene, peers::centreOf(ok, p.x, p.y), presses);
}

void clickWindowsFront(benchmark::State& state) { clickWindows10000(state, bench::kClickWindows - 1); }
void clickWindowsBack(benchmark::State& state) { clickWindows10000(state, 0); }

// A key down and up to the text field at the end of a chain: an undecorated window, child
// windows nested in it, the field in the deepest, ten in all. ImGui sends no key down a chain:
// the field that is active reads the key state while the frame is built, and the frame submits
// every window of the chain on the way, so again a frame for the key going down and one for it
// going up. The key is the left arrow. ImGui selects the whole text when the field is focused
// from code, so the first left arrow must move the cursor from the end to the start; later ones
// stop at the start and change nothing.
int recordCursor(ImGuiInputTextCallbackData* data) {
  *static_cast<int*>(data->UserData) = data->CursorPos;
  return 0;
}

void keysChain10(benchmark::State& state) {
  ImGuiStage stage;
  std::array<char, 64> text{};
  std::snprintf(text.data(), text.size(), "%s", peers::kTextFieldText);
  bool focusField = true;
  bool fieldActive = false;
  int cursor = -1;
  std::vector<std::string> names;
  for (int i = 1; i < bench::kChainDepth - 1; ++i) {
    names.push_back("chain" + std::to_string(i));
  }
  auto scene = [&] {
    placeWindow(0, 0, 400, 200);
    ImGui::Begin("##chain", nullptr, kBarFlags);
    long long n = 1;
    float w = 400.0f;
    float h = 200.0f;
    for (const std::string& name : names) {
      w -= 10.0f;
      h -= 10.0f;
      ImGui::SetCursorPos(ImVec2(5.0f, 5.0f));
      ImGui::BeginChild(name.c_str(), ImVec2(w, h), false, ImGuiWindowFlags_NoScrollbar);
      ++n;
    }
    ImGui::SetCursorPos(ImVec2(5.0f, 5.0f));
    if (focusField) {
      ImGui::SetKeyboardFocusHere();
      focusField = false;
    }
    ImGui::SetNextItemWidth(150.0f);
    ImGui::InputText("##field", text.data(), text.size(), ImGuiInputTextFlags_CallbackAlways, recordCursor, &cursor);
    fieldActive = ImGui::IsItemActive();
    ++n;
    for (std::size_t i = 0; i < names.size(); ++i) {
      ImGui::EndChild();
    }
    ImGui::End();
    return n;
  };
  auto keyOnce = [&] {
    stage.specialKey(GLUT_KEY_LEFT, true);
    stage.inputFrame(scene);
    stage.specialKey(GLUT_KEY_LEFT, false);
    stage.inputFrame(scene);
  };
  state.counters["widgets"] = static_cast<double>(settle(stage, scene));
  const int before = cursor;
  keyOnce();
  if (!fieldActive || before <= 0 || cursor != 0) {
    state.SkipWithError("the left arrow did not reach the text field at the end of ImGui's chain");
    return;
  }
  for (auto _ : state) {
    keyOnce();
  }
}

// What the list window keeps between frames: its rows and selection, the clicks that selected
// the target row, and where that row was last submitted.
struct ListState {
  std::vector<std::string> rows;
  int selected = -1;
  bool open = true;
  long long presses = 0;
  peers::Point target = {-1, -1};
};

int whole(float v) { return static_cast<int>(v); }

// The list cases: one window holding a list box (BeginListBox) whose rows are Selectables,
// submitted through an ImGuiListClipper: only the rows in view are submitted, as ImGui programs
// show long lists. A row's caption is its ID; the rows' texts are distinct.
long long listWindow(ListState& s) {
  placeWindow(0, 0, bench::kListWindowWidth, bench::kListWindowHeight);
  ImGui::Begin("List##list", &s.open, kWindowFlags);
  long long n = kWindowWidgets + 1;
  placeItem({bench::kListLeft, bench::kListTop, bench::kListWidth, bench::kListHeight});
  if (ImGui::BeginListBox("##rows", ImVec2(bench::kListWidth, bench::kListHeight))) {
    ImGuiListClipper clipper;
    clipper.Begin(static_cast<int>(s.rows.size()));
    while (clipper.Step()) {
      for (int i = clipper.DisplayStart; i < clipper.DisplayEnd; ++i) {
        if (ImGui::Selectable(s.rows[static_cast<std::size_t>(i)].c_str(), s.selected == i)) {
          s.selected = i;
          s.presses += i == bench::kListTargetRow ? 1 : 0;
        }
        if (i == bench::kListTargetRow) {
          const ImVec2 lo = ImGui::GetItemRectMin();
          const ImVec2 hi = ImGui::GetItemRectMax();
          s.target = {whole((lo.x + hi.x) / 2), whole((lo.y + hi.y) / 2)};
        }
        ++n;
      }
    }
    ImGui::EndListBox();
  }
  ImGui::End();
  return n;
}

void frameList(benchmark::State& state, int count) {
  ImGuiStage stage;
  ListState list;
  list.rows = bench::listRows(count);
  auto scene = [&] { return listWindow(list); };
  runFrames(state, stage, scene);
}

// A click on the list's fourth row, at the middle of the place the settled frames submitted it
// at; the Selectable reports the click on the release frame and the row becomes the selection.
void clickList(benchmark::State& state, int count) {
  ImGuiStage stage;
  ListState list;
  list.rows = bench::listRows(count);
  auto scene = [&] { return listWindow(list); };
  settle(stage, scene);
  runClicks(state, stage, scene, list.target, list.presses);
}

// What the main menu bar keeps between frames: whether the menu was submitted open in the last
// frame, and where its title was while it was closed.
struct MenuState {
  bool open = false;
  peers::Point title = {-1, -1};
};

// open_menu: ImGui's main menu bar along the display's top with one menu: MenuItems, a
// Separator, and the shortcut in the last item's own column.
long long mainMenuBar(MenuState& s) {
  long long n = 0;
  s.open = false;
  if (ImGui::BeginMainMenuBar()) {
    n += 2;  // the bar and its title
    if (ImGui::BeginMenu(bench::kMenuTitle)) {
      s.open = true;
      for (std::size_t i = 0; i < bench::kMenuItems.size(); ++i) {
        const bool last = i + 1 == bench::kMenuItems.size();
        if (i == bench::kMenuSeparator) {
          ImGui::Separator();
        } else {
          ImGui::MenuItem(bench::kMenuItems[i], last ? bench::kMenuShortcut : nullptr);
        }
        ++n;
      }
      ImGui::EndMenu();
    } else {
      const ImVec2 lo = ImGui::GetItemRectMin();
      const ImVec2 hi = ImGui::GetItemRectMax();
      s.title = {whole((lo.x + hi.x) / 2), whole((lo.y + hi.y) / 2)};
    }
    ImGui::EndMainMenuBar();
  }
  return n;
}

// The press on the title goes into a frame up to EndFrame, in which BeginMenu opens the menu
// (a menu title opens on the press); ImGui measures a pop-up that appears in that frame and
// shows it from the next. So drawn frames follow the release until one's draw data holds the
// menu's window beside the bar's: the frame that shows the menu open. A press outside closes
// it, untimed, in two frames up to EndFrame.
constexpr int kMenuFramesAtMost = 4;

void openMenu(benchmark::State& state) {
  ImGuiStage stage;
  MenuState menu;
  auto scene = [&] { return mainMenuBar(menu); };
  settle(stage, scene);
  const int closedLists = ImGui::GetDrawData()->CmdListsCount;
  const peers::Point at = menu.title;
  long long frames = 0;
  auto menuDrawn = [&] {
    const ImDrawData* drawn = ImGui::GetDrawData();
    return menu.open && drawn != nullptr && drawn->CmdListsCount > closedLists;
  };
  auto openAndDraw = [&] {
    ImGui_ImplGLUT_MouseFunc(GLUT_LEFT_BUTTON, GLUT_DOWN, at.x, at.y);
    stage.inputFrame(scene);
    ImGui_ImplGLUT_MouseFunc(GLUT_LEFT_BUTTON, GLUT_UP, at.x, at.y);
    long long widgets = 0;
    for (int i = 0; i < kMenuFramesAtMost; ++i) {
      widgets = stage.frame(scene);
      ++frames;
      if (menuDrawn()) {
        break;
      }
    }
    return widgets;
  };
  auto close = [&] { clickOnce(stage, scene, {bench::kMenuAwayX, bench::kMenuAwayY}); };
  state.counters["widgets"] = static_cast<double>(openAndDraw());
  if (!menuDrawn()) {
    state.SkipWithError("a press on the title did not show ImGui's menu");
    return;
  }
  close();
  stage.frame(scene);
  if (menu.open || ImGui::GetDrawData()->CmdListsCount != closedLists) {
    state.SkipWithError("a press outside did not close ImGui's menu");
    return;
  }
  frames = 0;
  long long opened = 0;
  for (auto _ : state) {
    openAndDraw();
    state.PauseTiming();
    opened += menuDrawn() ? 1 : 0;
    close();
    state.ResumeTiming();
  }
  if (opened != static_cast<long long>(state.iterations())) {
    state.SkipWithError("a press on the title did not show ImGui's menu");
    return;
  }
  state.counters["frames"] = static_cast<double>(frames) / static_cast<double>(state.iterations());
}

}  // namespace

using Renderer = ImGuiStage::Renderer;
BENCHMARK_CAPTURE(frameDemo, gl2, Renderer::openGL2)->Name("frame_demo/imgui")->UseRealTime();
BENCHMARK_CAPTURE(frameWindows100, gl2, Renderer::openGL2)->Name("frame_windows100/imgui")->UseRealTime();
BENCHMARK_CAPTURE(frameButtons1000, gl2, Renderer::openGL2)->Name("frame_buttons1000/imgui")->UseRealTime();
// The same scenes in the core-profile window, drawn by ImGui's OpenGL3 renderer.
BENCHMARK_CAPTURE(frameDemo, core, Renderer::openGL3Core)->Name("frame_demo_core/imgui")->UseRealTime();
BENCHMARK_CAPTURE(frameWindows100, core, Renderer::openGL3Core)
    ->Name("frame_windows100_core/imgui")
    ->UseRealTime();
BENCHMARK_CAPTURE(frameButtons1000, core, Renderer::openGL3Core)
    ->Name("frame_buttons1000_core/imgui")
    ->UseRealTime();
BENCHMARK(framePanel)->Name("frame_panel/imgui")->UseRealTime();
BENCHMARK(clickDemo)->Name("click_demo/imgui")->UseRealTime();
BENCHMARK(clickWindowsFront)->Name("click_windows10000_front/imgui")->UseRealTime();
BENCHMARK(clickWindowsBack)->Name("click_windows10000_back/imgui")->UseRealTime();
BENCHMARK(keysChain10)->Name("keys_chain10/imgui")->UseRealTime();
BENCHMARK(dragSlider)->Name("drag_slider/imgui")->UseRealTime();
BENCHMARK_CAPTURE(frameList, 100, bench::kListRowsFew)->Name("frame_list100/imgui")->UseRealTime();
BENCHMARK_CAPTURE(frameList, 1000000, bench::kListRowsMany)->Name("frame_list1000000/imgui")->UseRealTime();
BENCHMARK_CAPTURE(clickList, 100, bench::kListRowsFew)->Name("click_list100/imgui")->UseRealTime();
BENCHMARK_CAPTURE(clickList, 1000000, bench::kListRowsMany)->Name("click_list1000000/imgui")->UseRealTime();
BENCHMARK(openMenu)->Name("open_menu/imgui")->UseRealTime();
