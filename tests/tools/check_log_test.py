"""tools/valgrind/check_log.py on small logs: a forked child whose summary
comes before the program's, leaks in our code and in libraries, a program
that did not end.

    python3 check_log_test.py CHECK_LOG.PY"""
import os
import subprocess
import sys
import tempfile
import unittest

CHECK_LOG = sys.argv.pop(1) if len(sys.argv) > 1 else "tools/valgrind/check_log.py"


def summary(pid, errors, lost_bytes=0, lost_blocks=0):
    return (f"=={pid}== HEAP SUMMARY:\n=={pid}==     in use at exit: 10 bytes in 1 blocks\n"
            f"=={pid}== \n=={pid}== LEAK SUMMARY:\n"
            f"=={pid}==    definitely lost: {lost_bytes} bytes in {lost_blocks} blocks\n"
            f"=={pid}== \n=={pid}== ERROR SUMMARY: {errors} errors from {errors} contexts\n")


def header(pid):
    return f"=={pid}== Memcheck, a memory error detector\n=={pid}== Command: OrvakSE\n=={pid}== \n"


def lost_record(pid, frame):
    return (f"=={pid}== 64 bytes in 1 blocks are definitely lost in loss record 7 of 90\n"
            f"=={pid}==    at 0x4848899: malloc (vg_replace_malloc.c:381)\n"
            f"=={pid}==    by 0x10A0B1: {frame}\n"
            f"=={pid}==    by 0x10A0C2: main (OrvakSE.cpp:17)\n=={pid}== \n")


def run(log):
    with tempfile.NamedTemporaryFile("w", suffix=".log", delete=False) as file:
        file.write(log)
    try:
        result = subprocess.run([sys.executable, CHECK_LOG, file.name], capture_output=True, text=True)
    finally:
        os.unlink(file.name)
    return result.returncode, result.stdout + result.stderr


class CheckLog(unittest.TestCase):
    def test_a_clean_program_passes_with_its_own_figures(self):
        code, out = run(header(100) + summary(100, 0, 16, 1))
        self.assertEqual(code, 0, out)
        self.assertIn("the program: 0 errors; definitely lost in all: 16 bytes in 1 blocks", out)

    def test_the_programs_errors_count_after_a_clean_childs_summary(self):
        log = header(100) + header(200) + summary(200, 0) + summary(100, 3)
        code, out = run(log)
        self.assertEqual(code, 1, out)
        self.assertIn("the program: 3 errors", out)
        self.assertIn("process 200 forked by it: 0 errors", out)

    def test_a_childs_errors_count_too(self):
        code, out = run(header(100) + header(200) + summary(200, 2) + summary(100, 0))
        self.assertEqual(code, 1, out)
        self.assertIn("the program: 0 errors", out)
        self.assertIn("process 200 forked by it: 2 errors", out)

    def test_a_block_lost_in_our_code_fails_and_one_lost_in_a_library_not(self):
        ours = header(100) + lost_record(100, "TRChart::ShowGraf() (PLX_rchart.cpp:12)") + summary(100, 0, 64, 1)
        code, out = run(ours)
        self.assertEqual(code, 1, out)
        self.assertIn("in our code: 1 records", out)
        theirs = header(100) + lost_record(100, "FcPatternCreate (in libfontconfig.so.1)") + summary(100, 0, 64, 1)
        self.assertEqual(run(theirs)[0], 0)

    def test_a_program_without_a_summary_fails(self):
        code, out = run(header(100) + header(200) + summary(200, 0))
        self.assertEqual(code, 1, out)
        self.assertIn("did it end normally", out)


if __name__ == "__main__":
    unittest.main()
