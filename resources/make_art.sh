#!/usr/bin/env bash
# Renders the program's art, every image of art.list, from its SVG sources (the art/ folders
# beside the outputs) and writes the files the build links in. The outputs are committed: the
# build itself never renders, so run this only after changing a source, and commit sources and
# outputs together.
#
#   resources/make_art.sh
#
# Needs rsvg-convert (Debian: librsvg2-bin), ImageMagick's convert (imagemagick), optipng,
# zopflipng (zopfli), python3 and the fonts URW Gothic (fonts-urw-base35) and WenQuanYi Zen Hei
# (fonts-wqy-zenhei).
#
# One palette runs through every picture: navy #0A1F5C, brand blue #2563EB, cyan #22D3EE and
# indigo #3730A3, with white glyphs; red #E81123 only for close and stop.
set -Eeuo pipefail

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
trap 'printf "make_art: the step at line %s failed\n" "$LINENO" >&2' ERR

fail() {
    printf 'make_art: %s\n' "$*" >&2
    exit 1
}

require_tool() { # command, Debian package
    command -v "$1" >/dev/null 2>&1 || fail "$1 is missing; install the Debian package $2"
}

require_font() { # family as fc-match knows it, Debian package
    command -v fc-match >/dev/null 2>&1 || fail "fc-match is missing; install fontconfig"
    fc-match -f '%{family}\n' "$1" | grep -qF "${1%%:*}" ||
        fail "font \"$1\" is missing; install the Debian package $2"
}

check_tools() {
    require_tool rsvg-convert librsvg2-bin
    require_tool convert imagemagick
    convert -version 2>/dev/null | grep -q ImageMagick || fail "convert is not ImageMagick's"
    require_tool jpegtran libjpeg-turbo-progs
    require_tool optipng optipng
    require_tool zopflipng zopfli
    require_tool python3 python3
    require_font "URW Gothic:bold" fonts-urw-base35
    require_font "WenQuanYi Zen Hei" fonts-wqy-zenhei
}

# The smallest PNG of the same pixels: every image is a download on every install. optipng picks
# the colour type and filters; zopflipng then tries its own and deflates harder (it keeps the
# file when it finds nothing smaller).
shrink_png() { # file
    optipng -quiet -o7 "$1"
    zopflipng -m -y "$1" "$1" >/dev/null
}

png() { # folder, name: <folder>/art/<name>.svg -> <folder>/<name>.png
    rsvg-convert "$HERE/$1/art/$2.svg" -o "$HERE/$1/$2.png"
    shrink_png "$HERE/$1/$2.png"
}

# A PNG without its 8-byte signature; the image loader puts it back.
png_body() { # folder, name -> <folder>/<name>.body
    rsvg-convert "$HERE/$1/art/$2.svg" -o "$WORK/$2.png"
    shrink_png "$WORK/$2.png"
    [ "$(head -c 8 "$WORK/$2.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
        fail "$2: rsvg-convert did not write a PNG"
    tail -c +9 "$WORK/$2.png" >"$HERE/$1/$2.body"
}

jpeg() { # folder, name[, shown WxH] -> <folder>/<name>.jpg at quality 90, full-resolution colour
    rsvg-convert "$HERE/$1/art/$2.svg" -o "$WORK/$2.png"
    convert "$WORK/$2.png" -strip -quality 90 -sampling-factor 1x1 "$WORK/$2.jpg"
    if [ -n "${3:-}" ]; then
        wipe_unshown "$WORK/$2.jpg" "$3"
    fi
    jpegtran -copy none -optimize "$WORK/$2.jpg" >"$HERE/$1/$2.jpg"
}

# Of a picture the window shows only the top left part of, the rest is wiped to flat grey in the
# compressed data itself (lossless for the blocks kept, which decode to the very same pixels):
# flat blocks take almost no bytes. The kept part is rounded up to whole 8 x 8 blocks.
wipe_unshown() { # jpeg file, shown WxH (top left)
    local width height keep_w keep_h shown_w=${2%x*} shown_h=${2#*x}
    read -r width height < <(identify -format '%w %h\n' "$1")
    keep_w=$(((shown_w + 7) / 8 * 8))
    keep_h=$(((shown_h + 7) / 8 * 8))
    if [ "$keep_w" -lt "$width" ]; then
        jpegtran -copy none -wipe "$((width - keep_w))x$height+$keep_w+0" "$1" >"$1.tmp"
        mv "$1.tmp" "$1"
    fi
    if [ "$keep_h" -lt "$height" ]; then
        jpegtran -copy none -wipe "${keep_w}x$((height - keep_h))+0+$keep_h" "$1" >"$1.tmp"
        mv "$1.tmp" "$1"
    fi
}

# A palette PNG with one alpha per entry (tRNS). ImageMagick 6 drops partial alpha when it
# writes palette PNGs, so the small packing step is done here from its raw RGBA pixels.
palette_png() { # folder, name -> <folder>/<name>.png
    rsvg-convert "$HERE/$1/art/$2.svg" -o "$WORK/$2.png"
    local width height
    read -r width height < <(convert "$WORK/$2.png" -format '%w %h\n' info:)
    convert "$WORK/$2.png" -depth 8 rgba:- | python3 -c '
import struct, sys, zlib
width, height = map(int, sys.argv[1:3])
pixels = sys.stdin.buffer.read()
if len(pixels) != width * height * 4:
    sys.exit("make_art: unexpected pixel count")
colours = [pixels[i:i + 4] for i in range(0, len(pixels), 4)]
palette = sorted(set(colours), key=lambda c: (c[3], c[:3]))
if len(palette) > 256:
    sys.exit("make_art: %d colours do not fit a palette" % len(palette))
index = {c: i for i, c in enumerate(palette)}
rows = b"".join(b"\0" + bytes(index[c] for c in colours[y * width:(y + 1) * width])
                for y in range(height))
def chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
sys.stdout.buffer.write(
    b"\x89PNG\r\n\x1a\n" +
    chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)) +
    chunk(b"PLTE", b"".join(c[:3] for c in palette)) +
    chunk(b"tRNS", bytes(c[3] for c in palette)) +
    chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))
' "$width" "$height" >"$HERE/$1/$2.png"
    shrink_png "$HERE/$1/$2.png"
}

# The application icon: each size drawn from its own source and stored as a 32-bit RGBA PNG
# (Windows reads PNG pictures of any size in an icon since Vista; as bitmaps with their masks the
# three small ones took three times the bytes).
icon() { # folder, name, sizes... -> <folder>/<name>.ico from art/<name>_<size>.svg
    local folder=$1 name=$2
    shift 2
    local frames=() size
    for size in "$@"; do
        rsvg-convert "$HERE/$folder/art/${name}_$size.svg" -o "$WORK/${name}_$size.png"
        # Colour type and depth kept: some icon readers take nothing but RGBA PNGs.
        optipng -quiet -o7 -nc -nb "$WORK/${name}_$size.png"
        frames+=("$WORK/${name}_$size.png")
    done
    python3 - "$HERE/$folder/$name.ico" "${frames[@]}" <<'PY'
import struct, sys
target, frames = sys.argv[1], sys.argv[2:]
pictures = [open(frame, "rb").read() for frame in frames]
out = struct.pack("<HHH", 0, 1, len(pictures))
offset = 6 + 16 * len(pictures)
for picture in pictures:
    width, height = struct.unpack(">II", picture[16:24])
    # A size of 256 is written as 0; 1 plane, 32 bits per pixel.
    out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(picture), offset)
    offset += len(picture)
open(target, "wb").write(out + b"".join(pictures))
PY
}

# Every image of the list (art.list: group, name, file, how it is made) from its source.
render_listed() {
    local group name file maker args stem
    # The list comes on its own descriptor: the tools below may read standard input.
    while read -r group name file maker args <&3; do
        case $group in '' | '#'*) continue ;; esac
        stem=${file%.*}
        case $maker in
            png | png_body | palette_png) "$maker" "$group" "$stem" ;;
            # shellcheck disable=SC2086 # the shown size, when given, is one word
            jpeg) jpeg "$group" "$stem" $args ;;
            # shellcheck disable=SC2086 # the sizes are separate words
            icon) icon "$group" "$stem" $args ;;
            *.py) ;; # drawn by that script of its own
            *) fail "art.list: $file: unknown way to make it: $maker" ;;
        esac
    done 3<"$HERE/art.list"
}

check_tools
render_listed

echo "make_art: rendered every image under $HERE"
