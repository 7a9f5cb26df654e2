#!/usr/bin/env bash
# Builds the game and starts it in its run directory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
cd "$root/build/game"
exec ./tuvaro
