// Benchmark main: an offscreen application with the program's fonts, so
// drawing benchmarks measure the same text path as the program.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/Application.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  TApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
