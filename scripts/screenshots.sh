#!/usr/bin/env bash
# Builds the game and writes pictures of its windows (start dialog, name dialog, running main window,
# popup, every Home sub-page of a sample game) into the given folder (default: screenshots/), on a virtual
# X server of the given size (default: 1920x1080).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target qorvex_screenshots qorvex_template qorvex_skin_pictures
out="$(realpath -m "${1:-screenshots}")"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 ${2:-1920x1080}x24" build/default/bin/qorvex_screenshots "$out"
