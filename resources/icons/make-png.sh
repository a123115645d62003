#!/bin/sh
# Renders the icon's standard sizes from its one drawing (needs rsvg-convert, librsvg2-bin).
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w $size -h $size grizal2.svg -o grizal2-$size.png
done
