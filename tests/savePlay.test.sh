#!/usr/bin/env bash
# Saves and loads in the real game: Shift+F1 saves, flying away and F1 brings the
# ship back where it was; r reloads at 800 x 600 with textures drawn; an empty
# slot, an unwritable slot folder and a slot whose universe file is cut in half
# each cost one line and the game plays on; q quits with code 0.
# Usage: savePlay.test.sh GAME_DIR
set -uo pipefail
source "$(dirname "$0")/gamePlay.sh"

readonly THRUST_S=1.2
readonly MIN_MOVED=0.01   # share of the world region that flying away changes
readonly MAX_CHANGED=0.002  # share that may differ once the load brings the ship back
# Star dust above the ship, clear of its ever-changing smoke and of the HUD.
readonly DUST_REGION="600x180+300+200"

# Waits for the nth log line that starts with the text.
wait_for_nth_log() {
  local text=$1 n=$2 deadline=$((SECONDS + 10))
  while ((SECONDS < deadline)); do
    (($(grep -cF -- "$text" "$work/game.log") >= n)) && return 0
    expect_running "before the log said \"$text\" $n times"
    sleep 0.2
  done
  fail "the log did not say \"$text\" $n times"
}

# expect_one_line PATTERN: exactly one log line matches, and the game still runs.
expect_one_line() {
  sleep 0.5
  local count
  count=$(count_log_lines "$1")
  ((count == 1)) || fail "$count log lines match \"$1\", expected one"
  expect_running "after \"$1\""
  hold_key d 0.3  # and it still answers the keys
}

check_load_brings_the_ship_back() {
  screenshot saved.png
  press_keys shift+F1
  wait_for_nth_log "SAVING" 1
  [[ -f saves/1/universeSAV.xml && -f saves/1/PlayerDataSAV.xml ]] || fail "Shift+F1 wrote no slot 1"
  hold_key w "$THRUST_S"
  screenshot flown.png
  region_change saved.png flown.png "$DUST_REGION"
  at_least "$REGION_CHANGE" "$MIN_MOVED" "flying away did not change the view ($REGION_CHANGE)"
  press_keys F1
  wait_for_nth_log "Loaded." 1
  sleep 0.5
  screenshot loaded.png
  region_change saved.png loaded.png "$DUST_REGION"
  echo "dust region changed between save and load: $REGION_CHANGE"
  at_least "$MAX_CHANGED" "$REGION_CHANGE" "after F1 the view is not the saved one ($REGION_CHANGE changed)"
}

check_re_mode_reloads() {
  press_keys r
  wait_for_nth_log "Loaded." 2
  sleep 1
  local geometry
  geometry=$(xdotool getwindowgeometry --shell "$window") || fail "cannot read the window's size"
  [[ "$geometry" == *$'WIDTH=800\nHEIGHT=600'* ]] || fail "after r the window is not 800 x 600: $geometry"
  screenshot after-r.png
  measure_region after-r.png "400x300+200+200"
  echo "800 x 600 world region standard deviation: $REGION_STDDEV"
  awk -v s="$REGION_STDDEV" -v m="$MIN_STDDEV" 'BEGIN { exit !(s > m) }' || fail "after r nothing textured is drawn"
  hold_key w 0.3
}

# A root may write to any folder: there the file being written is a full disk instead.
make_slot_unwritable() {
  mkdir -p saves/2
  if ((EUID == 0)); then
    ln -s /dev/full saves/2/universeSAV.xml.tmp
  else
    chmod a-w saves/2
  fi
}

cut_slot_in_half() {
  cp -r saves/1 saves/4
  local size
  size=$(stat -c %s saves/4/universeSAV.xml)
  truncate -s $((size / 2)) saves/4/universeSAV.xml
}

run_inside_x_server() {
  start_game
  wait_for_window
  check_load_brings_the_ship_back
  check_re_mode_reloads
  press_keys F3
  expect_one_line "^Error, bad save path 3$"
  make_slot_unwritable
  press_keys shift+F2
  expect_one_line "^Error, slot 2 not saved"
  cut_slot_in_half
  press_keys F4
  expect_one_line "^Error, saves/4/universeSAV.xml does not parse"
  check_world_not_blank played-on.png
  quit_and_expect_exit_code 0
  check_no_gl_errors
  (($(count_log_lines '^Error') == 3)) || fail "error lines other than the three expected: $(grep '^Error' "$work/game.log")"
}

play_main "$@"
