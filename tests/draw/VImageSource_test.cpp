// VImageSource: where an image name is opened, from a folder or from memory, and what a missing
// image reports.
#include "draw/VImageSource.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

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

// A FIFO named like a control image is refused at once. Should the reader wait on it after all,
// a writer comes after three seconds, so the test fails instead of hanging.
TEST_F(ImageSource, AFifoNamedLikeAnImageIsRefusedWithoutWaiting) {
  TestFolder folder;
  const std::string fifo = folder.file("radio.tga");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  VImageSource::setFolder(folder.path());
  std::atomic<bool> done{false};
  std::atomic<bool> rescued{false};
  std::thread writer([&] {
    for (int tick = 0; !done; ++tick, std::this_thread::sleep_for(std::chrono::milliseconds(20))) {
      const int fd = tick < 150 ? -1 : ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
      rescued = rescued || fd >= 0;
      if (fd >= 0) ::close(fd);
    }
  });
  vt::StreamCapture out(std::cout);
  vt::StreamCapture err(std::cerr);
  createTexture("radio.tga");
  done = true;
  writer.join();
  EXPECT_FALSE(rescued) << "the reader waited for a writer";
  EXPECT_EQ(err.text(), "Vuna: the image " + fifo + " is not a regular file (a FIFO); it is not read\n");
  EXPECT_EQ(out.text(), "Error occured while tried to load TGA texture from " + fifo + "\n");
}

// Built-in images without a name are refused when handed over, never compared; a failing one is
// reported by its built-in name, not by a path that was never read.
TEST_F(ImageSource, BuiltInImagesWithoutANameAreRefusedAndFailuresNameTheBuiltInImage) {
  static const unsigned char bytes[] = {'n', 'o', ' ', 't', 'g', 'a'};
  static const VImageSource::Image images[] = {
      {nullptr, bytes, sizeof bytes}, {"", bytes, sizeof bytes}, {"broken.tga", bytes, sizeof bytes}};
  VImageSource::setFolder("/nowhere");
  vt::StreamCapture err(std::cerr);
  VImageSource::setBuiltIn(images, 3);
  EXPECT_EQ(err.text(), "Vuna: built-in image 0 has no name; it is not used\n"
                        "Vuna: built-in image 1 has no name; it is not used\n");
  EXPECT_EQ(VImageSource::open(""), nullptr);
  vt::StreamCapture out(std::cout);
  createTexture("broken.tga");
  createTexture("missing.tga");
  EXPECT_EQ(out.text(), "Error occured while tried to load TGA texture from built-in image broken.tga\n"
                        "Error occured while tried to load TGA texture from /nowhere/missing.tga\n");
}

}  // namespace
