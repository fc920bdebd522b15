// What the tests that run nec2c share: whether it is there, a temporary
// folder of their own for its files, fake programs standing in for it, and
// checks that a run left no folder and no process behind.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "support/RequiredTools.h"

#define SKIP_WITHOUT_NEC2C() \
  SKIP_OR_FAIL_WITHOUT(ProgramOnPath("nec2c"), "nec2c (Debian package nec2c)")

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

// An executable shell script standing in for nec2c.
inline std::string FakeNec(const std::filesystem::path& folder, const std::string& name,
                           const std::string& body) {
  const std::string path = (folder / name).string();
  std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
  std::filesystem::permissions(path, std::filesystem::perms::owner_all);
  return path;
}

// Whether no nec2c folder is left in the folder.
inline bool NoNecFolderIn(const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().rfind("orvak-nec-", 0) == 0) return false;
  }
  return true;
}

// The numbers in a file, one a line: the process ids that fakes wrote.
inline std::vector<pid_t> PidsIn(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<pid_t> pids;
  for (pid_t pid = 0; in >> pid;) pids.push_back(pid);
  return pids;
}

// Whether the process has ended: it is gone, or a zombie that nobody reaps,
// or its number belongs to a newer process whose command line lacks marker.
inline bool ProcessEnded(pid_t pid, const std::string& marker) {
  if (kill(pid, 0) != 0) return errno == ESRCH;
  const std::string proc = "/proc/" + std::to_string(pid);
  std::ifstream statFile(proc + "/stat");
  std::string stat;
  std::getline(statFile, stat);
  const size_t name = stat.rfind(')');
  if (name != std::string::npos && name + 2 < stat.size() && stat[name + 2] == 'Z') return true;
  std::ifstream cmdlineFile(proc + "/cmdline");
  const std::string cmdline((std::istreambuf_iterator<char>(cmdlineFile)),
                            std::istreambuf_iterator<char>());
  return cmdline.find(marker) == std::string::npos;
}

// Polls until every process has ended, up to the time limit (a killed
// process takes a moment to go).
inline bool ProcessesEndWithin(const std::vector<pid_t>& pids, const std::string& marker,
                               std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    bool all = true;
    for (pid_t pid : pids) all = all && ProcessEnded(pid, marker);
    if (all) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Polls until the file holds at least count lines, up to the time limit.
inline bool LinesWithin(const std::filesystem::path& file, size_t count,
                        std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (PidsIn(file).size() < count) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}
