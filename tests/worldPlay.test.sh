#!/usr/bin/env bash
# Plays the shipped start of a new game: zoomed out, the nearest star and planet
# are drawn; a short push backwards meets Hollow Moon, which lands the ship (the
# HUD's landed-planet line leaves -1); thrust takes off along the landing angle
# into the wormhole to The Shroud (the HUD's ship count changes, the line is -1
# again); q quits with code 0, no GL error and no script error.
# Usage: worldPlay.test.sh GAME_DIR
set -uo pipefail
source "$(dirname "$0")/gamePlay.sh"

readonly ZOOM_STEPS=16              # = zooms out to about 74000 units: the star is 30000 above
readonly STAR_BOX="60x60+595+66"    # Aurelia at the top, zoomed out
readonly PLANET_BOX="120x40+510+490"  # Hollow Moon coming from the left, zoomed out
readonly LANDED_LINE="140x24+0+852" # the HUD's landed-planet counter
readonly SHIPS_LINE="160x24+0+972"  # the HUD's ship counter
readonly LANDING_WAIT_S=25

# The number of bright pixels in a region of a screenshot, in BRIGHT.
bright_pixels() {
  BRIGHT=$(convert "$work/$1" -crop "$2" +repage -colorspace Gray -threshold 50% -format '%[fx:round(mean*w*h)]' info:) ||
    fail "cannot measure $1"
}

# Cuts the white HUD text of a region out of a screenshot: the graph and the sky fall below the threshold.
hud_text() {
  convert "$work/$1" -crop "$2" +repage -colorspace Gray -threshold 60% "$work/$3" || fail "cannot cut $2 from $1"
}

# The number of pixels in which two HUD text cuts differ, in TEXT_CHANGE.
text_change() {
  TEXT_CHANGE=$(compare -metric AE "$work/$1" "$work/$2" null: 2>&1)
  [[ "$TEXT_CHANGE" =~ ^[0-9]+$ ]] || fail "cannot compare $1 and $2: $TEXT_CHANGE"
}

check_start_shows_star_and_planet() {
  press_keys $(printf 'equal %.0s' $(seq "$ZOOM_STEPS"))
  sleep 0.3
  screenshot zoomed.png
  bright_pixels zoomed.png "$STAR_BOX"
  at_least "$BRIGHT" 100 "no star drawn at the top of the zoomed-out start ($BRIGHT bright pixels)"
  bright_pixels zoomed.png "$PLANET_BOX"
  at_least "$BRIGHT" 20 "no planet drawn left of the zoomed-out start ($BRIGHT bright pixels)"
  press_keys $(printf 'minus %.0s' $(seq "$ZOOM_STEPS"))
}

land_on_the_moon() {
  screenshot flying.png
  hud_text flying.png "$LANDED_LINE" flying-landed.png
  hud_text flying.png "$SHIPS_LINE" flying-ships.png
  hold_key s 0.4
  local deadline=$((SECONDS + LANDING_WAIT_S))
  while ((SECONDS < deadline)); do
    screenshot landed.png
    hud_text landed.png "$LANDED_LINE" landed-line.png
    text_change flying-landed.png landed-line.png
    ((TEXT_CHANGE >= 100)) && { echo "landed: the landed-planet line changed in $TEXT_CHANGE pixels"; return; }
    expect_running "while waiting to land"
  done
  fail "the landed-planet line still shows -1 after $LANDING_WAIT_S s"
}

take_off_through_the_wormhole() {
  hold_key w 3
  screenshot warped.png
  hud_text warped.png "$LANDED_LINE" warped-landed.png
  text_change flying-landed.png warped-landed.png
  ((TEXT_CHANGE <= 30)) || fail "after take-off the landed-planet line is not -1 ($TEXT_CHANGE pixels differ)"
  hud_text warped.png "$SHIPS_LINE" warped-ships.png
  text_change flying-ships.png warped-ships.png
  ((TEXT_CHANGE >= 30)) || fail "the ship count did not change: no wormhole passed ($TEXT_CHANGE pixels differ)"
}

run_inside_x_server() {
  start_game
  wait_for_window
  check_start_shows_star_and_planet
  land_on_the_moon
  take_off_through_the_wormhole
  quit_and_expect_exit_code 0
  check_no_gl_errors
  check_no_nan_in_log
  ! grep -q '^Lua event error' "$work/game.log" || fail "planetTick failed in the script"
}

play_main "$@"
