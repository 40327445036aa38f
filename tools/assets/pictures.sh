# Every picture besides the rhythm-group figures: the notation backdrop and
# idle cover, the button faces, the level and time-signature pictures of the
# options window and the dots of the accuracy strip and the results graph.
# Most are drawn with ImageMagick; the level pictures and the cover reuse the
# engraved figures, and the time signatures are engraved by LilyPond.

FONT_TEXT=/usr/share/fonts/opentype/urw-base35/URWBookman-Demi.otf
VIOLET='#8000FF' # the program's own heading colour

# The staff line of the notation canvas: it lies where the figures, drawn at a
# quarter size with their top at y 100, have their note heads.
CANVAS_SIZE=725x231
CANVAS_LINE_Y=$((100 + FIGURE_LINE_Y / 4)) # the line's middle; it is drawn 2 px thick above and below it
CANVAS_FIGURES_X=230

# A one-line rhythm staff with a percussion clef before the first group.
draw_rhythm_staff() { # x_from x_to clef_x
  local y=$CANVAS_LINE_Y
  printf '%s\n' -fill black \
    -draw "rectangle $1,$((y - 1)) $2,$y" \
    -draw "rectangle $3,$((y - 11)) $(($3 + 3)),$((y + 10))" \
    -draw "rectangle $(($3 + 7)),$((y - 11)) $(($3 + 10)),$((y + 10))"
}

make_canvasback() {
  local out=$1 staff
  mapfile -t staff < <(draw_rhythm_staff 196 719 204)
  convert -size "$CANVAS_SIZE" xc:white "${staff[@]}" "${PNG_OPTS[@]}" "$out/canvasback.png"
}

# The idle picture: the program's name over a bar of rhythm drawn as the
# notation canvas draws a test's bar.
make_cover() {
  local out=$1 work=$2 staff args x=0 name
  mapfile -t staff < <(draw_rhythm_staff 120 605 128)
  args=(-size "$CANVAS_SIZE" xc:white "${staff[@]}")
  for name in crot quav trip semi dobe crot; do
    args+=(\( "$out/$name.png" -filter triangle -resize 25% \) -geometry "+$((x + 154))+100" -composite)
    x=$((x + $(figure_width "$name") / 4))
  done
  convert -background none -fill "$VIOLET" -font "$FONT_TEXT" -pointsize 84 label:Taptrell \
    -trim +repage "$work/title.png"
  args+=(\( "$work/title.png" \) -gravity north -geometry +0+22 -composite)
  convert "${args[@]}" -alpha off "${PNG_OPTS[@]}" "$out/cover.png"
}

# A button face: its caption, with a play or stop sign before it where one
# helps, as large as the face allows, centred on a transparent picture that
# leaves 4 px on each side for the button's frame.
make_face() { # name button_width button_height colour symbol caption work out
  local name=$1 w=$(($2 - 8)) h=$(($3 - 8)) colour=$4 symbol=$5 caption=$6 work=$7 out=$8 cap_h
  convert -background none -fill "$colour" -font "$FONT_TEXT" -size "x$((h * 7 / 10))" \
    label:"$caption" -trim +repage "$work/caption.png"
  cap_h=$(identify -format '%h' "$work/caption.png")
  case $symbol in
    play) convert -size "${cap_h}x$cap_h" xc:none -fill "$colour" \
      -draw "polygon 1,0 $((cap_h - 1)),$((cap_h / 2)) 1,$((cap_h - 1))" "$work/symbol.png" ;;
    stop) convert -size "${cap_h}x$cap_h" xc:none -fill "$colour" \
      -draw "rectangle 1,1 $((cap_h - 2)),$((cap_h - 2))" "$work/symbol.png" ;;
    none) convert -size 1x1 xc:none "$work/symbol.png" ;;
  esac
  convert "$work/symbol.png" -size "$((cap_h / 2))x1" xc:none "$work/caption.png" -background none \
    -gravity center +append -trim +repage -filter triangle -resize "$((w - 6))x$((h - 4))>" \
    -extent "${w}x$h" "${PNG_OPTS[@]}" "$out/$name.png"
}

# name | button width | button height | colour | sign | caption
FACES="
go|173|76|#00904A|play|START
stop|173|76|#D01818|stop|STOP
repeat|173|76|#E06A00|none|REPEAT TEST
options|141|65|$VIOLET|none|OPTIONS
optionslight|141|65|#D9B8FF|none|OPTIONS
results|141|65|#0060C0|none|RESULTS
resultslight|141|65|#B4CDE8|none|RESULTS
help|117|46|#007C80|none|HELP
newtest|123|32|#E06A00|none|NEW TEST
play|89|45|#00904A|play|PLAY
smallstop|89|45|#D01818|stop|STOP
"

make_faces() {
  local out=$1 work=$2 name bw bh colour symbol caption
  while IFS='|' read -r name bw bh colour symbol caption; do
    [[ -n $name ]] || continue
    make_face "$name" "$bw" "$bh" "$colour" "$symbol" "$caption" "$work" "$out"
  done <<<"$FACES"
}

# A level's picture shows the figures that the level brings in. The two basic
# levels beside l1 are alternatives to it, so they show their whole range; from
# l3 on every earlier figure stays in, so each shows only its new ones.
# name | button width | button height | figures
LEVELS="
l1|121|51|crot CR quav
l1t|167|51|crot trip cq
l2|270|46|crot CR quav sniff semi saus
l3|121|51|wood dobe
l4|136|51|trip cq dqsq rtrip
l5|325|51|ssssss ssqq ssssq qssss
l6|167|51|eef rttt rqs
l7|230|51|sddss ddddss sdddds
l8|230|59|sssss ssrss sssrs
"

make_level() { # name button_width button_height figures work out
  local name=$1 w=$(($2 - 8)) h=$(($3 - 8)) figures=$4 work=$5 out=$6 args=() fig iw ih ix iy
  local gap=$((2 * STAFF_SPACE)) line_h=6
  args=(-size "${STAFF_SPACE}x$FIGURE_HEIGHT" xc:none)
  for fig in $figures; do
    read -r iw ih ix iy < <(ink_box "$out/$fig.png")
    args+=(\( "$out/$fig.png" -crop "${iw}x$FIGURE_HEIGHT+$ix+0" +repage \) -size "${gap}x$FIGURE_HEIGHT" xc:none)
  done
  convert "${args[@]}" +append "$work/row.png"
  iw=$(identify -format '%w' "$work/row.png")
  convert -size "${iw}x$FIGURE_HEIGHT" xc:none -fill black \
    -draw "rectangle 0,$((FIGURE_LINE_Y - line_h / 2)) $((iw - 1)),$((FIGURE_LINE_Y + line_h / 2 - 1))" \
    "$work/row.png" -composite -trim +repage -filter triangle -resize "${w}x$h" \
    -background none -gravity center -extent "${w}x$h" "${PNG_OPTS[@]}" "$out/$name.png"
}

make_levels() {
  local out=$1 work=$2 name bw bh figures
  while IFS='|' read -r name bw bh figures; do
    [[ -n $name ]] || continue
    make_level "$name" "$bw" "$bh" "$figures" "$work" "$out"
  done <<<"$LEVELS"
}

# The time signatures fill the 38 x 63 canvases of the options window.
make_meters() {
  local out=$1 work=$2/figures beats
  for beats in 2 3 4 5; do
    convert "$work/meter-$beats.png" -trim +repage -filter triangle -resize 34x59 \
      -background none -gravity center -extent 38x63 "${PNG_OPTS[@]}" "$out/t${beats}4.png"
  done
}

# bdot: the tap on the accuracy strip, drawn with its top-left corner 8 px left
# of and 7 px above the tap's point, so it is 17 x 15 with its middle there.
# The results graph's dots stand 5 px left of their point and 10 px apart in
# height (written note over tap), so they are 11 x 10.
make_dots() {
  local out=$1
  convert -size 17x15 xc:none -fill '#1F48D8' -stroke '#0A2A90' -strokewidth 1 \
    -draw 'circle 8,7 8,1' "${PNG_OPTS[@]}" "$out/bdot.png"
  local name colour
  for name in bbdot:#000000 gdot:#00A040 bldot:#1E78FF rdot:#E02020; do
    colour=${name#*:}
    convert -size 11x10 xc:none -fill "$colour" -draw 'circle 5,4.5 5,0.6' "${PNG_OPTS[@]}" "$out/${name%%:*}.png"
  done
}

make_pictures() {
  local out=$1 work=$2/pictures
  mkdir -p "$work"
  make_canvasback "$out"
  make_cover "$out" "$work"
  make_faces "$out" "$work"
  make_levels "$out" "$work"
  make_meters "$out" "$2"
  make_dots "$out"
}
