#!/usr/bin/env python3
"""A pupil who cannot see the screen, with the Orca screen reader: two problems of the metric
lengths answered by keyboard alone. What Orca says reaches a speech-dispatcher of the test's
own, which logs each text it is asked to say: the problem, "Errato" and "Ti aiuto ?", the
problem asked again after "NO", "Esatto", and the program's solution after "SI" must all be
heard, while the focus stays on the keys. Then the certificate, opened from the printout
window with a name typed, must be heard with the name and the grade.

Usage: e2e_lettore_schermo.py DECIMETRA   (under tests/x/con_x.sh)"""

import os
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ausili import Ausili, richiedi  # noqa: E402
from banco import DETTO, attendi, detto, esegui, risposta_numero, scritto, verifica  # noqa: E402,E501

NOMI = ["metri", "decimetri", "centimetri", "millimetri"]
DOMANDA = re.compile(rf"(?P<numero>{DETTO}) ?(?P<da>\w+) uguale quant[ie] (?P<a>\w+)\?")


def plurale(nome):
    return nome if nome in NOMI else nome[:-1] + "i"  # "1 metro"


def tasti_numero(testo):
    return ["comma" if c == "," else c for c in testo if c != "."]


def prova(banco):
    richiedi("orca", "speech-dispatcher", "dbus-daemon")
    with open(os.path.join(banco.cartella, "decimetra.dat"), "w") as f:
        f.write("4\r\n")
    ausili = Ausili(banco)
    detti = ausili.avvia_voce()
    ausili.avvia_orca()

    letto = [0]  # characters of what was said already looked at

    def ascolta(modello, descrizione, secondi=45):
        """The first thing said since the last call that matches modello (Orca may say a
        line in several texts)."""
        def cerca():
            detto = " ".join(" ".join(detti()).split())
            m = re.compile(modello).search(detto, letto[0])
            if m:
                letto[0] = m.end()
            return m
        try:
            return attendi(cerca, secondi, descrizione, passo=0.1)
        except Exception:
            print("Orca ha detto:\n" + "\n".join(detti()), file=sys.stderr)
            raise

    ausili.avvia()
    ascolta(r"Trova il numero", "il primo tasto della schermata iniziale")
    banco.tasti("1", "Return", "1", "Return")  # "Trova il numero", the first order, "Vai"
    banco.attendi_finestra(r"^TRASFORMAZIONI$")

    for esercizio in (1, 2):
        d = ascolta(DOMANDA, f"il problema {esercizio}")
        giusta = risposta_numero(NOMI, scritto(d["numero"]), plurale(d["da"]), plurale(d["a"]))
        sbagliata = "7" if giusta != "7" else "8"
        banco.tasti(*tasti_numero(sbagliata), "v", "Return")
        ascolta(r"Errato\W+Ti aiuto \?", "«Errato» e «Ti aiuto ?»")
        if esercizio == 1:
            banco.tasti("n", "Return")  # "NO": the problem is asked again
            verifica(ascolta(DOMANDA, "il problema di nuovo")[0] == d[0],
                     "dopo «NO» il problema detto non è lo stesso")
            banco.tasti(*tasti_numero(giusta), "v", "Return")
            ascolta(r"\bEsatto\b", "«Esatto»")
            banco.tasti("Return")  # "Avanti" has the focus
        else:
            banco.tasti("s", "Return")  # "SI": the program gives the solution
            atteso = f"Intervengo io: {d['numero']} {d['da']} uguale {detto(giusta)} "
            ascolta(re.escape(atteso), f"la soluzione del programma «{atteso}»")
    print(f"Orca ha detto {letto[0]} caratteri fino alla soluzione")

    # The printout window, "NOME" ("ESCI" has the focus), the name, "AVANTI", "ATTESTATO".
    banco.tasti("alt+v")
    banco.attendi_finestra(r"^FINESTRA DI STAMPA ?$")
    banco.tasti("space", "space", "Return")
    banco.scrivi("mario")
    banco.tasti("Tab", "Return")
    inizio = time.monotonic()
    banco.tasti("Return")
    # One right reply out of two exercises: mark 5, said without its "(!)".
    ascolta(r"Diploma di merito\W+Nome: Mario\W+Giudizio: Sufficiente\W+"
            r"Risposte esatte: 1 su 2\W+Data: \d+ \w+ \d{4}", "l'attestato, nome e giudizio")
    print(f"l'attestato detto da Orca {time.monotonic() - inizio:.1f} s dopo «ATTESTATO»")


if __name__ == "__main__":
    esegui(prova, sys.argv[1])
