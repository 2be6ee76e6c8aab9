#!/bin/sh
# Copies the game's two fonts from Debian's font packages into media/fonts/,
# each with its licence text beside it.
#   normaali.ttf: Andika (fonts-sil-andika, SIL Open Font License 1.1), the menu
#                 font; its tall ascent keeps the title drawn at y = -15 whole.
#   juoni.ttf:    Comic Neue (fonts-comic-neue, SIL Open Font License 1.1), the
#                 friendlier story font; narrow enough for the long story lines.
#                 The file holds OpenType (CFF) outlines; FreeType, and thus
#                 SDL_ttf, reads the format from the data, not from the name.
set -eu

KOHDE="$(dirname "$0")/../media/fonts"
mkdir -p "$KOHDE"

kopioi() {
    lahde=$1 nimi=$2 paketti=$3 kuvaus=$4
    if [ ! -f "$lahde" ]; then
        echo "Puuttuu: $lahde (apt-get install $paketti)" >&2
        exit 1
    fi
    cp "$lahde" "$KOHDE/$nimi.ttf"
    {
        echo "media/fonts/$nimi.ttf is $kuvaus, copied unchanged from"
        echo "the Debian package $paketti ($(basename "$lahde"))."
        echo "Its copyright and licence, from /usr/share/doc/$paketti/copyright:"
        echo
        cat "/usr/share/doc/$paketti/copyright"
    } >"$KOHDE/$nimi-LICENSE.txt"
}

kopioi /usr/share/fonts/truetype/andika/Andika-Regular.ttf normaali fonts-sil-andika \
    "the font Andika Regular by SIL International"
kopioi /usr/share/fonts/opentype/comic-neue/ComicNeue-Regular.otf juoni fonts-comic-neue \
    "the font Comic Neue Regular by Craig Rozynski"
echo "Fontit -> $KOHDE"
