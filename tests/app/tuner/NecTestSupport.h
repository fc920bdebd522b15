// What the tests that run the real nec2c share: whether it is there, and a
// temporary folder of their own for its files, to see it left nothing behind.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline bool NecInstalled() {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "";
  for (size_t start = 0; start <= dirs.size();) {
    size_t colon = dirs.find(':', start);
    if (colon == std::string::npos) colon = dirs.size();
    if (std::filesystem::exists(std::filesystem::path(dirs.substr(start, colon - start)) / "nec2c"))
      return true;
    start = colon + 1;
  }
  return false;
}

#define SKIP_WITHOUT_NEC2C()                                                                    \
  if (!NecInstalled())                                                                          \
  GTEST_SKIP() << "nec2c is not installed (Debian package nec2c; test.sh installs it), so the " \
                  "antenna model cannot run"

// TMPDIR pointed at a fresh folder for the test's length.
class TemporaryFolderScope {
 public:
  TemporaryFolderScope() {
    const char* old = std::getenv("TMPDIR");
    had_ = old != nullptr;
    if (had_) old_ = old;
    const std::string base =
        (std::filesystem::temp_directory_path() / ("orvak-test-" + std::to_string(::getpid())))
            .string();
    folder_ = base + "-" + std::to_string(counter()++);
    std::filesystem::create_directories(folder_);
    setenv("TMPDIR", folder_.c_str(), 1);
  }
  ~TemporaryFolderScope() {
    if (had_) setenv("TMPDIR", old_.c_str(), 1);
    else unsetenv("TMPDIR");
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  const std::filesystem::path& Path() const { return folder_; }
  bool Empty() const { return std::filesystem::is_empty(folder_); }

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
  bool had_ = false;
  std::string old_;
  std::filesystem::path folder_;
};
