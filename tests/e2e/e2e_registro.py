#!/usr/bin/env python3
"""The teacher's register, as a class uses it: a pupil does a whole series by keyboard
(every problem answered wrongly three times, then "INTERVENGO IO"), types "giulia rossi" in
the printout window and ends the program; `decimetra --esporta-registro` then lists the 20
exercises under "Giulia Rossi". A second series is killed with SIGKILL right after its 20th
exercise: it is still there, "senza nome". Then the teacher opens "Registro" (Alt+R), sets
the password, and reads through AT-SPI the list, the chart and the missed pairs of Giulia.

Usage: e2e_registro.py DECIMETRA   (under tests/x/con_x.sh)"""

import csv
import io
import os
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ausili import Ausili, richiedi, testi  # noqa: E402
from banco import attendi, esegui, verifica  # noqa: E402

INTESTAZIONE = ("serie;data;ora;computer;alunno;livello;sistema;tipo;ordine;esercizio;problema;"
                "soluzione;risposte;aiuto;esito;secondi")


def serie_sbagliata(banco):
    """Twenty problems of numbers, each answered "0" (never right: the digits drawn are 1..9)
    three times, each time "NO" to the help, then "INTERVENGO IO"."""
    banco.tasti("1", "Return", "1", "Return")  # "Trova il numero", the first order, "Vai"
    banco.attendi_finestra(r"^TRASFORMAZIONI$")
    for k in range(1, 21):
        for _ in range(3):
            banco.tasti("0", "Return", "n", "Return")
        banco.tasti("Return")  # "INTERVENGO IO"
        if k < 20:
            banco.tasti("Return")  # "Avanti"


def esporta(banco):
    uscita = os.path.join(banco.base, "registro.csv")
    env = {k: v for k, v in banco.env.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    r = subprocess.run([banco.eseguibile, "--esporta-registro", uscita], env=env,
                       capture_output=True, timeout=120)
    verifica(r.returncode == 0, f"--esporta-registro: {r.returncode} {r.stderr!r}")
    with open(uscita, "rb") as f:
        dati = f.read()
    verifica(dati.startswith(b"\xef\xbb\xbf" + INTESTAZIONE.encode() + b"\r\n"),
             f"intestazione: {dati[:200]!r}")
    return list(csv.DictReader(io.StringIO(dati[3:].decode()), delimiter=";"))


def prova(banco):
    richiedi("dbus-daemon")
    ausili = Ausili(banco)

    # 1. A whole series, a name typed, the program ended.
    ausili.avvia()
    serie_sbagliata(banco)
    banco.tasti("Return")  # "Stampa" on the end panel opens the printout window
    banco.attendi_finestra(r"^FINESTRA DI STAMPA ?$")
    banco.tasti("space", "space", "Return")  # "NOME"
    banco.scrivi("giulia rossi")
    banco.tasti("Tab", "Return", "Return")  # "AVANTI", then "ATTESTATO"
    banco.attendi_finestra(r"^Form1$")
    banco.tasti("3", "Return")  # "FINE SESSIONE"
    verifica(banco.attendi_uscita() == 0, "il programma non è terminato bene")
    righe = esporta(banco)
    verifica(len(righe) == 20, f"{len(righe)} righe esportate invece di 20")
    for n, r in enumerate(righe, 1):
        verifica(r["alunno"] == "Giulia Rossi", f"riga {n}: alunno {r['alunno']!r}")
        verifica(r["esercizio"] == str(n), f"riga {n}: esercizio {r['esercizio']}")
        verifica(r["risposte"] == "0 | 0 | 0", f"riga {n}: risposte {r['risposte']!r}")
        verifica(r["esito"] == "data dal programma", f"riga {n}: esito {r['esito']!r}")
        verifica(r["aiuto"] == "no", f"riga {n}: aiuto {r['aiuto']!r}")

    # 2. Killed right after the 20th exercise: the series is there, unnamed.
    ausili.avvia()
    serie_sbagliata(banco)
    time.sleep(0.3)
    banco.programma.send_signal(signal.SIGKILL)
    banco.programma.wait(timeout=60)
    banco.programma = None
    righe = esporta(banco)
    senza = [r for r in righe if r["alunno"] == "senza nome"]
    verifica(len(righe) == 40 and len(senza) == 20,
             f"dopo SIGKILL: {len(righe)} righe, {len(senza)} senza nome")

    # 3. The register window, read as a screen reader reads it.
    ausili.avvia()
    banco.tasti("alt+r")
    banco.attendi_finestra(r"^Registro: password dell'insegnante$")
    banco.scrivi("maestra1")
    banco.tasti("Tab")
    banco.scrivi("maestra1")
    banco.tasti("Return")
    banco.attendi_finestra(r"^REGISTRO$")
    registro = ausili.finestra(r"^REGISTRO$")
    tabella = ausili.attendi_nodo(registro, r"Serie, dalla più recente", "table")
    celle = [t for n in _nodi(tabella) for t in testi(n)]
    verifica("Giulia Rossi" in celle and "senza nome" in celle, f"celle lette: {celle[:40]}")
    banco.tasti("alt+a", "End")  # the last pupil in the list: Giulia Rossi
    grafico = ausili.attendi_nodo(registro, r"Grafico delle risposte esatte di Giulia Rossi")
    verifica("1 serie" in (grafico.description or ""), f"grafico: {grafico.description!r}")
    coppie = ausili.attendi_nodo(registro, r"Conversioni più sbagliate", "list")
    voci = [t for n in _nodi(coppie) for t in testi(n) if " → " in t]
    verifica(voci and all(" errori su " in v or " errore su " in v for v in voci),
             f"conversioni sbagliate: {voci}")
    totale = sum(int(v.split(": ")[1].split()[0]) for v in voci)
    verifica(totale == 20, f"errori contati {totale} invece di 20: {voci}")
    print(f"registro: 40 righe esportate; {len(voci)} coppie sbagliate lette: {voci[0]}")
    banco.tasti("Escape")


def _nodi(radice):
    from ausili import nodi
    return nodi(radice)


if __name__ == "__main__":
    esegui(prova, sys.argv[1])
