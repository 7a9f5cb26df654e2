#!/usr/bin/env bash
# Shared steps of the scripts that play the real game under a private X server:
# a fresh copy of the run directory, the window, key presses, screenshots,
# checks on regions of the screen and on the log, and a clean quit.
# Source it, define run_inside_x_server GAME_DIR, then call play_main "$@".

readonly WINDOW_WAIT_S=20   # start-up under a software renderer takes a few seconds
readonly EXIT_WAIT_S=10
readonly MIN_STDDEV=0.002   # a blank region has 0
# The middle of the screen, clear of the corner maps, the notification line,
# the charge bar and the frame-time graph: width x height + left + top.
readonly WORLD_REGION="640x400+320+300"
# The lines the GL error reporter prints.
readonly GL_ERROR_LINES='^(Invalid enumerated argument|invalid value|Invalid operation|GL stack overflow|gl stack underflow|out of memory)$'
readonly MAIN_LOOP_LINE="Done with that, now starting main loop"

game_pid=""
work=""
window=""
shots=()

# PLAY_KEEP_SHOTS=DIR keeps a failed run's screenshots and log there for a look.
fail() {
  [[ -n "${PLAY_KEEP_SHOTS:-}" && -n "$work" ]] && (cd "$work" && cp "${shots[@]}" game.log "$PLAY_KEEP_SHOTS"/ 2>/dev/null)
  echo "FAIL: $*"
  if [[ -n "$game_pid" ]] && kill -0 "$game_pid" 2>/dev/null; then kill -9 "$game_pid"; fi
  if [[ -f "$work/game.log" ]]; then
    echo "---- game log (last 80 lines) ----"
    tail -n 80 "$work/game.log"
    echo "----------------------------------"
  fi
  exit 1
}

cleanup() {
  if [[ -n "$game_pid" ]] && kill -0 "$game_pid" 2>/dev/null; then kill -9 "$game_pid"; fi
  [[ -n "$work" ]] && rm -rf "$work"
}

copy_run_directory() {
  local game_dir=$1
  [[ -x "$game_dir/tuvaro" ]] || fail "no game binary at $game_dir/tuvaro"
  work=$(mktemp -d)
  cp -a "$game_dir/." "$work/" || fail "cannot copy the run directory $game_dir"
}

start_game() {
  cd "$work" || fail "cannot enter $work"
  export SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null
  ./tuvaro >game.log 2>&1 &
  game_pid=$!
}

expect_running() {
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended $*"
}

# Waits until a log line starts with the text; fails after the given seconds.
wait_for_log() {
  local text=$1 seconds=${2:-$WINDOW_WAIT_S}
  local deadline=$((SECONDS + seconds))
  while ((SECONDS < deadline)); do
    grep -qF -- "$text" "$work/game.log" 2>/dev/null && return 0
    expect_running "before the log said \"$text\""
    sleep 0.2
  done
  fail "no log line \"$text\" after $seconds s"
}

wait_for_window() {
  local deadline=$((SECONDS + WINDOW_WAIT_S))
  while ((SECONDS < deadline)); do
    window=$(xdotool search --onlyvisible --name '^Tuvaro$' 2>/dev/null | head -n 1)
    [[ -n "$window" ]] && break
    expect_running "before its window appeared"
    sleep 0.2
  done
  [[ -n "$window" ]] || fail "no visible window named Tuvaro after ${WINDOW_WAIT_S} s"
  wait_for_log "$MAIN_LOOP_LINE"
  sleep 0.5  # let a few frames draw
}

press_keys() {
  xdotool key --delay 50 "$@" || fail "xdotool could not press $*"
  expect_running "on the keys $*"
}

# hold_key KEY SECONDS
hold_key() {
  xdotool keydown "$1" || fail "xdotool could not hold $1"
  sleep "$2"
  xdotool keyup "$1" || fail "xdotool could not release $1"
  expect_running "while $1 was held"
}

screenshot() {
  shots+=("$1")
  import -window root "$work/$1" || fail "cannot take a screenshot"
}

# The standard deviation of a region of a screenshot, in REGION_STDDEV.
measure_region() {
  local shot=$1 region=$2
  REGION_STDDEV=$(convert "$work/$shot" -crop "$region" +repage -format '%[fx:standard_deviation]' info:) ||
    fail "cannot measure $shot"
  [[ "$REGION_STDDEV" =~ ^[0-9.e+-]+$ ]] || fail "cannot measure $shot: $REGION_STDDEV"
}

# The world region of a screenshot shows something (the HUD alone does not
# count); slow builds on a busy machine get a while to draw their first frames.
check_world_not_blank() {
  local shot=${1:-screen.png} deadline=$((SECONDS + 15))
  while :; do
    screenshot "$shot"
    measure_region "$shot" "$WORLD_REGION"
    awk -v s="$REGION_STDDEV" -v m="$MIN_STDDEV" 'BEGIN { exit !(s > m) }' && break
    ((SECONDS < deadline)) || fail "the world region of $shot is blank (standard deviation $REGION_STDDEV)"
    sleep 0.5
  done
  echo "world region standard deviation ($shot): $REGION_STDDEV"
}

# The share of a region's pixels that differ between two screenshots, in REGION_CHANGE.
region_change() {
  local a=$1 b=$2 region=$3 pixels
  convert "$work/$a" -crop "$region" +repage "$work/region-a.png" &&
    convert "$work/$b" -crop "$region" +repage "$work/region-b.png" ||
    fail "cannot cut the region $region"
  # compare's exit code only says whether the images differ; the count is on stderr.
  pixels=$(compare -metric AE -fuzz 5% "$work/region-a.png" "$work/region-b.png" null: 2>&1)
  [[ "$pixels" =~ ^[0-9.e+]+$ ]] || fail "cannot compare the regions: $pixels"
  local width=${region%%x*} rest=${region#*x}
  REGION_CHANGE=$(awk -v p="$pixels" -v n="$((width * ${rest%%+*}))" 'BEGIN { printf "%.4f", p / n }')
}

# wait_for_change REFERENCE SHOT REGION MINIMUM SECONDS [COMPARE]: takes the
# screenshot SHOT until REGION has changed by at least MINIMUM against
# REFERENCE (compared with COMPARE, region_change by default); false when the
# seconds run out first. Slow frames on a busy machine need the patience.
wait_for_change() {
  local reference=$1 shot=$2 region=$3 minimum=$4 deadline=$((SECONDS + $5)) compare=${6:-region_change}
  while :; do
    screenshot "$shot"
    "$compare" "$reference" "$shot" "$region"
    awk -v v="$REGION_CHANGE" -v m="$minimum" 'BEGIN { exit !(v >= m) }' && return 0
    ((SECONDS < deadline)) || return 1
    expect_running "while waiting for $region to change"
    sleep 0.3
  done
}

# at_least VALUE MINIMUM MESSAGE: fails with the message unless VALUE >= MINIMUM.
at_least() {
  awk -v v="$1" -v m="$2" 'BEGIN { exit !(v >= m) }' || fail "$3"
}

count_log_lines() { grep -cE -- "$1" "$work/game.log"; }

check_no_gl_errors() {
  local errors
  errors=$(count_log_lines "$GL_ERROR_LINES")
  ((errors == 0)) || fail "$errors GL error lines in the log"
}

check_no_nan_in_log() {
  ! grep -qiE '(^|[^a-z])(nan|inf)([^a-z]|$)' "$work/game.log" || fail "NaN or infinity in the log"
}

# Under the sanitizers a fault or a leak ends the game with a report in its log.
check_sanitizer_reports() {
  ! grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:' "$work/game.log" ||
    fail "a sanitizer report in the log"
}

quit_and_expect_exit_code() {
  local expected=$1
  xdotool key q || fail "xdotool could not press q"
  local deadline=$((SECONDS + EXIT_WAIT_S))
  while kill -0 "$game_pid" 2>/dev/null; do
    ((SECONDS < deadline)) || fail "the game still runs ${EXIT_WAIT_S} s after q"
    sleep 0.1
  done
  wait "$game_pid"
  local code=$?
  game_pid=""
  check_sanitizer_reports
  ((code == expected)) || fail "exit code $code after q, expected $expected"
}

# play_main "$@": with GAME_DIR, reruns this script inside its own X server
# (killed after the given number of seconds, 90 by default); inside, calls
# run_inside_x_server GAME_DIR.
play_main() {
  local limit=${PLAY_TIME_LIMIT_S:-90}
  if [[ "${1:-}" == "--inside" ]]; then
    trap cleanup EXIT
    copy_run_directory "$2"
    run_inside_x_server "$2"
    echo "PASS"
    return 0
  fi
  [[ $# -eq 1 ]] || { echo "usage: $0 GAME_DIR"; exit 2; }
  local game_dir
  game_dir=$(cd "$1" && pwd) || { echo "FAIL: no run directory $1"; exit 1; }
  exec timeout -k 5 "$limit" xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" --inside "$game_dir"
}
