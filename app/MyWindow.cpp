// MyWindow: building the demo window's contents and owning its radio button group.
#include "app/MyWindow.h"

#include "app/app.h"
#include "draw/VFont.h"
#include "widgets/VCaptionButton.h"
#include "widgets/VCheckBox.h"
#include "widgets/VRadioButton.h"
#include "widgets/VRadioButtonGroup.h"
#include "widgets/VTextEdit.h"
#include "widgets/VToolBar.h"

MyWindow::MyWindow(VWidget* owner)
    : VWindow(owner),
      toolbar(nullptr),
      textedit(nullptr),
      toolbarWidth(nullptr),
      rgroup(nullptr),
      radio_toolbar(nullptr) {
  setWidth(400);
  setHeight(200);

  textedit = new VTextEdit(this);
  textedit->setLeft(10);
  textedit->setTop(70);
  textedit->setWidth(150);
  textedit->setText("Neu !!!");

  toolbarWidth = new VCheckBox(this);
  toolbarWidth->setLeft(10);
  toolbarWidth->setTop(95);
  toolbarWidth->setCaption("Toolbar Breite anpassen");

  rgroup = new VRadioButtonGroup();

  radio_toolbar = new VToolBar(this);
  radio_toolbar->setWidth(300);
  radio_toolbar->setTop(150);

  auto* item1 = new VRadioButton(radio_toolbar);
  item1->getFont()->setSize(12);
  item1->setRadioButtonGroup(rgroup);
  item1->setState(cbChecked);
  item1->setCaption("Item 1");
  item1->onClick = myMethod3;

  auto* item2 = new VRadioButton(radio_toolbar);
  item2->setRadioButtonGroup(rgroup);
  item2->setCaption("Item 2");
  item2->setState(cbUnchecked);
  item2->getFont()->setSize(12);
  item2->onClick = myMethod3;

  toolbar = new VToolBar(this);
  auto* fenster = new VCaptionButton(toolbar);
  fenster->setCaption("Fenster");
  fenster->onPress = myMethod1;
  auto* button2 = new VCaptionButton(toolbar);
  button2->setCaption("Button 2");
  button2->onPress = myMethod2;
  auto* button3 = new VCaptionButton(toolbar);
  button3->setCaption("Button 3");
  button3->onPress = myMethod2;
  toolbar->setWidth(350);
}

MyWindow::~MyWindow() {
  delete rgroup;
  rgroup = nullptr;
}

void MyWindow::layout() { VWindow::layout(); }

namespace {
template <typename T>
void forgetUnlessListed(const VWidget* window, T*& field) {
  if (field != nullptr && !window->lists(field)) {
    field = nullptr;
  }
}
}  // namespace

void MyWindow::childrenChanged() {
  VWindow::childrenChanged();
  forgetUnlessListed(this, toolbar);
  forgetUnlessListed(this, textedit);
  forgetUnlessListed(this, toolbarWidth);
  forgetUnlessListed(this, radio_toolbar);
}
