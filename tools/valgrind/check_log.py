"""Reads a memcheck log of the program and fails on what must not be there:
any error valgrind counted (invalid reads and writes, uninitialised values,
bad frees; leaks are not counted as errors in the session), and any block
definitely lost whose allocation stack passes through our own code.

    python3 check_log.py VALGRIND.LOG"""
import re
import sys

# Frames of our code: sources of the program's folders.
OUR_SOURCES = re.compile(r"\((?:\S+/)?(?:u_frmMain|Orvak|Feeder|Window|PLX_|Program|Command)\w*\.(?:cpp|h|inl):\d+\)"
                         r"|/(?:app|controls|platform)/\w+\.(?:cpp|h|inl)")


def main():
    log = open(sys.argv[1], encoding="utf-8", errors="replace").read()
    summary = re.search(r"ERROR SUMMARY: (\d+) errors", log)
    if not summary:
        sys.exit("no ERROR SUMMARY in the log: did the program end normally?")
    errors = int(summary.group(1))
    ours = []
    for block in re.split(r"\n==\d+== \n", log):
        if "definitely lost" in block and OUR_SOURCES.search(block):
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
