"""Assistive technology for the end-to-end tests: a private D-Bus session with its AT-SPI
bus, the accessible tree of the program read through pyatspi, the tests' private
speech-dispatcher, and the Orca screen reader speaking through it.

pyatspi is Debian's (python3-pyatspi): a test that imports this module runs under
/usr/bin/python3 even when another python3 comes first in PATH."""

import html
import os
import re
import shutil
import signal
import subprocess
import sys

if not sys.executable.startswith("/usr/bin/python3") and os.path.exists("/usr/bin/python3"):
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        os.execv("/usr/bin/python3", ["/usr/bin/python3", *sys.argv])

from banco import SALTA, Fallito, attendi, verifica  # noqa: E402

try:
    import pyatspi  # noqa: E402
except ImportError:
    pyatspi = None


def richiedi(*programmi):
    """Skips the test (CTest's code 77) when pyatspi or a program is missing."""
    mancanti = [p for p in programmi if not shutil.which(p)]
    if pyatspi is None:
        mancanti.append("python3-pyatspi")
    if mancanti:
        print("mancano: " + ", ".join(mancanti))
        sys.exit(SALTA)


class Ausili:
    """A D-Bus session of the bench's own; the program started on the bench talks AT-SPI on
    it, and this process reads the program's accessible tree."""

    def __init__(self, banco):
        self.banco = banco
        self.processi = []
        r = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1",
                            "--print-pid=1"], capture_output=True, text=True, timeout=20)
        verifica(r.returncode == 0, "dbus-daemon: " + r.stderr)
        indirizzo, pid = r.stdout.split()[:2]
        self.pid_bus = int(pid)
        for env in (os.environ, banco.env):
            env["DBUS_SESSION_BUS_ADDRESS"] = indirizzo
            env.pop("AT_SPI_BUS_ADDRESS", None)
        # The program exposes its controls whether or not a screen reader asked for them.
        banco.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        banco.alla_chiusura(self.chiudi)

    def chiudi(self):
        for p in reversed(self.processi):
            if p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        self.processi = []
        for pid in self._figli_del_bus():
            _uccidi(pid)
        _uccidi(self.pid_bus)

    def _figli_del_bus(self):
        # at-spi-bus-launcher and its bus, started by the session bus on demand.
        r = subprocess.run(["pgrep", "-P", str(self.pid_bus)], capture_output=True, text=True)
        return [int(p) for p in r.stdout.split()]

    def avvia(self):
        """Starts the program; its start screen once the curtains that cover it at start
        have opened, since until then they take the clicks. The curtains are the window's
        only parts that a screen reader is not given (role "invalid"); they show while they
        move."""
        self.banco.avvia()
        inizio = self.finestra(r"^SISTEMA (DECIMALE|METRICO): ")
        attendi(lambda: not self.cerca(inizio, r"", "invalid"), 15, "le tendine aperte",
                passo=0.1)
        return inizio

    # -- The accessible tree -------------------------------------------------------------

    def applicazione(self, secondi=60):
        def cerca():
            for app in pyatspi.Registry.getDesktop(0):
                if app is not None and app.name == "decimetra":
                    return app
            return None
        return attendi(cerca, secondi, "il programma sul bus AT-SPI", passo=0.2)

    def finestra(self, titolo, secondi=60):
        """The accessible top-level window of the program on the screen whose name matches
        titolo."""
        def cerca():
            for f in self.applicazione():
                if f is not None and re.search(titolo, f.name or "") and \
                        f.getState().contains(pyatspi.STATE_SHOWING):
                    return f
            return None
        return attendi(cerca, secondi, f"la finestra accessibile «{titolo}»", passo=0.2)

    def cerca(self, radice, nome, ruolo=None, visibile=True):
        """The first node under radice named nome (a regular expression, matched against the
        name with its blanks collapsed, as a screen reader reads it) with the role."""
        for nodo in nodi(radice):
            if re.fullmatch(nome, " ".join((nodo.name or "").split())) and (
                    ruolo is None or nodo.getRoleName() == ruolo):
                if not visibile or nodo.getState().contains(pyatspi.STATE_SHOWING):
                    return nodo
        return None

    def attendi_nodo(self, radice, nome, ruolo=None, secondi=30):
        return attendi(lambda: self.cerca(radice, nome, ruolo), secondi,
                       f"un controllo «{nome}»", passo=0.1)

    def clic(self, radice, nome, ruolo="push button", secondi=30):
        """A click in the middle of the control named nome under radice, where AT-SPI says
        it is on the screen, once it shows there."""
        nodo = self.attendi_nodo(radice, nome, ruolo, secondi)
        e = nodo.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        verifica(e.width > 0 and e.height > 0, f"«{nome}» non ha un'area sullo schermo")
        self.banco.clic_assoluto(e.x + e.width // 2, e.y + e.height // 2)

    # -- Speech --------------------------------------------------------------------------

    def avvia_voce(self):
        """The tests' private speech-dispatcher (tests/support/speechd_prova.sh) for the bench:
        a function that gives every text it has been asked to say so far, in order, without
        the speech markup (SSML) a screen reader wraps it in."""
        script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support",
                              "speechd_prova.sh")
        cartella = os.path.join(self.banco.base, "voce")
        r = subprocess.run(["bash", script, "avvia", cartella, str(os.getpid())],
                           capture_output=True, text=True, timeout=120)
        if r.returncode == SALTA:
            print(r.stderr.strip())
            self.banco.chiudi()
            sys.exit(SALTA)
        verifica(r.returncode == 0, "speechd_prova.sh avvia: " + r.stderr)
        self.banco.env["SPEECHD_ADDRESS"] = r.stdout.strip().splitlines()[-1]
        self.banco.alla_chiusura(lambda: subprocess.run(["bash", script, "ferma", cartella],
                                                        timeout=30))
        registro = os.path.join(cartella, "log", "speech-dispatcher.log")
        detti = re.compile(r"Queueing message \|(.*?)\| with priority", re.S)
        return lambda: [html.unescape(re.sub(r"<[^>]*>", "", testo))
                        for testo in detti.findall(_leggi(registro) or "")]

    def avvia_orca(self):
        """Orca, speaking through the bench's speech-dispatcher (avvia_voce first)."""
        lanciatore = os.path.join(os.path.dirname(os.path.abspath(__file__)), "orca_prova.py")
        registro = os.path.join(self.banco.base, "orca.log")
        orca = subprocess.Popen(["/usr/bin/python3", lanciatore, "--debug-file=" + registro],
                                env=self.banco.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.processi.append(orca)
        attendi(lambda: "Startup complete" in (_leggi(registro) or ""), 120, "Orca avviato",
                passo=0.2)
        return registro


def nodi(radice):
    """radice and every node under it, depth first."""
    pila = [radice]
    while pila:
        nodo = pila.pop()
        if nodo is None:
            continue
        yield nodo
        try:
            figli = [nodo.getChildAtIndex(i) for i in range(nodo.childCount)]
        except Exception:
            continue
        pila.extend(reversed(figli))


def testi(nodo):
    """Everything a node tells an assistive tool in words: name, description and text."""
    parole = [nodo.name or "", nodo.description or ""]
    try:
        t = nodo.queryText()
        parole.append(t.getText(0, t.characterCount))
    except NotImplementedError:
        pass
    return [p for p in parole if p]


def _leggi(percorso):
    try:
        with open(percorso, encoding="utf-8", errors="replace") as f:
            return f.read().strip()
    except OSError:
        return None


def _uccidi(pid):
    try:
        os.kill(pid, signal.SIGTERM)
    except OSError:
        pass


__all__ = ["Ausili", "Fallito", "nodi", "richiedi", "testi", "pyatspi"]
