// Every line the library writes on its own account goes through one sink, which a program can
// take over; without one, each line reaches the stream it always went to.
#include "core/VMessages.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/VWidget.h"
#include "draw/VImageSource.h"
#include "draw/tga.h"
#include "support/StreamCapture.h"

namespace {

using Said = std::vector<std::pair<VMessages::Stream, std::string>>;

void record(VMessages::Stream stream, const std::string& line, void* data) {
  static_cast<Said*>(data)->emplace_back(stream, line);
}

// Restores the default sink even when an expectation fails.
struct SinkGuard {
  explicit SinkGuard(Said* said) { VMessages::setSink(record, said); }
  ~SinkGuard() { VMessages::setSink(nullptr, nullptr); }
};

void addToItsOwnChild() {
  VWidget root(nullptr);
  auto* child = new VWidget(&root);
  child->add(&root);
}

void loadMissingImage() {
  const GLuint name = vuna::createTexture("no_such_image.tga");
  glDeleteTextures(1, &name);
}

void offerNamelessImage() {
  static const unsigned char bytes[1] = {0};
  static const VImageSource::Image images[1] = {{nullptr, bytes, sizeof bytes}};
  VImageSource::setBuiltIn(images, 1);
  VImageSource::setBuiltIn(nullptr, 0);
}

TEST(Messages, ASinkTakesEveryLineWithItsStreamAndNothingReachesTheStreams) {
  const std::string missing =
      "Error occured while tried to load TGA texture from " +
      VImageSource::describe("no_such_image.tga");
  const struct {
    const char* call;
    std::function<void()> make;
    Said expected;
  } cases[] = {
      {"add of an owner to its child", addToItsOwnChild,
       {{VMessages::msError,
         "Vuna: a widget cannot be added to itself or to a widget inside it; the add is "
         "ignored"}}},
      {"a missing image", loadMissingImage, {{VMessages::msOutput, missing}}},
      {"a built-in image without a name", offerNamelessImage,
       {{VMessages::msError, "Vuna: built-in image 0 has no name; it is not used"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.call);
    Said said;
    vt::StreamCapture out(std::cout);
    vt::StreamCapture err(std::cerr);
    {
      const SinkGuard guard(&said);
      c.make();
    }
    EXPECT_EQ(said, c.expected);
    EXPECT_EQ(out.text(), "");
    EXPECT_EQ(err.text(), "");
  }
}

TEST(Messages, WithoutASinkALineGoesToItsOwnStream) {
  vt::StreamCapture out(std::cout);
  vt::StreamCapture err(std::cerr);
  addToItsOwnChild();
  loadMissingImage();
  EXPECT_EQ(err.lines(),
            (std::vector<std::string>{"Vuna: a widget cannot be added to itself or to a widget "
                                      "inside it; the add is ignored"}));
  EXPECT_EQ(out.lines(), (std::vector<std::string>{
                             "Error occured while tried to load TGA texture from " +
                             VImageSource::describe("no_such_image.tga")}));
}

}  // namespace
