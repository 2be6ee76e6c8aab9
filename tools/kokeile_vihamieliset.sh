#!/bin/bash
# Runs every hostile case for the game's files against the real program in a
# real window (Xvfb, driven by xdotool) and prints one table row per case:
# how the program ended, how long it took to quit after SIGTERM (SDL turns it
# into the same quit event as closing the window), its peak memory, what
# became of the file, and whether a refused save was reported.
#
#   tools/kokeile_vihamieliset.sh [build dir] [display] [second display]
#
# Cases: a sparse 1 TiB file, a FIFO, a directory, a link to /dev/zero, and
# files over the reader's cap by one byte and by a gigabyte, in place of the
# settings, the high scores, the language file, a tune, an image, a font and
# a level; a
# write-protected, a symlinked and a 0600 file saved; an existing file the
# player cannot read and a read-only directory (as the user "nobody", with
# runuser); a full disk (a 100 kB tmpfs); two games storing at the same
# moment; and the quit event in every screen. Saves of the high scores need
# a finished game: the script plays six levels of its own (a staircase that
# holding Right and tapping Shift climbs) built with the game's level
# builder, so each such case takes about a minute. It must run as root (for
# runuser and mount); it starts Xvfb on both displays when nothing runs there.
# Needs: a build (hiekkatorni and tee_kentat), xvfb, xdotool, imagemagick.
set -u
rakennus=$(readlink -f "${1:-build}")
naytot=(":${2:-91}" ":${3:-81}")
juuri=$(cd "$(dirname "$0")/.." && pwd)
peli="$rakennus/hiekkatorni"
MIB=$((1 << 20))
GIB=$((1 << 30))
ODOTUS_IKKUNA=10   # s: no window by then counts as hung
ODOTUS_LOPETUS=5   # s: still running this long after SIGTERM counts as hung

[ "$(id -u)" -eq 0 ] || { echo "run as root (runuser, mount)" >&2; exit 2; }
tyo=$(mktemp -d /tmp/vihamieliset-XXXXXX)
chmod 755 "$tyo"
xvfbt=()
lopeta() {
    for p in "${xvfbt[@]}"; do kill "$p" 2>/dev/null; done
    grep -o " $tyo/[^ ]*" /proc/mounts | while read -r m; do umount "$m"; done
    rm -rf "$tyo"
}
trap lopeta EXIT
for n in "${naytot[@]}"; do
    if ! xdpyinfo -display "$n" >/dev/null 2>&1; then
        Xvfb "$n" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        xvfbt+=($!)
    fi
done
sleep 1

# Six staircase levels: a floor, five steps of three rows and a top floor at
# the goal's height that ends at a wall just past the goal tile.
mkdir -p "$tyo/portaat/lahde" "$tyo/portaat/levels"
for n in 1 2 3 4 5 6; do
    printf 'nelio 0 34 10 2\nnelio 13 31 9 5\nnelio 25 28 9 8\nnelio 37 25 9 11\n%s\n' \
        'nelio 49 22 9 14' >"$tyo/portaat/lahde/level$n.txt"
    printf 'nelio 61 19 9 17\nnelio 73 17 10 19\nnelio 86 0 -1 14\n' >>"$tyo/portaat/lahde/level$n.txt"
done
"$rakennus/tee_kentat" "$tyo/portaat/lahde" "$tyo/portaat/levels" >/dev/null || exit 1

# The high-score file of two entries (name, 0, total little-endian) and the
# settings file the saves start from.
printf 'Vanha\0\364\001\0\0Toinen\0\274\002\0\0' >"$tyo/tulokset.dat"
printf 'kieli=suomi\r\nmusiikki=0\r\nzeta=x\r\n' >"$tyo/asetukset.conf"

# ---- One case's working directory ----

# A directory with its own links to the media and the staircase levels.
uusi_hakemisto() {
    local d="$tyo/$1"
    mkdir -p "$d"
    chmod 755 "$d"
    ln -s "$juuri/media" "$d/media"
    ln -s "$tyo/portaat/levels" "$d/levels"
    echo "$d"
}

# Makes `kind` at `path` from the honest file `honest`, for a reader whose cap is `cap`.
tee_laji() {
    local laji=$1 polku=$2 rehellinen=$3 raja=$4
    rm -rf "$polku"
    case $laji in
        harva) cp "$rehellinen" "$polku" && truncate -s 1T "$polku" ;;
        fifo) mkfifo "$polku" ;;
        hakemisto) mkdir "$polku" ;;
        laite) ln -s /dev/zero "$polku" ;;
        tavu) cp "$rehellinen" "$polku" && truncate -s $((raja + 1)) "$polku" ;;
        giga) cp "$rehellinen" "$polku" && truncate -s $((raja + GIB)) "$polku" ;;
    esac
}

# What a path is: kind, mode, size, link target and a digest of its start.
kuvaus() {
    local s
    s=$(stat -c '%F %a, %s bytes' "$1" 2>/dev/null || echo missing)
    [ -L "$1" ] && s="$s -> $(readlink "$1")"
    [ -f "$1" ] && s="$s, $(head -c 4096 "$1" | md5sum | cut -c1-8)"
    echo "$s"
}

# ---- Driving the real program ----

# Starts the game in directory $1 on display $2 (as user $3 when given) and
# waits for its window. Sets PID (what was started), PELI (the game's own
# pid), IKKUNA and ALKUAIKA (seconds to the window, or "-" when none came).
# Its standard output goes to $1.txt, outside the directory (which may be a
# full disk).
kaynnista() {
    local d=$1 n=$2 kayttaja=${3:-}
    local alku
    alku=$(date +%s.%N)
    if [ -n "$kayttaja" ]; then
        (cd "$d" && exec env DISPLAY="$n" SDL_AUDIODRIVER=dummy runuser -u "$kayttaja" -- "$peli" \
            >"$d.txt" 2>&1) &
    else
        (cd "$d" && exec env DISPLAY="$n" SDL_AUDIODRIVER=dummy "$peli" >"$d.txt" 2>&1) &
    fi
    PID=$!
    PELI=$PID
    if [ -n "$kayttaja" ]; then
        sleep 0.3
        PELI=$(pgrep -P "$PID" | head -n 1)
        PELI=${PELI:-$PID}
    fi
    IKKUNA=$(DISPLAY=$n timeout "$ODOTUS_IKKUNA" xdotool search --sync --onlyvisible --pid "$PELI" \
        2>/dev/null | head -n 1)
    if [ -n "$IKKUNA" ]; then
        ALKUAIKA=$(echo "$(date +%s.%N) $alku" | awk '{printf "%.2f", $1 - $2}')
        DISPLAY=$n xdotool windowfocus --sync "$IKKUNA" 2>/dev/null
        sleep 0.5
    else
        ALKUAIKA="-"
    fi
}

# The game's peak resident memory so far, in MB.
muisti() { awk '/VmHWM/ {printf "%.0f MB", $2 / 1024}' "/proc/$PELI/status" 2>/dev/null; }

# Waits for the program to end by itself (up to $1 s); sets TILA.
odota_loppua() {
    local raja=$1 i=0
    while kill -0 "$PID" 2>/dev/null && [ "$i" -lt $((raja * 20)) ]; do
        sleep 0.05
        i=$((i + 1))
    done
    if kill -0 "$PID" 2>/dev/null; then
        TILA="hung"
        kill -KILL "$PELI" "$PID" 2>/dev/null
        wait "$PID" 2>/dev/null
    else
        wait "$PID"
        TILA=$?
        [ "$TILA" -gt 128 ] && TILA="killed by signal $((TILA - 128))"
    fi
}

# Sends SIGTERM and waits; sets TILA, LOPETUSAIKA and MUISTI.
lopeta_peli() {
    MUISTI=$(muisti)
    local alku
    alku=$(date +%s.%N)
    kill -TERM "$PELI" 2>/dev/null
    odota_loppua "$ODOTUS_LOPETUS"
    LOPETUSAIKA=$(echo "$(date +%s.%N) $alku" | awk '{printf "%.2f s", $1 - $2}')
}

nappaimet() {
    local n=$1
    shift
    for k in "$@"; do
        DISPLAY=$n xdotool key "$k"
        sleep 0.15
    done
}

# The colour at (x, y) as r,g,b.
pikseli() {
    DISPLAY=$1 import -window root -crop "1x1+$2+$3" txt:- 2>/dev/null | tail -n 1 |
        sed -n 's/.*srgb(\([0-9,]*\)).*/\1/p'
}

# Main menu -> the game -> through the intro -> the six staircase levels,
# holding Right and tapping Shift, until the ending story shows (its top
# bar is dark). True when it did within three minutes.
pelaa_loppuun() {
    local n=$1 alku=$SECONDS
    nappaimet "$n" Return
    sleep 1
    for _ in $(seq 14); do DISPLAY=$n xdotool key space; sleep 0.03; done
    DISPLAY=$n xdotool keydown Right
    while [ $((SECONDS - alku)) -lt 180 ]; do
        for _ in $(seq 10); do
            DISPLAY=$n xdotool keydown Shift_L
            sleep 0.08
            DISPLAY=$n xdotool keyup Shift_L
            sleep 0.3
        done
        [ "$(pikseli "$n" 1000 30 | awk -F, '{print $1 + $2 + $3 < 120}')" = 1 ] && break
    done
    DISPLAY=$n xdotool keyup Right
    [ "$(pikseli "$n" 1000 30 | awk -F, '{print $1 + $2 + $3 < 120}')" = 1 ]
}

# Through the ending story to the name entry, typing "Testi".
nimeen() {
    local n=$1
    for _ in $(seq 6); do DISPLAY=$n xdotool key space; sleep 0.1; done
    sleep 0.3
    DISPLAY=$n xdotool type --delay 60 Testi
}

# After Return: the program ends by itself when the score was stored; when
# the entry stays open, NAKYI tells whether the message lines are on the
# screen (white pixels under the hint below the name), and Escape leaves.
return_ja_loppu() {
    local n=$1 i=0
    NAKYI="-"
    MUISTI=$(muisti)
    DISPLAY=$n xdotool key Return
    while kill -0 "$PID" 2>/dev/null && [ "$i" -lt 30 ]; do sleep 0.1; i=$((i + 1)); done
    if kill -0 "$PID" 2>/dev/null; then
        DISPLAY=$n import -window root -crop 700x75+300+565 "$tyo/viesti.png" 2>/dev/null
        NAKYI=$(convert "$tyo/viesti.png" -threshold 50% -format '%[fx:mean > 0.005 ? 1 : 0]' info:)
        [ "$NAKYI" = 1 ] && NAKYI="message on screen" || NAKYI="no message on screen"
        DISPLAY=$n xdotool key Escape
    fi
    odota_loppua "$ODOTUS_LOPETUS"
}

# ---- The table ----

TULOKSET="$tyo/tulokset"
: >"$TULOKSET"
rivi() {
    local n=$1
    shift
    echo "| $n | $* |" >>"$TULOKSET.$n"
}

# Files the game reads on its way into the first level, each spoiled in turn:
# the program must start, show the menu (and the level for a level file)
# and quit on SIGTERM at once.
lue_tapaus() {
    local nro=$1 n=$2 tiedosto=$3 laji=$4 rehellinen=$5 raja=$6
    local d
    d=$(uusi_hakemisto "t$nro")
    case $tiedosto in
        media/*) rm "$d/media" && cp -rs "$juuri/media" "$d/media" ;;
        levels/*) rm "$d/levels" && cp -r "$tyo/portaat/levels" "$d/levels" ;;
    esac
    printf 'musiikki=1\naanet=1\n' >"$d/asetukset.conf"
    tee_laji "$laji" "$d/$tiedosto" "$rehellinen" "$raja"
    kaynnista "$d" "$n"
    if [ "$ALKUAIKA" != "-" ] && [ "${tiedosto#levels/}" != "$tiedosto" ]; then
        nappaimet "$n" Return
        sleep 1
        for _ in $(seq 14); do DISPLAY=$n xdotool key space; sleep 0.03; done
        sleep 2
    fi
    sleep 1
    lopeta_peli
    rivi "$nro" "$tiedosto: $(selitys "$laji") | started$([ "${tiedosto#levels/}" != "$tiedosto" ] &&
        echo ", level played") | window after ${ALKUAIKA} s, status $TILA, quit in" \
        "$LOPETUSAIKA | $MUISTI | $(kuvaus "$d/$tiedosto") | -"
}

# The settings screen: Down, Return (settings), Return (music on), four times
# Down to "Tallenna_muutokset", Return.
asetukset_tapaus() {
    local nro=$1 n=$2 laji=$3 d ennen tallennettu viesti
    d=$(uusi_hakemisto "t$nro")
    valmistele "$d" asetukset.conf "$tyo/asetukset.conf" "$MIB" "$laji"
    ennen=$(kuvaus "$d/asetukset.conf")
    kaynnista "$d" "$n" "$KAYTTAJA"
    nappaimet "$n" Down Return Return Down Down Down Down Return
    sleep 0.5
    lopeta_peli
    viesti=$(grep -c "ei voitu tallentaa" "$d.txt")
    tallennettu=$(tulos_asetuksista "$d" "$ennen")
    rivi "$nro" "asetukset.conf: $SELITYS | settings saved | status $TILA, quit in" \
        "$LOPETUSAIKA | $MUISTI | $tallennettu | $([ "$viesti" -gt 0 ] && echo "reported" || echo "-")"
}

# Prepares the file for a save case and sets SELITYS and KAYTTAJA.
valmistele() {
    local d=$1 nimi=$2 vanha=$3 raja=$4 laji=$5
    KAYTTAJA=""
    SELITYS=$laji
    case $laji in
        linkki)
            mkdir "$d/data" && cp "$vanha" "$d/data/kohde" && ln -s data/kohde "$d/$nimi"
            SELITYS="symlink" ;;
        0600) cp "$vanha" "$d/$nimi" && chmod 600 "$d/$nimi" ;;
        suojattu) cp "$vanha" "$d/$nimi" && chmod 444 "$d/$nimi"; SELITYS="write-protected" ;;
        lukukelvoton)
            cp "$vanha" "$d/$nimi" && chmod 600 "$d/$nimi" && chown nobody "$d"
            KAYTTAJA=nobody; SELITYS="root's 0600 file, played as nobody" ;;
        vain_luku)
            cp "$vanha" "$d/$nimi" && chmod 555 "$d"
            KAYTTAJA=nobody; SELITYS="read-only directory, played as nobody" ;;
        taysi)
            rm -rf "$d" && mkdir "$d" && mount -t tmpfs -o size=100k tmpfs "$d" && chmod 755 "$d"
            ln -s "$juuri/media" "$d/media" && ln -s "$tyo/portaat/levels" "$d/levels"
            cp "$vanha" "$d/$nimi"
            dd if=/dev/zero of="$d/tayte" bs=4k 2>/dev/null
            SELITYS="full disk (100 kB tmpfs)" ;;
        *) tee_laji "$laji" "$d/$nimi" "$vanha" "$raja"; SELITYS=$(selitys "$laji") ;;
    esac
}

selitys() {
    case $1 in
        harva) echo "sparse 1 TiB" ;; fifo) echo "FIFO" ;; hakemisto) echo "directory" ;;
        laite) echo "link to /dev/zero" ;; tavu) echo "cap + 1 byte" ;; giga) echo "cap + 1 GiB" ;;
    esac
}

# What became of the settings: stored with every old key (and the link or
# mode kept), or left exactly as it was, or changed otherwise (lost keys).
lisatieto() {
    [ -L "$1" ] && echo ", still a link"
    [ -f "$1" ] && [ ! -L "$1" ] && echo ", mode $(stat -c %a "$1")"
}

# What became of the saved file $1 (described as $2 before the save): stored
# with everything it held kept ($3 says what), when it (or its link's target)
# holds every string after $3; left as it was; or changed some other way.
tulos_tallennuksesta() {
    local polku=$1 ennen=$2 sailyi=$3 kohde=$1 kaikki=1 s
    shift 3
    [ -L "$kohde" ] && [ -f "$kohde" ] && kohde=$(readlink -f "$kohde")
    for s in "$@"; do
        [ -f "$kohde" ] && grep -aq "$s" "$kohde" || kaikki=0
    done
    if [ "$kaikki" = 1 ]; then
        echo "stored, $sailyi$(lisatieto "$polku")"
    elif [ "$(kuvaus "$polku")" = "$ennen" ]; then
        echo "left as it was"
    else
        echo "CHANGED: $(kuvaus "$polku")"
    fi
}

tulos_asetuksista() {
    tulos_tallennuksesta "$1/asetukset.conf" "$2" "old keys kept" musiikki=1 kieli=suomi zeta=x
}

tulos_tuloksista() {
    tulos_tallennuksesta "$1/hiscore.dat" "$2" "old entries kept" Testi Vanha Toinen
}

# A whole game to the name entry and Return.
tulokset_tapaus() {
    local nro=$1 n=$2 laji=$3 d ennen viesti
    d=$(uusi_hakemisto "t$nro")
    valmistele "$d" hiscore.dat "$tyo/tulokset.dat" "$MIB" "$laji"
    ennen=$(kuvaus "$d/hiscore.dat")
    kaynnista "$d" "$n" "$KAYTTAJA"
    if [ "$ALKUAIKA" = "-" ] || ! pelaa_loppuun "$n"; then
        lopeta_peli
        rivi "$nro" "hiscore.dat: $SELITYS | score stored | did not reach the ending" \
            "(window ${ALKUAIKA}), status $TILA | $MUISTI | $(tulos_tuloksista "$d" "$ennen") | -"
        return
    fi
    nimeen "$n"
    return_ja_loppu "$n"
    viesti=$(grep -c "ei voitu tallentaa" "$d.txt")
    rivi "$nro" "hiscore.dat: $SELITYS | score stored | status $TILA | $MUISTI |" \
        "$(tulos_tuloksista "$d" "$ennen") | $([ "$viesti" -gt 0 ] && echo "reported, " || echo "")$NAKYI"
}

# SIGTERM in one screen: menu, settings, credits, intro, level, ending story
# or name entry.
lopetus_tapaus() {
    local nro=$1 n=$2 missa=$3 d
    d=$(uusi_hakemisto "t$nro")
    kaynnista "$d" "$n"
    case $missa in
        "settings") nappaimet "$n" Down Return ;;
        "credits") nappaimet "$n" Down Down Return ;;
        "intro") nappaimet "$n" Return ;;
        "level") nappaimet "$n" Return; sleep 1; nappaimet "$n" Escape ;;
        "ending story") pelaa_loppuun "$n" ;;
        "name entry") pelaa_loppuun "$n" && nimeen "$n" ;;
    esac
    sleep 1
    lopeta_peli
    rivi "$nro" "quit (SIGTERM) in the $missa | quit | status $TILA, quit in" \
        "$LOPETUSAIKA | $MUISTI | $([ -e "$d/hiscore.dat" ] && echo "hiscore.dat WRITTEN" ||
            echo "nothing stored") | -"
}

# Two games on the two displays reach the name entry; Return to both at once.
kaksi_tapaus() {
    local nro=$1 d pidit=() pelit=() ohjaajat=() i
    d=$(uusi_hakemisto "t$nro")
    cp "$tyo/tulokset.dat" "$d/hiscore.dat"
    for i in 0 1; do
        kaynnista "$d" "${naytot[$i]}"
        pidit+=("$PID")
        pelit+=("$PELI")
    done
    for i in 0 1; do
        (pelaa_loppuun "${naytot[$i]}" && nimeen "${naytot[$i]}") &
        ohjaajat+=($!)
    done
    wait "${ohjaajat[@]}"
    sleep 1
    DISPLAY=${naytot[0]} xdotool key Return &
    DISPLAY=${naytot[1]} xdotool key Return &
    sleep 3
    local tilat=""
    for i in 0 1; do
        PID=${pidit[$i]} PELI=${pelit[$i]}
        odota_loppua "$ODOTUS_LOPETUS"
        tilat="$tilat $TILA"
    done
    local maara
    maara=$(grep -ao Testi "$d/hiscore.dat" | wc -l)
    rivi "$nro" "two games store at the same moment | scores stored | statuses$tilat |" \
        "- | $maara of 2 new entries, old ones $(grep -aq Vanha "$d/hiscore.dat" &&
            grep -aq Toinen "$d/hiscore.dat" && echo kept || echo LOST) | -"
}

# ---- The cases, in two lanes (one per display) ----

kaistat=("" "")
nro=0
lisaa() { nro=$((nro + 1)); kaistat[$1]+="$nro $2"$'\n'; }

honest_mp3="$juuri/tests/data/piippaus_44k_mono.mp3"
printf 'Aloita_peli=Aloita\r\n' >"$tyo/kieli.txt"
for laji in harva fifo hakemisto laite tavu giga; do
    lisaa 0 "lue asetukset.conf $laji $tyo/asetukset.conf $MIB"
    lisaa 0 "lue hiscore.dat $laji $tyo/tulokset.dat $MIB"
    lisaa 0 "lue media/language/suomi.txt $laji $tyo/kieli.txt $MIB"
    lisaa 0 "lue media/music/valikko.mp3 $laji $honest_mp3 $((32 * MIB))"
    lisaa 0 "lue levels/level6.map $laji $tyo/portaat/levels/level6.map $((16 * MIB))"
    lisaa 1 "lue media/images/valikko_tausta.png $laji $juuri/media/images/valikko_tausta.png $((16 * MIB))"
    lisaa 1 "lue media/fonts/normaali.ttf $laji $juuri/media/fonts/normaali.ttf $((16 * MIB))"
done
for laji in linkki 0600 suojattu lukukelvoton vain_luku taysi harva fifo hakemisto laite tavu giga; do
    lisaa 0 "asetukset $laji"
done
puoli=0
for laji in linkki 0600 suojattu lukukelvoton vain_luku taysi harva fifo hakemisto laite tavu giga; do
    lisaa $((puoli % 2)) "tulokset $laji"
    puoli=$((puoli + 1))
done
for missa in menu settings credits intro level "ending story" "name entry"; do
    lisaa 1 "lopetus $missa"
done

aja_kaista() {
    local n=$1
    while read -r numero tapa a b c d; do
        [ -n "$numero" ] || continue
        case $tapa in
            lue) lue_tapaus "$numero" "$n" "$a" "$b" "$c" "$d" ;;
            asetukset) asetukset_tapaus "$numero" "$n" "$a" ;;
            tulokset) tulokset_tapaus "$numero" "$n" "$a" ;;
            lopetus) lopetus_tapaus "$numero" "$n" "$a${b:+ $b}" ;;
        esac
    done
}

echo "Running $nro cases against $peli on ${naytot[*]} (about 20 minutes)..." >&2
aja_kaista "${naytot[0]}" <<<"${kaistat[0]}" &
kaista0=$!
aja_kaista "${naytot[1]}" <<<"${kaistat[1]}" &
# Only the lanes: a bare wait would also wait for the Xvfb servers started here.
wait "$kaista0" $!
kaksi_tapaus $((nro + 1))
nro=$((nro + 1))

echo "| # | case | done | how it ended | peak memory | the file afterwards | refusal reported |"
echo "|---|---|---|---|---|---|---|"
for i in $(seq "$nro"); do cat "$TULOKSET.$i" 2>/dev/null; done
