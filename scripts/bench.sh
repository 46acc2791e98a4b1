#!/usr/bin/env bash
# Builds the optimised tree and plays the template headless at 1x, 4x and 16x the stocks.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target qorvex_bench
build/default/bin/qorvex_bench "$@"
