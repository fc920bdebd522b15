#include "WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>
#include <system_error>
#include <utility>

#include "Errors.h"
#include "QtText.h"
#include "ScopeGuard.h"
#include "Utf8.h"

namespace {

constexpr int kTempNameTries = 100;
// Of a long name, the temporary file takes the start: with its dot and
// suffix it must stay within a folder entry's 255 bytes.
constexpr size_t kTempNameStart = 200;

[[noreturn]] void fail(const std::u16string& fileName, const std::string& reason) {
  throw EFileError("Cannot write the file \"" + ToUtf8(fileName) + "\": " + reason);
}

[[noreturn]] void failWithErrno(const std::u16string& fileName) {
  fail(fileName, std::generic_category().message(errno));
}

// Where the content goes: the named file, or for a link the file it points
// to. Sets mode to the permissions an existing file has, -1 for a new one.
std::string targetPath(const std::u16string& fileName, const std::string& path, int& mode) {
  struct stat target {};
  if (stat(path.c_str(), &target) != 0) {
    if (errno != ENOENT) failWithErrno(fileName);
    struct stat link {};
    if (lstat(path.c_str(), &link) == 0)
      fail(fileName, "it is a link to a file that does not exist");
    mode = -1;
    return path;
  }
  if (!S_ISREG(target.st_mode)) fail(fileName, "it exists and is not a regular file");
  // Replacing needs no write permission on the file itself, but a file the
  // user may not write is one to keep.
  if (access(path.c_str(), W_OK) != 0) failWithErrno(fileName);
  mode = int(target.st_mode & 07777);
  char resolved[PATH_MAX];
  if (!realpath(path.c_str(), resolved)) failWithErrno(fileName);
  return resolved;
}

// The folder of a path with its last slash ("" for a bare name), and the
// name after it.
std::pair<std::string, std::string> splitPath(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {std::string(), path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// A new, empty file in the target's folder, with a name no other file has;
// the umask gives a new file's permissions.
int createTemp(const std::u16string& fileName, const std::string& target, std::string& temp) {
  static std::mt19937 random{std::random_device{}()};
  const auto [folder, name] = splitPath(target);
  for (int i = 0; i < kTempNameTries; ++i) {
    temp = folder + "." + name.substr(0, kTempNameStart) + "." +
           std::to_string(random() % 1000000000u) + ".part";
    const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      if (fd < 0) failWithErrno(fileName);
      return fd;
    }
  }
  failWithErrno(fileName);
}

void writeAll(const std::u16string& fileName, int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = write(fd, data.data(), data.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) failWithErrno(fileName);
    data.remove_prefix(size_t(written));
  }
}

// So that the rename, too, outlasts a power cut. The new content is in
// place by then and the old gone: a folder that cannot be synced does not
// make the save a failure.
void syncFolderOf(const std::string& target) {
  const std::string folder = splitPath(target).first;
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

void WriteWholeFile(const std::u16string& fileName, std::string_view data) {
  const std::string path = QFile::encodeName(ToQString(fileName)).toStdString();
  if (path.empty()) fail(fileName, "the name is empty");
  int mode = -1;
  const std::string target = targetPath(fileName, path, mode);
  std::string temp;
  int fd = createTemp(fileName, target, temp);
  bool committed = false;
  TScopeGuard cleanUp([&] {
    if (fd >= 0) close(fd);
    if (!committed) unlink(temp.c_str());
  });
  if (mode >= 0 && fchmod(fd, mode_t(mode)) != 0) failWithErrno(fileName);
  writeAll(fileName, fd, data);
  // A disk may take the bytes into its cache and fail when it writes them:
  // only a successful sync says they are stored.
  if (fsync(fd) != 0 && errno != EINVAL) failWithErrno(fileName);
  const int closing = fd;
  fd = -1;
  if (close(closing) != 0) failWithErrno(fileName);
  if (rename(temp.c_str(), target.c_str()) != 0) failWithErrno(fileName);
  committed = true;
  syncFolderOf(target);
}
