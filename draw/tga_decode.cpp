// tga_decode: the GL-free half of the TGA reader: header checks and pixel conversion into a buffer.
#include "draw/tga.h"

#include <GL/gl.h>

#include <new>
#include <utility>

namespace vuna {

unsigned int texFormat = 0;

namespace {

constexpr int kHeaderSize = 18;

// Reads exactly n bytes into a new buffer; null on a short read or when memory runs out.
std::unique_ptr<unsigned char[]> readBytes(std::FILE* s, std::size_t n) {
  std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[n]);
  if (!buffer || std::fread(buffer.get(), 1, n, s) != n) {
    return nullptr;
  }
  return buffer;
}

// Sides are at most 512, so the product stays far inside int; a non-positive count (only a
// direct caller could pass one) reads nothing.
std::unique_ptr<unsigned char[]> readPixels(std::FILE* s, int size, int bytesPerPixel) {
  if (size <= 0) {
    return nullptr;
  }
  return readBytes(s, static_cast<std::size_t>(size) * bytesPerPixel);
}

}  // namespace

int checkSize(int x) {
  switch (x) {
    case 2: case 4: case 8: case 16: case 32: case 64: case 128: case 256: case 512:
      return 1;
    default:
      return 0;
  }
}

int returnError(std::FILE* s, int error) {
  std::fclose(s);
  return error;
}

std::unique_ptr<unsigned char[]> getRGBA(std::FILE* s, int size) {
  std::unique_ptr<unsigned char[]> rgba = readPixels(s, size, 4);
  if (!rgba) {
    return nullptr;
  }
  for (int i = 0; i < size; ++i) {
    unsigned char* p = &rgba[static_cast<std::size_t>(i) * 4];
    std::swap(p[0], p[2]);
    if (p[0] == 255 && p[1] == 0 && p[2] == 255) {
      p[1] = 255;
      p[3] = 0;
    } else {
      p[3] = 255;
    }
  }
  texFormat = GL_RGBA;
  return rgba;
}

std::unique_ptr<unsigned char[]> getRGB(std::FILE* s, int size) {
  std::unique_ptr<unsigned char[]> rgb = readPixels(s, size, 3);
  if (!rgb) {
    return nullptr;
  }
  for (int i = 0; i < size; ++i) {
    unsigned char* p = &rgb[static_cast<std::size_t>(i) * 3];
    std::swap(p[0], p[2]);
  }
  texFormat = GL_RGB;
  return rgb;
}

std::unique_ptr<unsigned char[]> getGray(std::FILE* s, int size) {
  std::unique_ptr<unsigned char[]> grey = readPixels(s, size, 1);
  if (!grey) {
    return nullptr;
  }
  texFormat = GL_LUMINANCE;
  return grey;
}

std::unique_ptr<unsigned char[]> getData(std::FILE* s, int sz, int iBits) {
  switch (iBits) {
    case 32: return getRGBA(s, sz);
    case 24: return getRGB(s, sz);
    case 8: return getGray(s, sz);
    default: return nullptr;
  }
}

int readTGA(std::FILE* s, TgaImage& image) {
  unsigned char header[kHeaderSize];
  // A file shorter than its header has no fields to judge.
  if (std::fread(header, 1, kHeaderSize, s) != kHeaderSize) {
    return tgaNoData;
  }
  const int idLength = header[0];
  const int colourMapType = header[1];
  const int imageType = header[2];
  if (colourMapType != 0 || (imageType != 2 && imageType != 3)) {
    return tgaBadType;
  }
  const int width = header[12] + 256 * header[13];
  const int height = header[14] + 256 * header[15];
  const int bits = header[16];
  if (!checkSize(width) || !checkSize(height)) {
    return tgaBadSize;
  }
  if (bits != 32 && bits != 24 && bits != 8) {
    return tgaBadDepth;
  }
  // The image ID sits between the header and the pixels. Reading it rather than seeking also
  // catches an ID cut short, and works on streams that cannot seek.
  if (idLength > 0) {
    unsigned char id[255];
    if (std::fread(id, 1, static_cast<std::size_t>(idLength), s) !=
        static_cast<std::size_t>(idLength)) {
      return tgaNoData;
    }
  }
  std::unique_ptr<unsigned char[]> pixels = getData(s, width * height, bits);
  if (!pixels) {
    return tgaNoData;
  }
  image.Width = width;
  image.Height = height;
  image.Bits = bits;
  image.Pixels = std::move(pixels);
  return tgaLoaded;
}

}  // namespace vuna
