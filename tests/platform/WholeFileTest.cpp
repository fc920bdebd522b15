// Writing a file whole: the content replaces a file only when all of it is
// stored, a failure names the file and the reason, and names that are no
// regular file are left alone. The bitmap's file is written the same way.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/Bitmap.h"
#include "platform/Errors.h"
#include "platform/WholeFile.h"
#include "support/FailingSaves.h"

namespace {

namespace fs = std::filesystem;
using namespace failing_saves;

struct WholeFile : ::testing::Test {
  fs::path folder = fs::path(::testing::TempDir()) /
                    ("plx-whole-file-" +
                     std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                     "-" + std::to_string(getpid()));
  WholeFile() {
    fs::remove_all(folder);
    fs::create_directories(folder);
  }
  ~WholeFile() override { fs::remove_all(folder); }

  static std::string Caught(const std::function<void()>& write) {
    try {
      write();
    } catch (const EFileError& error) {
      return error.what();
    }
    return {};
  }

  // Three kilobytes, larger than the limit of the failing writes.
  static TSave Text() {
    return [](const fs::path& name) {
      return Caught([&] { WriteWholeFile(name.u16string(), std::string(3000, 'a')); });
    };
  }
  static TSave Picture() {
    return [](const fs::path& name) {
      return Caught([&] { TBitmap(20, 20).SaveToFile(name.u16string()); });
    };
  }
};

TEST_F(WholeFile, WritesANewFileAndReplacesAnOldOneWithTheUmasksPermissions) {
  const fs::path name = folder / "a.txt";
  WriteWholeFile(name.u16string(), "first");
  EXPECT_EQ(FileBytes(name), "first");
  const mode_t mask = umask(0);
  umask(mask);
  EXPECT_EQ(int(fs::status(name).permissions()), int(0666 & ~mask));
  WriteWholeFile(name.u16string(), "");
  EXPECT_EQ(FileBytes(name), "");
  EXPECT_EQ(Entries(folder), 1u);
}

TEST_F(WholeFile, AFailingWriteLosesNothing) {
  ExpectWriteFailuresLoseNothing(Text(), folder, "a.txt");
}

TEST_F(WholeFile, OnlyRegularFilesAreReplaced) {
  ExpectOnlyRegularFilesReplaced(Text(), folder, "a.txt");
}

TEST_F(WholeFile, AMissingFolderAFolderAndALinkToNothingAreNamedWithTheReason) {
  const fs::path missing = folder / "no such folder" / "a.txt";
  ExpectRefused(Text(), missing, "No such file or directory");
  ExpectRefused(Text(), folder, "not a regular file");
  EXPECT_TRUE(fs::is_directory(folder));
  const fs::path dangling = folder / "link";
  fs::create_symlink("nothing here", dangling);
  ExpectRefused(Text(), dangling, "a link to a file that does not exist");
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dangling)));
}

TEST_F(WholeFile, TheBitmapsFileFailsSafelyToo) {
  ExpectWriteFailuresLoseNothing(Picture(), folder, "a.bmp");
  ExpectOnlyRegularFilesReplaced(Picture(), folder, "a.bmp");
}

}  // namespace
