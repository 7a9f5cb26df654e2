#!/usr/bin/env bash
# Ten minutes of play in the real game, driven as a player would: each round
# loads the start, waits on Hollow Moon's orbit to land, opens the planet's
# interface and trades, takes off through the wormhole, fires every slot, lays
# walls, saves to and loads a slot, and now and then presses r. The game's
# resident memory is sampled every 30 s; the run fails when the last sample
# exceeds the one after the first minute by more than 10%, on a crash, on NaN in
# the log, or when q does not end the game with code 0. Not part of the suite.
# Usage: playSoak.sh GAME_DIR [SECONDS]   (600 by default)
set -uo pipefail
source "$(dirname "$0")/gamePlay.sh"

readonly SOAK_S=${SOAK_SECONDS:-600}
readonly SAMPLE_EVERY_S=30
readonly MAX_GROWTH=1.10
readonly LANDED_LINE="140x24+0+852"  # the HUD's landed-planet counter
readonly CURSOR_UNITS_PER_PIXEL=0.15
samples=()     # KiB
sample_times=() # s of play
sampled_at=-$SAMPLE_EVERY_S
started=0
cursor=(50 50)

sample_memory() {
  ((SECONDS - sampled_at >= SAMPLE_EVERY_S)) || return 0
  sampled_at=$SECONDS
  local rss
  rss=$(ps -o rss= -p "$game_pid" | tr -d ' ') || fail "the game is gone"
  [[ -n "$rss" ]] || fail "the game is gone"
  samples+=("$rss")
  sample_times+=("$((SECONDS - started))")
  echo "memory at $((SECONDS - started)) s: $rss KiB"
}

# Waits for the landed-planet line to change from the start's; true when it did.
wait_for_landing() {
  convert "$work/start.png" -crop "$LANDED_LINE" +repage -threshold 50% "$work/start-landed.png"
  local deadline=$((SECONDS + 30)) diff
  while ((SECONDS < deadline)); do
    screenshot now.png
    convert "$work/now.png" -crop "$LANDED_LINE" +repage -threshold 50% "$work/now-landed.png"
    diff=$(compare -metric AE "$work/start-landed.png" "$work/now-landed.png" null: 2>&1)
    [[ "$diff" =~ ^[0-9]+$ ]] && ((diff >= 100)) && return 0
    expect_running "while waiting to land"
    sample_memory
  done
  return 1
}

click_at() {
  local dx dy
  dx=$(awk -v a="$1" -v b="${cursor[0]}" -v k="$CURSOR_UNITS_PER_PIXEL" 'BEGIN { printf "%d", (a - b) / k }')
  dy=$(awk -v a="$2" -v b="${cursor[1]}" -v k="$CURSOR_UNITS_PER_PIXEL" 'BEGIN { printf "%d", (b - a) / k }')
  xdotool mousemove_relative -- "$dx" "$dy" sleep 0.3 click 1 sleep 0.4 || fail "xdotool could not click"
  cursor=("$1" "$2")
}

# Buys twice and sells once on the first market row, then closes the interface.
trade() {
  press_keys e
  sleep 0.5
  click_at 77.5 65.25
  click_at 77.5 65.25
  click_at 84 65.25
  click_at 86 90
}

fight() {
  local slot
  for slot in 1 2 3 4 5 6 7; do
    xdotool key "$slot" keydown space sleep 0.4 keydown a sleep 0.3 keyup a keyup space || fail "xdotool could not fire"
  done
  xdotool mousedown 1 sleep 0.5 mouseup 1 mousedown 3 sleep 0.5 mouseup 3 || fail "xdotool could not lay walls"
  press_keys minus minus equal equal
}

save_and_load() {
  local slot=$1
  xdotool keydown Shift_L sleep 0.2 key "F$slot" sleep 0.2 keyup Shift_L || fail "xdotool could not save"
  sleep 0.5
  press_keys "F$slot"
  sleep 0.5
}

play_round() {
  local round=$1
  press_keys F5  # the start, saved in the first second of play
  sleep 0.5
  cursor=(50 50)
  if wait_for_landing; then trade; else echo "round $round: no landing this time"; fi
  hold_key w 1.5
  sleep 2
  fight
  save_and_load $((round % 4 + 1))
  ((round % 3 == 2)) && { press_keys r; sleep 2; }
  expect_running "in round $round"
}

check_memory_curve() {
  ((${#samples[@]} >= 3)) || fail "only ${#samples[@]} memory samples"
  local i=0
  while ((i < ${#samples[@]} - 1 && sample_times[i] < 60)); do i=$((i + 1)); done
  local first=${samples[i]} last=${samples[-1]}
  echo "memory samples (KiB, every ${SAMPLE_EVERY_S} s): ${samples[*]}"
  awk -v l="$last" -v f="$first" -v g="$MAX_GROWTH" 'BEGIN { exit !(l <= f * g) }' ||
    fail "memory grew from $first KiB after the first minute to $last KiB"
}

run_inside_x_server() {
  start_game
  wait_for_window
  started=$SECONDS
  screenshot start.png
  xdotool keydown Shift_L sleep 0.2 key F5 sleep 0.2 keyup Shift_L || fail "xdotool could not save the start"
  sample_memory
  local round=0
  while ((SECONDS - started < SOAK_S)); do
    play_round "$round"
    sample_memory
    round=$((round + 1))
  done
  sampled_at=-$SAMPLE_EVERY_S && sample_memory
  echo "rounds played: $round"
  check_memory_curve
  quit_and_expect_exit_code 0
  check_no_gl_errors
  check_no_nan_in_log
}

PLAY_TIME_LIMIT_S=$((SOAK_S + 180)) play_main "$@"
