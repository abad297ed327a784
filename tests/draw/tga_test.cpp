// tga: result codes and messages, pixel conversion read back from the texture, and bad files.
#include "draw/tga.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "TgaBytes.h"
#include "support/GlTest.h"
#include "support/StreamCapture.h"

namespace {

using vt::Lines;

const std::string kErrorLine = "Error occured while tried to load TGA texture from ";

GLint texLevel(GLenum parameter) {
  GLint value = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
  return value;
}

GLint texParameter(GLenum parameter) {
  GLint value = -1;
  glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
  return value;
}

// The texels of tex's level 0 as GL gives them back in format (bound afterwards).
Bytes texels(GLuint tex, GLenum format, int channels) {
  glBindTexture(GL_TEXTURE_2D, tex);
  Bytes out(static_cast<std::size_t>(texLevel(GL_TEXTURE_WIDTH)) * texLevel(GL_TEXTURE_HEIGHT) *
            channels);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, out.data());
  return out;
}

class Texture {
 public:
  Texture() { glGenTextures(1, &name_); }
  ~Texture() { glDeleteTextures(1, &name_); }
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;
  GLuint name() const { return name_; }
  int id() const { return static_cast<int>(name_); }

 private:
  GLuint name_ = 0;
};

class TgaLoader : public ::testing::Test {
 protected:
  void SetUp() override {
    while (glGetError() != GL_NO_ERROR) {
    }
  }
  void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }

  std::string write(const std::string& name, const Bytes& bytes) {
    const std::string path = folder.file(name);
    writeFile(path, bytes);
    return path;
  }

  TestFolder folder;
};

// Every refused file: loadTGA answers the code and uploads nothing; createTexture still gives
// a name and prints the one line with the file name, and nothing on standard error.
struct Refused {
  const char* what;
  Bytes bytes;
  int code;
};

std::vector<Refused> refusedFiles() {
  TgaHeader h;
  auto with = [](TgaHeader base, auto change) {
    change(base);
    return base;
  };
  const TgaHeader square = with(h, [](TgaHeader& x) { x.width = x.height = 16; });
  Bytes oneShort = tgaFilled(square, 7);
  oneShort.pop_back();
  const Bytes header = tgaFile(square, {});
  return {
      {"colour-map type 1", tgaFilled(with(h, [](TgaHeader& x) { x.colourMapType = 1; }), 0), 14},
      {"colour-mapped image (type 1)", tgaFilled(with(h, [](TgaHeader& x) { x.imageType = 1; }), 0), 14},
      {"RLE true colour (type 10)", tgaFilled(with(h, [](TgaHeader& x) { x.imageType = 10; }), 0), 14},
      {"RLE grey (type 11)", tgaFilled(with(h, [](TgaHeader& x) { x.imageType = 11; }), 0), 14},
      {"no image (type 0)", tgaFilled(with(h, [](TgaHeader& x) { x.imageType = 0; }), 0), 14},
      {"type checked before size", tgaFile(with(h, [](TgaHeader& x) { x.imageType = 10; x.width = 3; }), {}), 14},
      {"width 1", tgaFilled(with(h, [](TgaHeader& x) { x.width = 1; }), 0), 15},
      {"width 1024", tgaFilled(with(h, [](TgaHeader& x) { x.width = 1024; }), 0), 15},
      {"48 x 32", tgaFilled(with(h, [](TgaHeader& x) { x.width = 48; x.height = 32; }), 0), 15},
      {"height 1", tgaFilled(with(h, [](TgaHeader& x) { x.height = 1; }), 0), 15},
      {"height 1024", tgaFile(with(h, [](TgaHeader& x) { x.height = 1024; }), {}), 15},
      {"width 0", tgaFile(with(h, [](TgaHeader& x) { x.width = 0; }), {}), 15},
      {"size checked before depth", tgaFile(with(h, [](TgaHeader& x) { x.width = 1; x.bits = 16; }), {}), 15},
      {"16 bits", tgaFilled(with(h, [](TgaHeader& x) { x.bits = 16; }), 0), 16},
      {"15 bits", tgaFile(with(h, [](TgaHeader& x) { x.bits = 15; }), Bytes(8, 0)), 16},
      {"0 bits", tgaFile(with(h, [](TgaHeader& x) { x.bits = 0; }), {}), 16},
      {"pixel data one byte short", oneShort, 17},
      {"header only", header, 17},
      {"empty file", {}, 17},
      {"17 of the 18 header bytes", Bytes(header.begin(), header.end() - 1), 17},
      {"image ID cut short", tgaFile(with(square, [](TgaHeader& x) { x.idLength = 20; }), Bytes(5, 'i')), 17},
      {"ID length eats the pixels", tgaFile(with(h, [](TgaHeader& x) { x.idLength = 4; }), Bytes(16, 0)), 17},
  };
}

TEST_F(TgaLoader, RefusedFilesGiveTheirCodeUploadNothingAndPrintOneLine) {
  for (const Refused& c : refusedFiles()) {
    SCOPED_TRACE(c.what);
    const std::string path = write("refused.tga", c.bytes);
    Texture tex;
    EXPECT_EQ(loadTGA(path.c_str(), tex.id()), c.code);
    glBindTexture(GL_TEXTURE_2D, tex.name());
    EXPECT_EQ(texLevel(GL_TEXTURE_WIDTH), 0);

    vt::StreamCapture out(std::cout);
    vt::StreamCapture err(std::cerr);
    const GLuint name = createTexture(path.c_str());
    EXPECT_NE(name, 0u);
    EXPECT_EQ(out.lines(), (Lines{kErrorLine + path}));
    EXPECT_EQ(err.text(), "");
    glBindTexture(GL_TEXTURE_2D, name);
    EXPECT_EQ(texLevel(GL_TEXTURE_WIDTH), 0);
    glDeleteTextures(1, &name);
  }
}

TEST_F(TgaLoader, MissingFileGives13AndStillANonZeroTextureName) {
  const std::string path = folder.file("nowhere.tga");
  Texture tex;
  EXPECT_EQ(loadTGA(path.c_str(), tex.id()), 13);
  EXPECT_EQ(loadTGA(nullptr, tex.id()), 13);

  vt::StreamCapture out(std::cout);
  const GLuint name = createTexture(path.c_str());
  EXPECT_NE(name, 0u);
  EXPECT_EQ(out.lines(), (Lines{kErrorLine + path}));
  glDeleteTextures(1, &name);
}

TEST_F(TgaLoader, LoadedFilePrintsNothingAndKeepsItsTextureBoundWithTheDesignedSampling) {
  const std::string path = write("ok.tga", tgaFilled(TgaHeader{}, 9));
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  vt::StreamCapture out(std::cout);
  vt::StreamCapture err(std::cerr);
  const GLuint name = createTexture(path.c_str());
  EXPECT_EQ(out.text(), "");
  EXPECT_EQ(err.text(), "");

  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<GLuint>(bound), name);
  EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_S), GL_CLAMP);
  EXPECT_EQ(texParameter(GL_TEXTURE_WRAP_T), GL_CLAMP);
  EXPECT_EQ(texParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
  EXPECT_EQ(texParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
  GLint env = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
  EXPECT_EQ(env, GL_MODULATE);
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 1);
  glDeleteTextures(1, &name);
}

TEST_F(TgaLoader, ThirtyTwoBitMagentaBecomesTransparentWhiteAndEverythingElseOpaque) {
  TgaHeader h;
  h.width = h.height = 16;
  Bytes pixels(16 * 16 * 4, 0);
  const Bytes stored = {
      255, 0,   255, 17,   // magenta with some alpha
      10,  20,  30,  0,    // file alpha 0
      254, 0,   255, 255,  // almost magenta
      255, 0,   255, 255,  // magenta, opaque in the file
      255, 1,   255, 0,    // almost magenta
  };
  std::copy(stored.begin(), stored.end(), pixels.begin());
  Texture tex;
  ASSERT_EQ(loadTGA(write("key.tga", tgaFile(h, pixels)).c_str(), tex.id()), 1);
  EXPECT_EQ(texFormat, static_cast<unsigned int>(GL_RGBA));
  EXPECT_EQ(texLevel(GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);

  const Bytes t = texels(tex.name(), GL_RGBA, 4);
  const Bytes expected = {
      255, 255, 255, 0,  //
      30,  20,  10,  255,  //
      255, 0,   254, 255,  //
      255, 255, 255, 0,  //
      255, 1,   255, 255,  //
      0,   0,   0,   255,  // the zero-filled rest
  };
  EXPECT_EQ(Bytes(t.begin(), t.begin() + 24), expected);
  EXPECT_EQ(Bytes(t.end() - 4, t.end()), (Bytes{0, 0, 0, 255}));
}

TEST_F(TgaLoader, TwentyFourBitSwapsRedAndBlueWithoutColourKey) {
  TgaHeader h;
  h.width = 4;
  h.height = 2;
  h.bits = 24;
  const Bytes stored = {255, 0, 255, 1, 2, 3, 0, 0, 255, 255, 0, 0,
                        7, 8, 9, 100, 150, 200, 0, 255, 0, 255, 255, 255};
  Texture tex;
  ASSERT_EQ(loadTGA(write("rgb.tga", tgaFile(h, stored)).c_str(), tex.id()), 1);
  EXPECT_EQ(texFormat, static_cast<unsigned int>(GL_RGB));
  EXPECT_EQ(texLevel(GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
  EXPECT_EQ(texels(tex.name(), GL_RGB, 3),
            (Bytes{255, 0, 255, 3, 2, 1, 255, 0, 0, 0, 0, 255,
                   9, 8, 7, 200, 150, 100, 0, 255, 0, 255, 255, 255}));
  const Bytes rgba = texels(tex.name(), GL_RGBA, 4);
  for (std::size_t i = 3; i < rgba.size(); i += 4) {
    EXPECT_EQ(rgba[i], 255) << "texel " << i / 4;
  }
}

TEST_F(TgaLoader, EightBitGreyBecomesAnIntensityTexture) {
  TgaHeader h;
  h.imageType = 3;
  h.bits = 8;
  Texture tex;
  ASSERT_EQ(loadTGA(write("grey.tga", tgaFile(h, {0, 64, 128, 255})).c_str(), tex.id()), 1);
  EXPECT_EQ(texFormat, static_cast<unsigned int>(GL_LUMINANCE));
  EXPECT_EQ(texLevel(GL_TEXTURE_INTERNAL_FORMAT), GL_INTENSITY);
  EXPECT_EQ(texLevel(GL_TEXTURE_INTENSITY_SIZE), 8);
  EXPECT_EQ(texels(tex.name(), GL_LUMINANCE, 1), (Bytes{0, 64, 128, 255}));

  // Drawn 1:1 in white: the grey value is the red, green, blue and (blended over white) alpha.
  auto drawTexel = [&](bool blend) {
    vt::resetView();
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    if (blend) {
      glEnable(GL_BLEND);
      glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, tex.name());
    glColor4f(1, 1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(1, 0);
    glVertex2f(2, 0);
    glTexCoord2f(1, 1);
    glVertex2f(2, 2);
    glTexCoord2f(0, 1);
    glVertex2f(0, 2);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
  };
  const int grey[4] = {0, 64, 128, 255};
  drawTexel(false);
  for (int i = 0; i < 4; ++i) {
    const vt::Rgb expected{grey[i], grey[i], grey[i]};
    EXPECT_TRUE(vt::pixelNear(i % 2, i / 2, expected)) << i;
  }
  drawTexel(true);
  for (int i = 0; i < 4; ++i) {
    const int v = static_cast<int>(grey[i] * grey[i] / 255.0 + 255 - grey[i] + 0.5);
    EXPECT_TRUE(vt::pixelNear(i % 2, i / 2, vt::Rgb{v, v, v})) << i;
  }
}

TEST_F(TgaLoader, ImageTypeAndDepthAreJudgedIndependently) {
  TgaHeader greyInType2;
  greyInType2.bits = 8;
  Texture grey;
  ASSERT_EQ(loadTGA(write("a.tga", tgaFilled(greyInType2, 5)).c_str(), grey.id()), 1);
  EXPECT_EQ(texLevel(GL_TEXTURE_INTERNAL_FORMAT), GL_INTENSITY);

  TgaHeader colourInType3;
  colourInType3.imageType = 3;
  Texture colour;
  ASSERT_EQ(loadTGA(write("b.tga", tgaFilled(colourInType3, 5)).c_str(), colour.id()), 1);
  EXPECT_EQ(texLevel(GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA);
}

TEST_F(TgaLoader, RowsStayInStoredOrderWhateverTheOriginBits) {
  // First stored row red, second blue (B, G, R, A).
  const Bytes stored = {0, 0, 255, 255, 0, 0, 255, 255, 255, 0, 0, 255, 255, 0, 0, 255};
  const Bytes expected = {255, 0, 0, 255, 255, 0, 0, 255, 0, 0, 255, 255, 0, 0, 255, 255};
  for (int descriptor : {0x00, 0x08, 0x10, 0x20, 0x28, 0x30}) {
    SCOPED_TRACE(descriptor);
    TgaHeader h;
    h.descriptor = descriptor;
    Texture tex;
    ASSERT_EQ(loadTGA(write("rows.tga", tgaFile(h, stored)).c_str(), tex.id()), 1);
    EXPECT_EQ(texels(tex.name(), GL_RGBA, 4), expected);
  }
}

TEST_F(TgaLoader, AcceptsEveryPowerOfTwoSideFrom2To512) {
  const std::vector<std::pair<int, int>> sizes = {{512, 2}, {2, 512}, {4, 256}, {128, 8},
                                                  {32, 64}};
  for (auto [w, h] : sizes) {
    SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
    TgaHeader header;
    header.width = w;
    header.height = h;
    header.bits = 24;
    Texture tex;
    ASSERT_EQ(loadTGA(write("size.tga", tgaFilled(header, 3)).c_str(), tex.id()), 1);
    EXPECT_EQ(texLevel(GL_TEXTURE_WIDTH), w);
    EXPECT_EQ(texLevel(GL_TEXTURE_HEIGHT), h);
  }
}

TEST_F(TgaLoader, SkipsTheImageIdAndIgnoresDataAfterThePixels) {
  for (int idLength : {1, 7, 255}) {
    SCOPED_TRACE(idLength);
    TgaHeader h;
    h.idLength = idLength;
    h.bits = 24;
    Bytes body(static_cast<std::size_t>(idLength), 'x');
    const Bytes pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    body.insert(body.end(), pixels.begin(), pixels.end());
    const std::string footer = "TRUEVISION-XFILE.";
    body.insert(body.end(), footer.begin(), footer.end());
    Texture tex;
    ASSERT_EQ(loadTGA(write("id.tga", tgaFile(h, body)).c_str(), tex.id()), 1);
    EXPECT_EQ(texels(tex.name(), GL_RGB, 3), (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10}));
  }
}

// Root opens any file for writing; this takes the override away from the calling thread for
// the test's lifetime, so a read-only file is read-only to the loader too.
class WithoutPermissionOverride {
 public:
  WithoutPermissionOverride() {
    header_.version = _LINUX_CAPABILITY_VERSION_3;
    header_.pid = 0;
    active_ = syscall(SYS_capget, &header_, saved_) == 0;
    if (active_) {
      __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
      reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
      active_ = syscall(SYS_capset, &header_, reduced) == 0;
    }
  }
  ~WithoutPermissionOverride() {
    if (active_) {
      syscall(SYS_capset, &header_, saved_);
    }
  }
  WithoutPermissionOverride(const WithoutPermissionOverride&) = delete;
  WithoutPermissionOverride& operator=(const WithoutPermissionOverride&) = delete;

 private:
  __user_cap_header_struct header_{};
  __user_cap_data_struct saved_[2]{};
  bool active_ = false;
};

TEST_F(TgaLoader, LoadsAReadOnlyFile) {
  const std::string path = write("readonly.tga", tgaFilled(TgaHeader{}, 1));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  WithoutPermissionOverride readOnlyForUs;
  // The file really refuses to be opened for update, as the design's mode would have done.
  std::FILE* update = std::fopen(path.c_str(), "r+b");
  if (update) {
    std::fclose(update);
  }
  ASSERT_EQ(update, nullptr);

  Texture tex;
  EXPECT_EQ(loadTGA(path.c_str(), tex.id()), 1);
  EXPECT_EQ(texLevel(GL_TEXTURE_WIDTH), 2);
}

TEST_F(TgaLoader, PendingGlErrorsAreReportedAsAFailedGenerateAndTheImageStillLoads) {
  const std::string path = write("ok.tga", tgaFilled(TgaHeader{}, 1));
  glEnable(0x1234);  // GL_INVALID_ENUM, left pending
  vt::StreamCapture out(std::cout);
  vt::StreamCapture err(std::cerr);
  const GLuint name = createTexture(path.c_str());
  EXPECT_EQ(err.lines(),
            (Lines{"", "OpenGL-ERROR <0x500> in tga(304)!", "glGenTextures failed",
                   "invalid enumerant"}));
  EXPECT_EQ(out.text(), "");
  EXPECT_EQ(texLevel(GL_TEXTURE_WIDTH), 2);
  glDeleteTextures(1, &name);
}

TEST_F(TgaLoader, ErrorsRaisedByTheUploadAreReportedWithTheFileName) {
  const std::string path = write("ok.tga", tgaFilled(TgaHeader{}, 1));
  // With a one-byte unpack buffer bound, the upload's pixel pointer is an offset far beyond it:
  // glTexImage2D fails with GL_INVALID_OPERATION.
  GLuint buffer = 0;
  glGenBuffers(1, &buffer);
  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, buffer);
  const GLubyte one = 0;
  glBufferData(GL_PIXEL_UNPACK_BUFFER, 1, &one, GL_STATIC_DRAW);
  vt::StreamCapture out(std::cout);
  vt::StreamCapture err(std::cerr);
  const GLuint name = createTexture(path.c_str());
  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
  glDeleteBuffers(1, &buffer);
  EXPECT_NE(name, 0u);
  EXPECT_EQ(err.lines(), (Lines{"", "OpenGL-ERROR <0x502> in tga(310)!", path, "invalid operation"}));
  EXPECT_EQ(out.text(), "");
  glDeleteTextures(1, &name);
}

// The decoder on its own, as a fuzzer drives it: bytes from memory, no GL.
int decode(const Bytes& bytes, TgaImage& image) {
  Bytes copy = bytes;
  std::FILE* s = fmemopen(copy.empty() ? nullptr : copy.data(), copy.size(), "rb");
  if (!s) {
    // glibc refuses a zero-sized buffer; an empty stream reads nothing either way.
    s = std::tmpfile();
  }
  const int result = readTGA(s, image);
  std::fclose(s);
  return result;
}

TEST(TgaDecoder, DecodesFromMemoryWithTheSameCodesAsTheLoader) {
  for (const Refused& c : refusedFiles()) {
    SCOPED_TRACE(c.what);
    TgaImage image;
    EXPECT_EQ(decode(c.bytes, image), c.code);
    EXPECT_EQ(image.Pixels, nullptr);
  }
  TgaHeader h;
  h.width = 4;
  h.bits = 24;
  TgaImage image;
  ASSERT_EQ(decode(tgaFilled(h, 6), image), 1);
  EXPECT_EQ(image.Width, 4);
  EXPECT_EQ(image.Height, 2);
  EXPECT_EQ(image.Bits, 24);
  EXPECT_EQ(Bytes(image.Pixels.get(), image.Pixels.get() + 24), Bytes(24, 6));
}

TEST(TgaDecoder, AShortReadLeavesTexFormatAsTheLastSuccessfulReadSetIt) {
  TgaHeader grey;
  grey.imageType = 3;
  grey.bits = 8;
  TgaImage image;
  ASSERT_EQ(decode(tgaFilled(grey, 1), image), 1);
  ASSERT_EQ(texFormat, static_cast<unsigned int>(GL_LUMINANCE));
  Bytes shortColour = tgaFilled(TgaHeader{}, 1);
  shortColour.pop_back();
  TgaImage refused;
  EXPECT_EQ(decode(shortColour, refused), 17);
  EXPECT_EQ(texFormat, static_cast<unsigned int>(GL_LUMINANCE));
}

TEST(TgaDecoder, GetDataRefusesOtherDepthsAndCounts) {
  Bytes data(64, 0);
  for (int bits : {0, 1, 15, 16, 31, 33, 64}) {
    std::FILE* s = fmemopen(data.data(), data.size(), "rb");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(getData(s, 4, bits), nullptr) << bits;
    std::fclose(s);
  }
  std::FILE* s = fmemopen(data.data(), data.size(), "rb");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(getData(s, -4, 32), nullptr);
  EXPECT_EQ(getData(s, 0, 8), nullptr);
  std::fclose(s);
}

}  // namespace
