#!/bin/sh
# Measures the figures of the README's "Performance" section on this
# machine and prints them. Starts its own Xvfb display (default :98) for the
# X11 figures; the frame benchmark and the memory run use the dummy drivers.
#
#   tools/mittaa.sh [build dir] [display number] [idle seconds]
# Needs: a build with the benchmarks, xvfb, /usr/bin/time.
set -eu
rakennus=$(readlink -f "${1:-build}")
naytto=":${2:-98}"
kesto="${3:-20}"
KIERROKSIA=9
juuri=$(cd "$(dirname "$0")/.." && pwd)
. "$juuri/tools/ikkuna.sh"
ln -s "$juuri/levels" "$juuri/media" "$tyo/"
cd "$tyo"

# The median of the numbers on standard input.
mediaani() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
# The value of one "name value unit" line of the measuring tool.
arvo() { awk -v n="$1" '$1 == n {print $2}'; }

echo "== Game frame against a bare blit+flip (dummy driver, pacing off) =="
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$rakennus/bench_kehys" --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true 2>/dev/null | grep median | tee "$tyo/kehys"
awk '/PaljasBlitti/ {p=$4} /Pelikehys/ {g=$4} END {printf "game frame / bare blit+flip (CPU): %.2f\n", g/p}' \
    "$tyo/kehys"

kaynnista_xvfb "$naytto"
export DISPLAY="$naytto" SDL_AUDIODRIVER=dummy
unset SDL_VIDEODRIVER

echo "== Start to the first frame, X11 on Xvfb, median of $KIERROKSIA =="
: >"$tyo/paljas"
: >"$tyo/valikko"
for _ in $(seq "$KIERROKSIA"); do
    "$rakennus/mittaa_ajo" paljas | arvo paljas_ensimmainen_kehys >>"$tyo/paljas"
    "$rakennus/mittaa_ajo" valikko 0.01 | arvo ensimmainen_valikkokehys >>"$tyo/valikko"
done
paljas=$(mediaani <"$tyo/paljas")
valikko=$(mediaani <"$tyo/valikko")
echo "bare SDL start + 1024x768x32 mode + flip: $paljas ms"
echo "game start to the first menu frame:       $valikko ms ($(echo "$valikko $paljas" | awk '{printf "%.1f", $1/$2}') x)"

echo "== Main menu idling with pacing on, X11 on Xvfb, $kesto s =="
"$rakennus/mittaa_ajo" valikko "$kesto" | grep -E 'kehystaajuus|suoritin'

echo "== The real binary idling in the main menu, /proc/<pid>/stat over $kesto s =="
"$rakennus/hiekkatorni" >/dev/null 2>&1 &
peli=$!
sleep 3
tikit() { awk '{print $14 + $15}' "/proc/$peli/stat"; }
ennen=$(tikit)
sleep "$kesto"
jalkeen=$(tikit)
echo "$ennen $jalkeen $(getconf CLK_TCK) $kesto" |
    awk '{printf "hiekkatorni CPU in the idle menu: %.2f %% of one core\n", 100*($2-$1)/$3/$4}'
kill -TERM "$peli"  # SDL turns SIGTERM into a quit event: a clean exit
wait "$peli" || true
peli=""

echo "== Memory of a whole game by the replays (dummy drivers, pacing off) =="
SDL_VIDEODRIVER=dummy /usr/bin/time -v "$rakennus/mittaa_ajo" koko 2>"$tyo/aika" | grep muisti
grep 'Maximum resident' "$tyo/aika"
