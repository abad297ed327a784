// VScreen: the root of the widget tree, where the host's callbacks become events.
#pragma once

#include <list>
#include <string>
#include <unordered_map>

#include "../core/VWidget.h"
#include "../draw/VTheme.h"
#include "VHostServices.h"

class VMenu;
class VPopupLayer;
class VTooltip;
class VKeyboardNavigator;

/// The screen owns the one event record and the shared look and feel, ends every focus request,
/// asks the host for redisplays and deletes freed widgets at a moment when no event is routed.
///
/// Deferred freeing: free() travels up to freeWidget here, which only queues the widget. The
/// queue is emptied at the start of the next sendEvent, before anything is routed: each queued
/// widget is removed from its owner and deleted with its subtree. So a handler may free its own
/// window; the rest of the walk that ran it still sees the window alive and in place, and the
/// next event (the click after a release, the next input, the display pass) no longer does.
/// A dispatch started from inside a handler (a nested host call) deletes nothing: the walks
/// around it still hold the widgets. A queued widget deleted by other means (directly, or with
/// an ancestor) leaves the queue as it goes.
///
/// The host methods fill LastEvent and dispatch; fields an event does not define keep the
/// values of the previous one (a motion keeps the last Button and Key).
class VScreen : public VWidget {
 protected:
  /// Waiting to be removed and deleted, in request order, each widget at most once.
  std::list<VWidget*> WidgetsToRemove;
  VWidget* ScreenFocusedWidget;  ///< target of the last focus request; not owned
  VEvent* LastEvent;             ///< owned

 public:
  explicit VScreen(VWidget* owner);

  void remove(VWidget* child) override;
  void freeWidget(VWidget* w) override;
  void redraw() override;
  void requestFocus(VWidget* child, VWidget* target) override;
  void draw(VEvent* e) override;
  void layout() override;
  bool canDrag(VEvent* e) override;
  bool processEvent(VEvent* e) override;
  bool processMouseOwner(VEvent* e) override;
  void childrenChanged() override;
  bool canFocus(VEvent* e) override;
  void Init() override;
  void CleanUp() override;
  ~VScreen() override;

  /// Host methods: the same calls the GLUT callbacks make. Each input method ends with redraw().
  virtual void glutResize(int w, int h);
  virtual void glutKeyboard(unsigned char key, int x, int y);
  virtual void glutKeyboardUp(unsigned char key, int x, int y);
  virtual void glutSpecialFunc(int key, int x, int y);
  virtual void glutMotion(int x, int y);
  /// GLUT buttons 0, 1, 2 are left, middle, right. A press gives etMouseDown; a release gives
  /// etMouseUp then etMouseClick at the same place. Buttons 3 to 6 are the wheel's steps (up,
  /// down, left, right): going down each is one mouseWheel step, going up nothing, so
  /// scrolling never presses a button. Other numbers produce no event.
  virtual void glutMouse(int button, int state, int x, int y);
  virtual void glutDisplay();
  virtual VWidget* getScreenFocusedWidget();
  virtual void setScreenFocusedWidget(VWidget* newValue);

  /// The wheel turned stepsX to the right and stepsY away from the user (negative: the other
  /// ways) with the pointer at (x, y): one etMouseWheel, routed to the widget under the pointer
  /// and up its owners (see VWidget::processWheel), then redraw(). No steps, no event.
  /// Answers whether a widget was under the pointer (the step was the GUI's).
  bool mouseWheel(int stepsX, int stepsY, int x, int y);
  /// The modifier keys (VModifier bits) held from now on, which every following event carries
  /// until the host reports others. Hosts call it before each key or button they pass on; the
  /// designed callbacks report none, and then events carry 0.
  void setModifiers(int held);
  /// The pointer moved with no button held. It routes nothing: the tree sees only the motions
  /// the design gives it, those with a button held. It serves the tooltips and the open pop-ups
  /// (they and their openers hear processHover), and hosts send it only while some widget has
  /// a tooltip or a pop-up is open (VWidget::wantsPassiveMotion()).
  void glutPassiveMotion(int x, int y);
  /// Is a tooltip on screen?
  bool isTooltipShown() const;

  /// Empties the free queue, then routes LastEvent from the screen down.
  void sendEvent();
  VEvent* getLastEvent();
  void print();

  // --- Living inside a program's own GL scene -------------------------------------------------
  // Nothing below changes a designed default: the screen paints its background, asks GLUT for
  // redisplays and keeps the focus on a press on the bare background unless told otherwise.

  /// Draws the whole tree over whatever the program drew, in the pixel space of the screen's
  /// size: one display pass (the free queue is emptied first, as for any dispatch) under the
  /// state Vuna's drawing assumes, and every piece of GL state the program had is back as it
  /// was afterwards. The contract, piece by piece, is in docs/embedding.md.
  void drawOverlay();

  /// The theme of the look and feel the whole tree shares: every widget is drawn in it from the
  /// next frame on, which this asks the host for. Light by default. Call it with the GL context
  /// current (a handler, the scene builder): the first switch to thDark loads its images, under
  /// GL's default unpack state, and gives the program's GL state back as creation does.
  void setTheme(VTheme theme);
  VTheme getTheme() const;

  /// Off: the draw pass paints no fill, so the program's scene shows through. On by default.
  void setBackgroundVisible(bool visible);
  bool getBackgroundVisible() const;

  /// Sizes the screen from any host, with the reshape's effects on the tree (setWidth and
  /// setHeight: layout and onResize on a real change) and without touching GL state.
  void setSize(int width, int height);
  /// The host's pixel view: the viewport viewportWidth by viewportHeight from (0, 0), and a
  /// projection of one unit per pixel of a width by height space, origin at the top-left corner,
  /// y downwards (at least one unit each way). Leaves GL_MODELVIEW current, its matrix as it was.
  static void usePixelProjection(int width, int height, int viewportWidth, int viewportHeight);
  /// The size in device pixels of the framebuffer the overlay draws into, where a scaled display
  /// makes it larger than the window the screen's size counts in: drawOverlay's viewport covers
  /// it, and one screen pixel spans that many device pixels. 0 by 0 (the default): the
  /// screen's own size.
  void setFramebufferSize(int width, int height);

  /// Did the GUI take the mouse? True from a press that a widget consumed (not the bare screen:
  /// a press on a disabled window falls through to it) until the next press, so the motion and
  /// the release that follow, a drag or a resize of a window included, belong to the GUI too.
  /// Asked once right after a wheel step (before any other mouse event), it answers for that
  /// step instead: was a widget under the pointer? Any later call answers for the press again,
  /// so a program that forwards a step in the middle of its own drag still keeps the release.
  /// (A subclass that redefines processMouseOwner calls the screen's, which notes the bare
  /// screen's presses.)
  bool capturesMouse() const;
  /// Do the keys belong to the GUI? True only while the focused widget (the end of the focus
  /// chain) takes typed text, a text field: a click on a button, a check box or a title bar
  /// moves the focus but leaves the keys, Escape included, to the program's scene.
  bool capturesKeyboard() const;
  /// Does this key belong to the GUI? A character code 0..255, or a VSpecialKey code when
  /// special is true. True while the focused widget takes it: a text field its characters, a
  /// focused button Space and Return; while a pop-up is open (the keys are its); and when a
  /// menu bar's shortcut would run an item for it.
  bool capturesKey(int key, bool special) const;
  /// Clears the whole focus chain, as when the user clicks the program's own scene.
  void dropFocus();

  /// The scale of the whole tree on the display (1 by default): the tree is laid out in
  /// points, drawn at this many window pixels per point, and the pointer's window pixels are
  /// divided by it (rounded down), so a program places its widgets the same at any scale. Held
  /// in kMinScale to kMaxScale, fractions allowed; not a number is ignored. setSize takes the
  /// window's size in pixels and gives the screen that size in points (rounded up). The
  /// program's call wins over the host's: without one, the hosts that know the desktop's
  /// scale (GLFW, SDL2) set it through setHostScale. At 1.5 device pixels per point and more,
  /// text and control images use the artwork drawn at twice the size.
  void setScale(double scale);
  double getScale() const;
  /// The desktop's content scale, from a host: the screen's scale becomes the part of it that
  /// the framebuffer does not already carry (a desktop that scales windows itself gives a
  /// framebuffer larger than the window), unless the program has set one. Ignored unless a
  /// positive number.
  void setHostScale(double scale);
  static constexpr double kMinScale = 1.0;
  static constexpr double kMaxScale = 4.0;

  /// Keyboard navigation (off by default, so a focused field receives Tab as designed): Tab
  /// and Shift+Tab move the focus between the controls, window by window, a ring shows the
  /// focused one, and Space, Enter and the arrows reach it first (see VKeyboardNavigator).
  void setKeyboardNavigation(bool on);
  bool getKeyboardNavigation() const;

  // --- The host's services ----------------------------------------------------------------------

  /// The host adapter's services (not owned; null for none). Every host adapter installs its
  /// own and takes it off again when it goes; a program that hosts the screen by itself may
  /// install one of its own.
  void setHostServices(VHostServices* services);
  VHostServices* getHostServices() override;
  /// The layer above the windows where lists and menus open (see VPopupLayer).
  VPopupLayer* getPopupLayer() override;
  /// Opens menu as a context menu with its top-left corner at (x, y) in the screen's points
  /// (window pixels at a scale of 1), moved in to stay on the screen (see VMenu::openAt);
  /// nothing for null. Without a position: where
  /// the pointer was at the last mouse event the host reported (a press, a release, a motion
  /// with or without a button, a wheel step), which is what a handler of a right-button press
  /// wants: the event it gets holds the position in its widget's owner's space, not the
  /// window's.
  void popupMenu(VMenu* menu, int x, int y);
  void popupMenu(VMenu* menu);

  /// Is screen a screen that has not begun its destruction? For a widget that keeps the screen
  /// it started a timer through, to cancel the timer when it goes even after it has left the
  /// tree (freed widgets are taken out of it before they are deleted). A screen being deleted
  /// answers false: its host forgets its timers.
  static bool isAlive(const VScreen* screen);
  /// The screen at the root of w's tree, or null (w in no screen, or null).
  static VScreen* of(VWidget* w);
  /// The end of the focus chain: the widget the keys are for, or null.
  VWidget* getFocusedWidget() const;

  /// What widgets ask of the host, through its services. Without any: no timers (startTimer
  /// answers 0), a clipboard kept in the screen, a scale of 1 and no pointer shapes.
  int startTimer(int milliseconds, VHostServices::TimerCallback callback, void* data);
  void cancelTimer(int timer);
  std::string getClipboardText();
  void setClipboardText(const std::string& text);
  double getContentScale();
  void setPointerShape(VPointerShape shape);
  /// The host's report that its content scale changed: runs onScaleChange, then redraws.
  void contentScaleChanged();
  /// Runs with the screen when the display's scale changed; null for none.
  VResizeHandler onScaleChange = nullptr;

  /// redraw() asks the host's services for a redisplay; without services it calls this hook,
  /// with its data, and without either (the default) asks for nothing. A program that opens its
  /// window itself and needs nothing but redisplays may install a hook that posts one in its
  /// host (under GLUT: glutPostRedisplay) instead of services.
  typedef void (*RedisplayHook)(void* data);
  void setRedisplayHook(RedisplayHook hook, void* data);
  /// Called once, with its data, as the screen's destruction begins, so that an object that
  /// keeps a pointer to the screen (a host adapter) forgets it; null for none. One holder at a
  /// time: a new holder's hook first runs the old one's, so the old holder lets go of the screen
  /// (a host adapter that another one replaced takes no more events); a holder that goes first
  /// clears the hook, when it is still its own.
  typedef void (*DetachHook)(void* data);
  void setDetachHook(DetachHook hook, void* data);
  bool hasDetachHook(DetachHook hook, void* data) const;

  /// False when the GL context current at construction cannot serve Vuna (none, or a core
  /// profile without immediate mode and display lists): one line on standard error said so, the
  /// screen has no look and feel, and the draw passes draw nothing.
  bool getContextServes() const;

 private:
  void deleteQueuedWidgets();
  bool wheel(int stepsX, int stepsY);  ///< LastEvent's position is set
  void dequeue(VWidget* w);  ///< drops w's entry, if it has one
  /// A widget's destructor calls this (through VWidget's hook) when the screen queued it.
  static void dropQueued(VWidget* screen, VWidget* w);
  /// Keeps every window reachable and every maximised window filling the screen, after the
  /// screen's size changed.
  void fitWindows();
  /// Widgets with a tooltip tell every live screen when they are deleted.
  static void tooltipGone(VWidget* w);
  bool contextCanServe();     ///< says on standard error why not
  /// A pointer coordinate in window pixels, held in range, as points.
  int toPoints(int v) const;
  /// A window size in pixels as points, rounded up so the tree covers the whole window.
  int pointsOf(int pixels) const;
  /// The window's pixels for a size in points: the same at a scale of 1 (where a program may
  /// size the screen by setWidth alone), else what setSize was given.
  int windowPixels(int points, int known) const;
  double framebufferRatio() const;
  double devicePixelsPerPoint() const;
  double hostScale() const;
  void applyScale(double scale);
  /// Chooses the text drawer's sheets and the look and feel's images for the pixels a point.
  void useArtworkFor(double pixelsPerPoint);
  /// Each queued widget's entry, so that a repeated request and the dropping of a deleted
  /// subtree's entries cost no walk of the queue.
  std::unordered_map<VWidget*, std::list<VWidget*>::iterator> QueueIndex;
  bool Dispatching = false;  ///< a sendEvent is in progress: nested ones delete nothing
  bool SizingBoth = false;   ///< setSize is between its width and its height: no fitting yet

  bool BackgroundVisible = true;
  bool ContextServes = true;
  bool MousePressTaken = false;  ///< the last press went to a widget, not the bare screen
  bool MouseReachedScreen = false;  ///< set by processMouseOwner: no widget consumed the event
  mutable bool LastMouseWasWheel = false;  ///< capturesMouse answers once for the wheel step
  bool WheelOverWidget = false;     ///< the last wheel step had a widget under the pointer
  VTooltip* Tooltip;                ///< owned
  VKeyboardNavigator* Navigator;    ///< owned
  bool Navigation = false;
  double Scale = 1.0;
  double HostScale = 1.0;          ///< the desktop's, as the host last reported it
  bool ScaleSetByProgram = false;
  int WindowWidth = 0;   ///< the window's size in pixels, as setSize last gave it
  int WindowHeight = 0;
  VPopupLayer* Popups;              ///< owned
  VHostServices* Services = nullptr;
  std::string Clipboard;  ///< the clipboard of a screen without services
  RedisplayHook Redisplay = nullptr;
  void* RedisplayData = nullptr;
  DetachHook Detach = nullptr;
  void* DetachData = nullptr;
  bool WarnedFullStack = false;
  int PointerX = 0;  ///< the last mouse event's position, in window pixels (see popupMenu)
  int PointerY = 0;
  int FramebufferWidth = 0;   ///< 0: the screen's width
  int FramebufferHeight = 0;  ///< 0: the screen's height
};
