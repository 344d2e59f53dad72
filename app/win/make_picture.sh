#!/usr/bin/env bash
# Draws picture.bmp, the decoration of the main dialog: a quill over a salt
# marsh at dusk. Needs ImageMagick; the result is kept in the repository.
#   app/win/make_picture.sh WIDTH HEIGHT
set -euo pipefail
cd "$(dirname "$0")"
w=${1:-76}
h=${2:-192}
water=$((h * 70 / 100))

convert -size "${w}x${water}" gradient:'#f3d9a4-#c9795a' \
  \( -size "${w}x$((h - water))" gradient:'#3d6f86-#1d3444' \) -append \
  -stroke '#e9c27a' -strokewidth 1 \
  -draw "line $((w / 6)),$((water + 8)) $((w / 2)),$((water + 8))" \
  -draw "line $((w / 3)),$((water + 16)) $((w * 5 / 6)),$((water + 16))" \
  -draw "line $((w / 8)),$((water + 26)) $((w * 2 / 3)),$((water + 26))" \
  -stroke '#2e4a2a' -strokewidth 2 \
  -draw "line 4,$h 7,$((water - 22))" -draw "line 9,$h 13,$((water - 30))" \
  -draw "line 14,$h 16,$((water - 14))" -draw "line $((w - 6)),$h $((w - 10)),$((water - 26))" \
  -draw "line $((w - 12)),$h $((w - 14)),$((water - 12))" \
  -fill '#fdf6e3' -stroke '#5b4636' -strokewidth 1 \
  -draw "path 'M $((w / 2 - 4)),$((water + 4)) C $((w / 2 - 14)),$((h / 3)) $((w / 2 + 2)),$((h / 8)) $((w - 8)),10 C $((w - 12)),$((h / 3)) $((w / 2 + 8)),$((h / 2)) $((w / 2 - 4)),$((water + 4)) Z'" \
  -stroke '#5b4636' -strokewidth 1 -fill none \
  -draw "path 'M $((w / 2 - 4)),$((water + 4)) C $((w / 2 - 2)),$((h / 2)) $((w / 2 + 4)),$((h / 4)) $((w - 10)),14'" \
  -fill '#3b2a1e' -stroke none \
  -draw "circle $((w / 2 - 4)),$((water + 4)) $((w / 2 - 2)),$((water + 5))" \
  -type TrueColor BMP3:picture.bmp
