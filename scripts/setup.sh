#!/usr/bin/env bash
# Installs whichever of the project's Debian packages (scripts/packages.txt) are missing.
# Runs apt-get as root, or through sudo where the caller is not root.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

missing=()
while read -r package; do
    [[ -z "$package" || "$package" == \#* ]] && continue
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done < "$here/packages.txt"

if ((${#missing[@]} == 0)); then
    exit 0
fi

as_root=()
if [[ $(id -u) -ne 0 ]]; then
    if command -v sudo >/dev/null; then
        as_root=(sudo)
    else
        echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
        exit 1
    fi
fi

echo "setup: installing ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${missing[@]}"
