#!/usr/bin/env bash
# A data file that is missing, does not parse or lacks its root, or a galaxy
# without worlds, stops start-up with one line naming the file and exit code 1;
# a galaxy without ship types starts without the start-up ship.
set -u
game_dir=$1
failures=0

# run_broken NAME BREAK EXPECTED: copies the run directory, applies BREAK inside
# it, starts the game there and checks its exit code and console.
run_broken() {
  local name=$1 break_it=$2 expected=$3 work out code errors
  work=$(mktemp -d)
  cp -r "$game_dir"/. "$work"/
  (cd "$work" && eval "$break_it")
  out=$(cd "$work" && SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null timeout 30 ./tuvaro 2>&1)
  code=$?
  rm -rf "$work"
  errors=$(grep -c "Error" <<<"$out")
  if [[ $code -ne 1 ]]; then
    echo "FAIL $name: exit code $code, expected 1"; failures=$((failures + 1))
  elif ! grep -qF "$expected" <<<"$out"; then
    echo "FAIL $name: no line with '$expected'"; failures=$((failures + 1))
  elif [[ $errors -ne 1 ]]; then
    echo "FAIL $name: $errors error lines, expected one"; failures=$((failures + 1))
  elif grep -q "terminate called\|Player initialized" <<<"$out"; then
    echo "FAIL $name: start-up went on or aborted"; failures=$((failures + 1))
  else
    echo "ok   $name"
  fi
  [[ $code -eq 1 && $errors -eq 1 ]] || sed 's/^/    | /' <<<"$out" | tail -15
}

# run_without_ship_types: the game must reach its frame loop and keep running.
run_without_ship_types() {
  local work out code
  work=$(mktemp -d)
  cp -r "$game_dir"/. "$work"/
  printf '<ships></ships>' >"$work/shipData.xml"
  out=$(cd "$work" && SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null timeout 10 ./tuvaro 2>&1)
  code=$?
  rm -rf "$work"
  if [[ $code -ne 124 ]]; then
    echo "FAIL no ship types: the game ended with code $code"; failures=$((failures + 1))
  elif ! grep -q "^No ship types, so no ship is placed at start-up$" <<<"$out" ||
    ! grep -q "^Done with that, now starting main loop$" <<<"$out"; then
    echo "FAIL no ship types: start-up did not say so or did not finish"; failures=$((failures + 1))
  else
    echo "ok   no ship types"
    return
  fi
  sed 's/^/    | /' <<<"$out" | tail -15
}

if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$0" "$@"
fi

run_broken "missing file" "rm shipData.xml" "Error, cannot open file shipData.xml"
run_broken "malformed file" "printf '<relations><faction name=\"a\"></relations>' > relations.xml" \
  "Error, relations.xml does not parse"
run_broken "deeply nested file" "yes '<a>' | head -n 200000 | tr -d '\\n' > EquipmentData.xml" \
  "Error, EquipmentData.xml does not parse: its elements nest deeper than"
run_broken "missing root" "printf '<pilot/>' > PlayerData.xml" "Error, PlayerData.xml has no root element player"
run_broken "no world" "printf '<universe><note/></universe>' > universe.xml" "universe.xml holds no world"
run_without_ship_types

exit $((failures > 0))
