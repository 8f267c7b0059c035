#!/usr/bin/env bash
# Install checks: a moved prefix finds its own data, the desktop files validate, the manual page
# and README list every option --help lists, and debian/ repeats the project's version, release
# date, home page and licence. Usage: install_check.sh BUILD_DIR CHECK (moved|metadata|docs|debian)
set -euo pipefail
build=$(cd "$1" && pwd)
check=$2
source=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
keys="$work/keys.txt"
printf '20 -\n1 enter\n5 -\n1 space\n12 -\n1 space\n12 -\n1 space\n10 -\n30 right+a\n30 down\n' > "$keys"

fail() { echo "FAIL: $*" >&2; exit 1; }

# The state a key script reaches, first run by the build's own program.
plays_like_the_build() {  # program
    [ -f "$work/expected.json" ] ||
        "$build/quillmoor" --headless --frames 130 --input "$keys" --state "$work/expected.json"
    "$1" --headless --frames 130 --input "$keys" --state "$work/got.json" || fail "$1 exited $?"
    cmp -s "$work/expected.json" "$work/got.json" || fail "$1 reached another state than the build's program"
}

# The options each text names, one a line, sorted.
options_in() { grep -o -- '--[a-z]\+' | sort -u; }
same_options() {  # what, options
    [ "$2" = "$help_options" ] ||
        fail "$1 and --help list other options: $(diff <(echo "$help_options") <(echo "$2") | grep '^[<>]' | tr '\n' ' ')"
}

case "$check" in
moved)
    cmake --install "$build" --prefix "$work/prefix" > /dev/null
    mv "$work/prefix" "$work/moved"
    program=$(find "$work/moved" -type f -name quillmoor)
    data=$(dirname "$(find "$work/moved" -name Pig.BMP)")
    plays_like_the_build "$program"
    # It reads the moved data, not the build folder's: take a file away and it says so.
    mv "$data/Pig.BMP" "$work/Pig.BMP"
    if "$program" --headless --frames 1 2> "$work/err.txt"; then fail "ran without Pig.BMP"; fi
    grep -q "$data.*Pig.BMP" "$work/err.txt" || fail "message does not name the moved data: $(cat "$work/err.txt")"
    "$program" --version | grep -q "^quillmoor [0-9]" || fail "--version"
    echo "moved prefix: ${program#"$work/moved/"} plays from ${data#"$work/moved/"}"
    ;;
metadata)
    cmake --install "$build" --prefix "$work/prefix" > /dev/null
    share="$work/prefix/share"
    desktop-file-validate "$share/applications/quillmoor.desktop"
    appstreamcli validate --no-net --pedantic --explain "$share"/metainfo/*.metainfo.xml
    for size in 16 32 48 64 128 256; do
        icon="$share/icons/hicolor/${size}x${size}/apps/quillmoor.png"
        [ -s "$icon" ] || fail "no $icon"
        file "$icon" | grep -q "PNG image data, $size x $size" || fail "$icon: $(file "$icon")"
    done
    warnings=$( { LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$share/man/man6/quillmoor.6" > /dev/null; } 2>&1 )
    [ -z "$warnings" ] || fail "man page warnings: $warnings"
    grep -q "$(sed -n 's/^quillmoor //p' < <("$build/quillmoor" --version))" "$share/man/man6/quillmoor.6" || fail "man page lacks the version"
    if find "$work/prefix" -name '*.png' -path '*screenshot*' | grep -q .; then fail "screenshots installed"; fi
    echo "metadata: desktop entry, AppStream, icons and manual page valid"
    ;;
docs)
    help_options=$("$build/quillmoor" --help | options_in)
    [ "$(echo "$help_options" | wc -l)" -ge 15 ] || fail "--help lists too few options: $help_options"
    man="$build/quillmoor.6"
    same_options "the manual page's OPTIONS" "$(awk '/^\.SH/ { on = ($2 == "OPTIONS") } on && last == ".TP" { print } { last = $0 }' "$man" |
        sed 's/\\-/-/g' | options_in)"
    same_options "the manual page's SYNOPSIS" "$(sed -n '/^\.SH SYNOPSIS/,/^\.SH DESCRIPTION/p' "$man" | sed 's/\\-/-/g' | options_in)"
    # The README's option paragraph and its section on the headless runner.
    same_options "the README" "$(awk '/^## / { headless = ($0 == "## The headless runner") } /^Options: / { opts = 1 }
        /^$/ { opts = 0 } headless || opts' "$source/README.md" | options_in)"
    echo "docs: --help, the manual page and the README list the same $(echo "$help_options" | wc -l) options"
    ;;
debian)
    version=$("$build/quillmoor" --version | sed -n 's/^quillmoor //p')
    changelog=$(dpkg-parsechangelog -l "$source/debian/changelog" -S Version)
    [ "$changelog" = "$version" ] || fail "debian/changelog names $changelog, CMakeLists.txt $version"
    control="$source/debian/control"
    metainfo="$build/io.quillmoor.quillmoor.metainfo.xml"
    homepage=$(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' "$metainfo")
    field=$(sed -n 's/^Homepage: *//p' "$control")
    [ "$field" = "$homepage" ] || fail "debian/control's Homepage is '$field', the project's home page '$homepage'"
    released=$(sed -n 's/.*<release version="[^"]*" date="\([^"]*\)".*/\1/p' "$metainfo")
    changed=$(date -u -d "$(dpkg-parsechangelog -l "$source/debian/changelog" -S Date)" +%F)
    [ "$changed" = "$released" ] || fail "debian/changelog is dated $changed, the release $released"
    [ "$(sed -n 's/^Section: *//p' "$control")" = games ] || fail "debian/control: not in section games"
    # One licence: MIT in the metadata, LICENSE's text in debian/copyright (Expat is its name there).
    grep -q '<project_license>MIT</project_license>' "$metainfo" || fail "the metadata's licence is not MIT"
    grep -q '^Copyright (c) 2026 The Quillmoor developers$' "$source/LICENSE" || fail "LICENSE names another holder"
    grep -q '^Copyright: 2026 The Quillmoor developers$' "$source/debian/copyright" || fail "debian/copyright names another holder"
    sed -n '/^Permission/,$p' "$source/LICENSE" > "$work/license.txt"
    awk '/^License: Expat$/ { body = 1; next } body && /^ / { print } body && !/^ / { body = 0 }' "$source/debian/copyright" |
        sed 's/^ //; s/^\.$//' > "$work/copyright.txt"
    cmp -s "$work/license.txt" "$work/copyright.txt" || fail "debian/copyright's licence text differs from LICENSE: $(diff "$work/license.txt" "$work/copyright.txt")"
    echo "debian: version $version of $released, home page '${homepage}', MIT licence, all as the project has them"
    ;;
*) fail "unknown check $check" ;;
esac
