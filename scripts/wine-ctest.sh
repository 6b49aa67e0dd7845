#!/usr/bin/env bash
# Runs ctest in a Windows build tree under Wine: private Xvfb display, the tree's own prefix
# (BUILD_DIR/wineprefix, made on first use) and one wineserver for the whole run.
# Usage: scripts/wine-ctest.sh BUILD_DIR [ctest arguments...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
shift

source "$root/scripts/wine-env.sh"
vantor_wine_trap
vantor_display_start
vantor_prefix_prepare "$build/wineprefix"
vantor_wineserver_start
vantor_keepalive_start "$build/tests/wine_keepalive.exe"
ctest --test-dir "$build" --output-on-failure --timeout 600 "$@"
