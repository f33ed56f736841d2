#!/usr/bin/env python3
"""A teacher: "Stampa schede" from the start screen's menu, 30 problems of both kinds in the
weights in kg, hg, dag and g (system 9, written into decimetra.dat before the start; the
sheet's foot names the units), the teachers' sheet
previewed and printed through a CUPS queue of the test's own, then the pupils' sheet.
Every solution printed on the teachers' sheet is worked out again here; the pupils' sheet
holds the same problems without them.

Usage: e2e_insegnante.py DECIMETRA   (under tests/x/con_x.sh)"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ausili import Ausili, richiedi  # noqa: E402
from banco import (NUM, SIM, SISTEMI, esegui, risposta_numero, risposta_simbolo,  # noqa: E402
                   verifica)

SISTEMA = 9
# The foot line of a sheet: the system, its subject and its units by name.
PIEDE = "SISTEMA METRICO - MISURE DI PESO: chilogrammi, ettogrammi, decagrammi, grammi"

# A sheet line: the problem with a gap for the number, or the result and " ... " for the
# symbol; on the teachers' sheet followed by "(r." the solution ")".
RIGA = re.compile(
    rf"^\s*(?P<numero>{NUM}) +(?P<da>{SIM}) *= +(?:(?P<a>{SIM})|(?P<risultato>{NUM}) \.\.\.)"
    rf"(?: +\(r\.(?P<soluzione>{NUM}|{SIM})\))?\s*$")


def righe_scheda(testo):
    return [m for m in map(RIGA.match, testo.splitlines()) if m]


def prova(banco):
    richiedi("dbus-daemon")
    simboli = SISTEMI[SISTEMA]
    with open(os.path.join(banco.cartella, "decimetra.dat"), "w") as f:
        f.write(f"{SISTEMA}\r\n")
    banco.avvia_cups()
    ausili = Ausili(banco)
    ausili.avvia()
    banco.tasti("alt+s")
    banco.attendi_finestra(r"STAMPA DELLE SCHEDE$")
    schede = ausili.finestra(r"STAMPA DELLE SCHEDE$")
    gruppo = {nome: ausili.attendi_nodo(schede, nome, "panel") for nome in ("ALUNNI", "DOCENTI")}
    # 30 problems are chosen at start; kind "number or symbol", order "all".
    ausili.clic(schede, r"NUMERO O SIMBOLO")
    ausili.clic(schede, r"TUTTI")
    ausili.clic(gruppo["DOCENTI"], r"VISUALIZZA SCHEDA")
    prima = banco.lavori()
    ausili.clic(gruppo["DOCENTI"], r"STAMPA SCHEDA")
    testo = banco.attendi_lavoro(prima)
    verifica(PIEDE in " ".join(testo.split()), f"la scheda non dice «{PIEDE}»: {testo}")
    docenti = righe_scheda(testo)
    verifica(len(docenti) == 30, f"la scheda dei docenti ha {len(docenti)} righe")
    for n, r in enumerate(docenti, 1):
        if r["a"]:
            giusta = risposta_numero(simboli, r["numero"], r["da"], r["a"])
        else:
            giusta = simboli[risposta_simbolo(simboli, r["numero"], r["da"], r["risultato"])]
        verifica(r["soluzione"] == giusta,
                 f"riga {n}: soluzione {r['soluzione']} invece di {giusta}: {r[0]!r}")
    verifica(any(r["a"] for r in docenti) and any(r["risultato"] for r in docenti),
             "la scheda non mescola i due tipi di problema")

    ausili.clic(gruppo["ALUNNI"], r"VISUALIZZA SCHEDA")
    prima = banco.lavori()
    ausili.clic(gruppo["ALUNNI"], r"STAMPA SCHEDA")
    alunni = righe_scheda(banco.attendi_lavoro(prima))
    verifica(len(alunni) == 30, f"la scheda degli alunni ha {len(alunni)} righe")
    for n, (a, d) in enumerate(zip(alunni, docenti), 1):
        verifica(a["soluzione"] is None, f"riga {n} con la soluzione: {a[0]!r}")
        verifica([a[c] for c in ("numero", "da", "a", "risultato")] ==
                 [d[c] for c in ("numero", "da", "a", "risultato")],
                 f"riga {n}: {a[0]!r} non è il problema della scheda dei docenti {d[0]!r}")
    banco.tasti("alt+F4")
    banco.attendi_finestra(r"^SISTEMA METRICO: ")
    banco.tasti("alt+F4")
    verifica(banco.attendi_uscita() == 0, "la chiusura non ha terminato il programma bene")


if __name__ == "__main__":
    esegui(prova, sys.argv[1])
