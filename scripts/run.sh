#!/usr/bin/env bash
# Starts the built Flimmer under Wine on the user's display when there is one; without one,
# walks the demo road in a virtual X server and says where its pictures are.
set -euo pipefail
cd "$(dirname "$0")/.."

win=${WIN:-build/win}
exe=$win/Flimmer/flimmer.exe
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

if [ -n "${DISPLAY:-}" ]; then
    exec wine "$exe"
fi
FLIMMER_EXE=$(realpath "$exe") FLIMAUTO_EXE=$(realpath "$win/flimauto.exe") \
    exec python3 scripts/run_headless.py
