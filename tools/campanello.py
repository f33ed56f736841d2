#!/usr/bin/env python3
"""Synthesises the right-answer chime: three rising bell notes (C6, E6, G6), each with a
quick attack, two soft overtones and an exponential fade. Writes 16-bit mono PCM WAV.

    python3 tools/campanello.py src/resources/suoni/101.wav src/resources/suoni/102.wav

The same sound is written to every file named (the program keeps two identical copies and
plays the first).
"""
import math
import struct
import sys
import wave

FREQUENZA = 22050          # samples per second
DURATA = 0.75              # seconds
NOTE = [(1046.50, 0.00), (1318.51, 0.09), (1567.98, 0.18)]  # Hz, start in seconds
ARMONICHE = [(1.0, 1.0), (2.0, 0.28), (3.0, 0.08)]          # multiple, weight
ATTACCO = 0.006            # seconds of linear rise
DECADIMENTO = 0.22         # seconds for the note to fall to 1/e
PICCO = 0.55               # peak level, a share of full scale


def campione(t):
    totale = 0.0
    for frequenza, inizio in NOTE:
        dt = t - inizio
        if dt < 0:
            continue
        inviluppo = min(1.0, dt / ATTACCO) * math.exp(-dt / DECADIMENTO)
        for multiplo, peso in ARMONICHE:
            # Higher overtones fade faster, as on a struck bell.
            totale += peso * inviluppo * math.exp(-dt * (multiplo - 1) * 3.0) * \
                math.sin(2 * math.pi * frequenza * multiplo * dt)
    return totale


def main(percorsi):
    n = int(FREQUENZA * DURATA)
    valori = [campione(i / FREQUENZA) for i in range(n)]
    # A short fade at the very end so the sound never stops with a click.
    coda = int(0.03 * FREQUENZA)
    for i in range(coda):
        valori[n - coda + i] *= 1.0 - i / coda
    massimo = max(abs(v) for v in valori) or 1.0
    dati = b"".join(struct.pack("<h", int(round(v / massimo * PICCO * 32767))) for v in valori)
    for percorso in percorsi:
        with wave.open(percorso, "wb") as f:
            f.setnchannels(1)
            f.setsampwidth(2)
            f.setframerate(FREQUENZA)
            f.writeframes(dati)


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    main(sys.argv[1:])
