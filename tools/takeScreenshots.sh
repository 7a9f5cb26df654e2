#!/usr/bin/env bash
# Plays two short scenes in copies of the run directory and keeps one picture
# of each: planetInterface.jpg (landed on Hollow Moon with its market open) and
# battle.jpg (a fleet of every faction fighting around the player's ship).
# Usage: takeScreenshots.sh GAME_DIR OUT_DIR, inside an X server.
set -uo pipefail
game_dir=$1 out=$2
source "$(dirname "$0")/../tests/gamePlay.sh"
readonly LANDED_LINE="140x24+0+852"
readonly FLEET_TYPES=("Raider" "Escort Frigate" "Sentinel" "Raider" "Mining Barge")

# Three quarters of the window's size, as JPEG, keep the pictures light in the repository.
keep_picture() {
  import -window root -resize 75% -quality 85 "$out/$1" || fail "cannot take the picture $1"
}

fresh_game() {
  cd / && cleanup
  game_pid="" shots=()
  copy_run_directory "$game_dir"
}

planet_interface() {
  fresh_game
  start_game
  wait_for_window
  screenshot start.png
  convert "$work/start.png" -crop "$LANDED_LINE" +repage -threshold 50% "$work/a.png"
  local deadline=$((SECONDS + 40)) diff=0
  until ((diff >= 100)); do
    ((SECONDS < deadline)) || fail "the ship did not land on Hollow Moon"
    screenshot now.png
    convert "$work/now.png" -crop "$LANDED_LINE" +repage -threshold 50% "$work/b.png"
    diff=$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1) || true
    [[ "$diff" =~ ^[0-9]+$ ]] || diff=0
  done
  press_keys e
  sleep 1.5
  keep_picture planetInterface.jpg
  quit_and_expect_exit_code 0
}

# Twenty ships of five factions around the start, all of them in the fight.
add_fleet() {
  local ships="" i x y
  for i in $(seq 0 19); do
    x=$((29000 + (i % 5) * 700 - 1400)) y=$((-10000 + (i / 5) * 700 + 900))
    ships+="<shipData x=\"$x\" y=\"$y\" xSpd=\"0\" ySpd=\"0\" theta=\"0\" aiType=\"4\" faction=\"$((i % 5))\""
    ships+=" hitpoints=\"300\" shiptype=\"${FLEET_TYPES[i % 5]}\" goToX=\"0\" goToY=\"0\"/>"
  done
  # The first world's closing tag: the fleet joins the world the player starts in.
  python3 - "$work/universe.xml" "$ships" <<'PY'
import sys
path, ships = sys.argv[1], sys.argv[2]
text = open(path).read()
at = text.index("</world>")
open(path, "w").write(text[:at] + ships + text[at:])
PY
  [[ $? -eq 0 ]] || fail "cannot add the fleet"
}

battle() {
  fresh_game
  add_fleet
  start_game
  wait_for_window
  press_keys equal equal equal
  xdotool mousemove_relative -- 0 150 keydown space sleep 2 || fail "xdotool could not fire"
  press_keys 4
  sleep 1.5
  keep_picture battle.jpg
  xdotool keyup space
  quit_and_expect_exit_code 0
}

mkdir -p "$out"
trap cleanup EXIT
planet_interface
battle
echo "pictures in $out"
