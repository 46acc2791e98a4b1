#!/usr/bin/env bash
# Builds the optimised tree and plays the template headless at 1x, 4x and 16x the stocks; with --home,
# measures the Home page instead (its refresh on a large game and the event loop under a running clock);
# with --market, the Market page (its refresh, details and candles on a large exchange, and the event loop);
# with --savecheck, the check a save goes through before it is loaded (the template and a save after play).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
if [ "${1:-}" = "--home" ]; then
  shift
  cmake --build --preset default --target qorvex_home_bench
  exec build/default/bin/qorvex_home_bench "$@"
fi
if [ "${1:-}" = "--market" ]; then
  shift
  cmake --build --preset default --target qorvex_market_bench
  exec build/default/bin/qorvex_market_bench "$@"
fi
if [ "${1:-}" = "--savecheck" ]; then
  shift
  cmake --build --preset default --target qorvex_savecheck_bench
  exec build/default/bin/qorvex_savecheck_bench "$@"
fi
cmake --build --preset default --target qorvex_bench
build/default/bin/qorvex_bench "$@"
