// TgaProbe: decodes one TGA file through the reader and checks the result against a model of its rules.
#include "fuzz/TgaProbe.h"

#include <GL/gl.h>

#include <cstring>
#include <sstream>
#include <utility>
#include <vector>

#include "draw/tga.h"

namespace {

struct Expected {
  int Result = tgaNoData;
  int Width = 0;
  int Height = 0;
  int Bits = 0;
  unsigned int Format = 0;
  std::vector<std::uint8_t> Pixels;
};

bool sideAccepted(int x) { return x >= 2 && x <= 512 && (x & (x - 1)) == 0; }

// The reader's rules, written out plainly over the bytes in memory.
Expected model(const std::uint8_t* b, std::size_t n) {
  Expected e;
  if (n < 18) {
    return e;
  }
  if (b[1] != 0 || (b[2] != 2 && b[2] != 3)) {
    e.Result = tgaBadType;
    return e;
  }
  const int width = b[12] | (b[13] << 8);
  const int height = b[14] | (b[15] << 8);
  if (!sideAccepted(width) || !sideAccepted(height)) {
    e.Result = tgaBadSize;
    return e;
  }
  const int bits = b[16];
  if (bits != 8 && bits != 24 && bits != 32) {
    e.Result = tgaBadDepth;
    return e;
  }
  const std::size_t first = 18 + static_cast<std::size_t>(b[0]);
  const std::size_t count = static_cast<std::size_t>(width) * height;
  const std::size_t bytes = count * (bits / 8);
  if (n < first || n - first < bytes) {
    e.Result = tgaNoData;
    return e;
  }
  e.Result = tgaLoaded;
  e.Width = width;
  e.Height = height;
  e.Bits = bits;
  e.Pixels.assign(b + first, b + first + bytes);
  if (bits == 8) {
    e.Format = GL_LUMINANCE;
  } else if (bits == 24) {
    e.Format = GL_RGB;
    for (std::size_t i = 0; i < count; ++i) {
      std::swap(e.Pixels[i * 3], e.Pixels[i * 3 + 2]);
    }
  } else {
    e.Format = GL_RGBA;
    for (std::size_t i = 0; i < count; ++i) {
      std::uint8_t* p = &e.Pixels[i * 4];
      const std::uint8_t blue = p[0];
      const std::uint8_t green = p[1];
      const std::uint8_t red = p[2];
      const bool magenta = red == 255 && green == 0 && blue == 255;
      p[0] = red;
      p[1] = magenta ? 255 : green;
      p[2] = blue;
      p[3] = magenta ? 0 : 255;
    }
  }
  return e;
}

std::uint32_t fnv1a(const unsigned char* p, std::size_t n) {
  std::uint32_t h = 2166136261u;
  for (std::size_t i = 0; i < n; ++i) {
    h = (h ^ p[i]) * 16777619u;
  }
  return h;
}

const char* codeName(int code) {
  switch (code) {
    case tgaLoaded: return "loaded";
    case tgaCannotOpen: return "cannot open";
    case tgaBadType: return "bad type";
    case tgaBadSize: return "bad size";
    case tgaBadDepth: return "bad depth";
    case tgaNoData: return "no data";
    default: return "unknown code";
  }
}

const char* formatName(unsigned int format) {
  switch (format) {
    case GL_RGBA: return "GL_RGBA";
    case GL_RGB: return "GL_RGB";
    case GL_LUMINANCE: return "GL_LUMINANCE";
    default: return "no format";
  }
}

}  // namespace

TgaProbe probeTGA(const std::uint8_t* data, std::size_t size, std::FILE* s) {
  TgaProbe probe;
  std::ostringstream problem;
  const unsigned int formatBefore = texFormat;
  TgaImage image;
  probe.Result = readTGA(s, image);
  probe.Width = image.Width;
  probe.Height = image.Height;
  probe.Bits = image.Bits;
  probe.Format = texFormat;

  const Expected want = model(data, size);
  if (probe.Result != want.Result) {
    problem << "code " << probe.Result << " where the bytes call for " << want.Result << "; ";
  }
  if (probe.Result == tgaLoaded) {
    if (!image.Pixels) {
      problem << "loaded without a pixel buffer; ";
    } else {
      const std::size_t bytes =
          static_cast<std::size_t>(image.Width) * image.Height * (image.Bits / 8);
      probe.Checksum = fnv1a(image.Pixels.get(), bytes);
      if (want.Result == tgaLoaded && bytes == want.Pixels.size() &&
          std::memcmp(image.Pixels.get(), want.Pixels.data(), bytes) != 0) {
        problem << "pixels differ from the converted file bytes; ";
      }
    }
    if (want.Result == tgaLoaded &&
        (image.Width != want.Width || image.Height != want.Height || image.Bits != want.Bits)) {
      problem << "decoded " << image.Width << "x" << image.Height << " " << image.Bits
              << " bits where the header says " << want.Width << "x" << want.Height << " "
              << want.Bits << "; ";
    }
    if (want.Result == tgaLoaded && texFormat != want.Format) {
      problem << "texFormat " << formatName(texFormat) << " for " << want.Bits << " bits; ";
    }
  } else {
    if (image.Pixels || image.Width != 0 || image.Height != 0 || image.Bits != 0) {
      problem << "a refused file filled the image; ";
    }
    if (texFormat != formatBefore) {
      problem << "a refused file changed texFormat; ";
    }
  }
  probe.Problem = problem.str();
  return probe;
}

std::string describe(const TgaProbe& probe) {
  std::ostringstream out;
  if (probe.Result == tgaLoaded) {
    out << "loaded " << probe.Width << "x" << probe.Height << " " << probe.Bits << " bits "
        << formatName(probe.Format) << " fnv1a 0x" << std::hex << probe.Checksum << std::dec;
  } else {
    out << "refused: code " << probe.Result << " (" << codeName(probe.Result) << ")";
  }
  if (!probe.Problem.empty()) {
    out << " PROBLEM: " << probe.Problem;
  }
  return out.str();
}
