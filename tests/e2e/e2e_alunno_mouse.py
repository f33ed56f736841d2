#!/usr/bin/env python3
"""A pupil with the mouse alone, on a computer with no printer: a whole series of 20
problems of both kinds in the decimal system (system 1, the first run's default) answered
by clicks, with right replies, wrong replies answered "NO" and then right, "SI" and
"INTERVENGO IO"; the record "printed" from the end panel becomes a PDF in the documents
folder of the home, a message box says where, and a click closes it.

The answer to each problem is found as a pupil could: "Visualizza l'esercizio" prints the
record so far (a PDF as well), whose last line names the problem in progress.

Usage: e2e_alunno_mouse.py DECIMETRA   (under tests/x/con_x.sh)"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from banco import (SISTEMI, Disegno, attendi, esegui, problema, righe_esercizi,  # noqa: E402
                   riga_chiusa, risposta_numero, risposta_simbolo, testo_pdf, verifica)

SISTEMA = 1
PIANO = ["G", "G", "EG", "G", "S", "G", "G", "I", "G", "G",
         "G", "EEG", "G", "G", "G", "S", "G", "G", "EG", "G"]
# Heights of the menu bars over the windows' design areas, in pixels.
MENU_INIZIO, MENU = 20, 23

# Design points (centres) of what the pupil clicks.
INIZIO = (794, 562)
TIPO_MISTO, ORDINE_TUTTI, VAI = (164, 391), (469, 391), (702, 219)
OPERATIVO = (794, 554)
VISUALIZZA = 160  # the menu entry "Visualizza l'esercizio", pixels from the left edge
CIFRE = {d: (20 + [8, 94, 180][(d - 1) % 3] + 39, 278 + [6, 70, 134][2 - (d - 1) // 3] + 29)
         for d in range(1, 10)}
CIFRE[0] = (110, 505)
VIRGOLA, VERIFICA, AVANTI = (239, 505), (399, 377), (399, 441)
SIMBOLI = [(84 + 120 * i, 324) for i in range(4)]
VERIFICA_S, AVANTI_S = (384, 413), (144, 495)
NO, SI, INTERVENGO = (165, 423), (375, 423), (270, 353)
STAMPA_AVVISO = (150, 343)
STAMPA = (794, 582)
ESCI_STAMPA, STAMPA_STAMPA, ATTESTATO = (648, 360), (648, 401), (648, 484)
CERTIFICATO = (796, 588)
FINE_SESSIONE = (621, 553)


def documenti(banco):
    cartella = os.path.join(banco.home, "Documents")
    return set(os.listdir(cartella)) if os.path.isdir(cartella) else set()


def stampa_pdf(banco, finestra):
    """"STAMPA" in the printout window with no printer: the new PDF's text, once the message
    box that names it has been closed by a click on its button."""
    prima = documenti(banco)
    finestra.clic(*STAMPA_STAMPA)
    avviso = banco.attendi_finestra(r"^Stampa$")
    nuovi = documenti(banco) - prima
    verifica(len(nuovi) == 1, f"file nuovi nei documenti: {nuovi}")
    nome = nuovi.pop()
    verifica(nome.startswith("Decimetra ") and nome.endswith(".pdf"), f"nome del PDF: {nome}")
    x, y, w, h = banco.geometria(avviso)
    banco.clic_assoluto(x + w - 55, y + h - 25)  # "OK", at the bottom right
    banco.attendi_finestra(r"^FINESTRA DI STAMPA ?$")
    return testo_pdf(os.path.join(banco.home, "Documents", nome))


def sbircia(banco, operativo, k):
    operativo.clic_menu(VISUALIZZA)
    stampa = Disegno(banco, banco.attendi_finestra(r"^FINESTRA DI STAMPA ?$"), *STAMPA, MENU)
    righe = righe_esercizi(stampa_pdf(banco, stampa))
    verifica(len(righe) == k, f"esercizio {k}: la stampa ha {len(righe)} righe")
    p = problema(righe[-1])
    verifica(p and not p["resto"].strip(), f"esercizio {k}: riga aperta {righe[-1]!r}")
    stampa.clic(*ESCI_STAMPA)
    banco.attendi_finestra(r"^TRASFORMAZIONI$")
    return p


def prova(banco):
    simboli = SISTEMI[SISTEMA]
    inizio = Disegno(banco, banco.avvia(), *INIZIO, MENU_INIZIO)
    for punto in (TIPO_MISTO, ORDINE_TUTTI, VAI):
        inizio.clic(*punto)
    operativo = Disegno(banco, banco.attendi_finestra(r"^TRASFORMAZIONI$"), *OPERATIVO, MENU)

    attesi = []
    for k, azioni in enumerate(PIANO, 1):
        p = sbircia(banco, operativo, k)
        if p["a"]:
            giusta = risposta_numero(simboli, p["numero"], p["da"], p["a"])
            sbagliata = "7" if giusta != "7" else "8"

            def rispondi(r):
                for c in r.replace(".", ""):
                    operativo.clic(*(VIRGOLA if c == "," else CIFRE[int(c)]))
                operativo.clic(*VERIFICA)
            avanti = AVANTI
        else:
            indice = risposta_simbolo(simboli, p["numero"], p["da"], p["risultato"])
            giusta = simboli[indice]
            sbagliata = simboli[(indice + 1) % 4]

            def rispondi(r):
                operativo.clic(*SIMBOLI[simboli.index(r)])
                operativo.clic(*VERIFICA_S)
            avanti = AVANTI_S
        errate = []
        for azione in azioni:
            if azione == "G":
                rispondi(giusta)
            else:
                for _ in range(3 if azione == "I" else 1):
                    rispondi(sbagliata)
                    operativo.clic(*(SI if azione == "S" else NO))
                    errate.append(sbagliata)
                if azione == "I":
                    operativo.clic(*INTERVENGO)
        attesi.append(dict(p, errate=errate, giusta=giusta, esatta=azioni.endswith("G")))
        if k < len(PIANO):
            operativo.clic(*avanti)

    operativo.clic(*STAMPA_AVVISO)
    stampa = Disegno(banco, banco.attendi_finestra(r"^FINESTRA DI STAMPA ?$"), *STAMPA, MENU)
    righe = righe_esercizi(stampa_pdf(banco, stampa))
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
    stampa.clic(*ATTESTATO)
    Disegno(banco, banco.attendi_finestra(r"^Form1$"), *CERTIFICATO, 0).clic(*FINE_SESSIONE)
    verifica(banco.attendi_uscita() == 0, "\"FINE SESSIONE\" non ha terminato bene")
    print(f"{esatte} risposte esatte, {20 - esatte} soluzioni del programma, "
          f"{sum(1 for a in attesi if a['a'])} problemi di numero")


if __name__ == "__main__":
    esegui(prova, sys.argv[1])
