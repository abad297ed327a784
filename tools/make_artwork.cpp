// make_artwork: draws the toolkit's TGA images: the font sheets and the eight control images of
// each theme, light and dark, each at its own size and at twice it for scaled displays.
//
// Usage: vuna_make_artwork <output folder> [<folder of LiberationSans-Bold.ttf and -Regular.ttf>]
//
// Deterministic: the same fonts and the same FreeType give the same bytes, which the committed
// files in assets/ are checked against.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------------------
// TGA files

// Rows are given top row first; bottomUp decides the stored order and the descriptor's origin
// bit. Pixels are 1 byte (grey) or 4 bytes (B, G, R, A).
bool writeTga(const std::string& path, int width, int height, int bytesPerPixel, bool bottomUp,
              const std::vector<std::uint8_t>& topDown) {
  const bool grey = bytesPerPixel == 1;
  std::uint8_t header[18] = {};
  header[2] = grey ? 3 : 2;
  header[12] = static_cast<std::uint8_t>(width & 0xff);
  header[13] = static_cast<std::uint8_t>(width >> 8);
  header[14] = static_cast<std::uint8_t>(height & 0xff);
  header[15] = static_cast<std::uint8_t>(height >> 8);
  header[16] = static_cast<std::uint8_t>(bytesPerPixel * 8);
  // Bit 5: first stored row at the top; bits 0-3: alpha bits per pixel.
  header[17] = static_cast<std::uint8_t>((bottomUp ? 0x00 : 0x20) | (grey ? 0 : 8));

  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(header), sizeof header);
  const std::size_t row = static_cast<std::size_t>(width) * bytesPerPixel;
  for (int r = 0; r < height; ++r) {
    const int source = bottomUp ? height - 1 - r : r;
    out.write(reinterpret_cast<const char*>(topDown.data() + source * row),
              static_cast<std::streamsize>(row));
  }
  out.close();
  if (!out) {
    std::cerr << "make_artwork: cannot write " << path << std::endl;
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// The font sheets: grey, 16 x 16 cells of 16 pixels (256 x 256), drawn 1:1 at the default font
// size. The text drawer gives every glyph a 16 x 16 box and a 12-pixel advance, so the sans
// glyphs are widened a little to fill the fixed pitch, squeezed back where they would exceed
// 11 columns, centred on columns 1 to 11 and set on a common baseline. The outermost rows and
// columns of every cell stay empty: a scaled glyph's linear filter samples across the cell edge,
// and must find no ink of the neighbouring cell there.
//
// Three sheets, each also drawn at twice the size for scaled displays (cells of 32 pixels, every
// length above doubled, rendered anew from the outlines at 28 pixels, not enlarged):
// - font_arial.tga: codes 32 to 127, the bold set in cells 0 to 95, the regular one in cells 128
//   to 223 (the text drawer's designed layout);
// - font_latin1_bold.tga and font_latin1_regular.tga: every glyph of Latin-1 in one face, cell i
//   holding code i (32 to 126 and 160 to 255; the others stay empty). Their cells of 32 to 126
//   are those of font_arial.tga, drawn by the same rules.

// The lengths of one sheet at a scale of 1 or 2.
struct SheetGeometry {
  int scale;
  int sheet() const { return 256 * scale; }
  int cell() const { return 16 * scale; }
  int firstInk() const { return scale; }          // first ink column and row of a cell
  int maxInk() const { return 11 * scale; }       // ink columns, leaving a free one in the advance
  int lastInkRow() const { return 15 * scale - 1; }
  int pixelSize() const { return 14 * scale; }    // capitals 10 pixels high, descenders 3
  int baseline() const { return 12 * scale; }     // rows above the baseline in a cell
};

constexpr double kWiden = 1.25;  // the pitch is 12 pixels; the face's own letters are narrower

struct Glyph {
  int width = 0;
  int rows = 0;
  int top = 0;  // rows from the baseline up to the first ink row
  std::vector<std::uint8_t> coverage;
};

// Renders at the sheet's pixel size, or at a smaller height for a glyph that must be made lower.
bool renderGlyph(FT_Face face, FT_UInt index, int pixelSize, int height, double widthScale,
                 Glyph& glyph) {
  if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(pixelSize), static_cast<FT_UInt>(height)) !=
      0) {
    return false;
  }
  FT_Matrix matrix = {static_cast<FT_Fixed>(widthScale * 0x10000), 0, 0, 0x10000};
  FT_Set_Transform(face, &matrix, nullptr);
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0 ||
      FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
    return false;
  }
  const FT_Bitmap& bitmap = face->glyph->bitmap;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.rows = static_cast<int>(bitmap.rows);
  glyph.top = face->glyph->bitmap_top;
  glyph.coverage.assign(static_cast<std::size_t>(glyph.width) * glyph.rows, 0);
  for (int y = 0; y < glyph.rows; ++y) {
    for (int x = 0; x < glyph.width; ++x) {
      glyph.coverage[static_cast<std::size_t>(y) * glyph.width + x] =
          bitmap.buffer[y * bitmap.pitch + x];
    }
  }
  return true;
}

// Renders one glyph to fit its cell: at most maxInk columns wide, and no higher above the
// baseline than the cell's ink rows reach. A glyph too high (an accented capital) is rendered at
// a smaller height, its width kept, so that it still stands on the baseline with the others; a
// glyph too wide is squeezed horizontally. One that reaches too low (a cedilla) keeps its size
// and is moved up into the cell when it is placed.
bool fitGlyph(FT_Face face, FT_UInt index, const SheetGeometry& g, Glyph& glyph) {
  const int above = g.baseline() - g.firstInk();
  int height = g.pixelSize();
  double scale = kWiden;
  bool ok = renderGlyph(face, index, g.pixelSize(), height, scale, glyph);
  for (int tries = 0; ok && glyph.top > above; ++tries) {
    const double over = static_cast<double>(glyph.top) / above;
    height = std::min(height - 1, static_cast<int>(height / over));
    ok = tries < 8 && renderGlyph(face, index, g.pixelSize(), height, scale, glyph);
  }
  // Hinting and anti-aliasing may round a squeezed glyph up again: aim a little narrower.
  for (int tries = 0; ok && glyph.width > g.maxInk(); ++tries) {
    scale *= 0.97 * g.maxInk() / glyph.width;
    ok = tries < 8 && renderGlyph(face, index, g.pixelSize(), height, scale, glyph);
  }
  return ok;
}

// Draws the given codes of one face, code c into cell cellOf(c).
template <typename CellOf>
bool drawGlyphSet(FT_Library library, const std::string& fontFile, const std::vector<int>& codes,
                  CellOf cellOf, const SheetGeometry& g, std::vector<std::uint8_t>& sheet) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, fontFile.c_str(), 0, &face) != 0) {
    std::cerr << "make_artwork: cannot open the font " << fontFile << std::endl;
    return false;
  }
  bool ok = true;
  for (const int code : codes) {
    const FT_UInt index = FT_Get_Char_Index(face, static_cast<FT_ULong>(code));
    if (index == 0) {
      continue;  // no glyph (DEL): the cell stays empty
    }
    Glyph glyph;
    if (!fitGlyph(face, index, g, glyph)) {
      std::cerr << "make_artwork: cannot render code " << code << " of " << fontFile << std::endl;
      ok = false;
      break;
    }
    const int cell = cellOf(code);
    const int cellX = (cell % 16) * g.cell();
    const int cellY = (cell / 16) * g.cell();
    const int x0 = g.firstInk() + (g.maxInk() - glyph.width) / 2;
    // The few glyphs that reach below the ink rows (a cedilla, a bold accent) move inside.
    const int y0 = std::max(g.firstInk(), std::min(g.baseline() - glyph.top,
                                                   g.lastInkRow() + 1 - glyph.rows));
    for (int y = 0; ok && y < glyph.rows; ++y) {
      for (int x = 0; x < glyph.width; ++x) {
        const int cx = x0 + x;
        const int cy = y0 + y;
        const std::uint8_t c = glyph.coverage[static_cast<std::size_t>(y) * glyph.width + x];
        if (c == 0) {
          continue;
        }
        if (cx < g.firstInk() || cx >= g.firstInk() + g.maxInk() || cy < g.firstInk() ||
            cy > g.lastInkRow()) {
          std::cerr << "make_artwork: code " << code << " does not fit its cell" << std::endl;
          ok = false;
          break;
        }
        sheet[static_cast<std::size_t>(cellY + cy) * g.sheet() + cellX + cx] = c;
      }
    }
  }
  FT_Done_Face(face);
  return ok;
}

std::vector<int> codeRange(int first, int last) {
  std::vector<int> codes;
  for (int code = first; code <= last; ++code) {
    codes.push_back(code);
  }
  return codes;
}

// Stored top row first, as the text drawer reads its cells.
bool writeSheet(const std::string& path, const SheetGeometry& g,
                const std::vector<std::uint8_t>& sheet) {
  return writeTga(path, g.sheet(), g.sheet(), 1, false, sheet);
}

bool makeFontSheets(FT_Library library, const std::string& fontFolder,
                    const std::string& outFolder, const SheetGeometry& g) {
  const std::string bold = fontFolder + "/LiberationSans-Bold.ttf";
  const std::string regular = fontFolder + "/LiberationSans-Regular.ttf";
  const std::string suffix = g.scale == 1 ? ".tga" : "_2x.tga";
  const std::size_t size = static_cast<std::size_t>(g.sheet()) * g.sheet();

  std::vector<std::uint8_t> designed(size, 0);
  const std::vector<int> ascii = codeRange(32, 127);
  if (!drawGlyphSet(library, bold, ascii, [](int code) { return code - 32; }, g, designed) ||
      !drawGlyphSet(library, regular, ascii, [](int code) { return code + 96; }, g, designed) ||
      !writeSheet(outFolder + "/font_arial" + suffix, g, designed)) {
    return false;
  }
  std::vector<int> latin1 = codeRange(32, 126);
  for (const int code : codeRange(160, 255)) {
    latin1.push_back(code);
  }
  const std::pair<std::string, std::string> faces[] = {{bold, "bold"}, {regular, "regular"}};
  for (const auto& [face, name] : faces) {
    std::vector<std::uint8_t> sheet(size, 0);
    if (!drawGlyphSet(library, face, latin1, [](int code) { return code; }, g, sheet) ||
        !writeSheet(outFolder + "/font_latin1_" + name + suffix, g, sheet)) {
      return false;
    }
  }
  return true;
}

bool makeFontSheets(const std::string& fontFolder, const std::string& outFolder) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) {
    std::cerr << "make_artwork: FreeType does not start" << std::endl;
    return false;
  }
  const bool ok = makeFontSheets(library, fontFolder, outFolder, SheetGeometry{1}) &&
                  makeFontSheets(library, fontFolder, outFolder, SheetGeometry{2});
  FT_Done_FreeType(library);
  return ok;
}

// ---------------------------------------------------------------------------------------------
// Control images: 32-bit pictures in a theme's palette, magenta where the widget's background
// shows through. The light theme's are assets/<name>.tga, the dark theme's <name>_dark.tga.

struct Rgb {
  std::uint8_t r, g, b;
};

constexpr Rgb kKey = {255, 0, 255};

// The colours of one theme's control images.
struct Palette {
  // Caption buttons: the face, the glyph, and the two steps of the bevel on each side.
  Rgb face, glyph, outerLight, innerLight, innerShadow, outerShadow;
  // Check box and radio wells: the outer ring's dark and lit halves, the inner ring's, the face
  // and the mark.
  Rgb wellOuterDark, wellOuterLit, wellInnerDark, wellInnerLit, wellFace, mark;
};

// The light theme, in the grey 3D style of a classic desktop. Caption buttons are drawn as they
// are; check boxes and radio buttons are drawn at 0.8 of their brightness (the look and feel
// tints them by its background grey): their 160 and 200 become the toolkit's 0.5 bevel grey and
// a light grey that still shows on the 0.8 background, while white becomes the background grey
// itself.
constexpr Palette kLight = {
    {204, 204, 204}, {0, 0, 0}, {223, 223, 223}, {255, 255, 255}, {128, 128, 128}, {0, 0, 0},
    {160, 160, 160}, {255, 255, 255}, {0, 0, 0}, {200, 200, 200}, {255, 255, 255}, {0, 0, 0}};

// The dark theme: every image is drawn as it is, untinted. The faces are the dark look and
// feel's background (64, 64, 70), the glyphs and marks its text colour (230, 230, 230), the
// bevels lit from the top left as in the light theme, and the wells darker than the face, the
// way the dark text fields are sunken.
constexpr Palette kDark = {
    {64, 64, 70}, {230, 230, 230}, {96, 96, 104}, {118, 118, 128}, {36, 36, 40}, {16, 16, 18},
    {24, 24, 27}, {118, 118, 128}, {8, 8, 9}, {84, 84, 92}, {40, 40, 44}, {230, 230, 230}};

class Canvas {
 public:
  Canvas(int width, int height, Rgb fill)
      : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height, fill) {}

  void set(int x, int y, Rgb c) {
    if (x >= 0 && x < width_ && y >= 0 && y < height_) {
      pixels_[static_cast<std::size_t>(y) * width_ + x] = c;
    }
  }
  Rgb at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
  void fill(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j) {
      for (int i = x; i < x + w; ++i) {
        set(i, j, c);
      }
    }
  }
  // Draws the '#' cells of a picture given as rows of text.
  void stamp(int x, int y, const std::vector<std::string>& rows, Rgb c) {
    for (std::size_t j = 0; j < rows.size(); ++j) {
      for (std::size_t i = 0; i < rows[j].size(); ++i) {
        if (rows[j][i] == '#') {
          set(x + static_cast<int>(i), y + static_cast<int>(j), c);
        }
      }
    }
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

// Enlarges a picture to size x size so that the texture's linear filter, drawn at the picture's
// own size, samples only texels of the intended pixel: each texel takes the pixel its centre
// falls in. At 64 texels for a 19-pixel picture the two texels every pixel samples are always
// its own, so the default 19 x 19 window buttons come out pixel for pixel as designed.
Canvas enlarge(const Canvas& picture, int size) {
  Canvas out(size, size, kKey);
  for (int ty = 0; ty < size; ++ty) {
    for (int tx = 0; tx < size; ++tx) {
      const int px = (2 * tx + 1) * picture.width() / (2 * size);
      const int py = (2 * ty + 1) * picture.height() / (2 * size);
      out.set(tx, ty, picture.at(px, py));
    }
  }
  return out;
}

bool writeImage(const std::string& path, const Canvas& canvas) {
  std::vector<std::uint8_t> bgra;
  bgra.reserve(static_cast<std::size_t>(canvas.width()) * canvas.height() * 4);
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const Rgb c = canvas.at(x, y);
      const bool key = c.r == kKey.r && c.g == kKey.g && c.b == kKey.b;
      bgra.insert(bgra.end(), {c.b, c.g, c.r, static_cast<std::uint8_t>(key ? 0 : 255)});
    }
  }
  // Bottom row first, as TGA usually stores it and as the look and feel draws it.
  return writeTga(path, canvas.width(), canvas.height(), 4, true, bgra);
}

// A 13 x 13 sunken well, its top-left corner at (x, y).
void drawWell(Canvas& c, int x, int y, const Palette& p) {
  constexpr int n = 13;
  c.fill(x, y, n - 1, 1, p.wellOuterDark);
  c.fill(x, y, 1, n - 1, p.wellOuterDark);
  c.fill(x, y + n - 1, n, 1, p.wellOuterLit);
  c.fill(x + n - 1, y, 1, n, p.wellOuterLit);
  c.fill(x + 1, y + 1, n - 3, 1, p.wellInnerDark);
  c.fill(x + 1, y + 1, 1, n - 3, p.wellInnerDark);
  c.fill(x + 1, y + n - 2, n - 2, 1, p.wellInnerLit);
  c.fill(x + n - 2, y + 1, 1, n - 2, p.wellInnerLit);
  c.fill(x + 2, y + 2, n - 4, n - 4, p.wellFace);
}

Canvas checkBox(bool checked, const Palette& p) {
  Canvas c(16, 16, kKey);
  drawWell(c, 1, 1, p);
  if (checked) {
    c.stamp(4, 4,
            {"......#",
             ".....##",
             "#...###",
             "##.###.",
             "#####..",
             ".###...",
             "..#...."},
            p.mark);
  }
  return c;
}

// A 12-pixel round well: 'o' the outer ring, 'i' the inner ring, 'f' the face. Each ring is dark
// on its top-left half and light on its bottom-right half.
Canvas radioButton(bool checked, const Palette& p) {
  static const std::vector<std::string> shape = {
      "....oooo....",
      "..ooiiiioo..",
      ".oiiffffiio.",
      ".oiffffffio.",
      "oiffffffffio",
      "oiffffffffio",
      "oiffffffffio",
      "oiffffffffio",
      ".oiffffffio.",
      ".oiiffffiio.",
      "..ooiiiioo..",
      "....oooo....",
  };
  constexpr int x0 = 1;
  constexpr int y0 = 1;
  Canvas c(16, 16, kKey);
  for (int y = 0; y < 12; ++y) {
    for (int x = 0; x < 12; ++x) {
      const bool litSide = x + y > 11;
      switch (shape[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]) {
        case 'o': c.set(x0 + x, y0 + y, litSide ? p.wellOuterLit : p.wellOuterDark); break;
        case 'i': c.set(x0 + x, y0 + y, litSide ? p.wellInnerLit : p.wellInnerDark); break;
        case 'f': c.set(x0 + x, y0 + y, p.wellFace); break;
        default: break;
      }
    }
  }
  if (checked) {
    c.stamp(x0 + 4, y0 + 4,
            {".##.",
             "####",
             "####",
             ".##."},
            p.mark);
  }
  return c;
}

// A 19 x 19 caption button (the window's default button size): a two-step raised or pressed
// bevel around the face; a pressed glyph moves one pixel right and down.
Canvas captionButton(bool down, const std::vector<std::string>& glyph, int gx, int gy,
                     const Palette& p) {
  constexpr int n = 19;
  Canvas c(n, n, p.face);
  const Rgb outerTopLeft = down ? p.outerShadow : p.outerLight;
  const Rgb innerTopLeft = down ? p.innerShadow : p.innerLight;
  const Rgb innerBottomRight = down ? p.outerLight : p.innerShadow;
  const Rgb outerBottomRight = down ? p.innerLight : p.outerShadow;
  c.fill(0, n - 1, n, 1, outerBottomRight);
  c.fill(n - 1, 0, 1, n, outerBottomRight);
  c.fill(0, 0, n - 1, 1, outerTopLeft);
  c.fill(0, 0, 1, n - 1, outerTopLeft);
  c.fill(1, n - 2, n - 2, 1, innerBottomRight);
  c.fill(n - 2, 1, 1, n - 2, innerBottomRight);
  c.fill(1, 1, n - 3, 1, innerTopLeft);
  c.fill(1, 1, 1, n - 3, innerTopLeft);
  const int shift = down ? 1 : 0;
  c.stamp(gx + shift, gy + shift, glyph, p.glyph);
  return enlarge(c, 64);
}

const std::vector<std::string> kCross = {
    "##......##",
    ".##....##.",
    "..##..##..",
    "...####...",
    "....##....",
    "...####...",
    "..##..##..",
    ".##....##.",
    "##......##",
};

const std::vector<std::string> kMaximize = {
    "##########",
    "##########",
    "#........#",
    "#........#",
    "#........#",
    "#........#",
    "#........#",
    "#........#",
    "#........#",
    "##########",
};

bool makeControlImages(const std::string& out, const Palette& p, const std::string& suffix) {
  const auto path = [&](const char* name) { return out + "/" + name + suffix + ".tga"; };
  return writeImage(path("checkbox"), checkBox(false, p)) &&
         writeImage(path("checkboxchecked"), checkBox(true, p)) &&
         writeImage(path("radio"), radioButton(false, p)) &&
         writeImage(path("radiochecked"), radioButton(true, p)) &&
         writeImage(path("closebutton"), captionButton(false, kCross, 4, 5, p)) &&
         writeImage(path("closebutton_down"), captionButton(true, kCross, 4, 5, p)) &&
         writeImage(path("maximizebutton"), captionButton(false, kMaximize, 4, 4, p)) &&
         writeImage(path("maximizebutton_down"), captionButton(true, kMaximize, 4, 4, p));
}

// ---------------------------------------------------------------------------------------------
// The control images at twice the size, for scaled displays: the same pictures drawn anew from
// their geometry at two pixels a unit, so that the round wells are round, the marks' diagonals
// smooth and every 1-pixel line 2 pixels thick, as the display's other lines are. A picture is
// a list of shapes in the units of the 1x picture, painted in order; each pixel takes the mean
// of 4 x 4 samples of it. A pixel that is mostly magenta stays magenta (transparent), so no
// edge blends with the key colour.

struct Shape {
  std::function<bool(double, double)> inside;
  Rgb colour;
};

struct Picture {
  int size;  // in units: the 1x picture's side
  Rgb background;
  std::vector<Shape> shapes;

  Rgb at(double u, double v) const {
    for (auto shape = shapes.rbegin(); shape != shapes.rend(); ++shape) {
      if (shape->inside(u, v)) {
        return shape->colour;
      }
    }
    return background;
  }
  void rect(double x, double y, double w, double h, Rgb c) {
    shapes.push_back({[=](double u, double v) { return u >= x && u < x + w && v >= y && v < y + h; },
                      c});
  }
  // The '#' cells of a picture given as rows of text, each a unit square.
  void stamp(int x, int y, const std::vector<std::string>& rows, Rgb c) {
    for (std::size_t j = 0; j < rows.size(); ++j) {
      for (std::size_t i = 0; i < rows[j].size(); ++i) {
        if (rows[j][i] == '#') {
          rect(x + static_cast<double>(i), y + static_cast<double>(j), 1, 1, c);
        }
      }
    }
  }
  // A line through the points, halfWidth units to each side, with round ends and joints.
  void stroke(std::vector<std::pair<double, double>> points, double halfWidth, Rgb c) {
    shapes.push_back({[=](double u, double v) {
                        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
                          const auto [x0, y0] = points[i];
                          const auto [x1, y1] = points[i + 1];
                          const double dx = x1 - x0;
                          const double dy = y1 - y0;
                          const double t = std::clamp(
                              ((u - x0) * dx + (v - y0) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
                          const double ex = u - (x0 + t * dx);
                          const double ey = v - (y0 + t * dy);
                          if (ex * ex + ey * ey <= halfWidth * halfWidth) {
                            return true;
                          }
                        }
                        return false;
                      },
                      c});
  }
};

bool isKey(Rgb c) { return c.r == kKey.r && c.g == kKey.g && c.b == kKey.b; }

Canvas rasterise(const Picture& picture, int scale) {
  constexpr int n = 4;  // samples a side
  const int side = picture.size * scale;
  Canvas out(side, side, kKey);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      int keyed = 0;
      int sum[3] = {0, 0, 0};
      for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
          const Rgb c = picture.at((x + (i + 0.5) / n) / scale, (y + (j + 0.5) / n) / scale);
          if (isKey(c)) {
            ++keyed;
            continue;
          }
          sum[0] += c.r;
          sum[1] += c.g;
          sum[2] += c.b;
        }
      }
      const int inked = n * n - keyed;
      if (keyed * 2 >= n * n) {
        continue;
      }
      const auto mean = [&](int total) {
        return static_cast<std::uint8_t>((total + inked / 2) / inked);
      };
      out.set(x, y, Rgb{mean(sum[0]), mean(sum[1]), mean(sum[2])});
    }
  }
  return out;
}

// The 13 x 13 well of drawWell, rectangle by rectangle in the same order.
void wellShapes(Picture& c, double x, double y, const Palette& p) {
  constexpr double n = 13;
  c.rect(x, y, n - 1, 1, p.wellOuterDark);
  c.rect(x, y, 1, n - 1, p.wellOuterDark);
  c.rect(x, y + n - 1, n, 1, p.wellOuterLit);
  c.rect(x + n - 1, y, 1, n, p.wellOuterLit);
  c.rect(x + 1, y + 1, n - 3, 1, p.wellInnerDark);
  c.rect(x + 1, y + 1, 1, n - 3, p.wellInnerDark);
  c.rect(x + 1, y + n - 2, n - 2, 1, p.wellInnerLit);
  c.rect(x + n - 2, y + 1, 1, n - 2, p.wellInnerLit);
  c.rect(x + 2, y + 2, n - 4, n - 4, p.wellFace);
}

// The check mark of checkBox: a stroke through the middles of its columns, three pixels tall.
Canvas checkBox2x(bool checked, const Palette& p) {
  Picture c{16, kKey, {}};
  wellShapes(c, 1, 1, p);
  if (checked) {
    c.stroke({{4.5, 7.5}, {6.5, 9.5}, {10.5, 5.5}}, 1.06, p.mark);
  }
  return rasterise(c, 2);
}

// The radio button's rings as circles about the middle of its 12-pixel well, each dark on the
// top-left half and light on the bottom-right one; the mark a disc.
Canvas radioButton2x(bool checked, const Palette& p) {
  constexpr double cx = 7.0;
  constexpr double cy = 7.0;
  const auto disc = [](double radius, int side) {
    return [=](double u, double v) {
      const double du = u - cx;
      const double dv = v - cy;
      const bool lit = du + dv > 0;
      return du * du + dv * dv <= radius * radius && (side == 0 || (side > 0) == lit);
    };
  };
  Picture c{16, kKey, {}};
  c.shapes.push_back({disc(6.0, -1), p.wellOuterDark});
  c.shapes.push_back({disc(6.0, 1), p.wellOuterLit});
  c.shapes.push_back({disc(5.0, -1), p.wellInnerDark});
  c.shapes.push_back({disc(5.0, 1), p.wellInnerLit});
  c.shapes.push_back({disc(4.0, 0), p.wellFace});
  if (checked) {
    c.shapes.push_back({disc(2.0, 0), p.mark});
  }
  return rasterise(c, 2);
}

// captionButton's bevel and face; the glyph is added by the caller, moved by shift.
Picture captionFace(bool down, const Palette& p) {
  constexpr double n = 19;
  Picture c{19, p.face, {}};
  const Rgb outerTopLeft = down ? p.outerShadow : p.outerLight;
  const Rgb innerTopLeft = down ? p.innerShadow : p.innerLight;
  const Rgb innerBottomRight = down ? p.outerLight : p.innerShadow;
  const Rgb outerBottomRight = down ? p.innerLight : p.outerShadow;
  c.rect(0, n - 1, n, 1, outerBottomRight);
  c.rect(n - 1, 0, 1, n, outerBottomRight);
  c.rect(0, 0, n - 1, 1, outerTopLeft);
  c.rect(0, 0, 1, n - 1, outerTopLeft);
  c.rect(1, n - 2, n - 2, 1, innerBottomRight);
  c.rect(n - 2, 1, 1, n - 2, innerBottomRight);
  c.rect(1, 1, n - 3, 1, innerTopLeft);
  c.rect(1, 1, 1, n - 3, innerTopLeft);
  return c;
}

// The cross of kCross at (4, 5): two strokes through the middles of its 2-pixel rows.
Canvas closeButton2x(bool down, const Palette& p) {
  Picture c = captionFace(down, p);
  const double s = down ? 1.0 : 0.0;
  c.stroke({{5.0 + s, 5.5 + s}, {13.0 + s, 13.5 + s}}, 0.71, p.glyph);
  c.stroke({{13.0 + s, 5.5 + s}, {5.0 + s, 13.5 + s}}, 0.71, p.glyph);
  // 38 pixels a side, enlarged as the 1x pictures are, for a texture that draws them exactly.
  return enlarge(rasterise(c, 2), 128);
}

Canvas maximizeButton2x(bool down, const Palette& p) {
  Picture c = captionFace(down, p);
  const int s = down ? 1 : 0;
  c.stamp(4 + s, 4 + s, kMaximize, p.glyph);
  return enlarge(rasterise(c, 2), 128);
}

bool makeControlImages2x(const std::string& out, const Palette& p, const std::string& suffix) {
  const auto path = [&](const char* name) { return out + "/" + name + suffix + "_2x.tga"; };
  return writeImage(path("checkbox"), checkBox2x(false, p)) &&
         writeImage(path("checkboxchecked"), checkBox2x(true, p)) &&
         writeImage(path("radio"), radioButton2x(false, p)) &&
         writeImage(path("radiochecked"), radioButton2x(true, p)) &&
         writeImage(path("closebutton"), closeButton2x(false, p)) &&
         writeImage(path("closebutton_down"), closeButton2x(true, p)) &&
         writeImage(path("maximizebutton"), maximizeButton2x(false, p)) &&
         writeImage(path("maximizebutton_down"), maximizeButton2x(true, p));
}


}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::cerr << "usage: vuna_make_artwork <output folder> [<Liberation Sans folder>]"
              << std::endl;
    return 2;
  }
  const std::string out = argv[1];
  const std::string fonts = argc == 3 ? argv[2] : "/usr/share/fonts/truetype/liberation";
  return makeFontSheets(fonts, out) && makeControlImages(out, kLight, "") &&
                 makeControlImages(out, kDark, "_dark") && makeControlImages2x(out, kLight, "") &&
                 makeControlImages2x(out, kDark, "_dark")
             ? 0
             : 1;
}
