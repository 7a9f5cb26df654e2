#!/usr/bin/env bash
# Builds everything and runs the benchmarks; starts its own X server when
# there is no display. Extra arguments go to Google Benchmark.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
export SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null
run_bench=("$root/build/bench/tuvaro_bench" "$@")
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "${run_bench[@]}"
fi
exec "${run_bench[@]}"
