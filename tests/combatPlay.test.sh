#!/usr/bin/env bash
# Fights in the real game: held space fires several weapon slots (the HUD's projectile count moves
# off 0, the beam shows ahead of the ship), the hostile ship placed at start-up takes the player's
# hit points down, a minute of play has the AI fighting and the player firing, c clears the ships
# and q quits with code 0, with no GL error, NaN or error line in the log.
# Usage: combatPlay.test.sh GAME_DIR
set -uo pipefail
source "$(dirname "$0")/gamePlay.sh"

# The digits of three HUD counter lines (bottom-left corner), and the world just ahead of the ship.
readonly PROJECTILE_DIGITS="110x34+235+932" SHIP_DIGITS="110x34+110+962" HP_DIGITS="120x34+225+872"
readonly AHEAD_REGION="300x60+680+482"
readonly MIN_DIGIT_CHANGE=0.01 # a digit changes about 2% of its region
readonly MIN_BEAM_CHANGE=0.05  # the beam crosses the whole region, about 15% of it
readonly HIT_WAIT_S=60 LONG_PLAY_S=60  # a slow start-up flings the first ship far off
playing_since=0

# digit_change A B REGION: the share of the region's text that differs between the screenshots, in
# REGION_CHANGE; only the white text counts, not the dimmer dust drifting behind it.
digit_change() {
  for shot in "$1" "$2"; do
    convert "$work/$shot" -crop "$3" +repage -colorspace Gray -threshold 85% "$work/text-$shot" ||
      fail "cannot cut the text of $shot"
  done
  region_change "text-$1" "text-$2" "${3%%+*}+0+0"
  echo "digit change $1 -> $2 in $3: $REGION_CHANGE"
}

# The pulse cannon, the beam and the scatter gun in turn, aimed 30 interface units ahead.
check_firing() {
  screenshot quiet.png
  xdotool mousemove_relative -- 200 0 keydown space || fail "xdotool could not aim and fire"
  press_keys 1
  wait_for_change quiet.png firing-1.png "$PROJECTILE_DIGITS" "$MIN_DIGIT_CHANGE" 10 digit_change ||
    fail "the projectile count did not move while firing"
  press_keys 2
  wait_for_change quiet.png firing-2.png "$AHEAD_REGION" "$MIN_BEAM_CHANGE" 10 ||
    fail "the beam does not show ahead of the ship ($REGION_CHANGE)"
  press_keys 4
  sleep 0.6
  xdotool keyup space || fail "xdotool could not release space"
}

# Hit points only ever fall, so any change of their digits is a loss.
wait_for_hit() {
  wait_for_change quiet.png hit.png "$HP_DIGITS" "$MIN_DIGIT_CHANGE" "$HIT_WAIT_S" digit_change ||
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
  wait_for_change before-clear.png after-clear.png "$SHIP_DIGITS" "$MIN_DIGIT_CHANGE" 10 digit_change ||
    fail "c did not change the ship count"
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
  ! grep -n -i -E 'error|^Bad |^Invalid|^Not a' "$work/game.log" || fail "error lines in the log"
}

PLAY_TIME_LIMIT_S=180 play_main "$@"
