#!/usr/bin/env bash
# Installs the built tree into a scratch prefix and checks what a desktop needs: the program, its
# desktop entry and AppStream metadata (both valid), the icon in every hicolor size, and what a
# Debian package needs besides: the manual page, the copyright and the changelog.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.example.tallymere
status=0
expect() {
    if [[ ! -s "$prefix/$1" ]]; then
        echo "missing after install: $1" >&2
        status=1
    fi
}
expect bin/tallymere
expect share/applications/$id.desktop
expect share/metainfo/$id.metainfo.xml
for size in 16 32 48 64 128; do
    expect share/icons/hicolor/${size}x${size}/apps/$id.png
done
expect share/man/man1/tallymere.1.gz
expect share/doc/tallymere/copyright
expect share/doc/tallymere/changelog.gz
gzip -t "$prefix/share/man/man1/tallymere.1.gz" "$prefix/share/doc/tallymere/changelog.gz" || status=1
[[ -x "$prefix/bin/tallymere" ]] || { echo "bin/tallymere is not executable" >&2; status=1; }

desktop-file-validate "$prefix/share/applications/$id.desktop" || status=1
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null || status=1
grep -qE "^Exec=tallymere( |$)" "$prefix/share/applications/$id.desktop" || {
    echo "the desktop entry does not start tallymere" >&2
    status=1
}
[[ $status -eq 0 ]] && echo "install layout complete and valid"
exit $status
