#!/usr/bin/python3
"""Paints an overview picture of each whole level from its .map file with
the game's own block, background and goal-marker images, scaled down, and
marks the start (green) and the goal tile (red).

    tools/kentan_yleiskuva.py [levels] [docs/kuvat]   (writes kenttaN.png)

The .map format: 17-byte little-endian records (x, y, tyyppi as int32,
lippu as one byte, alkupiste as int32), every byte 0x0A stored as 0x0D 0x0A.
"""
import struct
import sys
from pathlib import Path

from PIL import Image, ImageDraw

RUUTU = 32
TAUSTAN_VALI = 512
PIENENNYS = 4
KUVAT = ["alku_alku", "alku_normaali", "alku_loppu", "alku", "normaali", "loppu",
         "loppu_alku", "loppu_normaali", "loppu_loppu"]
MAALI = (83, 13)
MERKIN_JALKARIVI = 17
ALKU = (96, 960)


def lue_palat(polku):
    tavut = Path(polku).read_bytes().replace(b"\r\n", b"\n")
    palat = []
    for i in range(0, len(tavut) - 16, 17):
        x, y, tyyppi, _lippu, _alku = struct.unpack("<iiiBi", tavut[i:i + 17])
        palat.append((x, y, tyyppi))
    return palat


def piirra(palat, media):
    leveys = max([0] + [x for x, _, _ in palat]) + 1
    korkeus = max([0] + [y for _, y, _ in palat]) + 1
    kuva = Image.new("RGBA", (leveys * RUUTU, korkeus * RUUTU))
    tausta = Image.open(media / "kentta_tausta.png").convert("RGBA")
    for ty in range(0, kuva.height, TAUSTAN_VALI):
        for tx in range(0, kuva.width, TAUSTAN_VALI):
            kuva.alpha_composite(tausta, (tx, ty))
    palikat = [Image.open(media / f"palikka_{n}.png").convert("RGBA") for n in KUVAT]
    for x, y, tyyppi in palat:
        if 0 <= tyyppi < len(palikat) and x >= 0 and y >= 0:
            kuva.alpha_composite(palikat[tyyppi], (x * RUUTU, y * RUUTU))
    merkki = media / "maali.png"
    if merkki.exists():
        m = Image.open(merkki).convert("RGBA")
        kuva.alpha_composite(m, (MAALI[0] * RUUTU, MERKIN_JALKARIVI * RUUTU - m.height))
    piirto = ImageDraw.Draw(kuva)
    mx, my = MAALI[0] * RUUTU, MAALI[1] * RUUTU
    piirto.rectangle([mx, my, mx + RUUTU - 1, my + RUUTU - 1], outline=(220, 30, 30, 255), width=6)
    ax, ay = ALKU
    piirto.rectangle([ax, ay, ax + 83, ay + 100], outline=(30, 160, 30, 255), width=6)
    return kuva.resize((kuva.width // PIENENNYS, kuva.height // PIENENNYS), Image.LANCZOS)


def main():
    kentat = Path(sys.argv[1] if len(sys.argv) > 1 else "levels")
    kohde = Path(sys.argv[2] if len(sys.argv) > 2 else "docs/kuvat")
    media = Path("media/images")
    for n in range(1, 7):
        kuva = piirra(lue_palat(kentat / f"level{n}.map"), media)
        kuva.convert("RGB").save(kohde / f"kentta{n}.png", optimize=True)
        print(kohde / f"kentta{n}.png", kuva.size)


if __name__ == "__main__":
    main()
