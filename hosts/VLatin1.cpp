// VLatin1: two-byte sequences for 128..255 out, any well-formed sequence in.
#include "hosts/VLatin1.h"

std::string VLatin1::toUtf8(const std::string& latin1) {
  std::string utf8;
  utf8.reserve(latin1.size());
  for (char ch : latin1) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x80) {
      utf8.push_back(static_cast<char>(c));
    } else {
      utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return utf8;
}

std::string VLatin1::fromUtf8(const char* utf8) {
  std::string latin1;
  if (utf8 == nullptr) {
    return latin1;
  }
  const auto* s = reinterpret_cast<const unsigned char*>(utf8);
  while (*s != 0) {
    const unsigned long cp = nextCodePoint(s);
    latin1.push_back(cp <= 0xFF ? static_cast<char>(cp) : '?');
  }
  return latin1;
}

unsigned long VLatin1::nextCodePoint(const unsigned char*& s) {
  const unsigned char lead = *s++;
  const int more = lead < 0x80                ? 0
                   : (lead & 0xE0) == 0xC0   ? 1
                   : (lead & 0xF0) == 0xE0   ? 2
                   : (lead & 0xF8) == 0xF0   ? 3
                                             : -1;
  if (more < 0) {
    return kInvalid;
  }
  unsigned long cp = more == 0 ? lead : lead & (0x3Fu >> more);
  for (int i = more; i > 0; --i) {
    if ((*s & 0xC0) != 0x80) {
      return kInvalid;  // the byte that broke the sequence starts the next one
    }
    cp = (cp << 6) | (*s++ & 0x3Fu);
  }
  // The shortest form only (an overlong 0 would smuggle a NUL in), no surrogate, nothing past
  // Unicode.
  static const unsigned long kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[more] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
    return kInvalid;
  }
  return cp;
}
