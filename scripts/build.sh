#!/usr/bin/env bash
# Configures and builds one build folder, with warnings as errors (our own builds; a packager's
# plain configure leaves them off). Usage: build.sh FOLDER [extra cmake arguments...]
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
folder=$1
shift

cmake -S "$top" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYMERE_WERROR=ON "$@" \
    >/dev/null
cmake --build "$folder" --parallel "$(nproc)"
