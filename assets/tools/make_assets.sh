#!/bin/sh
# Regenerates every picture of assets/images from the generators beside this script. The
# outputs are committed; run this only after changing a generator.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out="$here/../images"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 "$here/make_background.py" "$work/background.ppm"
convert "$work/background.ppm" -strip -sampling-factor 4:2:0 -quality 88 "$out/background.jpg"

python3 "$here/make_icons.py" "$work"
for size in 16 32 48 64 128; do
    convert "$work/icon$size.png" -strip "PNG32:$out/icon$size.png"
done
for size in 16 32 64; do
    convert "$work/stopwatch$size.png" -strip "PNG32:$out/stopwatch$size.png"
done
# One icon resource with the 16, 32 and 48 pixel images, for desktops that want an .ico.
convert "$out/icon16.png" "$out/icon32.png" "$out/icon48.png" "$out/tallymere.ico"
python3 "$here/draw_pictures.py"
