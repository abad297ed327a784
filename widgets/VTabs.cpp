// VTabs: the headers, the pages and the switching.
#include "widgets/VTabs.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/VColor.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"

VTabs::VTabs(VWidget* owner) : VWidget(owner), Current(-1), Font(new VFont()), onChange(nullptr) {
  Width = 200;
  Height = 150;
  VTabs::Init();
  VTabs::layout();
}

VTabs::~VTabs() {
  delete Font;
  Font = nullptr;
}

void VTabs::Init() {
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  VWidget::Init();
}

bool VTabs::canDrag(VEvent*) { return false; }

bool VTabs::canFocus(VEvent* e) {
  const long long y = static_cast<long long>(e->getY()) - Top;
  return y >= 0 && y < kHeaderHeight;
}

bool VTabs::takesTabFocus() { return true; }

bool VTabs::takesKey(int key, bool special) { return !special && key == '\t'; }

VFont* VTabs::getFont() { return Font; }

// --- pages --------------------------------------------------------------------------------------

VWidget* VTabs::addPage(std::string caption) {
  auto* page = new VWidget(this);
  Captions.push_back(std::move(caption));
  Pages.push_back(page);
  page->setVisible(Pages.size() == 1);
  if (Current < 0) {
    Current = 0;
  }
  layout();
  redraw();
  return page;
}

// A page leaving the tabs (deleted, or moved by the program) takes its tab along.
void VTabs::remove(VWidget* child) {
  const auto at = std::find(Pages.begin(), Pages.end(), child);
  if (at != Pages.end()) {
    const auto index = static_cast<int>(at - Pages.begin());
    Captions.erase(Captions.begin() + index);
    Pages.erase(at);
    if (Current >= static_cast<int>(Pages.size()) || index < Current) {
      --Current;
    }
    if (Current < 0 && !Pages.empty()) {
      Current = 0;
    }
    for (std::size_t i = 0; i < Pages.size(); ++i) {
      Pages[i]->setVisible(static_cast<int>(i) == Current);
    }
  }
  VWidget::remove(child);
}

int VTabs::getPageCount() { return static_cast<int>(Pages.size()); }

VWidget* VTabs::getPage(int index) {
  return index >= 0 && index < getPageCount() ? Pages[static_cast<std::size_t>(index)] : nullptr;
}

std::string VTabs::getCaption(int index) {
  return index >= 0 && index < getPageCount() ? Captions[static_cast<std::size_t>(index)] : "";
}

int VTabs::getCurrent() { return Current; }

void VTabs::setCurrent(int index) {
  if (index < 0 || index >= getPageCount()) {
    return;
  }
  if (Current >= 0 && Current < getPageCount()) {
    Pages[static_cast<std::size_t>(Current)]->setVisible(false);
  }
  Current = index;
  Pages[static_cast<std::size_t>(Current)]->setVisible(true);
  redraw();
}

void VTabs::show(int index, VEvent* e) {
  if (index == Current || index < 0 || index >= getPageCount()) {
    return;
  }
  setCurrent(index);
  if (onChange != nullptr) {
    onChange(this, e);
  }
}

void VTabs::layout() {
  for (VWidget* page : Pages) {
    page->setLeft(0);
    page->setTop(kHeaderHeight);
    page->setWidth(Width);
    page->setHeight(std::max(0, Height - kHeaderHeight));
  }
}

// --- input --------------------------------------------------------------------------------------

int VTabs::headerWidth(int index) {
  return static_cast<int>(std::trunc(Font->getTextWidth(getCaption(index).c_str()))) +
         kHeaderPadding;
}

int VTabs::headerAt(int x, int y) {
  if (y < 0 || y >= kHeaderHeight || x < 0) {
    return -1;
  }
  long long left = 0;
  for (int i = 0; i < getPageCount(); ++i) {
    left += headerWidth(i);
    if (x < left) {
      return i;
    }
  }
  return -1;
}

bool VTabs::processEvent(VEvent* e) {
  switch (e->getType()) {
    case etMouseDown:
      if (e->getButton() == mbLeft) {
        const long long x = static_cast<long long>(e->getX()) - Left;
        const long long y = static_cast<long long>(e->getY()) - Top;
        if (x >= 0 && x <= Width && y >= 0 && y < kHeaderHeight) {
          show(headerAt(static_cast<int>(x), static_cast<int>(y)), e);
        }
      }
      break;
    case etKeyboard:
      if (e->getKey() == '\t' && (e->getModifiers() & vmCtrl) != 0 && getPageCount() > 0) {
        const int step = (e->getModifiers() & vmShift) != 0 ? -1 : 1;
        show((Current + step + getPageCount()) % getPageCount(), e);
      }
      break;
    default:
      break;
  }
  return false;
}

// --- drawing ------------------------------------------------------------------------------------

// The page area is a raised panel; each header a raised tab on it, the current one two pixels
// taller and open towards its page.
void VTabs::draw(VEvent*) {
  if (LookAndFeel == nullptr) {
    return;
  }
  Font->followTheme(LookAndFeel->getFont());
  const VBevelState look = Enabled ? bsUp : bsDisabled;
  const float w = static_cast<float>(Width);
  const float h = static_cast<float>(Height);
  const float header = static_cast<float>(kHeaderHeight);
  LookAndFeel->fillRect(0.0f, header, w, h - header, LookAndFeel->getBackGroundColor());
  LookAndFeel->drawBevel(0.0f, header, w, h - header, look);
  float left = 0.0f;
  for (int i = 0; i < getPageCount(); ++i) {
    const float width = static_cast<float>(headerWidth(i));
    const float top = i == Current ? 0.0f : 2.0f;
    LookAndFeel->fillRect(left, top, width, header - top + (i == Current ? 1.0f : 0.0f),
                          LookAndFeel->getBackGroundColor());
    LookAndFeel->drawBevel(left, top, width, header - top, look);
    if (i == Current) {
      // Open towards the page: the page's top edge does not run under the current header.
      LookAndFeel->fillRect(left + 1.0f, header - 1.0f, width - 1.0f, 2.0f,
                            LookAndFeel->getBackGroundColor());
      if (getFocused()) {
        LookAndFeel->getHighlightColor()->setAsCurrent();
        glBegin(GL_LINE_LOOP);
        LookAndFeel->drawRect(3.0f + left, 3.0f, width - 6.0f, header - 7.0f);
        glEnd();
      }
    }
    Font->drawAtPos(getCaption(i).c_str(), static_cast<int>(left) + kHeaderPadding / 2,
                    static_cast<int>(top) + 3, -1);
    left += width;
  }
}
