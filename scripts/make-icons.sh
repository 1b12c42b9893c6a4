#!/usr/bin/env bash
# Renders the program's icon (dist/icons/<application id>.svg) into the PNG sizes the hicolor
# icon theme is installed with (dist/icons/hicolor/<size>x<size>/apps/). The PNGs are kept in the
# repository, so a build needs no renderer; run this after changing the SVG (Debian librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../dist/icons"
id=example.halvorn_ek.Pathwick
for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" "$id.svg" -o "hicolor/${size}x${size}/apps/$id.png"
done
