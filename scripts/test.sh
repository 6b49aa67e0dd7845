#!/usr/bin/env bash
# The one test command: installs what is missing, builds the host and the Windows
# configurations, and runs every test (the Windows ones under Wine on a private Xvfb display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/install-deps.sh

jobs=$(nproc)
warnings=-DVANTOR_WARNINGS_AS_ERRORS=ON

echo "== host build: rules, resource checks =="
cmake --preset native $warnings >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native --timeout 600

echo "== Windows build =="
cmake --preset cross $warnings >/dev/null
cmake --build --preset cross -j "$jobs"

echo "== Windows tests under Wine =="
bash scripts/wine-ctest.sh build/cross
