// GoldenImage and PngImage: the comparison that the picture tests rely on, and PNG round trips.
#include "GoldenImage.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "PngImage.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder under the build tree for each test, with a reference folder and an output
// folder inside it.
class Golden : public ::testing::Test {
 protected:
  void SetUp() override {
    if (vt::GoldenImage::updating()) {
      GTEST_SKIP() << "UPDATE_GOLDENS=1 changes what check() does";
    }
    root_ = fs::path(VUNA_GOLDEN_OUTPUT_DIR) / "self-test" /
            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(root_);
    fs::create_directories(root_ / "ref");
  }
  std::string ref() const { return (root_ / "ref").string(); }
  std::string out() const { return (root_ / "out").string(); }
  static vt::PngImage solid(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::vector<std::uint8_t> px;
    for (int i = 0; i < w * h; ++i) {
      px.push_back(r);
      px.push_back(g);
      px.push_back(b);
    }
    return vt::PngImage(w, h, px);
  }
  void writeRef(const std::string& name, const vt::PngImage& image) {
    std::string error;
    ASSERT_TRUE(image.write(ref() + "/" + name + ".png", &error)) << error;
  }
  fs::path root_;
};

TEST_F(Golden, PngRoundTripKeepsEveryByte) {
  std::vector<std::uint8_t> px;
  for (int i = 0; i < 7 * 3 * 3; ++i) {
    px.push_back(static_cast<std::uint8_t>(i * 37));
  }
  const vt::PngImage image(7, 3, px);
  std::string error;
  const std::string path = (root_ / "round.png").string();
  ASSERT_TRUE(image.write(path, &error)) << error;
  vt::PngImage back;
  ASSERT_TRUE(back.read(path, &error)) << error;
  EXPECT_EQ(back.width(), 7);
  EXPECT_EQ(back.height(), 3);
  EXPECT_EQ(back.rgb(), px);
}

TEST_F(Golden, ReadingABrokenFileFailsWithAReason) {
  const std::string path = (root_ / "broken.png").string();
  std::ofstream(path) << "\x89PNG\r\n\x1a\n not really";
  vt::PngImage image;
  std::string error;
  EXPECT_FALSE(image.read(path, &error));
  EXPECT_NE(error.find(path), std::string::npos) << error;
  EXPECT_EQ(image.width(), 0);
  EXPECT_TRUE(image.rgb().empty());
}

TEST_F(Golden, WritingAPictureWhoseSizeAndPixelsDisagreeFails) {
  const vt::PngImage bad(4, 4, std::vector<std::uint8_t>(10));
  std::string error;
  EXPECT_FALSE(bad.write((root_ / "bad.png").string(), &error));
  EXPECT_FALSE(fs::exists(root_ / "bad.png"));
}

TEST_F(Golden, MatchesWithinTwoPerChannel) {
  writeRef("a", solid(4, 3, 100, 100, 100));
  const vt::GoldenImage g(ref(), out());
  EXPECT_EQ(g.check("a", solid(4, 3, 102, 98, 101)), "");
  EXPECT_FALSE(fs::exists(g.actualPath("a")));
}

TEST_F(Golden, ThreeOffFailsAndWritesTheActualAndTheDiff) {
  writeRef("a", solid(4, 3, 100, 100, 100));
  const vt::GoldenImage g(ref(), out());
  std::vector<std::uint8_t> px = solid(4, 3, 100, 100, 100).rgb();
  px[(1 * 4 + 2) * 3 + 1] = 103;  // pixel (2, 1), green
  const std::string problem = g.check("a", vt::PngImage(4, 3, px));
  EXPECT_NE(problem.find("1 pixels differ"), std::string::npos) << problem;
  EXPECT_NE(problem.find("first at 2,1"), std::string::npos) << problem;
  EXPECT_NE(problem.find(g.actualPath("a")), std::string::npos) << problem;
  EXPECT_NE(problem.find(g.diffPath("a")), std::string::npos) << problem;
  vt::PngImage diff;
  std::string error;
  ASSERT_TRUE(diff.read(g.diffPath("a"), &error)) << error;
  const std::size_t at = (1 * 4 + 2) * 3;
  EXPECT_EQ(diff.rgb()[at], 255);
  EXPECT_EQ(diff.rgb()[at + 1], 0);
  EXPECT_NE(diff.rgb()[0], 255) << "matching pixels are grey";
}

TEST_F(Golden, AMissingReferenceFailsAndWritesTheActual) {
  const vt::GoldenImage g(ref(), out());
  const std::string problem = g.check("missing", solid(2, 2, 1, 2, 3));
  EXPECT_NE(problem, "");
  EXPECT_NE(problem.find("UPDATE_GOLDENS=1"), std::string::npos) << problem;
  EXPECT_TRUE(fs::exists(g.actualPath("missing")));
  EXPECT_FALSE(fs::exists(g.goldenPath("missing"))) << "never written without being asked";
}

TEST_F(Golden, ASizeMismatchFails) {
  writeRef("a", solid(4, 3, 0, 0, 0));
  const vt::GoldenImage g(ref(), out());
  const std::string problem = g.check("a", solid(3, 4, 0, 0, 0));
  EXPECT_NE(problem.find("size 3x4"), std::string::npos) << problem;
}

}  // namespace
