#!/usr/bin/env bash
# A new game's start, played: zoomed out, the nearest star and planet are drawn; the ship waits
# on Hollow Moon's orbit until the moon comes round and lands it (the HUD's landed-planet line
# leaves -1); a burst of thrust takes off into the wormhole to The Shroud (the ship count
# changes, the line is -1 again); q quits with code 0, with no GL and no script error.
# Usage: worldPlay.test.sh GAME_DIR
set -uo pipefail
source "$(dirname "$0")/gamePlay.sh"

readonly ZOOM_STEPS=16              # about 74000 units tall: the star is 30000 above the start
readonly LANDED_LINE="140x24+0+852" # the HUD's landed-planet counter
readonly SHIPS_LINE="160x24+0+972"  # the HUD's ship counter

# The white HUD text of a region: the sky, the graph and coloured lines drop out.
cut() {
  convert "$work/$1" -crop "$2" +repage -channel RGB -separate -evaluate-sequence min -threshold 50% "$work/$3" ||
    fail "cannot cut $1"
}
# The number of pixels above half brightness in a region, in LIT.
lit() {
  LIT=$(convert "$work/$1" -crop "$2" +repage -colorspace Gray -threshold 50% -format '%[fx:round(mean*w*h)]' info:) ||
    fail "cannot measure $1"
}
differ() {
  DIFF=$(compare -metric AE "$work/$1" "$work/$2" null: 2>&1)
  [[ "$DIFF" =~ ^[0-9]+$ ]] || fail "cannot compare $1 and $2: $DIFF"
}

check_start_shows_star_and_planet() {
  press_keys $(printf 'equal %.0s' $(seq "$ZOOM_STEPS"))
  sleep 0.3
  screenshot zoomed.png
  lit zoomed.png 60x60+625+66
  at_least "$LIT" 100 "no star drawn above the zoomed-out start ($LIT lit pixels)"
  lit zoomed.png 120x40+655+490
  at_least "$LIT" 20 "no planet drawn right of the zoomed-out start ($LIT lit pixels)"
  press_keys $(printf 'minus %.0s' $(seq "$ZOOM_STEPS"))
}

# A nudge would be multiplied by a long frame; the moon's own approach is gentle at any frame rate.
land_on_the_moon() {
  screenshot flying.png
  cut flying.png "$LANDED_LINE" flying-landed.png && cut flying.png "$SHIPS_LINE" flying-ships.png
  local deadline=$((SECONDS + 25))
  while ((SECONDS < deadline)); do
    screenshot now.png && cut now.png "$LANDED_LINE" now-landed.png && differ flying-landed.png now-landed.png
    ((DIFF >= 100)) && return
  done
  fail "the landed-planet line still shows -1 after 25 s"
}

# Long enough a burst to escape the moon's pull, short enough that long frames do not step
# over the wormhole.
take_off_through_the_wormhole() {
  hold_key w 1.5
  local deadline=$((SECONDS + 20))
  while ((SECONDS < deadline)); do
    screenshot warped.png && cut warped.png "$SHIPS_LINE" warped-ships.png && differ flying-ships.png warped-ships.png
    ((DIFF >= 100)) && break
  done
  ((DIFF >= 100)) || fail "the ship count did not change: no wormhole passed ($DIFF pixels differ)"
  cut warped.png "$LANDED_LINE" warped-landed.png && differ flying-landed.png warped-landed.png
  ((DIFF <= 30)) || fail "after take-off the landed-planet line is not -1 ($DIFF pixels differ)"
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
