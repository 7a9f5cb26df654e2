#!/usr/bin/env bash
# Builds the fuzz targets with clang into build-fuzz/ and runs each for the given
# number of seconds (default 30): first over its saved regression inputs, then
# fuzzing from its seeds and earlier corpus. Fails on any crash, leak, sanitizer
# report or broken promise; what a target found is kept in build-fuzz/fuzz/findings/.
# Usage: scripts/fuzz.sh [seconds] [target...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
seconds=${1:-30}
shift || true

if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$seconds" "$@"
fi

"$root/scripts/install-deps.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUVARO_FUZZ=ON >/dev/null
cmake --build "$build" -j "$(nproc)"

export SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null
# Leaks are checked after every input; the start-up state kept for the whole
# run is the sanitized suite's to check, so there is no second check at exit. The
# dynamic thread-local storage is not tracked, for the reason test-sanitized.sh gives.
export ASAN_OPTIONS="detect_leaks=1:leak_check_at_exit=0:abort_on_error=0:intercept_tls_get_addr=0"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export TUVARO_FUZZ_SCRATCH
TUVARO_FUZZ_SCRATCH=$(mktemp -d "${TMPDIR_FUZZ:-/dev/shm}/tuvaroFuzzRun.XXXXXX")
trap 'rm -rf "$TUVARO_FUZZ_SCRATCH"' EXIT

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for binary in "$build"/fuzz/*Fuzz; do targets+=("$(basename "$binary")"); done
fi

status=0
for target in "${targets[@]}"; do
  binary="$build/fuzz/$target"
  seeds="$build/fuzz/seeds/$target"
  corpus="$build/fuzz/corpus/$target"
  findings="$build/fuzz/findings/$target/"
  regressions="$root/fuzz/regressions/$target"
  log="$build/fuzz/$target.log"
  mkdir -p "$corpus" "$findings"
  if [[ -d "$regressions" ]] && ! "$binary" -artifact_prefix="$findings" "$regressions"/* >"$log" 2>&1; then
    echo "$target: a saved regression input fails again; see $log"
    status=1
    continue
  fi
  dictionary=(); [[ -f "$seeds.dict" ]] && dictionary=(-dict="$seeds.dict")
  # libFuzzer caps inputs at the largest seed's size; a loaded file may be far larger (and
  # nested far deeper) than the shipped ones.
  length=(); [[ $target == dataFilesFuzz || $target == saveGameFuzz ]] && length=(-max_len=1048576)
  if TUVARO_FUZZ_SEEDS="$seeds" "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 "${dictionary[@]}" \
      "${length[@]}" -artifact_prefix="$findings" "$corpus" "$seeds" >"$log" 2>&1; then
    echo "$target: $(grep -o 'Done [0-9]* runs' "$log" | tail -1 | cut -d' ' -f2) runs, no findings"
  else
    echo "$target: FINDING; see $log and $findings"
    grep -m1 -E 'ERROR|runtime error|Fuzz target:|deadly signal|timeout' "$log" || true
    status=1
  fi
done
exit $status
