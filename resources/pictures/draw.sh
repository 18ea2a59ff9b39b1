#!/usr/bin/env bash
# Draws the pictures of the forms' icon buttons with ImageMagick, from one drawing
# each on a 32-unit grid: NAME.png at 16 × 16 pixels (96 dots per inch) and
# NAME@2x.png at 32 × 32 (twice that). Run it here after changing a drawing, and
# look at the result before committing it.
set -euo pipefail
cd "$(dirname "$0")"

# draw NAME PRIMITIVES: PRIMITIVES in ImageMagick's -draw language, on the 32-unit grid.
draw() {
    local name=$1 primitives=$2
    convert -size 16x16 xc:none -draw "scale 0.5,0.5 $primitives" -strip "PNG32:$name.png"
    convert -size 32x32 xc:none -draw "$primitives" -strip "PNG32:$name@2x.png"
}

outline='stroke #3A3A3A stroke-width 1.5 stroke-linejoin round'

# A manila folder: its back with the tab, then its front.
draw folder "$outline
    fill #D9A93A polygon 3,7 12,7 15,10 29,10 29,26 3,26
    fill #F4CE6E polygon 3,13 29,13 29,26 3,26"

# A new sheet: a page with its corner folded, and a green plus.
draw new "$outline
    fill #FFFFFF polygon 6,3 19,3 25,9 25,29 6,29
    fill none polyline 19,3 19,9 25,9
    stroke #FFFFFF stroke-width 1 fill #2E8B2E
    polygon 20,14 24,14 24,19 29,19 29,23 24,23 24,28 20,28 20,23 15,23 15,19 20,19"

# A pencil, its point to the lower left.
draw edit "$outline
    fill #F2B632 polygon 8,20 21,7 25,11 12,24
    fill #E07070 polygon 21,7 23,5 27,9 25,11
    fill #EAD3A8 polygon 8,20 12,24 4,28
    stroke none fill #3A3A3A polygon 4,28 5.5,24.5 7.5,26.5"

# Back: an arrow that goes down, then turns back to the left.
draw return "stroke #1F5FBF stroke-width 4 stroke-linejoin round fill none polyline 25,5 25,19 12,19
    stroke none fill #1F5FBF polygon 4,19 13,11 13,27"

# Help: a question mark on a blue disc.
draw help "stroke #174A96 stroke-width 1.5 fill #2A6FD6 circle 16,16 16,2.5
    stroke #FFFFFF stroke-width 3 stroke-linecap round stroke-linejoin round fill none
    ellipse 16,11.5 5.5,5.5 180,400 polyline 20.2,15 16,17.5 16,19.5
    stroke none fill #FFFFFF circle 16,24.5 16,22.6"
