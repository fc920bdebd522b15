// The program's signals. A write past the file-size limit fails as a write
// does (EFBIG) instead of ending the program, and SIGTERM, SIGHUP and SIGINT
// end it only once it has stopped and cleaned up what it runs: the handler
// writes the signal into a pipe, which the window's message loop or a thread
// of the command line reads. POSIX; no toolkit.
#pragma once

#include <functional>

// At the very start of main, before anything writes or any thread starts:
// ignores SIGXFSZ and catches the termination signals (a signal that was
// ignored when the program started, as nohup does, stays ignored). A second
// signal of a kind ends the program at once, as if it were not caught.
void PrepareProcessSignals();

// The pipe's end that becomes readable when a termination signal comes; -1
// before PrepareProcessSignals.
int TerminationSignalDescriptor();

// The first termination signal that came, or 0; never blocks.
int TerminationSignal();

// For the command line: a thread that waits for a termination signal, calls
// beforeEnd and ends the program as the signal would have.
void EndOnTerminationSignal(std::function<void()> beforeEnd);

// Ends the process as the signal does by default: its default action,
// raised in this thread.
[[noreturn]] void EndBySignal(int signal);
