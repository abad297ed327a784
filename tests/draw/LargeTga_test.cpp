// LargeTga: the largest images at every depth, raw and run-length, decoded and uploaded in a real context; paths that name no image file.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "TestFolder.h"
#include "TgaBytes.h"
#include "draw/tga.h"
#include "support/GlTest.h"
#include "support/StreamCapture.h"

namespace {

constexpr int kSide = 512;
constexpr int kPixels = kSide * kSide;
// Bytes after the pixel data, which must reach neither the buffer nor the texture.
constexpr std::uint8_t kTrailer = 0xA5;
constexpr std::size_t kTrailerSize = 4096;

// Stored bytes that change from pixel to pixel and from row to row, with exact magenta
// (B, G, R = 255, 0, 255) at every 97th pixel.
Bytes storedPixels(int bytesPerPixel) {
  Bytes out(static_cast<std::size_t>(kPixels) * bytesPerPixel);
  for (int i = 0; i < kPixels; ++i) {
    for (int c = 0; c < bytesPerPixel; ++c) {
      out[static_cast<std::size_t>(i) * bytesPerPixel + c] =
          static_cast<std::uint8_t>((i * 31 + c * 77 + (i / kSide) * 13) & 0xFF);
    }
    if (bytesPerPixel >= 3 && i % 97 == 0) {
      std::uint8_t* p = &out[static_cast<std::size_t>(i) * bytesPerPixel];
      p[0] = 255;
      p[1] = 0;
      p[2] = 255;
    }
  }
  return out;
}

// What the texture must hold, from the stored bytes: B and R swapped, and at 32 bits the alpha
// replaced (transparent white for magenta, opaque for everything else).
Bytes expectedTexels(const Bytes& stored, int bits) {
  Bytes out = stored;
  if (bits == 8) {
    return out;
  }
  const std::size_t step = static_cast<std::size_t>(bits / 8);
  for (std::size_t i = 0; i < out.size(); i += step) {
    std::swap(out[i], out[i + 2]);
    if (bits == 32) {
      const bool magenta = out[i] == 255 && out[i + 1] == 0 && out[i + 2] == 255;
      out[i + 1] = magenta ? 255 : out[i + 1];
      out[i + 3] = magenta ? 0 : 255;
    }
  }
  return out;
}

// A run-length body for the whole image: repeat packets of 128 pixels, each of one pixel value.
Bytes runLengthBody(int bytesPerPixel) {
  Bytes out;
  for (int packet = 0; packet < kPixels / 128; ++packet) {
    out.push_back(0x80 | 127);
    for (int c = 0; c < bytesPerPixel; ++c) {
      out.push_back(static_cast<std::uint8_t>(packet + c));
    }
  }
  return out;
}

GLint texLevel(GLenum parameter) {
  GLint value = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
  return value;
}

class LargeTga : public ::testing::Test {
 protected:
  void SetUp() override {
    while (glGetError() != GL_NO_ERROR) {
    }
  }
  void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

  std::string write(const TgaHeader& header, const Bytes& body, bool trailer = true) {
    Bytes bytes = tgaFile(header, body);
    if (trailer) {
      bytes.insert(bytes.end(), kTrailerSize, kTrailer);
    }
    const std::string path = folder.file("large.tga");
    writeFile(path, bytes);
    return path;
  }

  TestFolder folder;
};

TEST_F(LargeTga, EveryReadDepthAt512By512UploadsEveryTexelAndNothingAfterThePixels) {
  struct Case {
    int imageType;
    int bits;
    GLenum format;
    GLint internalFormat;
    int channels;
  };
  const Case cases[] = {
      {2, 32, GL_RGBA, GL_RGBA, 4},      {2, 24, GL_RGB, GL_RGB, 3},
      {2, 8, GL_LUMINANCE, GL_INTENSITY, 1}, {3, 8, GL_LUMINANCE, GL_INTENSITY, 1},
      {3, 24, GL_RGB, GL_RGB, 3},        {3, 32, GL_RGBA, GL_RGBA, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("image type " + std::to_string(c.imageType) + ", " + std::to_string(c.bits) +
                 " bits");
    TgaHeader header;
    header.imageType = c.imageType;
    header.bits = c.bits;
    header.width = header.height = kSide;
    const Bytes stored = storedPixels(c.bits / 8);
    const std::string path = write(header, stored);

    vt::StreamCapture out(std::cout);
    vt::StreamCapture err(std::cerr);
    GLuint tex = createTexture(path.c_str());
    EXPECT_EQ(out.text(), "");
    EXPECT_EQ(err.text(), "");
    EXPECT_EQ(texFormat, static_cast<unsigned int>(c.format));
    glBindTexture(GL_TEXTURE_2D, tex);
    EXPECT_EQ(texLevel(GL_TEXTURE_WIDTH), kSide);
    EXPECT_EQ(texLevel(GL_TEXTURE_HEIGHT), kSide);
    EXPECT_EQ(texLevel(GL_TEXTURE_INTERNAL_FORMAT), c.internalFormat);

    // One byte more than the image, so a texture that held more would show in it.
    Bytes texels(stored.size() + 1, 0x5A);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, c.format, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_EQ(texels.back(), 0x5A);
    texels.pop_back();
    const Bytes expected = expectedTexels(stored, c.bits);
    std::size_t wrong = 0;
    std::size_t first = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      if (texels[i] != expected[i] && wrong++ == 0) {
        first = i;
      }
    }
    EXPECT_EQ(wrong, 0u) << "first wrong byte " << first << " of texel " << first / c.channels
                         << ": " << int(texels[first]) << " instead of " << int(expected[first]);
    glDeleteTextures(1, &tex);
  }
}

TEST_F(LargeTga, FifteenAndSixteenBitAndRunLengthImagesAt512By512AreRefusedWithoutUpload) {
  struct Case {
    const char* what;
    int imageType;
    int bits;
    Bytes body;
    int code;
  };
  const Case cases[] = {
      {"raw 15 bits", 2, 15, Bytes(static_cast<std::size_t>(kPixels) * 2, 0x42), tgaBadDepth},
      {"raw 16 bits", 2, 16, Bytes(static_cast<std::size_t>(kPixels) * 2, 0x42), tgaBadDepth},
      {"raw grey 16 bits", 3, 16, Bytes(static_cast<std::size_t>(kPixels) * 2, 0x42), tgaBadDepth},
      {"RLE 32 bits", 10, 32, runLengthBody(4), tgaBadType},
      {"RLE 24 bits", 10, 24, runLengthBody(3), tgaBadType},
      {"RLE 16 bits", 10, 16, runLengthBody(2), tgaBadType},
      {"RLE 15 bits", 10, 15, runLengthBody(2), tgaBadType},
      {"RLE grey 8 bits", 11, 8, runLengthBody(1), tgaBadType},
  };
  const std::string line = "Error occured while tried to load TGA texture from ";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TgaHeader header;
    header.imageType = c.imageType;
    header.bits = c.bits;
    header.width = header.height = kSide;
    const std::string path = write(header, c.body);

    GLuint probe = 0;
    glGenTextures(1, &probe);
    EXPECT_EQ(loadTGA(path.c_str(), static_cast<int>(probe)), c.code);
    glBindTexture(GL_TEXTURE_2D, probe);
    EXPECT_EQ(texLevel(GL_TEXTURE_WIDTH), 0);
    glDeleteTextures(1, &probe);

    vt::StreamCapture out(std::cout);
    GLuint tex = createTexture(path.c_str());
    EXPECT_NE(tex, 0u);
    EXPECT_EQ(out.lines(), (std::vector<std::string>{line + path}));
    glBindTexture(GL_TEXTURE_2D, tex);
    EXPECT_EQ(texLevel(GL_TEXTURE_WIDTH), 0);
    glDeleteTextures(1, &tex);
  }
}

TEST_F(LargeTga, A512By512FileThatEndsEarlyUploadsNothing) {
  struct Case {
    const char* what;
    int bits;
    std::size_t bodySize;
  };
  const Case cases[] = {
      {"32 bits, one byte short", 32, static_cast<std::size_t>(kPixels) * 4 - 1},
      {"24 bits, one row short", 24, static_cast<std::size_t>(kPixels - kSide) * 3},
      {"8 bits, one byte short", 8, static_cast<std::size_t>(kPixels) - 1},
      {"32 bits, the pixels of a 2 x 2 image", 32, 16},
      {"24 bits, no pixels at all", 24, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TgaHeader header;
    header.bits = c.bits;
    header.width = header.height = kSide;
    const std::string path = write(header, Bytes(c.bodySize, 0x33), false);
    GLuint tex = 0;
    glGenTextures(1, &tex);
    EXPECT_EQ(loadTGA(path.c_str(), static_cast<int>(tex)), tgaNoData);
    glBindTexture(GL_TEXTURE_2D, tex);
    EXPECT_EQ(texLevel(GL_TEXTURE_WIDTH), 0);
    glDeleteTextures(1, &tex);
  }
}

// Paths that are not regular files are not opened for reading: code 13, the designed line, and
// one line that says why.
TEST_F(LargeTga, AFolderOrADeviceGivenAsTheImageIsNotOpened) {
  const std::string line = "Error occured while tried to load TGA texture from ";
  for (const auto& [path, kind] : {std::pair{folder.path(), "a folder"}, {"/dev/null", "a device"}}) {
    SCOPED_TRACE(path);
    vt::StreamCapture out(std::cout);
    vt::StreamCapture err(std::cerr);
    EXPECT_EQ(loadTGA(path.c_str(), 0), tgaCannotOpen);
    const GLuint tex = createTexture(path.c_str());
    EXPECT_NE(tex, 0u);
    EXPECT_EQ(out.lines(), (std::vector<std::string>{line + path}));
    EXPECT_EQ(err.lines(), std::vector<std::string>(2, "Vuna: the image " + path +
                                                          " is not a regular file (" + kind +
                                                          "); it is not read"));
    glDeleteTextures(1, &tex);
  }
}

}  // namespace
