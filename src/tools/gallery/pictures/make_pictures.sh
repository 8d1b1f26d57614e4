#!/usr/bin/env bash
# Draws the gallery's pictures with ImageMagick. The results are committed;
# run this only to change them. Everything is drawn at 32x32 and icons also
# carry a 16x16 copy, as the system picks the size it shows.
set -euo pipefail
cd "$(dirname "$0")"

icon() { # NAME DRAW...
    local name=$1
    shift
    convert -size 32x32 xc:none "$@" /tmp/gallery-$name-32.png
    convert /tmp/gallery-$name-32.png -resize 16x16 /tmp/gallery-$name-16.png
    convert /tmp/gallery-$name-16.png /tmp/gallery-$name-32.png "$name.ico"
    rm -f /tmp/gallery-$name-16.png /tmp/gallery-$name-32.png
}

# A window: the program's own icon.
icon gallery -fill '#f4f4f4' -stroke '#404040' -draw 'rectangle 2,4 29,27' \
    -fill '#2a5caa' -stroke none -draw 'rectangle 3,5 28,10' \
    -fill '#7aa0d8' -draw 'rectangle 6,14 14,24' -fill '#e8b040' -draw 'rectangle 17,14 25,24'
# A form with fields.
icon controls -fill '#ffffff' -stroke '#404040' -draw 'rectangle 4,2 27,29' \
    -stroke '#2a5caa' -strokewidth 2 -draw 'line 8,9 23,9' -draw 'line 8,15 23,15' -draw 'line 8,21 18,21'
# A table.
icon list -fill '#ffffff' -stroke '#404040' -draw 'rectangle 2,4 29,27' \
    -fill '#c8d8f0' -stroke none -draw 'rectangle 3,5 28,10' \
    -stroke '#808080' -draw 'line 3,15 28,15' -draw 'line 3,20 28,20' -draw 'line 12,5 12,27'
# A message box.
icon dialog -fill '#f0f0f0' -stroke '#404040' -draw 'rectangle 3,6 28,26' \
    -fill '#2a5caa' -stroke none -draw 'rectangle 4,7 27,11' \
    -fill '#e8b040' -stroke '#806020' -draw 'circle 11,19 11,15' -fill '#ffffff' -stroke '#606060' \
    -draw 'rectangle 17,19 25,23'
# Four tools.
icon toolbox -fill '#2a5caa' -stroke '#203050' -draw 'rectangle 4,4 14,14' -fill '#e8b040' \
    -draw 'rectangle 17,4 27,14' -fill '#40a060' -draw 'rectangle 4,17 14,27' -fill '#c04040' \
    -draw 'rectangle 17,17 27,27'
# Leave: a door with an arrow.
icon exit -fill '#c89050' -stroke '#604020' -draw 'rectangle 6,3 20,28' \
    -stroke '#c03030' -strokewidth 3 -draw 'line 14,16 28,16' -draw 'line 23,11 28,16' -draw 'line 23,21 28,16'

# The frame's background, stretched over the area of the child windows.
convert -size 48x192 gradient:'#6d8fbf-#d7e3f2' BMP3:back.bmp
# The toolbar's picture.
convert -size 128x26 gradient:'#2a5caa-#7aa0d8' -rotate 90 -resize 128x26\! \
    -fill white -font DejaVu-Sans-Bold -pointsize 13 -gravity center -annotate 0 'Gallery' \
    -quality 85 toolbar.jpg
# A picture for image controls.
convert -size 96x64 gradient:'#fdf2c8-#e8b040' -fill '#2a5caa' -stroke '#203050' \
    -draw 'circle 30,32 30,12' -fill '#40a060' -draw 'polygon 52,54 72,14 92,54' -quality 85 picture.jpg
# A cursor from a file: a cross hair.
convert -size 32x32 xc:none -stroke black -strokewidth 3 -draw 'line 16,2 16,30' -draw 'line 2,16 30,16' \
    -stroke white -strokewidth 1 -draw 'line 16,3 16,29' -draw 'line 3,16 29,16' cross.cur
# ImageMagick writes it as an icon: make it a cursor with its hot spot in the middle.
python3 - <<'PY'
import struct
data = bytearray(open('cross.cur', 'rb').read())
struct.pack_into('<H', data, 2, 2)            # type: cursor
struct.pack_into('<HH', data, 10, 16, 16)     # hot spot x, y
open('cross.cur', 'wb').write(data)
PY
