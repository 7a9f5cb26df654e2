#!/usr/bin/env bash
# Plays the real game as a player would, in a fresh copy of the run directory
# on a private X server: the window appears, the screen is not blank, holding
# w moves the view, a held mouse button lays gravity walls, r reopens the
# window at 800 x 600, the other keys do no harm, q quits with code 0, the
# start-up log comes in order, the shipped data set builds without a single
# error line and no GL error is reported.
# Usage: endToEnd.test.sh GAME_DIR
set -uo pipefail
source "$(dirname "$0")/gamePlay.sh"

readonly THRUST_S=1.2       # about 150 pixels of flight at the start-up zoom
readonly MIN_MOVED=0.01     # share of the dust region that must change (still: 0; the dots cover ~1.5%)
# Star dust above the ship's path, clear of the corner maps, the notification
# line, the charge bar and the frame-time graph: width x height + left + top.
readonly DUST_REGION="600x180+300+200"

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

check_view_moves_under_thrust() {
  screenshot before-thrust.png
  hold_key w "$THRUST_S"
  screenshot after-thrust.png
  region_change before-thrust.png after-thrust.png "$DUST_REGION"
  echo "dust region changed under thrust: $REGION_CHANGE"
  at_least "$REGION_CHANGE" "$MIN_MOVED" "holding w did not move the view (changed share $REGION_CHANGE)"
}

walls_laid() { grep -c '^Wall created$' "$work/game.log"; }

# Two presses of the left button lay two walls: the release starts a new one.
# Each press is held until its wall is logged, so slow frames cannot miss it.
check_mouse_lays_walls() {
  local before laid press deadline
  before=$(walls_laid)
  for press in 1 2; do
    xdotool mousedown 1 || fail "xdotool could not press the mouse button"
    deadline=$((SECONDS + 10))
    while (($(walls_laid) < before + press)); do
      ((SECONDS < deadline)) || fail "press $press of the left button laid no wall"
      sleep 0.1
    done
    xdotool mouseup 1 || fail "xdotool could not release the mouse button"
    sleep 0.5
  done
  laid=$(($(walls_laid) - before))
  echo "walls laid by two presses: $laid"
  ((laid == 2)) || fail "two presses of the left button laid $laid walls"
  expect_running "while laying walls"
}

# r saves, reopens the window at 800 x 600 and loads again; the game draws on.
check_re_mode() {
  press_keys r
  sleep 1
  local geometry
  geometry=$(xdotool getwindowgeometry --shell "$window") || fail "cannot read the window's size"
  [[ "$geometry" == *$'WIDTH=800\nHEIGHT=600'* ]] || fail "after r the window is not 800 x 600: $geometry"
  sleep 0.5
  check_world_not_blank after-r.png
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
  start_game
  wait_for_window
  check_world_not_blank
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
}

play_main "$@"
