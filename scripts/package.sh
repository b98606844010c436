#!/usr/bin/env bash
# Builds the Debian package from a Release build and checks it as a distribution would: lintian
# reports no error and no warning; unpacked with dpkg-deb, the program starts offscreen and stays
# up, and its desktop entry and AppStream metadata are valid.
#
#   scripts/package.sh [build-dir]      (default: build-release in the repository)
#
# The Release build has warnings as errors and its tests built (not run here), so an -O3
# warning in any file fails it. Compiler and linker flags are Debian's (dpkg-buildflags), as a
# package built by the distribution would have them.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
folder=${1:-$top/build-release}

# Full hardening, as lintian expects of a program (bind-now included).
flags() { (cd "$top" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"); }
cmake -S "$top" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTALLYMERE_WERROR=ON \
    -DTALLYMERE_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build "$folder" --parallel "$(nproc)"

rm -f "$folder"/tallymere_*.deb
(cd "$folder" && cpack -G DEB >/dev/null)
debs=("$folder"/tallymere_*.deb)
deb=${debs[0]}
echo "package: $deb"

# Any error or warning fails; the tags are printed either way.
lintian --fail-on error,warning --display-level '>=warning' "$deb"
echo "lintian: no errors, no warnings"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
"$top/tests/smoke/app_stays_up.sh" "$unpacked/usr/bin/tallymere"
desktop-file-validate "$unpacked/usr/share/applications/org.example.tallymere.desktop"
appstreamcli validate --no-net "$unpacked/usr/share/metainfo/org.example.tallymere.metainfo.xml"
echo "package unpacked, started and validated"
