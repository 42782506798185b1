#!/usr/bin/env bash
# Sets up and builds Vantrel, then runs every test headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" test
cd "$root/build"
ctest --output-on-failure --parallel "$(nproc)"
