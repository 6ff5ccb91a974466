#!/usr/bin/env bash
# Renders everything under data/Skin, data/Language, data/Tonedeck.ico and the skin previews
# in docs/ from the sources in this folder. Needs python3, ImageMagick and the DejaVu fonts;
# no network.
set -euo pipefail
command -v convert >/dev/null || { echo "render.sh: ImageMagick 'convert' is missing" >&2; exit 1; }
command -v montage >/dev/null || { echo "render.sh: ImageMagick 'montage' is missing" >&2; exit 1; }
command -v python3 >/dev/null || { echo "render.sh: python3 is missing" >&2; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
exec python3 -B "$here/render.py" "$@"
