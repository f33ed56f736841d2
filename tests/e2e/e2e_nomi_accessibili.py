#!/usr/bin/env python3
"""Every window read through AT-SPI, as a screen reader reads it: each focusable control has
a name of letters or digits, no panel inside a window passes for a window, the drill never
exposes the expected answer, the problem is one sentence, and the certificate is text.

The windows are opened with the keyboard and by clicking controls where AT-SPI says they
are, found by their names.

Usage: e2e_nomi_accessibili.py DECIMETRA   (under tests/x/con_x.sh)"""

import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ausili import Ausili, nodi, pyatspi, richiedi, testi  # noqa: E402
from banco import DETTO, attendi, detto, esegui, risposta_numero, scritto, verifica  # noqa: E402,E501

NOMI = ["metri", "decimetri", "centimetri", "millimetri"]
DOMANDA = re.compile(rf"(?P<numero>{DETTO}) ?(?P<da>\w+) uguale quant[ie] (?P<a>\w+)\?")
PAROLA = re.compile(r"[0-9A-Za-zÀ-ÿ]")


def controlla(finestra, descrizione):
    """The checks every window must pass; the number of focusable controls seen."""
    focalizzabili = 0
    for nodo in nodi(finestra):
        if nodo is finestra:
            continue
        ruolo = nodo.getRoleName()
        verifica(ruolo not in ("frame", "window", "dialog"),
                 f"{descrizione}: «{nodo.name}» si presenta come una finestra ({ruolo})")
        if nodo.getState().contains(pyatspi.STATE_FOCUSABLE):
            focalizzabili += 1
            verifica(PAROLA.search(nodo.name or ""),
                     f"{descrizione}: un controllo {ruolo} senza nome ({nodo.name!r})")
    verifica(focalizzabili > 0, f"{descrizione}: nessun controllo focalizzabile")
    return focalizzabili


def prova(banco):
    richiedi("dbus-daemon")
    with open(os.path.join(banco.cartella, "decimetra.dat"), "w") as f:
        f.write("4\r\n")
    ausili = Ausili(banco)
    ausili.avvia()
    visti = {}

    def finestra(titolo, descrizione, nome=None):
        """The window titled titolo on screen, read by screen readers as nome (its title
        when None)."""
        banco.attendi_finestra(titolo)
        f = ausili.finestra(nome or titolo)
        visti[descrizione] = controlla(f, descrizione)
        return f

    inizio = finestra(r"^SISTEMA METRICO", "schermata iniziale")
    verifica(ausili.cerca(inizio, r"Freccia: .*clic.*"), "le frecce non dicono cosa fanno")
    verifica(ausili.cerca(inizio, r"millimetri, centimetri, decimetri, metri", "push button"),
             "i tasti dell'ordine non si leggono con i nomi delle unità")

    banco.tasti("alt+a")
    finestra(r"^Autore$", "autore")
    banco.tasti("Escape")

    banco.tasti("alt+o")
    opzioni = finestra(r"PANNELLO OPZIONI$", "opzioni")
    for titolo in ("COLORE SFONDO PAGINA", "SINTESI VOCALE", "BEEP"):
        verifica(ausili.cerca(opzioni, re.escape(titolo), visibile=False),
                 f"opzioni: nessun gruppo «{titolo}»")
    banco.tasti("3", "Return")  # "Esci"

    banco.attendi_finestra(r"^SISTEMA METRICO")
    banco.tasti("alt+s")
    schede = finestra(r"STAMPA DELLE SCHEDE$", "schede")
    ausili.clic(schede, r"CALCOLA IL NUMERO")
    ausili.attendi_nodo(schede, r"Scelto: CALCOLA IL NUMERO")
    banco.tasti("alt+i")
    finestra(r"^Form1$", "scelta della stampante", r"^Scelta della stampante$")
    banco.tasti("Escape")
    banco.attendi_finestra(r"STAMPA DELLE SCHEDE$")
    banco.tasti("alt+F4")

    banco.attendi_finestra(r"^SISTEMA METRICO")
    banco.tasti("1", "Return", "1", "Return")  # "Trova il numero", the first order, "Vai"
    drill = finestra(r"^TRASFORMAZIONI$", "esercizio")
    riga = attendi(lambda: next((n for n in nodi(drill) if DOMANDA.fullmatch(n.name or "")),
                                None), 10, "il problema in una frase")
    d = DOMANDA.fullmatch(riga.name)
    plurale = lambda nome: nome if nome in NOMI else nome[:-1] + "i"  # noqa: E731
    giusta = risposta_numero(NOMI, scritto(d["numero"]), plurale(d["da"]), plurale(d["a"]))
    for nodo in nodi(drill):
        for parola in testi(nodo):
            verifica(giusta not in re.findall(r"[\d.,]*\d", parola)
                     and f" {detto(giusta)} " not in f" {parola} ",
                     f"la risposta attesa {giusta} si legge in «{parola}»")
    banco.tasti("7" if giusta != "7" else "8", "v", "Return")
    aiuto = finestra(r"^TRASFORMAZIONI$", "esercizio, Ti aiuto ?")
    ausili.attendi_nodo(aiuto, r"Risposte errate: ?")
    verifica(ausili.cerca(aiuto, r"NO", "push button"), "il tasto NO non si legge")

    banco.tasti("alt+i")
    finestra(r"^ISTRUZIONI$", "istruzioni")
    banco.tasti("Escape")

    banco.attendi_finestra(r"^TRASFORMAZIONI$")
    banco.tasti("alt+v")
    stampa = finestra(r"^FINESTRA DI STAMPA ?$", "finestra di stampa")
    ausili.clic(stampa, r"NOME")
    ausili.attendi_nodo(stampa, r"IMMETTI IL TUO NOME", "text")
    visti["nome"] = controlla(stampa, "nome dell'alunno")
    banco.scrivi("Luca")
    banco.tasti("Return")
    ausili.clic(stampa, r"ATTESTATO")
    attestato = finestra(r"^Form1$", "attestato", r"^Attestato$")
    nodo = ausili.attendi_nodo(attestato, r"Diploma di merito")
    parole = " ".join(testi(nodo))
    for atteso in ("DIPLOMA DI MERITO", "RILASCIATO A", "Luca"):
        verifica(atteso in parole, f"l'attestato non dice «{atteso}»: {parole}")
    print("controlli con un nome, per finestra: " +
          ", ".join(f"{k} {v}" for k, v in visti.items()))


if __name__ == "__main__":
    esegui(prova, sys.argv[1])
