#!/usr/bin/env python3
"""Draws the program icon, decimetra.png (64 x 64, RGBA), with the standard library only.

A unit block, a red arrow and ten tenths, over a ruler, on the keys' orange.
Run from this folder:  python3 disegna_icona.py
The larger sizes for the desktop menu (packaging/icone/) come from the same drawing:
  python3 disegna_icona.py 256 ../../packaging/icone/decimetra_256.png
"""
import struct
import sys
import zlib

# 64: a small icon, since the window system gets it whole at every start.
LATO = int(sys.argv[1]) if len(sys.argv) > 1 else 64
SCALA = 256 / LATO  # the drawing is laid out on a 256 grid
CAMPIONI = 4  # subsamples per axis, for smooth edges

ARANCIO = (255, 192, 128)
BORDO = (200, 110, 40)
BLU = (0, 0, 128)
ROSSO = (220, 0, 0)
CREMA = (255, 250, 235)


def dentro_arrotondato(x, y, x0, y0, x1, y1, r):
    if not (x0 <= x <= x1 and y0 <= y <= y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def dentro_triangolo(x, y, a, b, c):
    def lato(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    d1, d2, d3 = lato(a, b), lato(b, c), lato(c, a)
    negativo = d1 < 0 or d2 < 0 or d3 < 0
    positivo = d1 > 0 or d2 > 0 or d3 > 0
    return not (negativo and positivo)


def rett(x, y, x0, y0, x1, y1):
    return x0 <= x < x1 and y0 <= y < y1


def colore(x, y):
    """Colour at a point, or None outside the icon."""
    if not dentro_arrotondato(x, y, 4, 4, 252, 252, 40):
        return None
    if not dentro_arrotondato(x, y, 12, 12, 244, 244, 32):
        return BORDO
    # unit block, arrow, ten tenths
    if rett(x, y, 34, 40, 104, 110):
        return BLU
    if rett(x, y, 110, 67, 148, 83) or dentro_triangolo(x, y, (146, 52), (146, 98), (172, 75)):
        return ROSSO
    for k in range(10):
        if rett(x, y, 178 + 4.6 * k, 40, 178 + 4.6 * k + 3, 110):
            return BLU
    # ruler with a tick every tenth and a long one every half
    if rett(x, y, 26, 140, 230, 212):
        if not rett(x, y, 29, 143, 227, 209):
            return BLU
        for k in range(11):
            lunghezza = 34 if k % 5 == 0 else 18
            if rett(x, y, 36 + 18.4 * k, 143, 39 + 18.4 * k, 143 + lunghezza):
                return BLU
        return CREMA
    return ARANCIO


def pixel(px, py):
    somma = [0, 0, 0, 0]
    for sy in range(CAMPIONI):
        for sx in range(CAMPIONI):
            c = colore((px + (sx + 0.5) / CAMPIONI) * SCALA, (py + (sy + 0.5) / CAMPIONI) * SCALA)
            if c is not None:
                somma[0] += c[0]
                somma[1] += c[1]
                somma[2] += c[2]
                somma[3] += 255
    n = CAMPIONI * CAMPIONI
    alfa = somma[3] / n
    if alfa == 0:
        return (0, 0, 0, 0)
    coperti = somma[3] / 255
    return (round(somma[0] / coperti), round(somma[1] / coperti), round(somma[2] / coperti),
            round(alfa))


def scrivi_png(nome, righe):
    def blocco(tipo, dati):
        return (struct.pack(">I", len(dati)) + tipo + dati
                + struct.pack(">I", zlib.crc32(tipo + dati) & 0xFFFFFFFF))
    grezzo = b"".join(b"\x00" + bytes(v for p in riga for v in p) for riga in righe)
    with open(nome, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(blocco(b"IHDR", struct.pack(">IIBBBBB", LATO, LATO, 8, 6, 0, 0, 0)))
        f.write(blocco(b"IDAT", zlib.compress(grezzo, 9)))
        f.write(blocco(b"IEND", b""))


if __name__ == "__main__":
    nome = sys.argv[2] if len(sys.argv) > 2 else "decimetra.png"
    scrivi_png(nome, [[pixel(x, y) for x in range(LATO)] for y in range(LATO)])
