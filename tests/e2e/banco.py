"""What the end-to-end tests share: the real program started in an empty folder with a home
of its own, real X input through xdotool, a private CUPS queue, the printed pages read back
with pdftotext, and the arithmetic a pupil does to answer a problem.

The tests run under tests/x/con_x.sh (Xvfb 1920 x 1080 with openbox). Every wait has a
deadline; everything started here is stopped on every way out (see Banco.chiudi)."""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from decimal import Decimal

SALTA = 77  # CTest's "skipped"


class Fallito(Exception):
    pass


def verifica(condizione, messaggio):
    if not condizione:
        raise Fallito(messaggio)


def attendi(prova, secondi, descrizione, passo=0.02):
    """Calls prova() until it gives something true; its value, or Fallito after secondi."""
    limite = time.monotonic() + secondi
    while True:
        valore = prova()
        if valore:
            return valore
        if time.monotonic() > limite:
            raise Fallito("scaduto il tempo: " + descrizione)
        time.sleep(passo)


def xdo(*argomenti, secondi=30):
    try:
        r = subprocess.run(["xdotool", *map(str, argomenti)], capture_output=True, text=True,
                           timeout=secondi)
    except subprocess.TimeoutExpired:
        return None
    return r.stdout.strip() if r.returncode == 0 else None


# ---------------------------------------------------------------------------------------
# Unit systems and the pupil's arithmetic

# The unit symbols of the systems the tests use, largest first, as the start screen's
# catalogue shows them (blanks trimmed).
SISTEMI = {
    1: ["u", "d", "c", "m"],
    4: ["m", "dm", "cm", "mm"],
    9: ["kg", "hg", "dag", "g"],
}


def valore(testo):
    """A number as the program writes it ("1.234,5") as a Decimal."""
    return Decimal(testo.replace(".", "").replace(",", "."))


def scrivi_numero(d):
    """A Decimal as the program writes numbers: "." between thousands, "," before the
    decimals, no trailing zeros."""
    testo = format(d.normalize(), "f")
    intera, _, decimali = testo.partition(".")
    gruppi = []
    while len(intera) > 3:
        gruppi.insert(0, intera[-3:])
        intera = intera[:-3]
    gruppi.insert(0, intera)
    risultato = ".".join(gruppi)
    decimali = decimali.rstrip("0")
    return risultato + ("," + decimali if decimali else "")


def risposta_numero(simboli, numero, da, a):
    """The number asked for: numero in unit da written in unit a (a step is a factor ten)."""
    passi = simboli.index(a) - simboli.index(da)
    return scrivi_numero(valore(numero).scaleb(passi))


def risposta_simbolo(simboli, numero, da, risultato):
    """The index of the unit in which risultato equals numero in unit da."""
    for i, simbolo in enumerate(simboli):
        if valore(numero).scaleb(i - simboli.index(da)) == valore(risultato):
            return i
    raise Fallito(f"nessuna unità rende {numero} {da} = {risultato}")


# ---------------------------------------------------------------------------------------
# Record lines as printed

NUM = r"\d{1,3}(?:\.\d{3})*(?:,\d+)?"
SIM = r"[A-Za-z]+"
PROBLEMA = re.compile(
    rf"^\s*(?P<numero>{NUM}) +(?P<da>{SIM}) += +(?:\.\.\. +(?P<a>{SIM}) +r\."
    rf"|(?P<risultato>{NUM})\.\.\. r\.)(?P<resto>.*)$")
# After the problem: wrong replies each marked "*", then either the right reply with dots
# and " s." and the seconds, or the program's solution with " s " and the seconds. A symbol
# reply is recorded as its key shows it, blanks included ("  m * ").
CHIUSURA = re.compile(
    rf"^(?P<errate>(?: +(?:{NUM}|{SIM})? ?\*)*)"
    rf"(?: +(?P<esatta>{NUM}|{SIM}) +\.* ?s\. (?P<tempo>\d+)"
    rf"| +(?P<soluzione>{NUM}|{SIM}) s (?P<tempo_s>\d+))\s*$")


def problema(riga):
    """The problem of a record line (open or closed), or None."""
    m = PROBLEMA.match(riga)
    if not m:
        return None
    return {"numero": m["numero"], "da": m["da"], "a": m["a"], "risultato": m["risultato"],
            "resto": m["resto"]}


def riga_chiusa(riga):
    """A closed record line taken apart: the problem, the wrong replies, and the right reply
    or the solution; None when the line does not follow the grammar."""
    p = problema(riga)
    if not p:
        return None
    m = CHIUSURA.match(p["resto"])
    if not m:
        return None
    p["errate"] = [e.strip() for e in m["errate"].split("*")[:-1]]
    p["esatta"] = m["esatta"]
    p["soluzione"] = m["soluzione"]
    return p


def righe_esercizi(testo):
    """The lines of a printed record that name a problem (the header lines do not)."""
    return [r for r in testo.splitlines() if " r." in r]


def testo_pdf(percorso):
    r = subprocess.run(["pdftotext", "-layout", percorso, "-"], capture_output=True,
                       text=True, timeout=30)
    verifica(r.returncode == 0, f"pdftotext non legge {percorso}: {r.stderr}")
    return r.stdout


# ---------------------------------------------------------------------------------------
# The test bench: folder, home, program, printers


class Banco:
    def __init__(self, eseguibile):
        self.eseguibile = os.path.abspath(eseguibile)
        self.base = tempfile.mkdtemp(prefix="decimetra-e2e-")
        self.cartella = os.path.join(self.base, "lavoro")
        self.home = os.path.join(self.base, "home")
        os.makedirs(self.cartella)
        os.makedirs(self.home)
        self.programma = None
        self.cups = None
        self.pulizie = []
        self.env = dict(os.environ)
        runtime = os.path.join(self.base, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.env.update({"HOME": self.home, "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
                         "XDG_RUNTIME_DIR": runtime})
        # Only a printer of the test's own, or none at all.
        self.env["CUPS_SERVER"] = os.path.join(self.base, "nessun-cups.sock")
        for via in ("XDG_DOCUMENTS_DIR", "PRINTER", "LPDEST"):
            self.env.pop(via, None)
        os.chmod(self.base, 0o755)

    # -- CUPS --------------------------------------------------------------------------

    def avvia_cups(self):
        script = os.path.join(os.path.dirname(__file__), "..", "support", "cups_prova.sh")
        cartella = os.path.join(self.base, "cups")
        r = subprocess.run(["bash", script, "avvia", cartella, "Decimetra", str(os.getpid())],
                           capture_output=True, text=True, timeout=60)
        if r.returncode == SALTA:
            print("CUPS non disponibile: " + r.stderr.strip())
            self.chiudi()
            sys.exit(SALTA)
        verifica(r.returncode == 0, "cups_prova.sh avvia: " + r.stderr)
        self.cups = cartella
        self.env["CUPS_SERVER"] = r.stdout.strip().splitlines()[-1]

    def lavori(self):
        cartella = os.path.join(self.cups, "lavori")
        return sorted((f for f in os.listdir(cartella) if f.startswith("lavoro-")),
                      key=lambda f: int(f.split("-")[1]))

    def attendi_lavoro(self, prima, secondi=60):
        """The text of the first job that reached the queue after the jobs in prima. The
        notice that the page was sent to the printer is closed by Enter, and a window of the
        program is active again."""
        nuovi = attendi(lambda: [f for f in self.lavori() if f not in prima], secondi,
                        "un lavoro di stampa")
        self.attendi_finestra(r"^Stampa$", secondi)
        self.tasti("Return")

        def altra():
            attiva = xdo("getactivewindow")
            nome = xdo("getwindowname", attiva) if attiva else None
            return nome is not None and not re.search(r"^Stampa$", nome)
        attendi(altra, secondi, "la finestra attiva dopo l'avviso di stampa")
        return testo_pdf(os.path.join(self.cups, "lavori", nuovi[0]))

    # -- The program -------------------------------------------------------------------

    def avvia(self):
        """Starts the program; the start screen's id once it is the active window (see
        Ausili.avvia, which also waits for its curtains to open)."""
        self.programma = subprocess.Popen([self.eseguibile], cwd=self.cartella, env=self.env,
                                          stdin=subprocess.DEVNULL)
        return self.attendi_finestra(r"^SISTEMA (DECIMALE|METRICO): ")

    def attendi_uscita(self, secondi=60):
        try:
            codice = self.programma.wait(timeout=secondi)
        except subprocess.TimeoutExpired:
            raise Fallito("il programma non è terminato")
        self.programma = None
        return codice

    def ferma_programma(self):
        if self.programma and self.programma.poll() is None:
            self.programma.send_signal(signal.SIGTERM)
            try:
                self.programma.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.programma.kill()
                self.programma.wait()
        self.programma = None

    def alla_chiusura(self, funzione):
        """funzione runs when the bench closes, after the program has stopped."""
        self.pulizie.append(funzione)

    def chiudi(self):
        self.ferma_programma()
        while self.pulizie:
            self.pulizie.pop()()
        if self.cups:
            script = os.path.join(os.path.dirname(__file__), "..", "support", "cups_prova.sh")
            subprocess.run(["bash", script, "ferma", self.cups], timeout=30)
            self.cups = None
        shutil.rmtree(self.base, ignore_errors=True)

    def vivo(self):
        verifica(self.programma and self.programma.poll() is None,
                 f"il programma è terminato (codice {self.programma and self.programma.poll()})")

    # -- Windows -----------------------------------------------------------------------

    def attendi_finestra(self, titolo, secondi=60):
        """The id of the visible window of the program whose title matches titolo, once it
        is the active window (so keys go to it)."""
        def cerca():
            self.vivo()
            attiva = xdo("getactivewindow")
            if not attiva:
                return None
            nome = xdo("getwindowname", attiva)
            return attiva if nome is not None and re.search(titolo, nome) else None
        return attendi(cerca, secondi, f"la finestra «{titolo}» attiva")

    # -- Input -------------------------------------------------------------------------

    def tasti(self, *tasti):
        self.vivo()
        verifica(xdo("key", "--delay", "40", *tasti) is not None, f"xdotool key {tasti}")

    def scrivi(self, testo):
        self.vivo()
        verifica(xdo("type", "--delay", "40", testo) is not None, f"xdotool type {testo}")

    def clic_assoluto(self, x, y):
        self.vivo()
        # (mousemove --sync would wait for ever when the pointer is already there)
        verifica(xdo("mousemove", x, y, "sleep", "0.01", "click", "1") is not None,
                 f"clic in {x},{y}")


def descrivi_schermo():
    """What was on the screen when a test failed: the windows, the active one, and a picture
    of the active window in the file named by E2E_SCHERMATA (an .xwd) when that is set."""
    attiva = xdo("getactivewindow")
    finestre = (xdo("search", "--onlyvisible", "--name", ".") or "").split()
    if os.environ.get("E2E_SCHERMATA") and attiva:
        with open(os.environ["E2E_SCHERMATA"], "wb") as f:
            subprocess.run(["xwd", "-id", attiva, "-silent"], stdout=f, timeout=10)
    print("finestre visibili: " + ", ".join(
        f"{xdo('getwindowname', f)!r}" + (" (attiva)" if f == attiva else "") for f in finestre),
        file=sys.stderr)


def esegui(prova, eseguibile):
    """Runs one test function with a fresh bench; prints the outcome; exits with its code."""
    banco = Banco(eseguibile)
    inizio = time.monotonic()
    try:
        prova(banco)
    except Fallito as e:
        print(f"FALLITO: {e}", file=sys.stderr)
        descrivi_schermo()
        banco.chiudi()
        sys.exit(1)
    except BaseException:
        banco.chiudi()
        raise
    banco.chiudi()
    print(f"superato in {time.monotonic() - inizio:.1f} s")
    sys.exit(0)
