#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# Usage: prova.sh [build folder] [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."

cartella="${1:-build}"
shift || true
bash scripts/dipendenze.sh test
cmake -S . -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=Debug "$@" >/dev/null
cmake --build "$cartella" -j"$(nproc)"
ctest --test-dir "$cartella" --output-on-failure -j"$(nproc)"
