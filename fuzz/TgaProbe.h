// TgaProbe: decodes one TGA file through the reader and checks the result against a model of its rules.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

// What one decode gave, and whatever about it breaks the reader's contract.
struct TgaProbe {
  int Result = 0;
  int Width = 0;
  int Height = 0;
  int Bits = 0;
  unsigned int Format = 0;
  std::uint32_t Checksum = 0;  // FNV-1a over every byte of the decoded buffer
  std::string Problem;         // empty when the decode kept the contract
};

// Decodes stream s, which must hold exactly the size bytes at data from its first byte on, and
// compares result code, sides, depth, texFormat and every pixel with what the bytes call for.
// Touches every byte of a decoded buffer, so a sanitizer sees any buffer shorter than claimed.
TgaProbe probeTGA(const std::uint8_t* data, std::size_t size, std::FILE* s);

// One line: "loaded 4x2 24 bits GL_RGB fnv1a 0x...", or "refused: code 14 (bad type)"; the
// problem, if any, follows after " PROBLEM: ".
std::string describe(const TgaProbe& probe);
