# Shared steps of the end-to-end tests: the program in a virtual X server
# without a window manager whose screen is exactly the window's size, so the
# centred window sits at (0, 0) and keys go to the window under the pointer.
# Sourced by the test scripts, which run inside xvfb-run.
set -eu
export LC_ALL=C

PROGRAM_PID=""

start_program() {
  "$1" &
  PROGRAM_PID=$!
  trap 'kill $PROGRAM_PID 2>/dev/null || true' EXIT
  xdotool search --sync --onlyvisible --name "Orvak SE version 1.0" >/dev/null
  sleep 1
}

click_at() {
  xdotool mousemove "$1" "$2" click 1
  sleep 0.3
}

drag() {  # x1 y1 x2 y2
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.1
  xdotool mousemove "$3" "$4"
  sleep 0.1
  xdotool mouseup 1
  sleep 0.3
}

keys() {
  xdotool key --delay 60 "$@"
  sleep 0.3
}

type_text() {
  xdotool type --delay 80 "$1"
  sleep 0.3
}

clipboard() {
  xclip -o -selection clipboard
}

# Compares two texts; prints both when they differ.
expect_equal() {
  if [ "$1" != "$2" ]; then
    echo "expected:"; echo "$2"; echo "got:"; echo "$1"
    exit 1
  fi
}

# The list of the defaults (7.1 MHz, 85.30 ft, 450 ohm).
DEFAULT_LINES="13.36
32.37
51.39
70.41
89.43
108.44
127.46
146.48"

# Screen positions of the window's controls (the window's client area
# starts at (0, 0)).
CALC_SINGLE="196 132"   # "Calc single" in "Calculate single value"
MEMO="124 456"          # the list of feeder lengths
FEET_BOX_LEFT=87        # value box of the feet field: x 85..166
FEET_BOX_RIGHT=164
FEET_Y=70
METRES_Y=101
FREQ_Y=39
# The eight lines of the defaults with a 100 ft dipole.
LINES_100_FT="11.69
30.71
49.73
68.74
87.76
106.78
125.80
144.82"

# Selects the whole text of a field by dragging across its value box.
select_field() {
  drag $FEET_BOX_LEFT "$1" $FEET_BOX_RIGHT "$1"
}

# The text of a field, copied with Ctrl+C.
field_text() {
  select_field "$1"
  keys ctrl+c
  clipboard
}

# The list's text, read through the clipboard.
memo_text() {
  click_at $MEMO
  keys ctrl+a ctrl+c
  clipboard
}

# Runs a command again and again until it succeeds, at most SECONDS long
# (whole seconds); the test fails if it never does.
wait_for() {  # seconds command...
  limit=$1
  shift
  deadline=$(($(date +%s%N) + limit * 1000000000))
  until "$@"; do
    if [ "$(date +%s%N)" -ge "$deadline" ]; then
      echo "no success within ${limit}s: $*"
      exit 1
    fi
    sleep 0.05
  done
}

# Whether the clipboard holds exactly N lines; a program that does not answer
# the clipboard request counts as no.
clipboard_has_lines() {
  [ "$(timeout 0.5 xclip -o -selection clipboard 2>/dev/null | grep -c '')" = "$1" ]
}

IMPEDANCE="110 132"     # the edit line of the impedance box
