"""Reads a memcheck log of the program and fails on what must not be there:
any error valgrind counted (invalid reads and writes, uninitialised values,
bad frees; leaks are not counted as errors in the session), and any block
definitely lost that our code allocated (the first frame past the allocator
and the C++ runtime is ours).

    python3 check_log.py VALGRIND.LOG"""
import re
import sys

# Frames of our code: sources of the program's folders.
OUR_FRAME = re.compile(r"\((?:u_frmMain|OrvakSE|Feeder\w*|WindowControls|ProgramIcon|CommandLine"
                       r"|PLX_\w+|Application|Controls|Canvas\w*|Bitmap|Raster|Font|Glyph\w*|Text\w*"
                       r"|Clipboard|Dialogs|Timer|Screen|Colors|Locale|Utf8|KeyMap|StartupProbe"
                       r"|DateTimeFormat|OpenTypeLayout)\.(?:cpp|h|inl):\d+\)")
# Frames that only pass the allocation on: the allocator, the C++ runtime.
RUNTIME_FRAME = re.compile(r"vgpreload|libstdc\+\+|libc\.so|operator new|\bmalloc\b|\brealloc\b|\bcalloc\b")


def lost_by_our_code(block):
    """Whether the first frame past the allocator is ours: a library that
    caches what it allocated while our code called it is not our leak."""
    for line in block.splitlines():
        if not re.search(r"\b(?:at|by) 0x", line) or RUNTIME_FRAME.search(line):
            continue
        return bool(OUR_FRAME.search(line))
    return False


def main():
    log = open(sys.argv[1], encoding="utf-8", errors="replace").read()
    summary = re.search(r"ERROR SUMMARY: (\d+) errors", log)
    if not summary:
        sys.exit("no ERROR SUMMARY in the log: did the program end normally?")
    errors = int(summary.group(1))
    ours = []
    for block in re.split(r"\n==\d+== \n", log):
        if "definitely lost" in block and lost_by_our_code(block):
            ours.append(block)
    lost = re.search(r"definitely lost: ([\d,]+) bytes in ([\d,]+) blocks", log)
    print(f"valgrind: {errors} errors; definitely lost in all: "
          f"{lost.group(1) + ' bytes in ' + lost.group(2) + ' blocks' if lost else '0 bytes'}; "
          f"in our code: {len(ours)} records")
    for block in ours:
        print(block)
    return 0 if errors == 0 and not ours else 1


if __name__ == "__main__":
    sys.exit(main())
