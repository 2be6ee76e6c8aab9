#include "kuvavertailu.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

Kuva kuvaPinnasta(SDL_Surface* pinta, SDL_Rect alue) {
    Kuva kuva;
    if (!pinta || pinta->format->BytesPerPixel != 4) return kuva;
    kuva.leveys = alue.w;
    kuva.korkeus = alue.h;
    kuva.rgb.resize(static_cast<size_t>(alue.w) * alue.h * 3);
    SDL_LockSurface(pinta);
    for (int y = 0; y < alue.h; ++y) {
        const auto* rivi = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(pinta->pixels) + (alue.y + y) * pinta->pitch);
        for (int x = 0; x < alue.w; ++x) {
            unsigned char* p = &kuva.rgb[(static_cast<size_t>(y) * alue.w + x) * 3];
            SDL_GetRGB(rivi[alue.x + x], pinta->format, &p[0], &p[1], &p[2]);
        }
    }
    SDL_UnlockSurface(pinta);
    return kuva;
}

Kuva kuvaPinnasta(SDL_Surface* pinta) {
    if (!pinta) return {};
    return kuvaPinnasta(
        pinta, SDL_Rect{0, 0, static_cast<Uint16>(pinta->w), static_cast<Uint16>(pinta->h)});
}

bool tallennaPng(const Kuva& kuva, const std::string& polku) {
    png_image kirjoitus;
    std::memset(&kirjoitus, 0, sizeof kirjoitus);
    kirjoitus.version = PNG_IMAGE_VERSION;
    kirjoitus.width = static_cast<png_uint_32>(kuva.leveys);
    kirjoitus.height = static_cast<png_uint_32>(kuva.korkeus);
    kirjoitus.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&kirjoitus, polku.c_str(), 0, kuva.rgb.data(), 0, nullptr) != 0;
}

bool lataaPng(const std::string& polku, Kuva& kuva) {
    png_image luku;
    std::memset(&luku, 0, sizeof luku);
    luku.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&luku, polku.c_str())) return false;
    luku.format = PNG_FORMAT_RGB;
    kuva.leveys = static_cast<int>(luku.width);
    kuva.korkeus = static_cast<int>(luku.height);
    kuva.rgb.assign(PNG_IMAGE_SIZE(luku), 0);
    if (!png_image_finish_read(&luku, nullptr, kuva.rgb.data(), 0, nullptr)) {
        png_image_free(&luku);
        return false;
    }
    return true;
}

Ero vertaa(const Kuva& a, const Kuva& b, int toleranssi) {
    Ero ero;
    ero.vasen = a.leveys;
    ero.yla = a.korkeus;
    for (int y = 0; y < a.korkeus; ++y) {
        for (int x = 0; x < a.leveys; ++x) {
            const size_t i = (static_cast<size_t>(y) * a.leveys + x) * 3;
            int suurin = 0;
            for (int c = 0; c < 3; ++c)
                suurin = std::max(suurin, std::abs(a.rgb[i + c] - b.rgb[i + c]));
            ero.suurin = std::max(ero.suurin, suurin);
            if (suurin <= toleranssi) continue;
            ++ero.pikseleita;
            ero.vasen = std::min(ero.vasen, x), ero.oikea = std::max(ero.oikea, x);
            ero.yla = std::min(ero.yla, y), ero.ala = std::max(ero.ala, y);
        }
    }
    return ero;
}

Kuva eroKuva(const Kuva& tulos, const Kuva& viite, int toleranssi) {
    Kuva ero = viite;
    for (size_t i = 0; i + 2 < ero.rgb.size(); i += 3) {
        int suurin = 0;
        for (int c = 0; c < 3; ++c)
            suurin = std::max(suurin, std::abs(tulos.rgb[i + c] - viite.rgb[i + c]));
        if (suurin > toleranssi) {
            ero.rgb[i] = 255, ero.rgb[i + 1] = 0, ero.rgb[i + 2] = 0;
        } else {
            for (int c = 0; c < 3; ++c)
                ero.rgb[i + c] = static_cast<unsigned char>(160 + viite.rgb[i + c] / 3);
        }
    }
    return ero;
}
