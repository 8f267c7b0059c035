#!/usr/bin/env bash
# Install checks: a moved prefix finds its own data, the desktop files validate, the .deb is
# complete and runs unpacked. Usage: install_check.sh BUILD_DIR CHECK (moved|metadata|deb)
set -euo pipefail
build=$(cd "$1" && pwd)
check=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
keys="$work/keys.txt"
printf '20 -\n1 enter\n5 -\n1 space\n12 -\n1 space\n12 -\n1 space\n10 -\n30 right+a\n30 down\n' > "$keys"

fail() { echo "FAIL: $*" >&2; exit 1; }

# The state a key script reaches, run by the build's own program.
"$build/quillmoor" --headless --frames 130 --input "$keys" --state "$work/expected.json"

plays_like_the_build() {  # program
    "$1" --headless --frames 130 --input "$keys" --state "$work/got.json" || fail "$1 exited $?"
    cmp -s "$work/expected.json" "$work/got.json" || fail "$1 reached another state than the build's program"
}

case "$check" in
moved)
    cmake --install "$build" --prefix "$work/prefix" > /dev/null
    mv "$work/prefix" "$work/moved"
    plays_like_the_build "$work/moved/bin/quillmoor"
    # It reads the moved data, not the build folder's: take a file away and it says so.
    mv "$work/moved/share/quillmoor/Pig.BMP" "$work/Pig.BMP"
    if "$work/moved/bin/quillmoor" --headless --frames 1 2> "$work/err.txt"; then fail "ran without Pig.BMP"; fi
    grep -q "$work/moved/share/quillmoor.*Pig.BMP" "$work/err.txt" || fail "message does not name the moved data: $(cat "$work/err.txt")"
    "$work/moved/bin/quillmoor" --version | grep -q "^quillmoor [0-9]" || fail "--version"
    echo "moved prefix: plays from its own data"
    ;;
metadata)
    cmake --install "$build" --prefix "$work/prefix" > /dev/null
    share="$work/prefix/share"
    desktop-file-validate "$share/applications/quillmoor.desktop"
    appstreamcli validate --no-net --explain "$share"/metainfo/*.metainfo.xml
    for size in 16 32 48 64 128 256; do
        icon="$share/icons/hicolor/${size}x${size}/apps/quillmoor.png"
        [ -s "$icon" ] || fail "no $icon"
        file "$icon" | grep -q "PNG image data, $size x $size" || fail "$icon: $(file "$icon")"
    done
    warnings=$( { LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man6/quillmoor.6" > /dev/null; } 2>&1 )
    [ -z "$warnings" ] || fail "man page warnings: $warnings"
    grep -q "$(sed -n 's/^quillmoor //p' < <("$build/quillmoor" --version))" "$share/man/man6/quillmoor.6" || fail "man page lacks the version"
    echo "metadata: desktop entry, AppStream, icons and manual page valid"
    ;;
deb)
    (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/pkg" > /dev/null)
    deb=$(ls "$work"/pkg/quillmoor_*_*.deb)
    version=$("$build/quillmoor" --version | sed -n 's/^quillmoor //p')
    [ "$(basename "$deb")" = "quillmoor_${version}_$(dpkg --print-architecture).deb" ] || fail "package name $(basename "$deb")"
    dpkg-deb -c "$deb" > "$work/files.txt"
    for path in bin/quillmoor share/quillmoor/Level1.txt share/quillmoor/intro.MID share/applications/quillmoor.desktop \
                share/icons/hicolor/48x48/apps/quillmoor.png share/man/man6/quillmoor.6 share/metainfo/io.quillmoor.quillmoor.metainfo.xml; do
        grep -q "$path\$" "$work/files.txt" || fail "the package lacks $path"
    done
    [ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section $(dpkg-deb -f "$deb" Section)"
    depends=$(dpkg-deb -f "$deb" Depends)
    for dep in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libfluidsynth3 timgm6mb-soundfont fonts-dejavu-core; do
        [[ "$depends" == *"$dep"* ]] || fail "Depends lacks $dep: $depends"
    done
    dpkg-deb -x "$deb" "$work/unpacked"
    plays_like_the_build "$(find "$work/unpacked" -path '*/bin/quillmoor')"
    echo "package: $(basename "$deb"), $(wc -l < "$work/files.txt") entries, runs unpacked"
    ;;
*) fail "unknown check $check" ;;
esac
