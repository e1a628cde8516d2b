#!/usr/bin/env bash
# cmake --install puts everything where a Linux desktop finds it, and the
# installed tool runs from there.
#   check_desktop_install.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
fail() { echo "FAIL: $*"; exit 1; }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
cmake --install "$build" --prefix "$root/usr" >/dev/null
for file in \
    bin/VemoLibrary bin/vemolibrary-cli \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/mime/packages/vemolibrary.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png \
    share/icons/hicolor/256x256/apps/$id.png \
    share/vemolibrary/guide/index.html share/vemolibrary/templates/webreport.css \
    share/man/man1/vemolibrary-cli.1 share/bash-completion/completions/vemolibrary-cli; do
    [ -s "$root/usr/$file" ] || fail "not installed: $file"
done
find "$root/usr" -name 'libvemodata.so*' | grep -q . || fail "not installed: libvemodata"

# The desktop finds the library file type by its name.
update-mime-database "$root/usr/share/mime" >/dev/null 2>&1 || fail "update-mime-database failed"
grep -q "application/x-vemolibrary:\*\.vly" "$root/usr/share/mime/globs2" || fail "no *.vly glob in the mime database"
grep -q "^MimeType=application/x-vemolibrary;" "$root/usr/share/applications/$id.desktop" \
    || fail "the desktop entry does not open library files"

data=$(mktemp -d)
trap 'rm -rf "$root" "$data"' EXIT
XDG_DATA_HOME=$data "$root/usr/bin/vemolibrary-cli" new Stamps >/dev/null || fail "the installed tool does not run"
XDG_DATA_HOME=$data "$root/usr/bin/vemolibrary-cli" list | grep -q Stamps || fail "the installed tool lists nothing"
echo "installed where the desktop looks"
