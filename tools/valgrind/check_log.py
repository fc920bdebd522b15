"""Reads a memcheck log of the program and fails on what must not be there:
any error valgrind counted (invalid reads and writes, uninitialised values,
bad frees; leaks are not counted as errors in the session), and any block
definitely lost that our code allocated (the first frame past the allocator
and the C++ runtime is ours).

The log holds one summary for every process valgrind ran: the program, and
any child it forked that ended before it, whose summary then comes first.
Every summary is checked; the figures printed are the program's own (the
process that started the log) and, apart, those of the others.

    python3 check_log.py VALGRIND.LOG"""
import re
import sys

# Frames of our code: sources of the program's folders.
OUR_FRAME = re.compile(r"\((?:u_frmMain|OrvakSE|Feeder\w*|WindowControls|ProgramIcon|CommandLine"
                       r"|ExportFiles|ChartZoom|PLX_\w+|Application|Controls|Canvas\w*|Bitmap|Raster"
                       r"|Font|Glyph\w*|Text\w*|Clipboard|Dialogs|Timer|Screen|Colors|Locale|Utf8"
                       r"|KeyMap|StartupProbe|DateTimeFormat|OpenTypeLayout|WholeFile)"
                       r"\.(?:cpp|h|inl):\d+\)")
# Frames that only pass the allocation on: the allocator, the C++ runtime.
RUNTIME_FRAME = re.compile(r"vgpreload|libstdc\+\+|libc\.so|operator new|\bmalloc\b|\brealloc\b|\bcalloc\b")
LINE = re.compile(r"^==(\d+)== ?(.*)$", re.M)


def lost_by_our_code(block):
    """Whether the first frame past the allocator is ours: a library that
    caches what it allocated while our code called it is not our leak."""
    for line in block.splitlines():
        if not re.search(r"\b(?:at|by) 0x", line) or RUNTIME_FRAME.search(line):
            continue
        return bool(OUR_FRAME.search(line))
    return False


def processes(log):
    """The lines of each process, by its id, in the order they first speak."""
    lines = {}
    for pid, text in LINE.findall(log):
        lines.setdefault(int(pid), []).append(text)
    return lines


def figures(lines):
    """Errors counted, bytes and blocks definitely lost, and the records of
    blocks lost in our code, of one process; errors is None without a
    summary (the process did not end normally)."""
    text = "\n".join(lines)
    summary = re.search(r"ERROR SUMMARY: ([\d,]+) errors", text)
    lost = re.search(r"definitely lost: ([\d,]+) bytes in ([\d,]+) blocks", text)
    ours = [block for block in re.split(r"\n\s*\n", text)
            if "definitely lost" in block and lost_by_our_code(block)]
    return {
        "errors": int(summary.group(1).replace(",", "")) if summary else None,
        "lost": f"{lost.group(1)} bytes in {lost.group(2)} blocks" if lost else "0 bytes",
        "ours": ours,
    }


def main():
    log = open(sys.argv[1], encoding="utf-8", errors="replace").read()
    by_pid = processes(log)
    if not by_pid:
        sys.exit("no valgrind lines in the log")
    program, *others = by_pid
    own = figures(by_pid[program])
    if own["errors"] is None:
        sys.exit("no ERROR SUMMARY of the program in the log: did it end normally?")
    print(f"valgrind: the program: {own['errors']} errors; definitely lost in all: {own['lost']}; "
          f"in our code: {len(own['ours'])} records")
    failed = own["errors"] != 0 or own["ours"]
    for block in own["ours"]:
        print(block)
    for pid in others:
        child = figures(by_pid[pid])
        print(f"valgrind: process {pid} forked by it: "
              f"{'no summary' if child['errors'] is None else str(child['errors']) + ' errors'}; "
              f"in our code: {len(child['ours'])} records lost")
        failed = failed or bool(child["errors"]) or child["ours"]
        for block in child["ours"]:
            print(block)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
