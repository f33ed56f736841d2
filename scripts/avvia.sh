#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/dipendenze.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target decimetra -j"$(nproc)"

if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Nessuno schermo disponibile. Per avviare Decimetra senza schermo:"
    echo "  apt-get install -y xvfb xauth && xvfb-run -a ./build/src/decimetra"
    echo "No display available. To run Decimetra without one:"
    echo "  apt-get install -y xvfb xauth && xvfb-run -a ./build/src/decimetra"
    exit 0
fi
exec ./build/src/decimetra
