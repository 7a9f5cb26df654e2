#!/usr/bin/env bash
# Builds everything and runs every test headless; starts its own X server
# when there is no display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
export SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null
run_tests=(ctest --test-dir "$root/build" --output-on-failure -j "$(nproc)")
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "${run_tests[@]}"
fi
exec "${run_tests[@]}"
