#!/usr/bin/env bash
# Builds the Debian package with CPack into a temporary folder and checks what apt will
# see: the control fields, the dependencies on the Qt 5 runtime libraries, the exact list
# of installed files (the program, its desktop entry and icons; no tests), a desktop entry
# that validates and names the installed program and icon, and icons of the size their
# folders promise.
#
# Usage: package.sh CPACK CPACK-CONFIG
set -euo pipefail

cpack=$1 config=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "package: $*" >&2
    exit 1
}

for tool in dpkg-deb dpkg-shlibdeps desktop-file-validate; do
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
EOF
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | LC_ALL=C sort >"$work/actual"
diff -u "$work/expected" "$work/actual" >&2 || fail "the package holds other files than expected"

root="$work/root"
dpkg-deb -x "$deb" "$root"
entry="$root/usr/share/applications/vantrel.desktop"
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
grep -qx 'Exec=vantrel' "$entry" || fail "the desktop entry does not start vantrel"
grep -qx 'Icon=vantrel' "$entry" || fail "the desktop entry does not name the vantrel icon"
[ -x "$root/usr/bin/vantrel" ] || fail "usr/bin/vantrel is not executable"

# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() {
    od -An -tu1 -j16 -N8 "$1" |
        awk '{ printf "%dx%d", $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }'
}
for folder in "$root"/usr/share/icons/hicolor/*; do
    size=$(basename "$folder")
    [ "$(png_size "$folder/apps/vantrel.png")" = "$size" ] ||
        fail "the icon in $size is $(png_size "$folder/apps/vantrel.png")"
done
echo "package: $(basename "$deb") depends on $depends"
