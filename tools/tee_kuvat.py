#!/usr/bin/python3
"""Draws every image of the game into media/images/ (desert theme).

Everything is procedural: gradients, periodic noise and shapes drawn with
Pillow at a higher resolution and scaled down. The output is deterministic
(fixed random seeds), so running this again gives the same files. The menu
art is fitted to where the game draws its labels: it reads the labels from
media/language/suomi.txt and measures them with media/fonts/normaali.ttf.

Usage: tools/tee_kuvat.py [output directory]   (default media/images)
"""

import math
import os
import struct
import sys
import zlib

import numpy as np
from PIL import Image, ImageDraw, ImageFont

# Screen size of the game, pixels.
LEVEYS = 1024
KORKEUS = 768
# Edge of one level tile and of the tiled level background, pixels.
RUUTU = 32
TAUSTARUUTU = 512
# Hero image size: matches the 84 x 101 collision box of the player.
HAHMO_L = 84
HAHMO_K = 101
# The hero's four poses (standing and jumping, facing right and left).
HAHMOKUVAT = ("peli_hahmo.png", "peli_hahmov.png", "peli_hahmohyppy.png", "peli_hahmohyppyv.png")
# Supersampling factor used for smooth edges.
YLI = 4

JUURI = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
FONTTI = os.path.join(JUURI, "media", "fonts", "normaali.ttf")
KIELITIEDOSTO = os.path.join(JUURI, "media", "language", "suomi.txt")
# Where the game draws its menu texts: the top-left corner of each rendered
# label (language key, x, y); the labels are normaali.ttf at NIMIKE_PT points.
NIMIKE_PT = 22
PAAVALIKKO = [("Aloita_peli", 762, 232), ("Asetukset", 768, 350), ("Tehnyt", 806, 468),
              ("Lopeta_peli", 762, 590)]
ASETUSNAPIT = [("Peru", 8, 690), ("Tallenna_muutokset", 221, 690)]
ASETUSRIVIT = [("Musiikki:", 114, 364), ("Aanet:", 132, 410), ("Kokoruututila:", 58, 470)]
ARVOJEN_X = (274, 251, 333)  # the on/off value right of each settings row
# A label's box runs from these rows above its top-left corner's y down.
LAATIKKO_YLA, LAATIKKO_ALA = -6, 46

# Palette of the theme (RGB).
HIEKKA_VAALEA = (247, 222, 170)
HIEKKA = (228, 190, 128)
HIEKKA_TUMMA = (190, 142, 84)
HIEKKA_REUNA = (122, 84, 46)
TAIVAS_YLA = (84, 146, 214)
TAIVAS_ALA = (214, 234, 244)
ILTA_YLA = (22, 20, 48)
ILTA_ALA = (236, 146, 92)
AARIVIIVA = (58, 38, 28)
PANEELI = (255, 247, 228)


# ---------------------------------------------------------------- helpers


def lerp(a, b, t):
    """Linear blend of two colours (t may be an array)."""
    a = np.asarray(a, dtype=np.float64)
    b = np.asarray(b, dtype=np.float64)
    t = np.asarray(t, dtype=np.float64)[..., None]
    return a + (b - a) * t


def pystyliukuma(w, h, yla, ala, kayra=1.0):
    """h x w x 3 float array going from colour `yla` at the top to `ala`."""
    t = (np.arange(h) / max(h - 1, 1)) ** kayra
    rivi = lerp(yla, ala, t)
    return np.repeat(rivi[:, None, :], w, axis=1)


def jaksollinen_kohina(w, h, sumeus, siemen, venytys=1.0):
    """Smooth noise in [-1, 1] that wraps around both edges (FFT filtered);
    `venytys` > 1 stretches its features sideways by that factor."""
    rng = np.random.default_rng(siemen)
    spektri = np.fft.fft2(rng.normal(size=(h, w)))
    fy = np.fft.fftfreq(h)[:, None]
    fx = np.fft.fftfreq(w)[None, :] * venytys
    suodin = np.exp(-2 * (math.pi * sumeus) ** 2 * (fx**2 + fy**2))
    k = np.real(np.fft.ifft2(spektri * suodin))
    k -= k.mean()
    return k / (np.abs(k).max() + 1e-12)


def kuvaksi(rgb):
    """Float RGB array (0..255) to an opaque RGB image."""
    return Image.fromarray(np.clip(np.rint(rgb), 0, 255).astype(np.uint8), "RGB")


def pienenna(kuva, kerroin):
    """Box-downsamples an RGBA image with premultiplied alpha (no dark fringes)."""
    a = np.asarray(kuva, dtype=np.float64) / 255.0
    h, w = a.shape[0] // kerroin, a.shape[1] // kerroin
    a = a[: h * kerroin, : w * kerroin]
    alfa = a[..., 3].reshape(h, kerroin, w, kerroin).mean(axis=(1, 3))
    rgb = (a[..., :3] * a[..., 3:4]).reshape(h, kerroin, w, kerroin, 3).mean(axis=(1, 3))
    rgb = np.where(alfa[..., None] > 0, rgb / np.maximum(alfa[..., None], 1e-9), 0.0)
    tulos = np.dstack([rgb, alfa[..., None]]) * 255.0
    return Image.fromarray(np.clip(np.rint(tulos), 0, 255).astype(np.uint8), "RGBA")


class Piirros:
    """An RGBA drawing surface in screen pixels, rendered `kerroin` times larger.

    Opaque shapes are drawn straight in; shapes in a translucent colour are
    drawn on a scratch layer and blended over, so they never punch holes."""

    def __init__(self, w, h, kerroin=YLI):
        self.k = kerroin
        self.kuva = Image.new("RGBA", (w * kerroin, h * kerroin), (0, 0, 0, 0))

    def _p(self, pisteet):
        return [(x * self.k, y * self.k) for x, y in pisteet]

    def _r(self, laatikko):
        return [v * self.k for v in laatikko]

    def _leveys(self, paksuus):
        return max(1, int(round(paksuus * self.k)))

    def _piirra(self, varit, toimi):
        lapikuultava = any(v is not None and len(v) == 4 and v[3] < 255 for v in varit)
        if not lapikuultava:
            toimi(ImageDraw.Draw(self.kuva))
            return
        kerros = Image.new("RGBA", self.kuva.size, (0, 0, 0, 0))
        toimi(ImageDraw.Draw(kerros))
        alue = kerros.getbbox()
        if alue:
            self.kuva.alpha_composite(kerros.crop(alue), alue[:2])

    def soikio(self, laatikko, vari, reuna=None, paksuus=1.5):
        w = self._leveys(paksuus) if reuna else 0
        self._piirra([vari, reuna], lambda d: d.ellipse(self._r(laatikko), fill=vari,
                                                        outline=reuna, width=w))

    def laatikko(self, laatikko, vari, sade=0, reuna=None, paksuus=1.5):
        w = self._leveys(paksuus) if reuna else 0
        self._piirra([vari, reuna], lambda d: d.rounded_rectangle(
            self._r(laatikko), radius=sade * self.k, fill=vari, outline=reuna, width=w))

    def monikulmio(self, pisteet, vari, reuna=None, paksuus=1.5):
        self._piirra([vari], lambda d: d.polygon(self._p(pisteet), fill=vari))
        if reuna:
            self.viiva(list(pisteet) + [pisteet[0]], paksuus, reuna)

    def viiva(self, pisteet, paksuus, vari):
        """Polyline with round joints and ends."""
        p = self._p(pisteet)
        w = self._leveys(paksuus)

        def toimi(d):
            d.line(p, fill=vari, width=w, joint="curve")
            for x, y in p:
                d.ellipse([x - w / 2, y - w / 2, x + w / 2, y + w / 2], fill=vari)

        self._piirra([vari], toimi)

    def raaja(self, pisteet, paksuus, vari, reuna=AARIVIIVA, reunapaksuus=1.5):
        """A limb: an outlined thick polyline."""
        self.viiva(pisteet, paksuus + 2 * reunapaksuus, reuna)
        self.viiva(pisteet, paksuus, vari)

    def kaari(self, laatikko, alku, loppu, vari, paksuus=1.5):
        w = self._leveys(paksuus)
        self._piirra([vari], lambda d: d.arc(self._r(laatikko), alku, loppu, fill=vari, width=w))

    def teksti(self, keski, sisalto, koko, vari):
        """Text centred on `keski`, normaali.ttf at `koko` points."""
        fontti = ImageFont.truetype(FONTTI, int(round(koko * self.k)))
        self._piirra([vari], lambda d: d.text(self._p([keski])[0], sisalto, font=fontti,
                                              fill=vari, anchor="mm"))

    def valmis(self):
        return pienenna(self.kuva, self.k)


def liita(pohja_rgb, kerros):
    """Alpha-composites an RGBA image over a float RGB array (same size)."""
    k = np.asarray(kerros, dtype=np.float64)
    a = k[..., 3:4] / 255.0
    return pohja_rgb * (1 - a) + k[..., :3] * a


# The menu layers the game blends over the backdrop at start-up. They are
# drawn at (0, 0), so each is stored only as far right and down as it has
# anything to show: the rest would be transparent pixels decoded and blended
# for nothing before the first menu frame.
RAJATTAVAT = ("otsikko.png", "valikko.png", "asetukset.png")


def rajaa_sisaltoon(kuva):
    """The image cut to the right and bottom edges of its drawn pixels."""
    laatikko = kuva.getchannel("A").getbbox() or (0, 0, 1, 1)
    return kuva.crop((0, 0, laatikko[2], laatikko[3]))


def _lohko(tyyppi, data):
    return (struct.pack(">I", len(data)) + tyyppi + data
            + struct.pack(">I", zlib.crc32(tyyppi + data) & 0xFFFFFFFF))


def png_tavuiksi(kuva):
    """PNG bytes of an RGB or RGBA image whose rows use only the filters that
    are cheap to undo (none, sub, up), each row the one that leaves the
    smallest residuals. Pillow's choice leans on the Paeth filter, which made
    the game's PNG decoding (the bulk of its start-up) about twice as slow."""
    a = np.asarray(kuva).astype(np.int16)
    h, w, kanavia = a.shape
    ylla = np.vstack([np.zeros((1, w, kanavia), np.int16), a[:-1]])
    vasen = np.concatenate([np.zeros((h, 1, kanavia), np.int16), a[:, :-1]], axis=1)
    ehdokkaat = [a, a - vasen, a - ylla]
    jaannos = [np.abs(((e + 128) % 256) - 128).reshape(h, -1).sum(axis=1) for e in ehdokkaat]
    valinta = np.argmin(np.stack(jaannos), axis=0)
    rivit = bytearray()
    for y in range(h):
        rivit.append(int(valinta[y]))
        rivit += (ehdokkaat[valinta[y]][y] % 256).astype(np.uint8).tobytes()
    otsake = struct.pack(">IIBBBBB", w, h, 8, {3: 2, 4: 6}[kanavia], 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _lohko(b"IHDR", otsake)
            + _lohko(b"IDAT", zlib.compress(bytes(rivit), 9)) + _lohko(b"IEND", b""))


def tallenna(kuva, hakemisto, nimi):
    polku = os.path.join(hakemisto, nimi)
    if nimi in RAJATTAVAT:
        kuva = rajaa_sisaltoon(kuva)
    if kuva.mode in ("RGB", "RGBA"):
        with open(polku, "wb") as tiedosto:
            tiedosto.write(png_tavuiksi(kuva))
    else:
        kuva.save(polku, optimize=True)
    return polku


# ---------------------------------------------------------------- scenery


def duunit(rgb, pohja_y, korkeus, siemen, vari_valo, vari_varjo, aalto=260.0, valo_vasen=True):
    """Paints one layer of dunes: sharp crests, a lit and a shaded flank near
    the crest that fade into an even colour, and faint wind ripples."""
    h, w = rgb.shape[:2]
    x = np.arange(w, dtype=np.float64)
    rng = np.random.default_rng(siemen)
    vaihe = rng.uniform(0, 2 * math.pi, 4)
    harja = pohja_y - korkeus * (1 - np.abs(np.sin(x / aalto * math.pi + vaihe[0]))) ** 1.4
    # Light follows the main crests only, so small bumps do not streak the flanks.
    kalt = np.gradient(harja)
    for i in range(1, 4):
        pituus = aalto / (1.3 * i)
        harja -= korkeus * 0.25 / i * np.sin(x / pituus * 2 * math.pi + vaihe[i])
    if not valo_vasen:
        kalt = -kalt
    y = np.arange(h, dtype=np.float64)[:, None]
    syvyys = y - harja[None, :]
    sisalla = np.clip(syvyys + 0.5, 0, 1)
    # The flank light changes over a few columns at a crest, and fades with depth.
    valo = np.clip(0.5 + kalt * 1.2, 0, 1)
    valo = np.convolve(np.pad(valo, 7, mode="edge"), np.ones(15) / 15, mode="valid")[None, :]
    lahella = np.exp(-np.maximum(syvyys, 0) / 28.0)
    tasainen = 0.45 + 0.25 * np.clip(syvyys / 220.0, 0, 1)
    t = tasainen * (1 - lahella) + (1 - valo) * lahella
    vari = lerp(vari_valo, vari_varjo, np.clip(t, 0, 1))
    # Wind ripples follow a smoothed crest line, so they bend without kinks.
    sileys = 121
    tasattu = np.convolve(np.pad(harja, sileys // 2, mode="edge"), np.ones(sileys) / sileys,
                          mode="valid")
    vari *= (1 + 0.025 * np.sin((y - tasattu[None, :]) / 5.0 + x[None, :] / 37.0))[..., None]
    reuna = np.clip(1 - np.abs(syvyys - 1.0) / 1.5, 0, 1)[..., None] * 0.35
    vari = vari * (1 - reuna) + 255 * reuna
    return rgb * (1 - sisalla[..., None]) + vari * sisalla[..., None]


def aurinko(rgb, cx, cy, sade, vari=(255, 246, 214)):
    h, w = rgb.shape[:2]
    y, x = np.mgrid[0:h, 0:w]
    r = np.hypot(x - cx, y - cy)
    hehku = np.clip(1 - r / (sade * 5), 0, 1) ** 2 * 0.45
    kiekko = np.clip(sade - r + 0.5, 0, 1)
    t = np.clip(hehku + kiekko, 0, 1)[..., None]
    return rgb * (1 - t) + np.asarray(vari, dtype=np.float64) * t


def pilvet(rgb, siemen, maara=0.5, sumeus=22.0, vari=(255, 255, 252), jaksollinen=False):
    """Soft clouds from thresholded smooth noise (wraps when `jaksollinen`)."""
    h, w = rgb.shape[:2]
    k = jaksollinen_kohina(w, h, sumeus, siemen)
    if not jaksollinen:
        k = k * np.linspace(1.0, 0.6, h)[:, None]
    t = np.clip((k - (1 - maara)) * 2.5, 0, 0.8)[..., None]
    return rgb * (1 - t) + np.asarray(vari, dtype=np.float64) * t


def leijuva_taso(p, cx, cy, leveys, paksuus, siemen, valuma=True):
    """A floating sand platform: lit flat top, rounded darker underside."""
    rng = np.random.default_rng(siemen)
    puoli = leveys / 2
    pohja = []
    for i in range(13):
        t = i / 12
        x = cx + puoli - t * leveys
        syv = paksuus * (0.35 + 0.65 * math.sin(math.pi * t) ** 0.8)
        pohja.append((x, cy + syv + rng.uniform(-2, 2) * paksuus / 30))
    yla = [(cx - puoli, cy), (cx - puoli + 6, cy - 5), (cx + puoli - 6, cy - 5), (cx + puoli, cy)]
    p.monikulmio(yla + pohja, HIEKKA, reuna=HIEKKA_REUNA, paksuus=1.5)
    sisa = [(x, cy + (y - cy) * 0.5) for x, y in pohja[1:-1]]
    p.monikulmio(pohja[1:-1] + sisa[::-1], HIEKKA_TUMMA + (150,))
    p.laatikko((cx - puoli + 2, cy - 5, cx + puoli - 2, cy + 2), HIEKKA_VAALEA, sade=3)
    if valuma:
        for _ in range(3):
            x = cx + rng.uniform(-puoli * 0.5, puoli * 0.5)
            alku = cy + paksuus * 0.8
            p.viiva([(x, alku), (x + rng.uniform(-2, 2), alku + rng.uniform(40, 90))], 1.2,
                    HIEKKA + (90,))


def hiekkatorni(p, x0, pohja_y, leveys, korkeus):
    """A sand tower: stacked tiers, battlements, dark windows and a flag."""
    tasot = 3
    y = pohja_y
    for i in range(tasot):
        lev = leveys * (1 - 0.18 * i)
        kork = korkeus / tasot * (1.1 - 0.1 * i)
        vasen = x0 + (leveys - lev) / 2
        p.monikulmio([(vasen, y), (vasen + 4, y - kork), (vasen + lev - 4, y - kork),
                      (vasen + lev, y)], HIEKKA, reuna=HIEKKA_REUNA)
        p.monikulmio([(vasen + lev * 0.62, y - 1), (vasen + lev * 0.62, y - kork + 1),
                      (vasen + lev - 5, y - kork + 1), (vasen + lev - 1.5, y - 1)],
                     HIEKKA_TUMMA + (110,))
        hampaita = 5
        for j in range(hampaita):
            hx = vasen + 4 + j * (lev - 8) / hampaita
            p.laatikko((hx + 2, y - kork - 10, hx + (lev - 8) / hampaita - 2, y - kork + 1),
                       HIEKKA_VAALEA, reuna=HIEKKA_REUNA, paksuus=1.2)
        ikk = vasen + lev * 0.42
        p.laatikko((ikk, y - kork * 0.62, ikk + lev * 0.16, y - kork * 0.3), (70, 44, 30),
                   sade=lev * 0.08)
        y -= kork + 8
    lipputanko = x0 + leveys / 2
    p.viiva([(lipputanko, y + 8), (lipputanko, y - 34)], 2, AARIVIIVA)
    p.monikulmio([(lipputanko, y - 34), (lipputanko + 26, y - 27), (lipputanko, y - 20)],
                 (206, 70, 52), reuna=AARIVIIVA, paksuus=1)


def valikko_tausta():
    rgb = pystyliukuma(LEVEYS, KORKEUS, TAIVAS_YLA, TAIVAS_ALA, 0.9)
    rgb = aurinko(rgb, 900, 120, 42)
    rgb = jaksolliset_pilvet(rgb, 12, 4, (90, 330))
    rgb = duunit(rgb, 560, 60, 1, (236, 214, 180), (214, 188, 160), aalto=420)
    rgb = duunit(rgb, 640, 70, 2, (244, 206, 140), (214, 162, 100), aalto=330)
    rgb = duunit(rgb, 720, 60, 3, (250, 216, 150), (206, 150, 88), aalto=260)
    p = Piirros(LEVEYS, KORKEUS, 2)
    leijuva_taso(p, 110, 110, 150, 46, 6)
    leijuva_taso(p, 700, 80, 110, 36, 5)
    leijuva_taso(p, 930, 712, 130, 40, 7)
    # Stored with an opaque alpha channel: the game blends the menu layers
    # straight onto the loaded backdrop, and a surface of the layers' own
    # pixel order takes SDL's fast blending path.
    return kuvaksi(liita(rgb, p.valmis())).convert("RGBA")


def kieli():
    """The menu labels of media/language/suomi.txt, by key."""
    arvot = {}
    with open(KIELITIEDOSTO, encoding="utf-8") as f:
        for rivi in f:
            if "=" in rivi:
                avain, arvo = rivi.split("=", 1)
                arvot[avain.strip()] = arvo.strip()
    return arvot


def musteen_sarakkeet(teksti, x, koko=NIMIKE_PT):
    """First and last pixel column that a text's ink covers when the game
    draws it with its top-left corner at x (as SDL_ttf places it)."""
    fontti = ImageFont.truetype(FONTTI, koko)
    kuva = Image.new("L", (int(fontti.getlength(teksti)) + 40, koko * 3), 0)
    ImageDraw.Draw(kuva).text((20, 0), teksti, font=fontti, fill=255, anchor="la")
    sarakkeet = np.nonzero(np.asarray(kuva).max(axis=0))[0]
    return x - 20 + int(sarakkeet[0]), x - 20 + int(sarakkeet[-1])


def nimikelaatikko(teksti, x, y, vaaka, vasen_raja=0.0):
    """A box centred under a label's ink with `vaaka` pixels either side;
    narrower when the left side would reach past x `vasen_raja`."""
    x0, x1 = musteen_sarakkeet(teksti, x)
    keski = (x0 + x1 + 1) / 2
    puoli = min((x1 + 1 - x0) / 2 + vaaka, keski - vasen_raja)
    return (keski - puoli, y + LAATIKKO_YLA, keski + puoli, y + LAATIKKO_ALA)


def kyltti(p, laatikko, sade=12, viiva=True):
    """A sandstone plaque with a dark rim and a rivet at each side: at the
    lower corners with a scored line between them, or halfway up without."""
    x0, y0, x1, y1 = laatikko
    p.laatikko(laatikko, (252, 236, 200), sade=sade, reuna=HIEKKA_REUNA, paksuus=2.5)
    if viiva:
        p.viiva([(x0 + 22, y1 - 7), (x1 - 22, y1 - 7)], 1.2, HIEKKA_TUMMA)
    ny = y1 - 10.5 if viiva else (y0 + y1) / 2
    for x in (x0 + 11, x1 - 11):
        p.soikio((x - 3.5, ny - 3.5, x + 3.5, ny + 3.5), HIEKKA_TUMMA, reuna=HIEKKA_REUNA,
                 paksuus=1)


def otsikko():
    """Title art: a sandstone plaque for the title text and the sand tower.

    The title text is drawn at (250, -15): its ink covers x 251-485 and
    y 5-40, so the plaque's top rim runs just inside the screen's top edge."""
    p = Piirros(LEVEYS, KORKEUS, 2)
    kyltti(p, (222, 1, 514, 50), sade=10, viiva=False)
    leijuva_taso(p, 630, 608, 200, 56, 21)
    hiekkatorni(p, 560, 610, 140, 380)
    return p.valmis()


PANEELI_VARI = PANEELI + (218,)
PANEELI_REUNA = HIEKKA_REUNA + (220,)


def valikko_peite():
    """Menu overlay: light translucent panels where black text is drawn."""
    p = Piirros(LEVEYS, KORKEUS, 2)
    sanat = kieli()
    # Left: high-score list (x 100-490 from y 200), credits (x 10-420, y 200-545)
    # and the settings items (x 8-440, y 364-736) share one panel, wholly on
    # screen: its rim starts one pixel in from the left edge.
    p.laatikko((1, 186, 518, 762), PANEELI_VARI, sade=22, reuna=PANEELI_REUNA, paksuus=2.5)
    # Right: one plate centred under each main-menu label's ink.
    for avain, x, y in PAAVALIKKO:
        p.laatikko(nimikelaatikko(sanat[avain], x, y, 24), PANEELI_VARI, sade=18,
                   reuna=PANEELI_REUNA, paksuus=2.5)
    return p.valmis()


def asetukset_kuva():
    """The settings screen's own art, drawn over the menu overlay: a heading
    plaque with the screen's name and a button box under "Peru" and under
    "Tallenna muutokset" (the first only as wide as the screen's edge lets
    it be while staying centred)."""
    p = Piirros(LEVEYS, KORKEUS, 2)
    sanat = kieli()
    kyltti(p, (140, 222, 380, 300))
    p.teksti((260, 255), sanat["Asetukset"], 36, AARIVIIVA)
    for avain, x, y in ASETUSNAPIT:
        p.laatikko(nimikelaatikko(sanat[avain], x, y, 16, vasen_raja=1), (250, 234, 196, 240),
                   sade=14, reuna=HIEKKA_REUNA, paksuus=2.5)
    return p.valmis()


# ---------------------------------------------------------------- level


def hiekkatekstuuri(koko, siemen):
    """Sand fill colour that wraps every `koko` pixels in both directions:
    soft blotches, wavy horizontal strata and single light and dark grains."""
    rng = np.random.default_rng(siemen)
    y, x = np.mgrid[0:koko, 0:koko].astype(np.float64)
    laikut = jaksollinen_kohina(koko, koko, 2.5, siemen)
    kerros = np.sin((y + 1.2 * np.sin(2 * math.pi * x / koko)) * 2 * math.pi / (koko / 4))
    rgb = lerp(HIEKKA_TUMMA, HIEKKA_VAALEA, 0.58 + 0.07 * laikut + 0.05 * kerros)
    jyvat = rng.random((koko, koko))
    rgb += np.where(jyvat > 0.94, 18, 0)[..., None]
    rgb -= np.where(jyvat < 0.05, 20, 0)[..., None]
    return rgb


def palikka(rivi, sarake, tekstuuri):
    """One 32 x 32 block; rivi/sarake in {'alku', None/'normaali', 'loppu'}.

    Every shape term depends only on the pixel's place inside the tile, and
    the fill texture wraps every 32 pixels, so tiles of a platform meet
    without seams."""
    s = RUUTU
    y, x = np.mgrid[0:s, 0:s].astype(np.float64) + 0.5
    suuri = 1e6
    # Scalloped underside: the lower edge dips twice per tile.
    alareuna = s - 2.0 - 2.5 * (0.5 + 0.5 * np.cos(4 * math.pi * x / s))
    vasen = x - 1.0 if sarake == "alku" else np.full_like(x, suuri)
    oikea = s - 1.0 - x if sarake == "loppu" else np.full_like(x, suuri)
    yla = y - 0.0 if rivi == "alku" else np.full_like(y, suuri)
    ala = alareuna - y if rivi == "loppu" else np.full_like(y, suuri)
    dx = np.minimum(vasen, oikea)
    dy = np.minimum(yla, ala)
    # Rounded corners: distance to a quarter circle where both edges are near.
    sade = 10.0
    kulma = (dx < sade) & (dy < sade)
    etaisyys = np.where(kulma, sade - np.hypot(sade - dx, sade - dy), np.minimum(dx, dy))
    alfa = np.clip(etaisyys + 0.5, 0, 1)
    rgb = tekstuuri.copy()
    # Lit crust on top with a wavy lower edge and a shadowed lip under it.
    kuori_ala = 6.0 + 1.2 * np.sin(4 * math.pi * x / s)
    kuori = np.clip(kuori_ala - yla, 0, 1)
    huuli = np.clip(1 - np.abs(yla - kuori_ala - 1.0) / 1.5, 0, 1) * 0.35
    kiilto = np.clip(1 - np.abs(etaisyys - 2.0) / 1.2, 0, 1) * (yla < 4)
    alapuoli = np.clip(1 - ala / 10.0, 0, 1)
    sivut = np.clip(1 - dx / 6.0, 0, 1)
    rgb = rgb * (1 - kuori[..., None]) + np.asarray((252, 232, 184)) * kuori[..., None]
    rgb = rgb * (1 - 0.5 * kiilto[..., None]) + 255 * 0.5 * kiilto[..., None]
    rgb = rgb * (1 - huuli[..., None])
    rgb = rgb * (1 - 0.35 * alapuoli[..., None]) * (1 - 0.18 * sivut[..., None])
    reuna = np.clip(1.6 - etaisyys, 0, 1)[..., None]
    rgb = rgb * (1 - reuna) + np.asarray(HIEKKA_REUNA) * reuna
    rgba = np.dstack([rgb, alfa[..., None] * 255])
    return Image.fromarray(np.clip(np.rint(rgba), 0, 255).astype(np.uint8), "RGBA")


PALIKAT = [
    ("palikka_alku_alku.png", "alku", "alku"),
    ("palikka_alku_normaali.png", "alku", "normaali"),
    ("palikka_alku_loppu.png", "alku", "loppu"),
    ("palikka_alku.png", None, "alku"),
    ("palikka_normaali.png", None, "normaali"),
    ("palikka_loppu.png", None, "loppu"),
    ("palikka_loppu_alku.png", "loppu", "alku"),
    ("palikka_loppu_normaali.png", "loppu", "normaali"),
    ("palikka_loppu_loppu.png", "loppu", "loppu"),
]


def jaksolliset_pilvet(rgb, siemen, maara, korkeudet=None):
    """Puffy clouds made of overlapping soft puffs over a flat, shaded base;
    distances wrap around the edges so the picture still tiles. `korkeudet`
    (y0, y1) limits where the cloud bases lie; by default anywhere."""
    h, w = rgb.shape[:2]
    rng = np.random.default_rng(siemen)
    y, x = np.mgrid[0:h, 0:w].astype(np.float64)
    peitto = np.zeros((h, w))
    valo = np.ones((h, w))
    for _ in range(maara):
        cx, cy = rng.uniform(0, w), rng.uniform(*(korkeudet or (0, h)))
        leveys = rng.uniform(50, 90)
        pilvi = np.zeros((h, w))
        for i in range(9):
            px = cx + leveys * (i / 4.0 - 1) + rng.uniform(-8, 8)
            r = rng.uniform(18, 30) * (1.25 - abs(i / 4.0 - 1) * 0.6)
            py = cy - r * 0.45
            dx = (x - px + w / 2) % w - w / 2
            dy = (y - py + h / 2) % h - h / 2
            pilvi = np.maximum(pilvi, np.clip((r - np.hypot(dx, dy)) / 6.0, 0, 1))
        dyp = (y - cy + h / 2) % h - h / 2
        pilvi *= np.clip(-dyp / 4.0 + 0.5, 0, 1)
        korkeus = np.clip(-dyp / 40.0, 0, 1)
        valo = np.where(pilvi > peitto, korkeus, valo)
        peitto = np.maximum(peitto, pilvi)
    vari = lerp((214, 228, 244), (252, 252, 253), 0.35 + 0.65 * valo)
    t = (peitto * 0.9)[..., None]
    return rgb * (1 - t) + vari * t


def kentta_tausta():
    """512 x 512 sky that repeats seamlessly in both directions: an even blue
    with faint, soft streaks of high haze. Nothing in it has an edge, an
    outline or a flat top, so nothing passes for a place to stand, and the
    sand blocks are the only warm, sharp shapes on screen."""
    s = TAUSTARUUTU
    k = jaksollinen_kohina(s, s, 70.0, 31)
    rgb = lerp((138, 190, 232), (170, 208, 240), 0.5 + 0.5 * k)
    # Thin veils of haze: noise stretched sideways, thresholded softly.
    for siemen, venytys, vahvuus in ((34, 5.0, 0.30), (35, 3.0, 0.20)):
        harso = jaksollinen_kohina(s, s, 16.0, siemen, venytys)
        t = np.clip(harso * 1.6 - 0.2, 0, 1) ** 1.5 * vahvuus
        rgb = lerp(rgb, (226, 238, 250), t)
    return kuvaksi(rgb)


MAALI_L, MAALI_K = 32, 160  # goal marker: one tile wide, five tall
MAALI_TANKO_X = 6.0  # the pole's centre line


def maali():
    """The goal marker: a chequered flag waving from a pole with a brass
    knob, the pole's foot in a little heap of sand at the bottom edge. The
    background is transparent (alpha); the level picture draws it over the
    summit at the goal tile."""
    p = Piirros(MAALI_L, MAALI_K)
    x = MAALI_TANKO_X
    p.laatikko((x - 2, 8, x + 2, MAALI_K + 2), (150, 110, 66), sade=1, reuna=AARIVIIVA, paksuus=1)
    p.viiva([(x - 0.6, 10), (x - 0.6, MAALI_K)], 0.8, (196, 156, 104))
    p.soikio((x - 4, 1, x + 4, 9), (232, 186, 72), reuna=AARIVIIVA, paksuus=1)
    p.soikio((x - 2, 2.5, x, 4.5), (255, 240, 190))

    def aalto(u):
        return 2.2 * math.sin(math.pi * 1.3 * u)

    x0, x1, y0, y1 = x + 2.5, MAALI_L - 1.0, 11.0, 53.0
    sarakkeita, riveja = 4, 6

    def kohta(i, j):
        u = i / sarakkeita
        return (x0 + (x1 - x0) * u, y0 + (y1 - y0) * j / riveja + aalto(u) - 1.2 * u)

    for i in range(sarakkeita):
        for j in range(riveja):
            vari = AARIVIIVA if (i + j) % 2 == 0 else (252, 242, 218)
            kulmat = [kohta(i, j), kohta(i + 1, j), kohta(i + 1, j + 1), kohta(i, j + 1)]
            p.monikulmio(kulmat, vari)
    reuna = [kohta(i / 4, 0) for i in range(4 * sarakkeita + 1)]
    reuna += [kohta(i / 4, riveja) for i in range(4 * sarakkeita, -1, -1)]
    p.viiva(reuna + [reuna[0]], 1.0, AARIVIIVA)
    # A little heap of sand holds the pole up.
    p.monikulmio([(0.5, MAALI_K), (2, MAALI_K - 4), (x, MAALI_K - 6.5), (x + 5, MAALI_K - 4),
                  (x + 8.5, MAALI_K)], HIEKKA, reuna=HIEKKA_REUNA, paksuus=1)
    return p.valmis()


# ---------------------------------------------------------------- characters

IHO = (238, 192, 146)
IHO_VARJO = (214, 160, 118)
HATTU = (198, 150, 88)
HATTU_NAUHA = (150, 60, 42)
PAITA = (52, 138, 150)
PAITA_VARJO = (36, 104, 118)
HUIVI = (206, 62, 48)
HOUSUT = (132, 104, 70)
SAAPAS = (92, 58, 38)
REPPU = (140, 92, 52)


def kovat_reunat(kuva):
    """Hero rule: alpha 0 or 255 only; background exactly (255, 255, 255, 0)
    so it works both with the white colour key and with an alpha blit; no
    pure white inside the figure."""
    a = np.asarray(kuva).copy()
    sisalla = a[..., 3] >= 128
    a[..., 3] = np.where(sisalla, 255, 0)
    valkoinen = sisalla & np.all(a[..., :3] == 255, axis=-1)
    a[valkoinen, :3] = 250
    a[~sisalla] = (255, 255, 255, 0)
    return Image.fromarray(a, "RGBA")


def hahmon_paa(p, suu_auki=False):
    """Head, hair and hat of the hero facing right (84 x 101 frame)."""
    p.soikio((30, 16, 40, 32), (92, 56, 34), reuna=AARIVIIVA)
    p.soikio((32, 14, 60, 42), IHO, reuna=AARIVIIVA)
    p.soikio((57, 25, 63, 32), IHO, reuna=AARIVIIVA, paksuus=1.2)
    p.soikio((50, 22.5, 54, 28.5), (40, 28, 24))
    p.soikio((51, 23, 52.6, 25), (250, 250, 246))
    p.soikio((44, 29, 50, 33), (236, 150, 128))
    if suu_auki:
        p.soikio((50, 33, 55, 38), (120, 40, 36), reuna=AARIVIIVA, paksuus=1)
    else:
        p.kaari((47, 29, 57, 36), 20, 120, AARIVIIVA, 1.3)
    p.monikulmio([(31, 14), (34, 1), (57, 1), (60, 14)], HATTU, reuna=AARIVIIVA)
    p.laatikko((31, 9, 60, 13.5), HATTU_NAUHA)
    p.soikio((14, 11, 76, 20), HATTU, reuna=AARIVIIVA)
    p.soikio((20, 12.5, 70, 16), (222, 178, 110))


# The hero stands on the whole width of the collision box: the soles of the
# two boots run from the box's left edge and to its right edge on the bottom
# rows, so the drawn feet meet a ledge exactly where the game lets him stand.
POHJA_Y = HAHMO_K  # the soles' lower edge: the frame's last row is the box's


def saapas(p, kanta, karki, nilkka, ylin=82.0):
    """A boot facing right: shaft around the ankle at x `nilkka`, foot from
    the heel at x `kanta` to the rounded toe at x `karki`, a flat sole under it."""
    ala = POHJA_Y - 0.25
    jalka = ylin + 9  # top of the foot behind the toe cap
    p.laatikko((nilkka - 7.5, ylin, nilkka + 7.5, jalka + 3), SAAPAS, sade=3, reuna=AARIVIIVA)
    karki_r = 7.0
    karki_k = ala - 2 - jalka
    karkikaari = [(karki - 0.75 - karki_r + karki_r * math.cos(a),
                   ala - 2 - karki_k * math.sin(a)) for a in np.linspace(0, math.pi / 2, 7)]
    p.monikulmio([(kanta + 0.75, ala), (kanta + 0.75, jalka + 3), (kanta + 3, jalka),
                  (nilkka + 6, jalka)] + karkikaari[::-1] + [(karki - 0.75, ala)],
                 SAAPAS, reuna=AARIVIIVA)
    p.viiva([(karki - 10, jalka + 2.5), (karki - 5, jalka + 3.5)], 1.2, (130, 86, 56))
    p.laatikko((kanta, POHJA_Y - 3.5, karki, POHJA_Y), (58, 36, 24), sade=1, reuna=AARIVIIVA,
               paksuus=1)
    p.viiva([(nilkka - 3, ylin + 3), (nilkka + 4, ylin + 3)], 1.2, (130, 86, 56))


def hahmo_seisoo():
    p = Piirros(HAHMO_L, HAHMO_K)
    p.monikulmio([(35, 38), (16, 47), (12, 56), (31, 47)], HUIVI, reuna=AARIVIIVA)
    p.laatikko((15, 38, 35, 71), REPPU, sade=5, reuna=AARIVIIVA)
    p.laatikko((17, 45, 33, 54), (116, 74, 42), sade=3)
    p.raaja([(38, 68), (33, 78), (19, 88)], 11, HOUSUT)
    p.raaja([(51, 68), (56, 78), (64, 88)], 11, HOUSUT)
    saapas(p, 0, 33, 17)
    saapas(p, 51, HAHMO_L, 64)
    p.raaja([(34, 45), (30, 64)], 7, PAITA_VARJO)
    p.laatikko((29, 38, 59, 72), PAITA, sade=9, reuna=AARIVIIVA)
    p.laatikko((29, 62, 59, 67), (96, 62, 36), reuna=AARIVIIVA, paksuus=1)
    p.laatikko((46, 61.5, 52, 67.5), (226, 184, 70), reuna=AARIVIIVA, paksuus=1)
    p.raaja([(52, 44), (58, 55), (61, 64)], 7, PAITA)
    p.soikio((57, 61, 67, 71), IHO, reuna=AARIVIIVA)
    p.laatikko((32, 35, 57, 43), HUIVI, sade=4, reuna=AARIVIIVA)
    hahmon_paa(p)
    return kovat_reunat(p.valmis())


def hahmo_hyppaa():
    """Jumping: arms up at the hat, knees out, boots at the box's bottom corners."""
    p = Piirros(HAHMO_L, HAHMO_K)
    p.monikulmio([(35, 38), (19, 29), (11, 33), (30, 45)], HUIVI, reuna=AARIVIIVA)
    p.laatikko((15, 38, 35, 68), REPPU, sade=5, reuna=AARIVIIVA)
    p.raaja([(37, 66), (20, 74), (16, 86)], 11, HOUSUT)
    p.raaja([(51, 66), (68, 74), (68, 86)], 11, HOUSUT)
    saapas(p, 0, 30, 15, ylin=80)
    saapas(p, 54, HAHMO_L, 68, ylin=80)
    p.raaja([(34, 44), (24, 34), (17, 22)], 7, PAITA_VARJO)
    p.soikio((11, 14, 21, 23), IHO_VARJO, reuna=AARIVIIVA)
    p.laatikko((29, 38, 59, 69), PAITA, sade=9, reuna=AARIVIIVA)
    p.laatikko((29, 60, 59, 65), (96, 62, 36), reuna=AARIVIIVA, paksuus=1)
    p.laatikko((46, 59.5, 52, 65.5), (226, 184, 70), reuna=AARIVIIVA, paksuus=1)
    p.raaja([(53, 43), (64, 34), (71, 22)], 7, PAITA)
    p.soikio((66, 13, 76, 23), IHO, reuna=AARIVIIVA)
    p.laatikko((32, 35, 57, 43), HUIVI, sade=4, reuna=AARIVIIVA)
    hahmon_paa(p, suu_auki=True)
    return kovat_reunat(p.valmis())


def hahmo_edesta():
    """The hero from the front, for the ending (drawn at (600, 165))."""
    w, h = 150, 330
    p = Piirros(w, h, 3)
    cx = w / 2
    p.raaja([(cx - 10, 200), (cx - 12, 290)], 26, HOUSUT)
    p.raaja([(cx + 10, 200), (cx + 12, 290)], 26, HOUSUT)
    p.laatikko((cx - 40, 282, cx - 2, 318), SAAPAS, sade=10, reuna=AARIVIIVA, paksuus=2.5)
    p.laatikko((cx + 2, 282, cx + 40, 318), SAAPAS, sade=10, reuna=AARIVIIVA, paksuus=2.5)
    p.raaja([(cx - 36, 128), (cx - 56, 160), (cx - 64, 104)], 20, PAITA, reunapaksuus=2.5)
    p.soikio((cx - 78, 84, cx - 50, 112), IHO, reuna=AARIVIIVA, paksuus=2.5)
    p.raaja([(cx + 36, 128), (cx + 46, 170), (cx + 46, 196)], 20, PAITA, reunapaksuus=2.5)
    p.soikio((cx + 32, 188, cx + 60, 216), IHO, reuna=AARIVIIVA, paksuus=2.5)
    p.laatikko((cx - 42, 112, cx + 42, 214), PAITA, sade=26, reuna=AARIVIIVA, paksuus=2.5)
    p.laatikko((cx - 42, 188, cx + 42, 202), (96, 62, 36), reuna=AARIVIIVA, paksuus=2)
    p.laatikko((cx - 10, 186, cx + 10, 204), (226, 184, 70), reuna=AARIVIIVA, paksuus=2)
    p.monikulmio([(cx + 8, 120), (cx + 22, 160), (cx + 8, 158)], HUIVI, reuna=AARIVIIVA,
                 paksuus=2)
    p.laatikko((cx - 36, 104, cx + 36, 126), HUIVI, sade=10, reuna=AARIVIIVA, paksuus=2.5)
    p.soikio((cx - 40, 30, cx + 40, 116), IHO, reuna=AARIVIIVA, paksuus=2.5)
    for sx in (-1, 1):
        p.soikio((cx + sx * 17 - 6, 62, cx + sx * 17 + 6, 78), (40, 28, 24))
        p.soikio((cx + sx * 17 - 3, 64, cx + sx * 17 + 1, 69), (250, 250, 246))
        p.soikio((cx + sx * 26 - 7, 82, cx + sx * 26 + 7, 92), (236, 150, 128))
    p.soikio((cx - 6, 74, cx + 6, 88), IHO_VARJO)
    p.kaari((cx - 18, 78, cx + 18, 102), 20, 160, AARIVIIVA, 3)
    p.monikulmio([(cx - 34, 46), (cx - 28, 2), (cx + 28, 2), (cx + 34, 46)], HATTU,
                 reuna=AARIVIIVA, paksuus=2.5)
    p.laatikko((cx - 33, 30, cx + 33, 42), HATTU_NAUHA)
    p.soikio((cx - 72, 36, cx + 72, 60), HATTU, reuna=AARIVIIVA, paksuus=2.5)
    p.soikio((cx - 56, 40, cx + 56, 50), (222, 178, 110))
    return p.valmis()


def apuri():
    """Apuri, a robed helper with a staff, facing left (towards the hero)."""
    w, h = 260, 560
    p = Piirros(w, h, 2)
    kaapu = (64, 72, 146)
    kaapu_varjo = (46, 52, 112)
    kulta = (232, 186, 72)
    p.viiva([(42, 110), (40, 552)], 7, (110, 72, 40))
    p.soikio((22, 76, 62, 116), (250, 196, 80, 255), reuna=AARIVIIVA, paksuus=2)
    p.soikio((32, 84, 44, 96), (255, 240, 190))
    p.monikulmio([(96, 160), (180, 160), (236, 552), (40, 552)], kaapu, reuna=AARIVIIVA,
                 paksuus=2.5)
    p.monikulmio([(150, 170), (180, 160), (236, 552), (180, 552)], kaapu_varjo)
    p.monikulmio([(40, 552), (236, 552), (232, 528), (46, 528)], kulta, reuna=AARIVIIVA,
                 paksuus=2)
    p.monikulmio([(120, 200), (138, 200), (146, 528), (112, 528)], kulta, reuna=AARIVIIVA,
                 paksuus=2)
    p.laatikko((94, 270, 190, 290), (150, 60, 42), sade=6, reuna=AARIVIIVA, paksuus=2)
    p.raaja([(112, 180), (74, 250), (50, 252)], 30, kaapu, reunapaksuus=2.5)
    p.soikio((30, 232, 64, 266), IHO, reuna=AARIVIIVA, paksuus=2)
    # Hood and face in profile, looking left.
    huppu = (214, 196, 160)
    p.monikulmio([(88, 150), (96, 56), (136, 30), (178, 44), (200, 110), (196, 178), (150, 190)],
                 huppu, reuna=AARIVIIVA, paksuus=2.5)
    p.monikulmio([(150, 60), (178, 50), (196, 112), (192, 172), (160, 176)], (186, 166, 128))
    p.soikio((92, 70, 168, 160), IHO, reuna=AARIVIIVA, paksuus=2)
    p.soikio((82, 106, 102, 128), IHO, reuna=AARIVIIVA, paksuus=2)
    p.kaari((88, 52, 176, 150), 180, 300, AARIVIIVA, 2.5)
    p.laatikko((96, 78, 166, 88), kulta, sade=4, reuna=AARIVIIVA, paksuus=1.5)
    p.soikio((104, 76, 116, 90), (90, 170, 200), reuna=AARIVIIVA, paksuus=1.2)
    p.monikulmio([(94, 132), (170, 128), (156, 210), (128, 240), (104, 194)], (226, 226, 220),
                 reuna=AARIVIIVA, paksuus=2)
    p.viiva([(96, 131), (116, 126), (134, 132)], 5, (232, 232, 226))
    p.soikio((108, 100, 120, 114), (40, 28, 24))
    p.soikio((110, 102, 114, 106), (240, 240, 236))
    p.viiva([(102, 95), (126, 92)], 4, (200, 200, 196))
    p.kaari((104, 134, 126, 146), 200, 330, AARIVIIVA, 2)
    return p.valmis()


def toinen_henkilo():
    """A cheering villager for the ending (drawn at (700, 0))."""
    w, h = 300, 500
    p = Piirros(w, h, 2)
    cx = 190
    mekko = (196, 84, 112)
    huivi = (244, 196, 76)
    p.raaja([(cx - 46, 210), (cx - 88, 160), (cx - 96, 112)], 22, mekko, reunapaksuus=2.5)
    p.soikio((cx - 112, 90, cx - 80, 122), IHO, reuna=AARIVIIVA, paksuus=2)
    p.raaja([(cx + 46, 210), (cx + 84, 160), (cx + 90, 112)], 22, mekko, reunapaksuus=2.5)
    p.soikio((cx + 74, 90, cx + 106, 122), IHO, reuna=AARIVIIVA, paksuus=2)
    p.monikulmio([(cx - 40, 196), (cx + 40, 196), (cx + 92, 478), (cx - 92, 478)], mekko,
                 reuna=AARIVIIVA, paksuus=2.5)
    p.monikulmio([(cx - 86, 448), (cx + 86, 448), (cx + 92, 478), (cx - 92, 478)], huivi,
                 reuna=AARIVIIVA, paksuus=2)
    p.laatikko((cx - 42, 280, cx + 42, 296), huivi, reuna=AARIVIIVA, paksuus=2)
    p.laatikko((cx - 54, 476, cx - 12, 494), SAAPAS, sade=8, reuna=AARIVIIVA, paksuus=2)
    p.laatikko((cx + 12, 476, cx + 54, 494), SAAPAS, sade=8, reuna=AARIVIIVA, paksuus=2)
    p.soikio((cx - 54, 96, cx + 54, 212), huivi, reuna=AARIVIIVA, paksuus=2.5)
    p.soikio((cx - 40, 112, cx + 40, 196), (196, 146, 104), reuna=AARIVIIVA, paksuus=2)
    for sx in (-1, 1):
        p.soikio((cx + sx * 15 - 5, 138, cx + sx * 15 + 5, 152), (40, 28, 24))
        p.soikio((cx + sx * 22 - 7, 158, cx + sx * 22 + 7, 168), (214, 120, 104))
    p.soikio((cx - 14, 160, cx + 14, 184), (120, 40, 36), reuna=AARIVIIVA, paksuus=2)
    p.soikio((cx - 50, 86, cx + 50, 130), huivi, reuna=AARIVIIVA, paksuus=2.5)
    return p.valmis()


def saippuakupla(p, x, y, r):
    p.soikio((x - r, y - r, x + r, y + r), (190, 230, 255, 60), reuna=(120, 170, 230, 200),
             paksuus=1.5)
    p.kaari((x - r + 3, y - r + 3, x + r - 3, y + r - 3), 200, 260, (255, 255, 255, 230), 2)
    p.kaari((x - r + 2, y - r + 2, x + r - 2, y + r - 2), 20, 70, (250, 180, 230, 160), 1.5)


def saippuakohtaus(vaihe):
    """Frame `vaihe` (0-3) of a small man blowing soap bubbles."""
    w, h = 190, 345
    p = Piirros(w, h, 3)
    rng = np.random.default_rng(77)
    kuplat = [(rng.uniform(40, 160), rng.uniform(0, 1), rng.uniform(8, 20)) for _ in range(7)]
    for i, (x, t, r) in enumerate(kuplat):
        nousu = (t + vaihe * 0.25) % 1.0
        by = 220 - nousu * 210
        bx = x + 10 * math.sin(nousu * 6 + i)
        saippuakupla(p, bx, by, r * (0.6 + 0.4 * nousu))
    cx = 70
    takki = (86, 132, 72)
    p.raaja([(cx - 8, 290), (cx - 10, 330)], 14, HOUSUT)
    p.raaja([(cx + 8, 290), (cx + 10, 330)], 14, HOUSUT)
    p.laatikko((cx - 24, 326, cx - 2, 342), SAAPAS, sade=6, reuna=AARIVIIVA, paksuus=2)
    p.laatikko((cx + 2, 326, cx + 26, 342), SAAPAS, sade=6, reuna=AARIVIIVA, paksuus=2)
    p.laatikko((cx - 26, 236, cx + 26, 300), takki, sade=14, reuna=AARIVIIVA, paksuus=2)
    kupla_koko = [6, 10, 15, 4][vaihe]
    p.raaja([(cx + 20, 248), (cx + 40, 238), (cx + 48, 222)], 10, takki, reunapaksuus=2)
    p.viiva([(cx + 48, 226), (cx + 56, 206)], 2, (110, 72, 40))
    p.soikio((cx + 50, 196, cx + 62, 208), None, reuna=(110, 72, 40), paksuus=2)
    saippuakupla(p, cx + 62, 200 - kupla_koko, kupla_koko)
    p.soikio((cx - 26, 184, cx + 26, 240), IHO, reuna=AARIVIIVA, paksuus=2)
    p.monikulmio([(cx - 24, 216), (cx + 18, 216), (cx + 4, 248), (cx - 18, 240)], (210, 210, 206),
                 reuna=AARIVIIVA, paksuus=1.5)
    p.soikio((cx + 6, 200, cx + 13, 209), (40, 28, 24))
    p.soikio((cx + 18, 208, cx + 26, 218), (200, 100, 90), reuna=AARIVIIVA, paksuus=1.5)
    p.monikulmio([(cx - 30, 196), (cx - 16, 168), (cx + 16, 168), (cx + 30, 196)], (172, 72, 52),
                 reuna=AARIVIIVA, paksuus=2)
    return p.valmis()


# ---------------------------------------------------------------- story scenes

TEKSTIKAISTA = 62  # height of the caption band that the story text is drawn on


def kaista(rgb, vari, reuna):
    rgb[:TEKSTIKAISTA] = vari
    rgb[TEKSTIKAISTA:TEKSTIKAISTA + 3] = reuna
    return rgb


def pelidemo_tausta():
    rgb = pystyliukuma(LEVEYS, KORKEUS, (110, 166, 222), TAIVAS_ALA, 0.8)
    rgb = aurinko(rgb, 120, 170, 40)
    rgb = jaksolliset_pilvet(rgb, 44, 3, (110, 330))
    rgb = duunit(rgb, 560, 50, 42, (236, 214, 180), (214, 188, 160), aalto=400)
    rgb = duunit(rgb, 660, 50, 43, (250, 218, 154), (212, 160, 96), aalto=300)
    rgb[700:] = lerp((238, 200, 136), (214, 170, 108), np.linspace(0, 1, KORKEUS - 700))[:, None, :]
    rgb = kaista(rgb, (252, 242, 218), HIEKKA_REUNA)
    return kuvaksi(rgb)


def koriste_tasot():
    """kuva10: floating sand platforms for the intro (at (10, 350))."""
    p = Piirros(480, 240, 2)
    leijuva_taso(p, 110, 60, 160, 50, 51)
    leijuva_taso(p, 330, 130, 200, 60, 52)
    leijuva_taso(p, 150, 190, 110, 34, 53)
    return p.valmis()


def koriste_torni():
    """kuva7: a sand tower standing on the ground (at (540, 245))."""
    p = Piirros(150, 455, 2)
    p.soikio((6, 432, 144, 454), HIEKKA_TUMMA + (160,))
    hiekkatorni(p, 10, 444, 130, 380)
    return p.valmis()


def peliloppudemo_tausta():
    rgb = pystyliukuma(LEVEYS, KORKEUS, ILTA_YLA, ILTA_ALA, 1.3)
    rng = np.random.default_rng(61)
    for _ in range(160):
        x, y = int(rng.uniform(0, LEVEYS)), int(rng.uniform(0, 300))
        kirkkaus = rng.uniform(0.4, 1.0) * (1 - y / 300)
        rgb[y, x] = rgb[y, x] * (1 - kirkkaus) + 250 * kirkkaus
    rgb = aurinko(rgb, 200, 470, 50, vari=(255, 200, 120))
    rgb = duunit(rgb, 470, 40, 62, (206, 140, 96), (150, 96, 80), aalto=380)
    rgb = duunit(rgb, 520, 40, 63, (226, 160, 100), (160, 104, 78), aalto=300)
    rgb = kaista(rgb, (18, 16, 40), (120, 84, 60))
    p = Piirros(LEVEYS, KORKEUS, 2)
    for i, x in enumerate(range(60, 1000, 120)):
        y = 90 + 14 * math.sin(i * 1.3)
        p.viiva([(x, y), (x + 120, 90 + 14 * math.sin((i + 1) * 1.3))], 1.5, (80, 60, 50))
        p.soikio((x - 6, y, x + 6, y + 16), [(250, 200, 90), (240, 120, 90), (140, 200, 120)][i % 3]
                 + (255,), reuna=AARIVIIVA, paksuus=1)
    return kuvaksi(liita(rgb, p.valmis()))


# ---------------------------------------------------------------- checks


def _kirkkaus(rgb):
    return rgb[..., 0] * 0.299 + rgb[..., 1] * 0.587 + rgb[..., 2] * 0.114


class Tarkistus:
    """Collects the problems found in the written files."""

    def __init__(self, hakemisto):
        self.hakemisto = hakemisto
        self.virheet = []

    def lue(self, nimi, tila=None):
        kuva = Image.open(os.path.join(self.hakemisto, nimi))
        if nimi in RAJATTAVAT:  # as the game sees it, drawn at (0, 0) on the screen
            ruutu = Image.new("RGBA", (LEVEYS, KORKEUS), (0, 0, 0, 0))
            ruutu.paste(kuva, (0, 0))
            kuva = ruutu
        return kuva.convert(tila) if tila else kuva

    def taulu(self, nimi, tila=None):
        return np.asarray(self.lue(nimi, tila), dtype=np.float64)

    def vaadi(self, ehto, viesti):
        if not ehto:
            self.virheet.append(viesti)


def tarkista_koot(t):
    koot = {"valikko_tausta.png": (LEVEYS, KORKEUS, "RGBA"),
            "pelidemo_tausta.png": (LEVEYS, KORKEUS, "RGB"),
            "peliloppudemo_tausta.png": (LEVEYS, KORKEUS, "RGB"),
            "kentta_tausta.png": (TAUSTARUUTU, TAUSTARUUTU, "RGB"),
            "otsikko.png": (LEVEYS, KORKEUS, "RGBA"), "valikko.png": (LEVEYS, KORKEUS, "RGBA"),
            "asetukset.png": (LEVEYS, KORKEUS, "RGBA"), "maali.png": (MAALI_L, MAALI_K, "RGBA")}
    koot.update({n: (RUUTU, RUUTU, "RGBA") for n, _, _ in PALIKAT})
    for nimi, (w, h, tila) in koot.items():
        k = t.lue(nimi)
        t.vaadi(k.size == (w, h) and k.mode == tila, "%s: %s %s" % (nimi, k.size, k.mode))
    for nimi in RAJATTAVAT:
        k = Image.open(os.path.join(t.hakemisto, nimi))
        t.vaadi(k.width <= LEVEYS and k.height <= KORKEUS, nimi + ": larger than the screen")


def tarkista_hahmo(t):
    """The colour-key rules of the hero, and feet as wide as his box."""
    for nimi in HAHMOKUVAT:
        a = np.asarray(t.lue(nimi, "RGBA"))
        t.vaadi(a.shape[:2] == (HAHMO_K, HAHMO_L), nimi + ": size")
        t.vaadi(set(np.unique(a[..., 3])) <= {0, 255}, nimi + ": half-transparent pixels")
        t.vaadi(np.all(a[a[..., 3] == 0] == (255, 255, 255, 0)), nimi + ": background not white")
        kuvio = a[a[..., 3] == 255][:, :3]
        t.vaadi(not np.any(np.all(kuvio == 255, axis=1)), nimi + ": pure white in the figure")
        # The game stands the box's bottom row on the block: the soles are
        # there, from the box's left edge to its right edge.
        jalat = a[-4:, :, 3] == 255
        t.vaadi(jalat[:, 0].all() and jalat[:, -1].all(),
                nimi + ": the feet do not reach both edges of the box on its bottom rows")


def sauma(k, akseli):
    """How much larger the step across a wrap edge is than the mean step
    between neighbouring rows or columns inside the picture."""
    sisalla = np.abs(np.diff(k, axis=akseli)).mean() + 1.0
    return np.abs(np.take(k, 0, axis=akseli) - np.take(k, -1, axis=akseli)).mean() / sisalla


def tarkista_kentta(t):
    """Seamless tiles, and a level background with nothing that looks solid."""
    tausta = t.taulu("kentta_tausta.png")
    for akseli in (0, 1):
        t.vaadi(sauma(tausta, akseli) < 3, "kentta_tausta.png: seam on axis %d" % akseli)
    kirkkaus = _kirkkaus(tausta)
    askel = max(np.abs(np.diff(kirkkaus, axis=a)).max() for a in (0, 1))
    t.vaadi(askel < 4, "kentta_tausta.png: a sharp edge (a step of %.0f) reads as a shape" % askel)
    t.vaadi((tausta[..., 2] - tausta[..., 0]).min() > 40,
            "kentta_tausta.png: grey or sand-coloured pixels could pass for blocks")
    t.vaadi(kirkkaus.std() < 8, "kentta_tausta.png: too busy behind the blocks")
    keski = t.taulu("palikka_normaali.png")
    t.vaadi(np.all(keski[..., 3] == 255), "palikka_normaali.png: not opaque")
    for nimi in ("palikka_alku_normaali.png", "palikka_normaali.png", "palikka_loppu_normaali.png"):
        t.vaadi(sauma(t.taulu(nimi), 1) < 3, nimi + ": seam between neighbours")


def laatikon_keski(alfa, rivi, x):
    """Centre of the run of drawn pixels on `rivi` that holds column x."""
    peitto = alfa[rivi] > 0
    if not peitto[x]:
        return None
    vasen = x - np.argmin(peitto[x::-1]) + 1 if not peitto[: x + 1].all() else 0
    oikea = x + np.argmin(peitto[x:]) if not peitto[x:].all() else len(peitto)
    return (vasen + oikea) / 2


def tarkista_laatikot(t, nimi, nimikkeet):
    """Each label has a box in `nimi` centred under its ink (within a pixel)."""
    alfa = t.taulu(nimi)[..., 3]
    sanat = kieli()
    for avain, x, y in nimikkeet:
        x0, x1 = musteen_sarakkeet(sanat[avain], x)
        muste = (x0 + x1 + 1) / 2
        laatikko = laatikon_keski(alfa, y + 20, int(muste))
        t.vaadi(laatikko is not None and abs(laatikko - muste) <= 1.0,
                "%s: the box under %r is centred at %s, its text at %.1f"
                % (nimi, sanat[avain], laatikko, muste))


def kokoa(t, nimet):
    pinta = t.lue(nimet[0], "RGBA")
    for nimi in nimet[1:]:
        pinta.alpha_composite(t.lue(nimi))
    return np.asarray(pinta.convert("RGB"), dtype=np.float64)


def tarkista_valikot(t):
    """Menu art wholly on screen, boxes under the labels, and a light,
    nearly opaque backing under every black text of the three screens."""
    for nimi in ("otsikko.png", "valikko.png", "asetukset.png"):
        alfa = t.taulu(nimi)[..., 3]
        reunat = np.concatenate([alfa[0], alfa[-1], alfa[:, 0], alfa[:, -1]])
        t.vaadi(reunat.max() == 0, nimi + ": a shape runs off the screen's edge")
    # The title plaque's rim shows all along its top, above the title text.
    otsikko = t.taulu("otsikko.png")
    ilman = []
    for x in range(240, 500):
        ylin = int(np.argmax(otsikko[:, x, 3] > 128))
        if not (0 < ylin < 5 and _kirkkaus(otsikko[ylin, x]) < 150):
            ilman.append(x)
    t.vaadi(not ilman, "otsikko.png: no rim above the title in %d columns from x %s"
            % (len(ilman), ilman[:1]))
    tarkista_laatikot(t, "valikko.png", PAAVALIKKO)
    tarkista_laatikot(t, "asetukset.png", ASETUSNAPIT)
    pohja = ["valikko_tausta.png", "otsikko.png", "valikko.png"]
    paa, asetus = kokoa(t, pohja), kokoa(t, pohja + ["asetukset.png"])
    sanat = kieli()
    alueet = [(paa, (100, 200, 500, 575)), (paa, (10, 200, 420, 545)),
              (paa, (250, 4, 490, 42))]
    for avain, x, y in PAAVALIKKO:
        x0, x1 = musteen_sarakkeet(sanat[avain], x)
        alueet += [(paa, (x0, y + 8, x1 + 1, y + 34)), (asetus, (x0, y + 8, x1 + 1, y + 34))]
    rivit = ASETUSRIVIT + ASETUSNAPIT + [("On", x, y) for x, (_, _, y) in
                                         zip(ARVOJEN_X, ASETUSRIVIT)]
    for avain, x, y in rivit:
        x0, x1 = musteen_sarakkeet(sanat[avain], x)
        alueet.append((asetus, (x0, y + 8, x1 + 1, y + 34)))
    for kuva, (x0, y0, x1, y1) in alueet:
        t.vaadi(_kirkkaus(kuva[y0:y1, x0:x1]).min() > 150,
                "menu text area %s too dark" % ((x0, y0),))


def tarkista_maali(t):
    """The goal marker: a transparent background, the pole's foot on the
    bottom edge and the flag up at the top."""
    alfa = t.taulu("maali.png")[..., 3]
    t.vaadi((alfa == 0).mean() > 0.5, "maali.png: background not transparent")
    t.vaadi(alfa[-1].max() == 255 and alfa[-1, int(MAALI_TANKO_X)] == 255,
            "maali.png: the pole does not stand on the bottom edge")
    t.vaadi((alfa[:50, 10:] == 255).mean() > 0.5, "maali.png: no flag at the top")


def tarkista(hakemisto):
    """Checks the written files against the rules of where they are drawn.
    Returns a list of problems (empty when everything holds)."""
    t = Tarkistus(hakemisto)
    tarkista_koot(t)
    tarkista_hahmo(t)
    tarkista_kentta(t)
    tarkista_valikot(t)
    tarkista_maali(t)
    alku = t.taulu("pelidemo_tausta.png")
    loppu = t.taulu("peliloppudemo_tausta.png")
    t.vaadi(_kirkkaus(alku[:TEKSTIKAISTA]).min() > 200, "intro top band not light")
    t.vaadi(_kirkkaus(loppu[:TEKSTIKAISTA]).max() < 60, "ending top band not dark")
    return t.virheet


def main():
    hakemisto = sys.argv[1] if len(sys.argv) > 1 else os.path.join(JUURI, "media", "images")
    os.makedirs(hakemisto, exist_ok=True)
    tekstuuri = hiekkatekstuuri(RUUTU, 17)
    for nimi, rivi, sarake in PALIKAT:
        tallenna(palikka(rivi, sarake, tekstuuri), hakemisto, nimi)
    seisoo, hyppaa = hahmo_seisoo(), hahmo_hyppaa()
    kuvat = {
        "valikko_tausta.png": valikko_tausta(),
        "otsikko.png": otsikko(),
        "valikko.png": valikko_peite(),
        "asetukset.png": asetukset_kuva(),
        "maali.png": maali(),
        "kentta_tausta.png": kentta_tausta(),
        "peli_hahmo.png": seisoo,
        "peli_hahmov.png": seisoo.transpose(Image.FLIP_LEFT_RIGHT),
        "peli_hahmohyppy.png": hyppaa,
        "peli_hahmohyppyv.png": hyppaa.transpose(Image.FLIP_LEFT_RIGHT),
        "pelidemo_tausta.png": pelidemo_tausta(),
        # Apuri starts turned away and faces the hero (on the left) from the
        # line where he turns towards him.
        "peli_pappi.png": apuri().transpose(Image.FLIP_LEFT_RIGHT),
        "peli_pappiv.png": apuri(),
        "kuva10.png": koriste_tasot(),
        "kuva7.png": koriste_torni(),
        "peliloppudemo_tausta.png": peliloppudemo_tausta(),
        "hahmo_edesta.png": hahmo_edesta(),
        "henkilo2.png": toinen_henkilo(),
    }
    for i in range(4):
        kuvat["ukko_saippuak_%d.png" % i] = saippuakohtaus(i)
    for nimi, kuva in kuvat.items():
        tallenna(kuva, hakemisto, nimi)
    print("%d kuvaa -> %s" % (len(kuvat) + len(PALIKAT), os.path.normpath(hakemisto)))
    virheet = tarkista(hakemisto)
    for virhe in virheet:
        print("VIRHE:", virhe)
    sys.exit(1 if virheet else 0)


if __name__ == "__main__":
    main()
