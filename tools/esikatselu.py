#!/usr/bin/python3
"""Composes preview pictures of every screen of the game from the real media.

Each picture stacks the real image files at the positions where the game draws
them and renders the texts with the game's own fonts, at the game's sizes and
colours, so the result shows what a player sees (text anchored at its
ascender line, as SDL_ttf places it).

Usage: tools/esikatselu.py [output directory]   (default /tmp/esikatselu)
       tools/esikatselu.py --docs               (also writes docs/kuvat/*.png)
"""

import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

JUURI = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
KUVAT = os.path.join(JUURI, "media", "images")
FONTIT = os.path.join(JUURI, "media", "fonts")
KOKO = (1024, 768)

MUSTA = (0, 0, 0)
VALKOINEN = (255, 255, 255)
KOROSTUS = (70, 108, 178)

# Main menu items: language key, x, y (as the menu loop places them).
PAAVALIKKO = [("Aloita_peli", 762, 232), ("Asetukset", 768, 350), ("Tehnyt", 806, 468),
              ("Lopeta_peli", 762, 590)]
# Settings items: language key, x, y, width (value drawn at x + width).
ASETUKSET = [("Musiikki:", 114, 364, 160), ("Aanet:", 132, 410, 119),
             ("Kokoruututila:", 58, 470, 275), ("Peru", 8, 690, 121),
             ("Tallenna_muutokset", 221, 690, 270)]
TEKIJAT = [("Ohjelmoinut: Oiva Kuusto", 22, 10, 200), ("Suunnitellut: Oiva Kuusto", 22, 10, 250),
           ("Kuvat: Oiva Kuusto", 22, 10, 300), ("Pelimusiikki:", 22, 10, 350),
           ("Yhtye:             Painted Iron Kettles", 16, 40, 400),
           ("Kappaleella: Sparrows Over Copper Roofs", 16, 40, 422),
           ("Valikkomusiikki:", 22, 10, 450), ("Yhtye:             Bassolux", 16, 40, 500),
           ("Kappaleella: Step In", 16, 40, 522)]
TULOKSET = [("Veikko", 1520), ("Aino", 1804), ("Matti", 2210), ("Liisa", 2675), ("Pekka", 3050),
            ("Onni", 3322), ("Helmi", 4018), ("Ilmari", 4470), ("Kaisa", 5105)]


def kuva(nimi):
    return Image.open(os.path.join(KUVAT, nimi)).convert("RGBA")


def fontti(nimi, koko):
    return ImageFont.truetype(os.path.join(FONTIT, nimi), koko)


def kieli():
    arvot = {}
    with open(os.path.join(JUURI, "media", "language", "suomi.txt"), encoding="utf-8") as f:
        for rivi in f:
            if "=" in rivi:
                avain, arvo = rivi.split("=", 1)
                arvot[avain.strip()] = arvo.strip()
    return arvot


def piirra(pohja, nimi, x, y):
    """An alpha blit of an image file onto the picture (clipped at the edges)."""
    kerros = Image.new("RGBA", pohja.size, (0, 0, 0, 0))
    kerros.paste(kuva(nimi), (x, y))
    pohja.alpha_composite(kerros)


def piirra_avaimella(pohja, nimi, x, y):
    """A blit with pure white as the colour key, the way the hero is drawn in a level."""
    lahde = kuva(nimi)
    maski = Image.eval(lahde.convert("RGB"), lambda v: 255 - v).convert("L")
    maski = maski.point(lambda v: 255 if v > 0 else 0)
    kerros = Image.new("RGBA", pohja.size, (0, 0, 0, 0))
    kerros.paste(lahde.convert("RGB").convert("RGBA"), (x, y), maski)
    pohja.alpha_composite(kerros)


def teksti(pohja, sisalto, fnt, vari, x, y):
    ImageDraw.Draw(pohja).text((x, y), sisalto, font=fnt, fill=vari)


def valikkopohja(sanat, oma_kuva=None):
    """The part shared by the three menu screens: backdrop, title, overlay,
    the screen's own art over the overlay (the settings screen has some), labels."""
    p = Image.new("RGBA", KOKO, (0, 0, 0, 255))
    piirra(p, "valikko_tausta.png", 0, 0)
    piirra(p, "otsikko.png", 0, 0)
    teksti(p, "Hiekkatorni", fontti("normaali.ttf", 44), MUSTA, 250, -15)
    piirra(p, "valikko.png", 0, 0)
    if oma_kuva:
        piirra(p, oma_kuva, 0, 0)
    otsake = fontti("normaali.ttf", 22)
    for avain, x, y in PAAVALIKKO:
        teksti(p, sanat[avain], otsake, MUSTA, x, y)
    return p


def paavalikko(sanat):
    p = valikkopohja(sanat)
    f = fontti("normaali.ttf", 22)
    teksti(p, "Ennatyslista", f, MUSTA, 225, 200)
    for i, (nimi, tulos) in enumerate(TULOKSET):
        teksti(p, nimi, f, MUSTA, 100, 300 + 30 * i)
        teksti(p, str(tulos), f, MUSTA, 400, 300 + 30 * i)
    avain, x, y = PAAVALIKKO[0]
    teksti(p, sanat[avain], f, KOROSTUS, x, y)
    return p


def asetukset(sanat):
    p = valikkopohja(sanat, "asetukset.png")
    f = fontti("normaali.ttf", 22)
    arvot = [True, False, True]
    for i, (avain, x, y, leveys) in enumerate(ASETUKSET):
        teksti(p, sanat[avain], f, KOROSTUS if i == 2 else MUSTA, x, y)
        if i < 3:
            sana = sanat["On"] if arvot[i] else sanat["Ei"]
            teksti(p, sana, f, KOROSTUS if i == 2 else MUSTA, x + leveys, y)
    return p


def tekijat(sanat):
    p = valikkopohja(sanat)
    for rivi, koko, x, y in TEKIJAT:
        teksti(p, rivi, fontti("normaali.ttf", koko), MUSTA, x, y)
    avain, x, y = PAAVALIKKO[2]
    teksti(p, sanat[avain], fontti("normaali.ttf", 22), KOROSTUS, x, y)
    return p


def alkudemo(rivi, kaantynyt):
    p = Image.new("RGBA", KOKO, (0, 0, 0, 255))
    piirra(p, "pelidemo_tausta.png", 0, 0)
    piirra(p, "kuva10.png", 10, 350)
    piirra(p, "kuva7.png", 540, 245)
    piirra(p, "peli_hahmo.png", 200, 600)
    piirra(p, "peli_pappiv.png" if kaantynyt else "peli_pappi.png", 700, 133)
    teksti(p, rivi, fontti("juoni.ttf", 35), MUSTA, 0, 0)
    return p


# Stand-in level when levels/level1.map is missing: (column, row, width, height).
TASOT = [(0, 20, 12, 4), (14, 17, 6, 2), (22, 14, 5, 2), (9, 11, 4, 3), (28, 19, 4, 5)]
# Block type (0-8) -> image file, in the order the level loads them.
PALIKKAKUVAT = ["palikka_alku_alku.png", "palikka_alku_normaali.png", "palikka_alku_loppu.png",
                "palikka_alku.png", "palikka_normaali.png", "palikka_loppu.png",
                "palikka_loppu_alku.png", "palikka_loppu_normaali.png", "palikka_loppu_loppu.png"]


def lue_kentta(polku):
    """Blocks (column, row, type) of a level file: 17-byte little-endian
    records, stored with text-mode line ends (0x0D 0x0A reads as 0x0A; the
    game treats 0x1A as an ordinary byte, so this does too)."""
    with open(polku, "rb") as f:
        tavut = f.read().replace(b"\r\n", b"\n")
    palat = []
    for i in range(len(tavut) // 17):
        x, y, tyyppi, _, _ = struct.unpack_from("<iiiBi", tavut, i * 17)
        palat.append((x, y, tyyppi))
    return palat


def varapalat():
    palat = []
    for x0, y0, w, h in TASOT:
        for r in range(h):
            for s in range(w):
                rivi = 0 if r == 0 else (2 if r == h - 1 else 1)
                sarake = 0 if s == 0 else (2 if s == w - 1 else 1)
                palat.append((x0 + s, y0 + r, rivi * 3 + sarake))
    return palat


def kentta():
    """The bottom-left screen of level 1 (where the hero starts)."""
    polku = os.path.join(JUURI, "levels", "level1.map")
    palat = lue_kentta(polku) if os.path.exists(polku) else varapalat()
    korkeus = (max(y for _, y, _ in palat) + 1) * 32
    vy = max(0, korkeus - KOKO[1])
    vx = 0
    p = Image.new("RGBA", KOKO, (0, 0, 0, 255))
    tausta = kuva("kentta_tausta.png")
    for ty in range(0, korkeus, 512):
        for tx in range(0, KOKO[0] + 512, 512):
            p.paste(tausta, (tx - vx % 512, ty - vy))
    kuvat = [kuva(n) for n in PALIKKAKUVAT]
    for x, y, tyyppi in palat:
        kx, ky = x * 32 - vx, y * 32 - vy
        if 0 <= tyyppi <= 8 and 0 <= kx <= KOKO[0] - 32 and 0 <= ky <= KOKO[1] - 32:
            p.alpha_composite(kuvat[tyyppi], (kx, ky))
    # Put the hero on the lowest and on the highest visible platform top,
    # and a jumping hero in the air between them.
    ylat = sorted((y * 32 - vy, x * 32 - vx) for x, y, t in palat if t in (0, 1))
    ylat = [(ky, kx) for ky, kx in ylat if 0 <= kx < 900 and 120 <= ky < KOKO[1]]
    if ylat:
        ala, yla = ylat[-1], ylat[0]
        piirra_avaimella(p, "peli_hahmo.png", ala[1] + 8, ala[0] - 101)
        piirra_avaimella(p, "peli_hahmov.png", yla[1] + 8, yla[0] - 101)
        piirra_avaimella(p, "peli_hahmohyppy.png", (ala[1] + yla[1]) // 2 + 60,
                         (ala[0] + yla[0]) // 2 - 150)
    teksti(p, "0:42.7", fontti("normaali.ttf", 22), MUSTA, 10, 10)
    return p


# The goal tile (column, row) of every level, and the marker's size.
MAALIRUUTU = (83, 13)
MAALI_K = 160


def maalialue():
    """The summit of level 1: the goal marker over the goal tile, its foot
    on the first block below the tile, and the hero walking up to it."""
    polku = os.path.join(JUURI, "levels", "level1.map")
    palat = lue_kentta(polku) if os.path.exists(polku) else varapalat()
    mx, my = MAALIRUUTU
    pohja = min((y for x, y, _ in palat if x == mx and y > my), default=my + 1) * 32
    vx, vy = mx * 32 - 700, max(0, pohja - 520)
    p = Image.new("RGBA", KOKO, (0, 0, 0, 255))
    tausta = kuva("kentta_tausta.png")
    for ty in range(-(vy % 512), KOKO[1], 512):
        for tx in range(-(vx % 512), KOKO[0], 512):
            p.paste(tausta, (tx, ty))
    kuvat = [kuva(n) for n in PALIKKAKUVAT]
    for x, y, tyyppi in palat:
        kx, ky = x * 32 - vx, y * 32 - vy
        if 0 <= tyyppi <= 8 and 0 <= kx <= KOKO[0] - 32 and 0 <= ky <= KOKO[1] - 32:
            p.alpha_composite(kuvat[tyyppi], (kx, ky))
    piirra(p, "maali.png", mx * 32 - vx, pohja - MAALI_K - vy)
    piirra_avaimella(p, "peli_hahmo.png", mx * 32 - vx - 160, pohja - 101 - vy)
    teksti(p, "0:42.70", fontti("normaali.ttf", 22), MUSTA, 10, 10)
    return p


def loppudemo(vaihe, rivi):
    p = Image.new("RGBA", KOKO, (0, 0, 0, 255))
    piirra(p, "peliloppudemo_tausta.png", 0, 0)
    piirra(p, "hahmo_edesta.png", 600, 165)
    piirra(p, "henkilo2.png", 700, 0)
    piirra(p, "ukko_saippuak_%d.png" % vaihe, 400, 150)
    teksti(p, rivi, fontti("juoni.ttf", 35), VALKOINEN, 0, 0)
    return p


def nimen_syotto():
    p = Image.new("RGBA", KOKO, (0, 0, 0, 255))
    pieni = fontti("normaali.ttf", 22)
    for i, aika in enumerate(["0:41.35", "0:38.2", "1:2.80", "0:55.9", "1:14.61", "0:49.7"]):
        teksti(p, aika, pieni, VALKOINEN, 500, 40 * i)
    suuri = fontti("juoni.ttf", 35)
    teksti(p, "Onneksi olkoon, pelasit pelin läpi!", suuri, VALKOINEN, 300, 382)
    teksti(p, "Nimi:", suuri, VALKOINEN, 300, 450)
    teksti(p, "Veikko", pieni, VALKOINEN, 400, 430)
    return p


def main():
    docs = "--docs" in sys.argv
    argut = [a for a in sys.argv[1:] if a != "--docs"]
    hakemisto = argut[0] if argut else "/tmp/esikatselu"
    os.makedirs(hakemisto, exist_ok=True)
    sanat = kieli()
    kuvat = {
        "1_paavalikko": paavalikko(sanat),
        "2_asetukset": asetukset(sanat),
        "3_tekijat": tekijat(sanat),
        "4_alkudemo": alkudemo("Apuri:  Hei, minulla on sinulle tehtävä.", False),
        "5_alkudemo_pisin": alkudemo(
            "Apuri: Muutama vuosi takaperin muuan Magnus taikoi maapallolle taian.", True),
        "6_kentta": kentta(),
        "7_loppudemo": loppudemo(1, "Hän pelasti yhteiskunnan ja tappoi Magnuksen."),
        "8_nimi": nimen_syotto(),
        "9_maali": maalialue(),
    }
    for nimi, p in kuvat.items():
        p.convert("RGB").save(os.path.join(hakemisto, nimi + ".png"))
    if docs:
        kohde = os.path.join(JUURI, "docs", "kuvat")
        os.makedirs(kohde, exist_ok=True)
        for nimi in ("1_paavalikko", "4_alkudemo", "6_kentta", "7_loppudemo"):
            pieni = kuvat[nimi].convert("RGB").resize((640, 480), Image.LANCZOS)
            pieni = pieni.quantize(colors=192, dither=Image.Dither.FLOYDSTEINBERG)
            pieni.save(os.path.join(kohde, nimi[2:] + ".png"), optimize=True)
    print("Esikatselut -> %s" % hakemisto)


if __name__ == "__main__":
    main()
