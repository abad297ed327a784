// VWindow: frame drawing, button layout, corner resizing, maximising and the diagnostic dump.
#include "widgets/VWindow.h"

#include <GL/gl.h>

#include <cstdio>
#include <iostream>
#include <utility>

#include "core/VClamp.h"
#include "draw/VLookAndFeel.h"
#include "widgets/VWindow_Handlers.h"

namespace {
// The corner that starts a resize: the last this many + 1 columns and rows of the window,
// counting the base's inclusive right and bottom edges.
constexpr int kResizeCorner = 9;
// The coordinate box's text, cut to this many bytes with its terminator.
constexpr std::size_t kCoordTextSize = 100;
}  // namespace

VWindow::VWindow(VWidget* owner)
    : VWidget(owner),
      Resizing(false),
      OldLeft(0),
      OldTop(0),
      OldWidth(0),
      OldHeight(0),
      ResizeStartX(0),
      ResizeStartY(0),
      ResizeRelease(0),
      TitleBarHeight(23),
      TitleBarBorder(2),
      MinResizeWidth(60),
      MinResizeHeight(40),
      Maximized(false),
      Resizable(true),
      CloseButton(nullptr),
      MaximizeButton(nullptr),
      Font(nullptr),
      TitleBarColor(nullptr),
      TitleBarColorInactive(nullptr) {
  CloseButton = new VButton(this);
  MaximizeButton = new VButton(this);
  Font = new VFont();
  TitleBarColor = new VColor();
  TitleBarColorInactive = new VColor();
  VWindow::Init();
  VWindow::layout();
}

VWindow::~VWindow() {
  delete TitleBarColorInactive;
  delete TitleBarColor;
  delete Font;
  TitleBarColorInactive = nullptr;
  TitleBarColor = nullptr;
  Font = nullptr;
  VWindow::CleanUp();
}

void VWindow::Init() {
  Caption = "Window";
  TitleBarColor->set(0.0f, 0.0f, 0.9f, 1.0f);
  TitleBarColorInactive->set(0.2f, 0.2f, 0.25f, 1.0f);
  Font->getColor()->set(1.0f, 1.0f, 1.0f, 1.0f);
  Font->setSize(16);

  // The buttons' handlers sit on the click that follows every release over them, whatever
  // the mouse button; their onPress stays unset, so space and return do nothing.
  CloseButton->onClick = CloseButtonHandler;
  CloseButton->onCustomDraw = drawCloseButtonHandler;
  CloseButton->setHeight(TitleBarHeight - 4);
  CloseButton->setWidth(CloseButton->getHeight());
  CloseButton->setTop(TitleBarBorder + 2);

  MaximizeButton->onClick = MaximizeButtonHandler;
  MaximizeButton->onCustomDraw = drawMaximizeButtonHandler;
  MaximizeButton->setHeight(CloseButton->getHeight());
  MaximizeButton->setWidth(CloseButton->getWidth());
  MaximizeButton->setTop(CloseButton->getTop());

  ClientBorderTop = TitleBarHeight + TitleBarBorder + 2;
  ClientBorderLeft = TitleBarBorder + 1;
  ClientBorderRight = TitleBarBorder + 1;
  ClientBorderBottom = TitleBarBorder + 1;
  MinWidth = MinResizeWidth;
  MinHeight = MinResizeHeight;
}

void VWindow::CleanUp() {}

// --- hooks ------------------------------------------------------------------------------------

void VWindow::draw(VEvent*) { drawFrame(); }

// The maximise button sits 3 pixels left of the close button's place, whether or not the close
// button is still there.
void VWindow::layout() {
  using Wide = long long;
  const Wide closeWidth = CloseButton != nullptr ? CloseButton->getWidth() : TitleBarHeight - 4;
  const Wide closeLeft = static_cast<Wide>(Width) - closeWidth - TitleBarBorder - 3;
  if (CloseButton != nullptr) {
    CloseButton->setLeft(vuna::clampToInt(closeLeft));
  }
  if (MaximizeButton != nullptr) {
    MaximizeButton->setLeft(vuna::clampToInt(closeLeft - MaximizeButton->getWidth() - 3));
  }
}

bool VWindow::canDrag(VEvent* e) { return vuna::subClamped(e->getY(), Top) < TitleBarHeight; }

bool VWindow::processEvent(VEvent* e) {
  if (!Resizable || e->getButton() != mbLeft || e->getType() != etMouseDown) {
    return false;
  }
  using Wide = long long;
  const Wide x = e->getX();
  const Wide y = e->getY();
  if ((static_cast<Wide>(Left) + Width) - x > kResizeCorner ||
      (static_cast<Wide>(Top) + Height) - y > kResizeCorner) {
    return false;
  }
  ResizeStartX = vuna::clampToInt(Width - x);
  ResizeStartY = vuna::clampToInt(Height - y);
  Resizing = true;
  ResizeRelease = mouseReleases();
  return true;
}

// The pointer may be anywhere, inside the window or not; the bound is the owner's full size
// from the window's position, client borders included.
bool VWindow::processMouseOwner(VEvent* e) {
  if (e->getButton() != mbLeft || e->getType() != etMouseMotion) {
    Resizing = false;
    return false;
  }
  if (!Resizing) {
    return false;
  }
  if (ResizeRelease != mouseReleases()) {
    Resizing = false;  // a release that never reached the window ended it
    return false;
  }
  int w = vuna::addClamped(e->getX(), ResizeStartX);
  int h = vuna::addClamped(e->getY(), ResizeStartY);
  if (w < MinResizeWidth) {
    w = MinResizeWidth;
  }
  if (h < MinResizeHeight) {
    h = MinResizeHeight;
  }
  if (Owner != nullptr) {
    const int maxWidth = vuna::subClamped(Owner->getWidth(), Left);
    const int maxHeight = vuna::subClamped(Owner->getHeight(), Top);
    setWidth(w < maxWidth ? w : maxWidth);
    setHeight(h < maxHeight ? h : maxHeight);
  } else {
    setWidth(w);
    setHeight(h);
  }
  return false;
}

// A window's own buttons are children like any others: a program may free, remove or move
// them. The window forgets a button that leaves it and goes on without it.
void VWindow::childrenChanged() {
  if (CloseButton != nullptr && !lists(CloseButton)) {
    CloseButton = nullptr;
  }
  if (MaximizeButton != nullptr && !lists(MaximizeButton)) {
    MaximizeButton = nullptr;
  }
}

bool VWindow::canFocus(VEvent*) { return true; }

// --- drawing ----------------------------------------------------------------------------------

// Everything here is painted with the look and feel, which a window built without an owner
// lacks until one is set: such a window draws nothing.
void VWindow::drawFrame() {
  if (LookAndFeel == nullptr) {
    return;
  }
  const float w = static_cast<float>(Width);
  const float h = static_cast<float>(Height);
  const float b = static_cast<float>(TitleBarBorder);

  LookAndFeel->getBackGroundColor()->setAsCurrent();
  glBegin(GL_POLYGON);
  LookAndFeel->drawRect(0.0f, 0.0f, w, h);
  glEnd();
  LookAndFeel->drawBevel(0.0f, 0.0f, w, h, bsUp);
  LookAndFeel->drawBevel(b, b, w - 2 * b, h - 2 * b, bsDown);

  const bool active = Owner != nullptr && Owner->getFocusPath() == this;
  (active ? TitleBarColor : TitleBarColorInactive)->setAsCurrent();
  Font->setBold(active);
  glBegin(GL_POLYGON);
  LookAndFeel->drawRect(b, b, w - 2 * b, static_cast<float>(TitleBarHeight));
  glEnd();

  // The caption ends where the maximise button begins, or would begin.
  const int buttonsLeft = MaximizeButton != nullptr ? MaximizeButton->getLeft()
                          : CloseButton != nullptr
                              ? vuna::subClamped(CloseButton->getLeft(), TitleBarHeight - 1)
                              : vuna::clampToInt(static_cast<long long>(Width) - 2 * (TitleBarHeight - 4) -
                                                 TitleBarBorder - 6);
  const int captionWidth = vuna::subClamped(buttonsLeft, TitleBarBorder + 2);
  const int count = Font->getLengthForWidth(Caption.c_str(), captionWidth);
  Font->drawAtPos(Caption.c_str(), TitleBarBorder + 2, TitleBarBorder + 2, count);
  Font->setBold(false);

  if (Resizable) {
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_LINES);
    glVertex2f(w - b, h - 12.0f);
    glVertex2f(w - 12.0f, h - b);
    glVertex2f(w - b, h - 8.0f);
    glVertex2f(w - 8.0f, h - b);
    glEnd();
  }

  char text[kCoordTextSize];
  if (Resizing && ResizeRelease == mouseReleases()) {
    std::snprintf(text, sizeof text, "resize to %dx%d", Width, Height);
    drawCoordInfos(vuna::addClamped(Width, 10), vuna::subClamped(Height, 10), text);
  } else if (isDragging()) {
    std::snprintf(text, sizeof text, "move to (%d,%d)", Left, Top);
    drawCoordInfos(5, -25, text);
  }
}

void VWindow::drawCoordInfos(int x, int y, const char* text) {
  if (LookAndFeel == nullptr || text == nullptr) {
    return;
  }
  const float tw = Font->getTextWidth(text);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4f(0.2f, 0.2f, 0.2f, 0.5f);
  glBegin(GL_POLYGON);
  LookAndFeel->drawRect(static_cast<float>(x) - 5.0f, static_cast<float>(y) - 2.0f, tw + 10.0f,
                        static_cast<float>(Font->getSize()) + 5.0f);
  glEnd();
  glDisable(GL_BLEND);
  Font->drawAtPos(text, x, y, -1);
}

void VWindow::drawCloseButton() {
  if (LookAndFeel == nullptr || CloseButton == nullptr) {
    return;
  }
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  LookAndFeel->drawCloseButton(CloseButton->getState() == bsDown, CloseButton->getWidth(),
                               CloseButton->getHeight());
}

void VWindow::drawMaximizeButton() {
  if (LookAndFeel == nullptr || MaximizeButton == nullptr) {
    return;
  }
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  LookAndFeel->drawMaximizeButton(MaximizeButton->getState() == bsDown,
                                  MaximizeButton->getWidth(), MaximizeButton->getHeight());
}

// --- maximising -------------------------------------------------------------------------------

void VWindow::maximize() {
  if (Owner == nullptr) {
    return;
  }
  if (!Maximized) {
    OldLeft = Left;
    OldTop = Top;
    OldWidth = Width;
    OldHeight = Height;
    setLeft(0);
    setTop(0);
    setWidth(vuna::clampToInt(static_cast<long long>(Owner->getWidth()) -
                              Owner->getClientBorderLeft() - Owner->getClientBorderRight()));
    setHeight(vuna::clampToInt(static_cast<long long>(Owner->getHeight()) -
                               Owner->getClientBorderTop() - Owner->getClientBorderBottom()));
    Maximized = true;
  } else {
    setLeft(OldLeft);
    setTop(OldTop);
    setWidth(OldWidth);
    setHeight(OldHeight);
    Maximized = false;
  }
}

// --- properties -------------------------------------------------------------------------------

int VWindow::getTitleBarHeight() { return TitleBarHeight; }
void VWindow::setTitleBarHeight(int newValue) { TitleBarHeight = newValue; }
int VWindow::getTitleBarBorder() { return TitleBarBorder; }
void VWindow::setTitleBarBorder(int newValue) { TitleBarBorder = newValue; }
std::string VWindow::getCaption() { return Caption; }
void VWindow::setCaption(std::string newValue) { Caption = std::move(newValue); }
int VWindow::getMinResizeWidth() { return MinResizeWidth; }
void VWindow::setMinResizeWidth(int newValue) { MinResizeWidth = newValue; }
int VWindow::getMinResizeHeight() { return MinResizeHeight; }
void VWindow::setMinResizeHeight(int newValue) { MinResizeHeight = newValue; }
bool VWindow::getMaximized() { return Maximized; }
void VWindow::setMaximized(bool newValue) { Maximized = newValue; }
bool VWindow::getResizable() { return Resizable; }
void VWindow::setResizable(bool newValue) { Resizable = newValue; }
VButton* VWindow::getCloseButton() { return CloseButton; }
VButton* VWindow::getMaximizeButton() { return MaximizeButton; }
VFont* VWindow::getFont() { return Font; }
VColor* VWindow::getTitleBarColor() { return TitleBarColor; }
VColor* VWindow::getTitleBarColorInactive() { return TitleBarColorInactive; }

// --- diagnostics ------------------------------------------------------------------------------

void VWindow::print() {
  std::cout << "Class : VWindow" << std::endl;
  std::cout << "TitleBarHeight = " << TitleBarHeight << std::endl;
  std::cout << "TitleBarBorder = " << TitleBarBorder << std::endl;
  std::cout << "Caption = " << Caption << std::endl;
  std::cout << "MinResizeWidth = " << MinResizeWidth << std::endl;
  std::cout << "MinResizeHeight = " << MinResizeHeight << std::endl;
  std::cout << "Maximized = " << (Maximized ? 1 : 0) << std::endl;
  std::cout << "Resizable = " << (Resizable ? 1 : 0) << std::endl;
  std::cout << "CloseButton = " << static_cast<const void*>(CloseButton) << std::endl;
  std::cout << "MaximizeButton = " << static_cast<const void*>(MaximizeButton) << std::endl;
}
