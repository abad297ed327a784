// TgaBytes: builds TGA files byte by byte, valid or broken, for the loader's tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "draw/tga.h"

using Bytes = std::vector<std::uint8_t>;

struct TgaHeader {
  int idLength = 0;
  int colourMapType = 0;
  int imageType = 2;
  int width = 2;
  int height = 2;
  int bits = 32;
  int descriptor = 0;
};

// The 18-byte header followed by body (the image ID, if any, then the pixels).
Bytes tgaFile(const TgaHeader& header, const Bytes& body);

// A header with body bytes for exactly width x height pixels of its depth, all set to fill.
Bytes tgaFilled(const TgaHeader& header, std::uint8_t fill);

void writeFile(const std::string& path, const Bytes& bytes);
Bytes readFile(const std::string& path);

// A file as the loader decodes it (RGBA with magenta made transparent, RGB or grey); a failure
// to open or decode it is reported as a test failure and gives an empty image.
TgaImage decodeFile(const std::string& path);
