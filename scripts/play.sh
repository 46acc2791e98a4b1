#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it. Saved games live in ~/.local/share/qorvex.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target qorvex qorvex_template qorvex_skin_pictures
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "play: no display found; starting under a virtual X server (xvfb-run)" >&2
  exec xvfb-run -a -s "-screen 0 1920x1080x24" build/default/bin/qorvex "$@"
fi
exec build/default/bin/qorvex "$@"
