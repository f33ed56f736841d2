#!/usr/bin/env bash
# The Debian package as a user meets it: made from a Release build, installed with apt,
# the INSTALLED program started under a private X server (tests/x/con_x.sh) in an empty
# folder with an empty home, its window found and closed as a user closes it (Alt+F4 through
# the window manager), and the package removed again together with anything apt pulled in
# for it, so the machine is left as it was. Needs root, for apt.
# Usage: prova_pacchetto.sh   (the package is made in build-release/, by scripts/pacchetto.sh)
set -euo pipefail
radice=$(cd "$(dirname "$0")/../.." && pwd)
cartella=$radice/build-release
export DEBIAN_FRONTEND=noninteractive
inizio=$SECONDS
tempi=()
segna() { tempi+=("$1 $((SECONDS - ${2}))s"); }

if [ "$(id -u)" != 0 ]; then
    echo "prova_pacchetto: apt needs root; run it as root (CI does)" >&2
    exit 1
fi
if dpkg-query -W -f='${Status}' decimetra 2>/dev/null | grep -q 'install ok installed'; then
    echo "prova_pacchetto: decimetra is already installed here; remove it first" \
        "(apt-get remove decimetra), so the test can leave the machine as it found it" >&2
    exit 1
fi

t=$SECONDS
bash "$radice/scripts/pacchetto.sh"
segna "build and package" "$t"
deb=$(ls "$cartella"/decimetra_*.deb)
echo "== $(basename "$deb"): $(du -k "$deb" | cut -f1) kB"
dpkg-deb -f "$deb" Package Version Section Maintainer Depends

# The control fields a user and apt rely on.
campo() { dpkg-deb -f "$deb" "$1"; }
versione=$(sed -n 's/^project(Decimetra VERSION \([0-9.]*\).*/\1/p' "$radice/CMakeLists.txt")
[ "$(campo Package)" = decimetra ] || { echo "wrong package name" >&2; exit 1; }
[ "$(campo Version)" = "$versione" ] || { echo "version is not the project's $versione" >&2; exit 1; }
[ "$(campo Section)" = education ] || { echo "section is not education" >&2; exit 1; }
for d in libqt6widgets6 libqt6multimedia6 libqt6printsupport6 fonts-liberation fonts-dejavu-core \
    qt6-translations-l10n speech-dispatcher speech-dispatcher-espeak-ng libqt6sql6-sqlite \
    libqt6sql6-psql; do
    campo Depends | grep -q "\b$d\b" || { echo "Depends lacks $d" >&2; exit 1; }
done

prima=$(mktemp)
lavoro=$(mktemp -d)
pacchettiInstallati() {
    dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' | awk '$1 == "ii" { print $2 }' |
        LC_ALL=C sort
}
installato=no
# Removes the package and whatever apt pulled in for it.
rimuovi() {
    apt-get remove -y -q decimetra >/dev/null
    installato=no
    local nuovi
    nuovi=$(LC_ALL=C comm -13 "$prima" <(pacchettiInstallati))
    if [ -n "$nuovi" ]; then
        echo "== removing what the package pulled in:" $nuovi
        # shellcheck disable=SC2086
        apt-get purge -y -q $nuovi >/dev/null
    fi
}
pulisci() {
    local esito=$?
    if [ "$installato" = yes ]; then rimuovi || esito=1; fi
    rm -rf "$prima" "$lavoro"
    exit "$esito"
}
trap pulisci EXIT
pacchettiInstallati >"$prima"

t=$SECONDS
installato=yes
if ! apt-get install -y -q "$deb" >"$lavoro/apt.log" 2>&1; then
    # A machine that never fetched the package lists cannot resolve the dependencies.
    apt-get update -q >/dev/null
    apt-get install -y -q "$deb" >"$lavoro/apt.log" 2>&1 || { cat "$lavoro/apt.log" >&2; exit 1; }
fi
segna "apt-get install" "$t"
[ "$(command -v decimetra)" = /usr/bin/decimetra ] || { echo "decimetra is not on PATH" >&2; exit 1; }
for f in /usr/share/applications/decimetra.desktop /usr/share/icons/hicolor/64x64/apps/decimetra.png \
    /usr/share/icons/hicolor/256x256/apps/decimetra.png /usr/share/doc/decimetra/copyright; do
    [ -f "$f" ] || { echo "$f was not installed" >&2; exit 1; }
done
# The speech module, where the installed program looks for it (beside it or in its library
# folder, /usr/lib/decimetra).
[ -f /usr/lib/decimetra/libdecimetra_voce.so ] ||
    { echo "the speech module was not installed in /usr/lib/decimetra" >&2; exit 1; }

# The installed program, started as the menu entry starts it, in an empty folder.
mkdir "$lavoro/cartella" "$lavoro/casa"
chmod 700 "$lavoro/casa"
comando=$(sed -n 's/^Exec=//p' /usr/share/applications/decimetra.desktop)
classe=$(sed -n 's/^StartupWMClass=//p' /usr/share/applications/decimetra.desktop)
cat >"$lavoro/avvia.sh" <<FINE
set -u
cd "$lavoro/cartella"
HOME="$lavoro/casa" XDG_RUNTIME_DIR="$lavoro/casa" $comando 2>"$lavoro/programma.log" &
programma=\$!
finestra=
for _ in \$(seq 200); do
    finestra=\$(xdotool search --onlyvisible --name '^SISTEMA (DECIMALE|METRICO):' 2>/dev/null | head -n1)
    [ -n "\$finestra" ] && break
    kill -0 \$programma 2>/dev/null || break
    sleep 0.05
done
if [ -z "\$finestra" ]; then
    echo "the start screen did not appear" >&2
    kill \$programma 2>/dev/null; cat "$lavoro/programma.log" >&2; exit 1
fi
echo "== window \$(xdotool getwindowname \$finestra)"
xprop -id \$finestra WM_CLASS | grep -q '"$classe"' ||
    { echo "WM_CLASS does not match StartupWMClass=$classe: \$(xprop -id \$finestra WM_CLASS)" >&2; exit 1; }
[ "\$(tr -d '\\r' <decimetra.dat 2>/dev/null)" = 1 ] ||
    { echo "decimetra.dat was not written in the current folder" >&2; exit 1; }
xdotool windowactivate --sync \$finestra key --clearmodifiers alt+F4
for _ in \$(seq 200); do kill -0 \$programma 2>/dev/null || break; sleep 0.05; done
if kill -0 \$programma 2>/dev/null; then
    echo "the program did not exit after Alt+F4" >&2; kill \$programma; exit 1
fi
wait \$programma
esito=\$?
[ \$esito = 0 ] || { echo "the program exited with \$esito" >&2; cat "$lavoro/programma.log" >&2; exit 1; }
echo "== closed, exit status 0"
FINE
t=$SECONDS
bash "$radice/tests/x/con_x.sh" bash "$lavoro/avvia.sh"
segna "start and close" "$t"

t=$SECONDS
rimuovi
segna "apt-get remove" "$t"
[ ! -e /usr/bin/decimetra ] || { echo "/usr/bin/decimetra is still there" >&2; exit 1; }
[ "$(pacchettiInstallati)" = "$(cat "$prima")" ] ||
    { echo "the installed packages differ from before the test" >&2; exit 1; }

echo "== package test passed in $((SECONDS - inizio)) s (${tempi[*]})"
