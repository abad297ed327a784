// GoldenImage: compares a rendered frame with a committed reference picture.
#pragma once

#include <string>

#include "PngImage.h"

namespace vt {

// References live in one folder of the source tree as <name>.png; what a failed comparison
// leaves for a person to look at goes to another, in the build tree: <name>.actual.png and
// <name>.diff.png (the actual picture dimmed to grey, each pixel off by more than the tolerance
// painted pure red). Regenerating the references is a deliberate act: only with the
// environment variable UPDATE_GOLDENS=1 does check() write the actual picture as the new
// reference, and then it still answers "updated ..." so the run that did it is not a silent
// pass. Without that variable a missing reference is a failure, with the actual written out.
class GoldenImage {
 public:
  GoldenImage(std::string goldenDir, std::string outputDir, int tolerance = 2);

  // Empty when actual matches <name>.png within the tolerance on every channel of every pixel;
  // otherwise what is wrong, naming the files it wrote.
  std::string check(const std::string& name, const PngImage& actual) const;

  // True when this run regenerates the references.
  static bool updating();

  std::string goldenPath(const std::string& name) const;
  std::string actualPath(const std::string& name) const;
  std::string diffPath(const std::string& name) const;

 private:
  std::string writeActual(const std::string& name, const PngImage& actual) const;

  std::string goldenDir_;
  std::string outputDir_;
  int tolerance_;
};

}  // namespace vt
