#!/usr/bin/env bash
# Plays a planet's interface in the real game: the ship starts on a planet held
# still, e opens the interface, the virtual cursor buys a good and the credits
# change, a save is made with the interface open, Close gives the controls back
# and the ship flies on, the save loads without leaving the controls locked, and
# q quits with code 0.
# Usage: planetInterface.test.sh GAME_DIR
set -uo pipefail
source "$(dirname "$0")/gamePlay.sh"

readonly CURSOR_UNITS_PER_PIXEL=0.15
readonly MIN_PANEL_CHANGE=0.01 # share of the market rows that the open interface covers with lines and text
readonly MIN_MOVED=0.01
# Interface units are per cent of the 1280 x 1024 window, y up; regions are width x height + left + top.
readonly MARKET_REGION="740x295+26+350"    # x 2..60, y 37..66
readonly CREDITS_REGION="205x34+26+642"     # x 2..18, y 34..37.3
readonly BOUGHT_FOR=6                        # Water Ice, base price 12, at half price on Verdance's big stock

cursor_x=50
cursor_y=50

# Verdance stands still, without satellites, with the ship on it, so that the view is steady.
hold_planet_still() {
  sed -i '/name="Verdance"/,/>/ { s/orbitSpeed="[^"]*"/orbitSpeed="0"/; s/rotationalSpeed="[^"]*"/rotationalSpeed="0"/; s/satelliteNum="[^"]*"/satelliteNum="0"/ }' \
    "$work/universe.xml" || fail "cannot edit universe.xml"
  # Its star (30000, 20000), orbit radius 15000, at 200 degrees.
  sed -i 's/<position x="[^"]*" y="[^"]*"\/>/<position x="15900" y="14880"\/>/' "$work/PlayerData.xml" ||
    fail "cannot edit PlayerData.xml"
  grep -q 'orbitSpeed="0"' "$work/universe.xml" || fail "Verdance was not held still"
}

# Moves the virtual cursor to (x, y) in interface units and presses the left button there.
click_at() {
  local x=$1 y=$2 dx dy
  dx=$(awk -v a="$x" -v b="$cursor_x" -v k="$CURSOR_UNITS_PER_PIXEL" 'BEGIN { printf "%d", (a - b) / k }')
  dy=$(awk -v a="$y" -v b="$cursor_y" -v k="$CURSOR_UNITS_PER_PIXEL" 'BEGIN { printf "%d", (b - a) / k }')
  xdotool mousemove_relative -- "$dx" "$dy" || fail "xdotool could not move the mouse"
  cursor_x=$x
  cursor_y=$y
  sleep 0.3
  xdotool click 1 || fail "xdotool could not click"
  sleep 0.5
  expect_running "after a click at $x, $y"
}

check_interface_opens() {
  wait_for_log "Player initialized"
  sleep 1
  screenshot landed.png
  press_keys e
  sleep 0.5
  grep -q '^Set name: planet 0$' "$work/game.log" || fail "e opened no display for the planet landed on"
  screenshot open.png
  region_change landed.png open.png "$MARKET_REGION"
  echo "market region changed by the interface: $REGION_CHANGE"
  at_least "$REGION_CHANGE" "$MIN_PANEL_CHANGE" "the interface does not show (market region changed $REGION_CHANGE)"
}

check_buy_changes_credits() {
  click_at 50.75 59.65  # the first good's Buy
  screenshot bought.png
  region_change open.png bought.png "$CREDITS_REGION"
  echo "credits line changed by the buy: $REGION_CHANGE"
  at_least "$REGION_CHANGE" 0.001 "the credits line did not change after Buy"
}

check_save_keeps_the_purchase() {
  # Shift held on its own: pressed with F1 in one chord it may come too late to count.
  xdotool keydown Shift_L && sleep 0.2 && xdotool key F1 && sleep 0.2 && xdotool keyup Shift_L ||
    fail "xdotool could not press Shift and F1"
  # A loaded machine may take a while to write the slot; the file only ever holds a whole save.
  local deadline=$((SECONDS + 10))
  until grep -q "playerCredits=\"$((1000 - BOUGHT_FOR))\"" "$work/saves/1/universeSAV.xml" 2>/dev/null; do
    ((SECONDS < deadline)) || fail "the save does not hold the credits after one purchase"
    expect_running "while waiting for the save"
    sleep 0.2
  done
}

# The ship sits still on the planet; held w must take it off. NAME names the screenshots.
check_w_flies() {
  local name=$1 sitting
  screenshot "$name-a.png"
  sleep 0.5
  screenshot "$name-b.png"
  region_change "$name-a.png" "$name-b.png" "$WORLD_REGION"
  sitting=$REGION_CHANGE
  hold_key w 1
  screenshot "$name-c.png"
  region_change "$name-b.png" "$name-c.png" "$WORLD_REGION"
  echo "$name: world region changed by $sitting sitting, by $REGION_CHANGE under w"
  # Ships and shots may cross the view meanwhile; the ship's own flight moves all of it.
  at_least "$REGION_CHANGE" "$(awk -v s="$sitting" -v m="$MIN_MOVED" 'BEGIN { print (4 * s > m ? 4 * s : m) }')" \
    "$name: the ship does not fly under w (moved $REGION_CHANGE, $sitting without w)"
}

check_close_and_fly_on() {
  click_at 38 70.25  # Close
  check_w_flies closed
}

check_load_leaves_controls_free() {
  press_keys F1
  wait_for_log "Loaded."
  sleep 1
  check_w_flies loaded
}

run_inside_x_server() {
  hold_planet_still
  start_game
  wait_for_window
  check_interface_opens
  check_buy_changes_credits
  check_save_keeps_the_purchase
  check_close_and_fly_on
  check_load_leaves_controls_free
  quit_and_expect_exit_code 0
  check_no_gl_errors
}

play_main "$@"
