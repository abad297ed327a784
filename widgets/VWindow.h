// VWindow: a framed, movable, corner-resizable and maximisable top-level container with a title bar.
#pragma once

#include <string>

#include "../core/VColor.h"
#include "../core/VWidget.h"
#include "../draw/VFont.h"
#include "VButton.h"

/// Geometry with the default TitleBarBorder B = 2 and TitleBarHeight T = 23 (window-local):
///   outer frame raised at (0, 0)-(W, H); inner frame lowered at (B, B)-(W - B, H - B);
///   title bar filled over (B, B, W - 2B, T); caption at (B + 2, B + 2), cut before the
///   maximise button; close button (T - 4) square at (W - 24, B + 2), maximise button 3 pixels
///   to its left; client area from (B + 1, T + B + 2) to (W - B - 1, H - B - 1).
/// The client borders, the button size and their Top are derived once, in Init: changing
/// TitleBarHeight or TitleBarBorder later changes the drawing and the drag zone only.
///
/// Interaction (no state field besides Resizing and the base's Dragging):
///   press, any button, in the top T rows, not on a child  -> the base moves the window
///   left press in the bottom-right 10 x 10 pixels (Resizable) -> Resizing; every left-button
///   motion that reaches the window resizes it; any other mouse event that reaches it ends it
///   click (any button) on the close button    -> free(): gone before the next dispatch
///   click (any button) on the maximise button -> maximize(), toggling
/// Active (title bar colour, bold caption) means: the owner's focus path is this window. A
/// window without an owner is drawn inactive and cannot be maximised.
class VWindow : public VWidget {
 private:
  bool Resizing;
  int OldLeft;  ///< geometry saved by maximize(), restored by the next one
  int OldTop;
  int OldWidth;
  int OldHeight;
  int ResizeStartX;  ///< Width minus the pointer's x (owner space) when the resize began
  int ResizeStartY;
  unsigned long ResizeRelease;  ///< mouseReleases() when the resize began: a later one ends it

 protected:
  int TitleBarHeight;  ///< also the height of the drag zone
  int TitleBarBorder;  ///< frame between the outer edge and the inner bevel
  std::string Caption;
  int MinResizeWidth;  ///< a resize drag stops here
  int MinResizeHeight;
  bool Maximized;
  bool Resizable;  ///< grip drawn and corner live
  /// Children like any others, deleted by the base with the children; null once a button has
  /// left the window (freed, removed or moved by the program): the window works on without it.
  VButton* CloseButton;
  VButton* MaximizeButton;
  VFont* Font;              ///< owned; caption and coordinate box
  VColor* TitleBarColor;          ///< owned; title bar of the active window
  VColor* TitleBarColorInactive;  ///< owned

 public:
  explicit VWindow(VWidget* owner);
  VWindow(const VWindow&) = delete;
  VWindow& operator=(const VWindow&) = delete;

  void draw(VEvent* e) override;  ///< drawFrame through its slot, so a subclass may replace it
  void layout() override;         ///< keeps the two buttons at the right end of the title bar
  /// True for a press in the top TitleBarHeight rows, whatever the mouse button.
  bool canDrag(VEvent* e) override;
  /// Starts a corner resize; true when it did.
  bool processEvent(VEvent* e) override;
  /// Follows or ends a corner resize; always false.
  bool processMouseOwner(VEvent* e) override;
  void childrenChanged() override;
  bool canFocus(VEvent* e) override;  ///< true: a press anywhere inside activates the window
  void Init() override;
  void CleanUp() override;
  ~VWindow() override;

  /// Frame, title bar, caption, resize grip, then the coordinate box while moving or resizing.
  virtual void drawFrame();
  /// The setters below store their value only: nothing is re-derived and nothing moves.
  virtual int getTitleBarHeight();
  virtual void setTitleBarHeight(int newValue);
  virtual int getTitleBarBorder();
  virtual void setTitleBarBorder(int newValue);
  virtual std::string getCaption();
  virtual void setCaption(std::string newValue);
  virtual int getMinResizeWidth();
  virtual void setMinResizeWidth(int newValue);
  virtual int getMinResizeHeight();
  virtual void setMinResizeHeight(int newValue);
  virtual bool getMaximized();
  virtual void setMaximized(bool newValue);
  virtual bool getResizable();
  virtual void setResizable(bool newValue);
  virtual VButton* getCloseButton();
  virtual VButton* getMaximizeButton();

  /// A translucent grey box with text in the window's font, its text's top-left at (x, y).
  void drawCoordInfos(int x, int y, const char* text);
  /// The button images, in the button's own space (they run as the buttons' onCustomDraw).
  void drawCloseButton();
  void drawMaximizeButton();
  /// Restored: saves the geometry, then goes to the owner's origin (0, 0) with the size of the
  /// owner's client area. Maximised: puts the saved geometry back. Moving or resizing in between
  /// keeps the window maximised.
  void maximize();
  VFont* getFont();
  VColor* getTitleBarColor();
  VColor* getTitleBarColorInactive();
  void print();
};
