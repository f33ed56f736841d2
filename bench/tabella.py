#!/usr/bin/env python3
"""The speed table: every measurement of the program, its median against its target.

Builds what it needs with the bench preset (Release, in build-release/ at the top of the
repository, beside the program of the release preset), then runs:
  - bench/avvio: start-up time and peak memory of Decimetra against the bare Qt program,
    side by side in one run under Xvfb 1920x1080 + openbox, after checking that the two
    load the same libraries;
  - bench/drill/bench_drill: key press -> reply painted, "Avanti" -> next problem painted,
    maximised under Xvfb + openbox (tests/x/con_x.sh); then key press -> reply painted again
    with "SINTESI VOCALE" on, speaking to a private speech-dispatcher
    (tests/support/speechd_prova.sh);
    and beside the lab server's sending thread, both while it sends to a private PostgreSQL
    cluster (tests/support/pg_prova.sh) and while it waits on a server that never answers;
  - bench_server: one series sent to the lab server on the loopback, and thirty computers
    sending twenty series each at once;
  - bench_generazione: GeneraProblema (with its record line) and FormattaNumero per call;
  - bench_stampa: the record, the certificate and a 30-line worksheet written as PDFs.
Prints the machine it ran on and one Markdown table (what, median, target, met).

    python3 bench/tabella.py [start-up runs]      (default 30 runs of each program)
"""
import json
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

QUI = os.path.dirname(os.path.abspath(__file__))
RADICE = os.path.dirname(QUI)
BUILD = os.path.join(RADICE, "build-release")
CON_X = os.path.join(RADICE, "tests", "x", "con_x.sh")
sys.path.insert(0, os.path.join(QUI, "avvio"))
sys.dont_write_bytecode = True
import misura_avvio  # noqa: E402

BERSAGLI = ["avvio_decimetra", "avvio_nudo", "bench_generazione", "bench_stampa",
            "bench_drill", "bench_server"]
PG_PROVA = os.path.join(RADICE, "tests", "support", "pg_prova.sh")


def compila():
    subprocess.run(["cmake", "--preset", "bench"], cwd=RADICE, check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", "bench", "-j2", "--target", *BERSAGLI],
                   cwd=RADICE, check=True, stdout=subprocess.DEVNULL)


def macchina():
    modello = "?"
    with open("/proc/cpuinfo") as f:
        for riga in f:
            if riga.startswith("model name"):
                modello = riga.split(":", 1)[1].strip()
                break
    debian = open("/etc/debian_version").read().strip() \
        if os.path.exists("/etc/debian_version") else "?"
    qt = subprocess.run(["qtpaths6", "--qt-version"], capture_output=True, text=True)
    return (f"{os.cpu_count()} cores ({modello}), Debian {debian}, "
            f"Qt {qt.stdout.strip() or '?'}, Release build; "
            f"load average {os.getloadavg()[0]:.1f} at the start")


def google_benchmark(programma, nomi, ambiente=None):
    """Medians of the named cases, in ms: ten repetitions each, wall-clock time."""
    filtro = "^(" + "|".join(nomi) + ")$"
    uscita = subprocess.run(
        [os.path.join(BUILD, "bench", programma), "--benchmark_filter=" + filtro,
         "--benchmark_repetitions=10", "--benchmark_report_aggregates_only=true",
         "--benchmark_format=json"],
        check=True, capture_output=True, text=True, env=dict(os.environ, **(ambiente or {})))
    mediane = {}
    scala = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}
    for b in json.loads(uscita.stdout)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            mediane[b["run_name"]] = b["real_time"] * scala[b["time_unit"]]
    mancanti = set(nomi) - set(mediane)
    if mancanti:
        sys.exit(f"{programma}: mancano {', '.join(sorted(mancanti))}")
    return mediane


class Postgres:
    """A private PostgreSQL cluster for the lab server's rows; its address in ambiente."""

    def __enter__(self):
        self.cartella = tempfile.mkdtemp(prefix="bench-pg-")
        avvio = subprocess.run(["bash", PG_PROVA, "avvia", self.cartella + "/pg",
                                str(os.getpid())], capture_output=True, text=True)
        if avvio.returncode != 0:
            sys.exit("PostgreSQL privato non avviato\n" + avvio.stderr)
        self.ambiente = dict(os.environ, DECIMETRA_PG_PORTA=avvio.stdout.strip(),
                             DECIMETRA_PG_PASSFILE=self.cartella + "/pg/pgpass")
        return self

    def __exit__(self, *_):
        subprocess.run(["bash", PG_PROVA, "rimuovi", self.cartella + "/pg"])
        shutil.rmtree(self.cartella, ignore_errors=True)


def server():
    """Median ms of one series sent, and ms for 30 computers x 20 series (each sent twice)."""
    with Postgres() as pg:
        uscita = subprocess.run([os.path.join(BUILD, "bench", "registro", "bench_server")],
                                capture_output=True, text=True, env=pg.ambiente)
    una = re.search(r"one series sent: .* median ([0-9.]+) ms", uscita.stdout)
    trenta = re.search(r"(\d+) stored, none doubled, 0 failed, in ([0-9.]+) ms", uscita.stdout)
    if uscita.returncode != 0 or not una or not trenta:
        sys.exit("bench_server: uscita inattesa\n" + uscita.stdout + uscita.stderr)
    return float(una.group(1)), int(trenta.group(1)), float(trenta.group(2))


def drill(voce=False, server=None):
    """Medians in ms of key press -> repaint and "Avanti" -> next problem; with voce, the
    program speaking to a private speech-dispatcher meanwhile; with server "vivo" or "morto",
    the lab server's sender sending to a private cluster, or waiting on a dead server."""
    if server == "vivo":
        with Postgres() as pg:
            return drill_in(voce, "server-vivo", pg.ambiente)
    return drill_in(voce, "server-morto" if server else None, dict(os.environ))


def drill_in(voce, modo, ambiente):
    argomenti = [CON_X, os.path.join(BUILD, "bench", "drill", "bench_drill"), "300", "1"]
    if modo:
        argomenti.append(modo)
    cartella = tempfile.mkdtemp(prefix="bench-voce-")
    server = os.path.join(RADICE, "tests", "support", "speechd_prova.sh")
    try:
        if voce:
            avvio = subprocess.run(["bash", server, "avvia", cartella, str(os.getpid())],
                                   capture_output=True, text=True)
            if avvio.returncode != 0:
                sys.exit("speech-dispatcher privato non avviato\n" + avvio.stderr)
            ambiente["SPEECHD_ADDRESS"] = avvio.stdout.strip()
            argomenti.append("voce")
        uscita = subprocess.run(argomenti, check=True, capture_output=True, text=True,
                                env=ambiente)
        if voce:
            with open(os.path.join(cartella, "log", "speech-dispatcher.log"), "rb") as log:
                detti = log.read().count(b"Queueing message |")
            if detti == 0:
                sys.exit("bench_drill: la voce non ha detto niente\n" + uscita.stdout)
    finally:
        if voce:
            subprocess.run(["bash", server, "ferma", cartella])
        shutil.rmtree(cartella, ignore_errors=True)
    if modo and not re.search(r"lab server: (\d+) series sent", uscita.stdout):
        sys.exit("bench_drill: il server del registro non ha lavorato\n" + uscita.stdout)
    if modo == "server-vivo" and re.search(r"lab server: 0 series sent", uscita.stdout):
        sys.exit("bench_drill: nessuna serie inviata\n" + uscita.stdout)
    mediane = re.findall(r"median ([0-9.]+) ms", uscita.stdout)
    finestra = re.search(r"window (\d+x\d+)", uscita.stdout)
    if len(mediane) != 2 or not finestra:
        sys.exit("bench_drill: uscita inattesa\n" + uscita.stdout + uscita.stderr)
    return float(mediane[0]), float(mediane[1]), finestra.group(1)


def stesse_librerie():
    """The shared objects each start-up program loads (linked and opened at run time,
    plugins included), compared; returns the count, or exits naming the difference."""
    elenchi = {}
    for nome in ("avvio_decimetra", "avvio_nudo"):
        with tempfile.TemporaryDirectory() as cartella:
            # LD_DEBUG=files names every object as the loader maps it.
            uscita = subprocess.run(
                [CON_X, "env", "LD_DEBUG=files",
                 os.path.join(BUILD, "bench", "avvio", nome)],
                cwd=cartella, capture_output=True, text=True)
        elenchi[nome] = set(re.findall(r"file=(\S+)", uscita.stderr))
    solo_d = elenchi["avvio_decimetra"] - elenchi["avvio_nudo"]
    solo_n = elenchi["avvio_nudo"] - elenchi["avvio_decimetra"]
    if solo_d or solo_n or not elenchi["avvio_nudo"]:
        sys.exit(f"librerie diverse: solo Decimetra {sorted(solo_d)}, "
                 f"solo il programma nudo {sorted(solo_n)}")
    return len(elenchi["avvio_nudo"])


def main():
    corse = int(sys.argv[1]) if len(sys.argv) > 1 else 30
    compila()
    sulla_macchina = macchina()
    librerie = stesse_librerie()
    avvio = misura_avvio.misura(os.path.join(BUILD, "bench", "avvio"), corse)
    tasto, avanti, finestra = drill()
    tasto_voce, _, _ = drill(voce=True)
    tasto_invio, _, _ = drill(server="vivo")
    tasto_morto, _, _ = drill(server="morto")
    una_serie, memorizzate, trenta = server()
    regole = google_benchmark("bench_generazione", ["GeneraProblemaERiga", "FormattaNumeroUno"])
    offscreen = {"QT_QPA_PLATFORM": "offscreen"}
    stampe = google_benchmark("bench_stampa",
                              ["RegistroInPdf", "AttestatoInPdf", "SchedaInPdf"], offscreen)

    def mediana(programma, i):
        return statistics.median(avvio[programma][i])

    righe = []

    def riga(cosa, valore, bersaglio, rispettato):
        righe.append((cosa, valore, bersaglio, "yes" if rispettato else "**NO**"))

    def ms(x):
        return f"{x:.3g} ms" if x < 100 else f"{x:.0f} ms"

    t_d, t_n = mediana("decimetra", 0), mediana("nudo", 0)
    m_d, m_n = mediana("decimetra", 2), mediana("nudo", 2)
    riga("start-up to the first painted frame, maximised (Decimetra / bare Qt)",
         f"{t_d / t_n:.2f}× ({t_d:.0f} / {t_n:.0f} ms)", "≤ 1.15×", t_d <= 1.15 * t_n)
    riga("peak memory at the first frame (Decimetra / bare Qt)",
         f"{m_d / m_n:.2f}× ({m_d:.1f} / {m_n:.1f} MB)", "≤ 1.15×", m_d <= 1.15 * m_n)
    # The runs above start with no options record: "SINTESI VOCALE" off, as for most pupils;
    # the same libraries as the bare program are loaded, so nothing of speech.
    riga("start-up with \"SINTESI VOCALE\" off (Decimetra / bare Qt, the runs above)",
         f"{t_d / t_n:.2f}×", "≤ 1.05×", t_d <= 1.05 * t_n)
    riga(f"key press on the keypad → reply painted ({finestra})", ms(tasto), "< 16 ms",
         tasto < 16)
    riga(f"key clicked → reply painted, \"SINTESI VOCALE\" on, saying the key ({finestra})",
         ms(tasto_voce), "< 16 ms", tasto_voce < 16)
    riga(f"\"Avanti\" → next problem painted ({finestra})", ms(avanti), "< 16 ms", avanti < 16)
    riga(f"key press → reply painted, series being sent to the lab server meanwhile ({finestra})",
         ms(tasto_invio), "< 16 ms", tasto_invio < 16)
    riga(f"key press → reply painted, the lab server not answering ({finestra})",
         ms(tasto_morto), "< 16 ms", tasto_morto < 16)
    riga("one series (20 exercises) sent to the lab server on the loopback", ms(una_serie),
         "< 50 ms", una_serie < 50)
    riga("30 computers × 20 series sent at once, each twice: all stored once",
         f"{trenta / 1000:.1f} s ({memorizzate} stored, none doubled)", "600, none doubled",
         memorizzate == 600)
    riga("record of a series of 20 built and written to PDF", ms(stampe["RegistroInPdf"]),
         "< 50 ms", stampe["RegistroInPdf"] < 50)
    riga("certificate built and written to PDF", ms(stampe["AttestatoInPdf"]), "< 100 ms",
         stampe["AttestatoInPdf"] < 100)
    riga("30-line worksheet built, previewed and written to PDF", ms(stampe["SchedaInPdf"]),
         "< 60 ms", stampe["SchedaInPdf"] < 60)
    riga("`GeneraProblema` and its record line, one call",
         f"{regole['GeneraProblemaERiga'] * 1000:.2f} µs", "", True)
    riga("`FormattaNumero`, one call", f"{regole['FormattaNumeroUno'] * 1000:.2f} µs", "", True)

    print(f"Machine: {sulla_macchina}.")
    c_d, c_n = mediana("decimetra", 1), mediana("nudo", 1)
    print(f"Start-up: {corse} runs of each program, alternately, Xvfb 1920x1080 + openbox; "
          f"both load the same {librerie} shared objects; CPU time (user + system) "
          f"{c_d:.0f} / {c_n:.0f} ms = {c_d / c_n:.2f}×.")
    print()
    print("| what | median | target | met |")
    print("|---|---|---|---|")
    for r in righe:
        print("| " + " | ".join(r) + " |")
    return 0 if all(r[3] == "yes" for r in righe) else 1


if __name__ == "__main__":
    sys.exit(main())
