#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# Usage: prova.sh [preset] [extra cmake options...]   (default debug, in build/; asan builds
# and tests in build-asan/ with the sanitizers: see CMakePresets.json)
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-debug}"
shift || true
bash scripts/dipendenze.sh test
cmake --preset "$preset" "$@" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
ctest --preset "$preset" -j"$(nproc)"
