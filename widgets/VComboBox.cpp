// VComboBox: the box, its list in the pop-up layer, and the choosing.
#include "widgets/VComboBox.h"

#include <GL/gl.h>

#include <algorithm>
#include <utility>

#include "core/VColor.h"
#include "core/VSpecialKey.h"
#include "draw/VFont.h"
#include "draw/VLookAndFeel.h"
#include "widgets/VListBox.h"
#include "widgets/VPopupLayer.h"

namespace {

constexpr int kArrowWidth = 16;
constexpr int kMostRows = 8;
constexpr int kListFrame = 4;  ///< the list's frame and first-row margin, top and bottom

VComboBox* boxOf(VWidget* list) { return static_cast<VComboBox*>(list->getUserData()); }

}  // namespace

// The list is made with the box as its owner, so that it takes the box's look and feel and
// font, and then leaves the box's children: it is listed only while open, in the layer.
VComboBox::VComboBox(VWidget* owner)
    : VWidget(owner), Chosen(-1), Font(new VFont()), List(nullptr), onChange(nullptr) {
  Width = 120;
  Height = 20;
  List = new VListBox(this);
  VWidget::remove(List);
  List->setUserData(this);
  List->onMouseDown = listPressed;
  List->onActivate = listActivated;
  List->onKey = listKey;
  VComboBox::Init();
  VComboBox::layout();
}

VComboBox::~VComboBox() {
  delete List;  // leaves the layer when open; this box hears nothing of it
  List = nullptr;
  delete Font;
  Font = nullptr;
}

void VComboBox::Init() {
  if (LookAndFeel != nullptr) {
    Font->copyFromTheme(LookAndFeel->getFont());
  }
  VWidget::Init();
}

bool VComboBox::canDrag(VEvent*) { return false; }
bool VComboBox::canFocus(VEvent*) { return true; }
bool VComboBox::takesTabFocus() { return true; }
bool VComboBox::takesKey(int key, bool special) { return special && (key == skUp || key == skDown); }

// --- items --------------------------------------------------------------------------------------

void VComboBox::addItem(std::string text) {
  Items.push_back(std::move(text));
  redraw();
}

void VComboBox::setItems(std::vector<std::string> items) {
  close();
  Items = std::move(items);
  Chosen = -1;
  redraw();
}

int VComboBox::getItemCount() { return static_cast<int>(Items.size()); }

std::string VComboBox::getItem(int index) {
  return index >= 0 && index < getItemCount() ? Items[static_cast<std::size_t>(index)] : "";
}

int VComboBox::getChosen() { return Chosen; }

void VComboBox::setChosen(int index) {
  Chosen = index >= 0 && index < getItemCount() ? index : -1;
  redraw();
}

std::string VComboBox::getChosenText() { return getItem(Chosen); }

VFont* VComboBox::getFont() { return Font; }

void VComboBox::choose(int index, VEvent* e) {
  if (index < 0 || index >= getItemCount() || index == Chosen) {
    return;
  }
  Chosen = index;
  redraw();
  if (onChange != nullptr) {
    onChange(this, e);
  }
}

// --- the list -----------------------------------------------------------------------------------

bool VComboBox::isOpen() {
  VPopupLayer* layer = getPopupLayer();
  return layer != nullptr && layer->isOpen(List);
}

void VComboBox::open() {
  VPopupLayer* layer = getPopupLayer();
  if (layer == nullptr || Items.empty() || layer->isOpen(List)) {
    return;
  }
  List->setItems(Items);
  const int rows = std::min(getItemCount(), kMostRows);
  List->setWidth(Width);
  List->setHeight(rows * List->getRowHeight() + kListFrame);
  List->setSelected(Chosen);
  layer->placeBelow(List, this);
  layer->open(List, this);
  layer->requestFocus(List, List);  // its keys: Up, Down, Enter, letters
}

void VComboBox::close() {
  if (VPopupLayer* layer = getPopupLayer()) {
    layer->close(List);
  }
}

void VComboBox::popupClosed(VWidget*) { redraw(); }

// The list's press has selected its row by now: a press on a row chooses it.
void VComboBox::listPressed(VWidget* list, VEvent* e) {
  auto* listBox = static_cast<VListBox*>(list);
  const int row = listBox->rowAt(e->getX() - list->getLeft(), e->getY() - list->getTop());
  if (row >= 0) {
    VComboBox* box = boxOf(list);
    box->close();
    box->choose(row, e);
  }
}

void VComboBox::listActivated(VWidget* list, VEvent* e) {
  VComboBox* box = boxOf(list);
  box->close();
  box->choose(static_cast<VListBox*>(list)->getSelected(), e);
}

void VComboBox::listKey(VWidget* list, VEvent* e) {
  if (e->getType() == etKeyboard && e->getKey() == 27) {
    boxOf(list)->close();
  }
}

// --- input and drawing --------------------------------------------------------------------------

bool VComboBox::processEvent(VEvent* e) {
  switch (e->getType()) {
    case etMouseDown:
      if (e->getButton() == mbLeft) {
        open();
      }
      break;
    case etSpecialKey:
      if (e->getKey() == skUp) {
        choose(Chosen > 0 ? Chosen - 1 : 0, e);
      } else if (e->getKey() == skDown) {
        choose(std::min(Chosen + 1, getItemCount() - 1), e);
      }
      break;
    default:
      break;
  }
  return false;
}

void VComboBox::draw(VEvent*) {
  if (LookAndFeel == nullptr) {
    return;
  }
  Font->followTheme(LookAndFeel->getFont());
  const int field = std::max(0, Width - kArrowWidth);
  LookAndFeel->drawTextField(Width, field, Height, Enabled, getFocused(), Font,
                             getChosenText().c_str());
  const float f = static_cast<float>(field);
  const float h = static_cast<float>(Height);

  // The arrow: a bevel, sunk while the list is open, and a triangle pointing down.
  LookAndFeel->drawBevel(f, 0.0f, kArrowWidth, h,
                         !Enabled ? bsDisabled : isOpen() ? bsDown : bsUp);
  const float cx = f + kArrowWidth / 2.0f;
  const float cy = h / 2.0f;
  Font->getColor()->setAsCurrent();
  glBegin(GL_POLYGON);
  glVertex2f(cx - 4.0f, cy - 2.0f);
  glVertex2f(cx + 4.0f, cy - 2.0f);
  glVertex2f(cx, cy + 2.0f);
  glEnd();
}
