#!/usr/bin/env python3
"""Start-up time and peak memory of Decimetra against a bare Qt Widgets program.

Builds both programs with the bench preset (Release, in build-release/ at the top of the
repository), starts Xvfb with openbox (so that maximised windows are really maximised),
then runs the two programs alternately, each in a fresh empty folder. Time: from just
before the process is created to the report of its first painted maximised frame; CPU:
user + system time of the process over the whole run, which ends right after that report
(less disturbed by other load on the machine than the wall-clock time). Memory: the
process's peak resident size (ru_maxrss) over the whole run.

    python3 bench/avvio/misura_avvio.py [runs]      (default 15 runs of each)

bench/tabella.py imports it and runs misura() on the programs of its own build.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

QUI = os.path.dirname(os.path.abspath(__file__))
RADICE = os.path.abspath(os.path.join(QUI, "..", ".."))
BUILD = os.path.join(RADICE, "build-release", "bench", "avvio")


def compila():
    subprocess.run(["cmake", "--preset", "bench"], cwd=RADICE, check=True,
                   stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", "--preset", "bench", "-j2", "--target",
                    "avvio_decimetra", "avvio_nudo"], cwd=RADICE, check=True,
                   stdout=subprocess.DEVNULL)


def avvia_schermo():
    # Xvfb picks a free display itself and writes its number on the pipe.
    lettura, scrittura = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(scrittura), "-screen", "0",
                             "1920x1080x24", "-noreset", "-nolisten", "tcp"],
                            pass_fds=(scrittura,), stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    os.close(scrittura)
    with os.fdopen(lettura) as canale:
        numero = canale.readline().strip()
    if not numero:
        raise RuntimeError("Xvfb non partito")
    env = dict(os.environ, DISPLAY=":" + numero)
    env.pop("QT_QPA_PLATFORM", None)
    wm = subprocess.Popen(["openbox"], env=env, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL)
    time.sleep(1.0)
    return xvfb, wm, env


def una_corsa(programma, env):
    with tempfile.TemporaryDirectory() as cartella:
        inizio = time.time_ns()
        proc = subprocess.Popen([programma], cwd=cartella, env=env, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL)
        uscita = proc.stdout.read().decode().split()
        _, _, risorse = os.wait4(proc.pid, 0)
        proc.returncode = 0
        if len(uscita) < 2:
            raise RuntimeError(programma + " non ha riportato il primo disegno")
        dipinto = int(uscita[0])
        cpu = (risorse.ru_utime + risorse.ru_stime) * 1000.0
        return (dipinto - inizio) / 1e6, cpu, risorse.ru_maxrss / 1024.0


def misura(cartella, corse):
    """Runs avvio_decimetra and avvio_nudo of cartella alternately, corse times each.
    Returns {"decimetra": (times, cpu, memory), "nudo": (...)}, ms and MB."""
    cartella = os.path.abspath(cartella)
    programmi = {
        "decimetra": os.path.join(cartella, "avvio_decimetra"),
        "nudo": os.path.join(cartella, "avvio_nudo"),
    }
    xvfb, wm, env = avvia_schermo()
    risultati = {nome: ([], [], []) for nome in programmi}
    try:
        for nome, prog in programmi.items():  # one warm-up run each, not counted
            una_corsa(prog, env)
        for _ in range(corse):
            for nome, prog in programmi.items():
                for serie, valore in zip(risultati[nome], una_corsa(prog, env)):
                    serie.append(valore)
    finally:
        wm.terminate()
        xvfb.terminate()
        wm.wait()
        xvfb.wait()
    return risultati


def main():
    corse = int(sys.argv[1]) if len(sys.argv) > 1 else 15
    for strumento in ("Xvfb", "openbox", "cmake"):
        if not shutil.which(strumento):
            sys.exit("manca " + strumento)
    compila()
    risultati = misura(BUILD, corse)
    print(f"{corse} runs each, Xvfb 1920x1080 + openbox, Release build")
    print(f"{'program':<10} {'median ms':>10} {'min ms':>8} {'max ms':>8} {'CPU ms':>8} "
          f"{'peak MB':>8}")
    for nome, (tempi, cpu, memorie) in risultati.items():
        print(f"{nome:<10} {statistics.median(tempi):10.1f} {min(tempi):8.1f} "
              f"{max(tempi):8.1f} {statistics.median(cpu):8.1f} {statistics.median(memorie):8.1f}")

    def rapporto(i):
        return (statistics.median(risultati["decimetra"][i])
                / statistics.median(risultati["nudo"][i]))
    print(f"ratio decimetra / nudo (medians): time {rapporto(0):.2f}x, CPU {rapporto(1):.2f}x, "
          f"memory {rapporto(2):.2f}x (target <= 1.15x)")


if __name__ == "__main__":
    main()
