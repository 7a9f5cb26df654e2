#!/usr/bin/env bash
# Runs the shipped interface script's checks against mocked host functions with Debian's lua5.1.
# Usage: uiScript.test.sh GAME_DIR
set -euo pipefail
exec lua5.1 "$(dirname "$0")/uiScript.lua" "$1/ui.lua"
