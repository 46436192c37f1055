#!/bin/sh
# Times the whole "kestrix --export" of a board, start-up included, beside
# four runs of libjpeg-turbo's cjpeg with the export's settings on the same
# four quarters, in the same run; prints the median of each and the ratio.
#
#   bench/export_vs_cjpeg.sh [RUNS [BOARD]]
#
# Needs a built tree (cmake --build build) and cjpeg from the Debian package
# libjpeg-turbo-progs (apt-get install libjpeg-turbo-progs); the README's
# commands do not need it, so setup.sh does not install it.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
runs=${1:-9}
board=${2:-"$build/bin/Boards/Factory.zvb"}
kestrix="$build/bin/kestrix"

command -v cjpeg >/dev/null || { echo "cjpeg is missing: apt-get install libjpeg-turbo-progs" >&2; exit 2; }
cmake --build "$build" --target kestrix quarter_bitmaps >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/quarter_bitmaps" "$build/bin" "$board" "$work/q"

now() { date +%s%N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$work/kestrix.ns"
: >"$work/cjpeg.ns"
i=0
while [ "$i" -lt "$runs" ]; do
    start=$(now)
    "$kestrix" --export "$board" "$work/k.jpg"
    echo $(($(now) - start)) >>"$work/kestrix.ns"

    start=$(now)
    for n in 1 2 3 4; do
        cjpeg -quality 90 -dct float -baseline -outfile "$work/c ($n).jpg" "$work/q ($n).bmp"
    done
    echo $(($(now) - start)) >>"$work/cjpeg.ns"
    i=$((i + 1))
done

for n in 1 2 3 4; do
    cmp -s "$work/k ($n).jpg" "$work/c ($n).jpg" || echo "quarter $n: kestrix and cjpeg differ" >&2
done

k=$(median <"$work/kestrix.ns")
c=$(median <"$work/cjpeg.ns")
awk -v k="$k" -v c="$c" -v runs="$runs" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" 'BEGIN {
    printf "median of %d runs (load average %s: other work slows both)\n", runs, load
    printf "kestrix --export (whole process): %8.1f ms\n", k / 1e6
    printf "4 x cjpeg (one after the other):  %8.1f ms\n", c / 1e6
    printf "ratio kestrix / cjpeg:            %8.2f\n", k / c
}'
