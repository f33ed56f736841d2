#!/usr/bin/env python3
"""A school lab with a PostgreSQL server (a private cluster of the test's own, from
tests/support/pg_prova.sh): two computers, each an account of its own with its
registro.conf (computer=aula-a, computer=aula-b, a retry every 3 s).

On aula-a the server is stopped while a pupil does a whole series by keyboard; the series
ends normally; the server started again, the series reaches it by the retry alone, once.
Then a pupil on aula-b does a series: it reaches the server as it ends. At last
`decimetra --esporta-registro` on aula-a lists both computers' series.

Usage: e2e_laboratorio.py DECIMETRA   (under tests/x/con_x.sh)"""

import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ausili import Ausili, richiedi  # noqa: E402
from banco import SALTA, Banco, attendi, esegui, verifica  # noqa: E402
from e2e_registro import esporta, serie_sbagliata  # noqa: E402

PG_PROVA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support",
                        "pg_prova.sh")


class Postgres:
    def __init__(self, cartella):
        self.cartella = cartella
        self.porta = None

    def comando(self, azione):
        r = subprocess.run(["bash", PG_PROVA, azione, self.cartella, str(os.getpid())],
                           capture_output=True, text=True, timeout=300)
        if r.returncode == SALTA:
            print("PostgreSQL non disponibile: " + r.stderr.strip())
            sys.exit(SALTA)
        verifica(r.returncode == 0, f"pg_prova.sh {azione}: {r.stderr}")
        if azione == "avvia":
            self.porta = int(r.stdout.split()[-1])

    def conta(self, computer):
        r = subprocess.run(["psql", "-h", "127.0.0.1", "-p", str(self.porta), "-U", "decimetra",
                            "-d", "decimetra", "-XAtqc",
                            f"SELECT count(*) FROM serie WHERE computer = '{computer}'"],
                           env=dict(os.environ, PGPASSFILE=os.path.join(self.cartella, "pgpass")),
                           capture_output=True, text=True, timeout=120)
        return int(r.stdout.strip()) if r.returncode == 0 and r.stdout.strip() else None


def configura(banco, pg, computer):
    cartella = os.path.join(banco.home, ".config", "decimetra")
    os.makedirs(cartella)
    password = os.path.join(banco.home, "pgpass")
    shutil.copy(os.path.join(pg.cartella, "pgpass"), password)
    os.chmod(password, 0o600)
    with open(os.path.join(cartella, "registro.conf"), "w") as f:
        f.write(f"[server]\nhost=127.0.0.1\nport={pg.porta}\ndatabase=decimetra\n"
                f"user=decimetra\npassfile={password}\ncomputer={computer}\nintervallo=3\n")


def prova(banco):
    richiedi("dbus-daemon", "psql")
    pg = Postgres(os.path.join(banco.base, "pg"))
    pg.comando("avvia")
    banco.alla_chiusura(lambda: pg.comando("rimuovi"))
    configura(banco, pg, "aula-a")
    ausili = Ausili(banco)
    b = Banco(banco.eseguibile)
    banco.alla_chiusura(b.chiudi)
    for via in ("DBUS_SESSION_BUS_ADDRESS", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON"):
        b.env[via] = banco.env[via]
    configura(b, pg, "aula-b")

    # aula-a: the server goes down as the series starts, and comes back after its end.
    ausili.avvia()
    pg.comando("ferma")
    serie_sbagliata(banco)
    time.sleep(1)
    banco.vivo()
    pg.comando("avvia")
    tornato = time.monotonic()
    attendi(lambda: pg.conta("aula-a") == 1, 120, "la serie di aula-a sul server", passo=0.2)
    ritardo = time.monotonic() - tornato
    print(f"aula-a: la serie è arrivata {ritardo:.1f} s dopo il ritorno del server")
    verifica(ritardo < 3 + 5 + 5, f"arrivata dopo {ritardo:.1f} s, oltre il periodo di 3 s")
    banco.ferma_programma()
    verifica(pg.conta("aula-a") == 1, "la serie di aula-a non è sul server una volta sola")

    # aula-b: the series reaches the server as it ends.
    ausili.banco = b
    ausili.avvia()
    serie_sbagliata(b)
    finita = time.monotonic()
    attendi(lambda: pg.conta("aula-b") == 1, 120, "la serie di aula-b sul server", passo=0.1)
    print(f"aula-b: la serie è arrivata {time.monotonic() - finita:.1f} s dopo la sua fine")
    b.ferma_programma()
    ausili.banco = banco

    # The export on aula-a: both computers' series, each once.
    righe = esporta(banco)
    computer = sorted({r["computer"] for r in righe})
    verifica(len(righe) == 40 and computer == ["aula-a", "aula-b"],
             f"{len(righe)} righe esportate, computer {computer}")
    verifica(len({r["serie"] for r in righe}) == 2, "le serie esportate non sono due")
    print("laboratorio: 40 righe esportate da aula-a, 20 di aula-b")


if __name__ == "__main__":
    esegui(prova, sys.argv[1])
