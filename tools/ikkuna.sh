# Sourced by the tools that run the game in a real window: a scratch
# directory $tyo removed at exit, after the game still running as $peli (when
# set) and the Xvfb started here are stopped, and kaynnista_xvfb, which
# starts Xvfb on a display where no X server answers yet.
tyo=$(mktemp -d)
peli=""
lopetettavat=""
siivoa() {
    for p in $peli $lopetettavat; do kill "$p" 2>/dev/null || true; done
    rm -rf "$tyo"
}
trap siivoa EXIT

kaynnista_xvfb() {
    if ! xdpyinfo -display "$1" >/dev/null 2>&1; then
        Xvfb "$1" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        lopetettavat="$lopetettavat $!"
        sleep 1
    fi
}
