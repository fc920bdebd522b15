// A private timer window: numbered timers whose ticks arrive as events on the
// GUI thread, one at a time, like every other window message.
#pragma once

#include <functional>
#include <memory>

class TimerObject;

class TTimerWindow {
 public:
  TTimerWindow();
  ~TTimerWindow();
  TTimerWindow(const TTimerWindow&) = delete;
  TTimerWindow& operator=(const TTimerWindow&) = delete;

  // Starts (or restarts) timer `id`. False when the platform refuses a timer.
  bool SetTimer(int id, int intervalMs);
  void KillTimer(int id);
  bool TimerRunning(int id) const;

  // Called with the timer's id on every tick.
  std::function<void(int id)> OnTimer;

  // For tests: while false, SetTimer refuses every timer.
  static void SetTimersAvailable(bool available);

 private:
  std::unique_ptr<TimerObject> FObject;
};
