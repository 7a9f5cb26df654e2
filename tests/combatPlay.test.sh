#!/usr/bin/env bash
# Fights in the real game: held space fires several weapon slots (the HUD's projectile count moves
# off 0, the beam shows ahead of the ship), the hostile ship placed at start-up takes the player's
# hit points down, a minute of play has the AI fighting and the player firing, c clears the ships
# and q quits with code 0, with no GL error, NaN or error line in the log.
# Usage: combatPlay.test.sh GAME_DIR
set -uo pipefail
source "$(dirname "$0")/gamePlay.sh"

# The number parts of three HUD counter lines (bottom-left corner): width x height + left + top.
readonly PROJECTILE_DIGITS="110x34+235+932"
readonly SHIP_DIGITS="110x34+110+962"
readonly HP_DIGITS="120x34+225+872"
readonly MIN_DIGIT_CHANGE=0.01   # a digit changes about 2% of its region
readonly TEXT_LEVEL=85%          # the HUD's text is white, the dust behind it dimmer
readonly AHEAD_REGION="300x60+680+482"  # just ahead of the ship at the screen's centre
readonly MIN_BEAM_CHANGE=0.05    # the beam crosses the whole region, about 15% of it
readonly AIM_AHEAD_PX=200        # puts the cursor 30 interface units ahead of the ship
readonly HIT_WAIT_S=40
readonly LONG_PLAY_S=60
playing_since=0

# The near-white text of a region of a screenshot, as a black and white image.
white_text() {
  convert "$work/$1" -crop "$2" +repage -colorspace Gray -threshold "$TEXT_LEVEL" "$work/text-$1" ||
    fail "cannot cut the text of $1"
}

# digit_change A B REGION: the share of the region's text that differs between the screenshots,
# in REGION_CHANGE; only near-white pixels count, so the dust drifting behind the text does not.
digit_change() {
  white_text "$1" "$3"
  white_text "$2" "$3"
  region_change "text-$1" "text-$2" "${3%%+*}+0+0"
  echo "digit change $1 -> $2 in $3: $REGION_CHANGE"
}

# While space is held the selected slot fires: the pulse cannon, the beam and the scatter gun in turn.
check_firing() {
  screenshot quiet.png
  xdotool mousemove_relative -- "$AIM_AHEAD_PX" 0 keydown space || fail "xdotool could not aim and fire"
  for slot in 1 2 4; do
    press_keys "$slot"
    sleep 0.6
    screenshot "firing-$slot.png"
  done
  xdotool keyup space || fail "xdotool could not release space"
  digit_change quiet.png firing-1.png "$PROJECTILE_DIGITS"
  at_least "$REGION_CHANGE" "$MIN_DIGIT_CHANGE" "the projectile count did not move while firing"
  region_change quiet.png firing-2.png "$AHEAD_REGION"
  echo "world ahead of the ship changed under the beam: $REGION_CHANGE"
  at_least "$REGION_CHANGE" "$MIN_BEAM_CHANGE" "the beam does not show ahead of the ship ($REGION_CHANGE)"
}

# Hit points only ever fall, so any change of their digits is a loss.
wait_for_hit() {
  local deadline=$((SECONDS + HIT_WAIT_S))
  while ((SECONDS < deadline)); do
    sleep 1
    screenshot hit.png
    digit_change quiet.png hit.png "$HP_DIGITS"
    awk -v v="$REGION_CHANGE" -v m="$MIN_DIGIT_CHANGE" 'BEGIN { exit !(v >= m) }' && return 0
    expect_running "while waiting for a hit"
  done
  fail "the player's hit points did not fall in $HIT_WAIT_S s near a hostile ship"
}

# Every slot fires in turn while the ship turns, thrusts and zooms, until a minute of play is over.
long_play() {
  local slot=1
  while ((SECONDS - playing_since < LONG_PLAY_S)); do
    press_keys "$slot" equal
    xdotool keydown space d sleep 1.5 keyup d keydown w sleep 0.5 keyup w space mousemove_relative -- -40 25 ||
      fail "xdotool could not play"
    press_keys minus
    slot=$((slot % 7 + 1))
  done
}

check_clear_ships() {
  screenshot before-clear.png
  press_keys c
  sleep 0.5
  screenshot after-clear.png
  digit_change before-clear.png after-clear.png "$SHIP_DIGITS"
  at_least "$REGION_CHANGE" "$MIN_DIGIT_CHANGE" "c did not change the ship count"
}

# What a failing part of the game prints; the Parts' own notices are not among them.
check_no_error_lines() {
  local errors
  errors=$(grep -n -i -E 'error|^Bad |^Invalid|^Not a' "$work/game.log")
  [[ -z "$errors" ]] || fail "error lines in the log:"$'\n'"$errors"
}

run_inside_x_server() {
  start_game
  wait_for_window
  playing_since=$SECONDS
  check_firing
  wait_for_hit
  long_play
  check_clear_ships
  quit_and_expect_exit_code 0
  check_no_gl_errors
  check_no_nan_in_log
  check_no_error_lines
}

PLAY_TIME_LIMIT_S=150 play_main "$@"
