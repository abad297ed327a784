// consumer: a program outside the project that uses an installed or embedded Vuna as a user would.
//
//   vuna_consumer builtin        images compiled in (links vuna::images)
//   vuna_consumer folder DIR     images read from DIR (VImageSource::setFolder)
//   vuna_consumer workdir        images read from the working directory (the default)
//
// It defines functions and globals of the same common names as Vuna's internals and its GLUT
// host (checkSize, createTexture, screen, glutDisplay): they must neither clash in the link nor
// replace Vuna's code. It opens its own GLUT window, draws one frame with a caption button and
// checks the caption's pixels: dark glyph strokes on the button's grey, not the solid boxes a
// missing font sheet gives. Prints PASS or FAIL lines; exits 0 only when all pass.
#include <GL/freeglut.h>

#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include <vuna/vuna.h>
#ifdef CONSUMER_BUILTIN_IMAGES
#include <vuna/draw/VBuiltInImages.h>
#endif

// The program's own names, the same as Vuna's internal helpers and its GLUT host's globals.
int checkSize(int) { return 42; }
unsigned int createTexture(const char*) { return 7u; }
int screen = 3;
void glutDisplay() {}

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
  std::cout << (ok ? "PASS: " : "FAIL: ") << what << std::endl;
  failures += ok ? 0 : 1;
}

void sayHello(VWidget* w, VEvent*) { static_cast<int*>(w->getUserData())[0] += 1; }

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "builtin") {
#ifdef CONSUMER_BUILTIN_IMAGES
    VBuiltInImages::install();
#else
    std::cerr << "built without the built-in images" << std::endl;
    return 2;
#endif
  } else if (mode == "folder" && argc > 2) {
    VImageSource::setFolder(argv[2]);
  } else if (mode != "workdir") {
    std::cerr << "usage: " << argv[0] << " builtin | folder DIR | workdir" << std::endl;
    return 2;
  }

  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
  glutInitWindowSize(300, 100);
  glutCreateWindow("consumer");

  // std::cout is where a failed image load is reported: watch it while the images load.
  std::streambuf* console = std::cout.rdbuf();
  std::ostringstream loads;
  std::cout.rdbuf(loads.rdbuf());
  auto* vuna = new VScreen(nullptr);
  vuna->setRedisplayHook([](void*) {}, nullptr);
  vuna->setSize(300, 100);
  auto* button = new VCaptionButton(vuna);
  button->setCaption("Hello Vuna");
  button->setLeft(10);
  button->setTop(10);
  int presses = 0;
  button->setUserData(&presses);
  button->onPress = sayHello;

  glViewport(0, 0, 300, 100);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 300, 100, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClear(GL_COLOR_BUFFER_BIT);
  vuna->glutDisplay();
  glFinish();
  std::cout.rdbuf(console);
  check(loads.str().find("Error occured") == std::string::npos,
        "every image loaded (" + std::to_string(loads.str().size()) + " bytes of load messages)");

  // The caption's band inside the button: glyphs are dark strokes on light grey. A font sheet
  // that failed to load draws each glyph as a solid box instead.
  const int x = 14;
  const int y = 14;
  const int w = button->getWidth() - 8;
  const int h = button->getHeight() - 8;
  std::vector<unsigned char> rgb(static_cast<std::size_t>(w * h * 3));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, 100 - y - h, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  int dark = 0;
  for (std::size_t i = 0; i < rgb.size(); i += 3) {
    dark += rgb[i] + rgb[i + 1] + rgb[i + 2] < 200 ? 1 : 0;
  }
  const int total = w * h;
  check(dark > total / 50 && dark < total / 2,
        "the caption is drawn as glyphs: " + std::to_string(dark) + " of " +
            std::to_string(total) + " pixels dark");

  vuna->glutMouse(0, 0, 20, 20);
  vuna->glutMouse(0, 1, 20, 20);
  check(presses == 1, "the press handler reached the program's data through the widget");
  check(checkSize(3) == 42 && createTexture("x") == 7u && screen == 3,
        "the program's own checkSize, createTexture and screen are its own");
  return failures == 0 ? 0 : 1;
}
