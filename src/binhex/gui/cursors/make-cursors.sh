#!/bin/sh
# Draws the middle-button scrolling cursors and the origin mark as SVG and
# turns them into the 32 x 32 PNG files the view's resources hold. Run it
# here after changing a shape; needs ImageMagick's "convert".
set -e
cd "$(dirname "$0")"

# Arrow heads pointing away from the centre (16, 16), black with a white
# rim so they show on any background.
UP='<path d="M16 2 L22 9 L10 9 Z"/>'
DOWN='<path d="M16 30 L22 23 L10 23 Z"/>'
LEFT='<path d="M2 16 L9 10 L9 22 Z"/>'
RIGHT='<path d="M30 16 L23 10 L23 22 Z"/>'
DOT='<circle cx="16" cy="16" r="3"/>'

cursor() {  # name, shapes...
    name=$1; shift
    cat > "$name.svg" <<SVG
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <g fill="#000000" stroke="#ffffff" stroke-width="1.5" stroke-linejoin="round">$*</g>
</svg>
SVG
    convert -background none "$name.svg" -depth 8 -define png:color-type=6 "$name.png"
}

cursor AB_MOVE "$UP" "$DOWN" "$LEFT" "$RIGHT" "$DOT"
cursor AB_MOVE_U "$UP" "$DOT"
cursor AB_MOVE_D "$DOWN" "$DOT"
cursor AB_MOVE_L "$LEFT" "$DOT"
cursor AB_MOVE_R "$RIGHT" "$DOT"

# The origin mark: a light disc with a grey rim and four small grey arrow
# heads, drawn where the scrolling started.
cat > AB_MOVE_MARK.svg <<'SVG'
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <circle cx="16" cy="16" r="14.5" fill="#f4f4f4" stroke="#707070" stroke-width="1.5"/>
  <g fill="#505050">
    <path d="M16 5 L20 10 L12 10 Z"/>
    <path d="M16 27 L20 22 L12 22 Z"/>
    <path d="M5 16 L10 12 L10 20 Z"/>
    <path d="M27 16 L22 12 L22 20 Z"/>
    <circle cx="16" cy="16" r="2"/>
  </g>
</svg>
SVG
convert -background none AB_MOVE_MARK.svg -depth 8 -define png:color-type=6 AB_MOVE_MARK.png
