#!/usr/bin/env bash
# The real program in hostile surroundings. Each case starts Decimetra in an empty temporary
# folder with a temporary home, under a private X server of its own (con_x.sh), after
# spoiling one thing around it. In every case the start screen must appear and fit the
# screen, the keys 1, Enter, 1, Enter must open the drill window, closing the two windows
# must end the program with exit code 0 and no sanitizer report, and the case's own check
# must hold.
#
# Usage: ambienti_ostili.sh DECIMETRA [CASE...]      (by default every case)
set -u
qui=$(cd "$(dirname "$0")" && pwd)

# case              screen     what is spoiled
casi=(
    "sola_lettura       1920x1080  the current folder is read-only"
    "dat_cartella       1920x1080  the settings files are folders"
    "dat_collegamento   1920x1080  the settings file is a link to a file outside the folder"
    "senza_audio        1920x1080  no sound server"
    "schermo_piccolo    1024x768   a 1024 x 768 screen"
    "lingua_c           1920x1080  LANG=C, LC_ALL=C"
)

# Each case may set up the folder ($cartella, empty, inside $base) and the environment, put a
# command in front of the program (prefisso), and check what is left afterwards (verifica_*).
# Returning 77 from a preparation skips the case.
prepara_sola_lettura() {
    if [ "$(id -u)" != 0 ]; then
        chmod a-w "$cartella"
        return
    fi
    # Root writes into any folder whatever its mode: the folder becomes a read-only mount of
    # itself, in a mount namespace of the program's own.
    if ! unshare -m sh -c 'mount --bind "$1" "$1" && mount -o remount,ro,bind "$1"' sh \
        "$cartella" 2>/dev/null; then
        echo "   cannot make a read-only mount here (no mount namespace)"
        return 77
    fi
    prefisso=(unshare -m sh -c
        'mount --bind "$1" "$1" && mount -o remount,ro,bind "$1" && cd "$1" && shift && exec "$@"'
        sh "$cartella")
}
verifica_sola_lettura() {
    [ -z "$(ls -A "$cartella")" ] || { echo "   files written: $(ls -A "$cartella")"; return 1; }
}

prepara_dat_cartella() {
    mkdir "$cartella/decimetra.dat" "$cartella/decimetra.opz"
}
verifica_dat_cartella() {
    [ -d "$cartella/decimetra.dat" ] && [ -d "$cartella/decimetra.opz" ] &&
        [ -z "$(find "$cartella/decimetra.dat" "$cartella/decimetra.opz" -mindepth 1)" ] ||
        { echo "   the settings folders were changed"; return 1; }
}

prepara_dat_collegamento() {
    mkdir "$base/fuori"
    printf '7\r\n' >"$base/fuori/livello"
    touch -d '2001-01-01 00:00' "$base/fuori/livello"
    ln -s ../fuori/livello "$cartella/decimetra.dat"
}
verifica_dat_collegamento() {
    [ "$(readlink "$cartella/decimetra.dat")" = ../fuori/livello ] ||
        { echo "   the link was replaced"; return 1; }
    [ "$(od -An -c "$base/fuori/livello" | tr -d ' ')" = '7\r\n' ] &&
        [ "$(stat -c %Y "$base/fuori/livello")" = "$(date -d '2001-01-01 00:00' +%s)" ] ||
        { echo "   the file behind the link was changed"; return 1; }
}

prepara_senza_audio() {
    unset PULSE_SERVER
    mkdir -m 700 "$base/runtime"
    export XDG_RUNTIME_DIR="$base/runtime"
}

prepara_lingua_c() {
    export LANG=C LC_ALL=C
    unset LANGUAGE
}

# Prints the first visible window whose name matches $1 once it is shown, within $2 seconds;
# fails sooner when the program ($pid) has ended.
aspetta_finestra() {
    local finestra
    for _ in $(seq $(($2 * 10))); do
        finestra=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)
        [ -n "$finestra" ] && { echo "$finestra"; return 0; }
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Runs one case; called under the case's own X server.
un_caso() {
    local caso=$1 programma=$2
    base=$(mktemp -d)
    cartella="$base/cartella"
    mkdir "$cartella" "$base/casa"
    trap 'chmod -R u+w "$base"; rm -rf "$base"' RETURN
    export HOME="$base/casa"
    prefisso=()
    if declare -F "prepara_$caso" >/dev/null; then
        "prepara_$caso"
        local esito=$?
        [ $esito = 77 ] && return 77
        [ $esito = 0 ] || return 1
    fi

    (cd "$cartella" && exec "${prefisso[@]}" "$programma") 2>"$base/errori" &
    pid=$!
    local inizio
    if ! inizio=$(aspetta_finestra '^SISTEMA' 30); then
        echo "   the start screen never appeared"
        kill "$pid" 2>/dev/null
        wait "$pid"
        cat "$base/errori"
        return 1
    fi
    local WIDTH HEIGHT X Y SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$inizio")"
    local schermo
    schermo=$(xdpyinfo | awk '/dimensions:/ {print $2}')
    if [ "$WIDTH" -gt "${schermo%x*}" ] || [ "$HEIGHT" -gt "${schermo#*x}" ]; then
        echo "   the start screen (${WIDTH}x$HEIGHT) does not fit the screen ($schermo)"
        return 1
    fi

    local risultato=0
    xdotool windowactivate --sync "$inizio" key --delay 300 1 Return 1 Return
    local esercizio
    if esercizio=$(aspetta_finestra '^TRASFORMAZIONI$' 15); then
        xdotool windowactivate --sync "$esercizio" key alt+F4
        for _ in $(seq 100); do
            xdotool search --onlyvisible --name '^TRASFORMAZIONI$' >/dev/null || break
            sleep 0.1
        done
    else
        echo "   the drill window never opened"
        risultato=1
    fi
    xdotool windowactivate --sync "$inizio" key alt+F4 2>/dev/null

    for _ in $(seq 150); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "   the program did not end when its windows were closed"
        kill -9 "$pid"
        risultato=1
    fi
    wait "$pid"
    local codice=$?
    if [ $codice != 0 ]; then
        echo "   exit code $codice"
        risultato=1
    fi
    if grep -qE 'Sanitizer|runtime error' "$base/errori"; then
        echo "   sanitizer report:"
        cat "$base/errori"
        risultato=1
    fi
    if declare -F "verifica_$caso" >/dev/null; then
        "verifica_$caso" || risultato=1
    fi
    return $risultato
}

if [ "${1:-}" = --caso ]; then
    un_caso "$2" "$3"
    exit $?
fi

programma=$(realpath "$1")
shift
falliti=0
for riga in "${casi[@]}"; do
    read -r caso schermo descrizione <<<"$riga"
    [ $# -gt 0 ] && [[ " $* " != *" $caso "* ]] && continue
    echo "$caso: $descrizione ($schermo)"
    CON_X_SCHERMO=$schermo timeout 90 "$qui/con_x.sh" "$0" --caso "$caso" "$programma"
    case $? in
    0) echo "   ok" ;;
    77) echo "   SKIPPED" ;;
    *) echo "   FAILED"; falliti=$((falliti + 1)) ;;
    esac
done
[ $falliti = 0 ]
