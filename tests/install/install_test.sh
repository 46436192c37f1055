#!/usr/bin/env bash
# Installs the build into a temporary folder under an unusual prefix, checks
# that every file of the installed program is there and valid, and starts the
# installed program on an installed sample board.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap '[ -z "${pid:-}" ] || kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
prefix=/opt/kestrix-test
root=$work/root$prefix

DESTDIR=$work/root cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
data=$root/share/kestrix
for f in bin/kestrix share/kestrix/InitList.ini share/kestrix/Kestrix.ini \
         share/kestrix/Images/00000.bmp share/kestrix/Images/10000.bmp share/kestrix/Images/20000.bmp \
         share/kestrix/Language/UK.txt share/kestrix/Language/DE.txt share/kestrix/Language/UK.bmp \
         share/kestrix/Boards/Factory.zvb share/applications/org.kestrix.Kestrix.desktop \
         share/mime/packages/kestrix.xml share/thumbnailers/kestrix.thumbnailer \
         share/metainfo/org.kestrix.Kestrix.metainfo.xml \
         share/doc/kestrix/LICENSE share/doc/kestrix/copyright share/doc/kestrix/changelog.gz \
         share/doc/kestrix/docs/screenshot.png \
         share/man/man1/kestrix.1.gz share/bash-completion/completions/kestrix \
         share/zsh/vendor-completions/_kestrix share/fish/vendor_completions.d/kestrix.fish; do
    [ -s "$root/$f" ] || fail "$f is not installed"
done
[ -x "$root/bin/kestrix" ] || fail "bin/kestrix is not executable"
for size in 16 24 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x${size}/apps/kestrix.png
    [ -s "$icon" ] || fail "no ${size}x${size} icon"
    # The PNG header's width and height.
    [ "$(od -An -tu1 -j16 -N8 "$icon" | tr -s ' ')" = " 0 0 $((size / 256)) $((size % 256)) 0 0 $((size / 256)) $((size % 256))" ] \
        || fail "the ${size}x${size} icon has another size"
done
[ "$(ls "$data/Images" | wc -l)" = "$(ls "$build/bin/Images" | grep -c '\.bmp$')" ] || fail "pictures are missing"
[ -e "$data/Images/tiles.stamp" ] && fail "the build's stamp file is installed"

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/org.kestrix.Kestrix.desktop" || fail "desktop file"
else
    echo "desktop-file-validate not found: launcher not validated"
fi
if command -v appstreamcli >/dev/null; then
    # Pedantic: every report but the hint about the capitals in the id fails.
    reports=$(appstreamcli validate --pedantic --no-net "$root/share/metainfo/org.kestrix.Kestrix.metainfo.xml" \
        | grep -E '^[EWIP]: ' | grep -v 'cid-contains-uppercase-letter' || true)
    [ -z "$reports" ] || fail "metainfo file: $reports"
else
    echo "appstreamcli not found: metainfo not validated"
fi
if command -v update-mime-database >/dev/null; then
    update-mime-database "$root/share/mime"
    grep -q '^50:application/x-zorvan-board:\*\.zvb$' "$root/share/mime/globs2" || fail "*.zvb is not a board file"
else
    echo "update-mime-database not found: file type not checked"
fi

# The manual page reads without complaint and names every option --help
# names; the completions offer the options and, after them, the files each
# takes.
page=$root/share/man/man1/kestrix.1.gz
if command -v man >/dev/null; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page: $warnings"
fi
for option in $("$root/bin/kestrix" --help | grep -o -- '--[a-z-]*' | sort -u); do
    zcat "$page" | sed 's/\\-/-/g' | grep -q -- "$option" || fail "the manual page lacks $option"
done
mkdir "$work/files" "$work/files/folder"
touch "$work/files/a.zvb" "$work/files/b.pdf" "$work/files/c.txt"
completed=$(cd "$work/files" && bash -c '
    source "$1"
    complete_words() { COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _kestrix; echo "${COMPREPLY[*]}"; }
    complete_words kestrix --che
    complete_words kestrix ""
    complete_words kestrix --print-pdf a.zvb ""
    complete_words kestrix --print-pdf a.zvb --pages ""
    complete_words kestrix --print-pdf a.zvb --' _ "$root/share/bash-completion/completions/kestrix" | sort)
[ "$completed" = "$(printf '\n%s\n%s\n%s\n%s' '--check' '--pages' 'folder a.zvb' 'folder b.pdf' | sort)" ] \
    || fail "bash completion: $completed"
if command -v zsh >/dev/null; then
    zsh -n "$root/share/zsh/vendor-completions/_kestrix" || fail "zsh completion"
fi
if command -v fish >/dev/null; then
    fish -n "$root/share/fish/vendor_completions.d/kestrix.fish" || fail "fish completion"
fi

# The Debian package passes Debian's own checks: no error and no warning.
if command -v lintian >/dev/null; then
    cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null
    report=$(lintian "$work"/deb/kestrix_*.deb 2>/dev/null || true)
    [ -z "$report" ] || fail "lintian: $report"
else
    echo "lintian not found: the Debian package not checked"
fi

# The installed program finds its data in share/kestrix and opens the board:
# an open board is recorded in the per-user recent list at once. A program
# that misses its data stops start-up with an error box and never gets there.
board=$data/Boards/Factory.zvb
recent=$work/profile/Kestrix/RecentBoards.txt
userprofile=$work/profile QT_QPA_PLATFORM=offscreen "$root/bin/kestrix" "$board" &
pid=$!
for _ in $(seq 1 100); do
    [ -s "$recent" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the installed program ended early"
    sleep 0.2
done
[ "$(cat "$recent" 2>/dev/null)" = "$board" ] || fail "the installed program did not open $board"
kill "$pid" 2>/dev/null || true
# The thumbnailer runs as a file manager runs it: its Exec line with the
# board, the preview file and the size filled in, the program found on PATH,
# and gives a PNG of that size for the board's file type.
thumbnailer=$root/share/thumbnailers/kestrix.thumbnailer
grep -qx 'TryExec=kestrix' "$thumbnailer" || fail "the thumbnailer's TryExec"
grep -qx 'MimeType=application/x-zorvan-board;' "$thumbnailer" || fail "the thumbnailer's file type"
exec_line=$(sed -n 's/^Exec=//p' "$thumbnailer")
exec_line=${exec_line//%i/$board}
exec_line=${exec_line//%o/$work/preview.png}
exec_line=${exec_line//%s/128}
(cd "$work" && userprofile=$work/profile PATH=$root/bin:$PATH $exec_line) || fail "the thumbnailer failed: $exec_line"
[ "$(od -An -tu1 -j16 -N8 "$work/preview.png" | tr -s ' ')" = " 0 0 0 128 0 0 0 128" ] \
    || fail "the thumbnailer's preview is not 128 x 128"

# The headless check, where the command line offers it: a finished sample
# board passes.
if "$root/bin/kestrix" --help | grep -q -- '--check'; then
    userprofile=$work/profile "$root/bin/kestrix" --check "$board" >/dev/null || fail "the check of $board failed"
fi
echo "installed into $prefix: every file there, the program opens an installed board"
