// TestFolder: mkdtemp, chdir and recursive removal.
#include "TestFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

TestFolder::TestFolder() {
  const std::string pattern =
      (std::filesystem::temp_directory_path() / "vuna-draw-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (!mkdtemp(name.data())) {
    throw std::runtime_error("mkdtemp failed for " + pattern);
  }
  path_ = name.data();
}

TestFolder::~TestFolder() {
  if (!previous_.empty() && chdir(previous_.c_str()) != 0) {
    std::abort();  // the remaining tests would run in the wrong folder
  }
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TestFolder::enter() {
  if (previous_.empty()) {
    previous_ = std::filesystem::current_path().string();
  }
  if (chdir(path_.c_str()) != 0) {
    throw std::runtime_error("chdir failed for " + path_);
  }
}
