#!/bin/sh
# The real program on the command line, with no display at all: the default
# lines, all bands with their two too-short messages, a bad argument.
. "$(dirname "$0")/../e2e/e2e_lib.sh"  # DEFAULT_LINES
. "$(dirname "$0")/../support/require_tool.sh"
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb  # a window would fail here: the mode must not make one
PROGRAM=$1
fail() { echo "$1"; exit 1; }
require_tool nec2c "nec2c (Debian package nec2c)"  # the tuner view's lines below

out=$("$PROGRAM" --frequency 7.1 --dipole-ft 85.3 --impedance 450)
[ "$out" = "$DEFAULT_LINES" ] || fail "default lines: $out"
out=$(LC_ALL=de_DE.UTF-8 "$PROGRAM" --frequency 7.1 --dipole-ft 85.3 --impedance 450)
[ "$out" = "$DEFAULT_LINES" ] || fail "lines in a comma locale: $out"

out=$("$PROGRAM" --bands all)
[ "$(printf '%s\n' "$out" | grep -c 'is too short')" = 2 ] || fail "too-short messages: $out"
[ "$(printf '%s\n' "$out" | grep -c '^Current maxima for ')" = 10 ] || fail "headers: $out"
printf '%s\n' "$out" | grep -q 'longer than: 101.4ft. Please' || fail "3.7 MHz message: $out"

out=$("$PROGRAM" --csv --dipole-m 26)
[ "$(printf '%s\n' "$out" | sed -n 2p)" = "7.1,1,13.36,43.82,85.30,886.00" ] || fail "csv: $out"

set +e
"$PROGRAM" --frequency abc >out.txt 2>err.txt
code=$?
set -e
[ $code = 2 ] || fail "exit code $code for a bad number"
[ ! -s out.txt ] || fail "output for a bad number"
[ "$(head -n 1 err.txt)" = 'OrvakSE: --frequency: "abc" is not a number' ] || fail "error: $(cat err.txt)"
grep -q '^Usage: OrvakSE' err.txt || fail "no usage"

"$PROGRAM" --help | grep -q '^Usage: OrvakSE' || fail "help"

# Output that cannot be written: a full disk, a closed standard output.
for args in "--help" "--csv" "--bands all" "--frequency 7.1" "--tuner --help" "--tuner --csv --bands 7.1"; do
  set +e
  # shellcheck disable=SC2086 # the options are words
  "$PROGRAM" $args >/dev/full 2>err.txt
  full=$?
  # shellcheck disable=SC2086
  "$PROGRAM" $args >&- 2>closed.txt
  closed=$?
  set -e
  [ $full = 1 ] || fail "exit code $full for $args >/dev/full"
  [ "$(cat err.txt)" = "OrvakSE: cannot write the output: No space left on device" ] ||
    fail "$args >/dev/full: $(cat err.txt)"
  [ $closed = 1 ] || fail "exit code $closed for $args >&-"
  [ "$(cat closed.txt)" = "OrvakSE: cannot write the output: Bad file descriptor" ] ||
    fail "$args >&-: $(cat closed.txt)"
done

# With standard input closed too, the output still goes nowhere else.
set +e
"$PROGRAM" --help <&- >&- 2>closed.txt
closed=$?
set -e
[ $closed = 1 ] || fail "exit code $closed for --help <&- >&-"
[ "$(cat closed.txt)" = "OrvakSE: cannot write the output: Bad file descriptor" ] ||
  fail "--help <&- >&-: $(cat closed.txt)"

# Below the lowest frequency the window's field holds: a bad argument.
for f in 1e-306 1e-300 0.0009; do
  set +e
  "$PROGRAM" --frequency $f >out.txt 2>err.txt
  code=$?
  set -e
  [ $code = 2 ] || fail "exit code $code for --frequency $f"
  [ ! -s out.txt ] || fail "output for --frequency $f: $(cat out.txt)"
  [ "$(head -n 1 err.txt)" = "OrvakSE: --frequency: $f is out of range (0.001 up to 1000)" ] ||
    fail "--frequency $f: $(cat err.txt)"
done

# The tuner view: its CSV header, and nec2c missing from PATH.
out=$("$PROGRAM" --tuner --csv --bands 7.1)
[ "$(printf '%s\n' "$out" | head -n 1)" = "MHz,feed_R,feed_X,tuner_R,tuner_X,SWR,loss_dB,efficiency_pct,peak_V,first_current_max_m,matched_dB,feed_uncertainty_pct" ] ||
  fail "tuner csv: $out"
mkdir -p empty-path
set +e
PATH=$PWD/empty-path "$PROGRAM" --tuner >out.txt 2>err.txt
code=$?
set -e
[ $code = 3 ] || fail "exit code $code without nec2c"
[ "$(cat err.txt)" = 'OrvakSE: The antenna model needs the program nec2c (Debian package nec2c).' ] ||
  fail "error without nec2c: $(cat err.txt)"
# The report, with no display either: a PDF and nothing printed; A4 unless
# the locale's paper is Letter (its data installed here in a folder of our
# own), the locale's decimal separator in its text.
rm -f report.pdf
"$PROGRAM" --report report.pdf --bands all >out.txt 2>err.txt || fail "report: $(cat err.txt)"
[ ! -s out.txt ] && [ ! -s err.txt ] || fail "the report printed: $(cat out.txt err.txt)"
[ "$(head -c 5 report.pdf)" = "%PDF-" ] || fail "report.pdf is no PDF"
require_tool pdfinfo "the Poppler tools (Debian package poppler-utils)"
pdfinfo report.pdf | grep -q '^Page size: *595 x 842 pts (A4)$' || fail "report: $(pdfinfo report.pdf)"
LC_ALL=de_DE.UTF-8 "$PROGRAM" --report comma.pdf --frequency 7.1
pdftotext -layout comma.pdf - | grep -q '^ *7,1 MHz  *26,00 m  *13,36 ' || fail "comma locale: $(pdftotext comma.pdf -)"
[ -e /usr/share/i18n/locales/en_US ] || skip_or_fail "the locale sources (Debian package locales)"
locales=$(mktemp -d)
localedef -i en_US -f UTF-8 "$locales/en_US.UTF-8" >/dev/null 2>&1 || fail "localedef en_US failed"
LC_ALL='' LANG='' LOCPATH=$locales LC_PAPER=en_US.UTF-8 "$PROGRAM" --report letter.pdf
pdfinfo letter.pdf | grep -q '^Page size: *612 x 792 pts (letter)$' || fail "letter: $(pdfinfo letter.pdf)"
rm -rf "$locales"

echo "command line: defaults, all bands, csv, bad argument, help, output failures, tiny frequencies, tuner csv, nec2c missing, report"
