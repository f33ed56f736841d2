#!/usr/bin/env bash
# A private PostgreSQL cluster for tests, apart from any cluster of the system: initdb run as
# the postgres user into CARTELLA/dati, listening on 127.0.0.1 on a free port and on a socket
# in CARTELLA/socket, with a role "decimetra" (password "prova-segreta", in the pgpass file
# CARTELLA/pgpass, mode 0600) owning a database "decimetra".
#
#   pg_prova.sh avvia CARTELLA [PID]   makes the cluster when missing and starts it (on the
#                                      port it had, when started before); prints the port.
#                                      With PID, the server is also stopped and the folder
#                                      removed when that process ends (a test that crashes
#                                      leaves nothing behind).
#   pg_prova.sh ferma CARTELLA         stops the server (fast shutdown) and waits for it.
#   pg_prova.sh rimuovi CARTELLA       stops it and removes the whole folder.
#   pg_prova.sh congela|scongela CARTELLA
#                                      freezes every process of the server (SIGSTOP: the port
#                                      still takes connections, nothing answers) or wakes it.
#
# Exit status 77: PostgreSQL cannot be started here (not installed, not root); the caller
# skips.
set -euo pipefail

azione="${1:-}"
cartella="${2:-}"
custode="${3:-}"
if [ -z "$azione" ] || [ -z "$cartella" ]; then
    echo "uso: $0 avvia|ferma|rimuovi|congela|scongela CARTELLA [PID]" >&2
    exit 2
fi
cartella="$(realpath -m "$cartella")"
dati="$cartella/dati"

bin=""
for d in /usr/lib/postgresql/*/bin; do
    [ -x "$d/initdb" ] && bin="$d"
done
if [ -z "$bin" ]; then
    echo "PostgreSQL non installato (postgresql)" >&2
    exit 77
fi
if [ "$(id -u)" != 0 ] || ! id postgres >/dev/null 2>&1; then
    echo "serve l'utente root (e l'utente postgres) per avviare un PostgreSQL privato" >&2
    exit 77
fi
come_postgres() { runuser -u postgres -- "$@"; }

# Sends a signal to the postmaster and to its children.
segnala() {
    local pid
    pid="$(head -n1 "$dati/postmaster.pid")"
    # Its children from /proc (procps may not be installed).
    for p in "$pid" $(cat "/proc/$pid/task/$pid/children" 2>/dev/null || true); do
        kill -"$1" "$p" 2>/dev/null || true
    done
}

ferma_custode() {
    if [ -f "$cartella/custode.pid" ]; then
        kill "$(cat "$cartella/custode.pid")" 2>/dev/null || true
        rm -f "$cartella/custode.pid"
    fi
}

ferma() {
    ferma_custode
    [ -f "$dati/postmaster.pid" ] || return 0
    local pid
    pid="$(head -n1 "$dati/postmaster.pid")"
    segnala CONT # a frozen server must wake to end
    come_postgres "$bin/pg_ctl" -D "$dati" -m fast -w -t 120 stop >/dev/null 2>&1 ||
        kill -KILL "$pid" 2>/dev/null || true
}

case "$azione" in
ferma)
    ferma
    exit 0
    ;;
rimuovi)
    ferma
    rm -rf "$cartella"
    exit 0
    ;;
congela | scongela)
    segnale=STOP
    [ "$azione" = scongela ] && segnale=CONT
    segnala "$segnale"
    exit 0
    ;;
avvia) ;;
*)
    echo "azione sconosciuta: $azione" >&2
    exit 2
    ;;
esac

mkdir -p "$cartella"
# postgres must reach its folders: CARTELLA, and the caller's temporary folder above it
# (often 0700), get the right to pass through (not to list).
chmod 711 "$cartella"
sopra="$(dirname "$cartella")"
case "$sopra" in
"${TMPDIR:-/tmp}"/* | /tmp/*) chmod o+x,g+x "$sopra" ;;
esac
if [ ! -f "$dati/PG_VERSION" ]; then
    install -d -o postgres -g postgres -m 700 "$dati" "$cartella/socket" "$cartella/log"
    come_postgres "$bin/initdb" -D "$dati" -U postgres --auth-local=peer \
        --auth-host=scram-sha-256 -E UTF8 --locale=C.UTF-8 >"$cartella/initdb.log" 2>&1 || {
        cat "$cartella/initdb.log" >&2
        exit 1
    }
    # Only the postgres user's own peer connection on the socket for setting up; everyone
    # else with a password, on the socket or on 127.0.0.1.
    cat >"$dati/pg_hba.conf" <<'FINE'
local all postgres                peer
local all all                     scram-sha-256
host  all all      127.0.0.1/32   scram-sha-256
FINE
    porta="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')"
    echo "$porta" >"$cartella/porta"
    nuovo=1
else
    porta="$(cat "$cartella/porta")"
    nuovo=0
fi

come_postgres "$bin/pg_ctl" -D "$dati" -l "$cartella/log/server.log" -w -t 120 \
    -o "-c listen_addresses=127.0.0.1 -c port=$porta -c unix_socket_directories=$cartella/socket" \
    start >/dev/null || {
    echo "PostgreSQL non parte; registro:" >&2
    cat "$cartella/log/server.log" >&2 || true
    exit 1
}

if [ "$nuovo" = 1 ]; then
    psql_admin() { come_postgres "$bin/psql" -h "$cartella/socket" -p "$porta" -U postgres \
        -X -q -v ON_ERROR_STOP=1 "$@"; }
    psql_admin -d postgres -c "CREATE ROLE decimetra LOGIN PASSWORD 'prova-segreta'" &&
        psql_admin -d postgres -c "CREATE DATABASE decimetra OWNER decimetra" || {
        ferma
        exit 1
    }
    printf '*:*:*:decimetra:prova-segreta\n' >"$cartella/pgpass"
    chmod 600 "$cartella/pgpass"
fi

if [ -n "$custode" ]; then
    (
        while kill -0 "$custode" 2>/dev/null && [ -f "$dati/postmaster.pid" ]; do sleep 1; done
        if [ -f "$dati/postmaster.pid" ]; then
            segnala CONT
            come_postgres "$bin/pg_ctl" -D "$dati" -m fast -w -t 120 stop || true
        fi
        # The test is gone: so is its cluster.
        kill -0 "$custode" 2>/dev/null || rm -rf "$cartella"
    ) </dev/null >/dev/null 2>&1 &
    echo $! >"$cartella/custode.pid"
fi
echo "$porta"
