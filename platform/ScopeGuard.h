// Runs a piece of code when a scope ends, however it ends: the way to put
// back state that a drawing, an export or a test changed for a while.
#pragma once

#include <exception>
#include <utility>

template <class Restore>
class TScopeGuard {
 public:
  explicit TScopeGuard(Restore restore)
      : FRestore(std::move(restore)), FUncaught(std::uncaught_exceptions()) {}
  TScopeGuard(const TScopeGuard&) = delete;
  TScopeGuard& operator=(const TScopeGuard&) = delete;

  // A failure of the restore reaches the caller, unless the scope is being
  // left through an exception already: then that first one is what the
  // caller learns of, and the second is dropped rather than ending the
  // program.
  ~TScopeGuard() noexcept(false) {
    if (std::uncaught_exceptions() == FUncaught) {
      FRestore();
      return;
    }
    try {
      FRestore();
    } catch (...) {
    }
  }

 private:
  Restore FRestore;
  int FUncaught;
};
