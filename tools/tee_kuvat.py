#!/usr/bin/python3
"""Draws every image of the game into media/images/ (desert theme).

Everything is procedural: gradients, periodic noise and shapes drawn with
Pillow at a higher resolution and scaled down. The output is deterministic
(fixed random seeds), so running this again gives the same files.

Usage: tools/tee_kuvat.py [output directory]   (default media/images)
"""

import math
import os
import sys

import numpy as np
from PIL import Image, ImageDraw

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


def jaksollinen_kohina(w, h, sumeus, siemen):
    """Smooth noise in [-1, 1] that wraps around both edges (FFT filtered)."""
    rng = np.random.default_rng(siemen)
    spektri = np.fft.fft2(rng.normal(size=(h, w)))
    fy = np.fft.fftfreq(h)[:, None]
    fx = np.fft.fftfreq(w)[None, :]
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

    def valmis(self):
        return pienenna(self.kuva, self.k)


def liita(pohja_rgb, kerros):
    """Alpha-composites an RGBA image over a float RGB array (same size)."""
    k = np.asarray(kerros, dtype=np.float64)
    a = k[..., 3:4] / 255.0
    return pohja_rgb * (1 - a) + k[..., :3] * a


def tallenna(kuva, hakemisto, nimi):
    polku = os.path.join(hakemisto, nimi)
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
    return kuvaksi(liita(rgb, p.valmis()))


def otsikko():
    """Title art: a sandstone plaque for the title text and the sand tower."""
    p = Piirros(LEVEYS, KORKEUS, 2)
    # The title text lands at (250, -15); its glyphs cover about x 250-490, y 0-42.
    for x in (268, 470):
        p.viiva([(x, 0), (x, 8)], 3, HIEKKA_REUNA)
    p.laatikko((222, -20, 518, 58), (252, 236, 200), sade=16, reuna=HIEKKA_REUNA, paksuus=3)
    p.laatikko((230, -20, 510, 50), None, sade=12, reuna=HIEKKA_TUMMA, paksuus=1.5)
    for x in (236, 504):
        p.soikio((x - 4, 40, x + 4, 48), HIEKKA_TUMMA, reuna=HIEKKA_REUNA, paksuus=1)
    leijuva_taso(p, 630, 608, 200, 56, 21)
    hiekkatorni(p, 560, 610, 140, 380)
    return p.valmis()


def valikko_peite():
    """Menu overlay: light translucent panels where black text is drawn."""
    p = Piirros(LEVEYS, KORKEUS, 2)
    vari = PANEELI + (218,)
    reuna = HIEKKA_REUNA + (220,)
    # Left: high-score list (x 100-500 from y 200), credits (x 10-420, y 200-545)
    # and the settings items (x 8-491, y 364-757) share one panel.
    p.laatikko((-24, 186, 516, 762), vari, sade=22, reuna=reuna, paksuus=2.5)
    # Right: the four main-menu labels (x 762-973, y 232-657), one plate each.
    for y in (232, 350, 468, 590):
        p.laatikko((744, y - 14, 906, y + 48), vari, sade=18, reuna=reuna, paksuus=2.5)
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
    """512 x 512 sky that repeats seamlessly in both directions: even blue
    with soft clouds and hazy far-off sand islands drawn across the edges."""
    s = TAUSTARUUTU
    k = jaksollinen_kohina(s, s, 70.0, 31)
    rgb = lerp((132, 188, 232), (176, 212, 240), 0.5 + 0.5 * k)
    rgb = jaksolliset_pilvet(rgb, 32, 4)
    p = Piirros(3 * s, 3 * s, 2)
    rng = np.random.default_rng(33)
    # One island in each cell of a jittered 3 x 2 grid keeps them spread out.
    saaret = [((i + rng.uniform(0.2, 0.8)) * s / 3, (j + rng.uniform(0.2, 0.8)) * s / 2,
               rng.uniform(34, 64)) for i in range(3) for j in range(2)]
    for i, (cx, cy, lev) in enumerate(saaret):
        for ox in (0, s, 2 * s):
            for oy in (0, s, 2 * s):
                x, y = cx + ox, cy + oy
                if s - lev < x < 2 * s + lev and s - lev < y < 2 * s + lev:
                    leijuva_taso(p, x, y, lev, lev * 0.32, 40 + i, valuma=False)
    saaret_kuva = np.asarray(p.valmis().crop((s, s, 2 * s, 2 * s)), dtype=np.float64)
    sumu = np.asarray((196, 220, 242), dtype=np.float64)
    # Haze keeps them far away, so they never pass for platforms.
    saaret_kuva[..., :3] = saaret_kuva[..., :3] * 0.5 + sumu * 0.5
    saaret_kuva[..., 3] *= 0.6
    return kuvaksi(liita(rgb, saaret_kuva))


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
    p.soikio((30, 15, 40, 31), (92, 56, 34), reuna=AARIVIIVA)
    p.soikio((32, 14, 58, 40), IHO, reuna=AARIVIIVA)
    p.soikio((55, 24, 61, 31), IHO, reuna=AARIVIIVA, paksuus=1.2)
    p.soikio((49, 21.5, 53, 27.5), (40, 28, 24))
    p.soikio((50, 22, 51.6, 24), (250, 250, 246))
    p.soikio((43, 28, 49, 32), (236, 150, 128))
    if suu_auki:
        p.soikio((49, 32, 54, 37), (120, 40, 36), reuna=AARIVIIVA, paksuus=1)
    else:
        p.kaari((46, 28, 56, 35), 20, 120, AARIVIIVA, 1.3)
    p.monikulmio([(31, 14), (34, 1), (56, 1), (58, 14)], HATTU, reuna=AARIVIIVA)
    p.laatikko((31, 9, 58, 13.5), HATTU_NAUHA)
    p.soikio((16, 11, 72, 20), HATTU, reuna=AARIVIIVA)
    p.soikio((22, 12.5, 66, 16), (222, 178, 110))


def hahmo_seisoo():
    p = Piirros(HAHMO_L, HAHMO_K)
    p.monikulmio([(35, 38), (18, 47), (15, 55), (31, 46)], HUIVI, reuna=AARIVIIVA)
    p.laatikko((19, 38, 36, 68), REPPU, sade=5, reuna=AARIVIIVA)
    p.laatikko((21, 44, 34, 52), (116, 74, 42), sade=3)
    p.raaja([(37, 66), (36, 90)], 9, HOUSUT)
    p.raaja([(48, 66), (49, 90)], 9, HOUSUT)
    p.laatikko((30, 88, 44, 99), SAAPAS, sade=4, reuna=AARIVIIVA)
    p.laatikko((43, 88, 60, 99), SAAPAS, sade=4, reuna=AARIVIIVA)
    p.raaja([(34, 44), (31, 62)], 7, PAITA_VARJO)
    p.laatikko((30, 38, 56, 70), PAITA, sade=8, reuna=AARIVIIVA)
    p.laatikko((30, 61, 56, 66), (96, 62, 36), reuna=AARIVIIVA, paksuus=1)
    p.laatikko((45, 60.5, 51, 66.5), (226, 184, 70), reuna=AARIVIIVA, paksuus=1)
    p.raaja([(49, 43), (54, 54), (56, 63)], 7, PAITA)
    p.soikio((52, 61, 61, 70), IHO, reuna=AARIVIIVA)
    p.laatikko((32, 34, 55, 42), HUIVI, sade=4, reuna=AARIVIIVA)
    hahmon_paa(p)
    return kovat_reunat(p.valmis())


def hahmo_hyppaa():
    p = Piirros(HAHMO_L, HAHMO_K)
    p.monikulmio([(35, 38), (20, 30), (12, 34), (30, 44)], HUIVI, reuna=AARIVIIVA)
    p.laatikko((19, 38, 36, 66), REPPU, sade=5, reuna=AARIVIIVA)
    p.raaja([(38, 64), (28, 74), (32, 86)], 9, HOUSUT)
    p.laatikko((22, 83, 38, 93), SAAPAS, sade=4, reuna=AARIVIIVA)
    p.raaja([(34, 44), (24, 34), (17, 22)], 7, PAITA_VARJO)
    p.soikio((11, 14, 21, 23), IHO_VARJO, reuna=AARIVIIVA)
    p.laatikko((30, 38, 56, 68), PAITA, sade=8, reuna=AARIVIIVA)
    p.laatikko((30, 59, 56, 64), (96, 62, 36), reuna=AARIVIIVA, paksuus=1)
    p.laatikko((45, 58.5, 51, 64.5), (226, 184, 70), reuna=AARIVIIVA, paksuus=1)
    p.raaja([(48, 64), (62, 72), (56, 84)], 9, HOUSUT)
    p.laatikko((50, 81, 68, 92), SAAPAS, sade=4, reuna=AARIVIIVA)
    p.raaja([(50, 43), (62, 34), (70, 22)], 7, PAITA)
    p.soikio((65, 13, 75, 23), IHO, reuna=AARIVIIVA)
    p.laatikko((32, 34, 55, 42), HUIVI, sade=4, reuna=AARIVIIVA)
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


def tarkista(hakemisto):
    """Checks the written files against the rules of where they are drawn.
    Returns a list of problems (empty when everything holds)."""
    virheet = []

    def lue(nimi):
        return Image.open(os.path.join(hakemisto, nimi))

    def vaadi(ehto, viesti):
        if not ehto:
            virheet.append(viesti)

    koot = {"valikko_tausta.png": (LEVEYS, KORKEUS, "RGB"),
            "pelidemo_tausta.png": (LEVEYS, KORKEUS, "RGB"),
            "peliloppudemo_tausta.png": (LEVEYS, KORKEUS, "RGB"),
            "kentta_tausta.png": (TAUSTARUUTU, TAUSTARUUTU, "RGB"),
            "otsikko.png": (LEVEYS, KORKEUS, "RGBA"), "valikko.png": (LEVEYS, KORKEUS, "RGBA")}
    koot.update({n: (RUUTU, RUUTU, "RGBA") for n, _, _ in PALIKAT})
    for nimi, (w, h, tila) in koot.items():
        k = lue(nimi)
        vaadi(k.size == (w, h) and k.mode == tila, "%s: %s %s" % (nimi, k.size, k.mode))
    for nimi in HAHMOKUVAT:
        a = np.asarray(lue(nimi).convert("RGBA"))
        vaadi(a.shape[:2] == (HAHMO_K, HAHMO_L), nimi + ": size")
        vaadi(set(np.unique(a[..., 3])) <= {0, 255}, nimi + ": half-transparent pixels")
        vaadi(np.all(a[a[..., 3] == 0] == (255, 255, 255, 0)), nimi + ": background not white")
        kuvio = a[a[..., 3] == 255][:, :3]
        vaadi(not np.any(np.all(kuvio == 255, axis=1)), nimi + ": pure white in the figure")
    # Tiling: the step across a wrap edge is like the steps between
    # neighbouring rows or columns inside the picture.
    def sauma(k, akseli):
        sisalla = np.abs(np.diff(k, axis=akseli)).mean() + 1.0
        return np.abs(np.take(k, 0, axis=akseli) - np.take(k, -1, axis=akseli)).mean() / sisalla

    t = np.asarray(lue("kentta_tausta.png"), dtype=np.float64)
    for akseli in (0, 1):
        vaadi(sauma(t, akseli) < 3, "kentta_tausta.png: seam on axis %d" % akseli)
    keski = np.asarray(lue("palikka_normaali.png"), dtype=np.float64)
    vaadi(np.all(keski[..., 3] == 255), "palikka_normaali.png: not opaque")
    for nimi in ("palikka_alku_normaali.png", "palikka_normaali.png", "palikka_loppu_normaali.png"):
        k = np.asarray(lue(nimi), dtype=np.float64)
        vaadi(sauma(k, 1) < 3, nimi + ": seam between neighbours")
    # Black text needs a light, nearly opaque backing on every menu screen.
    tausta = np.asarray(lue("valikko_tausta.png").convert("RGBA"), dtype=np.float64)
    pinta = Image.fromarray(tausta.astype(np.uint8), "RGBA")
    pinta.alpha_composite(lue("otsikko.png"))
    pinta.alpha_composite(lue("valikko.png"))
    p = np.asarray(pinta.convert("RGB"), dtype=np.float64)
    alueet = [(100, 200, 500, 570), (10, 200, 420, 545), (8, 364, 491, 757)]
    alueet += [(x, y, x + w, y + 33) for x, y, w in ((762, 232, 140), (768, 350, 134),
                                                     (806, 468, 96), (762, 590, 140))]
    for x0, y0, x1, y1 in alueet:
        vaadi(_kirkkaus(p[y0:y1, x0:x1]).min() > 150, "menu text area %s too dark" % ((x0, y0),))
    vaadi(_kirkkaus(p[0:40, 250:490]).min() > 150, "title area too dark")
    alku = np.asarray(lue("pelidemo_tausta.png"), dtype=np.float64)
    loppu = np.asarray(lue("peliloppudemo_tausta.png"), dtype=np.float64)
    vaadi(_kirkkaus(alku[:TEKSTIKAISTA]).min() > 200, "intro top band not light")
    vaadi(_kirkkaus(loppu[:TEKSTIKAISTA]).max() < 60, "ending top band not dark")
    return virheet


def main():
    hakemisto = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "media", "images")
    os.makedirs(hakemisto, exist_ok=True)
    tekstuuri = hiekkatekstuuri(RUUTU, 17)
    for nimi, rivi, sarake in PALIKAT:
        tallenna(palikka(rivi, sarake, tekstuuri), hakemisto, nimi)
    seisoo, hyppaa = hahmo_seisoo(), hahmo_hyppaa()
    kuvat = {
        "valikko_tausta.png": valikko_tausta(),
        "otsikko.png": otsikko(),
        "valikko.png": valikko_peite(),
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
