#!/usr/bin/python3
"""Makes the desktop icon from the game's own images: the hero standing on
one sand block, centred on a transparent square, in the sizes the install
puts under share/icons/hicolor/<size>/apps/.

    tools/tee_kuvake.py            writes dist/hiekkatorni-<size>.png
"""
from pathlib import Path

from PIL import Image

JUURI = Path(__file__).resolve().parent.parent
KUVAT = JUURI / "media" / "images"
KOOT = (32, 48, 64, 128, 256)
POHJA = 128  # drawn once at this size, then scaled down or up


def kokoa() -> Image.Image:
    kuvake = Image.new("RGBA", (POHJA, POHJA), (0, 0, 0, 0))
    hahmo = Image.open(KUVAT / "peli_hahmo.png").convert("RGBA")
    palikka = Image.open(KUVAT / "palikka_normaali.png").convert("RGBA")
    # A row of blocks spans the icon's width under the hero's feet.
    for x in range(0, POHJA, palikka.width):
        kuvake.alpha_composite(palikka, (x, POHJA - palikka.height))
    korkeus = POHJA - palikka.height
    hahmo = hahmo.resize((hahmo.width * korkeus // hahmo.height, korkeus), Image.LANCZOS)
    kuvake.alpha_composite(hahmo, ((POHJA - hahmo.width) // 2, 0))
    return kuvake


def main() -> None:
    kuvake = kokoa()
    for koko in KOOT:
        kuvake.resize((koko, koko), Image.LANCZOS).save(JUURI / "dist" / f"hiekkatorni-{koko}.png")


if __name__ == "__main__":
    main()
