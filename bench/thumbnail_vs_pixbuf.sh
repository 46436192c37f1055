#!/bin/sh
# Times the whole "kestrix --thumbnail" of each bundled board, start-up
# included, beside gdk-pixbuf-thumbnailer -s 256 of one exported quarter JPEG
# of the same board, one run each in the same run; prints both per board, the
# sums and their ratio (a board preview should cost no more than previewing
# one picture of it).
#
#   bench/thumbnail_vs_pixbuf.sh [SIZE]
#
# Needs a built tree (cmake --build build) and gdk-pixbuf-thumbnailer from the
# Debian package libgdk-pixbuf2.0-bin; the README's commands do not need it,
# so setup.sh does not install it.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
size=${1:-256}
kestrix="$build/bin/kestrix"

command -v gdk-pixbuf-thumbnailer >/dev/null \
    || { echo "gdk-pixbuf-thumbnailer is missing: apt-get install libgdk-pixbuf2.0-bin" >&2; exit 2; }
cmake --build "$build" --target kestrix >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
now() { date +%s%N; }

printf '%-16s %12s %12s\n' board "kestrix ms" "pixbuf ms"
: >"$work/times"
for board in "$build"/bin/Boards/*.zvb; do
    name=$(basename "$board" .zvb)
    # A board that fails the check has no quarters: it is previewed beside a
    # quarter of the sample factory, which costs gdk-pixbuf the same.
    cp "$board" "$work/$name.zvb"
    if ! "$kestrix" --export "$work/$name.zvb" "$work/$name.jpg" 2>/dev/null; then
        "$kestrix" --export "$build/bin/Boards/Factory.zvb" "$work/$name.jpg"
        name="$name*"
        cp "$work/$(basename "$board" .zvb) (1).jpg" "$work/$name (1).jpg"
    fi

    start=$(now)
    "$kestrix" --thumbnail "$board" "$work/$name.k.png" "$size"
    k=$(($(now) - start))
    start=$(now)
    gdk-pixbuf-thumbnailer -s "$size" "$work/$name (1).jpg" "$work/$name.p.png"
    p=$(($(now) - start))
    echo "$k $p" >>"$work/times"
    awk -v n="$name" -v k="$k" -v p="$p" 'BEGIN { printf "%-16s %12.1f %12.1f\n", n, k / 1e6, p / 1e6 }'
done

awk -v load="$(cut -d' ' -f1-3 /proc/loadavg)" '{ k += $1; p += $2 } END {
    printf "sum              %12.1f %12.1f   (load average %s: other work slows both)\n", k / 1e6, p / 1e6, load
    printf "ratio kestrix --thumbnail / gdk-pixbuf-thumbnailer: %.2f\n", k / p
    print "* fails the check: gdk-pixbuf previews a quarter of Factory instead"
}' "$work/times"
