// Feeds files to a fuzz target once each, without libFuzzer, so the shipped
// corpora replay under any compiler (in CI under the sanitizers):
//   <target>_replay FOLDER|FILE...
// Every file of a folder is an input. The target reports a fault by aborting
// or through a sanitizer; the input it was given is then named on stderr.
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

// The input being replayed, as a C string for the signal handler.
char gCurrentInput[4096] = "";

void nameCurrentInput() {
  const char kPrefix[] = "\nfailing input: ";
  // Only write(): this runs in a signal handler or as a sanitizer dies.
  if (write(STDERR_FILENO, kPrefix, sizeof kPrefix - 1) < 0) return;
  if (write(STDERR_FILENO, gCurrentInput, std::strlen(gCurrentInput)) < 0) return;
  if (write(STDERR_FILENO, "\n", 1) < 0) return;
}

void onAbort(int signal) {
  nameCurrentInput();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

std::vector<std::filesystem::path> inputsOf(const std::filesystem::path& path) {
  if (!std::filesystem::is_directory(path)) return {path};
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(path)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

void replay(const std::filesystem::path& file) {
  std::snprintf(gCurrentInput, sizeof gCurrentInput, "%s", file.c_str());
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::filesystem::filesystem_error("cannot read", file, std::error_code());
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
  // A copy of exactly the input's size, so a read past its end is caught.
  const std::vector<uint8_t> data(bytes.begin(), bytes.end());
  LLVMFuzzerTestOneInput(data.data(), data.size());
}

}  // namespace

int main(int argc, char** argv) {
  std::signal(SIGABRT, onAbort);
  std::signal(SIGSEGV, onAbort);
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_set_death_callback(nameCurrentInput);
#endif
  try {
    std::size_t count = 0;
    for (int i = 1; i < argc; ++i) {
      for (const auto& file : inputsOf(argv[i])) {
        replay(file);
        ++count;
      }
    }
    if (count == 0) {
      std::fprintf(stderr, "no input given\n");
      return 1;
    }
    std::printf("%zu inputs replayed\n", count);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
