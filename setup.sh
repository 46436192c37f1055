#!/usr/bin/env bash
# Sets up a Debian 12 machine for Kestrix, builds it, and then either starts
# the editor (run) or runs every test (test). Safe to run again: packages
# already there are not installed again and only what changed is rebuilt.
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
shift || true

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev
          libjpeg-dev zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth fonts-dejavu-core
          dpkg-dev file desktop-file-utils appstream shared-mime-info)
# The checked build of the tests and the fuzz targets need clang and its runtimes.
[ "$mode" != test ] || packages+=(clang-14 libclang-rt-14-dev)
# The install test checks the Debian package with Debian's own checker.
[ "$mode" != test ] || packages+=(lintian)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
fi

if [ ! -f build/build.ninja ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build

# Everything again under AddressSanitizer and UndefinedBehaviorSanitizer, in
# a build folder of its own: the whole suite, then each fuzz target for a
# short while from its seed corpus. Any finding stops the run.
checked_build() {
    if [ ! -f build-asan/build.ninja ]; then
        # -O1 with line tables only: quick to build, still readable stacks.
        CC=clang-14 CXX=clang++-14 cmake -S . -B build-asan -G Ninja -DKESTRIX_FUZZ=ON \
            -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -gline-tables-only"
    fi
    cmake --build build-asan
    export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
    export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
    export LSAN_OPTIONS=suppressions=$PWD/tests/leaks.supp
    ctest --test-dir build-asan --output-on-failure -j2
    mkdir -p build-asan/fuzz/findings
    for corpus in fuzz/corpus/*/; do
        target=$(basename "$corpus")
        work=$(mktemp -d)
        echo "Fuzzing $target for 15 seconds"
        if ! build-asan/fuzz/"$target" -max_total_time=15 -print_final_stats=1 \
            -artifact_prefix=build-asan/fuzz/findings/"$target"- "$work" "$corpus" >"$work.log" 2>&1; then
            cat "$work.log"
            echo "$target found a fault; its input is in build-asan/fuzz/findings/" >&2
            exit 1
        fi
        grep -h '^Done' "$work.log"
        rm -rf "$work" "$work.log"
    done
}

case "$mode" in
run)
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: starting the editor on a virtual one (Xvfb)."
        exec xvfb-run -a build/bin/kestrix "$@"
    fi
    exec build/bin/kestrix "$@"
    ;;
test)
    ctest --test-dir build --output-on-failure -j2
    checked_build
    ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
