// A whole GLFW program, built by consumer_test.sh through pkg-config's vuna-glfw alone: it must
// compile without any GLUT header and link without libglut.
#include <vuna/hosts/glfw/entry.h>
#include <vuna/vuna.h>

namespace {

void buildScene(VScreen* screen) {
  auto* button = new VCaptionButton(screen);
  button->setCaption("GLFW only");
}

}  // namespace

int main(int argc, char** argv) { return vunaGlfwMain(argc, argv, buildScene, "GLFW only"); }
