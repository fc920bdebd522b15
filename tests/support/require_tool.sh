# Sourced by the shell tests: what they need of the system. A missing tool
# skips the test (exit 77, which CTest reports as skipped), or fails it where
# the tools are required (ORVAK_REQUIRE_TOOLS=1, as CI sets it: test.sh
# installs them all), as tests/support/RequiredTools.h does for GoogleTest.

# skip_or_fail WHAT: ends the test for want of WHAT.
skip_or_fail() {
  if [ "${ORVAK_REQUIRE_TOOLS:-}" = 1 ]; then
    echo "required but missing: $1"
    exit 1
  fi
  echo "skipped, not installed: $1 (test.sh installs it)"
  exit 77
}

# require_tool PROGRAM WHAT: ends the test unless PROGRAM is on PATH.
require_tool() {
  command -v "$1" >/dev/null 2>&1 || skip_or_fail "$2"
}
