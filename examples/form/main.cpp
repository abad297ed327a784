// vuna-form: a small form under GLFW, driven by the keyboard as much as by the mouse: a name,
// an e-mail address and a password, each printed on Enter, and a log of every printed line.
// `--scale S` draws it at S window pixels a point (the window opens S times as large).
#include <cstdlib>
#include <iostream>
#include <string>

#include <vuna/hosts/VLatin1.h>
#include <vuna/hosts/glfw/entry.h>
#include <vuna/vuna.h>

namespace {

VTextView* logView = nullptr;

// Each line goes to standard output as UTF-8 (the widgets' text is Latin-1) and to the log.
void say(const std::string& line) {
  std::cout << VLatin1::toUtf8(line) << std::endl;
  logView->append(line);
}

void nameEntered(VWidget* w, VEvent*) { say("name: " + static_cast<VLineEdit*>(w)->getText()); }

void emailEntered(VWidget* w, VEvent*) {
  say("email: " + static_cast<VLineEdit*>(w)->getText());
}

void passwordEntered(VWidget* w, VEvent*) {
  say("password length " + std::to_string(static_cast<VLineEdit*>(w)->getText().size()));
}

template <class W>
W* place(VWidget* owner, int left, int top, int width, int height) {
  auto* w = new W(owner);
  w->setLeft(left);
  w->setTop(top);
  w->setWidth(width);
  w->setHeight(height);
  return w;
}

VLineEdit* row(VWidget* window, const char* caption, int top, VEventHandler entered) {
  auto* label = new VLabel(window);
  label->setLeft(10);
  label->setTop(top);
  label->setCaption(caption);
  auto* field = place<VLineEdit>(window, 100, top, 200, 20);
  field->onEnter = entered;
  return field;
}

void buildScene(VScreen* screen) {
  screen->setKeyboardNavigation(true);
  auto* window = place<VWindow>(screen, 20, 20, 400, 300);
  window->setCaption("Form");
  row(window, "Name", 35, nameEntered);
  row(window, "E-mail", 65, emailEntered);
  row(window, "Password", 95, passwordEntered)->setPasswordMode(true);
  logView = place<VTextView>(window, 10, 130, 380, 150);
}

}  // namespace

int main(int argc, char** argv) {
  VHostOptions options = VHostOptions::titled("Vuna form");
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--scale") {
      options.scale = std::atof(argv[i + 1]);
    }
  }
  return vunaGlfwMain(argc, argv, buildScene, options);
}
