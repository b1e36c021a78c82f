#!/usr/bin/env bash
# Writes the image fixtures of the toolkit tests (run from anywhere; needs ImageMagick).
#   three_frames.gif  8 x 8, frames red, green, blue with delays of 10, 0 and 20 hundredths
set -euo pipefail
cd "$(dirname "$0")"
convert -size 8x8 -delay 10 xc:'#FF0000' -delay 0 xc:'#00FF00' -delay 20 xc:'#0000FF' \
    -loop 0 three_frames.gif
