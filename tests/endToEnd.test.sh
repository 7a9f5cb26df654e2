#!/usr/bin/env bash
# Plays the real game as a player would, in a fresh copy of the run directory
# on a private X server: the window appears, the screen is not blank, holding
# w moves the view, a held mouse button lays gravity walls, r reopens the
# window at 800 x 600, the other keys do no harm, q quits with code 0, the start-up log comes in order, the shipped
# data set builds without a single error line and no GL error is reported.
# Usage: endToEnd.test.sh GAME_DIR
set -uo pipefail

readonly WINDOW_WAIT_S=20   # start-up under a software renderer takes a few seconds
readonly EXIT_WAIT_S=10
readonly MIN_STDDEV=0.002   # a blank screen has 0
readonly THRUST_S=1.2       # about 150 pixels of flight at the start-up zoom
readonly MIN_MOVED=0.01     # share of the dust region that must change (still: 0; the dots cover ~1.5%)
# Star dust above the ship's path, clear of the corner maps, the notification
# line, the charge bar and the frame-time graph: width x height + left + top.
readonly DUST_REGION="600x180+300+200"
# The lines the GL error reporter prints.
readonly GL_ERROR_LINES='^(Invalid enumerated argument|invalid value|Invalid operation|GL stack overflow|gl stack underflow|out of memory)$'

# The start-up lines, each a prefix of its log line, in the order they must come.
readonly STARTUP_LOG=(
  "Starting this thing"
  "SDL initialized"
  "We compiled against SDL version"
  "Glew is initialized"
  "Loading textures"
  "Initializing Universe"
  "Loading universe XML files"
  "Completed loading universe XML files"
  "Loading LUA"
  "Stack dump.  Size: "
  " End of stack dump"
  "Loading font"
  "Initializing stars"
  "Loading shaders"
  "Reading shader glowTrail"
  "Reading shader smokeTrail"
  "Reading shader flameExhaust"
  "Reading shader wormhole"
  "world"
  $'\tstar'
  "Adding sat"
  "Adding sat done"
  "Done slotting XML into real world data"
  "Loading weapon Pulse Cannon into player"
  "Loading weapon Beam Laser into player"
  "Created."
  "Player initialized"
  " x universe type 1"
  "Match? "
  "Done with that, now starting main loop"
)

game_pid=""
work=""

fail() {
  echo "FAIL: $*"
  if [[ -n "$game_pid" ]] && kill -0 "$game_pid" 2>/dev/null; then kill -9 "$game_pid"; fi
  if [[ -f "$work/game.log" ]]; then
    echo "---- game log ----"
    cat "$work/game.log"
    echo "------------------"
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

wait_for_window() {
  local deadline=$((SECONDS + WINDOW_WAIT_S))
  while ((SECONDS < deadline)); do
    window=$(xdotool search --onlyvisible --name '^Tuvaro$' 2>/dev/null | head -n 1)
    [[ -n "$window" ]] && return 0
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window appeared"
    sleep 0.2
  done
  fail "no visible window named Tuvaro after ${WINDOW_WAIT_S} s"
}

press_keys() {
  xdotool key --delay 50 "$@" || fail "xdotool could not press $*"
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended on the keys $*"
}

screenshot() {
  import -window root "$work/$1" || fail "cannot take a screenshot"
}

check_screen_not_blank() {
  sleep 0.5  # let a few frames draw
  screenshot screen.png
  local stddev
  stddev=$(convert "$work/screen.png" -format '%[fx:standard_deviation]' info:) ||
    fail "cannot measure the screenshot"
  echo "screenshot standard deviation: $stddev"
  awk -v s="$stddev" -v m="$MIN_STDDEV" 'BEGIN { exit !(s > m) }' ||
    fail "the screen is blank (standard deviation $stddev)"
}

# Share of the dust region's pixels that differ between two screenshots.
dust_change() {
  local a=$1 b=$2 pixels
  convert "$work/$a" -crop "$DUST_REGION" +repage "$work/region-a.png" &&
    convert "$work/$b" -crop "$DUST_REGION" +repage "$work/region-b.png" ||
    fail "cannot cut the dust region"
  # compare's exit code only says whether the images differ; the count is on stderr.
  pixels=$(compare -metric AE -fuzz 5% "$work/region-a.png" "$work/region-b.png" null: 2>&1)
  [[ "$pixels" =~ ^[0-9.e+]+$ ]] || fail "cannot compare the dust regions: $pixels"
  local w=${DUST_REGION%%x*} rest=${DUST_REGION#*x}
  awk -v p="$pixels" -v n="$((w * ${rest%%+*}))" 'BEGIN { printf "%.4f", p / n }'
}

check_view_moves_under_thrust() {
  screenshot before-thrust.png
  xdotool keydown w || fail "xdotool could not hold w"
  sleep "$THRUST_S"
  xdotool keyup w || fail "xdotool could not release w"
  screenshot after-thrust.png
  local moved
  moved=$(dust_change before-thrust.png after-thrust.png)
  echo "dust region changed under thrust: $moved"
  awk -v m="$moved" -v min="$MIN_MOVED" 'BEGIN { exit !(m >= min) }' ||
    fail "holding w did not move the view (changed share $moved)"
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended while thrusting"
}

walls_laid() { grep -c '^Wall created$' "$work/game.log"; }

# Two presses of the left button lay two walls: the release starts a new one.
check_mouse_lays_walls() {
  local before after
  before=$(walls_laid)
  for press in 1 2; do
    xdotool mousedown 1 || fail "xdotool could not press the mouse button"
    sleep 0.4
    xdotool mouseup 1 || fail "xdotool could not release the mouse button"
    sleep 0.1
  done
  after=$(walls_laid)
  echo "walls laid by two presses: $((after - before))"
  ((after - before == 2)) || fail "two presses of the left button laid $((after - before)) walls"
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended while laying walls"
}

# r saves, reopens the window at 800 x 600 and loads again; the game draws on.
check_re_mode() {
  press_keys r
  sleep 1
  local geometry
  geometry=$(xdotool getwindowgeometry --shell "$window") || fail "cannot read the window's size"
  [[ "$geometry" == *$'WIDTH=800\nHEIGHT=600'* ]] || fail "after r the window is not 800 x 600: $geometry"
  check_screen_not_blank
}

check_no_gl_errors() {
  local errors
  errors=$(grep -cE "$GL_ERROR_LINES" "$work/game.log")
  ((errors == 0)) || fail "$errors GL error lines in the log"
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
  ((code == expected)) || fail "exit code $code after q, expected $expected"
}

check_startup_log_order() {
  local next=0 line
  while IFS= read -r line; do
    ((next < ${#STARTUP_LOG[@]})) || break
    [[ "$line" == "${STARTUP_LOG[next]}"* ]] && next=$((next + 1))
  done <"$work/game.log"
  ((next == ${#STARTUP_LOG[@]})) ||
    fail "start-up log line \"${STARTUP_LOG[next]}\" missing or out of order"
}

# Failed images, shader logs, missing uniforms or equipment and bad data all say so.
check_no_error_lines() {
  local errors
  errors=$(grep -n -i -E 'error|result:|not present|^No match with .|^Bad |^Not a|^Invalid' "$work/game.log")
  [[ -z "$errors" ]] || fail "error lines in the start-up log:"$'\n'"$errors"
}

run_inside_x_server() {
  trap cleanup EXIT
  copy_run_directory "$1"
  start_game
  wait_for_window
  check_screen_not_blank
  check_view_moves_under_thrust
  press_keys a s d
  check_mouse_lays_walls
  press_keys p 1 2 3 4 5 6 7
  press_keys minus minus minus equal equal equal n n m m c
  press_keys shift+F1 F1
  check_re_mode
  quit_and_expect_exit_code 0
  check_startup_log_order
  check_no_error_lines
  check_no_gl_errors
  echo "PASS"
}

if [[ "${1:-}" == "--inside" ]]; then
  run_inside_x_server "$2"
else
  [[ $# -eq 1 ]] || { echo "usage: $0 GAME_DIR"; exit 2; }
  game_dir=$(cd "$1" && pwd) || { echo "FAIL: no run directory $1"; exit 1; }
  exec timeout -k 5 90 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" --inside "$game_dir"
fi
