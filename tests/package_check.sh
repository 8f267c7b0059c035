#!/usr/bin/env bash
# The Debian package: built by dpkg-buildpackage (scripts/build-deb.sh), with no lintian error
# or warning at --pedantic, holding what a game package holds, and playing unpacked like the
# build's own program. Usage: package_check.sh BUILD_DIR (a build of this tree, to compare with)
set -euo pipefail
build=$(cd "$1" && pwd)
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

start=$SECONDS
bash scripts/build-deb.sh > "$work/build.log" 2>&1 || { tail -40 "$work/build.log"; fail "the package did not build"; }
echo "package built by dpkg-buildpackage in $((SECONDS - start)) s"
version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg --print-architecture)
deb="build-deb/quillmoor_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $deb"
[ -f "build-deb/quillmoor-dbgsym_${version}_${arch}.deb" ] || fail "no -dbgsym package"
# The flags came from dpkg-buildflags, hardening included.
grep -q -- '-D_FORTIFY_SOURCE=2' "$work/build.log" || fail "built without _FORTIFY_SOURCE"
grep -q -- '-Wl,-z,now' "$work/build.log" || fail "linked without -z now"

# Source and binary packages both, every tag shown; only errors and warnings fail.
status=0
lintian --pedantic -I -E --fail-on error,warning "build-deb/quillmoor_${version}_${arch}.changes" > "$work/lintian.txt" 2>&1 ||
    status=$?
grep -v '^running with root privileges' "$work/lintian.txt" || true
[ "$status" -eq 0 ] || fail "lintian found errors or warnings"
echo "lintian --pedantic -I -E: no error or warning"

dpkg-deb -c "$deb" | awk '{ print $6 }' > "$work/files.txt"
echo "files of $(basename "$deb"):"
grep -v '/$' "$work/files.txt" | sed 's/^\./    /'
for path in usr/games/quillmoor usr/share/games/quillmoor/Level1.txt usr/share/games/quillmoor/intro.MID \
            usr/share/applications/quillmoor.desktop usr/share/icons/hicolor/48x48/apps/quillmoor.png \
            usr/share/man/man6/quillmoor.6.gz usr/share/metainfo/io.quillmoor.quillmoor.metainfo.xml \
            usr/share/doc/quillmoor/copyright usr/share/doc/quillmoor/changelog.gz; do
    grep -qx "./$path" "$work/files.txt" || fail "the package lacks $path"
done
if grep -E 'screenshot|/usr/bin/' "$work/files.txt"; then fail "the package holds the files above, which it should not"; fi
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "section $(dpkg-deb -f "$deb" Section)"
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libfluidsynth3 timgm6mb-soundfont fonts-dejavu-core; do
    [[ "$depends" == *"$dep"* ]] || fail "Depends lacks $dep: $depends"
done

dpkg-deb -x "$deb" "$work/root"
program="$work/root/usr/games/quillmoor"
file "$program" | grep -q ', stripped' || fail "the program is not stripped"
[ "$("$program" --version)" = "quillmoor $version" ] || fail "the program's version is not the package's $version"
homepage=$(sed -n 's|.*<url type="homepage">\(.*\)</url>.*|\1|p' "$work/root/usr/share/metainfo/io.quillmoor.quillmoor.metainfo.xml")
[ "$(dpkg-deb -f "$deb" Homepage)" = "$homepage" ] || fail "Homepage field and the metadata's home page differ"
grep -q '<project_license>MIT</project_license>' "$work/root/usr/share/metainfo/io.quillmoor.quillmoor.metainfo.xml" ||
    fail "the metadata's licence is not MIT"
cmp -s <(sed -n '/^Permission/,$p' LICENSE) \
    <(sed -n '/^ Permission/,$p' "$work/root/usr/share/doc/quillmoor/copyright" | sed 's/^ //; s/^\.$//') ||
    fail "the package's copyright file does not carry LICENSE's text"

# Unpacked anywhere, it plays every key script to the same state as the build's program, from
# the unpacked data: take a file away and it names it there.
for keys in tests/keys/*.keys; do
    frames=$(sed -n 's/^# frames: //p' "$keys")
    "$build/quillmoor" --headless --frames "$frames" --input "$keys" --state "$work/expected.json"
    "$program" --headless --frames "$frames" --input "$keys" --state "$work/got.json" || fail "the unpacked program exited $?"
    cmp -s "$work/expected.json" "$work/got.json" || fail "the unpacked program reached another state than the build's on $keys"
done
mv "$work/root/usr/share/games/quillmoor/Pig.BMP" "$work/Pig.BMP"
if "$program" --headless --frames 1 2> "$work/err.txt"; then fail "ran without Pig.BMP"; fi
grep -q "$work/root/usr/share/games/quillmoor.*Pig.BMP" "$work/err.txt" || fail "message does not name the unpacked data: $(cat "$work/err.txt")"
echo "package: $(basename "$deb"), $(grep -c . "$work/files.txt") entries, $(du -k "$deb" | cut -f1) KiB;" \
     "unpacked, it plays $(ls tests/keys/*.keys | wc -l) key scripts like the build's program"
