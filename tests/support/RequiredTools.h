// Tests that need a program or data the system may lack (nec2c, the Poppler
// tools, the locale sources) skip without it, and fail without it where the
// tools are required: ORVAK_REQUIRE_TOOLS=1, as CI sets it, since test.sh
// installs them all. The shell tests do the same through require_tool.sh.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

inline bool ToolsRequired() {
  const char* required = std::getenv("ORVAK_REQUIRE_TOOLS");
  return required && std::string(required) == "1";
}

// Whether an executable of that name is in a folder of PATH.
inline bool ProgramOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  const std::string dirs = path ? path : "";
  for (size_t start = 0; start <= dirs.size();) {
    size_t colon = dirs.find(':', start);
    if (colon == std::string::npos) colon = dirs.size();
    const std::filesystem::path dir = dirs.substr(start, colon - start);
    if (!dir.empty() && std::filesystem::exists(dir / name)) return true;
    start = colon + 1;
  }
  return false;
}

// Ends the test unless available: skipped, or failed where tools are required.
// what names the missing thing and where it comes from.
#define SKIP_OR_FAIL_WITHOUT(available, what)                              \
  if (!(available)) {                                                      \
    if (ToolsRequired()) FAIL() << "required but missing: " << what;       \
    GTEST_SKIP() << "not installed: " << what << " (test.sh installs it)"; \
  }
