#!/usr/bin/env bash
# Runs the built program as a shell loop does, with no display at all (DISPLAY and
# QT_QPA_PLATFORM unset) under a German locale: the exit status, standard output and
# standard error of each case below, an --output that cannot be written (the old file stays
# as it was), outputs onto the file loaded, a pipe and devices, a section without a run, the
# window without a display, and a full standard output. tst_window compares the outputs with
# the window's.
#
# Usage: batch.sh VANTREL EXAMPLES-DIR
set -euo pipefail

vantrel=$1 examples=$(cd "$2" && pwd) data=$(cd "$(dirname "$0")/data" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

run() {
    env -u DISPLAY -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 \
        "$vantrel" "$@" >"$work/out" 2>"$work/err"
}

# expect STATUS 'STDOUT (first line, or "-" for none)' 'STDERR ("-" for none)' ARGUMENTS...
expect() {
    local status=$1 out=$2 err=$3 actual=0
    shift 3
    run "$@" || actual=$?
    local got_out got_err
    got_out=$(if [ -s "$work/out" ]; then head -n 1 "$work/out"; else echo -; fi)
    got_err=$(if [ -s "$work/err" ]; then cat "$work/err"; else echo -; fi)
    if [ "$actual" != "$status" ] || [ "$got_out" != "$out" ] || [ "$got_err" != "$err" ]; then
        echo "batch: vantrel $*: status $actual, out '$got_out', err '$got_err'" >&2
        echo "       expected $status, '$out', '$err'" >&2
        failures=$((failures + 1))
    fi
}

fail() {
    echo "batch: $*" >&2
    failures=$((failures + 1))
}

linear=$examples/x-axis-linear.rtl
see="See 'vantrel --help'."
expect 0 'vantrel 1.1' - --version
expect 0 'Usage: vantrel [options] [FILE]' - --help
expect 0 'Vantrel' - --report "$linear"
expect 0 '0.00137' - --inverted "$examples/y-axis-angular.ang" --section 3
expect 0 '0.00000,-0.02050,0.59630,0.04170,0.48080' - --csv "$linear"
expect 0 '0.27458' - --section 1 --deviations "$linear"
expect 0 '-0.27458' - --inverted "$linear"
expect 1 - "ERR:  Cannot open file '$work/missing.rtl' for reading." --report "$work/missing.rtl"
readme=$(dirname "$examples")/README.md
expect 1 - "ERR:  Input file '$readme' doesn't appear to be a known laser file type." --csv "$readme"
expect 2 - "vantrel: Unknown option 'pdf'. $see" --pdf "$linear"
expect 2 - "vantrel: --report needs a FILE. $see" --report
expect 2 - "vantrel: Only one FILE is expected. $see" --report "$linear" "$linear"
expect 2 - "vantrel: The FILE name is empty. $see" --report ''
expect 2 - "vantrel: --report and --csv cannot be given together. $see" --csv --report "$linear"
expect 2 - "vantrel: Missing value after '--section'. $see" --report "$linear" --section
expect 2 - "vantrel: --section must be 1, 2 or 3, not '0'. $see" --report "$linear" --section 0
expect 2 - "vantrel: --section is given more than once. $see" --report "$linear" --section 1 --section 1
expect 2 - "vantrel: '$linear' has no section 2. $see" --report "$linear" --section 2
expect 2 - "vantrel: --output does not go with --report. $see" --report "$linear" --output x.csv
expect 2 - "vantrel: --section goes with a batch option, such as --report. $see" --section 1 "$linear"
expect 0 - - --graph "$work/linear.png" "$linear"
file "$work/linear.png" | grep -q 'PNG image data, 1600 x 1000' || { echo "batch: --graph wrote no 1600x1000 PNG" >&2; failures=$((failures + 1)); }
expect 0 - - --graph "$work/angular.svg" --size 400x300 --section 3 "$examples/y-axis-angular.ang"
grep -q '<svg' "$work/angular.svg" || { echo "batch: --graph wrote no SVG" >&2; failures=$((failures + 1)); }
# The screen's style unless a page's is asked for, which names the runs with their directions.
expect 0 - - --graph "$work/screen.png" --graph-style screen "$linear"
cmp -s "$work/screen.png" "$work/linear.png" || fail "--graph-style screen is not the default"
expect 0 - - --graph "$work/page.pdf" --graph-style presentation "$linear"
pdftotext -raw "$work/page.pdf" - | tr '\n' ' ' | grep -q 'Run 1 (up) Run 2 (down) Run 3 (up) Run 4 (down)' ||
    fail "--graph-style presentation named no runs"
expect 2 - "vantrel: --graph-style takes one of screen, presentation, not 'paper'. $see" --graph "$work/g.png" --graph-style paper "$linear"
expect 2 - "vantrel: --graph-style does not go with --csv. $see" --csv "$linear" --graph-style screen
expect 2 - "vantrel: The graph file's name must end in .png, .svg or .pdf: 'graph.gif'. $see" --graph graph.gif "$linear"
expect 2 - "vantrel: --size must be WIDTHxHEIGHT, each from 1 to 8192 pixels, not '0x10'. $see" --graph "$work/g.png" --size 0x10 "$linear"
expect 1 - "ERR:  Cannot write output file '$work/none/g.pdf'" --graph "$work/none/g.pdf" "$linear"
expect 0 'quantity,value' - --iso230-2 "$linear"
expect 1 - 'ERR:  ISO 230-2 evaluation needs a linear positioning file (RTL or POS).' --iso230-2 "$examples/y-axis-pitch.rta"
expect 2 - "vantrel: --section does not go with --iso230-2. $see" --iso230-2 "$linear" --section 1
# Every evaluation of every example it fits; the others refuse it.
pitch=$examples/y-axis-pitch.rta
for evaluation in iso230-2 vdi3441 slope straightness angular; do
    for file in "$examples"/*; do
        run --evaluate "$evaluation" "$file" && status=0 || status=$?
        if [ "$status" = 0 ]; then
            [ "$(sed -n 2p "$work/out")" = "evaluation,$evaluation" ] && ! grep -qE 'nan|inf' "$work/out" ||
                fail "--evaluate $evaluation $file: $(head -n 3 "$work/out")"
        else
            [ "$status" = 1 ] && grep -q "^ERR:  .* evaluation needs an\? .* file (.*)\.$" "$work/err" ||
                fail "--evaluate $evaluation $file: status $status, $(cat "$work/err")"
        fi
    done
done
# --evaluate iso230-2 is --iso230-2 with the heading; --output writes what standard output gets.
cmp -s <("$vantrel" --iso230-2 "$linear") <("$vantrel" --evaluate iso230-2 "$linear" | sed 2,6d) ||
    fail "--evaluate iso230-2 is not --iso230-2 with its heading"
expect 0 - - --evaluate vdi3441 "$linear" --output "$work/vdi.csv"
cmp -s "$work/vdi.csv" <("$vantrel" --evaluate vdi3441 "$linear") || fail "--evaluate --output differs from standard output"
expect 1 - 'ERR:  Straightness evaluation needs a straightness file (STx or STR).' --evaluate straightness "$linear"
expect 0 'quantity,value' - --evaluate straightness "$examples/w-axis-straightness.str" --section 2 --reference-line minimum-zone
grep -qx 'reference line,minimum-zone' "$work/out" && grep -qx 'section,YY' "$work/out" || fail "--reference-line or --section not taken"
expect 0 'quantity,value' - --evaluate angular "$pitch" --deviation-unit arcsec
grep -qx 'deviation unit,arcsec' "$work/out" || fail "--deviation-unit not taken"
expect 1 - "ERR:  --deviation-unit um does not fit '$pitch', whose deviations are angles: it takes one of um/m, mm/m, arcsec." --evaluate angular "$pitch" --deviation-unit um
expect 1 - "ERR:  --deviation-unit is for Renishaw files, which do not state their unit; '$examples/y-axis-angular.ang' is an API XD file, read in mm/m." --evaluate angular "$examples/y-axis-angular.ang" --deviation-unit mm/m
expect 2 - "vantrel: --evaluate takes one of iso230-2, vdi3441, slope, straightness, angular, not 'iso'. $see" --evaluate iso "$linear"
expect 2 - "vantrel: --reference-line goes only with --evaluate straightness. $see" --evaluate slope "$linear" --reference-line end-points
expect 2 - "vantrel: --reference-line takes one of least-squares, end-points, minimum-zone, not 'best'. $see" --evaluate straightness "$linear" --reference-line best
expect 2 - "vantrel: --deviation-unit takes one of nm, um, mm, in, um/m, mm/m, arcsec, not 'µm'. $see" --evaluate slope "$linear" --deviation-unit µm
expect 2 - "vantrel: --deviation-unit does not go with --report. $see" --report "$linear" --deviation-unit um
expect 2 - "vantrel: '$pitch' has no section 2. $see" --evaluate angular "$pitch" --section 2

# A comparison: the picture as the window draws it (tst_window), refused references, and the
# reference is an input too, which no output replaces.
found=$examples/x-axis-as-found.rtl left=$examples/x-axis-as-left.rtl
expect 0 - - --graph "$work/compared.png" --compare "$found" "$left"
file "$work/compared.png" | grep -q 'PNG image data, 1600 x 1000' || fail "--compare wrote no 1600x1000 PNG"
expect 1 - "ERR:  Cannot open file '$work/missing.rtl' for reading." --graph "$work/c.png" --compare "$work/missing.rtl" "$left"
expect 1 - "ERR:  A API XD angular data (ANG) file cannot be compared with a Renishaw ML10/XL80 linear data (RTL) file." \
    --graph "$work/c.png" --compare "$examples/y-axis-angular.ang" "$left"
expect 0 'quantity,value,reference,change' - --evaluate slope "$left" --compare "$found"
expect 1 - "ERR:  A Renishaw ML10/XL80 angular data (RTA) file cannot be compared with a Renishaw ML10/XL80 linear data (RTL) file." \
    --evaluate iso230-2 --compare "$examples/y-axis-pitch.rta" "$left"
expect 2 - "vantrel: --compare does not go with --csv. $see" --csv "$left" --compare "$found"
expect 2 - "vantrel: --compare goes with a batch option, such as --report. $see" --compare "$found" "$left"
cp "$found" "$work/found.rtl"
ln -s found.rtl "$work/found.png"
ln -s found.rtl "$work/found.pdf"
expect 1 - "ERR:  The output file is the input file: '$work/found.png'" --graph "$work/found.png" --compare "$work/found.rtl" "$left"
expect 1 - "ERR:  The output file is the input file: '$work/found.pdf'" --certificate "$work/found.pdf" --compare "$work/found.rtl" "$left"
cmp -s "$work/found.rtl" "$found" || fail "the reference changed"
[ ! -e "$work/c.png" ] || fail "a refused comparison wrote a graph"

# The certificate (tst_certificate reads it back): the fields and the options reach it.
expect 0 - - --certificate "$work/cert.pdf" --field customer="Example GmbH" --field "serial number=123" --compare "$found" "$left"
pdftotext "$work/cert.pdf" && grep -q "Example GmbH" "$work/cert.txt" || fail "--certificate lost a field"
expect 0 - - --certificate "$work/straight.pdf" "$examples/z-axis-straightness.stz" --reference-line minimum-zone --deviation-unit nm
pdftotext "$work/straight.pdf" && grep -q "reference line: minimum-zone" "$work/straight.txt" && grep -q "deviations in nm" "$work/straight.txt" ||
    fail "--certificate lost --reference-line or --deviation-unit"
fields="customer, machine, serial number, axis, operator, instrument, certificate number, date, notes"
expect 2 - "vantrel: The certificate file's name must end in .pdf: 'c.png'. $see" --certificate c.png "$linear"
expect 2 - "vantrel: --field takes NAME=VALUE, NAME one of $fields, not 'colour=red'. $see" --certificate c.pdf "$linear" --field colour=red
expect 2 - "vantrel: --field takes NAME=VALUE, NAME one of $fields, not 'customer'. $see" --certificate c.pdf "$linear" --field customer
expect 2 - "vantrel: --field axis is given more than once. $see" --certificate c.pdf "$linear" --field axis=X --field axis=Y
expect 2 - "vantrel: --field does not go with --report. $see" --report "$linear" --field axis=X
expect 2 - "vantrel: --reference-line goes only with the --certificate of a straightness file. $see" --certificate "$work/c.pdf" "$linear" --reference-line end-points
[ ! -e "$work/c.pdf" ] || fail "a refused certificate was written"

# No file may grow (a full disk): the old file stays, and no temporary file is left beside it.
mkdir "$work/csv"
echo 'old,content' >"$work/csv/old.csv"
status=0
# Standard error goes to a pipe, which the limit does not touch.
err=$(
    trap '' XFSZ
    ulimit -f 0
    "$vantrel" --csv "$linear" --output "$work/csv/old.csv" 2>&1 >/dev/null
) || status=$?
[ "$status" = 1 ] && [ "$err" = "ERR:  Cannot write output file '$work/csv/old.csv'" ] ||
    { echo "batch: an unwritable --output gave status $status, '$err'" >&2; failures=$((failures + 1)); }
[ "$(cat "$work/csv/old.csv")" = 'old,content' ] || { echo "batch: the old CSV file changed" >&2; failures=$((failures + 1)); }
[ "$(ls "$work/csv")" = old.csv ] || { echo "batch: files left: $(ls "$work/csv")" >&2; failures=$((failures + 1)); }
expect 0 - - --csv "$linear" --output "$work/csv/old.csv"
cmp -s "$work/csv/old.csv" <("$vantrel" --csv "$linear") || { echo "batch: --output differs from standard output" >&2; failures=$((failures + 1)); }

# The file loaded is never an output, however its name is written; it stays as it was.
cp "$linear" "$work/x.rtl"
ln -s x.rtl "$work/link.png"
same="ERR:  The output file is the input file:"
expect 1 - "$same '$work/x.rtl'" --csv "$work/x.rtl" --output "$work/x.rtl"
expect 1 - "$same '$work/x.rtl'" --graph "$work/x.rtl" "$work/x.rtl"
expect 1 - "$same '$work/link.png'" --graph "$work/link.png" "$work/x.rtl"
cd "$work"
expect 1 - "$same './x.rtl'" --iso230-2 x.rtl --output ./x.rtl
expect 1 - "$same './x.rtl'" --evaluate slope x.rtl --output ./x.rtl
cd - >/dev/null
cmp -s "$work/x.rtl" "$linear" || fail "the file loaded changed"

# A pipe or a device as the output is written into, not replaced by a plain file.
mkfifo "$work/pipe"
timeout 20 cat "$work/pipe" >"$work/piped" &
expect 0 - - --csv "$linear" --output "$work/pipe"
wait $! || true
if [ -p "$work/pipe" ] && cmp -s "$work/piped" <("$vantrel" --csv "$linear"); then
    # Only then: a program that replaces a device would replace the machine's own.
    expect 0 - - --csv "$linear" --output /dev/null
    [ -c /dev/null ] || fail "/dev/null is no longer a device"
    expect 1 - "ERR:  Cannot write output file '/dev/full'" --iso230-2 "$linear" --output /dev/full
    expect 1 - "ERR:  Cannot write output file '/dev/full'" --evaluate angular "$pitch" --output /dev/full
else
    fail "the pipe did not get the CSV"
fi

# A section without a run: a failure, and an old output file stays; the report still shows it.
comma=$data/decimal-comma.pos
none="ERR:  Section L1 of '$comma' holds no run."
echo old >"$work/old.csv"
echo old >"$work/old.png"
expect 0 'Vantrel' - --report "$comma"
expect 1 - "$none" --csv "$comma" --output "$work/old.csv"
expect 1 - "$none" --deviations "$comma"
expect 1 - "$none" --inverted "$comma"
expect 1 - "$none" --graph "$work/old.png" "$comma"
expect 1 - "$none" --iso230-2 "$comma" --output "$work/old.csv"
expect 1 - "$none" --evaluate vdi3441 "$comma" --output "$work/old.csv"
expect 1 - "$none" --certificate "$work/old.png" "$comma"
[ "$(cat "$work/old.csv" "$work/old.png")" = "$(printf 'old\nold')" ] || fail "an old output file changed"

# The window needs a display: none, or one that does not answer.
no_display="ERR:  No display to open the window on; the batch options (see --help) need none."
expect 1 - "$no_display" "$linear"
status=0
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=:987 "$vantrel" >/dev/null 2>"$work/err" || status=$?
[ "$status" = 1 ] && [ "$(cat "$work/err")" = "$no_display" ] || fail "an unreachable display gave status $status, '$(cat "$work/err")'"

status=0
env -u DISPLAY -u QT_QPA_PLATFORM "$vantrel" --report "$linear" >/dev/full 2>"$work/err" || status=$?
[ "$status" = 1 ] && [ "$(cat "$work/err")" = 'ERR:  Cannot write to standard output.' ] ||
    { echo "batch: a full standard output gave status $status, '$(cat "$work/err")'" >&2; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] || { echo "batch: $failures failed" >&2; exit 1; }
echo "batch: every case passed"
