// Saves that must fail safely: a file-size limit for this process, and the
// cases every save of the program is checked against (a write that fails
// over a new and over an existing file, targets that are no regular file, a
// link to a regular file).
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "platform/ScopeGuard.h"

namespace failing_saves {

namespace fs = std::filesystem;

// No file of this process grows beyond bytes while the returned guard
// lives, and a write past that fails ("File too large") instead of ending
// the process: SIGXFSZ is ignored meanwhile. Both come back afterwards.
[[nodiscard]] inline auto LimitFileSize(rlim_t bytes) {
  rlimit before{};
  getrlimit(RLIMIT_FSIZE, &before);
  const sighandler_t handler = signal(SIGXFSZ, SIG_IGN);
  rlimit low = before;
  low.rlim_cur = std::min(bytes, before.rlim_max);
  setrlimit(RLIMIT_FSIZE, &low);
  return TScopeGuard([before, handler] {
    setrlimit(RLIMIT_FSIZE, &before);
    signal(SIGXFSZ, handler);
  });
}

inline std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void PutFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

inline size_t Entries(const fs::path& folder) {
  return size_t(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// A save under test: writes the file of that name and returns the error it
// reported (an exception's text, a message box's), empty when it reported
// none.
using TSave = std::function<std::string(const fs::path& name)>;

inline void ExpectRefused(const TSave& save, const fs::path& name, const char* reason) {
  const std::string error = save(name);
  EXPECT_NE(error.find("\"" + name.string() + "\""), std::string::npos) << error;
  EXPECT_NE(error.find(reason), std::string::npos) << error;
}

// Every payload of a save is larger than this.
constexpr rlim_t kTooSmall = 64;

// A write that fails over a new name leaves no file; over an existing one
// the old bytes and permissions stay; either way nothing is left behind in
// the folder, and the error names the file and the reason.
inline void ExpectWriteFailuresLoseNothing(const TSave& save, const fs::path& folder,
                                           const std::string& name) {
  const fs::path fresh = folder / ("new-" + name);
  const fs::path old = folder / ("old-" + name);
  const std::string oldBytes(3000, 'x');
  PutFile(old, oldBytes);
  {
    const auto limit = LimitFileSize(kTooSmall);
    ExpectRefused(save, fresh, "File too large");
    ExpectRefused(save, old, "File too large");
  }
  EXPECT_FALSE(fs::exists(fresh));
  EXPECT_EQ(FileBytes(old), oldBytes);
  EXPECT_EQ(Entries(folder), 1u) << "a temporary file stayed behind";
}

// A pipe, and a link to one, are refused and stay what they were. A link
// to a regular file stays a link: the file it points to gets the content,
// with its permissions kept.
inline void ExpectOnlyRegularFilesReplaced(const TSave& save, const fs::path& folder,
                                           const std::string& name) {
  const fs::path pipe = folder / ("pipe-" + name);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  ExpectRefused(save, pipe, "not a regular file");
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(pipe)));
  const fs::path toPipe = folder / ("link-to-pipe-" + name);
  fs::create_symlink(pipe, toPipe);
  ExpectRefused(save, toPipe, "not a regular file");
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(toPipe)));

  const fs::path file = folder / ("linked-" + name);
  PutFile(file, "old");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::path link = folder / ("link-" + name);
  fs::create_symlink(file.filename(), link);
  EXPECT_EQ(save(link), "");
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
  EXPECT_GT(FileBytes(file).size(), 3u);
  EXPECT_EQ(fs::status(file).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace failing_saves
