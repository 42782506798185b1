#!/usr/bin/env bash
# Sets up and builds Vantrel, then runs every test headless; then once more, with the
# fuzz targets, under the sanitizers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" test
cd "$root/build"
ctest --output-on-failure --parallel "$(nproc)"
"$root/tools/sanitize.sh"
