#!/usr/bin/env bash
# Installs what is missing, builds the program (the release preset, in build-release/) and
# makes its Debian package there (the package preset). Prints the package's path.
# Usage: pacchetto.sh
set -euo pipefail
cd "$(dirname "$0")/.."

cartella=build-release
bash scripts/dipendenze.sh pacchetto
# Only the program is built: the package holds nothing else, so cpack need not build the
# tests first (the release preset skips the install rules' dependency on everything).
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"
rm -f "$cartella"/decimetra_*.deb
cpack --preset package >/dev/null
pacchetto=$(ls "$cartella"/decimetra_*.deb)
echo "Pacchetto: $pacchetto"
echo "Per installarlo:  apt install ./$pacchetto"
