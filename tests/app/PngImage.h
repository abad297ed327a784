// PngImage: an 8-bit RGB picture that reads and writes PNG files through libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vt {

// Rows top first, three bytes a pixel, no padding.
class PngImage {
 public:
  PngImage() = default;
  PngImage(int width, int height, std::vector<std::uint8_t> rgb);

  int width() const { return width_; }
  int height() const { return height_; }
  const std::vector<std::uint8_t>& rgb() const { return rgb_; }

  // Reads any PNG that libpng can convert to 8-bit RGB (alpha is composed onto black).
  // On failure answers false, leaves the image empty and puts libpng's reason in *error.
  bool read(const std::string& path, std::string* error);
  // Writes the picture; on failure answers false with the reason in *error.
  bool write(const std::string& path, std::string* error) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> rgb_;
};

}  // namespace vt
