#!/usr/bin/env bash
# Plays the real game as a player would, in a fresh copy of the run directory
# on a private X server: the window appears, keys reach it, the screen is not
# blank, q quits with code 0, the start-up log comes in order and the shipped
# data set builds without a single error line.
# Usage: endToEnd.test.sh GAME_DIR
set -uo pipefail

readonly WINDOW_WAIT_S=20   # start-up under a software renderer takes a few seconds
readonly EXIT_WAIT_S=10
readonly MIN_STDDEV=0.002   # a blank screen has 0

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

check_screen_not_blank() {
  sleep 0.5  # let a few frames draw
  import -window root "$work/screen.png" || fail "cannot take a screenshot"
  local stddev
  stddev=$(convert "$work/screen.png" -format '%[fx:standard_deviation]' info:) ||
    fail "cannot measure the screenshot"
  echo "screenshot standard deviation: $stddev"
  awk -v s="$stddev" -v m="$MIN_STDDEV" 'BEGIN { exit !(s > m) }' ||
    fail "the screen is blank (standard deviation $stddev)"
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
  press_keys w a s d
  check_screen_not_blank
  quit_and_expect_exit_code 0
  check_startup_log_order
  check_no_error_lines
  echo "PASS"
}

if [[ "${1:-}" == "--inside" ]]; then
  run_inside_x_server "$2"
else
  [[ $# -eq 1 ]] || { echo "usage: $0 GAME_DIR"; exit 2; }
  game_dir=$(cd "$1" && pwd) || { echo "FAIL: no run directory $1"; exit 1; }
  exec timeout -k 5 90 xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" --inside "$game_dir"
fi
