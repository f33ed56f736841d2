#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing.
# Usage: dipendenze.sh [test|pacchetto]   ("test" adds what the tests and benchmarks use,
# "pacchetto" what making the Debian package needs)
set -euo pipefail

# libcups2-dev: the headers of libcups, which the program loads at its first print on a
# printer (src/app/CodaCups.h); qt6-translations-l10n: Qt's own texts (file dialog, context
# menus, message box buttons) in Italian. Speech ("SINTESI VOCALE"): the speech server and its
# espeak-ng voices, which the speech module talks to itself. The register: Qt SQL
# with its SQLite driver (the teacher's register on this computer) and its PostgreSQL driver
# (a school lab's server); Qt Charts for the register's chart.
pacchetti=(cmake ninja-build g++ qt6-base-dev qt6-multimedia-dev libcups2-dev fonts-liberation
           fonts-dejavu-core qt6-translations-l10n speech-dispatcher speech-dispatcher-espeak-ng libqt6sql6-sqlite libqt6sql6-psql qt6-charts-dev)
if [ "${1:-}" = test ]; then
    pacchetti+=(xvfb xauth openbox xdotool x11-utils x11-apps poppler-utils libbenchmark-dev
               cups-daemon cups-client python3 desktop-file-utils
               clang libclang-rt-14-dev lld
               dbus at-spi2-core python3-pyatspi orca postgresql sqlite3)
fi
# The Debian package: dpkg-shlibdeps (with file) lists the libraries the program needs.
if [ "${1:-}" = test ] || [ "${1:-}" = pacchetto ]; then
    pacchetti+=(dpkg-dev file)
fi

mancanti=()
for p in "${pacchetti[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
    echo "Installazione di: ${mancanti[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q "${mancanti[@]}"
fi
