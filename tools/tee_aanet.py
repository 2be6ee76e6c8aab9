#!/usr/bin/python3
"""Generate the game's music and sound effects.

Writes, relative to the repository root:
  media/music/valikko.mp3   menu music, D hijaz, 84 bpm, 12 bars, loops
  media/music/peli.mp3      game music, A hijaz, 126 bpm, 16 bars, loops
  media/sounds/aani1.mp3    jump: soft rising "boing" with a breath of air
  media/sounds/aani4.mp3    menu start: a two-note bell chime
  media/sounds/valikko.mp3  menu move: a very short soft tick
  media/sounds/aani5.mp3    level change: a rising arpeggio fanfare

Run from anywhere:  /usr/bin/python3 tools/tee_aanet.py
Needs: python3-numpy (Debian's, hence /usr/bin/python3), lame, mpg123 (used
to check the encoded music decodes to the exact loop length).

Everything is synthesised here with numpy: plucked strings by Karplus-Strong
(oud lead, bass), additive pads, frame-drum and jingle percussion, and a
convolution reverb with a generated impulse response. The output is
deterministic: every random source uses a fixed seed.

Seamless loops: a music piece is a whole number of bars whose length in
samples is an exact whole number of beats (84 and 126 bpm divide 44,100 * 60
exactly). Each piece is rendered into a circular buffer of exactly that
length: note tails that run past the end are added into the beginning, and
the reverb is a circular (FFT) convolution, which is exactly the steady state
of the piece repeating forever. Nothing is faded at the edges. lame's encoder
delay and padding are trimmed by gapless decoders (mpg123, the game's
libmpg123 in gapless mode), so the decoded file is the loop, sample for sample.

Headroom: the game plays the effects over the music, so each file is levelled
(HUIPUT_DB) for the sum of the peaks of every mix the game can play to stay
under -1 dBFS; the music's rare drum peaks go through a circular look-ahead
limiter first, so it keeps more of its loudness. The script checks the sums
from the decoded files; tools/aanipiikit measures the real mixes.
"""

import os
import subprocess
import sys
import tempfile
import wave

import numpy as np

SR = 44100  # samples per second for every file
JUURI = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MUSIIKKI_KBPS = 160  # stereo music bitrate
EFEKTI_KBPS = 128  # mono effects bitrate

NUOTIT = {"C": 0, "C#": 1, "Db": 1, "D": 2, "D#": 3, "Eb": 3, "E": 4, "F": 5,
          "F#": 6, "Gb": 6, "G": 7, "G#": 8, "Ab": 8, "A": 9, "A#": 10,
          "Bb": 10, "B": 11}


def midi(nimi):
    """'Bb4' -> 70 (MIDI note number, A4 = 69)."""
    return NUOTIT[nimi[:-1]] + 12 * (int(nimi[-1]) + 1)


def taajuus(m):
    return 440.0 * 2.0 ** ((m - 69) / 12.0)


def jasenna(tahdit, tahtiin=4.0):
    """Parse bars like 'A4/.5 r/1 Bb4/1.5' into (beat, beats, midi) triples."""
    tulos = []
    for i, tahti in enumerate(tahdit):
        isku = 0.0
        for sana in tahti.split():
            nimi, kesto = sana.split("/")
            kesto = float(kesto)
            if nimi != "r":
                tulos.append((i * tahtiin + isku, kesto, midi(nimi)))
            isku += kesto
        if abs(isku - tahtiin) > 1e-9:
            sys.exit("bar %d has %g beats, expected %g" % (i + 1, isku, tahtiin))
    return tulos


# ---------------------------------------------------------------- filters


def suodata(x, ala=0.0, yla=None, jyrkkyys=1.0):
    """Zero-phase band filter in the frequency domain (circular).

    Smooth (raised-cosine) edges one octave wide times `jyrkkyys`, so no
    ringing. Circular filtering keeps a loop seamless."""
    n = len(x)
    f = np.fft.rfftfreq(n, 1.0 / SR)
    maski = np.ones_like(f)
    if ala > 0:
        maski *= _reuna(f, ala, jyrkkyys, nouseva=True)
    if yla is not None:
        maski *= _reuna(f, yla, jyrkkyys, nouseva=False)
    return np.fft.irfft(np.fft.rfft(x) * maski, n)


def _reuna(f, raja, leveys, nouseva):
    """Gain 0..1 across one octave (scaled) centred on `raja` Hz."""
    oktaavi = np.log2(np.maximum(f, 1e-3) / raja) / leveys
    t = np.clip(oktaavi + 0.5, 0.0, 1.0)
    nousu = 0.5 - 0.5 * np.cos(np.pi * t)
    return nousu if nouseva else 1.0 - nousu


def pyorea_kaiku(x, ir):
    """Circular convolution of a (n, 2) signal with a (m, 2) impulse response."""
    n = len(x)
    if len(ir) > n:  # fold a long response onto the loop length
        taitettu = np.zeros((n, 2))
        for alku in range(0, len(ir), n):
            pala = ir[alku:alku + n]
            taitettu[:len(pala)] += pala
        ir = taitettu
    tulos = np.empty((n, 2))
    for k in range(2):
        tulos[:, k] = np.fft.irfft(np.fft.rfft(x[:, k]) * np.fft.rfft(ir[:, k], n), n)
    return tulos


def kaikuvaste(rt60, kesto, siemen, tummuus=4000.0):
    """Stereo reverb impulse response: decaying noise, highs die faster."""
    rng = np.random.default_rng(siemen)
    n = int(kesto * SR)
    t = np.arange(n) / SR
    ir = np.zeros((n, 2))
    for k in range(2):
        kohina = rng.standard_normal(n)
        matala = suodata(kohina, yla=tummuus) * np.exp(-6.9 * t / rt60)
        korkea = suodata(kohina, ala=tummuus) * np.exp(-6.9 * t / (rt60 * 0.35))
        ir[:, k] = matala + 0.5 * korkea
    ir[: int(0.012 * SR)] = 0.0  # pre-delay keeps the attack clear
    ir *= _ikkuna_loppu(n, int(0.05 * SR))[:, None]
    return ir / np.sqrt(np.sum(ir ** 2) / 2)


def _ikkuna_loppu(n, pituus):
    w = np.ones(n)
    w[n - pituus:] = np.linspace(1.0, 0.0, pituus) ** 2
    return w


# ---------------------------------------------------------------- voices


def kielisoitin(f, kesto, kirkkaus=0.6, t60=2.5, nappaus=0.18, siemen=0,
                soi_lisaa=0.25):
    """Karplus-Strong plucked string (oud, qanun, bass).

    Fractional delay by a three-tap loop filter (averaging + linear
    interpolation). Vectorised by blocks of one period: within a block every
    sample depends only on earlier blocks. The note is damped `soi_lisaa`
    seconds after `kesto` with a short fade."""
    rng = np.random.default_rng(siemen)
    jakso = SR / f
    m = int(np.floor(jakso - 0.5))
    osa = jakso - 0.5 - m
    h = np.array([0.5 * (1 - osa), 0.5, 0.5 * osa])
    g = 10.0 ** (-3.0 / (t60 * f))
    n = int((kesto + soi_lisaa) * SR)
    heratys = rng.uniform(-1, 1, m)
    heratys = _pehmenna(heratys, kirkkaus)
    p = max(1, int(nappaus * m))  # pick position: comb out some harmonics
    heratys[p:] -= 0.8 * heratys[:-p]
    y = np.zeros(n + m + 2)
    y[m + 2: m + 2 + m] = heratys[: min(m, n)]
    for alku in range(m + 2, n + m + 2, m):
        loppu = min(alku + m, n + m + 2)
        k = loppu - alku
        y[alku:loppu] += g * (h[0] * y[alku - m:alku - m + k]
                              + h[1] * y[alku - m - 1:alku - m - 1 + k]
                              + h[2] * y[alku - m - 2:alku - m - 2 + k])
    y = y[m + 2:]
    return y * _attack(n, 0.0015) * _vaimennus(n, kesto, 0.06)


def _pehmenna(x, kirkkaus):
    """One-pole low-pass of the excitation: less bright = softer pluck."""
    a = 1.0 - kirkkaus
    y = np.empty_like(x)
    edellinen = 0.0
    for i, v in enumerate(x):
        edellinen = (1 - a) * v + a * edellinen
        y[i] = edellinen
    return y - np.mean(y)


def _vaimennus(n, kesto, lasku):
    """Envelope: 1 until `kesto` seconds, then a raised-cosine fade."""
    env = np.ones(n)
    a = int(kesto * SR)
    b = min(n, a + int(lasku * SR))
    if a < n:
        env[a:b] = 0.5 + 0.5 * np.cos(np.linspace(0, np.pi, b - a))
        env[b:] = 0.0
    return env


def _attack(n, sekuntia):
    env = np.ones(n)
    k = min(n, max(1, int(sekuntia * SR)))
    env[:k] = np.sin(np.linspace(0, np.pi / 2, k)) ** 2
    return env


def sinibasso(f, kesto, vaimeneminen=0.8):
    """Round sine bass with a little second and third harmonic."""
    n = int((kesto + 0.08) * SR)
    t = np.arange(n) / SR
    vaihe = 2 * np.pi * f * t
    y = np.sin(vaihe) + 0.28 * np.sin(2 * vaihe) + 0.08 * np.sin(3 * vaihe)
    y *= np.exp(-t / vaimeneminen) * _attack(n, 0.006)
    return y * _vaimennus(n, kesto, 0.07)


def matto(savel, kesto, siemen, nousu=0.5, lasku=0.9, kirkkaus=8):
    """Soft pad: three detuned additive saw voices, slow attack and release."""
    rng = np.random.default_rng(siemen)
    n = int((kesto + lasku) * SR)
    t = np.arange(n) / SR
    y = np.zeros(n)
    f = taajuus(savel)
    for viritys in (-0.07, 0.0, 0.08):
        fv = f * 2 ** (viritys / 12)
        vaihe0 = rng.uniform(0, 2 * np.pi)
        for k in range(1, kirkkaus + 1):
            if fv * k > 6000:
                break
            y += np.sin(2 * np.pi * fv * k * t + k * vaihe0) / k ** 1.3
    env = _attack(n, nousu) * _vaimennus(n, kesto, lasku)
    return y * env / 3.0


def ney(f, kesto, siemen):
    """Breathy end-blown flute: soft harmonics, late vibrato, air noise."""
    rng = np.random.default_rng(siemen)
    n = int((kesto + 0.2) * SR)
    t = np.arange(n) / SR
    syvyys = 0.004 * np.clip((t - 0.25) / 0.4, 0, 1)
    vaihe = 2 * np.pi * np.cumsum(f * (1 + syvyys * np.sin(2 * np.pi * 5.2 * t))) / SR
    y = np.sin(vaihe) + 0.25 * np.sin(2 * vaihe) + 0.06 * np.sin(3 * vaihe)
    ilma = suodata(rng.standard_normal(n), ala=f * 1.5, yla=f * 6) * 0.12
    return (y + ilma) * _attack(n, 0.12) * _vaimennus(n, kesto, 0.2)


def humma(taajuudet, kesto, lasku=0.6):
    """Drone of a few sine partials with slow beating (held under a piece)."""
    n = int((kesto + lasku) * SR)
    t = np.arange(n) / SR
    y = sum(np.sin(2 * np.pi * f * t) * (1.0 / (i + 1))
            for i, f in enumerate(taajuudet))
    return y * _attack(n, 0.8) * _vaimennus(n, kesto, lasku)


# ---------------------------------------------------------------- percussion


def doum(rng, voima=1.0):
    """Frame drum low stroke: falling-pitch membrane thump plus a soft slap."""
    n = int(0.45 * SR)
    t = np.arange(n) / SR
    f = 68 + 70 * np.exp(-t / 0.025)
    vaihe = 2 * np.pi * np.cumsum(f) / SR
    kalvo = np.sin(vaihe) * np.exp(-t / 0.16)
    kalvo += 0.25 * np.sin(2.3 * vaihe) * np.exp(-t / 0.05)
    laiska = suodata(rng.standard_normal(n), ala=200, yla=1500) * np.exp(-t / 0.008)
    return voima * (kalvo + 0.25 * laiska) * _attack(n, 0.001)


def tek(rng, voima=1.0, savy=1.0):
    """Rim stroke: bright noise crack with a short wooden ring."""
    n = int(0.18 * SR)
    t = np.arange(n) / SR
    rako = suodata(rng.standard_normal(n), ala=1800 * savy, yla=9000) * np.exp(-t / 0.018)
    rengas = np.sin(2 * np.pi * 520 * savy * t) * np.exp(-t / 0.035)
    rengas += 0.5 * np.sin(2 * np.pi * 1370 * savy * t) * np.exp(-t / 0.02)
    return voima * (0.8 * rako + 0.35 * rengas) * _attack(n, 0.0007)


def helistin(rng, voima=1.0):
    """Jingle of a riq: a few quick metallic zill hits."""
    n = int(0.2 * SR)
    t = np.arange(n) / SR
    y = np.zeros(n)
    for viive in (0.0, 0.004, 0.009):
        k = int(viive * SR)
        tt = t[: n - k]
        metalli = sum(np.sin(2 * np.pi * f * tt + rng.uniform(0, 6.3))
                      for f in (5270, 6930, 8410, 10150))
        y[k:] += metalli * np.exp(-tt / 0.05) * (1.0 - 0.3 * k / n)
    kohina = suodata(rng.standard_normal(n), ala=6000) * np.exp(-t / 0.03)
    return voima * (0.15 * y + 0.6 * kohina) * _attack(n, 0.0005)


def ravistin(rng, voima=1.0):
    """Shaker: soft high noise swell."""
    n = int(0.09 * SR)
    t = np.arange(n) / SR
    env = (t / 0.012) * np.exp(1 - t / 0.012)
    return voima * suodata(rng.standard_normal(n), ala=5000, yla=14000) * env


# ---------------------------------------------------------------- arranging


class Silmukka:
    """Circular stereo buses for one looping piece.

    `lisaa` places a mono sound at a beat with a pan; whatever runs past
    the end of the loop wraps to the beginning."""

    def __init__(self, bpm, tahteja, tahtiin=4):
        self.isku = SR * 60 // bpm
        assert self.isku * bpm == SR * 60, "beat must be a whole number of samples"
        self.pituus = self.isku * tahtiin * tahteja
        self.kuiva = np.zeros((self.pituus, 2))
        self.laheta = np.zeros((self.pituus, 2))  # reverb send

    def lisaa(self, aani, isku, taso=1.0, pan=0.0, kaiku=0.2):
        alku = int(round(isku * self.isku)) % self.pituus
        vasen = np.cos((pan + 1) * np.pi / 4) * taso
        oikea = np.sin((pan + 1) * np.pi / 4) * taso
        kohta = 0
        while kohta < len(aani):
            paikka = (alku + kohta) % self.pituus
            k = min(len(aani) - kohta, self.pituus - paikka)
            pala = aani[kohta:kohta + k]
            for bussi, maara in ((self.kuiva, 1.0), (self.laheta, kaiku)):
                bussi[paikka:paikka + k, 0] += pala * vasen * maara
                bussi[paikka:paikka + k, 1] += pala * oikea * maara
            kohta += k

    def sekoita(self, ir, kaikutaso):
        kaiku = pyorea_kaiku(self.laheta, ir) * kaikutaso
        y = self.kuiva + kaiku
        y -= y.mean(axis=0)
        return np.column_stack([suodata(y[:, k], ala=30) for k in range(2)])


def soita_melodia(s, nuotit, bpm, siemen, taso, pan, kaiku, **aani):
    """Pluck every note with a little humanised timing and velocity."""
    rng = np.random.default_rng(siemen)
    for i, (isku, kesto, savel) in enumerate(nuotit):
        sekunteja = kesto * 60.0 / bpm
        aani_ = kielisoitin(taajuus(savel), sekunteja, siemen=siemen * 1000 + i, **aani)
        heitto = rng.normal(0, 0.006) * bpm / 60.0
        voima = taso * rng.uniform(0.85, 1.0) * (1.1 if isku % 1 == 0 else 1.0)
        s.lisaa(aani_, isku + heitto, voima, pan, kaiku)


def soita_rummut(s, kuvio, tahteja, siemen, kokonaistaso=1.0, tahtiin=4):
    """Percussion from a pattern {beat: [(instrument, level, pan)]}, per bar.

    `kuvio` is a function of the bar number, so fills can vary."""
    rng = np.random.default_rng(siemen)
    for tahti in range(tahteja):
        for isku, lyonnit in kuvio(tahti):
            for soitin, taso, pan in lyonnit:
                voima = taso * rng.uniform(0.88, 1.0)
                heitto = rng.normal(0, 0.003)
                aani = soitin(rng, voima)
                kaiku = 0.08 if soitin is doum else 0.15
                s.lisaa(aani, tahti * tahtiin + isku + heitto, kokonaistaso, pan, kaiku)


def liukuva_minimi(x, leveys):
    """Minimum of x over the `leveys` samples from each index on, reading x
    circularly (van Herk / Gil-Werman: two running minima per block)."""
    n = len(x)
    lohkoja = -(-(n + leveys) // leveys)
    lohkot = np.resize(x, lohkoja * leveys).reshape(lohkoja, leveys)
    eteen = np.minimum.accumulate(lohkot, axis=1).ravel()
    taakse = np.minimum.accumulate(lohkot[:, ::-1], axis=1)[:, ::-1].ravel()
    i = np.arange(n)
    return np.minimum(taakse[i], eteen[i + leveys - 1])


def liukuva_keskiarvo(x, leveys):
    """Mean of x over the `leveys` samples from each index on (circular)."""
    summa = np.concatenate([[0.0], np.cumsum(np.resize(x, len(x) + leveys))])
    return (summa[leveys:leveys + len(x)] - summa[:len(x)]) / leveys


def rajoita(y, vara_db=3.0, ennakko=0.002, pito=0.03):
    """Look-ahead peak limiter for a loop: brings the rare peaks `vara_db`
    down and leaves the rest alone. Around a peak the gain ramps down and up
    again in straight lines of `ennakko + pito` seconds (a minimum over that
    span, then a mean over the same span, so no sample passes the ceiling and
    the gain never jumps). Circular, so the loop point stays seamless."""
    katto = np.max(np.abs(y)) * 10 ** (-vara_db / 20)
    tarve = np.minimum(1.0, katto / np.maximum(np.abs(y).max(axis=1), 1e-12))
    a, r = int(ennakko * SR), int(pito * SR)
    leveys = a + r + 1
    pohja = np.roll(liukuva_minimi(tarve, leveys), r)  # min over [t - r, t + a]
    vahvistus = np.roll(liukuva_keskiarvo(pohja, leveys), a)  # mean over [t - a, t + r]
    return y * vahvistus[:, None]


def mastaroi(y):
    """A finished loop: the rare drum peaks limited by 3 dB (so the music
    keeps its loudness under a lower peak), then scaled to peak 1.0; main()
    sets the file's level."""
    y = rajoita(y / np.max(np.abs(y)))
    return y / np.max(np.abs(y))


# ---------------------------------------------------------------- menu music

VALIKKO_BPM = 84  # 31,500 samples a beat
VALIKKO_SOINNUT = ["D", "Eb", "D", "Cm", "Gm", "Cm", "Eb", "D", "Gm", "Cm", "Eb", "D"]
VALIKKO_MELODIA = [
    "A4/1 Bb4/.5 A4/.5 G4/1 F#4/1", "G4/1.5 F#4/.5 Eb4/2",
    "D4/1.5 Eb4/.5 F#4/1 G4/.5 A4/.5", "Bb4/1 A4/.5 G4/.5 C5/2",
    "D5/1 C5/.5 Bb4/.5 G4/2", "C5/.5 Bb4/.5 G4/1 Eb4/1 G4/1",
    "Bb4/1.5 G4/.5 Eb4/1 F#4/.5 G4/.5", "A4/3 r/1",
    "D5/1 Eb5/.5 D5/.5 C5/1 Bb4/1", "C5/.5 Bb4/.5 A4/.5 G4/.5 A4/1 Bb4/1",
    "Bb4/.5 A4/.5 G4/.5 F#4/.5 Eb4/1 F#4/1", "D4/2 r/1 F#4/.5 G4/.5",
]
# A soft ney answers in the second half (bars 5-12), on long chord tones.
VALIKKO_NEY = ["r/4"] * 4 + [
    "r/1 Bb4/3", "C5/2 Bb4/2", "G4/4", "F#4/2 A4/2",
    "G4/4", "Eb4/4", "G4/2 F#4/2", "D4/3 r/1",
]
# Chord name -> (bass root MIDI note, pad voicing)
SOINNUT = {
    "D": (38, [57, 62, 66]), "Eb": (39, [55, 58, 63]), "Cm": (36, [55, 60, 63]),
    "Gm": (43, [55, 58, 62]), "A": (45, [57, 61, 64]), "Bb": (46, [58, 62, 65]),
    "Dm": (38, [57, 62, 65]),
}


def valikko_rummut(tahti):
    """Calm frame-drum groove with a small fill every fourth bar."""
    kuvio = [(0, [(doum, 0.8, 0.0)]), (1, [(tek, 0.3, 0.25)]),
             (1.5, [(tek, 0.15, -0.2)]), (2, [(doum, 0.55, 0.0)]),
             (2.5, [(doum, 0.35, 0.0)]), (3, [(tek, 0.35, 0.25)])]
    if tahti % 4 == 3:
        kuvio += [(3.5, [(tek, 0.2, -0.2)]), (3.75, [(tek, 0.25, 0.2)])]
    else:
        kuvio += [(3.5, [(tek, 0.15, -0.2)])]
    kuvio += [(k * 0.5, [(ravistin, 0.14 if k % 2 else 0.09, 0.45)]) for k in range(8)]
    return kuvio


def valikko_basso(s, tahti, juuri):
    """Root and fifth on a soft sine bass doubled by a dark pluck."""
    sek = 60.0 / VALIKKO_BPM
    for isku, vali, kesto, taso in ((0, 0, 1.4, 1.0), (1.5, 0, 0.4, 0.5),
                                    (2, 7, 1.4, 0.8), (3.5, 0, 0.4, 0.5)):
        f = taajuus(juuri + vali)
        s.lisaa(sinibasso(f, kesto * sek), tahti * 4 + isku, 0.4 * taso, 0.0, 0.05)
        nappi = kielisoitin(f, kesto * sek, kirkkaus=0.3, t60=1.2, siemen=tahti * 10 + int(isku * 2))
        s.lisaa(nappi, tahti * 4 + isku, 0.18 * taso, 0.0, 0.05)


def tee_valikkomusiikki():
    s = Silmukka(VALIKKO_BPM, len(VALIKKO_SOINNUT))
    sek = 60.0 / VALIKKO_BPM
    soita_melodia(s, jasenna(VALIKKO_MELODIA), VALIKKO_BPM, 11, 1.1, -0.15, 0.45,
                  kirkkaus=0.35, t60=2.2, nappaus=0.17)
    for tahti, nimi in enumerate(VALIKKO_SOINNUT):
        juuri, aanet = SOINNUT[nimi]
        valikko_basso(s, tahti, juuri)
        for i, savel in enumerate(aanet):
            s.lisaa(matto(savel, 4 * sek, 100 + tahti * 3 + i, nousu=0.6, lasku=1.0),
                    tahti * 4, 0.07, (-0.5, 0.0, 0.5)[i], 0.6)
    for isku, kesto, savel in jasenna(VALIKKO_NEY):
        s.lisaa(ney(taajuus(savel), kesto * sek, 300 + int(isku)), isku, 0.08, 0.35, 0.7)
    soita_rummut(s, valikko_rummut, len(VALIKKO_SOINNUT), 21)
    ir = kaikuvaste(2.2, 3.0, 31, tummuus=3500)
    return mastaroi(s.sekoita(ir, 0.55)), s.pituus


# ---------------------------------------------------------------- game music

PELI_BPM = 126  # 21,000 samples a beat
PELI_SOINNUT = ["A", "Bb", "A", "A", "Dm", "Gm", "Bb", "A",
                "A", "Bb", "A", "Gm", "Dm", "Bb", "Gm", "A"]
PELI_MELODIA = [
    "A4/.5 A4/.25 Bb4/.25 C#5/.5 Bb4/.5 A4/1 r/.5 E4/.5",
    "F4/.5 G4/.5 A4/.5 Bb4/.5 A4/.5 G4/.5 F4/1",
    "E4/.5 F4/.25 E4/.25 C#4/.5 D4/.5 E4/1 r/1",
    "A4/.5 Bb4/.5 C#5/.5 D5/.5 E5/1 D5/.5 C#5/.5",
    "D5/.75 C#5/.25 D5/.5 F5/.5 E5/.5 D5/.5 A4/1",
    "G4/.5 A4/.25 Bb4/.25 D5/.5 Bb4/.5 A4/.5 G4/.5 F4/.5 G4/.5",
    "F4/.5 D4/.5 F4/.5 Bb4/.5 A4/.5 G4/.5 F4/.5 E4/.5",
    "C#4/.5 D4/.5 E4/2 r/.5 E4/.25 F4/.25",
    "A4/.5 E5/.5 D5/.25 C#5/.25 D5/.5 C#5/.5 Bb4/.5 A4/1",
    "Bb4/.5 D5/.5 F5/.5 D5/.5 Bb4/.5 A4/.5 G4/1",
    "A4/.5 C#5/.5 E5/.5 C#5/.5 A4/.5 E4/.5 A4/1",
    "G4/.5 Bb4/.5 D5/.5 G5/.5 F5/.25 E5/.25 D5/.5 Bb4/1",
    "A4/.5 D5/.5 F5/.5 E5/.25 D5/.25 C#5/.5 D5/.5 A4/1",
    "F5/.5 E5/.25 D5/.25 E5/.5 D5/.5 C#5/.5 Bb4/.5 A4/1",
    "Bb4/.5 A4/.5 G4/.5 F4/.5 E4/.5 F4/.25 E4/.25 D4/1",
    "C#4/.5 E4/.5 A4/1.5 r/1 E4/.25 G4/.25",
]


def peli_rummut(tahti):
    """Maqsum on darbuka with riq jingles; fills close each four bars."""
    kuvio = [(0, [(doum, 1.0, 0.0)]), (0.5, [(tek, 0.55, 0.2)]),
             (1, [(tek, 0.2, -0.25)]), (1.5, [(tek, 0.55, 0.2)]),
             (2, [(doum, 0.85, 0.0)]), (2.5, [(tek, 0.25, -0.25)]),
             (3, [(tek, 0.6, 0.2)])]
    if tahti % 4 == 3:
        kuvio += [(3.25, [(tek, 0.3, -0.2)]), (3.5, [(tek, 0.45, 0.2)]),
                  (3.75, [(tek, 0.5, -0.2)])]
        if tahti % 8 == 7:
            kuvio += [(3.5, [(doum, 0.6, 0.0)])]
    else:
        kuvio += [(3.5, [(tek, 0.25, -0.25)]), (3.75, [(tek, 0.2, 0.25)])]
    kuvio += [(k * 0.5, [(helistin, 0.35 if k % 2 == 0 else 0.2, -0.5)]) for k in range(8)]
    return kuvio


def peli_basso(s, tahti, juuri):
    """Driving eighth-note bass: plucked string over a sine sub."""
    sek = 60.0 / PELI_BPM
    kuvio = ((0, 0, .45, 1.0), (.5, 0, .2, .6), (1, 12, .2, .7), (1.5, 0, .2, .6),
             (2, 7, .45, .9), (2.5, 0, .2, .6), (3, 12, .2, .7), (3.5, 7, .2, .6))
    for isku, vali, kesto, taso in kuvio:
        f = taajuus(juuri + vali)
        s.lisaa(sinibasso(f, kesto * sek, 0.3), tahti * 4 + isku, 0.36 * taso, 0.0, 0.03)
        nappi = kielisoitin(f, kesto * sek, kirkkaus=0.5, t60=0.9,
                            siemen=500 + tahti * 10 + int(isku * 2), soi_lisaa=0.05)
        s.lisaa(nappi, tahti * 4 + isku, 0.28 * taso, 0.0, 0.03)


def peli_arpeggio(s, tahti, aanet):
    """Qanun-like eighth-note arpeggio over the second half."""
    sek = 60.0 / PELI_BPM
    for k, i in enumerate((0, 1, 2, 1, 0, 1, 2, 1)):
        savel = aanet[i] + 12
        aani = kielisoitin(taajuus(savel), 0.45 * sek, kirkkaus=0.75, t60=1.2,
                           nappaus=0.12, siemen=900 + tahti * 8 + k)
        s.lisaa(aani, tahti * 4 + k * 0.5, 0.3 if k % 2 else 0.38, 0.4, 0.35)


def tee_pelimusiikki():
    s = Silmukka(PELI_BPM, len(PELI_SOINNUT))
    sek = 60.0 / PELI_BPM
    soita_melodia(s, jasenna(PELI_MELODIA), PELI_BPM, 12, 0.85, -0.15, 0.3,
                  kirkkaus=0.45, t60=1.8, nappaus=0.15)
    for tahti, nimi in enumerate(PELI_SOINNUT):
        juuri, aanet = SOINNUT[nimi]
        peli_basso(s, tahti, juuri)
        for i, savel in enumerate(aanet):
            s.lisaa(matto(savel, 4 * sek, 200 + tahti * 3 + i, nousu=0.15, lasku=0.5,
                          kirkkaus=6), tahti * 4, 0.045, (-0.5, 0.0, 0.5)[i], 0.5)
        if tahti >= 8:
            peli_arpeggio(s, tahti, aanet)
    soita_rummut(s, peli_rummut, len(PELI_SOINNUT), 22, 0.75)
    ir = kaikuvaste(1.4, 2.0, 32, tummuus=4500)
    return mastaroi(s.sekoita(ir, 0.4)), s.pituus


# ---------------------------------------------------------------- effects


def reunat(y, sisaan=0.002, ulos=0.03):
    """Short fades so an effect starts and ends at silence without a click."""
    a, b = int(sisaan * SR), int(ulos * SR)
    y = y - np.mean(y)  # no DC offset
    y[:a] *= np.linspace(0, 1, a)
    y[len(y) - b:] *= np.linspace(1, 0, b) ** 2
    return y


def normaali(y):
    """Scaled to peak 1.0; main() sets the file's level."""
    return y / np.max(np.abs(y))


def lyhyt_kaiku(y, rt60, maara, siemen):
    """Linear (not circular) reverb for effects: pads the end for the tail."""
    ir = kaikuvaste(rt60, rt60 * 1.2, siemen)[:, 0]
    n = len(y) + len(ir)
    kaiku = np.fft.irfft(np.fft.rfft(y, n) * np.fft.rfft(ir, n), n)
    return np.concatenate([y, np.zeros(len(ir))]) + maara * kaiku / np.sqrt(len(ir)) * 8


def tee_hyppy():
    """Jump: a soft sine swooping up with a touch of air, 0.24 s."""
    n = int(0.24 * SR)
    t = np.arange(n) / SR
    f = 240 + 520 * (1 - np.exp(-t / 0.07))
    f *= 1 + 0.025 * np.sin(2 * np.pi * 18 * t) * np.exp(-t / 0.1)
    vaihe = 2 * np.pi * np.cumsum(f) / SR
    runko = np.sin(vaihe) + 0.2 * np.sin(2 * vaihe)
    runko *= np.exp(-t / 0.09)
    rng = np.random.default_rng(41)
    ilma = suodata(rng.standard_normal(n), ala=1500, yla=6000)
    ilma *= np.sin(np.pi * np.clip(t / 0.16, 0, 1)) * 0.12
    return normaali(reunat(runko + ilma, 0.003, 0.05))


def kello(f, n, vaimeneminen):
    """Bell of n samples: inharmonic partials, the upper ones dying faster."""
    t = np.arange(n) / SR
    y = np.zeros(n)
    for suhde, taso, aika in ((1.0, 1.0, 1.0), (2.0, 0.5, 0.6), (2.76, 0.3, 0.35),
                              (5.4, 0.12, 0.15), (0.5, 0.15, 1.2)):
        y += taso * np.sin(2 * np.pi * f * suhde * t) * np.exp(-t / (vaimeneminen * aika))
    return y * _attack(n, 0.002)


def tee_kellot():
    """Menu start: two bell notes a fifth apart (D5 then A5), 1.3 s."""
    n = int(1.3 * SR)
    y = np.zeros(n)
    for alku, savel, taso in ((0.0, 74, 0.8), (0.14, 81, 0.6)):
        k = int(alku * SR)
        y[k:] += taso * kello(taajuus(savel), n - k, 0.3)
    y = reunat(y, 0.002, 0.4)  # the dry bells die out before the reverb
    y = lyhyt_kaiku(y, 0.6, 0.25, 42)[:n]
    return normaali(reunat(y, 0.002, 0.3))


def tee_naksu():
    """Menu move: a soft wooden tick, 60 ms."""
    n = int(0.06 * SR)
    t = np.arange(n) / SR
    y = np.sin(2 * np.pi * 1900 * t) * np.exp(-t / 0.007)
    y += 0.6 * np.sin(2 * np.pi * 1100 * t) * np.exp(-t / 0.012)
    rng = np.random.default_rng(43)
    y += 0.3 * suodata(rng.standard_normal(n), ala=2000, yla=8000) * np.exp(-t / 0.002)
    return normaali(reunat(y, 0.0005, 0.02))


def tee_fanfaari():
    """Level change: rising hijaz arpeggio on plucks and a brassy pad, 1 s."""
    n = int(1.05 * SR)
    y = np.zeros(n)
    for i, savel in enumerate((69, 73, 76, 81, 85)):
        k = int(i * 0.085 * SR)
        kesto = (n - k) / SR
        nappi = kielisoitin(taajuus(savel), kesto, kirkkaus=0.6, t60=1.5,
                            siemen=4400 + i, soi_lisaa=0.0)
        torvi = matto(savel, kesto, 4500 + i, nousu=0.03, lasku=0.0, kirkkaus=10)
        torvi *= np.exp(-np.arange(len(torvi)) / (0.5 * SR))
        y[k:] += 0.7 * nappi[: n - k] + 0.22 * torvi[: n - k]
    y = reunat(y, 0.002, 0.45)  # the dry chord dies out before the reverb
    y = lyhyt_kaiku(y, 0.7, 0.3, 44)[:n]
    return normaali(reunat(y, 0.002, 0.3))


# ---------------------------------------------------------------- output


def kirjoita_wav(polku, y):
    y = np.atleast_2d(y.T).T
    data = np.clip(np.round(y * 32767), -32768, 32767).astype("<i2")
    with wave.open(polku, "wb") as w:
        w.setnchannels(y.shape[1])
        w.setsampwidth(2)
        w.setframerate(SR)
        w.writeframes(data.tobytes())


ESIRULLA = 2304  # samples of loop wrapped around each edge for the encoder


def koodaa(y, kohde, kbps, tyokansio, silmukka=False):
    """Encode with lame; returns the sample count mpg123 decodes back and the
    largest decoded sample (1.0 is full scale).

    A loop is encoded with its last ESIRULLA samples before it and its first
    ones after it, so the codec sees the music continue across the loop
    point instead of silence; the encoder delay and padding recorded in the
    file's LAME tag are then raised by ESIRULLA so gapless decoders trim the
    extra samples and play exactly the loop."""
    wav = os.path.join(tyokansio, "syote.wav")
    if silmukka:
        y = np.concatenate([y[-ESIRULLA:], y, y[:ESIRULLA]])
    kirjoita_wav(wav, y)
    kanavat = ["-m", "j"] if y.ndim == 2 else ["-m", "m"]
    subprocess.run(["lame", "--quiet", "-q", "0", "--cbr", "-b", str(kbps),
                    "--resample", "44.1"] + kanavat + [wav, kohde], check=True)
    if silmukka:
        with open(kohde, "r+b") as f:
            data = bytearray(f.read())
            kasvata_viivetta(data, ESIRULLA)
            f.seek(0)
            f.write(data)
    takaisin = os.path.join(tyokansio, "takaisin.wav")
    subprocess.run(["mpg123", "-q", "-w", takaisin, kohde], check=True)
    with wave.open(takaisin, "rb") as w:
        kehyksia = w.getnframes()
        naytteet = np.frombuffer(w.readframes(kehyksia), dtype="<i2")
    return kehyksia, np.max(np.abs(naytteet.astype(np.int32))) / 32768.0


def crc16(data):
    """CRC-16 (polynomial 0x8005, reflected) as the LAME tag uses."""
    c = 0
    for tavu in data:
        c ^= tavu
        for _ in range(8):
            c = (c >> 1) ^ 0xA001 if c & 1 else c >> 1
    return c


def kasvata_viivetta(data, lisa):
    """Add `lisa` samples to the LAME tag's encoder delay and padding.

    The tag sits in the first frame after the "Info" header: 12 bits of
    delay and 12 of padding at offset 21 from "LAME", and a CRC-16 of the
    frame's first 190 bytes at offset 34, which is recomputed."""
    info = data.find(b"Info")
    lame = data.find(b"LAME", info)
    if info < 0 or lame < 0 or lame + 34 != 190:
        sys.exit("unexpected LAME tag layout")
    arvo = int.from_bytes(data[lame + 21:lame + 24], "big")
    viive, tayte = (arvo >> 12) + lisa, (arvo & 0xFFF) + lisa
    if viive > 0xFFF or tayte > 0xFFF:
        sys.exit("encoder delay or padding does not fit the LAME tag")
    data[lame + 21:lame + 24] = ((viive << 12) | tayte).to_bytes(3, "big")
    data[lame + 34:lame + 36] = crc16(data[:190]).to_bytes(2, "big")


# Highest peak of each decoded file, dBFS. The game mixes a tune at volume
# 1.0 with the effects at their volumes (VOIMAKKUUDET, 1.0 when not listed);
# the peaks of any such mix add up to at most SUMMAN_KATTO_DB, so no start of
# an effect over any part of a tune can clip (tools/aanipiikit measures the
# real mixes). The effects are about as loud against the music (by RMS) as
# the level-change fanfare at 3.4 dB under the music's limited peak gives.
HUIPUT_DB = {
    "music/valikko.mp3": -6.75, "music/peli.mp3": -6.75,
    "sounds/aani1.mp3": -12.15, "sounds/aani4.mp3": -11.2,
    "sounds/valikko.mp3": -15.35, "sounds/aani5.mp3": -10.15,
}
VOIMAKKUUDET = {"sounds/aani1.mp3": 0.4}
SUMMAN_KATTO_DB = -1.2
SAVELET = ("music/valikko.mp3", "music/peli.mp3")
EFEKTIT = ("sounds/aani1.mp3", "sounds/aani4.mp3", "sounds/valikko.mp3", "sounds/aani5.mp3")
# Effects that sound at once in the game: a jump just before or after the
# level change, over the game music.
YHTAAIKAA = (("music/peli.mp3", ("sounds/aani1.mp3", "sounds/aani5.mp3")),)


def tee_tiedosto(nimi, y, kbps, tyo, silmukka):
    """Encodes `y` into media/<nimi> with its decoded peak at most HUIPUT_DB.
    The encoder moves peaks up or down by a few tenths of a dB, unevenly with
    the gain, so the gain steps down by 0.1 dB until the decoded file is
    under the mark. Returns the decoded length and peak."""
    tavoite = 10 ** (HUIPUT_DB[nimi] / 20)
    for askel in range(10):
        vahvistus = tavoite / np.max(np.abs(y)) * 10 ** (-0.1 * askel / 20)
        saatu, huippu = koodaa(y * vahvistus, os.path.join(JUURI, "media", nimi), kbps, tyo,
                               silmukka)
        if huippu <= tavoite:
            return saatu, huippu
    sys.exit("%s: the decoded peak stays over %.1f dBFS" % (nimi, HUIPUT_DB[nimi]))


def tarkista_vara(huiput):
    """Prints the sum of peaks of every mix the game can play; False when
    one passes SUMMAN_KATTO_DB."""
    katto = 10 ** (SUMMAN_KATTO_DB / 20)
    kunnossa = True
    yhdistelmat = [(savel, (e,)) for savel in SAVELET for e in EFEKTIT] + list(YHTAAIKAA)
    for savel, efektit in yhdistelmat:
        summa = huiput[savel] + sum(VOIMAKKUUDET.get(e, 1.0) * huiput[e] for e in efektit)
        print("%s + %s: peaks sum to %.2f dBFS" % (savel, " + ".join(efektit),
                                                   20 * np.log10(summa)))
        kunnossa = kunnossa and summa <= katto
    return kunnossa


def main():
    os.makedirs(os.path.join(JUURI, "media", "music"), exist_ok=True)
    os.makedirs(os.path.join(JUURI, "media", "sounds"), exist_ok=True)
    huiput = {}
    with tempfile.TemporaryDirectory() as tyo:
        for nimi, tee in (("music/valikko.mp3", tee_valikkomusiikki),
                          ("music/peli.mp3", tee_pelimusiikki)):
            y, pituus = tee()
            saatu, huiput[nimi] = tee_tiedosto(nimi, y, MUSIIKKI_KBPS, tyo, True)
            print("%s: loop %d samples (%.3f s), decodes to %d, peak %.2f dBFS" % (
                nimi, pituus, pituus / SR, saatu, 20 * np.log10(huiput[nimi])))
            if abs(saatu - pituus) > 4:
                sys.exit("%s does not decode to its loop length" % nimi)
        for nimi, tee in (("sounds/aani1.mp3", tee_hyppy), ("sounds/aani4.mp3", tee_kellot),
                          ("sounds/valikko.mp3", tee_naksu), ("sounds/aani5.mp3", tee_fanfaari)):
            y = tee()
            saatu, huiput[nimi] = tee_tiedosto(nimi, y, EFEKTI_KBPS, tyo, False)
            print("%s: %.3f s, decodes to %d samples, peak %.2f dBFS" % (
                nimi, len(y) / SR, saatu, 20 * np.log10(huiput[nimi])))
    if not tarkista_vara(huiput):
        sys.exit("a mix of a tune and effects can pass %.1f dBFS" % SUMMAN_KATTO_DB)


if __name__ == "__main__":
    main()
