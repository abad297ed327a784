// VToolBar: the frame and grip, the row layout of the children and the diagnostic dump.
#include "widgets/VToolBar.h"

#include <GL/gl.h>

#include <iostream>
#include <vector>

#include "core/VClamp.h"
#include "core/VColor.h"
#include "draw/VLookAndFeel.h"

VToolBar::VToolBar(VWidget* owner) : VWidget(owner), MoverWidth(10) {
  VToolBar::Init();
  VToolBar::layout();
}

VToolBar::~VToolBar() { VToolBar::CleanUp(); }

void VToolBar::Init() {
  Width = 100;
  Height = 25;
}

void VToolBar::CleanUp() {}

void VToolBar::bringToFront(VWidget*) {}

void VToolBar::draw(VEvent*) {
  if (LookAndFeel == nullptr) {
    return;
  }
  const float w = static_cast<float>(Width);
  const float h = static_cast<float>(Height);
  LookAndFeel->getBackGroundColor()->setAsCurrent();
  glBegin(GL_POLYGON);
  LookAndFeel->drawRect(0.0f, 0.0f, w, h);
  glEnd();
  LookAndFeel->drawBevel(0.0f, 0.0f, w, h, bsUp);
  LookAndFeel->drawBevel(2.0f, 2.0f, 2.0f, h - 4.0f, bsUp);
  LookAndFeel->drawBevel(5.0f, 2.0f, 2.0f, h - 4.0f, bsUp);
}

void VToolBar::layout() {
  cancelLayoutRequest();
  layoutRow(nullptr);
}

void VToolBar::layoutRow(const VWidget* placed) {
  if (LayingOut) {
    LayoutAgain = true;
    return;
  }
  LayingOut = true;
  do {
    LayoutAgain = false;
    // Children is front to back and add() puts the newest in front: the row runs from the
    // back of the list. A copy, since the child setters run code that may change the list.
    const std::vector<VWidget*> row(Children.rbegin(), Children.rend());
    const int n = static_cast<int>(row.size());
    for (int i = 0; i < n; ++i) {
      VWidget* child = row[static_cast<std::size_t>(i)];
      if (child != placed) {
        place(child, i, n);
      }
    }
    placed = nullptr;  // a second pass runs because the row changed: all of it
  } while (LayoutAgain);
  LayingOut = false;
}

void VToolBar::place(VWidget* child, int index, int n) {
  const long long slot = (static_cast<long long>(Width) - MoverWidth) / n - 2;
  child->setTop(2);
  child->setHeight(vuna::subClamped(Height, 4));
  child->setWidth(vuna::clampToInt(slot));
  child->setLeft(vuna::clampToInt(MoverWidth + index * (slot + 2)));
}

void VToolBar::finishRow(VWidget* self, const VWidget* placed) {
  static_cast<VToolBar*>(self)->layoutRow(placed);
}

bool VToolBar::canDrag(VEvent* e) { return e->getX() - Left < MoverWidth; }

bool VToolBar::processEvent(VEvent*) { return false; }

bool VToolBar::processMouseOwner(VEvent*) { return false; }

void VToolBar::childrenChanged() {
  const std::size_t length = Children.size();
  const bool joined = length == RowLength + 1;
  RowLength = length;
  if (LayingOut) {
    LayoutAgain = true;
    return;
  }
  if (!joined) {
    requestLayout(&VToolBar::finishRow, nullptr);
    return;
  }
  // The newest child is in front and ends the row. The request comes first, so that its own
  // setters leave the deferred rest alone.
  VWidget* newest = Children.front();
  requestLayout(&VToolBar::finishRow, newest);
  place(newest, static_cast<int>(length) - 1, static_cast<int>(length));
}

bool VToolBar::canFocus(VEvent*) { return false; }

int VToolBar::getMoverWidth() { return MoverWidth; }

void VToolBar::setMoverWidth(int newValue) { MoverWidth = newValue; }

void VToolBar::print() {
  std::cout << "Class : VToolBar" << std::endl;
  std::cout << "MoverWidth = " << MoverWidth << std::endl;
}
