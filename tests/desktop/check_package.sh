#!/usr/bin/env bash
# The Debian package builds, declares what it needs, and its tool runs
# from the extracted tree.
#   check_package.sh BUILD_DIR
set -euo pipefail
build=$1
fail() { echo "FAIL: $*"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/out" >/dev/null) || fail "cpack failed"
deb=$(ls "$work"/out/vemolibrary_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no package was made"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6network6 libstdc++6 qt6-qpa-plugins; do
    [[ "$depends" == *"$needed"* ]] || fail "the package does not depend on $needed: $depends"
done

dpkg -x "$deb" "$work/root"
for file in usr/bin/VemoLibrary usr/share/applications/org.vemolibrary.VemoLibrary.desktop \
    usr/share/vemolibrary/guide/index.html usr/share/man/man1/vemolibrary-cli.1; do
    [ -e "$work/root/$file" ] || fail "not in the package: $file"
done
tool="$work/root/usr/bin/vemolibrary-cli"
"$tool" --help | grep -q "^Usage: vemolibrary-cli" || fail "the packaged tool gives no help"
mkdir "$work/data"
XDG_DATA_HOME="$work/data" "$tool" new "Our Music" >/dev/null || fail "the packaged tool cannot create a library"
XDG_DATA_HOME="$work/data" "$tool" list | grep -q "Our Music" || fail "the packaged tool lists nothing"
echo "$(basename "$deb") builds and its tool runs"
