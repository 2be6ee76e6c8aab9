#!/bin/sh
# Checks the Debian package end to end on a fresh Debian 12, as a player
# would meet it:
#   1. `make deb` builds hiekkatorni_<version>_<arch>.deb (lintian included);
#   2. a pristine Debian 12 (debootstrap, minbase; made once and kept as a
#      tarball in the scratch directory) is unpacked anew for each round;
#   3. `apt install ./hiekkatorni_*.deb` installs it with its dependencies;
#   4. an ordinary user starts the game from its menu entry (`gio launch`
#      runs the desktop file's Exec line, as a desktop does) in a real window
#      on Xvfb: the window must appear and a screenshot must show the main
#      menu; the launcher must have written the default settings; Escape quits;
#   5. `apt remove --autoremove` takes it away: nothing is left under /usr
#      that was not there before the install, the player's files stay.
# Two rounds: on the classic SDL 1.2 (libsdl1.2debian) and on sdl12-compat
# (libsdl1.2-compat-shim installed first; the package must install beside it
# without pulling the classic library back in).
#
#   tools/kokeile_paketti.sh [display number] [scratch dir] [round...]
# Rounds: sdl12 sdl12-compat (default both). Needs root (debootstrap, chroot,
# mount); installs debootstrap, Xvfb, xdotool and imagemagick on the host when
# missing; reaches Debian's package archive through the host's own apt
# sources. Slow (minutes): not in `make test`.
set -eu
projekti=$(cd "$(dirname "$0")/.." && pwd)
naytto=":${1:-93}"
tyo=$(mkdir -p "${2:-/var/tmp/hiekkatorni-paketti}" && readlink -f "${2:-/var/tmp/hiekkatorni-paketti}")
shift $(($# < 2 ? $# : 2))
kierrokset=${*:-sdl12 sdl12-compat}
pohja="$tyo/bookworm-minbase.tar"
tunnus=fi.hiekkatorni.hiekkatorni
juuri=""
xvfb=""

virhe() { echo "VIRHE: $*" >&2; exit 1; }
vaihe() { echo "== $*"; }
[ "$(id -u)" -eq 0 ] || virhe "run as root (debootstrap, chroot and mount need it)"

irrota() {
    [ -n "$juuri" ] || return 0
    for m in tmp/.X11-unix var/cache/apt/archives dev/pts dev proc; do
        mountpoint -q "$juuri/$m" 2>/dev/null && umount "$juuri/$m"
    done
    rm -rf "$juuri"
    juuri=""
}
lopeta() {
    irrota || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
}
trap lopeta EXIT
trap 'exit 130' INT TERM

sisalla() { chroot "$juuri" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"; }

# The host's own Debian sources for Debian 12 (main, updates, security).
lahteet() {
    apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' 'Created-By: Packages' |
        awk '$2 ~ /^bookworm(-updates|-security)?$/ {print "deb " $1 " " $2 " " $3}' | sort -u
}

# A pristine minimal Debian 12, made once.
teePohja() {
    [ -s "$pohja" ] && return 0
    vaihe "debootstrap bookworm (once; kept in $pohja)"
    peili=$(lahteet | awk '$3 == "bookworm" {print $2; exit}')
    [ -n "$peili" ] || virhe "the host has no Debian 12 (bookworm) apt source"
    rm -rf "$tyo/pohja"
    debootstrap --variant=minbase bookworm "$tyo/pohja" "$peili" >"$tyo/debootstrap.log" 2>&1 ||
        virhe "debootstrap failed, see $tyo/debootstrap.log"
    tar -C "$tyo/pohja" -cf "$pohja.osittain" . && mv "$pohja.osittain" "$pohja"
    rm -rf "$tyo/pohja"
}

# A fresh root from the pristine one, with the host's sources, /proc, /dev,
# the X socket directory and a shared download cache (the same files a fresh
# machine would download).
uusiJuuri() {
    juuri="$tyo/juuri-$1"
    rm -rf "$juuri" && mkdir -p "$juuri" "$tyo/arkisto/partial"
    tar -C "$juuri" -xf "$pohja"
    lahteet >"$juuri/etc/apt/sources.list"
    cp /etc/resolv.conf "$juuri/etc/resolv.conf"
    mount -t proc proc "$juuri/proc"
    mount --bind /dev "$juuri/dev"
    mount --bind /dev/pts "$juuri/dev/pts"
    mkdir -p "$juuri/tmp/.X11-unix"
    mount --bind /tmp/.X11-unix "$juuri/tmp/.X11-unix"
    mount --bind "$tyo/arkisto" "$juuri/var/cache/apt/archives"
    sisalla apt-get update -qq
    # The desktop's part: gio starts programs from their menu entries.
    sisalla apt-get install -y -qq --no-install-recommends libglib2.0-bin >/dev/null
    sisalla useradd -m pelaaja
}

kaynnistaXvfb() {
    DISPLAY="$naytto" xdpyinfo >/dev/null 2>&1 && return 0
    Xvfb "$naytto" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb=$!
    sleep 1
}

# The pid of the running game program inside the root, if any.
pelinPid() {
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/exe" 2>/dev/null)" = "$juuri/usr/libexec/hiekkatorni/hiekkatorni" ] &&
            { echo "${p#/proc/}"; return 0; }
    done
    return 0
}

# Mean colour distance (0..1) of the screenshot from the README's menu picture.
eroValikosta() {
    convert "$1" -resize 640x480! "$1.pieni.png"
    e=$(compare -metric RMSE "$1.pieni.png" "$projekti/docs/kuvat/paavalikko.png" null: 2>&1 |
        sed -n 's/.*(\([0-9.e-]*\)).*/\1/p')
    echo "${e:-1}"
}

# Starts the game from its menu entry as the player, checks the window, the
# menu on screen and the default settings, then quits with Escape.
pelaa() {
    kierros=$1
    sisalla runuser -u pelaaja -- env HOME=/home/pelaaja DISPLAY="$naytto" \
        gio launch "/usr/share/applications/$tunnus.desktop" >"$tyo/$kierros-gio.log" 2>&1 ||
        virhe "gio launch failed: $(cat "$tyo/$kierros-gio.log")"
    ikkuna=$(DISPLAY="$naytto" timeout 30 xdotool search --sync --name '^Hiekkatorni$' | head -n 1) ||
        virhe "no game window appeared"
    pid=$(pelinPid)
    [ -n "$pid" ] || virhe "the window is there but the game program is not running"
    sdl=$(awk '/libSDL-1\.2/ {print $6; exit}' "/proc/$pid/maps")
    echo "ikkuna $ikkuna, ohjelma pid $pid, SDL 1.2: ${sdl#"$juuri"}"
    if [ "$kierros" = sdl12-compat ]; then
        case "$sdl" in */sdl12-compat/*) ;; *) virhe "the game did not load sdl12-compat" ;; esac
    fi
    kuva="$tyo/$kierros-valikko.png"
    ero=1
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        sleep 1
        DISPLAY="$naytto" import -window root "$kuva"
        ero=$(eroValikosta "$kuva")
        awk "BEGIN {exit !($ero < $RAJA)}" && break
    done
    echo "kuvakaappaus $kuva: ero README:n valikkokuvasta $ero (raja $RAJA)"
    awk "BEGIN {exit !($ero < $RAJA)}" || virhe "the screen does not show the main menu"
    oma="$juuri/home/pelaaja/.local/share/hiekkatorni"
    cmp "$oma/asetukset.conf" "$juuri/usr/share/games/hiekkatorni/oletusasetukset.conf" ||
        virhe "the launcher did not write the default settings"
    DISPLAY="$naytto" xdotool windowfocus --sync "$ikkuna" key Escape || true
    for _ in $(seq 1 50); do [ -d "/proc/$pid" ] || break; sleep 0.2; done
    if [ -d "/proc/$pid" ]; then kill "$pid"; virhe "Escape did not quit the game"; fi
    echo "pelaajan hakemisto: $(ls "$oma" | tr '\n' ' ')"
}

# Removes the package with its automatically installed dependencies. None of
# its paths may stay behind, nor anything else under /usr naming the game;
# what the dependencies' own scripts leave is listed.
poista() {
    kierros=$1
    sisalla dpkg -L hiekkatorni | sed 's|^/||' | sort >"$tyo/$kierros-tiedostot"
    sisalla apt-get remove -y -qq --autoremove hiekkatorni >/dev/null
    [ -z "$(sisalla dpkg-query -W -f='${db:Status-Status}' hiekkatorni 2>/dev/null | grep -v not-installed)" ] ||
        virhe "hiekkatorni is still installed"
    (cd "$juuri" && find usr | sort) >"$tyo/$kierros-usr-jalkeen"
    comm -13 "$tyo/$kierros-usr-ennen" "$tyo/$kierros-usr-jalkeen" >"$tyo/$kierros-usr-uudet"
    jaaneet=$(comm -12 "$tyo/$kierros-tiedostot" "$tyo/$kierros-usr-uudet"; grep hiekkatorni "$tyo/$kierros-usr-uudet" || true)
    [ -z "$jaaneet" ] || virhe "left behind after removal: $jaaneet"
    [ -s "$tyo/$kierros-usr-uudet" ] &&
        echo "riippuvuuksien jättämät (ei pelin): $(tr '\n' ' ' <"$tyo/$kierros-usr-uudet")"
    [ -f "$juuri/home/pelaaja/.local/share/hiekkatorni/asetukset.conf" ] ||
        virhe "removing the package took the player's settings"
    echo "poistettu: $(grep -c . "$tyo/$kierros-tiedostot") polkua, yhtään ei jäänyt; pelaajan tiedostot jäivät"
}

ajaKierros() {
    kierros=$1
    vaihe "kierros $kierros: tuore Debian 12"
    uusiJuuri "$kierros"
    if [ "$kierros" = sdl12-compat ]; then
        sisalla apt-get install -y -qq --no-install-recommends libsdl1.2-compat-shim >/dev/null
    fi
    (cd "$juuri" && find usr | sort) >"$tyo/$kierros-usr-ennen"
    cp "$paketti" "$juuri/tmp/"
    vaihe "apt install ./$(basename "$paketti")"
    sisalla sh -c "cd /tmp && apt install -y -q ./$(basename "$paketti")" >"$tyo/$kierros-apt.log" 2>&1 ||
        { tail -n 30 "$tyo/$kierros-apt.log"; virhe "apt install failed"; }
    grep -E 'newly installed' "$tyo/$kierros-apt.log"
    sdl=$(sisalla dpkg-query -W -f='${db:Status-Status} ${Package}\n' libsdl1.2debian libsdl1.2-compat-shim 2>/dev/null |
        awk '$1 == "installed" {print $2}' | tr '\n' ' ')
    echo "SDL 1.2 asennettuna: $sdl"
    if [ "$kierros" = sdl12-compat ]; then
        [ "$sdl" = "libsdl1.2-compat-shim " ] || virhe "the install replaced sdl12-compat"
    fi
    vaihe "käynnistys valikosta"
    pelaa "$kierros"
    vaihe "apt remove"
    poista "$kierros"
    irrota
}

# The menu in a real window differs from the README's picture of it by about
# 0.015; the nearest other screen, the settings on the same background, by
# 0.056, the others by 0.22 to 0.8 (a black screen 0.8).
RAJA=0.04

"$projekti/tools/asenna_riippuvuudet.sh" debootstrap xvfb xauth x11-utils xdotool imagemagick
vaihe "make deb"
(cd "$projekti" && make --no-print-directory deb) >"$tyo/make-deb.log" 2>&1 ||
    { tail -n 30 "$tyo/make-deb.log"; virhe "make deb failed"; }
paketti=$(ls -t "$projekti"/hiekkatorni_*_*.deb | head -n 1)
echo "$paketti: $(du -k "$paketti" | cut -f1) kB"
dpkg-deb -f "$paketti" Depends
teePohja
kaynnistaXvfb
for k in $kierrokset; do ajaKierros "$k"; done
echo "paketti kunnossa: $kierrokset"
