// PngImage: PNG reading and writing with libpng's simplified API.
#include "PngImage.h"

#include <png.h>

#include <cstring>
#include <utility>

namespace vt {

namespace {
// Pictures larger than this are refused before any pixel memory is asked for.
constexpr png_uint_32 kMaxSide = 16384;
}  // namespace

PngImage::PngImage(int width, int height, std::vector<std::uint8_t> rgb)
    : width_(width), height_(height), rgb_(std::move(rgb)) {}

bool PngImage::read(const std::string& path, std::string* error) {
  width_ = 0;
  height_ = 0;
  rgb_.clear();
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
    *error = path + ": " + image.message;
    return false;
  }
  if (image.width == 0 || image.height == 0 || image.width > kMaxSide || image.height > kMaxSide) {
    png_image_free(&image);
    *error = path + ": unreasonable size " + std::to_string(image.width) + "x" +
             std::to_string(image.height);
    return false;
  }
  image.format = PNG_FORMAT_RGB;
  std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr) == 0) {
    *error = path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  width_ = static_cast<int>(image.width);
  height_ = static_cast<int>(image.height);
  rgb_ = std::move(pixels);
  return true;
}

bool PngImage::write(const std::string& path, std::string* error) const {
  if (width_ <= 0 || height_ <= 0 ||
      rgb_.size() != static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3) {
    *error = path + ": the picture's size and its pixels do not agree";
    return false;
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width_);
  image.height = static_cast<png_uint_32>(height_);
  image.format = PNG_FORMAT_RGB;
  if (png_image_write_to_file(&image, path.c_str(), 0, rgb_.data(), 0, nullptr) == 0) {
    *error = path + ": " + image.message;
    png_image_free(&image);
    return false;
  }
  return true;
}

}  // namespace vt
