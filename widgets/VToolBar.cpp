// VToolBar: the frame and grip, the row layout of the children and the diagnostic dump.
#include "widgets/VToolBar.h"

#include <GL/gl.h>

#include <iostream>
#include <vector>

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
    if (row.empty()) {
      break;
    }
    const int n = static_cast<int>(row.size());
    const int slot = (Width - MoverWidth) / n - 2;
    for (int i = 0; i < n; ++i) {
      VWidget* child = row[static_cast<std::size_t>(i)];
      child->setTop(2);
      child->setHeight(Height - 4);
      child->setWidth(slot);
      child->setLeft(MoverWidth + i * (slot + 2));
    }
  } while (LayoutAgain);
  LayingOut = false;
}

bool VToolBar::canDrag(VEvent* e) { return e->getX() - Left < MoverWidth; }

bool VToolBar::processEvent(VEvent*) { return false; }

bool VToolBar::processMouseOwner(VEvent*) { return false; }

void VToolBar::childrenChanged() { layout(); }

bool VToolBar::canFocus(VEvent*) { return false; }

int VToolBar::getMoverWidth() { return MoverWidth; }

void VToolBar::setMoverWidth(int newValue) { MoverWidth = newValue; }

void VToolBar::print() {
  std::cout << "Class : VToolBar" << std::endl;
  std::cout << "MoverWidth = " << MoverWidth << std::endl;
}
