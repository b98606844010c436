#!/usr/bin/env bash
# Installs what is missing, builds Tallymere and runs the whole test suite three times: in the
# ordinary build, in the Release build the Debian package is made from (after the package is
# built and checked), and built with the address and undefined-behaviour sanitizers. Every
# build treats warnings as errors.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen

echo "== Build and test (at ${SECONDS} s) =="
"$top/scripts/build.sh" "$top/build"
ctest --test-dir "$top/build" --output-on-failure --timeout 600

echo "== Release build and Debian package, checked; Release test (at ${SECONDS} s) =="
"$top/scripts/package.sh" "$top/build-release"
ctest --test-dir "$top/build-release" --output-on-failure --timeout 600

echo "== Sanitizer build (address, undefined) and test (at ${SECONDS} s) =="
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$top/scripts/build.sh" "$top/build-sanitize" -DTALLYMERE_SANITIZE=ON -DTALLYMERE_BUILD_BENCH=OFF
ctest --test-dir "$top/build-sanitize" --output-on-failure --timeout 900
