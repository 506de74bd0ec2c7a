#!/usr/bin/env bash
# Starts the built Flimmer under Wine: on the user's display when there is one,
# otherwise in a virtual X server, where a screenshot is saved to out/.
set -euo pipefail
cd "$(dirname "$0")/.."

exe=build/win/Flimmer/flimmer.exe
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"

if [ -n "${DISPLAY:-}" ]; then
    exec wine "$exe"
fi
exec python3 scripts/run_headless.py
