#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitized/ and runs every test under them, end-to-end scripts included.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-sanitized"
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTUVARO_SANITIZE=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
export SDL_AUDIODRIVER=dummy ALSOFT_DRIVERS=null
# Leaks end a run with their own code, which the play scripts tell apart.
export ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:exitcode=23"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# LeakSanitizer's exit check now and then dies itself ("Tracer caught signal 11")
# while walking the threads of the GL driver that exit has just unloaded; that
# is the checker failing, not the game, so a test gets a second run.
run_tests=(ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --repeat until-pass:2)
if [[ -z "${DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "${run_tests[@]}"
fi
exec "${run_tests[@]}"
