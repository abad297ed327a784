// GoldenImage: the comparison, the failure pictures and the deliberate regeneration.
#include "GoldenImage.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <utility>

namespace vt {

GoldenImage::GoldenImage(std::string goldenDir, std::string outputDir, int tolerance)
    : goldenDir_(std::move(goldenDir)), outputDir_(std::move(outputDir)), tolerance_(tolerance) {}

bool GoldenImage::updating() {
  const char* value = std::getenv("UPDATE_GOLDENS");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

std::string GoldenImage::goldenPath(const std::string& name) const {
  return goldenDir_ + "/" + name + ".png";
}
std::string GoldenImage::actualPath(const std::string& name) const {
  return outputDir_ + "/" + name + ".actual.png";
}
std::string GoldenImage::diffPath(const std::string& name) const {
  return outputDir_ + "/" + name + ".diff.png";
}

std::string GoldenImage::writeActual(const std::string& name, const PngImage& actual) const {
  std::error_code ec;
  std::filesystem::create_directories(outputDir_, ec);
  std::string error;
  if (!actual.write(actualPath(name), &error)) {
    return " (could not write the actual picture: " + error + ")";
  }
  return "; actual picture: " + actualPath(name);
}

std::string GoldenImage::check(const std::string& name, const PngImage& actual) const {
  if (updating()) {
    std::error_code ec;
    std::filesystem::create_directories(goldenDir_, ec);
    std::string error;
    if (!actual.write(goldenPath(name), &error)) {
      return "UPDATE_GOLDENS=1: could not write " + error;
    }
    return "UPDATE_GOLDENS=1: updated " + goldenPath(name) + "; run again without it to compare";
  }

  PngImage golden;
  std::string error;
  if (!golden.read(goldenPath(name), &error)) {
    return "no usable reference picture (" + error + ")" + writeActual(name, actual) +
           "; look at it, then regenerate with UPDATE_GOLDENS=1";
  }
  if (golden.width() != actual.width() || golden.height() != actual.height()) {
    std::ostringstream out;
    out << "size " << actual.width() << "x" << actual.height() << ", reference " << goldenPath(name)
        << " is " << golden.width() << "x" << golden.height() << writeActual(name, actual);
    return out.str();
  }

  const std::vector<std::uint8_t>& a = actual.rgb();
  const std::vector<std::uint8_t>& g = golden.rgb();
  std::vector<std::uint8_t> diff(a.size());
  long differing = 0;
  int worst = 0;
  int firstX = -1;
  int firstY = -1;
  for (std::size_t i = 0; i < a.size(); i += 3) {
    int off = 0;
    for (std::size_t c = 0; c < 3; ++c) {
      off = std::max(off, std::abs(int{a[i + c]} - int{g[i + c]}));
    }
    if (off > tolerance_) {
      if (differing == 0) {
        const std::size_t pixel = i / 3;
        firstX = static_cast<int>(pixel % static_cast<std::size_t>(actual.width()));
        firstY = static_cast<int>(pixel / static_cast<std::size_t>(actual.width()));
      }
      ++differing;
      worst = std::max(worst, off);
      diff[i] = 255;
      diff[i + 1] = 0;
      diff[i + 2] = 0;
    } else {
      const auto grey =
          static_cast<std::uint8_t>((int{a[i]} + int{a[i + 1]} + int{a[i + 2]}) / 3 / 3 + 40);
      diff[i] = diff[i + 1] = diff[i + 2] = grey;
    }
  }
  if (differing == 0) {
    return "";
  }

  std::ostringstream out;
  out << differing << " pixels differ from " << goldenPath(name) << " by more than " << tolerance_
      << "/255 (worst " << worst << "/255, first at " << firstX << "," << firstY << ")"
      << writeActual(name, actual);
  const PngImage diffImage(actual.width(), actual.height(), std::move(diff));
  if (diffImage.write(diffPath(name), &error)) {
    out << "; diff picture: " << diffPath(name);
  } else {
    out << " (could not write the diff picture: " << error << ")";
  }
  return out.str();
}

}  // namespace vt
