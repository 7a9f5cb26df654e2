#!/usr/bin/env bash
# Saves and loads in the real game: after Shift+F1, flying away and F1 the view is the saved
# one; r reloads at 800 x 600 with textures drawn; an empty slot, an unwritable slot folder and
# a slot whose universe file is cut in half each cost one line and the game plays on; q exits 0.
# Usage: savePlay.test.sh GAME_DIR
set -uo pipefail
source "$(dirname "$0")/gamePlay.sh"

readonly DUST_REGION="600x180+300+200"  # star dust above the ship, clear of its smoke and the HUD

wait_for_count() {  # wait_for_count TEXT N: N log lines hold the text
  local deadline=$((SECONDS + 10))
  until (($(grep -cF -- "$1" "$work/game.log") >= $2)); do
    ((SECONDS < deadline)) || fail "the log did not say \"$1\" $2 times"
    expect_running "before the log said \"$1\""
    sleep 0.2
  done
}

expect_one_line() {  # expect_one_line KEYS PATTERN: the keys give one matching line, and play goes on
  press_keys "$1"
  sleep 0.5
  (($(count_log_lines "$2") == 1)) || fail "$(count_log_lines "$2") log lines match \"$2\" after $1"
  hold_key d 0.3
}

check_load_brings_the_ship_back() {
  press_keys shift+F1
  wait_for_count "SAVING" 1
  sleep 1  # a loaded machine may not have drawn the first frames yet
  check_world_not_blank saved.png
  hold_key w 1.2
  screenshot flown.png
  region_change saved.png flown.png "$DUST_REGION"
  at_least "$REGION_CHANGE" 0.01 "flying away did not change the view ($REGION_CHANGE)"
  press_keys F1
  wait_for_count "Loaded." 1
  sleep 1
  screenshot loaded.png
  region_change saved.png loaded.png "$DUST_REGION"
  at_least 0.002 "$REGION_CHANGE" "after F1 the view is not the saved one ($REGION_CHANGE changed)"
}

check_re_mode_reloads() {
  press_keys r
  wait_for_count "Loaded." 2
  sleep 1
  [[ "$(xdotool getwindowgeometry --shell "$window")" == *$'WIDTH=800\nHEIGHT=600'* ]] ||
    fail "after r the window is not 800 x 600"
  screenshot after-r.png
  measure_region after-r.png "400x300+200+200"
  at_least "$REGION_STDDEV" "$MIN_STDDEV" "after r nothing textured is drawn"
}

run_inside_x_server() {
  start_game
  wait_for_window
  check_load_brings_the_ship_back
  check_re_mode_reloads
  expect_one_line F3 "^Error, bad save path 3$"
  mkdir -p saves/2
  if ((EUID == 0)); then ln -s /dev/full saves/2/universeSAV.xml.tmp; else chmod a-w saves/2; fi  # root writes anywhere
  expect_one_line shift+F2 "^Error, slot 2 not saved"
  cp -r saves/1 saves/4
  truncate -s $(($(stat -c %s saves/4/universeSAV.xml) / 2)) saves/4/universeSAV.xml
  expect_one_line F4 "^Error, saves/4/universeSAV.xml does not parse"
  check_world_not_blank played-on.png
  quit_and_expect_exit_code 0
  check_no_gl_errors
  (($(count_log_lines '^Error') == 3)) || fail "other error lines: $(grep '^Error' "$work/game.log")"
}

play_main "$@"
