#!/usr/bin/env bash
# Sets up and builds Vantrel, then starts the viewer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" run
exec "$root/build/vantrel"
