#!/usr/bin/env python3
"""A pupil with the keyboard alone: the weights in kg, hg, dag and g (system 9) chosen in
the start screen's "Sistema" menu (Alt+I, the arrows, Enter), then a whole series of 20
problems of both kinds, each number typed and sent with Enter, with right replies, wrong
replies answered "NO" and then right, "SI" and "INTERVENGO IO"; then the record printed,
the name typed and the certificate printed, through a CUPS queue of the test's own, and the
program ended by "FINE SESSIONE".

The answer to each problem is found as a pupil could: "Visualizza l'esercizio" prints the
record so far, whose last line names the problem in progress.

Usage: e2e_alunno_tastiera.py DECIMETRA   (under tests/x/con_x.sh)"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ausili import Ausili, richiedi  # noqa: E402
from banco import (SISTEMI, attendi, esegui, problema, righe_esercizi,  # noqa: E402
                   riga_chiusa, risposta_numero, risposta_simbolo, verifica)

SISTEMA = 9
# What the pupil does on each exercise: G right at once; E a wrong reply and "NO", then
# the next letter; S a wrong reply and "SI"; I three wrong replies, each answered "NO",
# then "INTERVENGO IO".
PIANO = ["G", "EG", "G", "S", "G", "I", "G", "EEG", "G", "G",
         "S", "G", "EG", "G", "I", "G", "G", "S", "G", "G"]
GIUDIZI = {10: "OTTIMO", 9: "OTTIMO", 8: "DISTINTO", 7: "BUONO", 6: "SUFFICIENTE",
           5: "SUFFICIENTE (!)"}


def tasti_numero(testo):
    return ["comma" if c == "," else c for c in testo if c != "."]


def sbircia(banco, k):
    """Prints the record so far from the drill window and returns its last line's problem."""
    banco.tasti("alt+v")
    banco.attendi_finestra(r"^FINESTRA DI STAMPA ?$")
    prima = banco.lavori()
    banco.tasti("space", "Return")  # "ESCI" has the focus; "STAMPA" is next
    righe = righe_esercizi(banco.attendi_lavoro(prima))
    verifica(len(righe) == k, f"esercizio {k}: la stampa ha {len(righe)} righe")
    for n, riga in enumerate(righe[:-1], 1):
        verifica(riga_chiusa(riga), f"esercizio {k}: la riga {n} non è chiusa: {riga!r}")
    p = problema(righe[-1])
    verifica(p and not p["resto"].strip(), f"esercizio {k}: riga aperta {righe[-1]!r}")
    banco.tasti("space", "space", "space", "Return")  # NOME, ATTESTATO, ESCI
    banco.attendi_finestra(r"^TRASFORMAZIONI$")
    return p


def prova(banco):
    richiedi("dbus-daemon")
    simboli = SISTEMI[SISTEMA]
    banco.avvia_cups()
    ausili = Ausili(banco)
    inizio = ausili.avvia()
    # The system from the "Sistema" menu: it opens on system 1, and the subject headings
    # are passed over by the arrows. The choice is stored. The arrows go to the menu once
    # it shows.
    banco.tasti("alt+i")
    ausili.attendi_nodo(inizio, r"", "popup menu")
    banco.tasti(*["Down"] * (SISTEMA - 1), "Return")
    dat = os.path.join(banco.cartella, "decimetra.dat")
    attendi(lambda: open(dat, newline="").read() == f"{SISTEMA}\r\n", 10,
            f"decimetra.dat con {SISTEMA}")
    banco.attendi_finestra(r"^SISTEMA METRICO: ")
    # Kind "Trova il numero o il simbolo", order "Tutti", "Vai".
    banco.tasti("3", "Return", "3", "Return")
    banco.attendi_finestra(r"^TRASFORMAZIONI$")

    attesi = []
    for k, azioni in enumerate(PIANO, 1):
        p = sbircia(banco, k)
        if p["a"]:
            giusta = risposta_numero(simboli, p["numero"], p["da"], p["a"])
            sbagliata = "7" if giusta != "7" else "8"
            # Typed and sent with Enter, as a pupil does.
            rispondi = lambda r: banco.tasti(*tasti_numero(r), "Return")  # noqa: E731
        else:
            indice = risposta_simbolo(simboli, p["numero"], p["da"], p["risultato"])
            giusta = simboli[indice]
            sbagliata = simboli[(indice + 1) % 4]
            rispondi = lambda r: banco.tasti(str(simboli.index(r)), "Return")  # noqa: E731
        errate = []
        for azione in azioni:
            if azione == "G":
                rispondi(giusta)
            elif azione == "E":
                rispondi(sbagliata)
                banco.tasti("n", "Return")
                errate.append(sbagliata)
            elif azione == "S":
                rispondi(sbagliata)
                banco.tasti("s", "Return")
                errate.append(sbagliata)
            elif azione == "I":
                for _ in range(3):
                    rispondi(sbagliata)
                    banco.tasti("n", "Return")
                    errate.append(sbagliata)
                banco.tasti("Return")  # any key presses "INTERVENGO IO"
        attesi.append(dict(p, errate=errate, giusta=giusta, esatta=azioni.endswith("G")))
        if k < len(PIANO):
            banco.tasti("Return")  # "Avanti" has the focus

    # The end panel: "Stampa" has the focus and opens the printout window.
    banco.tasti("Return")
    banco.attendi_finestra(r"^FINESTRA DI STAMPA ?$")
    prima = banco.lavori()
    banco.tasti("space", "Return")
    righe = righe_esercizi(banco.attendi_lavoro(prima))
    verifica(len(righe) == 20, f"la stampa finale ha {len(righe)} righe: {righe}")
    for n, (riga, atteso) in enumerate(zip(righe, attesi), 1):
        r = riga_chiusa(riga)
        verifica(r, f"riga {n} fuori dalla grammatica: {riga!r}")
        verifica(r["da"] in simboli and r["a"] in simboli + [None],
                 f"riga {n}: unità fuori dal sistema {SISTEMA}: {riga!r}")
        for campo in ("numero", "da", "a", "risultato"):
            verifica(r[campo] == atteso[campo], f"riga {n}: {campo} {r[campo]} invece di "
                     f"{atteso[campo]}: {riga!r}")
        verifica(r["errate"] == atteso["errate"],
                 f"riga {n}: risposte errate {r['errate']} invece di {atteso['errate']}")
        chiusura = r["esatta"] if atteso["esatta"] else r["soluzione"]
        verifica(chiusura == atteso["giusta"] and (r["esatta"] is None) != atteso["esatta"],
                 f"riga {n}: chiusa da {r['esatta'] or r['soluzione']!r}, attesa "
                 f"{'la risposta' if atteso['esatta'] else 'la soluzione'} {atteso['giusta']}")
    esatte = sum(1 for a in attesi if a["esatta"])
    verifica(sum(1 for r in righe if riga_chiusa(r)["esatta"]) == esatte, "risposte esatte")
    verifica(sum(1 for r in righe if riga_chiusa(r)["soluzione"]) == 20 - esatte, "soluzioni")

    # "NOME", the name typed, "AVANTI"; the focus is then on "ATTESTATO".
    banco.tasti("space", "Return")
    banco.scrivi("mario d'amico")
    banco.tasti("Tab", "Return", "Return")
    banco.attendi_finestra(r"^Form1$")
    prima = banco.lavori()
    banco.tasti("Return")  # "STAMPA L'ATTESTATO" has the focus
    attestato = banco.attendi_lavoro(prima)
    giudizio = GIUDIZI.get(math.floor(10 * esatte / 20), "Non classificato")
    parole = " ".join(attestato.split())
    for atteso in ("DIPLOMA DI MERITO", "RILASCIATO A Mario D'Amico",
                   f"con la valutazione di {giudizio} con {esatte} risposte esatte su 20 "
                   "richieste"):
        verifica(atteso in parole, f"l'attestato non dice «{atteso}»: {parole}")

    # "FINE SESSIONE" ends the program.
    banco.tasti("3", "Return")
    codice = banco.attendi_uscita()
    verifica(codice == 0, f"il programma è terminato con il codice {codice}")
    print(f"{esatte} risposte esatte, {20 - esatte} soluzioni del programma, "
          f"{sum(1 for a in attesi if a['a'])} problemi di numero, giudizio {giudizio}")


if __name__ == "__main__":
    esegui(prova, sys.argv[1])
