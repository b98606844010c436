#!/usr/bin/env bash
# Installs what is missing, builds Tallymere (the program alone, not its tests) and starts it.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" "$top/build" --target tallymere
exec "$top/build/startup/tallymere" "$@"
