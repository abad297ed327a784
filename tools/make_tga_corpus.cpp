// make_tga_corpus: writes the seed corpus of small TGA files, valid and broken, for the image reader's fuzzer.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Header {
  int idLength = 0;
  int colourMapType = 0;
  int imageType = 2;
  int mapFirst = 0;
  int mapLength = 0;
  int mapBits = 0;
  int xOrigin = 0;
  int yOrigin = 0;
  int width = 2;
  int height = 2;
  int bits = 32;
  int descriptor = 0;
};

void put16(Bytes& out, int value) {
  out.push_back(static_cast<std::uint8_t>(value & 0xFF));
  out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

Bytes header(const Header& h) {
  Bytes out;
  out.push_back(static_cast<std::uint8_t>(h.idLength));
  out.push_back(static_cast<std::uint8_t>(h.colourMapType));
  out.push_back(static_cast<std::uint8_t>(h.imageType));
  put16(out, h.mapFirst);
  put16(out, h.mapLength);
  out.push_back(static_cast<std::uint8_t>(h.mapBits));
  put16(out, h.xOrigin);
  put16(out, h.yOrigin);
  put16(out, h.width);
  put16(out, h.height);
  out.push_back(static_cast<std::uint8_t>(h.bits));
  out.push_back(static_cast<std::uint8_t>(h.descriptor));
  return out;
}

// Pixel bytes that differ from each other, with magenta (B, G, R = 255, 0, 255) at pixel 0 of
// 32- and 24-bit images so the colour key is always exercised.
Bytes pixels(int count, int bytesPerPixel) {
  Bytes out;
  for (int i = 0; i < count; ++i) {
    for (int c = 0; c < bytesPerPixel; ++c) {
      out.push_back(static_cast<std::uint8_t>((i * 37 + c * 91 + 11) & 0xFF));
    }
  }
  if (bytesPerPixel >= 3 && count > 0) {
    out[0] = 255;
    out[1] = 0;
    out[2] = 255;
  }
  return out;
}

Bytes image(const Header& h) {
  Bytes out = header(h);
  for (int i = 0; i < h.idLength; ++i) {
    out.push_back(static_cast<std::uint8_t>('a' + i % 26));
  }
  const int bytesPerPixel = (h.bits + 7) / 8;
  const Bytes body = pixels(h.width * h.height, bytesPerPixel);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes cut(Bytes bytes, std::size_t length) {
  bytes.resize(length);
  return bytes;
}

Bytes append(Bytes bytes, const Bytes& tail) {
  bytes.insert(bytes.end(), tail.begin(), tail.end());
  return bytes;
}

// The 26-byte footer that closes a TGA 2.0 file: extension and developer area offsets, then
// the signature with its terminating zero.
Bytes footer(int extensionOffset) {
  Bytes out;
  put16(out, extensionOffset & 0xFFFF);
  put16(out, extensionOffset >> 16);
  put16(out, 0);
  put16(out, 0);
  const std::string signature = "TRUEVISION-XFILE.";
  out.insert(out.end(), signature.begin(), signature.end());
  out.push_back(0);
  return out;
}

// An extension area of its 495-byte size, empty but for its size field and author name.
Bytes extensionArea() {
  Bytes out(495, 0);
  out[0] = 495 & 0xFF;
  out[1] = 495 >> 8;
  const std::string author = "Vuna";
  for (std::size_t i = 0; i < author.size(); ++i) {
    out[2 + i] = static_cast<std::uint8_t>(author[i]);
  }
  return out;
}

// A run-length packet stream: one repeat packet of n pixels, then one raw packet of n pixels.
Bytes rlePackets(int n, int bytesPerPixel) {
  Bytes out;
  out.push_back(static_cast<std::uint8_t>(0x80 | (n - 1)));
  const Bytes one = pixels(1, bytesPerPixel);
  out.insert(out.end(), one.begin(), one.end());
  out.push_back(static_cast<std::uint8_t>(n - 1));
  const Bytes raw = pixels(n, bytesPerPixel);
  out.insert(out.end(), raw.begin(), raw.end());
  return out;
}

Header with(int imageType, int bits, int width, int height) {
  Header h;
  h.imageType = imageType;
  h.bits = bits;
  h.width = width;
  h.height = height;
  return h;
}

struct Case {
  std::string name;  // ends in .r<code>.tga: the result code the reader must give
  Bytes bytes;
};

std::vector<Case> cases() {
  std::vector<Case> out;
  auto add = [&out](const std::string& name, int code, const Bytes& bytes) {
    out.push_back({name + ".r" + std::to_string(code) + ".tga", bytes});
  };

  // Accepted: every depth read, for both image types, the depth deciding the format.
  add("type2_d32_2x2", 1, image(with(2, 32, 2, 2)));
  add("type2_d24_4x2", 1, image(with(2, 24, 4, 2)));
  add("type2_d8_2x4", 1, image(with(2, 8, 2, 4)));
  add("type3_d8_2x2", 1, image(with(3, 8, 2, 2)));
  add("type3_d24_2x2", 1, image(with(3, 24, 2, 2)));
  add("type3_d32_2x2", 1, image(with(3, 32, 2, 2)));

  // Size rules: powers of two from 2 to 512 on each side, anything else refused.
  add("size_512x2_d8", 1, image(with(3, 8, 512, 2)));
  add("size_2x512_d8", 1, image(with(3, 8, 2, 512)));
  add("size_16x8_d24", 1, image(with(2, 24, 16, 8)));
  // The refused sides are patched into a 2 x 2 file: the reader must judge them before it
  // reads a single pixel.
  for (int side : {0, 1, 3, 48, 513, 1024, 65535}) {
    Bytes wide = image(with(2, 8, 2, 2));
    wide[12] = static_cast<std::uint8_t>(side & 0xFF);
    wide[13] = static_cast<std::uint8_t>(side >> 8);
    add("size_width" + std::to_string(side), 15, wide);
    Bytes tall = image(with(2, 8, 2, 2));
    tall[14] = static_cast<std::uint8_t>(side & 0xFF);
    tall[15] = static_cast<std::uint8_t>(side >> 8);
    add("size_height" + std::to_string(side), 15, tall);
  }
  add("size_48x32", 15, [] {
    Bytes b = image(with(2, 8, 2, 2));
    b[12] = 48;
    b[14] = 32;
    return b;
  }());
  add("size_width2_height1024", 15, [] {
    Bytes b = image(with(2, 8, 2, 2));
    b[15] = 4;
    return b;
  }());

  // Depths outside 8, 24 and 32.
  for (int bits : {0, 1, 15, 16, 255}) {
    add("type2_d" + std::to_string(bits), 16, image(with(2, bits, 2, 2)));
  }
  add("type3_d16", 16, image(with(3, 16, 2, 2)));

  // Colour maps and the image types that are not read.
  {
    Header h = with(1, 8, 2, 2);
    h.colourMapType = 1;
    h.mapLength = 4;
    h.mapBits = 24;
    Bytes b = header(h);
    const Bytes palette = pixels(4, 3);
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), {0, 1, 2, 3});
    add("type1_colour_mapped", 14, b);
  }
  {
    Header h = with(2, 24, 2, 2);
    h.colourMapType = 1;
    h.mapLength = 2;
    h.mapBits = 24;
    Bytes b = header(h);
    const Bytes palette = pixels(2, 3);
    b.insert(b.end(), palette.begin(), palette.end());
    const Bytes body = pixels(4, 3);
    b.insert(b.end(), body.begin(), body.end());
    add("type2_with_colour_map", 14, b);
  }
  {
    Header h = with(2, 24, 2, 2);
    h.mapFirst = 7;
    h.mapLength = 300;
    h.mapBits = 32;
    add("type2_map_fields_without_map", 1, image(h));
  }
  {
    Header h = with(9, 8, 2, 2);
    h.colourMapType = 1;
    h.mapLength = 2;
    h.mapBits = 24;
    Bytes b = append(header(h), pixels(2, 3));
    b.insert(b.end(), {0x83, 1});
    add("type9_rle_colour_mapped", 14, b);
  }
  add("type10_rle_d32", 14, append(header(with(10, 32, 2, 2)), rlePackets(2, 4)));
  add("type10_rle_d24", 14, append(header(with(10, 24, 2, 2)), rlePackets(2, 3)));
  add("type10_rle_d16", 14, append(header(with(10, 16, 2, 2)), rlePackets(2, 2)));
  add("type11_rle_d8", 14, append(header(with(11, 8, 2, 2)), rlePackets(2, 1)));
  add("type0_no_image", 14, header(with(0, 0, 2, 2)));
  add("type32_huffman", 14, image(with(32, 8, 2, 2)));
  add("colour_map_type_255", 14, [] {
    Bytes b = image(with(2, 8, 2, 2));
    b[1] = 255;
    return b;
  }());

  // An image ID between header and pixels.
  {
    Header h = with(2, 24, 2, 2);
    h.idLength = 5;
    add("image_id_5", 1, image(h));
    h.idLength = 255;
    add("image_id_255", 1, image(h));
    const Bytes full = image(h);
    add("image_id_cut_short", 17, cut(full, 18 + 100));
    add("image_id_without_pixels", 17, cut(full, 18 + 255));
  }

  // Headers and pixel data cut short.
  const Bytes whole = image(with(2, 32, 4, 4));
  for (std::size_t length : {0, 1, 2, 3, 12, 16, 17}) {
    add("header_cut_" + std::to_string(length), 17, cut(whole, length));
  }
  add("pixels_missing", 17, cut(whole, 18));
  add("pixels_one_byte_short", 17, cut(whole, whole.size() - 1));
  add("pixels_half", 17, cut(whole, 18 + 32));
  add("grey_one_byte_short", 17, cut(image(with(3, 8, 2, 2)), 21));
  add("header_only_512x512_d32", 17, header(with(2, 32, 512, 512)));

  // Extra bytes after the pixels are ignored.
  add("footer_tga2", 1, append(image(with(2, 24, 2, 2)), footer(0)));
  {
    Bytes b = image(with(2, 32, 2, 2));
    const int extension = static_cast<int>(b.size());
    b = append(b, extensionArea());
    add("footer_with_extension_area", 1, append(b, footer(extension)));
  }
  add("trailing_garbage", 1, append(image(with(3, 8, 2, 2)), Bytes(40, 0xFF)));

  // Descriptor and origin fields, which the reader does not use.
  {
    Header h = with(2, 32, 2, 2);
    h.descriptor = 0x28;  // top-left origin, 8 alpha bits
    add("descriptor_top_left", 1, image(h));
    h.descriptor = 0xFF;
    add("descriptor_all_bits", 1, image(h));
    h.descriptor = 0;
    h.xOrigin = 65535;
    h.yOrigin = 300;
    add("origin_fields", 1, image(h));
  }
  // Every pixel magenta, and every pixel one step away from it.
  {
    Bytes b = header(with(2, 32, 2, 2));
    b.insert(b.end(), {255, 0, 255, 0, 255, 0, 255, 255, 254, 0, 255, 9, 255, 1, 255, 9});
    add("magenta_and_neighbours_d32", 1, b);
  }
  return out;
}

}  // namespace

// make_tga_corpus <output folder>: writes every case as its own file there.
int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_tga_corpus <output folder>\n");
    return 2;
  }
  const std::string folder = argv[1];
  for (const Case& c : cases()) {
    const std::string path = folder + "/" + c.name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) {
      std::fprintf(stderr, "make_tga_corpus: cannot write %s\n", path.c_str());
      return 1;
    }
    const bool written = c.bytes.empty() ||
                         std::fwrite(c.bytes.data(), 1, c.bytes.size(), f) == c.bytes.size();
    if (std::fclose(f) != 0 || !written) {
      std::fprintf(stderr, "make_tga_corpus: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}
