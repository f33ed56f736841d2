#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
# It builds in its own folder, build-release (the release preset, which the Debian package
# and the benchmarks use too), apart from the tests' build in build-asan/, so running the
# tests and then the program rebuilds neither.
set -euo pipefail
cd "$(dirname "$0")/.."

cartella=build-release
bash scripts/dipendenze.sh
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Nessuno schermo disponibile. Per avviare Decimetra senza schermo:"
    echo "  apt-get install -y xvfb xauth && xvfb-run -a ./$cartella/src/decimetra"
    echo "No display available. To run Decimetra without one:"
    echo "  apt-get install -y xvfb xauth && xvfb-run -a ./$cartella/src/decimetra"
    exit 0
fi
exec "./$cartella/src/decimetra"
