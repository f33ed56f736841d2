#!/usr/bin/env bash
# A private CUPS daemon for tests, apart from any CUPS of the system: its own configuration,
# spool and logs in one folder, listening only on a socket in that folder, with one queue
# whose backend copies every job it receives into a folder.
#
#   cups_prova.sh avvia CARTELLA [CODA] [PID]
#                                          starts the daemon, waits until it answers, creates
#                                          the queue CODA (default "Decimetra") as the default
#                                          destination; jobs land in CARTELLA/lavori/. With
#                                          PID, the daemon is also stopped when that process
#                                          ends (a test that crashes leaves nothing running).
#   cups_prova.sh ferma CARTELLA          stops the daemon and waits until it has gone.
#   cups_prova.sh coda CARTELLA CODA STATO
#                                          puts the queue in a state: accetta / rifiuta
#                                          (cupsaccept, cupsreject: new jobs taken or refused),
#                                          attiva / disattiva (cupsenable, cupsdisable: the
#                                          queue printing or stopped), rimuovi (lpadmin -x).
#   cups_prova.sh congela|scongela CARTELLA
#                                          freezes the daemon (SIGSTOP: it keeps its socket and
#                                          answers nothing, as a hung cupsd) or wakes it again.
#
# Clients reach the daemon with CUPS_SERVER=CARTELLA/cups.sock (printed by "avvia").
# Exit status 77: CUPS cannot be started here (packages missing, not root); the caller skips.
set -euo pipefail

azione="${1:-}"
cartella="${2:-}"
coda="${3:-Decimetra}"
custode="${4:-}"
if [ -z "$azione" ] || [ -z "$cartella" ]; then
    echo "uso: $0 avvia|ferma|coda|congela|scongela CARTELLA [CODA] [PID|STATO]" >&2
    exit 2
fi

ferma() {
    if [ -f "$cartella/custode.pid" ]; then
        kill "$(cat "$cartella/custode.pid")" 2>/dev/null || true
        rm -f "$cartella/custode.pid"
    fi
    local pidfile="$cartella/cupsd.pid"
    [ -f "$pidfile" ] || return 0
    local pid
    pid="$(cat "$pidfile")"
    if kill -0 "$pid" 2>/dev/null; then
        kill -CONT "$pid" 2>/dev/null || true # a frozen daemon must wake to end
        kill -TERM "$pid"
        for _ in $(seq 1 100); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        kill -0 "$pid" 2>/dev/null && kill -KILL "$pid"
    fi
    rm -f "$pidfile"
}

if [ "$azione" = ferma ]; then
    ferma
    exit 0
fi
if [ "$azione" = congela ] || [ "$azione" = scongela ]; then
    segnale=STOP
    [ "$azione" = scongela ] && segnale=CONT
    kill -"$segnale" "$(cat "$cartella/cupsd.pid")"
    exit 0
fi
if [ "$azione" = coda ]; then
    export CUPS_SERVER="$cartella/cups.sock"
    stato="${4:-}"
    case "$stato" in
    accetta) cupsaccept "$coda" ;;
    rifiuta) cupsreject -r "rifiutata per prova" "$coda" ;;
    attiva) cupsenable "$coda" ;;
    disattiva) cupsdisable -r "ferma per prova" "$coda" ;;
    rimuovi) lpadmin -x "$coda" ;;
    *) echo "stato della coda sconosciuto: $stato" >&2; exit 2 ;;
    esac
    exit 0
fi
[ "$azione" = avvia ] || { echo "azione sconosciuta: $azione" >&2; exit 2; }

cupsd=/usr/sbin/cupsd
if [ ! -x "$cupsd" ] || ! command -v lpadmin >/dev/null || ! command -v lpstat >/dev/null; then
    echo "CUPS non installato (cups-daemon, cups-client)" >&2
    exit 77
fi
if [ "$(id -u)" != 0 ]; then
    # Backends that keep their files run as root only; cupsd checks the ownership.
    echo "serve l'utente root per avviare un cupsd privato" >&2
    exit 77
fi

cartella="$(realpath -m "$cartella")"
mkdir -p "$cartella"/{conf,spool/tmp,cache,state,log,bin/backend,lavori}
chmod 755 "$cartella" "$cartella/bin" "$cartella/bin/backend"
# cupsd refuses helpers whose folders others can write to: link the system's own folders.
for d in daemon filter notifier monitor cgi-bin driver; do
    [ -e "/usr/lib/cups/$d" ] && ln -sfn "/usr/lib/cups/$d" "$cartella/bin/$d"
done
for b in /usr/lib/cups/backend/*; do
    [ -e "$b" ] && ln -sfn "$b" "$cartella/bin/backend/$(basename "$b")"
done

# The backend: with no arguments it announces itself; with a job it copies the document
# (the file argument, or standard input) into the folder of its device URI "copia:/folder".
cat >"$cartella/bin/backend/copia" <<'FINE'
#!/bin/sh
if [ $# -eq 0 ]; then
    echo 'direct copia "Sconosciuta" "Copia dei lavori in una cartella"'
    exit 0
fi
destinazione="${DEVICE_URI#copia:}"
provvisorio="$destinazione/.lavoro-$1"
if [ $# -ge 6 ]; then cat "$6" >"$provvisorio"; else cat >"$provvisorio"; fi || exit 1
mv "$provvisorio" "$destinazione/lavoro-$1" || exit 1
exit 0
FINE
chmod 700 "$cartella/bin/backend/copia"

cat >"$cartella/cups-files.conf" <<FINE
ServerRoot $cartella/conf
RequestRoot $cartella/spool
TempDir $cartella/spool/tmp
CacheDir $cartella/cache
StateDir $cartella/state
ServerBin $cartella/bin
DataDir /usr/share/cups
AccessLog $cartella/log/access_log
ErrorLog $cartella/log/error_log
PageLog $cartella/log/page_log
SystemGroup root
PeerCred on
FileDevice No
Sandboxing Relaxed
FINE

cat >"$cartella/cupsd.conf" <<FINE
LogLevel warn
Listen $cartella/cups.sock
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType Basic
<Location />
  Order allow,deny
  Allow localhost
</Location>
<Location /admin>
  Order allow,deny
  Allow localhost
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
FINE

ferma
"$cupsd" -f -c "$cartella/cupsd.conf" -s "$cartella/cups-files.conf" \
    >"$cartella/log/cupsd.out" 2>&1 &
pid_cupsd=$!
echo "$pid_cupsd" >"$cartella/cupsd.pid"
if [ -n "$custode" ]; then
    (
        while kill -0 "$custode" 2>/dev/null && kill -0 "$pid_cupsd" 2>/dev/null; do sleep 1; done
        kill -TERM "$pid_cupsd" 2>/dev/null || true
    ) </dev/null >/dev/null 2>&1 &
    echo $! >"$cartella/custode.pid"
fi

export CUPS_SERVER="$cartella/cups.sock"
pronto=0
for _ in $(seq 1 200); do
    if ! kill -0 "$(cat "$cartella/cupsd.pid")" 2>/dev/null; then break; fi
    if lpstat -r 2>/dev/null | grep -q 'is running'; then pronto=1; break; fi
    sleep 0.05
done
if [ "$pronto" != 1 ]; then
    echo "cupsd non risponde; registro:" >&2
    cat "$cartella/log/cupsd.out" "$cartella/log/error_log" 2>/dev/null >&2 || true
    ferma
    exit 1
fi

# A raw queue: the job reaches the backend as the client sent it (a PDF from Qt).
if ! lpadmin -p "$coda" -E -v "copia:$cartella/lavori" 2>"$cartella/log/lpadmin.err" ||
    ! lpadmin -d "$coda"; then
    cat "$cartella/log/lpadmin.err" >&2
    ferma
    exit 1
fi
echo "$CUPS_SERVER"
