#!/usr/bin/env bash
# Configures and builds one build folder, with warnings as errors (our own builds; a packager's
# plain configure leaves them off). Usage: build.sh FOLDER [--target NAME] [extra cmake arguments...]
# Without --target it builds everything: the program, its tests and benchmarks.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
folder=$1
shift
targets=()
if [[ ${1:-} == --target ]]; then
    targets=(--target "$2")
    shift 2
fi

cmake -S "$top" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLYMERE_WERROR=ON "$@" \
    >/dev/null
cmake --build "$folder" --parallel "$(nproc)" "${targets[@]}"
