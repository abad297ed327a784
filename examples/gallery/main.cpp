// vuna-gallery: the toolkit's lists, menus and pages together: a menu bar, a list of ten
// thousand rows, a combo box, tabs with a scroll area, and a context menu on the bare screen.
// What the user does is printed on standard output, one line each.
#include <vuna/screen/host.h>
#include <vuna/vuna.h>

#include "GalleryScene.h"

int main(int argc, char** argv) {
  VHostOptions options;
  options.title = "Vuna gallery";
  options.width = 640;
  options.height = 480;
  return vunaMain(argc, argv, buildGalleryScene, options);
}
