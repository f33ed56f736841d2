#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# Usage: prova.sh [preset] [extra cmake options...]
# The default preset, asan, builds in build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer and fails on any report; debug builds in build/ without them
# (see CMakePresets.json).
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-asan}"
shift || true
bash scripts/dipendenze.sh test
cmake --preset "$preset" "$@" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
ctest --preset "$preset" -j"$(nproc)"
