// VLatin1: the toolkit's Latin-1 text to and from the UTF-8 that hosts speak.
#pragma once

#include <string>

/// Every text in the toolkit is Latin-1 bytes; hosts deliver typed text and hold the desktop's
/// clipboard in UTF-8.
class VLatin1 {
 public:
  /// Each byte as its code point.
  static std::string toUtf8(const std::string& latin1);
  /// Each code point up to 255 as its byte; one beyond Latin-1, or a byte that starts no
  /// well-formed sequence, as '?'. Null reads as empty.
  static std::string fromUtf8(const char* utf8);
  /// The next code point, moving s past it; a byte that starts no well-formed sequence (an
  /// overlong form, a surrogate or a value past Unicode included) is skipped, with the rest of
  /// its sequence, and answers kInvalid. s must not point at the terminating 0.
  static unsigned long nextCodePoint(const unsigned char*& s);
  static constexpr unsigned long kInvalid = 0x110000;
};
