// VWidget: base of every widget; a tree node that owns its children and routes events to them.
#pragma once

#include <list>
#include <string>

#include "VEvent.h"

class VHostServices;
class VLookAndFeel;
class VPopupLayer;
class VWidget;

/// Handlers are plain functions; null means "no handler". They receive the widget that raised
/// the event and the event, with X and Y in the widget's owner's space.
typedef void (*VEventHandler)(VWidget* widget, VEvent* event);
typedef void (*VResizeHandler)(VWidget* widget);

/// Geometry: Left and Top are measured from the owner's outer top-left corner; the client
/// borders do not move that origin, they only decide where new children start and how far a
/// dragged child may go. Children are ordered front to back: the first one is hit first and
/// drawn last.
///
/// Lifetime: a widget owns its children. It is never deleted while an event is being routed:
/// free() hands it to the screen, which removes and deletes it before the next dispatch.
///
/// Construction protocol (every subclass follows it): base constructor, own field defaults, then
/// the class's own Init() and layout(). So Init runs once per class level, base first, and the
/// owner's add() runs while only the VWidget part of the new child exists.
class VWidget {
 protected:
  // The fields that every routed event reads come first, so that a walk passing a widget
  // touches as few cache lines of it as it can: a click behind ten thousand windows passes
  // each of them.
  int Width;
  int Height;
  int Top;
  int Left;
  bool Enabled;   ///< false: drawn, but receives no input
  bool Visible;   ///< false: neither drawn nor routed to, whole subtree included
  bool Dragging;
  bool HasTooltip = false;  ///< the text is in the tooltip table (see setTooltip)
  bool ClipChildren = false;  ///< see setClipChildren
  /// A list because the routing walk holds positions in it while handlers run: insertion at the
  /// front (a handler opening a window) and removal of other entries keep those positions valid.
  std::list<VWidget*> Children;

 private:
  /// A layout this widget owes its children (see requestLayout), null when none, and the child
  /// that layout has already placed.
  void (*PendingLayout)(VWidget* self, const VWidget* placed);
  const VWidget* PlacedChild;
  int DragStartX;  ///< widget-local pointer position when the current drag began
  int DragStartY;
  /// The widget whose Children list holds this one, null when none: a widget is listed by at
  /// most one owner, at most once. add and remove keep it, with Place, so that remove and
  /// bringToFront find the entry without walking the siblings (a turn that closes thousands of
  /// windows stays linear). A std::list position stays valid while other entries come and go
  /// and when bringToFront splices it to the front.
  VWidget* ListedIn;
  std::list<VWidget*>::iterator Place;
  /// The mouse releases seen by the time the current drag began: any later release, wherever
  /// it went, has ended the drag (see mouseReleases()).
  unsigned long DragRelease;
  /// The walks over Children in progress, innermost first: remove and bringToFront step them
  /// past an entry that leaves or moves, so a handler may change the list being walked.
  struct ChildWalk;
  ChildWalk* Walks;
  /// The screen whose free queue lists this widget (set by the screen), so that a widget
  /// deleted by any means leaves the queue.
  VWidget* QueuedIn;
  void* UserData = nullptr;
  friend class VScreen;
  friend class VTooltip;
  friend class VKeyboardNavigator;

 protected:
  int MinWidth;
  int MinHeight;
  int ClientBorderLeft;
  int ClientBorderRight;
  int ClientBorderTop;
  int ClientBorderBottom;
  VLookAndFeel* LookAndFeel;  ///< shared, not owned
  VWidget* Owner;
  VWidget* FocusPath;  ///< child through which keyboard focus passes; null ends the chain here

 public:
  VEventHandler onClick;
  VEventHandler onMouseDown;
  VEventHandler onMouseUp;
  VEventHandler onMouseMove;
  VEventHandler onKey;
  VEventHandler onCustomDraw;
  VResizeHandler onResize;
  /// Called when a wheel step over the widget reaches it (see processWheel); setting it makes
  /// the widget take every wheel step that reaches it.
  VEventHandler onMouseWheel = nullptr;

  explicit VWidget(VWidget* owner);

  /// Tree. A widget is listed by at most one owner, at most once, and never inside itself.
  /// add() puts child in front, makes this widget its Owner and calls childrenChanged(). A
  /// child another owner lists is first taken out there (that owner's remove), so it moves; a
  /// child already listed here, and null, are ignored; this widget itself or one of its
  /// ancestors is refused with one line on standard error. The constructor's call is the
  /// common case: the new child is listed nowhere yet and already names its owner.
  virtual void add(VWidget* child);
  /// Takes child out of Children (clearing FocusPath if it named child) and clears child's
  /// Owner, then childrenChanged(); a widget that is not listed here changes nothing but
  /// FocusPath. The child is not deleted: it belongs to the caller now.
  virtual void remove(VWidget* child);
  /// Asks for w to be removed and deleted later; the base forwards to its owner, the screen
  /// queues it.
  virtual void freeWidget(VWidget* w);
  /// Asks for a display pass; the base forwards to its owner (nothing without one).
  virtual void redraw();
  /// Moves child to the front when it is a child; otherwise leaves the order.
  virtual void bringToFront(VWidget* child);
  /// child is the direct child on the way to target. The base moves FocusPath to child (cutting
  /// the old branch) and passes the request up; the screen ends it.
  virtual void requestFocus(VWidget* child, VWidget* target);

  /// Hooks. The base draws nothing, lays out nothing, and answers false to every question.
  /// draw runs in the widget's own space (origin at its outer top-left corner).
  virtual void draw(VEvent* e);
  /// Runs after every real change of Width or Height and at the end of each constructor.
  virtual void layout();
  /// Does this mouse press (owner space) start a drag of the widget?
  virtual bool canDrag(VEvent* e);
  /// The widget's own reaction to a mouse event inside it or a key on the focus chain.
  virtual bool processEvent(VEvent* e);
  /// Sees every mouse event that reaches the widget's own handling, inside it or not.
  virtual bool processMouseOwner(VEvent* e);
  /// Runs after add and remove.
  virtual void childrenChanged();
  /// May a press on this widget give it the keyboard focus?
  virtual bool canFocus(VEvent* e);
  virtual void Init();
  virtual void CleanUp();

  /// Properties. setWidth/setHeight clamp to the minimum and, on a real change, run layout()
  /// then onResize. Every other setter stores its value and nothing else.
  virtual int getWidth();
  virtual void setWidth(int newValue);
  virtual int getHeight();
  virtual void setHeight(int newValue);
  virtual int getTop();
  virtual void setTop(int newValue);
  virtual int getLeft();
  virtual void setLeft(int newValue);
  virtual int getMinWidth();
  virtual void setMinWidth(int newValue);
  virtual int getMinHeight();
  virtual void setMinHeight(int newValue);
  virtual int getClientBorderLeft();
  virtual void setClientBorderLeft(int newValue);
  virtual int getClientBorderRight();
  virtual void setClientBorderRight(int newValue);
  virtual int getClientBorderTop();
  virtual void setClientBorderTop(int newValue);
  virtual int getClientBorderBottom();
  virtual void setClientBorderBottom(int newValue);
  virtual bool getEnabled();
  virtual void setEnabled(bool newValue);
  virtual bool getVisible();
  virtual void setVisible(bool newValue);
  virtual VLookAndFeel* getLookAndFeel();
  virtual void setLookAndFeel(VLookAndFeel* newValue);
  virtual VWidget* getOwner();
  virtual void setOwner(VWidget* newValue);
  virtual VWidget* getFocusPath();
  virtual void setFocusPath(VWidget* newValue);

  /// Deletes the children (front to back). A widget still listed by an owner leaves that list
  /// first (through the owner's remove), and leaves the screen's free queue, so deleting a
  /// widget directly never leaves a dangling entry behind. Inside a routed event, free() it.
  virtual ~VWidget();

  /// Keyboard capture, asked by hosts that share the keys with a program's scene (through the
  /// screen's capturesKeyboard and capturesKey). takesText: does the widget, while it holds the
  /// focus, take typed text, so that every character key is the GUI's? takesKey: does it take
  /// this key, a character code 0..255, or a VSpecialKey code when special is true? By default
  /// neither: a widget that only moved the focus (a window's title bar, a check box) leaves the
  /// keys to the scene.
  virtual bool takesText();
  virtual bool takesKey(int key, bool special);
  /// What the host offers widgets (timers, the clipboard, ...): the screen's, asked for up the
  /// owner chain; null for a tree without a screen or a screen without a host.
  virtual VHostServices* getHostServices();
  /// A wheel step (etMouseWheel, X and Y in the owner's space) offered to this widget: first to
  /// the deepest enabled, visible widget under the pointer, then to its owners in turn, until
  /// one takes it (answers true, or has onMouseWheel). The wheel never presses, raises or
  /// focuses anything. None of the classic controls take it.
  virtual bool processWheel(VEvent* e);
  /// The screen's layer of pop-ups (lists, menus), asked for up the owner chain; null for a
  /// tree without a screen.
  virtual VPopupLayer* getPopupLayer();
  /// A pop-up this widget opened (VPopupLayer::open) was closed: chosen from, pressed outside
  /// of, closed with its owner menu, or closed by the program.
  virtual void popupClosed(VWidget* popup);
  /// The pointer moved with no button held, to (x, y) in this widget's own space. Reaches only
  /// open pop-ups and the widgets that opened them (a menu bar switches menus so), never the
  /// rest of the tree.
  virtual void processHover(int x, int y);
  /// Keyboard navigation (VScreen::setKeyboardNavigation, off by default): does Tab stop at
  /// this widget? The controls a user operates say yes; containers, labels and the window's
  /// own title-bar buttons say no (the default).
  virtual bool takesTabFocus();
  /// Keyboard navigation: a key (Space, Enter or an arrow, etKeyboard or etSpecialKey) offered
  /// to the focused widget before it is routed down the focus chain; true uses it up. A check
  /// box toggles, a radio button selects itself or, with an arrow, its neighbour in its group.
  /// Nothing by default: the key goes its designed way.
  virtual bool processNavigationKey(VEvent* e);

  /// The outer top-left corner in the root's space (the screen's pixels for a widget in a
  /// screen): Left and Top summed up the owners, in 64 bits.
  void getPlaceInRoot(long long& left, long long& top);
  /// Visible and enabled, and so is every owner up to the root: input can reach it.
  bool isReachable();
  /// Reading order of places in the root's space: the higher top-left corner first, then the
  /// one further left. A strict weak order, for sorting.
  static bool readsBefore(VWidget* a, VWidget* b);

  /// The hint shown when the pointer rests over the widget (lines split at '\n'); empty for
  /// none, the default. The screen shows it (see VScreen::glutPassiveMotion).
  void setTooltip(const std::string& text);
  std::string getTooltip() const;
  /// Does any widget in the process have a tooltip?
  static bool anyTooltips();
  /// Hosts pass the pointer's motion with no button held to their screen only while this says
  /// so: while some widget has a tooltip or some pop-up is open.
  static bool wantsPassiveMotion();

  /// On: the children are seen only inside this widget's client area (inside its client
  /// borders), in drawing and in input alike. A child's pixels outside it are not drawn, and a
  /// point outside it is no child's: a press there goes to this widget as on its own face, a
  /// wheel step and a tooltip likewise; a drag or a held button of a child still follows the
  /// pointer anywhere. Clips nest: each is the intersection with its owners'. Off by default.
  void setClipChildren(bool clip);
  bool getClipChildren() const { return ClipChildren; }
  /// Is (x, y), in this widget's own space, inside its client area?
  bool insideClientArea(int x, int y) const;

  /// Cuts the focus chain below this widget, depth first.
  void clearFocusPath();
  /// True when the owner's FocusPath is this widget (false without an owner).
  bool getFocused();
  /// Disposes of this widget safely while events are routed: owner->freeWidget(this).
  void free();

  /// Routing. event() is every widget's entry and answers whether the event was consumed.
  ///   etDraw: drawn (never consumed), children back to front, under changeContext.
  ///   Disabled: no input for the subtree. Keys: the focus chain. Mouse: hit search.
  bool event(VEvent* e);
  bool eventToChildren(VEvent* e);          ///< front to back; stops at the first consumer
  bool eventToChildrenReversed(VEvent* e);  ///< back to front; the draw pass
  bool isInFront(VWidget* child);
  bool handleKeyboardEvent(VEvent* e);
  bool handleMouseEvent(VEvent* e);
  /// A drag of this widget is in progress: Dragging is set and no mouse button has been
  /// released since it began. A release ends every drag, also one whose widget it never
  /// reached (two buttons chorded, a release over a child).
  bool isDragging() const;
  void handleDragging(VEvent* e);
  void doFocus(VEvent* e);
  void changeContext();
  void restoreContext();
  void freeChildren();
  void print();

  /// Is child in this widget's Children? Constant time.
  bool lists(const VWidget* child) const { return child != nullptr && child->ListedIn == this; }
  /// Runs the layout that requestLayout() deferred, if any.
  void layoutIfPending();

  /// How a wheel step went through a subtree: it passed beside it, it hit a widget that did not
  /// take it, or a widget took it. childHit, when given, learns whether a child was under the
  /// pointer.
  enum WheelResult { wrMissed, wrHit, wrTaken };
  WheelResult routeWheel(VEvent* e, bool* childHit = nullptr);

  /// Counts the mouse releases the hosts have reported (each screen notes its own): a drag or
  /// a resize that began before the last one is over.
  static unsigned long mouseReleases() { return MouseReleases; }
  static void noteMouseRelease() { ++MouseReleases; }

  /// One pointer of the program's, for its plain-function handlers to reach its own objects
  /// (a handler gets the widget). The widget never reads, owns or frees it; null by default.
  void* getUserData() const { return UserData; }
  void setUserData(void* data) { UserData = data; }

 protected:
  /// Defers a layout of the children: finish(this, placed) runs before the widget is next
  /// routed a mouse event or drawn, and before any child's geometry is read or set (getters and
  /// setters of Left, Top, Width, Height and the minimums, print), except that placed, a child
  /// finish need not touch because the caller already placed it, may read and set its own. So a
  /// row that places each new child as it joins and defers the rest costs one pass for n
  /// children instead of n, and every observer still sees the row as if it had been laid out
  /// at once.
  void requestLayout(void (*finish)(VWidget* self, const VWidget* placed),
                     const VWidget* placed) {
    PendingLayout = finish;
    PlacedChild = placed;
  }
  /// Drops a deferred layout: the widget has just laid out all its children itself.
  void cancelLayoutRequest() {
    PendingLayout = nullptr;
    PlacedChild = nullptr;
  }

  /// The children of any widget, for a subclass that walks a subtree it does not own (the
  /// screen, before it deletes a freed widget).
  static const std::list<VWidget*>& childrenOf(const VWidget* w) { return w->Children; }

 private:
  static unsigned long MouseReleases;
  /// Set by the screen: takes a widget that is being deleted out of the free queue of the
  /// screen named by its QueuedIn.
  static void (*DropFromQueue)(VWidget* screen, VWidget* w);
  /// Open pop-ups in the process, kept by the pop-up layers.
  static int OpenPopups;
  friend class VPopupLayer;
  /// While above 0, a mouse search passes children outside the clip of an owner: they see the
  /// event (drags, processMouseOwner) but none is inside. Kept per dispatch by the screen.
  static int ClippedOut;
  /// Set by a scaled screen for its draw pass: device pixels per unit of the root's space,
  /// which its clips need. 0 (otherwise): the viewport over the root's size.
  static double RootPixelScale;
  /// Draws the children with the scissor narrowed to this widget's client area.
  void drawChildrenClipped(VEvent* e);
  /// Set by the screen: a widget lost its tooltip (cleared, or the widget is being deleted).
  static void (*TooltipGone)(VWidget* w);
  /// The owner's pending layout, run before this widget's geometry is read.
  void ownerLayoutIfPending() {
    if (ListedIn != nullptr && ListedIn->PendingLayout != nullptr &&
        ListedIn->PlacedChild != this) {
      ListedIn->layoutIfPending();
    }
  }
  /// Steps every walk over Children that would visit entry next past it: entry is about to
  /// be taken out of the list or moved to its front.
  void stepWalksPast(std::list<VWidget*>::iterator entry);
};
