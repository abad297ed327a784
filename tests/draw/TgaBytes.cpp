// TgaBytes: header layout (little-endian sizes at bytes 12 to 15) and file helpers.
#include "TgaBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

Bytes tgaFile(const TgaHeader& h, const Bytes& body) {
  Bytes out(18 + body.size(), 0);
  out[0] = static_cast<std::uint8_t>(h.idLength);
  out[1] = static_cast<std::uint8_t>(h.colourMapType);
  out[2] = static_cast<std::uint8_t>(h.imageType);
  out[12] = static_cast<std::uint8_t>(h.width & 0xff);
  out[13] = static_cast<std::uint8_t>((h.width >> 8) & 0xff);
  out[14] = static_cast<std::uint8_t>(h.height & 0xff);
  out[15] = static_cast<std::uint8_t>((h.height >> 8) & 0xff);
  out[16] = static_cast<std::uint8_t>(h.bits);
  out[17] = static_cast<std::uint8_t>(h.descriptor);
  std::copy(body.begin(), body.end(), out.begin() + 18);
  return out;
}

Bytes tgaFilled(const TgaHeader& h, std::uint8_t fill) {
  const std::size_t size = static_cast<std::size_t>(h.width) * h.height * (h.bits / 8);
  return tgaFile(h, Bytes(size, fill));
}

void writeFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    throw std::runtime_error("cannot write " + path);
  }
}

Bytes readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw std::runtime_error("cannot read " + path);
  }
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TgaImage decodeFile(const std::string& path) {
  TgaImage image;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  EXPECT_NE(file, nullptr) << path;
  if (file != nullptr) {
    EXPECT_EQ(readTGA(file, image), tgaLoaded) << path;
    std::fclose(file);
  }
  return image;
}
