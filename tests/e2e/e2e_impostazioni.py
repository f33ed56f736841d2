#!/usr/bin/env python3
"""The settings survive a restart: the unit system stepped on the start screen by clicks on
its author line and on the unit names (decimetra.dat), and a page colour chosen on the
options screen and stored with "Memorizza nuove impostazioni" (decimetra.opz).

After the restart the test looks at what the program does with what it read, not only at
the files: one more step of the system goes on from the stored one, and storing the options
again unchanged writes the chosen colour, not the defaults.

Usage: e2e_impostazioni.py DECIMETRA   (under tests/x/con_x.sh)"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ausili import Ausili, richiedi  # noqa: E402
from banco import attendi, esegui, verifica  # noqa: E402

AUTORE = r"Il nuovo software di Vantolo"  # the author line
NOMI_UNITA = r"\w+(, \w+)+"  # the unit names under the title, the one label that is a list
RIGA_VERDE = str(100 + 256 * 255 + 65536 * 190)


def prova(banco):
    richiedi("dbus-daemon")
    ausili = Ausili(banco)
    dat = os.path.join(banco.cartella, "decimetra.dat")
    opz = os.path.join(banco.cartella, "decimetra.opz")

    def righe(percorso):
        try:
            with open(percorso, newline="") as f:
                return f.read().split("\r\n")
        except FileNotFoundError:
            return None

    def attendi_livello(n):
        attendi(lambda: righe(dat) == [str(n), ""], 10, f"decimetra.dat con {n}")

    # First run in an empty folder: system 1, written at once.
    inizio = ausili.avvia()
    attendi_livello(1)
    ausili.clic(inizio, AUTORE, "label")
    attendi_livello(2)
    ausili.clic(inizio, NOMI_UNITA, "label")
    attendi_livello(3)

    # The options screen from the menu; a page colour; stored.
    banco.tasti("alt+o")
    banco.attendi_finestra(r"^ ?PANNELLO OPZIONI$")
    opzioni = ausili.finestra(r"^ ?PANNELLO OPZIONI$")
    ausili.clic(ausili.attendi_nodo(opzioni, r"COLORE SFONDO PAGINA", "panel"), r"Verde",
                "radio button")  # index 7
    ausili.clic(opzioni, r"Memorizza nuove impostazioni")
    memorizzate = attendi(lambda: righe(opz), 10, "decimetra.opz")
    # Eleven values, then the speech switch (off), the letter case (as designed), praise and
    # scanning (off) and the scanning step on lines 12 to 16.
    verifica(len(memorizzate) == 17 and memorizzate[0] == RIGA_VERDE and memorizzate[8] == "7"
             and memorizzate[11:16] == ["False", "1", "False", "False", "15"],
             f"decimetra.opz non ha il verde: {memorizzate}")
    verifica(righe(dat) == ["3", ""], "le opzioni hanno toccato decimetra.dat")
    ausili.clic(opzioni, r"Esci")
    banco.attendi_finestra(r"^SISTEMA DECIMALE: ")
    ausili.clic(inizio, r"Esci")
    verifica(banco.attendi_uscita() == 0, "\"Esci\" non ha terminato il programma bene")

    # Restart: system 3 is in force, so one more step wraps round to 1.
    prima = os.stat(opz).st_mtime_ns
    inizio = ausili.avvia()
    verifica(righe(dat) == ["3", ""], f"decimetra.dat riscritto all'avvio: {righe(dat)}")
    ausili.clic(inizio, AUTORE, "label")
    attendi_livello(1)

    # The options read back: stored again unchanged, they still hold the colour chosen.
    banco.tasti("alt+o")
    banco.attendi_finestra(r"^ ?PANNELLO OPZIONI$")
    banco.tasti("Return")  # "Memorizza nuove impostazioni" has the focus
    attendi(lambda: os.stat(opz).st_mtime_ns != prima, 10, "decimetra.opz riscritto")
    # The page colour and the three indices as stored; the other colours are recomputed
    # from the indices when the record is applied at start.
    riscritte = righe(opz)
    verifica(riscritte[0] == RIGA_VERDE and riscritte[8:] == memorizzate[8:],
             f"le opzioni non sono sopravvissute: {riscritte} invece di {memorizzate}")
    banco.tasti("e", "Return")
    banco.attendi_finestra(r"^SISTEMA DECIMALE: ")
    banco.tasti("alt+F4")
    verifica(banco.attendi_uscita() == 0, "la chiusura non ha terminato il programma bene")


if __name__ == "__main__":
    esegui(prova, sys.argv[1])
