#!/usr/bin/env bash
# Runs one fuzz target for a while from the seed corpus: the example files and the test
# fixtures, with the dictionary of the file formats' keywords.
#
#   fuzz/run.sh TARGET SECONDS [CORPUS [LIBFUZZER OPTIONS...]]
#
# Without CORPUS the seeds are copied to a temporary folder that is removed afterwards, so
# the repository stays clean; a given CORPUS folder keeps what the fuzzer finds (seeded when
# empty). A crash, leak, hang or sanitizer finding fails the command and leaves the input
# that caused it in the current folder as crash-*, leak-* or timeout-*.
set -euo pipefail

target=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")

# The targets write each input to a file: in memory where the system allows.
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
corpus=${3:-$work/corpus}
mkdir -p "$corpus"
if [ -z "$(ls -A "$corpus")" ]; then
    cp "$root"/examples/* "$root"/tests/data/* "$corpus"/
fi

# A smaller quarantine than the default 256 MB still catches a use after free within an
# input, at twice the speed.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=64}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}
TMPDIR=$work "$target" -seed=1 -max_total_time="$seconds" -timeout=30 -print_final_stats=1 \
    -dict="$here/vantrel.dict" "${@:4}" "$corpus"
