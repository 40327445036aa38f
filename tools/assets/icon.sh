# The program's icon: the beamed pair of quavers of its notation, white on a
# violet tile, in every size a desktop asks for. At the small sizes the
# figure's ink is grown before it is shrunk, so that stems and beam stay at
# least a pixel wide and the notes read at 16 px.

# size | share of the tile the figure fills (%) | ink growth (px at the engraved size)
ICON_SIZES="
16|70|10
24|70|7
32|68|4
48|68|2
64|66|1
128|66|1
256|66|1
"

make_icon() { # out figures work
  local out=$1 figures=$2 work=$3/icon size share grow tile
  mkdir -p "$out" "$work"
  while IFS='|' read -r size share grow; do
    [[ -n $size ]] || continue
    tile=$((size * 8)) # drawn at eight times the size, then averaged down
    convert "$figures/quav.png" -trim +repage -alpha extract -morphology Dilate "Disk:$grow" \
      -background white -alpha shape -trim +repage "$work/figure.png"
    convert -size "${tile}x$tile" xc:none -fill "$VIOLET" \
      -draw "roundrectangle 0,0 $((tile - 1)),$((tile - 1)) $((tile * 18 / 100)),$((tile * 18 / 100))" \
      \( "$work/figure.png" -filter triangle -resize "$((tile * share / 100))x$((tile * share / 100))" \) \
      -gravity center -composite -filter box -resize "${size}x$size" "${PNG_OPTS[@]}" "$out/taptrell-$size.png"
  done <<<"$ICON_SIZES"
}
