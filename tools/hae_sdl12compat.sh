#!/bin/sh
# Unpacks Debian's sdl12-compat (SDL 1.2 over SDL2, the only SDL 1.2 of newer
# distributions) into a directory of the build tree and prints the directory
# that holds its libSDL-1.2.so.0, for LD_LIBRARY_PATH. The package conflicts
# with the classic SDL 1.2 the game is built against, so it is never
# installed: `apt-get download` fetches it and `dpkg -x` unpacks it. A second
# run finds the unpacked library and does nothing.
#
#   tools/hae_sdl12compat.sh <directory>
set -eu
kohde=${1:?usage: tools/hae_sdl12compat.sh <directory>}
PAKETTI=libsdl1.2-compat

loyda() { find "$kohde" -name libSDL-1.2.so.0 2>/dev/null | head -n 1; }

kirjasto=$(loyda)
if [ -z "$kirjasto" ]; then
    mkdir -p "$kohde"
    kohde=$(cd "$kohde" && pwd)
    sudo_=""
    [ "$(id -u)" -eq 0 ] || sudo_="sudo"
    # As root apt would hand the download to its own unprivileged user, who
    # cannot write into the build tree.
    asetus=""
    [ "$(id -u)" -ne 0 ] || asetus="-o APT::Sandbox::User=root"
    # shellcheck disable=SC2086
    if ! (cd "$kohde" && apt-get download -qq $asetus "$PAKETTI" >&2); then
        $sudo_ apt-get update -qq >&2
        # shellcheck disable=SC2086
        (cd "$kohde" && apt-get download -qq $asetus "$PAKETTI" >&2)
    fi
    dpkg -x "$kohde"/${PAKETTI}_*.deb "$kohde"
    kirjasto=$(loyda)
fi
[ -n "$kirjasto" ] || { echo "no libSDL-1.2.so.0 in $PAKETTI" >&2; exit 1; }
dirname "$(readlink -f "$kirjasto")"
