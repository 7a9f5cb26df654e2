#!/usr/bin/env bash
# The interface script passes luacheck with no warning: every global it reads
# is a host function or one of its own entry points.
# Usage: uiScriptLint.test.sh GAME_DIR
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
command -v luacheck >/dev/null || { echo "FAIL: luacheck is not installed"; exit 1; }
cd "$root" && luacheck --no-color --config "$root/.luacheckrc" content/ui.lua
