#!/usr/bin/env bash
# Installs what building (and, with "test", testing) Vantrel needs and is missing,
# then configures and builds into build/: the viewer alone, or with "test" everything (the
# tests, the benchmark, the manual page). Safe to run again: it only installs what is not
# there yet and rebuilds what changed.
set -euo pipefail

mode=${1:-run}
root=$(cd "$(dirname "$0")/.." && pwd)

# help2man makes the manual page from the built program's --help.
packages=(cmake make g++ qtbase5-dev qtbase5-dev-tools libqt5svg5-dev fonts-dejavu-core help2man)
if [ "$mode" = test ]; then
    packages+=(locales g++-mingw-w64-x86-64-win32)
    # The installed program on a real X server, and the Debian package and desktop entry.
    packages+=(xvfb xdotool xclip libx11-dev dpkg-dev file desktop-file-utils)
    # The package's checks: lintian, the AppStream entry, and the file kinds as a file
    # manager sees them (gio from libglib2.0-bin answers xdg-mime).
    packages+=(lintian appstream shared-mime-info xdg-utils libglib2.0-bin)
    # The sanitizer and fuzzing build (tools/sanitize.sh); llvm-14 symbolises its reports.
    packages+=(clang-14 libclang-rt-14-dev llvm-14)
    # Second readers of the exported graphs: SVG and PDF rasterisers, PDF text.
    packages+=(librsvg2-bin poppler-utils)
    # The second build of the library and the unit tests, against Qt 6 (tools/test.sh), and
    # Qt 6's Svg module for the graph export; the offscreen platform runs its tests.
    packages+=(qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev libgl-dev)
fi

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The number-format tests run under a German locale to prove that numbers are read
# and written the same whatever the user's locale is.
if [ "$mode" = test ] && ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    as_root localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
fi

cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release
targets=()
[ "$mode" = test ] || targets=(--target vantrel)
cmake --build "$root/build" --parallel "$(nproc)" "${targets[@]}"
