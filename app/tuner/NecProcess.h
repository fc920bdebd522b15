// One nec2c child process on one deck, in a temporary folder of its own that
// is removed again whatever happens. POSIX only; no toolkit.
#pragma once

#include <atomic>
#include <string>

struct TNecProcessResult {
  enum TEnd { Exited, Signalled, NotFound, Cancelled, Failed } end = Failed;
  int code = 0;        // exit status, or the signal
  std::string report;  // what nec2c wrote to its output file
  std::string log;     // its standard output and error
  std::string error;   // for Failed: what went wrong here
};

// Runs program (looked up on PATH unless it holds a "/") on deck and waits for
// it; kills it when cancelled becomes true (checked every 10 ms or so).
TNecProcessResult RunNecProcess(const std::string& program, const std::string& deck,
                                const std::atomic<bool>& cancelled);
