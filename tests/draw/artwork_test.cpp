// The shipped images: formats, the font sheet's cell layout, and the control images' keying.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "TgaBytes.h"
#include "draw/tga.h"

namespace {

TEST(Artwork, TheFontSheetIsA256SquareGreyImageStoredTopRowFirst) {
  const Bytes file = readFile("font_arial.tga");
  ASSERT_GE(file.size(), 18u + 256 * 256);
  EXPECT_EQ(file[1], 0);
  EXPECT_EQ(file[2], 3);
  EXPECT_EQ(file[12] + 256 * file[13], 256);
  EXPECT_EQ(file[14] + 256 * file[15], 256);
  EXPECT_EQ(file[16], 8);
  EXPECT_EQ(file[17] & 0x20, 0x20);  // for viewers; the loader reads rows in stored order
}

// Ink only in the two glyph sets, and inside each cell only in columns 1 to 11 and rows 1 to
// 14: the pen advances 12, and a scaled glyph's filter reaches across the cell's edge.
TEST(Artwork, GlyphsKeepTheirInkInsideTheirBoxAndEveryPrintableCodeHasInk) {
  const TgaImage sheet = decodeFile("font_arial.tga");
  ASSERT_EQ(sheet.Width, 256);
  for (int cell = 0; cell < 256; ++cell) {
    const int code = cell < 128 ? cell + 32 : cell - 96;
    const bool glyphSet = cell < 96 || (cell >= 128 && cell < 224);
    int ink = 0;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        const int value =
            sheet.Pixels[static_cast<std::size_t>((cell / 16) * 16 + y) * 256 + (cell % 16) * 16 + x];
        if (value == 0) {
          continue;
        }
        ++ink;
        EXPECT_TRUE(glyphSet) << "cell " << cell;
        EXPECT_TRUE(x >= 1 && x <= 11 && y >= 1 && y <= 14)
            << "cell " << cell << " has ink at " << x << ", " << y;
      }
    }
    if (glyphSet && code > 32 && code < 127) {
      EXPECT_GT(ink, 0) << "code " << code << (cell < 128 ? " bold" : " regular");
    }
    if (glyphSet && (code == 32 || code == 127)) {
      EXPECT_EQ(ink, 0) << "code " << code;
    }
  }
}

TEST(Artwork, BoldGlyphsCarryMoreInkThanRegularOnes) {
  const TgaImage sheet = decodeFile("font_arial.tga");
  ASSERT_EQ(sheet.Width, 256);
  auto total = [&](int firstCell) {
    long sum = 0;
    for (int cell = firstCell; cell < firstCell + 96; ++cell) {
      for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
          sum += sheet.Pixels[static_cast<std::size_t>((cell / 16) * 16 + y) * 256 +
                              (cell % 16) * 16 + x];
        }
      }
    }
    return sum;
  };
  EXPECT_GT(total(0), total(128) * 5 / 4);
}

// The Latin-1 sheets of each face, and all three sheets at twice the size (cells of 32): ink
// only inside each glyph's box (columns 1 to 11, rows 1 to 14 at 1x, doubled at 2x), a glyph
// for every printable code and none for the others, and the codes 32 to 126 of a Latin-1 sheet
// are the cells of font_arial.tga of the same face and size, byte for byte.
TEST(Artwork, TheLatin1AndDoubleSizeSheetsHoldEveryGlyphInsideItsBox) {
  for (const int scale : {1, 2}) {
    const std::string suffix = scale == 1 ? ".tga" : "_2x.tga";
    const int side = 16 * scale;
    const TgaImage designed = decodeFile("font_arial" + suffix);
    ASSERT_EQ(designed.Width, 256 * scale);
    const auto cellBytes = [&](const TgaImage& sheet, int cell) {
      std::vector<unsigned char> bytes;
      for (int y = 0; y < side; ++y) {
        const unsigned char* row =
            &sheet.Pixels[static_cast<std::size_t>((cell / 16) * side + y) * sheet.Width +
                          static_cast<std::size_t>((cell % 16) * side)];
        bytes.insert(bytes.end(), row, row + side);
      }
      return bytes;
    };
    for (const bool bold : {true, false}) {
      const std::string name = std::string("font_latin1_") + (bold ? "bold" : "regular") + suffix;
      SCOPED_TRACE(name);
      const TgaImage sheet = decodeFile(name);
      ASSERT_EQ(sheet.Width, 256 * scale);
      ASSERT_EQ(sheet.Height, 256 * scale);
      ASSERT_EQ(sheet.Bits, 8);
      for (int code = 0; code < 256; ++code) {
        const std::vector<unsigned char> cell = cellBytes(sheet, code);
        int ink = 0;
        bool inside = true;
        for (int i = 0; i < side * side; ++i) {
          const int x = i % side;
          const int y = i / side;
          if (cell[static_cast<std::size_t>(i)] != 0) {
            ++ink;
            inside = inside && x >= scale && x < 12 * scale && y >= scale && y < 15 * scale;
          }
        }
        EXPECT_TRUE(inside) << "code " << code;
        const bool glyph = (code >= 32 && code < 127) || code >= 160;
        const bool blank = code == 32 || code == 160;
        EXPECT_EQ(ink > 0, glyph && !blank) << "code " << code;
        if (code >= 32 && code < 127) {
          EXPECT_EQ(cell, cellBytes(designed, bold ? code - 32 : code + 96)) << "code " << code;
        }
      }
    }
  }
}

struct ControlImage {
  const char* name;
  int size;
  bool keyed;  // has magenta (transparent) pixels
};

TEST(Artwork, ControlImagesAre32BitStoredBottomRowFirst) {
  for (const ControlImage& c :
       {ControlImage{"checkbox.tga", 16, true}, ControlImage{"checkboxchecked.tga", 16, true},
        ControlImage{"radio.tga", 16, true}, ControlImage{"radiochecked.tga", 16, true},
        ControlImage{"closebutton.tga", 64, false}, ControlImage{"closebutton_down.tga", 64, false},
        ControlImage{"maximizebutton.tga", 64, false},
        ControlImage{"maximizebutton_down.tga", 64, false}}) {
    SCOPED_TRACE(c.name);
    const Bytes file = readFile(c.name);
    ASSERT_GE(file.size(), 18u);
    EXPECT_EQ(file[0], 0);
    EXPECT_EQ(file[2], 2);
    EXPECT_EQ(file[16], 32);
    EXPECT_EQ(file[17] & 0x20, 0);
    const TgaImage image = decodeFile(c.name);
    ASSERT_EQ(image.Width, c.size);
    ASSERT_EQ(image.Height, c.size);
    int transparent = 0;
    for (int i = 0; i < c.size * c.size; ++i) {
      transparent += image.Pixels[static_cast<std::size_t>(i) * 4 + 3] == 0 ? 1 : 0;
    }
    EXPECT_EQ(transparent > 0, c.keyed);
    if (c.keyed) {
      EXPECT_EQ(image.Pixels[3], 0) << "the corners show the background";
    }
  }
}

TEST(Artwork, EachPairOfLooksDiffers) {
  const std::vector<std::pair<const char*, const char*>> pairs = {
      {"checkbox.tga", "checkboxchecked.tga"},
      {"radio.tga", "radiochecked.tga"},
      {"closebutton.tga", "closebutton_down.tga"},
      {"maximizebutton.tga", "maximizebutton_down.tga"},
      {"closebutton.tga", "maximizebutton.tga"}};
  for (auto [a, b] : pairs) {
    EXPECT_NE(readFile(a), readFile(b)) << a << " and " << b;
  }
}

}  // namespace
