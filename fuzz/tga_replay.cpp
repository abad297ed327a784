// tga_replay: decodes every file of a corpus the way the loader reads it and reports each result.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz/TgaProbe.h"

namespace fs = std::filesystem;

namespace {

// A name ending in ".r<code>.tga" states the result code its file must give.
bool expectedCode(const std::string& name, int& code) {
  const std::string suffix = ".tga";
  if (name.size() < suffix.size() ||
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
    return false;
  }
  const std::size_t digitsEnd = name.size() - suffix.size();
  std::size_t digitsBegin = digitsEnd;
  while (digitsBegin > 0 && name[digitsBegin - 1] >= '0' && name[digitsBegin - 1] <= '9') {
    --digitsBegin;
  }
  if (digitsBegin == digitsEnd || digitsEnd - digitsBegin > 6 || digitsBegin < 2 ||
      name.compare(digitsBegin - 2, 2, ".r") != 0) {
    return false;
  }
  code = std::stoi(name.substr(digitsBegin, digitsEnd - digitsBegin));
  return true;
}

// Decodes one file; false when the decode broke the reader's contract or the stated code.
bool replay(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  // The reader gets the file itself, opened as the loader opens it.
  std::FILE* s = std::fopen(path.c_str(), "rb");
  if (!in || !s) {
    std::cout << path.string() << ": cannot open" << std::endl;
    if (s) {
      std::fclose(s);
    }
    return false;
  }
  const TgaProbe probe = probeTGA(bytes.data(), bytes.size(), s);
  std::fclose(s);
  bool good = probe.Problem.empty();
  std::cout << path.filename().string() << " (" << bytes.size() << " bytes): " << describe(probe);
  int code = 0;
  if (expectedCode(path.filename().string(), code) && code != probe.Result) {
    std::cout << " EXPECTED code " << code;
    good = false;
  }
  std::cout << std::endl;
  return good;
}

}  // namespace

// vuna_tga_replay <file or folder>...: every file of a folder is decoded (README files
// excepted), in name order. Exits 1 if any decode went wrong or nothing was found to decode.
int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: vuna_tga_replay <file or folder>..." << std::endl;
    return 2;
  }
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg(argv[i]);
    std::error_code error;
    if (fs::is_directory(arg, error)) {
      for (const fs::directory_entry& entry : fs::directory_iterator(arg, error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && name.rfind("README", 0) != 0) {
          files.push_back(entry.path());
        }
      }
    } else {
      files.push_back(arg);
    }
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    std::cout << "no files to decode" << std::endl;
    return 1;
  }
  int failures = 0;
  for (const fs::path& file : files) {
    if (!replay(file)) {
      ++failures;
    }
  }
  std::cout << files.size() << " files decoded, " << failures << " wrong" << std::endl;
  return failures == 0 ? 0 : 1;
}
