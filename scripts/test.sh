#!/usr/bin/env bash
# Installs what is missing, then configures, builds and runs every test: the optimised build, and the
# AddressSanitizer and ThreadSanitizer builds.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

presets=(default asan tsan)
if [ "${1:-}" = "--quick" ]; then presets=(default); fi

for preset in "${presets[@]}"; do
  echo "== $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
