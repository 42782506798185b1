#!/usr/bin/env bash
# Builds the library, every test and the fuzz targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-sanitize/, then runs every test there, each fuzz
# target for a short while among them. Any sanitizer finding fails the command.
# tools/setup.sh test installs the compiler and its runtimes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-sanitize

CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DVANTREL_FUZZ=ON
cmake --build "$build" --parallel "$(nproc)"
cd "$build"
ctest --output-on-failure --parallel "$(nproc)"
