// VScreen: dispatch, the deferred free queue, the end of focus requests and the host methods.
#include "screen/VScreen.h"

// Buffer objects (an unpack buffer the program left bound) are past OpenGL 1.3's header.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "core/VClamp.h"
#include "core/VHostButton.h"
#include "core/VMessages.h"
#include "draw/DrawText.h"
#include "draw/VGLLayer.h"
#include "draw/VLookAndFeel.h"
#include "screen/VKeyboardNavigator.h"
#include "screen/VTooltip.h"
#include "widgets/VMenu.h"
#include "widgets/VPopupLayer.h"
#include "widgets/VWindow.h"

namespace {

// Pointer positions from a caller are held within +-2^24 before they enter the tree: routing
// subtracts each widget's offset on the way down, and a position near the int limits would
// overflow there. A real window never reports positions that far out.
constexpr int kCoordinateLimit = 1 << 24;

// While Vuna loads or draws in a program's context: keeps the given attribute groups on the
// attribute stacks (when they have room) and the pixel-unpack buffer binding, and sets GL's
// default unpack state, which the image loader reads its pixels under from client memory. All
// comes back when the guard goes.
class GuestState {
 public:
  GuestState(GLbitfield serverGroups, GLbitfield clientGroups);
  ~GuestState();
  GuestState(const GuestState&) = delete;
  GuestState& operator=(const GuestState&) = delete;
  // False when the program had filled a stack: its state is then not kept.
  bool saved() const { return Saved; }

 private:
  bool Saved;
  GLint UnpackBuffer = 0;
};

int clampCoordinate(int v) {
  return v < -kCoordinateLimit ? -kCoordinateLimit : v > kCoordinateLimit ? kCoordinateLimit : v;
}

// The screens alive now (a program has one or a few), told when a widget with a tooltip goes.
std::vector<VScreen*>& liveScreens() {
  static std::vector<VScreen*> screens;
  return screens;
}

}  // namespace

VScreen::VScreen(VWidget* owner)
    : VWidget(owner),
      ScreenFocusedWidget(nullptr),
      LastEvent(new VEvent()),
      Tooltip(new VTooltip(this)),
      Navigator(new VKeyboardNavigator(this)),
      Popups(nullptr) {
  DropFromQueue = &VScreen::dropQueued;
  TooltipGone = &VScreen::tooltipGone;
  liveScreens().push_back(this);
  VScreen::Init();
  VScreen::layout();
  Popups = new VPopupLayer(this);  // after Init: it shares the screen's look and feel
}

VScreen::~VScreen() {
  auto& screens = liveScreens();
  screens.erase(std::find(screens.begin(), screens.end(), this));
  delete Tooltip;  // before the services may go: it cancels its timer
  Tooltip = nullptr;
  delete Navigator;
  Navigator = nullptr;
  delete Popups;  // lets go of the open pop-ups: their owners delete them
  Popups = nullptr;
  if (Detach != nullptr) {
    Detach(DetachData);
  }
  delete LastEvent;
  LastEvent = nullptr;
  VScreen::CleanUp();
  // Queued widgets in the tree go with the children in the base destructor; one the program
  // took out stays the program's. Either way none may reach back into this queue.
  for (VWidget* w : WidgetsToRemove) {
    w->QueuedIn = nullptr;
  }
  WidgetsToRemove.clear();
  QueueIndex.clear();
}

// The look and feel loads the control images, so the GL context must exist by now. A context
// that cannot serve Vuna gets one clear line instead of the GL errors the loads would raise.
//
// Loading is a guest in the program's context too: the images are read under GL's default
// unpack state, and the program's pixel-store state, bound texture and texture environment are
// back as they were afterwards.
void VScreen::Init() {
  ContextServes = contextCanServe();
  if (!ContextServes) {
    LookAndFeel = nullptr;
    return;
  }
  const VGLLayer::ProgramState program;
  const GuestState guest(GL_TEXTURE_BIT, GL_CLIENT_PIXEL_STORE_BIT);
  LookAndFeel = new VLookAndFeel();
}

void VScreen::CleanUp() {
  delete LookAndFeel;
  LookAndFeel = nullptr;
}

// --- tree and focus ---------------------------------------------------------------------------

void VScreen::remove(VWidget* child) {
  if (FocusPath == child) {
    ScreenFocusedWidget = nullptr;
  }
  VWidget::remove(child);
}

// Queues w once, at the end (a repeated request moves it there). The screen itself and null
// are never queued: deleting the root in the middle of a dispatch would pull the tree away
// from under the event being routed.
void VScreen::freeWidget(VWidget* w) {
  if (w == nullptr || w == this) {
    return;
  }
  dequeue(w);
  QueueIndex[w] = WidgetsToRemove.insert(WidgetsToRemove.end(), w);
  w->QueuedIn = this;
}

// The library knows no host: the host in use (vunaMain's GLUT, a GLFW or SDL2 adapter, a
// program's own loop) installs its services or a hook. Without either, nothing is asked of
// anybody.
void VScreen::redraw() {
  if (Services != nullptr) {
    Services->redisplay();
  } else if (Redisplay != nullptr) {
    Redisplay(RedisplayData);
  }
}

void VScreen::requestFocus(VWidget* child, VWidget* target) {
  if (FocusPath != nullptr && FocusPath != child) {
    FocusPath->clearFocusPath();
  }
  FocusPath = child;
  ScreenFocusedWidget = target;
  redraw();
}

VWidget* VScreen::getScreenFocusedWidget() { return ScreenFocusedWidget; }
void VScreen::setScreenFocusedWidget(VWidget* newValue) { ScreenFocusedWidget = newValue; }
VEvent* VScreen::getLastEvent() { return LastEvent; }

// --- hooks ------------------------------------------------------------------------------------

void VScreen::draw(VEvent*) {
  if (LookAndFeel == nullptr || !BackgroundVisible) {
    return;
  }
  LookAndFeel->getScreenColor()->setAsCurrent();
  glBegin(GL_POLYGON);
  LookAndFeel->drawRect(0.0f, 0.0f, static_cast<float>(Width), static_cast<float>(Height));
  glEnd();
}

void VScreen::layout() { fitWindows(); }

// A window keeps at least a title bar's height of its title bar's left end on the screen, so
// the user can always take it again; a maximised window fills the screen as it did. Windows
// move only when the screen's size leaves them out, never when it grows around them. A screen
// without pixels one way (a minimised window) moves no window: it has no place to keep them in.
void VScreen::fitWindows() {
  if (SizingBoth) {
    return;
  }
  const bool sized = Width > 0 && Height > 0;
  for (VWidget* child : Children) {
    auto* window = dynamic_cast<VWindow*>(child);
    if (window == nullptr) {
      continue;
    }
    if (window->getMaximized()) {
      window->setWidth(vuna::clampToInt(static_cast<long long>(Width) - ClientBorderLeft -
                                        ClientBorderRight));
      window->setHeight(vuna::clampToInt(static_cast<long long>(Height) - ClientBorderTop -
                                         ClientBorderBottom));
      continue;
    }
    if (!sized) {
      continue;
    }
    const int grip = window->getTitleBarHeight() > 0 ? window->getTitleBarHeight() : 1;
    const int maxLeft = vuna::subClamped(Width, grip);
    const int maxTop = vuna::subClamped(Height, grip);
    if (window->getLeft() > maxLeft) {
      window->setLeft(maxLeft > 0 ? maxLeft : 0);
    }
    if (window->getTop() > maxTop) {
      window->setTop(maxTop > 0 ? maxTop : 0);
    }
  }
}
bool VScreen::canDrag(VEvent*) { return false; }
bool VScreen::processEvent(VEvent*) { return false; }
// Reached only when no widget below consumed the mouse event: it came to the bare screen.
bool VScreen::processMouseOwner(VEvent*) {
  MouseReachedScreen = true;
  return false;
}
void VScreen::childrenChanged() {}
bool VScreen::canFocus(VEvent*) { return false; }

// --- dispatch ---------------------------------------------------------------------------------

void VScreen::sendEvent() {
  if (!WidgetsToRemove.empty()) {
    deleteQueuedWidgets();
  }
  const VEventType type = LastEvent->getType();
  if (type == etDraw && !ContextServes) {
    return;
  }
  MouseReachedScreen = false;
  switch (type) {
    case etMouseDown:
    case etMouseMotion:
    case etKeyboard:
    case etSpecialKey:
    case etMouseWheel:
      Tooltip->interrupt();
      break;
    default:
      break;
  }
  if (type != etDraw && type != etKeyboard && type != etKeyboardUp && type != etSpecialKey) {
    LastMouseWasWheel = type == etMouseWheel;
  }
  // A handler may dispatch again (a program feeding the screen an event from inside one):
  // only the outermost dispatch empties the free queue.
  const bool outer = Dispatching;
  Dispatching = true;
  const int clippedOut = ClippedOut;  // a nested dispatch starts its own search
  ClippedOut = 0;
  bool consumed = false;
  if (type == etMouseWheel) {
    bool overWidget = Popups->routeWheelStep(LastEvent);
    if (!overWidget) {
      routeWheel(LastEvent, &overWidget);
    }
    WheelOverWidget = overWidget;
  } else if (type == etDraw) {
    // The host's projection counts window pixels; a scaled tree is drawn in points under one
    // more scale, which its clips must know of. At a scale of 1 the pass is the designed one.
    const bool scaled = Scale != 1.0;
    const double pixelsPerPoint = devicePixelsPerPoint();
    useArtworkFor(pixelsPerPoint);
    if (scaled) {
      glPushMatrix();
      glScalef(static_cast<GLfloat>(Scale), static_cast<GLfloat>(Scale), 1.0f);
      RootPixelScale = pixelsPerPoint;
    }
    event(LastEvent);
    if (Navigation) {
      Navigator->drawRing();  // over the windows, under the pop-ups
    }
    Popups->event(LastEvent);  // over every window
    Tooltip->draw();           // over everything
    if (scaled) {
      RootPixelScale = 0;
      glPopMatrix();
    }
    VGLLayer::flush();  // the frame is whole: the host may show or read it now
  } else if (type == etKeyboard || type == etKeyboardUp || type == etSpecialKey) {
    // A menu bar's shortcut comes first, from anywhere, but never while the focused widget
    // takes the typed text: Ctrl+letter is a character code a text field may want.
    const bool shortcut = type != etKeyboardUp && !capturesKeyboard() &&
                          Popups->routeShortcut(LastEvent);
    consumed = shortcut || Popups->routeKey(LastEvent) ||
               (Navigation && Navigator->routeKey(LastEvent)) || event(LastEvent);
  } else if (Popups->routeMouse(LastEvent)) {
    consumed = true;
  } else {
    consumed = event(LastEvent);
  }
  Dispatching = outer;
  ClippedOut = clippedOut;
  if (type == etMouseDown) {
    MousePressTaken = consumed && !MouseReachedScreen;
  }
}

// Empties the queue one widget at a time, in request order, until it is empty, entries added
// on the way included: take the first widget, take it out of the list that holds it through
// that owner's remove() (the screen's own for a top-level widget, so a subclass sees every
// child leave), delete it with its subtree. Every entry names a live widget: a widget leaves
// the queue when it is deleted, so the entries of its descendants go with it, and a widget
// freed from a destructor or from a remove() or childrenChanged() override is gone before this
// dispatch routes.
//
// The focus target is cleared when it lies in the deleted subtree. That test compares pointers
// only: the target may name a widget the application has already deleted itself.
void VScreen::deleteQueuedWidgets() {
  if (Dispatching) {
    return;
  }
  std::vector<VWidget*> subtree;
  while (!WidgetsToRemove.empty()) {
    VWidget* w = WidgetsToRemove.front();
    WidgetsToRemove.pop_front();
    QueueIndex.erase(w);
    w->QueuedIn = nullptr;
    if (VWidget* holder = w->ListedIn) {
      holder->remove(w);
    }
    if (ScreenFocusedWidget != nullptr) {
      subtree.assign(1, w);
      for (std::size_t i = 0; i < subtree.size(); ++i) {
        if (subtree[i] == ScreenFocusedWidget) {
          ScreenFocusedWidget = nullptr;
          break;
        }
        const auto& children = childrenOf(subtree[i]);
        subtree.insert(subtree.end(), children.begin(), children.end());
      }
    }
    delete w;
  }
}

void VScreen::dequeue(VWidget* w) {
  auto found = QueueIndex.find(w);
  if (found != QueueIndex.end()) {
    WidgetsToRemove.erase(found->second);
    QueueIndex.erase(found);
    w->QueuedIn = nullptr;
  }
}

void VScreen::dropQueued(VWidget* screen, VWidget* w) { static_cast<VScreen*>(screen)->dequeue(w); }

void VScreen::glutResize(int, int) {}

void VScreen::glutKeyboard(unsigned char key, int x, int y) {
  LastEvent->setType(etKeyboard);
  LastEvent->setKey(key);
  LastEvent->setX(toPoints(x));
  LastEvent->setY(toPoints(y));
  sendEvent();
  redraw();
}

void VScreen::glutKeyboardUp(unsigned char key, int x, int y) {
  LastEvent->setType(etKeyboardUp);
  LastEvent->setKey(key);
  LastEvent->setX(toPoints(x));
  LastEvent->setY(toPoints(y));
  sendEvent();
  redraw();
}

void VScreen::glutSpecialFunc(int key, int x, int y) {
  LastEvent->setType(etSpecialKey);
  LastEvent->setKey(key);
  LastEvent->setX(toPoints(x));
  LastEvent->setY(toPoints(y));
  sendEvent();
  redraw();
}

void VScreen::glutMotion(int x, int y) {
  PointerX = toPoints(x);
  PointerY = toPoints(y);
  LastEvent->setType(etMouseMotion);
  LastEvent->setX(toPoints(x));
  LastEvent->setY(toPoints(y));
  sendEvent();
  redraw();
}

void VScreen::glutMouse(int button, int state, int x, int y) {
  PointerX = toPoints(x);
  PointerY = toPoints(y);
  LastEvent->setX(toPoints(x));
  LastEvent->setY(toPoints(y));
  const bool known = button == hbLeft || button == hbMiddle || button == hbRight;
  if (known) {
    LastEvent->setButton(button == hbLeft     ? mbLeft
                         : button == hbMiddle ? mbCenter
                                                   : mbRight);
    if (state == hbDown) {
      LastEvent->setType(etMouseDown);
      sendEvent();
    } else if (state == hbUp) {
      noteMouseRelease();  // ends every drag and resize, also those the release never reaches
      LastEvent->setType(etMouseUp);
      sendEvent();
      LastEvent->setType(etMouseClick);
      sendEvent();
    }
  } else if (state == hbDown && button >= 3 && button <= 6) {
    const int steps[4][2] = {{0, 1}, {0, -1}, {-1, 0}, {1, 0}};
    wheel(steps[button - 3][0], steps[button - 3][1]);
  }
  redraw();
}

bool VScreen::mouseWheel(int stepsX, int stepsY, int x, int y) {
  PointerX = toPoints(x);
  PointerY = toPoints(y);
  LastEvent->setX(toPoints(x));
  LastEvent->setY(toPoints(y));
  const bool gui = wheel(stepsX, stepsY);
  redraw();
  return gui;
}

bool VScreen::wheel(int stepsX, int stepsY) {
  if (stepsX == 0 && stepsY == 0) {
    return false;
  }
  LastEvent->setType(etMouseWheel);
  LastEvent->setWheelX(stepsX);
  LastEvent->setWheelY(stepsY);
  sendEvent();
  return WheelOverWidget;
}

void VScreen::glutPassiveMotion(int x, int y) {
  PointerX = toPoints(x);
  PointerY = toPoints(y);
  if (Popups->anyOpen()) {
    Popups->hover(toPoints(x), toPoints(y));
  }
  Tooltip->pointerMoved(toPoints(x), toPoints(y));
}

void VScreen::setModifiers(int held) { LastEvent->setModifiers(held); }

bool VScreen::isTooltipShown() const { return Tooltip->isShown(); }

void VScreen::tooltipGone(VWidget* w) {
  for (VScreen* s : liveScreens()) {
    s->Tooltip->widgetGone(w);
  }
}

void VScreen::glutDisplay() {
  LastEvent->setType(etDraw);
  sendEvent();
}

// --- living inside a program's own GL scene -------------------------------------------------

// The first switch to the dark theme loads its images: a guest in the program's context, as
// the screen's creation is.
void VScreen::setTheme(VTheme theme) {
  if (LookAndFeel != nullptr) {
    const GuestState guest(GL_TEXTURE_BIT, GL_CLIENT_PIXEL_STORE_BIT);
    LookAndFeel->setTheme(theme);
    redraw();
  }
}

VTheme VScreen::getTheme() const {
  return LookAndFeel != nullptr ? LookAndFeel->getTheme() : thLight;
}

void VScreen::setBackgroundVisible(bool visible) { BackgroundVisible = visible; }
bool VScreen::getBackgroundVisible() const { return BackgroundVisible; }

// The windows are fitted once both sizes are in: between the two, the screen would have the new
// width with the old height (10 before the first reshape) and push every window to the top.
void VScreen::setSize(int width, int height) {
  WindowWidth = width;
  WindowHeight = height;
  SizingBoth = true;
  setWidth(pointsOf(width));
  SizingBoth = false;
  setHeight(pointsOf(height));
  fitWindows();
}

void VScreen::setFramebufferSize(int width, int height) {
  FramebufferWidth = width > 0 ? width : 0;
  FramebufferHeight = height > 0 ? height : 0;
  if (!ScaleSetByProgram) {
    applyScale(hostScale());  // the framebuffer may now carry more or less of it
  }
}

// --- the scale -------------------------------------------------------------------------------

int VScreen::toPoints(int v) const {
  const int held = clampCoordinate(v);
  return Scale == 1.0 ? held : static_cast<int>(std::floor(held / Scale));
}

int VScreen::pointsOf(int pixels) const {
  return Scale == 1.0 ? pixels : vuna::toIntClamped(std::ceil(pixels / Scale));
}

int VScreen::windowPixels(int points, int known) const {
  return Scale == 1.0 ? points : known;
}

// Device pixels a window pixel: more than 1 where the desktop scales windows itself.
double VScreen::framebufferRatio() const {
  return FramebufferWidth > 0 && WindowWidth > 0
             ? static_cast<double>(FramebufferWidth) / WindowWidth
             : 1.0;
}

double VScreen::devicePixelsPerPoint() const { return Scale * framebufferRatio(); }

// The part of the host's content scale that the framebuffer does not carry already: a
// desktop that scales windows itself gives a framebuffer larger than the window, and then the
// tree must not be enlarged a second time.
double VScreen::hostScale() const { return HostScale / framebufferRatio(); }

// From 1.5 device pixels a point the artwork drawn at twice the size is the closer one: text
// and images then stay sharp instead of stretched. The switches load nothing and call no GL
// until they change (the 2x images and sheets load at their first use).
void VScreen::useArtworkFor(double pixelsPerPoint) {
  const bool sharp = pixelsPerPoint >= 1.5;
  if (CTextDrawer::GetHighResolution() != sharp) {
    CTextDrawer::SetHighResolution(sharp);
  }
  if (LookAndFeel != nullptr && LookAndFeel->getHighResolution() != sharp) {
    LookAndFeel->setHighResolution(sharp);
  }
}

void VScreen::applyScale(double scale) {
  const double held = std::isfinite(scale) ? std::clamp(scale, kMinScale, kMaxScale) : 1.0;
  if (held == Scale) {
    return;
  }
  Scale = held;
  if (WindowWidth > 0 || WindowHeight > 0) {
    setSize(WindowWidth, WindowHeight);
  }
  redraw();
}

void VScreen::setScale(double scale) {
  if (!std::isfinite(scale)) {
    return;
  }
  ScaleSetByProgram = true;
  applyScale(scale);
}

double VScreen::getScale() const { return Scale; }

void VScreen::setHostScale(double scale) {
  if (!(scale > 0) || !std::isfinite(scale)) {
    return;
  }
  HostScale = scale;
  if (!ScaleSetByProgram) {
    applyScale(hostScale());
  }
}

bool VScreen::capturesMouse() const {
  if (LastMouseWasWheel) {
    LastMouseWasWheel = false;
    return WheelOverWidget;
  }
  return MousePressTaken;
}
VWidget* VScreen::getFocusedWidget() const {
  VWidget* w = FocusPath;
  while (w != nullptr && w->getFocusPath() != nullptr) {
    w = w->getFocusPath();
  }
  return w;
}

VScreen* VScreen::of(VWidget* w) {
  while (w != nullptr && w->getOwner() != nullptr) {
    w = w->getOwner();
  }
  return dynamic_cast<VScreen*>(w);
}

bool VScreen::capturesKeyboard() const {
  VWidget* focused = getFocusedWidget();
  return focused != nullptr && focused->takesText();
}

bool VScreen::capturesKey(int key, bool special) const {
  VWidget* focused = getFocusedWidget();
  if (focused != nullptr && focused->takesKey(key, special)) {
    return true;
  }
  if (Popups == nullptr) {
    return false;
  }
  if (Popups->anyOpen() || (Navigation && Navigator->takesKey(key, special))) {
    return true;
  }
  if (focused != nullptr && focused->takesText()) {
    return false;  // the field's, as sendEvent routes it
  }
  VEvent probe;
  probe.setType(special ? etSpecialKey : etKeyboard);
  probe.setKey(key);
  return Popups->routeShortcut(&probe, false);
}

void VScreen::setKeyboardNavigation(bool on) {
  if (on != Navigation) {
    Navigation = on;
    redraw();  // the ring
  }
}

bool VScreen::getKeyboardNavigation() const { return Navigation; }

void VScreen::dropFocus() {
  clearFocusPath();
  ScreenFocusedWidget = nullptr;
  redraw();
}

void VScreen::setRedisplayHook(RedisplayHook hook, void* data) {
  Redisplay = hook;
  RedisplayData = data;
}

void VScreen::setHostServices(VHostServices* services) { Services = services; }
VHostServices* VScreen::getHostServices() { return Services; }
VPopupLayer* VScreen::getPopupLayer() { return Popups; }

void VScreen::popupMenu(VMenu* menu, int x, int y) {
  if (menu != nullptr && Popups != nullptr) {
    menu->openAt(Popups, clampCoordinate(x), clampCoordinate(y), nullptr);
    redraw();
  }
}

void VScreen::popupMenu(VMenu* menu) { popupMenu(menu, PointerX, PointerY); }

bool VScreen::isAlive(const VScreen* screen) {
  const auto& screens = liveScreens();
  return screen != nullptr && std::find(screens.begin(), screens.end(), screen) != screens.end();
}

int VScreen::startTimer(int milliseconds, VHostServices::TimerCallback callback, void* data) {
  if (Services == nullptr || callback == nullptr) {
    return 0;
  }
  return Services->startTimer(milliseconds, callback, data);
}

void VScreen::cancelTimer(int timer) {
  if (Services != nullptr && timer > 0) {
    Services->cancelTimer(timer);
  }
}

std::string VScreen::getClipboardText() {
  return Services != nullptr ? Services->getClipboardText() : Clipboard;
}

void VScreen::setClipboardText(const std::string& text) {
  if (Services != nullptr) {
    Services->setClipboardText(text);
  } else {
    Clipboard = text;
  }
}

double VScreen::getContentScale() {
  return Services != nullptr ? Services->getContentScale() : 1.0;
}

void VScreen::setPointerShape(VPointerShape shape) {
  if (Services != nullptr) {
    Services->setPointerShape(shape);
  }
}

void VScreen::contentScaleChanged() {
  if (onScaleChange != nullptr) {
    onScaleChange(this);
  }
  redraw();
}

void VScreen::setDetachHook(DetachHook hook, void* data) {
  const DetachHook old = Detach;
  void* const oldData = DetachData;
  Detach = hook;
  DetachData = data;
  if (old != nullptr && hook != nullptr && (old != hook || oldData != data)) {
    old(oldData);
  }
}

bool VScreen::hasDetachHook(DetachHook hook, void* data) const {
  return Detach == hook && DetachData == data;
}

bool VScreen::getContextServes() const { return ContextServes; }

// Vuna's GL 1.x calls reach a compatibility context as they are and a core profile (3.2 and
// up), OpenGL ES 3 or WebGL 2 through the GL layer; without a context nothing can be asked, and
// a context with neither (OpenGL ES 2, a forward-compatible 3.0) cannot serve.
bool VScreen::contextCanServe() {
  if (VGLLayer::chooseForCurrentContext() != ckNone) {
    return !VGLLayer::failed();
  }
  const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version == nullptr) {
    VMessages::write(VMessages::msError,
                     "Vuna: no OpenGL context is current; create the host window before the "
                     "screen");
  } else {
    VMessages::write(VMessages::msError,
                     std::string("Vuna: the OpenGL context (") + version +
                         ") has neither OpenGL 1.x nor what Vuna draws with in its place (a "
                         "core profile 3.2 or later, OpenGL ES 3 or WebGL 2); ask the host for "
                         "one of those");
  }
  return false;
}

namespace {

// The capabilities that change how Vuna's flat, textured, blended drawing comes out. All off
// while the overlay draws; the program's values come back with the attribute stack.
constexpr GLenum kOffWhileDrawing[] = {
    GL_DEPTH_TEST,   GL_LIGHTING,        GL_CULL_FACE,       GL_FOG,
    GL_SCISSOR_TEST, GL_STENCIL_TEST,    GL_ALPHA_TEST,      GL_BLEND,
    GL_TEXTURE_1D,   GL_TEXTURE_2D,      GL_TEXTURE_3D,      GL_TEXTURE_CUBE_MAP,
    GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T,  GL_TEXTURE_GEN_R,   GL_TEXTURE_GEN_Q,
    GL_COLOR_LOGIC_OP, GL_LINE_STIPPLE,  GL_POLYGON_STIPPLE, GL_COLOR_MATERIAL,
    GL_POLYGON_OFFSET_FILL, GL_CLIP_PLANE0, GL_CLIP_PLANE1, GL_CLIP_PLANE2,
    GL_CLIP_PLANE3,  GL_CLIP_PLANE4,     GL_CLIP_PLANE5};

GuestState::GuestState(GLbitfield serverGroups, GLbitfield clientGroups) {
  GLint depth = 0;
  GLint most = 0;
  GLint clientDepth = 0;
  GLint clientMost = 0;
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
  glGetIntegerv(GL_MAX_ATTRIB_STACK_DEPTH, &most);
  glGetIntegerv(GL_CLIENT_ATTRIB_STACK_DEPTH, &clientDepth);
  glGetIntegerv(GL_MAX_CLIENT_ATTRIB_STACK_DEPTH, &clientMost);
  Saved = depth < most && clientDepth < clientMost;
  if (Saved) {
    glPushAttrib(serverGroups);
    glPushClientAttrib(clientGroups);
  }
  glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &UnpackBuffer);
  if (UnpackBuffer != 0) {
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
  }
  for (GLenum pname : {GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS,
                       GL_UNPACK_IMAGE_HEIGHT, GL_UNPACK_SKIP_IMAGES, GL_UNPACK_SWAP_BYTES,
                       GL_UNPACK_LSB_FIRST}) {
    glPixelStorei(pname, 0);
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

GuestState::~GuestState() {
  if (Saved) {
    glPopClientAttrib();
    glPopAttrib();
  }
  if (UnpackBuffer != 0) {
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, static_cast<GLuint>(UnpackBuffer));
  }
}

// Free model-view entries the overlay needs: the draw pass pushes at most 8 however deep the
// widgets nest (VWidget::changeContext), and the widgets' own drawing a few more.
constexpr GLint kModelViewRoom = 12;

// While the overlay draws: when the program's model-view stack has less room than that, its
// topmost entries are lifted off, kept by value, and put back afterwards (each pushed and
// loaded again), so the program finds its stack as it was, depth and every matrix.
class ModelViewRoom {
 public:
  ModelViewRoom() {
    GLint depth = 1;
    GLint most = 32;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    glGetIntegerv(GL_MAX_MODELVIEW_STACK_DEPTH, &most);
    GLint lift = kModelViewRoom - (most - depth);
    lift = lift < 0 ? 0 : lift > depth - 1 ? depth - 1 : lift;
    glMatrixMode(GL_MODELVIEW);
    Lifted.resize(static_cast<std::size_t>(lift));
    for (Matrix& entry : Lifted) {
      glGetFloatv(GL_MODELVIEW_MATRIX, entry.m);
      glPopMatrix();
    }
  }
  ~ModelViewRoom() {
    glMatrixMode(GL_MODELVIEW);
    for (auto entry = Lifted.rbegin(); entry != Lifted.rend(); ++entry) {
      glPushMatrix();
      glLoadMatrixf(entry->m);
    }
  }
  ModelViewRoom(const ModelViewRoom&) = delete;
  ModelViewRoom& operator=(const ModelViewRoom&) = delete;

 private:
  struct Matrix {
    GLfloat m[16];
  };
  std::vector<Matrix> Lifted;  // the program's entries from the top down
};

}  // namespace

// The program's state is kept on the attribute stacks (every server and client group) and, for
// the matrices, by value: a program may have filled the short projection and texture stacks,
// and loading a saved matrix needs no room on them. Unit 0 is made active, as the loader and
// the drawing assume, and the program's active units come back last.
void VScreen::drawOverlay() {
  if (!ContextServes) {
    glutDisplay();  // empties the free queue; nothing is drawn
    return;
  }
  // A programmable context's state is saved piece by piece; a compatibility context's on the
  // attribute stacks below.
  const VGLLayer::ProgramState program;
  GLint matrixMode = GL_MODELVIEW;
  GLint activeTexture = GL_TEXTURE0;
  GLint clientActiveTexture = GL_TEXTURE0;
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  glGetIntegerv(GL_ACTIVE_TEXTURE, &activeTexture);
  glGetIntegerv(GL_CLIENT_ACTIVE_TEXTURE, &clientActiveTexture);
  {
    // The font sheet may be uploaded during this pass (at the first text drawn).
    const GuestState guest(GL_ALL_ATTRIB_BITS, GL_CLIENT_ALL_ATTRIB_BITS);
    if (!guest.saved() && !WarnedFullStack) {
      WarnedFullStack = true;
      VMessages::write(VMessages::msError,
                       "Vuna: the program's attribute stacks are full; the overlay draws "
                       "without saving its GL state");
    }
    glActiveTexture(GL_TEXTURE0);
    glClientActiveTexture(GL_TEXTURE0);
    // Made before the matrices are read and gone after they are loaded back.
    const ModelViewRoom room;
    GLfloat projection[16];
    GLfloat modelView[16];
    GLfloat texture[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    glGetFloatv(GL_TEXTURE_MATRIX, texture);

    for (GLenum capability : kOffWhileDrawing) {
      glDisable(capability);
    }
    glLineWidth(1.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glShadeModel(GL_SMOOTH);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    const int windowWidth = windowPixels(Width, WindowWidth);
    const int windowHeight = windowPixels(Height, WindowHeight);
    usePixelProjection(windowWidth, windowHeight,
                       FramebufferWidth > 0 ? FramebufferWidth : windowWidth,
                       FramebufferHeight > 0 ? FramebufferHeight : windowHeight);
    glLoadIdentity();

    glutDisplay();

    glMatrixMode(GL_TEXTURE);
    glLoadMatrixf(texture);
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(projection);
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(modelView);
  }
  glActiveTexture(static_cast<GLenum>(activeTexture));
  glClientActiveTexture(static_cast<GLenum>(clientActiveTexture));
  glMatrixMode(static_cast<GLenum>(matrixMode));
}

// A minimised window may report a side of 0; glOrtho refuses an empty range (leaving a GL error
// and the identity matrix), so the projection keeps at least one unit each way.
void VScreen::usePixelProjection(int width, int height, int viewportWidth, int viewportHeight) {
  glViewport(0, 0, viewportWidth, viewportHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width > 0 ? width : 1, height > 0 ? height : 1, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
}

void VScreen::print() {
  std::cout << "Class : VScreen" << std::endl;
  std::cout << "ScreenFocusedWidget = " << static_cast<const void*>(ScreenFocusedWidget)
            << std::endl;
}
