"""Start-up figures: program start to the first painted frame of the main
window, and the peak resident memory up to then, for the program and for a
minimal Qt 6 Widgets window, several runs each, alternating, in one X server.

    python3 measure.py PROGRAM MINIMAL_WINDOW [RUNS]

Run inside an X server (tools/startup.sh starts Xvfb). Each process gets
ORVAK_STARTUP_PROBE=1: it prints "first-frame <ns>" on the steady clock once
its first frame is painted, and quits; its peak resident set comes from the
kernel's accounting of the ended process (wait4). Prints the medians and
checks the aims: start within 1.6 times the minimal window's, peak under
35 MB. Exits with 1 when an aim is missed."""
import os
import statistics
import subprocess
import sys
import time

START_RATIO_AIM = 1.6
PEAK_RSS_AIM_MB = 35.0


def one_run(program):
    env = dict(os.environ, ORVAK_STARTUP_PROBE="1")
    start = time.monotonic_ns()
    child = subprocess.Popen([program], stdout=subprocess.PIPE, env=env)
    line = child.stdout.readline().decode()
    _, status, usage = os.wait4(child.pid, 0)
    child.stdout.close()
    child.returncode = os.waitstatus_to_exitcode(status)
    if not line.startswith("first-frame ") or child.returncode != 0:
        sys.exit(f"{program}: no first frame reported (exit {child.returncode})")
    frame = int(line.split()[1])
    return (frame - start) / 1e6, usage.ru_maxrss / 1024.0  # ms, MB


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    program, minimal = sys.argv[1], sys.argv[2]
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    one_run(minimal)  # warms the file cache for both
    one_run(program)
    figures = {program: [], minimal: []}
    for _ in range(runs):
        for name in (minimal, program):
            figures[name].append(one_run(name))
    medians = {}
    for name, rows in figures.items():
        ms = [r[0] for r in rows]
        mb = [r[1] for r in rows]
        medians[name] = (statistics.median(ms), max(mb))
        print(f"{os.path.basename(name)}: first frame median {statistics.median(ms):.1f} ms "
              f"(min {min(ms):.1f}, max {max(ms):.1f}), peak RSS {max(mb):.1f} MB, {runs} runs")
    ratio = medians[program][0] / medians[minimal][0]
    peak = medians[program][1]
    print(f"start ratio {ratio:.2f} (aim at most {START_RATIO_AIM}), "
          f"peak RSS {peak:.1f} MB (aim under {PEAK_RSS_AIM_MB:.0f} MB)")
    return 0 if ratio <= START_RATIO_AIM and peak < PEAK_RSS_AIM_MB else 1


if __name__ == "__main__":
    sys.exit(main())
