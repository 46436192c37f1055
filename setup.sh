#!/usr/bin/env bash
# Sets up a Debian 12 machine for Kestrix, builds it, and then either starts
# the editor (run) or runs every test (test). Safe to run again: packages
# already there are not installed again and only what changed is rebuilt.
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
shift || true

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev
          libjpeg-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth fonts-dejavu-core
          dpkg-dev file desktop-file-utils appstream shared-mime-info)

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
    ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
