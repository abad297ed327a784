// TestFolder: a fresh temporary folder for files a test writes, optionally the working directory.
#pragma once

#include <string>

// Made empty under the system's temporary folder; removed with its contents on destruction,
// after the previous working directory is restored if enter() changed it.
class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // Makes the folder the working directory until destruction.
  void enter();

 private:
  std::string path_;
  std::string previous_;
};
