#!/usr/bin/env bash
# Installs Vantrel into a staging prefix and drives the installed program on a real X
# server (an Xvfb of its own): the window "Vantrel - 1.1" appears, an example file is
# opened through the "Import" button and its file dialog (and, in a second run, as the
# program's argument, as a file manager passes it), "Dev. Normal" puts the expected
# mean deviations on the clipboard (a failed load leaves an "ERR:" line and the copy
# buttons disabled, so the clipboard stays empty), and the window's close control ends
# the program with exit status 0.
#
# There is no window manager, hence no title bar: the test sends the window the
# WM_DELETE_WINDOW message that a window manager sends when its close button is clicked
# (closewindow). `xdotool windowclose` would destroy the window behind the program's back
# and leave it running, and `wmctrl -c` needs a window manager to pass the request on.
#
# Usage: smoke.sh CMAKE BUILD-DIR EXAMPLE-FILE CLOSEWINDOW
set -euo pipefail

cmake=$1 build=$2 example=$3 closewindow=$4
title='Vantrel - 1.1'
dialog_title='Select Laser File to Load'
# Button centres in window coordinates: the dock's layout is fixed by the "fusion" style
# and the DejaVu fonts that the set-up installs.
import_button=(81 72)
dev_normal_button=(81 282)
# The mean over the four runs at each of the eleven targets of examples/x-axis-linear.rtl,
# worked out by hand from the file.
expected='0.27458
1.96520
3.20538
3.78497
3.73495
3.31573
2.89538
2.83507
3.40435
4.56848
6.24290'

work=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
    if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    echo "smoke: $*" >&2
    if [ -s "$work/app.log" ]; then sed 's/^/vantrel: /' "$work/app.log" >&2; fi
    exit 1
}

# Runs a command until it succeeds, at most SECONDS seconds.
retry() {
    local seconds=$1
    shift
    local end=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.2
    done
}

visible_window() {
    xdotool search --onlyvisible --name "^$1\$" | head -n 1
}
window_shown() {
    [ -n "$(visible_window "$1")" ]
}
window_gone() {
    ! window_shown "$1"
}
program_ended() {
    ! kill -0 "$app_pid" 2>/dev/null
}

for tool in Xvfb xdotool xclip; do
    command -v "$tool" >/dev/null || fail "$tool is missing; tools/setup.sh test installs it"
done
[ -r "$example" ] || fail "no example file $example"

"$cmake" --install "$build" --prefix "$work/prefix" >"$work/install.log" ||
    fail "cmake --install failed: $(cat "$work/install.log")"
[ -x "$work/prefix/bin/vantrel" ] || fail "the staging prefix has no bin/vantrel"

# Xvfb picks a free display number itself and writes it to descriptor 3 when it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
retry 15 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY

# The program's own environment: the X server above, no desktop platform theme (the file
# dialog is Qt's own), and a private home for what Qt's dialogs remember.
mkdir -m 700 "$work/runtime"
start_program() {
    env -u QT_QPA_PLATFORMTHEME -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u WAYLAND_DISPLAY \
        QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" \
        XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data" \
        "$work/prefix/bin/vantrel" "$@" >"$work/app.log" 2>&1 &
    app_pid=$!
    retry 30 window_shown "$title" || fail "no window titled \"$title\""
    window=$(visible_window "$title")
}
start_program

xdotool mousemove --window "$window" "${import_button[@]}" click 1
retry 30 window_shown "$dialog_title" || fail "\"Import\" opened no file dialog"
dialog=$(visible_window "$dialog_title")
# Qt's file dialog now and then loses a name typed while it still reads the folder and its
# completer comes up: as a user does, the name is typed again into the cleared field.
answer_dialog() {
    xdotool windowfocus --sync "$dialog"
    xdotool key ctrl+a
    xdotool type --delay 10 "$example"
    xdotool key Return
    retry 5 window_gone "$dialog_title"
}
answer_dialog || answer_dialog || answer_dialog || fail "the file dialog stayed open"

clipboard_is_expected() {
    [ "$(timeout 5 xclip -o -selection clipboard 2>/dev/null)" = "$expected" ]
}
check_dev_normal() {
    xdotool mousemove --window "$window" "${dev_normal_button[@]}" click 1
    retry 15 clipboard_is_expected ||
        fail "\"Dev. Normal\" copied '$(timeout 5 xclip -o -selection clipboard 2>&1)'," \
            "not the mean deviations of $example"
}
close_program() {
    "$closewindow" "$window" || fail "could not send the window its close message"
    retry 15 program_ended || fail "the window's close control did not end the program"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
check_dev_normal
close_program

# `vantrel FILE`, as a file manager starts it: the file is loaded without a dialog. The
# clipboard went with the program that owned it, so only this load can fill it again.
start_program "$example"
check_dev_normal
close_program
echo "smoke: the installed program opened $example through Import and as its argument," \
    "and closed with status 0"
