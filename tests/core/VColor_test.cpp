// VColor: defaults, the dump's float format, unclamped storage and the GL colour.
#include "core/VColor.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "support/StreamCapture.h"

namespace {

using vt::Lines;

TEST(VColor, NewColourIsOpaqueWhiteAndPrintsOnes) {
  VColor c;
  vt::StreamCapture out(std::cout);
  c.print();
  EXPECT_EQ(out.lines(), (Lines{"Class : VColor", "R = 1", "G = 1", "B = 1", "A = 1"}));
}

TEST(VColor, PrintUsesTheStreamsShortestDefaultFloatFormat) {
  VColor c;
  c.set(0.3f, 0.0f, 0.25f, 198.0f / 255.0f);
  vt::StreamCapture out(std::cout);
  c.print();
  EXPECT_EQ(out.lines(),
            (Lines{"Class : VColor", "R = 0.3", "G = 0", "B = 0.25", "A = 0.776471"}));
}

TEST(VColor, StoresOutOfRangeChannelsUnchangedAndPassesThemToGl) {
  VColor c;
  c.set(2.0f, -1.0f, 0.5f, 0.25f);
  EXPECT_EQ(c.getR(), 2.0f);
  EXPECT_EQ(c.getG(), -1.0f);
  EXPECT_EQ(c.getB(), 0.5f);
  EXPECT_EQ(c.getA(), 0.25f);

  c.setAsCurrent();
  GLfloat current[4] = {0, 0, 0, 0};
  glGetFloatv(GL_CURRENT_COLOR, current);
  // The current colour keeps the values as given; OpenGL clamps only when it rasterises.
  EXPECT_FLOAT_EQ(current[0], 2.0f);
  EXPECT_FLOAT_EQ(current[1], -1.0f);
  EXPECT_FLOAT_EQ(current[2], 0.5f);
  EXPECT_FLOAT_EQ(current[3], 0.25f);
}

TEST(VColor, SetAsCurrentLeavesBlendingAlone) {
  glDisable(GL_BLEND);
  VColor c;
  c.set(0.1f, 0.2f, 0.3f, 0.4f);
  c.setAsCurrent();
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  glEnable(GL_BLEND);
  c.setAsCurrent();
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  glDisable(GL_BLEND);
}

TEST(VColor, CopyFromCopiesChannelsWithoutSharing) {
  VColor source;
  source.set(0.1f, 0.2f, 0.3f, 0.4f);
  VColor copy;
  copy.copyFrom(&source);
  source.set(0.9f, 0.9f, 0.9f, 0.9f);
  EXPECT_EQ(copy.getR(), 0.1f);
  EXPECT_EQ(copy.getG(), 0.2f);
  EXPECT_EQ(copy.getB(), 0.3f);
  EXPECT_EQ(copy.getA(), 0.4f);
}

}  // namespace
