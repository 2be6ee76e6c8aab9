#!/bin/sh
# Measures the idle main menu and the first level in a real window (Xvfb) on
# classic SDL 1.2 and on sdl12-compat (SDL 1.2 over SDL2, unpacked into the
# build tree by tools/hae_sdl12compat.sh) and prints one table row each:
# frames per second with pacing on, CPU share of one core, resident memory
# in the screen and the peak of the run. The last row runs sdl12-compat with
# its own defaults (SDL2's first accelerated renderer, OpenGL here, and
# linear scaling), which the game otherwise replaces with the software
# renderer on a plain window surface and nearest-pixel scaling.
#
#   tools/vertaa_sdl12compat.sh [build dir] [display number] [seconds]
# Needs: a build, xvfb, apt access for the first unpack.
set -eu
rakennus=$(readlink -f "${1:-build}")
naytto=":${2:-91}"
kesto="${3:-20}"
juuri=$(cd "$(dirname "$0")/.." && pwd)
kirjasto=$("$juuri/tools/hae_sdl12compat.sh" "$rakennus/sdl12-compat")
. "$juuri/tools/ikkuna.sh"
ln -s "$juuri/levels" "$juuri/media" "$tyo/"
cd "$tyo"
kaynnista_xvfb "$naytto"
export DISPLAY="$naytto" SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER

# The value of one "name value unit" line of the measuring tool.
arvo() { awk -v n="$1" '$1 == n {print $2}' "$2"; }

# One row: label, library directory (empty: classic), extra environment.
rivi() {
    nimi=$1 polku=$2
    shift 2
    for tapa in valikko kentta; do
        env ${polku:+LD_LIBRARY_PATH=$polku} "$@" "$rakennus/mittaa_ajo" "$tapa" "$kesto" \
            >"$tyo/$tapa" 2>/dev/null
    done
    printf '| %s | %s | %s %% | %s kB | %s | %s %% | %s kB | %s kB |\n' "$nimi" \
        "$(arvo valikon_kehystaajuus "$tyo/valikko")" "$(arvo valikon_suoritin "$tyo/valikko")" \
        "$(arvo valikon_muisti "$tyo/valikko")" "$(arvo kentan_kehystaajuus "$tyo/kentta")" \
        "$(arvo kentan_suoritin "$tyo/kentta")" "$(arvo kentan_muisti "$tyo/kentta")" \
        "$(arvo muisti_huippu "$tyo/kentta")"
}

echo "Idle main menu and the first level, $kesto s each, in a 1024x768 window on Xvfb $naytto"
echo
echo "| SDL 1.2 | menu frames/s | menu CPU | menu memory | level frames/s | level CPU | level memory | peak memory |"
echo "|---|---|---|---|---|---|---|---|"
rivi "classic 1.2.15" ""
rivi "sdl12-compat 1.2.60, as the game sets it" "$kirjasto"
# Set but empty, the game leaves them alone and the libraries take their defaults.
rivi "sdl12-compat 1.2.60, its own defaults" "$kirjasto" SDL_RENDER_DRIVER= \
    SDL_FRAMEBUFFER_ACCELERATION= SDL12COMPAT_SCALE_METHOD=
