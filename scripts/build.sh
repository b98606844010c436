#!/usr/bin/env bash
# Configures and builds one build folder. Usage: build.sh FOLDER [extra cmake arguments...]
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
folder=$1
shift

cmake -S "$top" -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$folder" --parallel "$(nproc)"
