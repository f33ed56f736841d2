#!/usr/bin/env bash
# Installs what is missing, builds the program (Release) and makes its Debian package.
# Usage: pacchetto.sh [build folder]   (default build-pacchetto; prints the package's path)
set -euo pipefail
cd "$(dirname "$0")/.."

cartella="${1:-build-pacchetto}"
bash scripts/dipendenze.sh pacchetto
# Only the program is built: the package holds nothing else, so cpack need not build the
# tests first.
cmake -S . -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$cartella" --target decimetra -j"$(nproc)"
rm -f "$cartella"/decimetra_*.deb
(cd "$cartella" && cpack -G DEB >/dev/null)
pacchetto=$(ls "$cartella"/decimetra_*.deb)
echo "Pacchetto: $pacchetto"
case $pacchetto in /*) ;; *) pacchetto=./$pacchetto ;; esac
echo "Per installarlo:  apt install $pacchetto"
