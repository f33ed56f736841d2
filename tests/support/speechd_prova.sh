#!/usr/bin/env bash
# A private speech-dispatcher for tests, apart from the user's: its own configuration,
# socket and log in CARTELLA, the espeak-ng voices, and sound sent to libao's null device,
# so no sound card is needed. Its log (CARTELLA/log/speech-dispatcher.log, level 5) holds
# every text it is asked to say and how each one ended. The espeak-ng data it sees holds the
# Italian and English voices only, with no variants: the full set (over 13,000 voices) takes
# a client minutes to list under the sanitizers, and seconds without them.
#
#   speechd_prova.sh avvia CARTELLA [PID]  starts it, waits until it answers and prints the
#                                          value for SPEECHD_ADDRESS; with PID, it also stops
#                                          when that process ends.
#   speechd_prova.sh ferma CARTELLA        stops it.
# Exit status 77: speech-dispatcher or its espeak-ng module is missing; the caller skips.
set -euo pipefail
azione="${1:-}"
cartella="$(realpath -m "${2:?uso: $0 avvia|ferma CARTELLA [PID]}")"
custode="${3:-}"
moduli=/usr/lib/speech-dispatcher-modules

ferma() {
    local pid
    for f in custode server; do
        [ -f "$cartella/$f.pid" ] || continue
        pid="$(cat "$cartella/$f.pid")"
        kill -TERM "$pid" 2>/dev/null || true
        for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
        kill -KILL "$pid" 2>/dev/null || true
        rm -f "$cartella/$f.pid"
    done
}
[ "$azione" = ferma ] && { ferma; exit 0; }
[ "$azione" = avvia ] || { echo "azione sconosciuta: $azione" >&2; exit 2; }
if ! command -v speech-dispatcher >/dev/null || [ ! -x "$moduli/sd_espeak-ng" ]; then
    echo "speech-dispatcher non installato (speech-dispatcher, speech-dispatcher-espeak-ng)" >&2
    exit 77
fi

ferma
mkdir -p "$cartella"/{conf/modules,log,run,casa}
cat >"$cartella/conf/speechd.conf" <<FINE
LogLevel 5
LogDir "$cartella/log"
AudioOutputMethod "libao"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "it"
FINE
cp /etc/speech-dispatcher/modules/espeak-ng.conf "$cartella/conf/modules/"
dati=/usr/lib/x86_64-linux-gnu/espeak-ng-data
privati="$cartella/espeak/espeak-ng-data"
rm -rf "$cartella/espeak"
mkdir -p "$privati"/{lang/roa,lang/gmw,voices}
for parte in "$dati"/*; do
    case "${parte##*/}" in lang | voices) ;; *) ln -s "$parte" "$privati/" ;; esac
done
ln -s "$dati/lang/roa/it" "$privati/lang/roa/it"
ln -s "$dati/lang/gmw/en" "$privati/lang/gmw/en"
echo "default_driver=null" >"$cartella/casa/.libao" # libao reads it from the home folder
rm -f "$cartella/run/speechd.sock" "$cartella/log/speech-dispatcher.log"
HOME="$cartella/casa" XDG_RUNTIME_DIR="$cartella/run" ESPEAK_DATA_PATH="$cartella/espeak" \
    speech-dispatcher -s -t 0 -C "$cartella/conf" -m "$moduli" -L "$cartella/log" \
    -c unix_socket -S "$cartella/run/speechd.sock" -P "$cartella/run/speechd.pid" \
    </dev/null >"$cartella/log/server.out" 2>&1 &
server=$!
echo "$server" >"$cartella/server.pid"
if [ -n "$custode" ]; then
    (while kill -0 "$custode" && kill -0 "$server"; do sleep 1; done 2>/dev/null
     kill -TERM "$server" 2>/dev/null) </dev/null >/dev/null 2>&1 &
    echo $! >"$cartella/custode.pid"
fi
# Listing the voices takes the server seconds.
for _ in $(seq 1 1200); do
    kill -0 "$server" 2>/dev/null || break
    grep -qa "waiting for clients" "$cartella/log/speech-dispatcher.log" 2>/dev/null && break
    sleep 0.05
done
if ! grep -qa "waiting for clients" "$cartella/log/speech-dispatcher.log" 2>/dev/null; then
    echo "speech-dispatcher non risponde:" >&2
    cat "$cartella/log/server.out" >&2 || true
    ferma
    exit 1
fi
echo "unix_socket:$cartella/run/speechd.sock"
