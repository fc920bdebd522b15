// Start-up measurement: with ORVAK_STARTUP_PROBE set in the environment, the
// program prints the moment its window's first frame is on the screen and
// ends there (tools/startup/measure.py reads it). Without it nothing happens.
#pragma once

class QWidget;

// Watches the window's first paint. The line "first-frame <ns>" (the steady
// clock, CLOCK_MONOTONIC) goes to standard output once the frame has been
// painted and handed to the screen; then the message loop quits.
void ArmStartupProbe(QWidget& window);
