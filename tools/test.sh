#!/usr/bin/env bash
# Sets up and builds Vantrel, then runs every test headless; then the library and the unit
# tests built against Qt 6 in build-qt6/; then everything once more, with the fuzz targets,
# under the sanitizers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" test
cd "$root/build"
ctest --output-on-failure --parallel "$(nproc)"
cmake -S "$root" -B "$root/build-qt6" -DCMAKE_BUILD_TYPE=Release -DVANTREL_QT=6
cmake --build "$root/build-qt6" --parallel "$(nproc)"
# What a user installs is the Qt 5 build: no smoke or package test here.
(cd "$root/build-qt6" && ctest --output-on-failure --parallel "$(nproc)" -E '^(smoke|package)$')
"$root/tools/sanitize.sh"
