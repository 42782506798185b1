#!/usr/bin/env bash
# Builds the Debian package with CPack into a temporary folder and checks what apt will
# see: the control fields, the dependencies on the Qt 5 runtime libraries, the exact list
# of installed files (the program, its desktop entry, icons, file kinds, AppStream entry,
# manual page, copyright and changelog; no tests), lintian with nothing to say, a desktop
# entry and an AppStream entry that validate, icons of the size their folders promise, and
# a file manager's view: with the package's file kinds and desktop entry installed into a
# private XDG_DATA_HOME, every example file is of a Vantrel type that Vantrel opens.
#
# Usage: package.sh CPACK CPACK-CONFIG EXAMPLES-DIR
set -euo pipefail

cpack=$1 config=$2 examples=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "package: $*" >&2
    exit 1
}

for tool in dpkg-deb dpkg-shlibdeps desktop-file-validate lintian appstreamcli xdg-mime gio \
    update-mime-database update-desktop-database; do
    command -v "$tool" >/dev/null || fail "$tool is missing; tools/setup.sh test installs it"
done

"$cpack" -G DEB --config "$config" -B "$work" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
packages=("$work"/vantrel_*.deb)
if [ ${#packages[@]} -ne 1 ] || [ ! -f "${packages[0]}" ]; then
    fail "cpack wrote no single vantrel_*.deb"
fi
deb=${packages[0]}
[ "$(basename "$deb")" = "vantrel_1.1_$(dpkg --print-architecture).deb" ] ||
    fail "unexpected package file name $(basename "$deb")"

expect_field() {
    local actual
    actual=$(dpkg-deb -f "$deb" "$1")
    [ "$actual" = "$2" ] || fail "$1 is '$actual', not '$2'"
}
expect_field Package vantrel
expect_field Version 1.1
expect_field Section science
expect_field Architecture "$(dpkg --print-architecture)"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no maintainer"
[ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "no description"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libstdc++6 libqt5core5a libqt5gui5 libqt5widgets5 libqt5svg5 \
    libqt5printsupport5; do
    [[ ", $depends," == *", $library "* ]] || fail "Depends lacks $library: $depends"
done

cat >"$work/expected" <<'EOF'
./usr/bin/vantrel
./usr/share/applications/vantrel.desktop
./usr/share/icons/hicolor/128x128/apps/vantrel.png
./usr/share/icons/hicolor/16x16/apps/vantrel.png
./usr/share/icons/hicolor/256x256/apps/vantrel.png
./usr/share/icons/hicolor/32x32/apps/vantrel.png
./usr/share/icons/hicolor/48x48/apps/vantrel.png
./usr/share/icons/hicolor/64x64/apps/vantrel.png
./usr/share/doc/vantrel/changelog.gz
./usr/share/doc/vantrel/copyright
./usr/share/man/man1/vantrel.1.gz
./usr/share/metainfo/io.github.vantrel.Vantrel.metainfo.xml
./usr/share/mime/packages/vantrel.xml
EOF
LC_ALL=C sort -o "$work/expected" "$work/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort >"$work/actual"
diff -u "$work/expected" "$work/actual" >&2 || fail "the package holds other files than expected"

root="$work/root"
dpkg-deb -x "$deb" "$root"
entry="$root/usr/share/applications/vantrel.desktop"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
grep -qx 'Exec=vantrel %f' "$entry" || fail "the desktop entry does not start vantrel with the file"
grep -qx 'Icon=vantrel' "$entry" || fail "the desktop entry does not name the vantrel icon"
[ -x "$root/usr/bin/vantrel" ] || fail "usr/bin/vantrel is not executable"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.xml >"$work/appstream.log" 2>&1 ||
    fail "the AppStream entry does not validate: $(cat "$work/appstream.log")"
# Lintian's warnings count as failures; its informational tags do not.
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$work/lintian.log")"
man_page=$(zcat "$root/usr/share/man/man1/vantrel.1.gz")
for option in report csv deviations inverted graph iso230-2 section output size; do
    grep -qF -e "\\-\\-${option//-/\\-}" <<<"$man_page" ||
        fail "the manual page lacks --$option"
done
# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() {
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ printf "%dx%d", $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }'
}
# The packaged program writes a graph with no display, and a second SVG reader draws it.
env -u DISPLAY -u QT_QPA_PLATFORM LD_LIBRARY_PATH= "$root/usr/bin/vantrel" --graph "$work/graph.svg" \
    --size 400x300 "$examples/x-axis-linear.rtl" || fail "--graph failed"
rsvg-convert "$work/graph.svg" -o "$work/graph.png" || fail "rsvg-convert cannot read the graph"
# The SVG gives its size in millimetres at the resolution it was drawn for; the shape holds.
drawn=$(png_size "$work/graph.png")
[ $((${drawn%x*} * 3)) -eq $((${drawn#*x} * 4)) ] || fail "the graph is drawn at $drawn"
changelog_version=$(zcat "$root/usr/share/doc/vantrel/changelog.gz" | head -n 1)
[ "$changelog_version" = 'vantrel (1.1) unstable; urgency=medium' ] ||
    fail "the changelog starts with '$changelog_version'"

for folder in "$root"/usr/share/icons/hicolor/*; do
    size=$(basename "$folder")
    [ "$(png_size "$folder/apps/vantrel.png")" = "$size" ] ||
        fail "the icon in $size is $(png_size "$folder/apps/vantrel.png")"
done
# A file manager's view, through gio as a GNOME desktop asks: each example has its kind's
# type and Vantrel is the application for it.
data="$work/data"
mkdir -p "$data/mime/packages" "$data/applications"
cp "$root/usr/share/mime/packages/vantrel.xml" "$data/mime/packages/"
cp "$entry" "$data/applications/"
desktop() {
    env -u DISPLAY XDG_DATA_HOME="$data" XDG_DATA_DIRS=/usr/share XDG_CURRENT_DESKTOP=GNOME "$@"
}
refresh() {
    desktop update-mime-database "$data/mime" && desktop update-desktop-database "$data/applications"
}
refresh
declare -A kinds=([rtl]=linear [rta]=angular [stz]=straightness [pos]=xd-scale
    [str]=xd-straightness [ang]=xd-angular)
for extension in "${!kinds[@]}"; do
    files=("$examples"/*."$extension")
    file=${files[0]}
    type=$(desktop xdg-mime query filetype "$file")
    [ "$type" = "application/x-vantrel-${kinds[$extension]}" ] || fail "$file is of type '$type'"
    [ "$(desktop xdg-mime query default "$type")" = vantrel.desktop ] ||
        fail "vantrel does not open $type"
done
# Another program's text type for .pos at the default weight takes the extension over.
printf '%s\n' '<?xml version="1.0" encoding="UTF-8"?>' \
    '<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info">' \
    '<mime-type type="application/x-other-pos"><sub-class-of type="text/plain"/>' \
    '<glob pattern="*.pos"/></mime-type>' \
    '</mime-info>' >"$data/mime/packages/other.xml"
refresh
[ "$(desktop xdg-mime query filetype "$examples/u-axis-scale.pos")" = application/x-other-pos ] ||
    fail "Vantrel's .pos type outweighs another program's"
echo "package: $(basename "$deb") depends on $depends"
