#!/usr/bin/env bash
# A private speech-dispatcher for tests, apart from any speech server of the user: its own
# configuration, socket, runtime folder and log in one folder, the espeak-ng voices, and
# sound sent to libao's null device, so no sound card is needed. The log (log level 5)
# records every text it is asked to say, each cancel, and how each text ended.
#
#   speechd_prova.sh avvia CARTELLA [PID]  starts the server and waits until it answers;
#                                          prints the value for SPEECHD_ADDRESS. With PID, the
#                                          server is also stopped when that process ends.
#   speechd_prova.sh ferma CARTELLA        stops it and waits until it has gone.
#
# The log is CARTELLA/log/speech-dispatcher.log.
# Exit status 77: speech-dispatcher or its espeak-ng module is not installed; the caller skips.
set -euo pipefail

azione="${1:-}"
cartella="${2:-}"
custode="${3:-}"
if [ -z "$azione" ] || [ -z "$cartella" ]; then
    echo "uso: $0 avvia|ferma CARTELLA [PID]" >&2
    exit 2
fi
cartella="$(realpath -m "$cartella")"

ferma() {
    if [ -f "$cartella/custode.pid" ]; then
        kill "$(cat "$cartella/custode.pid")" 2>/dev/null || true
        rm -f "$cartella/custode.pid"
    fi
    [ -f "$cartella/server.pid" ] || return 0
    local pid
    pid="$(cat "$cartella/server.pid")"
    if kill -0 "$pid" 2>/dev/null; then
        kill -TERM "$pid"
        for _ in $(seq 1 100); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        kill -0 "$pid" 2>/dev/null && kill -KILL "$pid"
    fi
    rm -f "$cartella/server.pid"
}

if [ "$azione" = ferma ]; then
    ferma
    exit 0
fi
[ "$azione" = avvia ] || { echo "azione sconosciuta: $azione" >&2; exit 2; }

moduli=/usr/lib/speech-dispatcher-modules
if ! command -v speech-dispatcher >/dev/null || [ ! -x "$moduli/sd_espeak-ng" ]; then
    echo "speech-dispatcher con espeak-ng non installato" \
        "(speech-dispatcher, speech-dispatcher-espeak-ng)" >&2
    exit 77
fi

mkdir -p "$cartella"/{conf/modules,log,run,casa}
chmod 700 "$cartella/run"
cat >"$cartella/conf/speechd.conf" <<FINE
LogLevel 5
LogDir "$cartella/log"
AudioOutputMethod "libao"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DefaultLanguage "it"
FINE
cp /etc/speech-dispatcher/modules/espeak-ng.conf "$cartella/conf/modules/"
# libao reads its default driver from the home folder.
echo "default_driver=null" >"$cartella/casa/.libao"

ferma
rm -f "$cartella/run/speechd.sock"
HOME="$cartella/casa" XDG_RUNTIME_DIR="$cartella/run" \
    speech-dispatcher -s -t 0 -C "$cartella/conf" -m "$moduli" -L "$cartella/log" \
    -c unix_socket -S "$cartella/run/speechd.sock" -P "$cartella/run/speechd.pid" \
    </dev/null >"$cartella/log/server.out" 2>&1 &
pid_server=$!
echo "$pid_server" >"$cartella/server.pid"
if [ -n "$custode" ]; then
    (
        while kill -0 "$custode" 2>/dev/null && kill -0 "$pid_server" 2>/dev/null; do sleep 1; done
        kill -TERM "$pid_server" 2>/dev/null || true
    ) </dev/null >/dev/null 2>&1 &
    echo $! >"$cartella/custode.pid"
fi

for _ in $(seq 1 1200); do # starting the voices takes seconds
    kill -0 "$pid_server" 2>/dev/null || break
    [ -S "$cartella/run/speechd.sock" ] && grep -qa "waiting for clients" \
        "$cartella/log/speech-dispatcher.log" 2>/dev/null && break
    sleep 0.05
done
if ! kill -0 "$pid_server" 2>/dev/null || [ ! -S "$cartella/run/speechd.sock" ]; then
    echo "speech-dispatcher non risponde; registro:" >&2
    cat "$cartella/log/server.out" >&2 || true
    ferma
    exit 1
fi
echo "unix_socket:$cartella/run/speechd.sock"
