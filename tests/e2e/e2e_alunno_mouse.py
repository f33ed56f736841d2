#!/usr/bin/env python3
"""A pupil with the mouse alone, on a computer with no printer: a whole series of 20
problems of both kinds in the decimal system (system 1, the first run's default) answered
by clicks, with right replies, wrong replies answered "NO" and then right, "SI" and
"INTERVENGO IO"; the record "printed" from the end panel becomes a PDF in the documents
folder of the home, a message box says where, and a click closes it.

The answer to each problem is found as a pupil could: "Visualizza l'esercizio" prints the
record so far (a PDF as well), whose last line names the problem in progress. Every control
is found by the name a screen reader reads and clicked where AT-SPI says it is.

Usage: e2e_alunno_mouse.py DECIMETRA   (under tests/x/con_x.sh)"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ausili import Ausili, richiedi  # noqa: E402
from banco import (NOMI_UNITA, SISTEMI, esegui, problema, righe_esercizi, riga_chiusa,  # noqa: E402
                   risposta_numero, risposta_simbolo, testo_pdf, verifica)

SISTEMA = 1
PIANO = ["G", "G", "EG", "G", "S", "G", "G", "I", "G", "G",
         "G", "EEG", "G", "G", "G", "S", "G", "G", "EG", "G"]


def documenti(banco):
    cartella = os.path.join(banco.home, "Documents")
    return set(os.listdir(cartella)) if os.path.isdir(cartella) else set()


def stampa_pdf(banco, ausili, finestra):
    """"STAMPA" in the printout window with no printer: the new PDF's text, once the message
    box that names it has been closed by a click on its button."""
    prima = documenti(banco)
    ausili.clic(finestra, r"STAMPA")
    banco.attendi_finestra(r"^Stampa$")
    nuovi = documenti(banco) - prima
    verifica(len(nuovi) == 1, f"file nuovi nei documenti: {nuovi}")
    nome = nuovi.pop()
    verifica(nome.startswith("Decimetra ") and nome.endswith(".pdf"), f"nome del PDF: {nome}")
    ausili.clic(ausili.finestra(r"^Stampa$"), r"OK")
    banco.attendi_finestra(r"^FINESTRA DI STAMPA ?$")
    return testo_pdf(os.path.join(banco.home, "Documents", nome))


def finestra_di_stampa(banco, ausili):
    banco.attendi_finestra(r"^FINESTRA DI STAMPA ?$")
    return ausili.finestra(r"^FINESTRA DI STAMPA ?$")


def sbircia(banco, ausili, operativo, k):
    ausili.clic(operativo, r"Visualizza l'esercizio", "menu item")
    stampa = finestra_di_stampa(banco, ausili)
    righe = righe_esercizi(stampa_pdf(banco, ausili, stampa))
    verifica(len(righe) == k, f"esercizio {k}: la stampa ha {len(righe)} righe")
    p = problema(righe[-1])
    verifica(p and not p["resto"].strip(), f"esercizio {k}: riga aperta {righe[-1]!r}")
    ausili.clic(stampa, r"ESCI")
    banco.attendi_finestra(r"^TRASFORMAZIONI$")
    return p


def prova(banco):
    richiedi("dbus-daemon")
    simboli = SISTEMI[SISTEMA]
    ausili = Ausili(banco)
    inizio = ausili.avvia()
    for nome in (r"Trova il numero o il simbolo", r"Tutti", r"Vai"):
        ausili.clic(inizio, nome)
    banco.attendi_finestra(r"^TRASFORMAZIONI$")
    operativo = ausili.finestra(r"^TRASFORMAZIONI$")

    pannelli = {}  # found once: a search of the panel alone is quicker than the window's

    def tasto(pannello, nome):
        """Clicks the key nome of the named panel, or of the window for a panel without a
        name (the help, intervention and end panels, whose question is announced)."""
        if pannello is None:
            ausili.clic(operativo, nome)
            return
        if pannello not in pannelli:
            pannelli[pannello] = ausili.attendi_nodo(operativo, pannello, "panel")
        ausili.clic(pannelli[pannello], nome)

    attesi = []
    for k, azioni in enumerate(PIANO, 1):
        p = sbircia(banco, ausili, operativo, k)
        if p["a"]:
            giusta = risposta_numero(simboli, p["numero"], p["da"], p["a"])
            sbagliata = "7" if giusta != "7" else "8"
            pannello = r"Tastierino"

            def rispondi(r):
                for c in r.replace(".", ""):
                    tasto(pannello, "virgola" if c == "," else c)
                tasto(pannello, r"Verifica")
        else:
            indice = risposta_simbolo(simboli, p["numero"], p["da"], p["risultato"])
            giusta = simboli[indice]
            sbagliata = simboli[(indice + 1) % 4]
            pannello = r"Simboli"

            def rispondi(r):
                tasto(pannello, NOMI_UNITA[SISTEMA][simboli.index(r)])  # read by its name
                tasto(pannello, r"Verifica")
        errate = []
        for azione in azioni:
            if azione == "G":
                rispondi(giusta)
            else:
                for _ in range(3 if azione == "I" else 1):
                    rispondi(sbagliata)
                    tasto(None, "SI" if azione == "S" else "NO")
                    errate.append(sbagliata)
                if azione == "I":
                    tasto(None, r"INTERVENGO IO")
        attesi.append(dict(p, errate=errate, giusta=giusta, esatta=azioni.endswith("G")))
        if k < len(PIANO):
            tasto(pannello, r"Avanti")

    tasto(None, r"Stampa")
    stampa = finestra_di_stampa(banco, ausili)
    righe = righe_esercizi(stampa_pdf(banco, ausili, stampa))
    verifica(len(righe) == 20, f"il PDF finale ha {len(righe)} righe: {righe}")
    for n, (riga, atteso) in enumerate(zip(righe, attesi), 1):
        r = riga_chiusa(riga)
        verifica(r, f"riga {n} fuori dalla grammatica: {riga!r}")
        for campo in ("numero", "da", "a", "risultato"):
            verifica(r[campo] == atteso[campo], f"riga {n}: {campo} {r[campo]!r}: {riga!r}")
        verifica(r["errate"] == atteso["errate"],
                 f"riga {n}: risposte errate {r['errate']} invece di {atteso['errate']}")
        chiusura = r["esatta"] if atteso["esatta"] else r["soluzione"]
        verifica(chiusura == atteso["giusta"] and (r["esatta"] is None) != atteso["esatta"],
                 f"riga {n}: chiusa da {r['esatta'] or r['soluzione']!r}, attesa "
                 f"{'la risposta' if atteso['esatta'] else 'la soluzione'} {atteso['giusta']}")
    esatte = sum(1 for a in attesi if a["esatta"])
    # "ATTESTATO", then "FINE SESSIONE" ends the program.
    ausili.clic(stampa, r"ATTESTATO")
    banco.attendi_finestra(r"^Form1$")
    ausili.clic(ausili.finestra(r"^Attestato$"), r"FINE SESSIONE")
    verifica(banco.attendi_uscita() == 0, "\"FINE SESSIONE\" non ha terminato bene")
    print(f"{esatte} risposte esatte, {20 - esatte} soluzioni del programma, "
          f"{sum(1 for a in attesi if a['a'])} problemi di numero")


if __name__ == "__main__":
    esegui(prova, sys.argv[1])
