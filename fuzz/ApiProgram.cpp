// ApiProgram: the interpreter of API inputs, its registry of live widgets and its checks.
#include "fuzz/ApiProgram.h"

#include <GL/freeglut.h>
#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>
#include <unordered_set>

#include "TreeInvariants.h"
#include "app/MyWindow.h"
#include "draw/VFont.h"
#include "draw/VImageSource.h"
#include "screen/host.h"
#include "support/ManualTimers.h"
#include "support/WidgetTree.h"
#include "widgets/VBoxLayout.h"
#include "widgets/VButton.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VGridLayout.h"
#include "widgets/VLabel.h"
#include "widgets/VLineEdit.h"
#include "widgets/VProgressBar.h"
#include "widgets/VRadioButton.h"
#include "widgets/VRadioButtonGroup.h"
#include "widgets/VSlider.h"
#include "widgets/VSpinBox.h"
#include "widgets/VTextEdit.h"
#include "widgets/VTextView.h"
#include "widgets/VToolBar.h"
#include "widgets/VWindow.h"

namespace vf {

namespace {

constexpr int kMostCalls = 512;
constexpr std::size_t kMostWidgets = 256;
constexpr std::size_t kMostGroups = 8;

// Numbers a selector byte below 0xC0 picks; from 0xC0 on, the next four bytes are the number.
constexpr int kNumbers[] = {0,       1,        -1,      2,         5,          10,
                            16,      20,       31,      50,        100,        200,
                            399,     400,      499,     500,       1000,       4000,
                            32767,   -32768,   65535,   1 << 24,   -(1 << 24), 1 << 30,
                            INT_MAX, INT_MIN,  INT_MAX - 1, INT_MIN + 1, -5, -100};
constexpr int kButtons[] = {0, 1, 2, 0, 0, 1, 2, 2, 3, 4, 5, 6, -1, 7, 255, INT_MIN};
constexpr int kStates[] = {0, 1, 0, 1, 0, 1, 2, -1};
// Doubles a selector byte below 0xC0 picks; from 0xC0 on, the next eight bytes are the bits.
constexpr double kReals[] = {0,        1,       -1,       0.5,     -0.5,     0.1,     2,
                             3,        7.25,    10,       25,      50,       99.5,    100,
                             1000,     -1000,   1e9,      -1e9,    1e15,     1e16,    -1e16,
                             1e300,    -1e300,  DBL_MAX,  -DBL_MAX, DBL_MIN,  -DBL_MIN,
                             DBL_TRUE_MIN, 2147483647.0, -2147483648.0, 4294967296.0,
                             HUGE_VAL, -HUGE_VAL, NAN,     -NAN,    1.0 / 3};
constexpr int kSpecialKeys[] = {1,   2,   3,   4,   5,   6,   7,   8,   9,      10,     11, 12,
                                100, 101, 102, 103, 104, 105, 106, 107, 108, 0, -1, 255,
                                256, 100000, INT_MIN, INT_MAX};

template <typename T, std::size_t N>
T pickFrom(const T (&table)[N], unsigned byte) {
  return table[byte % N];
}

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool more() const { return at_ < size_; }
  unsigned byte() { return at_ < size_ ? data_[at_++] : 0; }
  bool bit() { return (byte() & 1) != 0; }
  int number() {
    const unsigned selector = byte();
    if (selector < 0xC0) {
      return pickFrom(kNumbers, selector);
    }
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      v = (v << 8) | byte();
    }
    return static_cast<int>(v);
  }
  double real() {
    const unsigned selector = byte();
    if (selector < 0xC0) {
      return pickFrom(kReals, selector);
    }
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) {
      bits = (bits << 8) | byte();
    }
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
  }
  std::string bytes() {
    const unsigned length = byte() % 48;
    std::string s;
    for (unsigned i = 0; i < length; ++i) {
      s.push_back(static_cast<char>(byte()));
    }
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

bool skipped[opCount] = {};
bool tracing = false;

// How a dialect reads its bytes (see ApiOp). The first dialect's counts are frozen.
struct Dialect {
  int ops;
  unsigned kinds;       // widget kinds opCreate makes
  unsigned geometries;  // properties opGeometry sets
  unsigned handlers;    // handlers opHandler installs
  bool services;        // the screen has host services whose timers fire on opFireTimers
};
constexpr Dialect kFirstDialect{kFirstDialectOpCount, 9, 18, 6, false};
constexpr Dialect kPanelDialect{kPanelDialectOpCount, 16, 30, 8, true};
constexpr Dialect kTextDialect{opCount, 18, 30, 8, true};

// --- the registry -------------------------------------------------------------------------
// The widgets the program made register themselves and leave the registry in their
// destructors, whoever deletes them (the program, the screen's free queue, an owner's
// deletion). Widgets the toolkit makes itself (a window's buttons, the demo window's
// contents) are reached through the trees.

struct Run;
Run* current = nullptr;
void forget(VWidget* w);

template <class T>
class Tracked : public T {
 public:
  template <class... More>
  explicit Tracked(VWidget* owner, More... more) : T(owner, more...) {}
  ~Tracked() override { forget(this); }
};

struct Run {
  Dialect dialect = kFirstDialect;
  vt::ManualTimers timers;
  VScreen* screen = nullptr;
  vt::TreeInvariants* invariants = nullptr;
  // Trees the program holds outside the screen's: widgets made without an owner and widgets
  // taken out of their owner. Each is its own root (its Owner is null).
  std::vector<VWidget*> held;
  std::vector<VRadioButtonGroup*> groups;
  // Every live widget, refreshed before each call: the screen's tree, then the held trees.
  std::vector<VWidget*> live;
  std::unordered_set<const VWidget*> liveSet;
  std::string problems;
  std::ostringstream trace;
  // The current call's kind is skipped: its arguments are read, nothing is made, so the rest
  // of the input means the same with or without skipping.
  bool dry = false;
};

void forget(VWidget* w) {
  if (current != nullptr) {
    auto& held = current->held;
    held.erase(std::remove(held.begin(), held.end(), w), held.end());
  }
}

// Every widget of w's subtree, w first, breadth first; a widget met twice is not entered again.
std::vector<VWidget*> subtreeOf(VWidget* w) {
  std::vector<VWidget*> all{w};
  std::unordered_set<VWidget*> seen{w};
  for (std::size_t i = 0; i < all.size(); ++i) {
    for (VWidget* child : vt::childrenOf(all[i])) {
      if (child != nullptr && seen.insert(child).second) {
        all.push_back(child);
      }
    }
  }
  return all;
}

// The live list. A widget reached twice (listed by two owners, or in a cycle) is a broken tree
// that the screen's checks may not see when it lies outside the screen's tree.
void refresh(Run& run) {
  run.live.clear();
  run.liveSet.clear();
  std::vector<VWidget*> roots{run.screen};
  roots.insert(roots.end(), run.held.begin(), run.held.end());
  for (VWidget* root : roots) {
    if (!run.liveSet.insert(root).second) {
      run.problems += "a tree the program holds is listed inside another tree\n";
      continue;
    }
    const std::size_t first = run.live.size();
    run.live.push_back(root);
    for (std::size_t i = first; i < run.live.size(); ++i) {
      for (VWidget* child : vt::childrenOf(run.live[i])) {
        if (child == nullptr) {
          continue;
        }
        if (!run.liveSet.insert(child).second) {
          if (root != run.screen) {
            run.problems += vt::TreeInvariants::describe(child) +
                            " is listed twice in the trees the program holds\n";
          }
          continue;  // the screen's own checks report its tree
        }
        run.live.push_back(child);
      }
    }
  }
}

bool isLive(const Run& run, const void* w) {
  return run.liveSet.count(static_cast<const VWidget*>(w)) != 0;
}

bool listedBy(VWidget* owner, VWidget* w) {
  if (owner == nullptr) {
    return false;
  }
  for (VWidget* child : vt::childrenOf(owner)) {
    if (child == w) {
      return true;
    }
  }
  return false;
}

bool listedAnywhere(const Run& run, VWidget* w) {
  for (VWidget* x : run.live) {
    if (listedBy(x, w)) {
      return true;
    }
  }
  return false;
}

std::string nameOf(const Run& run, VWidget* w) {
  if (w == nullptr) {
    return "none";
  }
  const auto at = std::find(run.live.begin(), run.live.end(), w);
  std::ostringstream os;
  os << "#" << (at - run.live.begin()) << " " << vt::TreeInvariants::describe(w);
  return os.str();
}

// The widget the byte names among the live ones.
VWidget* pick(const Run& run, unsigned byte) { return run.live[byte % run.live.size()]; }

// Among the live widgets of type T; null when there is none.
template <class T>
T* pickOf(const Run& run, unsigned byte) {
  std::vector<T*> found;
  for (VWidget* w : run.live) {
    if (auto* t = dynamic_cast<T*>(w)) {
      found.push_back(t);
    }
  }
  return found.empty() ? nullptr : found[byte % found.size()];
}

// A widget the program may take out, delete or free: not the screen, not held elsewhere.
VWidget* pickMovable(const Run& run, unsigned byte) {
  std::vector<VWidget*> found;
  for (VWidget* w : run.live) {
    if (w != run.screen) {
      found.push_back(w);
    }
  }
  return found.empty() ? nullptr : found[byte % found.size()];
}

// Is w or a widget below it waiting in the free queue? Such a widget stays in the tree until
// the screen deletes it: the program deletes it, but never takes it out and holds it.
bool queuedWithin(const Run& run, VWidget* w) {
  const std::vector<VWidget*> queue = vt::TreeInvariants::queueOf(run.screen);
  for (VWidget* x : subtreeOf(w)) {
    if (std::find(queue.begin(), queue.end(), x) != queue.end()) {
      return true;
    }
  }
  return false;
}

// The application took w's subtree out of the tree: the screen's focus target may name it.
void takenOut(Run& run, VWidget* w) {
  for (VWidget* x : subtreeOf(w)) {
    run.invariants->deletedByApplication(x);
  }
}

// Takes w out of its owner the way a program does, and holds it.
void detach(Run& run, VWidget* w) {
  VWidget* owner = w->getOwner();
  if (owner != nullptr) {
    owner->remove(w);
    w->setOwner(nullptr);
  }
  takenOut(run, w);
  if (std::find(run.held.begin(), run.held.end(), w) == run.held.end()) {
    run.held.push_back(w);
  }
}

// x->add(w); a w that nothing listed is then x's, as the program's own code would have it,
// unless x lies in w's own tree: w stays held, so that a cycle the add made is seen. An add
// that moves w from the screen's tree into a held one takes it out as a remove would.
void attach(Run& run, VWidget* x, VWidget* w) {
  const std::vector<VWidget*> below = subtreeOf(w);
  const bool loose = !listedAnywhere(run, w) &&
                     std::find(below.begin(), below.end(), x) == below.end();
  const auto inTree = [&run](VWidget* v) {
    const std::vector<VWidget*> all = subtreeOf(run.screen);
    return std::find(all.begin(), all.end(), v) != all.end();
  };
  const bool wasInTree = inTree(w);
  x->add(w);
  if (wasInTree && !inTree(w)) {
    takenOut(run, w);
  }
  if (loose && listedBy(x, w)) {
    w->setOwner(x);
    run.held.erase(std::remove(run.held.begin(), run.held.end(), w), run.held.end());
  }
}

// The widget's origin in window pixels, counted wide so that far positions cannot overflow.
void originOf(VWidget* w, long long& x, long long& y) {
  x = 0;
  y = 0;
  for (VWidget* at = w; at != nullptr; at = at->getOwner()) {
    x += at->getLeft();
    y += at->getTop();
  }
}

int toInt(long long v) {
  return static_cast<int>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, v)));
}

// A pointer position: often inside a live widget, otherwise any number.
void position(Run& run, Reader& in, int& x, int& y) {
  if (in.bit()) {
    VWidget* w = pick(run, in.byte());
    long long ox = 0;
    long long oy = 0;
    originOf(w, ox, oy);
    const long long w1 = std::max(1, w->getWidth());
    const long long h1 = std::max(1, w->getHeight());
    x = toInt(ox + static_cast<long long>(in.byte()) % (w1 + 1));
    y = toInt(oy + static_cast<long long>(in.byte()) % (h1 + 1));
  } else {
    x = in.number();
    y = in.number();
  }
}

// --- handlers the program installs --------------------------------------------------------

void freeItself(VWidget* w, VEvent*) { w->free(); }

void freeOwner(VWidget* w, VEvent*) {
  if (w->getOwner() != nullptr) {
    w->getOwner()->free();
  }
}

// The program takes w out of its owner from w's own handler, and holds it.
void takeItselfOut(VWidget* w, VEvent*) {
  if (current != nullptr && w->getOwner() != nullptr && !queuedWithin(*current, w)) {
    detach(*current, w);
  }
}

void createChild(VWidget* w, VEvent*) {
  if (current != nullptr && current->live.size() < kMostWidgets) {
    new Tracked<VWidget>(w);
  }
}

// A widget that takes a sibling out of their owner while it is drawn: the program holds the
// sibling afterwards.
void removeSiblingWhileDrawing(VWidget* w, VEvent*) {
  VWidget* owner = w->getOwner();
  if (current == nullptr || owner == nullptr) {
    return;
  }
  for (VWidget* sibling : vt::childrenOf(owner)) {
    if (sibling != w && sibling != nullptr && !queuedWithin(*current, sibling)) {
      detach(*current, sibling);
      return;
    }
  }
}

// --- GL -----------------------------------------------------------------------------------

int glutWindow = 0;

void createWindow() {
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGBA);
  glutInitWindowSize(500, 400);
  glutInitWindowPosition(0, 0);
  glutWindow = glutCreateWindow("vuna api fuzzer");
  glutDisplayFunc([] {});
}

GLint modelViewDepth() {
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  return depth;
}

// The stack errors a pass may leave; other GL errors (a negative viewport) are the caller's.
std::string stackErrors(const char* pass) {
  std::string found;
  for (GLenum e = glGetError(); e != GL_NO_ERROR; e = glGetError()) {
    if (e == GL_STACK_OVERFLOW || e == GL_STACK_UNDERFLOW) {
      found = std::string("the model-view stack ") +
              (e == GL_STACK_OVERFLOW ? "overflowed" : "underflowed") + " during " + pass + "\n";
    }
  }
  return found;
}

void clearGlErrors() {
  while (glGetError() != GL_NO_ERROR) {
  }
}

// --- the calls ----------------------------------------------------------------------------

// kind is taken modulo the dialect's count of kinds; columns serves the grid.
VWidget* create(unsigned kind, VWidget* owner, int columns) {
  switch (kind) {
    case 0: return new Tracked<VWidget>(owner);
    case 1: return new Tracked<VWindow>(owner);
    case 2: return new Tracked<VButton>(owner);
    case 3: return new Tracked<VCaptionButton>(owner);
    case 4: return new Tracked<VCheckBox>(owner);
    case 5: return new Tracked<VRadioButton>(owner);
    case 6: return new Tracked<VTextEdit>(owner);
    case 7: return new Tracked<VToolBar>(owner);
    case 8: return new Tracked<MyWindow>(owner);
    case 9: return new Tracked<VLabel>(owner);
    case 10: return new Tracked<VSlider>(owner);
    case 11: return new Tracked<VSpinBox>(owner);
    case 12: return new Tracked<VProgressBar>(owner);
    case 13: return new Tracked<VBoxLayout>(owner, ldRow);
    case 14: return new Tracked<VBoxLayout>(owner, ldColumn);
    case 15: return new Tracked<VGridLayout>(owner, columns);
    case 16: return new Tracked<VLineEdit>(owner);
    default: return new Tracked<VTextView>(owner);
  }
}

// The panel dialect's properties of the layouts and the panel controls (which 18 on).
void setPanelProperty(VWidget* w, unsigned which, int v) {
  auto* layout = dynamic_cast<VLayout*>(w);
  auto* box = dynamic_cast<VBoxLayout*>(w);
  auto* grid = dynamic_cast<VGridLayout*>(w);
  auto* label = dynamic_cast<VLabel*>(w);
  switch (which) {
    case 18: if (layout) layout->setMargin(v); break;
    case 19: if (box) box->setSpacing(v); break;
    case 20: if (box) box->setAlignment(static_cast<VLayoutAlignment>(v)); break;
    case 21: if (grid) grid->setColumns(v); break;
    case 22: if (grid) grid->setColumnSpacing(v); break;
    case 23: if (grid) grid->setRowSpacing(v); break;
    case 24:
      if (auto* spin = dynamic_cast<VSpinBox*>(w)) spin->setDecimals(v);
      break;
    case 25: if (label) label->setAutoSize((v & 1) != 0); break;
    case 26:
      if (auto* bar = dynamic_cast<VProgressBar*>(w)) bar->setShowPercentage((v & 1) != 0);
      break;
    case 27: if (label) label->setAlignment(static_cast<VAlignment>(v)); break;
    case 28: if (grid) grid->setSpacing(v); break;
    default: w->layout(); break;
  }
}

// which is taken modulo the dialect's count of properties: the first dialect's eighteen come
// first, the panel's after them.
void setGeometry(VWidget* w, unsigned which, int v, std::ostream& t) {
  static const char* const names[] = {
      "setLeft", "setTop", "setWidth", "setHeight", "setMinWidth", "setMinHeight",
      "setClientBorderLeft", "setClientBorderRight", "setClientBorderTop",
      "setClientBorderBottom", "setTitleBarHeight", "setTitleBarBorder", "setMinResizeWidth",
      "setMinResizeHeight", "setMaximized", "setResizable", "setMoverWidth", "setBoxSize",
      "setMargin", "setSpacing", "setAlignment", "setColumns", "setColumnSpacing",
      "setRowSpacing", "setDecimals", "setAutoSize", "setShowPercentage", "setLabelAlignment",
      "setGridSpacing", "layout"};
  static_assert(sizeof names / sizeof names[0] == kPanelDialect.geometries, "every name");
  t << names[which] << "(" << v << ")";
  auto* window = dynamic_cast<VWindow*>(w);
  if (which >= 18) {
    setPanelProperty(w, which, v);
    return;
  }
  switch (which) {
    case 0: w->setLeft(v); break;
    case 1: w->setTop(v); break;
    case 2: w->setWidth(v); break;
    case 3: w->setHeight(v); break;
    case 4: w->setMinWidth(v); break;
    case 5: w->setMinHeight(v); break;
    case 6: w->setClientBorderLeft(v); break;
    case 7: w->setClientBorderRight(v); break;
    case 8: w->setClientBorderTop(v); break;
    case 9: w->setClientBorderBottom(v); break;
    case 10: if (window) window->setTitleBarHeight(v); break;
    case 11: if (window) window->setTitleBarBorder(v); break;
    case 12: if (window) window->setMinResizeWidth(v); break;
    case 13: if (window) window->setMinResizeHeight(v); break;
    case 14: if (window) window->setMaximized((v & 1) != 0); break;
    case 15: if (window) window->setResizable((v & 1) != 0); break;
    case 16:
      if (auto* bar = dynamic_cast<VToolBar*>(w)) bar->setMoverWidth(v);
      break;
    default:
      if (auto* box = dynamic_cast<VCheckBox*>(w)) box->setBoxSize(v);
      break;
  }
}

VFont* fontOf(VWidget* w) {
  if (auto* b = dynamic_cast<VCaptionButton*>(w)) return b->getFont();
  if (auto* c = dynamic_cast<VCheckBox*>(w)) return c->getFont();
  if (auto* e = dynamic_cast<VTextEdit*>(w)) return e->getFont();
  if (auto* win = dynamic_cast<VWindow*>(w)) return win->getFont();
  if (auto* l = dynamic_cast<VLabel*>(w)) return l->getFont();
  if (auto* s = dynamic_cast<VSpinBox*>(w)) return s->getFont();
  if (auto* p = dynamic_cast<VProgressBar*>(w)) return p->getFont();
  return nullptr;
}

void setText(VWidget* w, const std::string& s, int cursor) {
  if (auto* b = dynamic_cast<VCaptionButton*>(w)) b->setCaption(s);
  if (auto* c = dynamic_cast<VCheckBox*>(w)) c->setCaption(s);
  if (auto* win = dynamic_cast<VWindow*>(w)) win->setCaption(s);
  if (auto* l = dynamic_cast<VLabel*>(w)) l->setCaption(s);
  if (auto* e = dynamic_cast<VTextEdit*>(w)) {
    e->setText(s);
    e->setCursorPos(cursor);
  }
  if (auto* line = dynamic_cast<VLineEdit*>(w)) {
    line->setMaxLength(cursor >> 16);
    line->setText(s);
    line->setSelection(cursor & 0xFF, (cursor >> 8) & 0xFF);
    line->setPasswordMode(cursor < 0);
  }
  if (auto* view = dynamic_cast<VTextView*>(w)) {
    view->append(s);
    view->setMaxLines(cursor & 0x3F);
  }
}

// A slider's, spin box's or progress bar's range (which 0), step (1) or value (2); a progress
// bar has no step.
void setValueOf(VWidget* w, unsigned which, double a, double b) {
  auto* slider = dynamic_cast<VSlider*>(w);
  auto* spin = dynamic_cast<VSpinBox*>(w);
  auto* bar = dynamic_cast<VProgressBar*>(w);
  switch (which) {
    case 0:
      if (slider) slider->setRange(a, b);
      if (spin) spin->setRange(a, b);
      if (bar) bar->setRange(a, b);
      break;
    case 1:
      if (slider) slider->setStep(a);
      if (spin) spin->setStep(a);
      break;
    default:
      if (slider) slider->setValue(a);
      if (spin) spin->setValue(a);
      if (bar) bar->setValue(a);
      break;
  }
}

// A host's timers fire: every timer pending now runs once, unless an earlier one of the same
// turn cancelled it; the timers they start wait for the next turn.
void fireTimers(vt::ManualTimers& timers) {
  std::vector<int> due;
  for (const vt::ManualTimers::Pending& p : timers.pending) {
    due.push_back(p.id);
  }
  for (int id : due) {
    const auto at = std::find_if(timers.pending.begin(), timers.pending.end(),
                                 [id](const vt::ManualTimers::Pending& p) { return p.id == id; });
    if (at != timers.pending.end()) {
      const vt::ManualTimers::Pending p = *at;
      timers.pending.erase(at);
      p.callback(p.data);
    }
  }
}

std::string printable(const std::string& s) {
  std::ostringstream os;
  for (unsigned char c : s) {
    if (c >= 32 && c < 127 && c != '"' && c != '\\') {
      os << c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      os << hex;
    }
  }
  return os.str();
}

// A click at the centre of a window's close button (right: 0) or maximise button (1), found
// from the window's own layout, so the buttons themselves are not read here.
void clickTitleButton(Run& run, VWindow* window, int which, std::ostream& t) {
  const long long size = static_cast<long long>(window->getTitleBarHeight()) - 4;
  const long long border = window->getTitleBarBorder();
  long long left = static_cast<long long>(window->getWidth()) - size - border - 3;
  if (which == 1) {
    left -= size + 3;
  }
  long long ox = 0;
  long long oy = 0;
  originOf(window, ox, oy);
  const int x = toInt(ox + left + size / 2);
  const int y = toInt(oy + border + 2 + size / 2);
  t << " at " << x << ", " << y;
  run.screen->glutMouse(0, 0, x, y);
  run.screen->glutMouse(0, 1, x, y);
}

void recreateContext() {
  const int old = glutWindow;
  createWindow();
  glutDestroyWindow(old);
  // freeglut only marks a window for destruction; its next event pass destroys the window and
  // its context. Without it every old context would stay alive, and the process would grow by a
  // window's buffers each time.
  glutMainLoopEvent();
  glutSetWindow(glutWindow);
}

// Makes one call; answers whether it routed at least one event.
bool call(Run& run, Reader& in, int op, std::ostream& t) {
  t << apiOpName(op) << " ";
  switch (op) {
    case opCreate: {
      const unsigned kind = in.byte() % run.dialect.kinds;
      const unsigned where = in.byte();
      const bool grid = kind == 15;
      const int columns = grid ? in.number() : 0;
      if (run.dry || run.live.size() >= kMostWidgets) {
        t << "(skipped: the tree is full)";
        return false;
      }
      VWidget* owner = where == 0xFF ? nullptr : pick(run, where);
      t << "kind " << kind << " in " << nameOf(run, owner);
      if (grid) {
        t << " columns " << columns;
      }
      VWidget* w = create(kind, owner, columns);
      if (owner == nullptr) {
        run.held.push_back(w);
      }
      return false;
    }
    case opAdd: {
      VWidget* x = pick(run, in.byte());
      VWidget* w = pick(run, in.byte());
      t << nameOf(run, x) << " adds " << nameOf(run, w);
      // Like remove, an add may not move a widget waiting in the free queue out of the tree.
      if (!run.dry && w != run.screen && !queuedWithin(run, w)) {
        attach(run, x, w);
      }
      return false;
    }
    case opRemove:
    case opDelete: {
      VWidget* w = pickMovable(run, in.byte());
      if (run.dry || w == nullptr || (op == opRemove && queuedWithin(run, w))) {
        return false;
      }
      t << nameOf(run, w);
      detach(run, w);
      if (op == opDelete) {
        run.held.erase(std::remove(run.held.begin(), run.held.end(), w), run.held.end());
        delete w;
      }
      return false;
    }
    case opFree: {
      VWidget* w = pickMovable(run, in.byte());
      if (!run.dry && w != nullptr) {
        t << nameOf(run, w);
        w->free();
      }
      return false;
    }
    case opReparent: {
      VWidget* w = pickMovable(run, in.byte());
      VWidget* x = pick(run, in.byte());
      if (run.dry || w == nullptr || queuedWithin(run, w)) {
        return false;
      }
      t << nameOf(run, w) << " to " << nameOf(run, x);
      detach(run, w);
      attach(run, x, w);
      return false;
    }
    case opBringToFront: {
      VWidget* w = pick(run, in.byte());
      VWidget* x = in.bit() ? pick(run, in.byte()) : w->getOwner();
      t << nameOf(run, w) << " by " << nameOf(run, x);
      if (!run.dry && x != nullptr) {
        x->bringToFront(w);
      }
      return false;
    }
    case opVisible:
    case opEnabled: {
      VWidget* w = pick(run, in.byte());
      const bool on = in.bit();
      t << nameOf(run, w) << " " << on;
      if (run.dry) {
        return false;
      }
      if (op == opVisible) {
        w->setVisible(on);
      } else {
        w->setEnabled(on);
      }
      return false;
    }
    case opGeometry: {
      VWidget* w = pick(run, in.byte());
      const unsigned which = in.byte() % run.dialect.geometries;
      const int v = in.number();
      t << nameOf(run, w) << " ";
      if (!run.dry) {
        setGeometry(w, which, v, t);
      }
      return false;
    }
    case opFontSize: {
      VWidget* w = pick(run, in.byte());
      const int v = in.number();
      if (VFont* font = run.dry ? nullptr : fontOf(w)) {
        t << nameOf(run, w) << " " << v;
        font->setSize(v);
      }
      return false;
    }
    case opText: {
      VWidget* w = pick(run, in.byte());
      const std::string s = in.bytes();
      const int cursor = in.number();
      t << nameOf(run, w) << " \"" << printable(s) << "\" cursor " << cursor;
      if (!run.dry) {
        setText(w, s, cursor);
      }
      return false;
    }
    case opRadioGroup:
    case opGroupAdd:
    case opGroupRemove:
    case opGroupSelect: {
      VRadioButton* rb = pickOf<VRadioButton>(run, in.byte());
      const unsigned g = in.byte();
      VRadioButtonGroup* group = run.groups.empty() ? nullptr : run.groups[g % run.groups.size()];
      if (op == opGroupSelect && in.bit()) {
        rb = nullptr;
      }
      t << nameOf(run, rb) << " group " << (group ? std::to_string(g % run.groups.size()) : "none");
      if (run.dry) {
        return false;
      }
      if (op == opRadioGroup && rb != nullptr) {
        rb->setRadioButtonGroup(g % 4 == 3 ? nullptr : group);
      } else if (group != nullptr && op == opGroupAdd && rb != nullptr) {
        group->add(rb);
      } else if (group != nullptr && op == opGroupRemove && rb != nullptr) {
        group->remove(rb);
      } else if (group != nullptr && op == opGroupSelect) {
        group->setAsSelected(rb);
      }
      return false;
    }
    case opGroupNew:
      if (!run.dry && run.groups.size() < kMostGroups) {
        run.groups.push_back(new VRadioButtonGroup());
        t << run.groups.size() - 1;
      }
      return false;
    case opGroupDelete: {
      const unsigned g = in.byte();
      if (!run.dry && !run.groups.empty()) {
        const std::size_t i = g % run.groups.size();
        t << i;
        delete run.groups[i];
        run.groups.erase(run.groups.begin() + static_cast<std::ptrdiff_t>(i));
      }
      return false;
    }
    case opHandler: {
      VWidget* w = pickMovable(run, in.byte());
      const unsigned which = in.byte() % run.dialect.handlers;
      static const char* const names[] = {"onCustomDraw=removeSiblingWhileDrawing",
                                          "onMouseDown=freeItself", "onClick=freeOwner",
                                          "onMouseDown=createChild", "onKey=freeItself",
                                          "onMouseUp=createChild", "onChange=freeItself",
                                          "onChange=takeItselfOut"};
      if (run.dry || w == nullptr) {
        return false;
      }
      t << nameOf(run, w) << " " << names[which];
      switch (which) {
        case 0: w->onCustomDraw = removeSiblingWhileDrawing; break;
        case 1: w->onMouseDown = freeItself; break;
        case 2: w->onClick = freeOwner; break;
        case 3: w->onMouseDown = createChild; break;
        case 4: w->onKey = freeItself; break;
        case 5: w->onMouseUp = createChild; break;
        default: {
          const VEventHandler handler = which == 6 ? freeItself : takeItselfOut;
          if (auto* slider = dynamic_cast<VSlider*>(w)) slider->onChange = handler;
          if (auto* spin = dynamic_cast<VSpinBox*>(w)) spin->onChange = handler;
          break;
        }
      }
      return false;
    }
    case opMouse: {
      const int button = pickFrom(kButtons, in.byte());
      const int state = pickFrom(kStates, in.byte());
      int x = 0;
      int y = 0;
      position(run, in, x, y);
      t << "glutMouse(" << button << ", " << state << ", " << x << ", " << y << ")";
      if (run.dry) {
        return false;
      }
      run.screen->glutMouse(button, state, x, y);
      return button >= 0 && button <= 2 && (state == 0 || state == 1);
    }
    case opMotion: {
      int x = 0;
      int y = 0;
      position(run, in, x, y);
      t << "glutMotion(" << x << ", " << y << ")";
      if (run.dry) {
        return false;
      }
      run.screen->glutMotion(x, y);
      return true;
    }
    case opKey:
    case opKeyUp:
    case opSpecial: {
      const unsigned byte = in.byte();
      int x = 0;
      int y = 0;
      position(run, in, x, y);
      if (run.dry) {
        return false;
      }
      if (op == opSpecial) {
        const int key = pickFrom(kSpecialKeys, byte);
        t << "glutSpecialFunc(" << key << ")";
        run.screen->glutSpecialFunc(key, x, y);
      } else {
        t << (op == opKey ? "glutKeyboard(" : "glutKeyboardUp(") << byte << ")";
        const auto key = static_cast<unsigned char>(byte);
        if (op == opKey) {
          run.screen->glutKeyboard(key, x, y);
        } else {
          run.screen->glutKeyboardUp(key, x, y);
        }
      }
      return true;
    }
    case opReshape: {
      const int w = in.number();
      const int h = in.number();
      t << "glutResize(" << w << ", " << h << ")";
      if (run.dry) {
        return false;
      }
      glutResize(w, h);
      clearGlErrors();  // a negative size is GL's to refuse
      return false;
    }
    case opDisplay: {
      if (run.dry) {
        return false;
      }
      const GLint depth = modelViewDepth();
      glutDisplay();
      run.problems += stackErrors("a display pass");
      if (modelViewDepth() != depth) {
        run.problems += "a display pass left the model-view stack deeper or shallower\n";
      }
      return true;
    }
    case opOverlay: {
      GLint most = 0;
      glGetIntegerv(GL_MAX_MODELVIEW_STACK_DEPTH, &most);
      const GLint depth = modelViewDepth();
      const GLint room = static_cast<GLint>(in.byte() % 4) + (in.bit() ? most : 0);
      if (run.dry) {
        return false;
      }
      glMatrixMode(GL_MODELVIEW);
      int pushed = 0;
      while (modelViewDepth() < most - room) {
        glPushMatrix();
        ++pushed;
      }
      t << "drawOverlay with " << modelViewDepth() << " of " << most << " model-view matrices";
      run.screen->drawOverlay();
      run.problems += stackErrors("the overlay");
      if (modelViewDepth() != depth + pushed) {
        run.problems += "the overlay left the model-view stack deeper or shallower\n";
      }
      for (; pushed > 0; --pushed) {
        glPopMatrix();
      }
      clearGlErrors();
      return true;
    }
    case opCloseClick:
    case opMaximizeClick: {
      VWindow* window = pickOf<VWindow>(run, in.byte());
      if (run.dry || window == nullptr) {
        return false;
      }
      t << nameOf(run, window);
      clickTitleButton(run, window, op == opCloseClick ? 0 : 1, t);
      return true;
    }
    case opFreeTitleButton: {
      VWindow* window = pickOf<VWindow>(run, in.byte());
      const bool close = in.bit();
      if (run.dry || window == nullptr) {
        return false;
      }
      VButton* button = close ? window->getCloseButton() : window->getMaximizeButton();
      t << nameOf(run, window) << (close ? " close" : " maximise") << " button";
      if (isLive(run, button)) {
        button->free();
      }
      return false;
    }
    case opRecreateContext:
      if (run.dry) {
        return false;
      }
      recreateContext();
      glutResize(run.screen->getWidth(), run.screen->getHeight());
      clearGlErrors();
      return false;
    case opValue: {
      VWidget* w = pick(run, in.byte());
      const unsigned which = in.byte() % 3;
      const double a = in.real();
      const double b = which == 0 ? in.real() : 0;
      static const char* const names[] = {"setRange", "setStep", "setValue"};
      char numbers[64];
      if (which == 0) {
        std::snprintf(numbers, sizeof numbers, "%.17g, %.17g", a, b);
      } else {
        std::snprintf(numbers, sizeof numbers, "%.17g", a);
      }
      t << nameOf(run, w) << " " << names[which] << "(" << numbers << ")";
      if (!run.dry) {
        setValueOf(w, which, a, b);
      }
      return false;
    }
    case opWheel: {
      const int stepsX = in.number();
      const int stepsY = in.number();
      int x = 0;
      int y = 0;
      position(run, in, x, y);
      t << "mouseWheel(" << stepsX << ", " << stepsY << ", " << x << ", " << y << ")";
      if (run.dry) {
        return false;
      }
      run.screen->mouseWheel(stepsX, stepsY, x, y);
      return stepsX != 0 || stepsY != 0;
    }
    case opPassiveMotion: {
      int x = 0;
      int y = 0;
      position(run, in, x, y);
      t << "glutPassiveMotion(" << x << ", " << y << ")";
      if (!run.dry) {
        run.screen->glutPassiveMotion(x, y);
      }
      return false;
    }
    case opTooltip: {
      VWidget* w = pick(run, in.byte());
      const std::string s = in.bytes();
      t << nameOf(run, w) << " \"" << printable(s) << "\"";
      if (!run.dry) {
        w->setTooltip(s);
      }
      return false;
    }
    case opFireTimers:
      t << run.timers.pending.size() << " pending";
      if (!run.dry) {
        fireTimers(run.timers);
      }
      return false;
    case opModifiers: {
      const int held = in.byte();
      t << held;
      if (!run.dry) {
        run.screen->setModifiers(held);
      }
      return false;
    }
    default:
      return false;
  }
}

void tearDown(Run& run) {
  screen = nullptr;
  delete run.screen;
  run.screen = nullptr;
  // A host forgets the timers of a screen that goes; the widgets held outside it reach no host.
  run.timers.pending.clear();
  while (!run.held.empty()) {
    VWidget* w = run.held.back();
    run.held.pop_back();
    delete w;
  }
  for (VRadioButtonGroup* g : run.groups) {
    delete g;
  }
  run.groups.clear();
}

}  // namespace

const char* apiOpName(int op) {
  static const char* const names[] = {
      "create",       "add",           "remove",         "free",         "delete",
      "reparent",     "bringToFront",  "visible",        "enabled",      "geometry",
      "fontSize",     "text",          "radioGroup",     "groupAdd",     "groupRemove",
      "groupNew",     "groupDelete",   "groupSelect",    "handler",      "mouse",
      "motion",       "key",           "keyUp",          "special",      "reshape",
      "display",      "overlay",       "closeClick",     "maximizeClick", "freeTitleButton",
      "recreateContext", "value",         "wheel",          "passiveMotion", "tooltip",
      "fireTimers",   "modifiers"};
  static_assert(sizeof names / sizeof names[0] == opCount, "a name for every op");
  return op >= 0 && op < opCount ? names[op] : "?";
}

void ApiProgram::openContext(const char* assetFolder) {
  int argc = 1;
  char name[] = "vuna_api_fuzzer";
  char* argv[] = {name, nullptr};
  glutInit(&argc, argv);
  createWindow();
  for (int i = 0; i < 10; ++i) {
    glutMainLoopEvent();
  }
  // The GL driver is a library that libGL loads and may unload by itself; once unloaded,
  // LeakSanitizer cannot name it, and the suppressions (tests/lsan.supp), which allow the
  // driver's own lasting allocations, cannot match. Pinning every library loaded so far keeps
  // them mapped.
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void*) {
        if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0') {
          dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        }
        return 0;
      },
      nullptr);
  VImageSource::setFolder(assetFolder);
}

void ApiProgram::skipOps(const std::string& names) {
  std::istringstream list(names);
  std::string name;
  while (std::getline(list, name, ',')) {
    for (int op = 0; op < opCount; ++op) {
      if (name == apiOpName(op)) {
        skipped[op] = true;
      }
    }
  }
}

void ApiProgram::setTrace(bool on) { tracing = on; }

std::string ApiProgram::run(const std::uint8_t* data, std::size_t size, FreedTest freed,
                            void (*startCall)()) {
  Run run;
  current = &run;
  glutResize(500, 400);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  clearGlErrors();
  run.screen = new VScreen(nullptr);
  screen = run.screen;
  run.screen->setSize(500, 400);
  vt::TreeInvariants invariants(run.screen);
  run.invariants = &invariants;

  Reader in(data, size);
  if (size > 0 && (data[0] == kPanelDialectMarker || data[0] == kTextDialectMarker)) {
    run.dialect = in.byte() == kTextDialectMarker ? kTextDialect : kPanelDialect;
    run.screen->setHostServices(&run.timers);
  }
  std::string report;
  for (int n = 0; n < kMostCalls && in.more(); ++n) {
    const int op = static_cast<int>(in.byte() % run.dialect.ops);
    refresh(run);
    std::ostringstream t;
    invariants.beforeCall();
    if (startCall != nullptr) {
      startCall();
    }
    run.dry = skipped[op];
    const bool dispatched = call(run, in, op, t) && !run.dry;
    if (run.dry) {
      t << " (skipped)";
    }
    run.trace << "  " << n << ": " << t.str() << "\n";
    if (tracing) {
      std::fprintf(stderr, "api: %d: %s\n", n, t.str().c_str());
    }
    refresh(run);
    run.problems += invariants.afterCall(dispatched, freed);
    if (!run.problems.empty()) {
      report = "after call " + std::to_string(n) + " (" + t.str() + "):\n" + run.problems +
               "the calls:\n" + run.trace.str();
      break;
    }
  }
  if (report.empty()) {
    tearDown(run);
  }
  current = nullptr;
  return report;
}

}  // namespace vf
