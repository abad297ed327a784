// VImageSource: where an image name is opened, from a folder or from memory, and what a missing
// image reports.
#include "draw/VImageSource.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "TestFolder.h"
#include "draw/tga.h"
#include "support/StreamCapture.h"

namespace {

class ImageSource : public ::testing::Test {
 protected:
  void TearDown() override {
    VImageSource::setFolder("");
    VImageSource::setBuiltIn(nullptr, 0);
  }
};

TEST_F(ImageSource, JoinsTheFolderAndTheNameUnlessTheNameIsAPathOfItsOwn) {
  struct Case {
    const char* folder;
    const char* name;
    const char* path;
  };
  const Case cases[] = {
      {"", "font_arial.tga", "font_arial.tga"},
      {"/usr/share/vuna", "font_arial.tga", "/usr/share/vuna/font_arial.tga"},
      {"/usr/share/vuna/", "font_arial.tga", "/usr/share/vuna/font_arial.tga"},
      {"images", "radio.tga", "images/radio.tga"},
      {"/usr/share/vuna", "/tmp/own.tga", "/tmp/own.tga"},
      {"/usr/share/vuna", "", "/usr/share/vuna/"},
  };
  for (const Case& c : cases) {
    VImageSource::setFolder(c.folder);
    EXPECT_EQ(VImageSource::pathOf(c.name), c.path) << c.folder << " + " << c.name;
  }
  EXPECT_EQ(VImageSource::open(nullptr), nullptr);
}

// The images a program carries are found by exact name before the folder is looked at; other
// names still come from the folder.
TEST_F(ImageSource, ImagesInMemoryComeFirstAndOtherNamesFromTheFolder) {
  TestFolder folder;
  { std::ofstream(folder.file("disk.tga")) << "on disk"; }
  { std::ofstream(folder.file("both.tga")) << "on disk"; }
  static const unsigned char bytes[] = {'i', 'n', ' ', 'm', 'e', 'm', 'o', 'r', 'y'};
  static const VImageSource::Image images[] = {{"both.tga", bytes, sizeof bytes},
                                               {"memory.tga", bytes, sizeof bytes}};
  VImageSource::setFolder(folder.path());
  VImageSource::setBuiltIn(images, 2);
  auto contents = [](const char* name) {
    std::FILE* f = VImageSource::open(name);
    if (f == nullptr) {
      return std::string("(none)");
    }
    char text[32] = {};
    const std::size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    return std::string(text, n);
  };
  EXPECT_EQ(contents("both.tga"), "in memory");
  EXPECT_EQ(contents("memory.tga"), "in memory");
  EXPECT_EQ(contents("disk.tga"), "on disk");
  EXPECT_EQ(contents("Memory.tga"), "(none)");
  EXPECT_EQ(contents("missing.tga"), "(none)");
}

// A missing image names the path that was tried, so a wrong folder is seen at once; with no
// folder set the line is the one the toolkit always printed.
TEST_F(ImageSource, AMissingImageNamesThePathTried) {
  for (const char* folder : {"", "/nowhere/images"}) {
    VImageSource::setFolder(folder);
    vt::StreamCapture out(std::cout);
    createTexture("missing.tga");
    const std::string expected = std::string("Error occured while tried to load TGA texture from ") +
                                 (*folder ? "/nowhere/images/" : "") + "missing.tga";
    EXPECT_EQ(out.lines(), (std::vector<std::string>{expected})) << folder;
  }
}

}  // namespace
