#!/usr/bin/env bash
# Retakes the README's pictures from the real game under a private X server:
# a planet's interface open over the galaxy, and a battle.
# Usage: scripts/screenshots.sh   (builds first; writes docs/*.png)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" >/dev/null
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash "$root/tools/takeScreenshots.sh" \
  "$root/build/game" "$root/docs"
