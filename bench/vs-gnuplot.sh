#!/usr/bin/env bash
# Times whole processes as a user meets them, and prints a Markdown table of the results:
#   - `vantrel --graph OUT.png --size 1600x900 FILE` against gnuplot drawing the same points
#     as lines into a 1600x900 PNG (pngcairo), the two run in turn, for every example file and
#     for generated files of 10,000, 100,000 and 1,000,000 points (a POS and an RTL file each);
#   - the same PNG in the presentation style (`--graph-style presentation`), on its own;
#   - the window opened on each of those files as `vantrel FILE` opens it, off screen, up to
#     the graph's first paint (`vantrel_bench --window FILE`);
#   - `vantrel --certificate OUT.pdf FILE` of every example file;
#   - the fixed cost of a run on the linear example: `vantrel --version` (the libraries and a
#     QCoreApplication), and its graph at 1x1 pixels (the platform, the fonts, the file);
#   - the build of the first start: the viewer alone, configured and built afresh.
# It installs gnuplot where it is missing and builds the viewer and the benchmark first. The
# table also goes to build/vs-gnuplot.md.
#
# Usage: bench/vs-gnuplot.sh [RUNS]      (RUNS timed runs of each command, 9 by default)
#
# Each command runs once untimed, then RUNS times, vantrel and gnuplot in turn, so that a
# drift in the machine's speed hits both alike; every figure is the wall time of the whole
# process. The ratio is taken pair by pair. A paired timer of the machine's own can do the
# timing instead: name it in VANTREL_PAIRED_TIMER. It is called as
# `TIMER -n RUNS --timeout SECONDS [--vs 'B'] -- A...` and must print the rows
# `A wall s MIN MEDIAN MAX`, `B wall s ...` and `A/B wall MIN MEDIAN MAX` (seconds).
set -euo pipefail

runs=${1:-9}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The window is opened off screen; the graph files need no display in any case.
export QT_QPA_PLATFORM=offscreen

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if ! gnuplot -e 'set terminal pngcairo' >/dev/null 2>&1; then
    echo "Installing gnuplot-nox" >&2
    as_root apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        gnuplot-nox >&2
fi
"$root/tools/setup.sh" run >&2
cmake --build "$build" --target vantrel_bench >&2

# The clock in microseconds, whatever the locale's decimal separator.
now() {
    local time=$EPOCHREALTIME
    echo "${time/[.,]/}"
}

# own_timer RUNS 'B' A...: the rows a paired timer prints, B split as a shell splits words.
own_timer() {
    local count=$1 other=$2 k start
    shift 2
    local -a b
    read -ra b <<<"$other"
    local times=()
    for ((k = 0; k <= count; ++k)); do
        start=$(now)
        "$@" >/dev/null 2>&1 </dev/null
        times+=("$start $(now)")
        if [ ${#b[@]} -gt 0 ]; then
            start=$(now)
            "${b[@]}" >/dev/null 2>&1 </dev/null
            times+=("$start $(now)")
        fi
    done
    # The first of each is the untimed warm-up.
    printf '%s\n' "${times[@]}" | awk -v pairs=$((${#b[@]} > 0)) '
        function stats(name, values, n,   i, j, t, line) {
            for (i = 2; i <= n; ++i)
                for (j = i; j > 1 && values[j - 1] > values[j]; --j) {
                    t = values[j]; values[j] = values[j - 1]; values[j - 1] = t
                }
            printf "%s %.4f %.4f %.4f\n", name, values[1],
                n % 2 ? values[(n + 1) / 2] : (values[n / 2] + values[n / 2 + 1]) / 2, values[n]
        }
        { wall[NR] = ($2 - $1) / 1e6 }
        END {
            step = pairs ? 2 : 1
            for (i = 1 + step; i <= NR; i += step) {
                a[++n] = wall[i]
                if (pairs) { b[n] = wall[i + 1]; r[n] = wall[i] / wall[i + 1] }
            }
            stats("A wall s", a, n)
            if (pairs) { stats("B wall s", b, n); stats("A/B wall", r, n) }
        }'
}

# measure 'B' A...: the timer's rows.
measure() {
    local other=$1
    shift
    if [ -n "${VANTREL_PAIRED_TIMER:-}" ]; then
        local vs=()
        [ -z "$other" ] || vs=(--vs "$other")
        "$VANTREL_PAIRED_TIMER" -n "$runs" --timeout 3600 "${vs[@]}" -- "$@"
    else
        own_timer "$runs" "$other" "$@"
    fi
}

# Milliseconds "MIN / MEDIAN" of the row that begins with the words; a ratio as it is.
figures() {
    awk -v row="$1" -v scale="$2" '
        index($0, row " ") == 1 {
            split(substr($0, length(row) + 2), f, " ")
            if (scale == 1) printf "%.3f / %.3f", f[1], f[2]
            else printf "%.0f / %.0f", f[1] * scale, f[2] * scale
        }' "$work/timer"
}

# The points of the file's first section as `--csv` gives them, each run a line of its own.
points_of() {
    "$build/vantrel" --csv "$1" | awk -F, '
        { for (k = 2; k <= NF; ++k) if ($k != "") run[k] = run[k] $1 " " $k "\n"; if (NF > last) last = NF }
        END { for (k = 2; k <= last; ++k) printf "%s\n", run[k] }'
}

"$build/bench/vantrel_bench" --generate "$work" 10000 >/dev/null
"$build/bench/vantrel_bench" --generate "$work" 100000 >/dev/null
"$build/bench/vantrel_bench" --generate "$work" 1000000 >/dev/null
files=("$root"/examples/*)
for points in 10000 100000 1000000; do
    files+=("$work/scale-$points.pos" "$work/linear-$points.rtl")
done

report() {
    cpu=$(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)
    echo "Machine: $(nproc) cores ($cpu), $(awk '/^MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)" \
        "memory, $(. /etc/os-release && echo "$PRETTY_NAME"), Qt $(pkg-config --modversion Qt5Core)," \
        "$(gnuplot --version). $(date -u '+%Y-%m-%d %H:%M UTC'); load average before: $(cut -d' ' -f1-3 /proc/loadavg)."
    echo "Whole process, wall time in milliseconds, min / median of $runs runs; the ratio pair by pair."
    echo
    echo "| file | points | vantrel --graph PNG | gnuplot pngcairo | vantrel / gnuplot | presentation PNG |"
    echo "| --- | ---: | ---: | ---: | ---: | ---: |"
    for file in "${files[@]}"; do
        points_of "$file" >"$work/points"
        printf "set terminal pngcairo size 1600,900\nset output '%s'\nplot '%s' with lines\n" \
            "$work/gnuplot.png" "$work/points" >"$work/plot.gp"
        measure "gnuplot $work/plot.gp" \
            "$build/vantrel" --graph "$work/vantrel.png" --size 1600x900 "$file" >"$work/timer"
        local row
        row="| \`$(basename "$file")\` | $(grep -c . "$work/points") | $(figures "A wall s" 1000) |"
        row+=" $(figures "B wall s" 1000) | $(figures "A/B wall" 1) |"
        measure "" "$build/vantrel" --graph "$work/presentation.png" --size 1600x900 \
            --graph-style presentation "$file" >"$work/timer"
        echo "$row $(figures "A wall s" 1000) |"
    done
    echo
    echo "| file | window to the graph's first paint |"
    echo "| --- | ---: |"
    for file in "${files[@]}"; do
        measure "" "$build/bench/vantrel_bench" --window "$file" >"$work/timer"
        echo "| \`$(basename "$file")\` | $(figures "A wall s" 1000) |"
    done
    echo
    echo "| example file | vantrel --certificate PDF | pages |"
    echo "| --- | ---: | ---: |"
    for file in "$root"/examples/*; do
        measure "" "$build/vantrel" --certificate "$work/certificate.pdf" "$file" >"$work/timer"
        echo "| \`$(basename "$file")\` | $(figures "A wall s" 1000) |" \
            "$(grep -a -o '/Type /Page\b' "$work/certificate.pdf" | wc -l) |"
    done
    echo
    local linear=$root/examples/x-axis-linear.rtl
    echo "| fixed cost, \`$(basename "$linear")\` | whole process |"
    echo "| --- | ---: |"
    measure "" "$build/vantrel" --version >"$work/timer"
    echo "| \`vantrel --version\` | $(figures "A wall s" 1000) |"
    measure "" "$build/vantrel" --graph "$work/tiny.png" --size 1x1 "$linear" >"$work/timer"
    echo "| \`vantrel --graph OUT.png --size 1x1\` | $(figures "A wall s" 1000) |"
    echo
    echo "Load average after: $(cut -d' ' -f1-3 /proc/loadavg)."
    echo
    # Last, so that nothing else runs beside it.
    TIMEFORMAT='%R s, of which %U s of user and %S s of system processor time'
    {
        time {
            cmake -S "$root" -B "$work/fresh" -DCMAKE_BUILD_TYPE=Release >/dev/null
            cmake --build "$work/fresh" --parallel "$(nproc)" --target vantrel >/dev/null
        }
    } 2>"$work/build-time"
    echo "A fresh build of the viewer alone on $(nproc) cores: $(cat "$work/build-time")."
}

report | tee "$build/vs-gnuplot.md"
