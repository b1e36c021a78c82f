#!/usr/bin/env bash
# Draws the sample window's own pictures with ImageMagick (run from anywhere):
#   strip.png    a 4-frame image-button strip, 60 x 26 per frame: normal, hover, pressed, disabled
#   strip3.png   the same without the disabled frame
#   spinner.gif  an 8-frame animation, 32 x 32, 80 ms per frame; every frame is opaque, so no
#                GIF disposal method is needed to clear the previous one
#   tile.png     a 24 x 24 tile with a dot, shown centred
#   frame.png    a 24 x 24 rounded frame for the nine-grid picture (margins 8)
set -euo pipefail
cd "$(dirname "$0")"

frame() {  # fill, edge, glyph colour, output
    convert -size 60x26 xc:none -fill "$1" -stroke "$2" -draw "roundrectangle 0.5,0.5 59.5,25.5 6,6" \
        -fill "$3" -stroke none -draw "polygon 24,7 24,19 36,13" "PNG32:$4"
}
frame '#3A7BD5' '#2A5BA5' white /tmp/strip1.png
frame '#5A9BF5' '#3A7BD5' white /tmp/strip2.png
frame '#2A5BA5' '#1A3B75' '#D0E0FF' /tmp/strip3.png
frame '#B8BEC8' '#9AA0AA' '#E8EAEE' /tmp/strip4.png
convert /tmp/strip1.png /tmp/strip2.png /tmp/strip3.png /tmp/strip4.png +append +repage PNG32:strip.png
convert /tmp/strip1.png /tmp/strip2.png /tmp/strip3.png +append +repage PNG32:strip3.png

frames=()
for i in 0 1 2 3 4 5 6 7; do
    convert -size 32x32 xc:'#FFFFFF' -fill '#3A7BD5' \
        -draw "translate 16,16 rotate $((i * 45)) circle 0,-10 3,-10" \
        -fill '#A8C4EE' -draw "translate 16,16 rotate $((i * 45 - 45)) circle 0,-10 2,-10" \
        "/tmp/spin$i.png"
    frames+=("/tmp/spin$i.png")
done
convert -delay 8 -dispose None "${frames[@]}" -loop 0 spinner.gif

convert -size 24x24 xc:'#FFFFFF' -fill none -stroke '#3A7BD5' -strokewidth 2 \
    -draw "roundrectangle 1,1 22,22 5,5" -fill '#3A7BD5' -stroke none -draw "circle 12,12 14,12" \
    PNG32:tile.png
convert -size 24x24 xc:none -fill '#F4F8FD' -stroke '#3A7BD5' -strokewidth 2 \
    -draw "roundrectangle 1,1 22,22 5,5" PNG32:frame.png
rm -f /tmp/strip[1-4].png /tmp/spin[0-7].png
