#!/bin/sh
# Checks the install: `cmake --install` into a scratch prefix (outside PATH,
# like /opt/hiekkatorni), then starts the game by its menu entry's Exec line in
# a real window on its own Xvfb display with a fresh HOME, checks that the
# launcher wrote the default settings, turns the music off and saves through
# the settings screen with xdotool, quits, and checks that the per-user
# directory holds the links and the saved file.
#
#   tools/kokeile_asennus.sh [build dir] [display number]
# Needs: xvfb, xdotool. Exits non-zero on the first failed check.
set -eu
rakennus=$(readlink -f "${1:-build}")
naytto=":${2:-98}"
. "$(dirname "$0")/ikkuna.sh"
virhe() { echo "VIRHE: $*" >&2; exit 1; }

cmake --install "$rakennus" --prefix "$tyo/asennus" >/dev/null
for f in bin/hiekkatorni libexec/hiekkatorni/hiekkatorni share/hiekkatorni/levels/level6.map \
    share/hiekkatorni/media/fonts/normaali.ttf share/hiekkatorni/oletusasetukset.conf \
    share/applications/fi.hiekkatorni.hiekkatorni.desktop \
    share/metainfo/fi.hiekkatorni.hiekkatorni.metainfo.xml \
    share/man/man6/hiekkatorni.6.gz share/icons/hicolor/64x64/apps/hiekkatorni.png; do
    [ -e "$tyo/asennus/$f" ] || virhe "not installed: $f"
done
komento=$(sed -n 's/^Exec=//p' "$tyo/asennus/share/applications/fi.hiekkatorni.hiekkatorni.desktop")
[ "$komento" = "$tyo/asennus/bin/hiekkatorni" ] || virhe "the menu entry runs '$komento'"

kaynnista_xvfb "$naytto"
mkdir -p "$tyo/koti"
# Started from elsewhere on purpose: the launcher must change directory itself.
# PATH holds no install: the menu entry must name the launcher in full.
(cd / && env -u XDG_DATA_HOME -u SDL_VIDEODRIVER HOME="$tyo/koti" DISPLAY="$naytto" \
    PATH=/usr/bin:/bin SDL_AUDIODRIVER=dummy $komento >"$tyo/tuloste" 2>&1) &
peli=$!
ikkuna=$(DISPLAY="$naytto" xdotool search --sync --pid "$peli" 2>/dev/null | head -n 1 || true)
[ -n "$ikkuna" ] || ikkuna=$(DISPLAY="$naytto" xdotool search --sync --name . | tail -n 1)
sleep 2
n() { DISPLAY="$naytto" xdotool key --window "$ikkuna" "$@"; sleep 0.3; }
DISPLAY="$naytto" xdotool windowfocus --sync "$ikkuna" || true
kayttajan="$tyo/koti/.local/share/hiekkatorni"
cmp -s "$kayttajan/asetukset.conf" "$tyo/asennus/share/hiekkatorni/oletusasetukset.conf" ||
    virhe "the launcher did not write the default settings"
# Main menu: Down to the settings, Return; Return turns the music off; four
# Downs to "save", Return; then Escape quits from the main menu.
n Down; n Return; n Return; n Down; n Down; n Down; n Down; n Return; n Escape
wait "$peli" || virhe "the game exited with an error: $(cat "$tyo/tuloste")"

[ -L "$kayttajan/levels" ] || virhe "no levels link in $kayttajan"
[ -L "$kayttajan/media" ] || virhe "no media link in $kayttajan"
[ "$(readlink -f "$kayttajan/levels")" = "$(readlink -f "$tyo/asennus/share/hiekkatorni/levels")" ] ||
    virhe "levels links elsewhere"
grep -q '^musiikki=0' "$kayttajan/asetukset.conf" || virhe "asetukset.conf not saved in $kayttajan"
[ ! -e "$tyo/asennus/share/hiekkatorni/asetukset.conf" ] || virhe "the game wrote into the data tree"
echo "asennus kunnossa: $(ls "$kayttajan" | tr '\n' ' ')"
