// One nec2c child process on one deck, in a temporary folder of its own that
// is removed again whatever happens. The child runs in that folder on bare
// file names (nec2c refuses long ones), in a process group of its own that is
// killed whole (a wrapper's children with it), and dies with this process.
// POSIX only; no toolkit.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>

struct TNecProcessResult {
  enum TEnd { Exited, Signalled, NotFound, Cancelled, Failed, TimedOut } end = Failed;
  int code = 0;            // exit status, or the signal
  std::string report;      // what nec2c wrote to its output file
  std::string log;         // its standard output and error
  std::string error;       // for Failed: what went wrong here
  bool outputCut = false;  // a file was longer than the bound: the start of it is read
};

// What nec2c writes to its files, at most: a real report is far below it.
constexpr size_t NecMaxOutputBytes = size_t(16) << 20;

struct TNecProcessLimits {
  std::chrono::milliseconds deadline{0};  // killed and TimedOut past it; 0: none
  // Read of each file at most, and the child's file-size limit just above it.
  size_t maxOutputBytes = NecMaxOutputBytes;
};

// Runs program (looked up on PATH unless it holds a "/") on deck and waits for
// it; kills it when cancelled becomes true (checked every 10 ms or so).
TNecProcessResult RunNecProcess(const std::string& program, const std::string& deck,
                                const std::atomic<bool>& cancelled);
TNecProcessResult RunNecProcess(const std::string& program, const std::string& deck,
                                const std::atomic<bool>& cancelled,
                                const TNecProcessLimits& limits);

// The signal's name and what it means, such as "SIGSEGV, segmentation
// fault"; "signal N" for one without a name here. Safe from any thread.
std::string SignalText(int signal);

// For the program's end by a signal: kills the process group of every nec2c
// child running and removes their folders. No child starts after it, and the
// runs never hear of their children again: the process must end right after.
void EndNecChildren();
