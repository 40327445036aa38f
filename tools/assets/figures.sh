# The 25 rhythm-group figures, engraved by LilyPond at four times the size at
# which the notation canvas draws them.
#
# Geometry of a figure picture (full size; the canvas shows a quarter):
# - one staff space is STAFF_SPACE pixels, so a note head is about 1.3 of them;
# - the note heads sit on the rhythm line, at y FIGURE_LINE_Y of a picture
#   FIGURE_HEIGHT tall; the canvas draws the picture's top at y 100, so its
#   line lies at 100 + FIGURE_LINE_Y / 4 on the canvas, where the backdrop
#   draws the staff line;
# - the picture is its group's width figure less FIGURE_GAP wide, so the next
#   group, drawn a width figure further on, never touches it; the first note
#   or rest begins FIGURE_LEFT pixels from the left edge.

STAFF_SPACE=40
LILY_DPI=576 # LilyPond's staff space is 5 pt at staff size 20: 5 pt at 576 dpi is 40 px
FIGURE_HEIGHT=480
FIGURE_LINE_Y=320
FIGURE_GAP=16
FIGURE_LEFT=4
# LilyPond spreads a group's notes over this share (in %) of its picture's
# width, so that a clear space is left before the next beat's group.
FIGURE_SPREAD=84

# name | width figure | the beat in LilyPond notation (any pitch: the staff has one line)
FIGURES="
crot|201|c4
CR|266|r4
quav|286|c8[ c]
sniff|288|r8 c8
semi|430|c16[ c c c]
saus|356|c16[ c c8]
wood|364|c8[ c16 c]
dobe|304|c8.[ c16]
trip|405|\\tuplet 3/2 { c8[ c c] }
cq|353|\\tuplet 3/2 { c4 c8 }
dqsq|350|\\tuplet 6/4 { c8.[ c16 c8] }
rtrip|413|\\tuplet 3/2 { r8 c[ c] }
ssssss|638|\\tuplet 6/4 { c16[ c c c c c] }
ssqq|420|\\tuplet 6/4 { c16[ c c8 c] }
ssssq|516|\\tuplet 6/4 { c16[ c c c c8] }
qssss|510|\\tuplet 6/4 { c8[ c16 c c c] }
eef|363|c16[ c8 c16]
rttt|414|r16 c16[ c c]
rqs|353|r16 c8[ c16]
sddss|435|c16[ c32 c c16 c]
ddddss|495|c32[ c c c c16 c]
sdddds|495|c16[ c32 c c c c16]
sssss|457|\\tuplet 5/4 { c16[ c c c c] }
ssrss|457|\\tuplet 5/4 { c16[ c] r c[ c] }
sssrs|463|\\tuplet 5/4 { c16[ c c] r c }
"

figure_names() { awk -F'|' 'NF==3{print $1}' <<<"$FIGURES"; }
figure_width() { awk -F'|' -v n="$1" '$1==n{print $2}' <<<"$FIGURES"; }

# Pixels to LilyPond millimetres at LILY_DPI.
px_to_mm() { awk -v px="$1" -v dpi="$LILY_DPI" 'BEGIN{printf "%.4f", px * 25.4 / dpi}'; }

# One book per figure and pass. Pass "line" draws the staff line, pass "ink"
# leaves it out (transparent, so the layout is the same): the line shows where
# the notes stand, the ink is what is shipped. The time signatures of the
# options window are engraved in the same file.
write_figures_ly() {
  local out=$1 name width music pass
  cat >"$out" <<'LY'
\version "2.24.0"
#(set-global-staff-size 20)
\paper {
  paper-width = 70\mm paper-height = 50\mm
  top-margin = 15\mm left-margin = 10\mm indent = 0 ragged-right = ##f
  print-page-number = ##f tagline = ##f
  oddHeaderMarkup = ##f evenHeaderMarkup = ##f
  oddFooterMarkup = ##f evenFooterMarkup = ##f
}
\header { tagline = ##f }
\layout {
  \context { \Score \remove "Bar_number_engraver" }
  \context {
    \RhythmicStaff
    \remove "Clef_engraver"
    \remove "Bar_engraver"
    % Stems and beams a little heavier than in print: the canvas shows them at a quarter size.
    \override Stem.thickness = #2.2
    \override Beam.beam-thickness = #0.55
    \override TupletNumber.font-size = #1.5
  }
}
figure = #(define-music-function (showline music) (boolean? ly:music?)
  #{ \new RhythmicStaff \with {
       \remove "Time_signature_engraver"
       \override StaffSymbol.transparent = #(not showline)
     } { \time 1/4 #music } #})
meter = #(define-music-function (music) (ly:music?)
  #{ \new RhythmicStaff \with { \override StaffSymbol.transparent = ##t } { #music } #})
LY
  while IFS='|' read -r name width music; do
    [[ -n $name ]] || continue
    for pass in line ink; do
      local show='##f'
      [[ $pass == line ]] && show='##t'
      printf '\\book { \\bookOutputName "%s-%s"\n  \\paper { line-width = %s\\mm }\n  \\score { \\figure %s { %s } }\n}\n' \
        "$pass" "$name" "$(px_to_mm $(((width - FIGURE_GAP) * FIGURE_SPREAD / 100)))" "$show" "$music" >>"$out"
    done
  done <<<"$FIGURES"
  for beats in 2 3 4 5; do
    printf '\\book { \\bookOutputName "meter-%s"\n  \\paper { ragged-right = ##t }\n  \\score { \\meter { \\numericTimeSignature \\time %s/4 s4*%s } }\n}\n' \
      "$beats" "$beats" "$beats" >>"$out"
  done
}

# "W H X Y" of the inked part of a PNG's alpha channel.
ink_box() {
  convert "$1" -alpha extract -format '%@\n' info: | sed 's/[x+]/ /g'
}

# Cuts the shipped picture of each figure out of its two passes.
cut_figure() {
  local name=$1 work=$2 out=$3 width lw lh lx ly iw ih ix iy line_mid top left pic_w
  width=$(figure_width "$name")
  read -r lw lh lx ly < <(convert "$work/line-$name.png" "$work/ink-$name.png" -alpha extract \
    -compose difference -composite -format '%@\n' info: | sed 's/[x+]/ /g')
  read -r iw ih ix iy < <(ink_box "$work/ink-$name.png")
  ((lh > 0 && lh < 10)) || die "$name: no staff line found (${lw}x${lh})"
  line_mid=$((ly + lh / 2))
  top=$((line_mid - FIGURE_LINE_Y))
  left=$((ix - FIGURE_LEFT))
  pic_w=$((width - FIGURE_GAP))
  ((ix + iw <= left + pic_w - FIGURE_LEFT)) ||
    die "$name: notation is $((iw + 2 * FIGURE_LEFT)) px wide, more than the $pic_w its width figure leaves"
  ((iy >= top + FIGURE_LEFT && iy + ih <= top + FIGURE_HEIGHT - FIGURE_LEFT)) ||
    die "$name: notation reaches beyond the picture's height"
  convert "$work/ink-$name.png" -crop "${pic_w}x${FIGURE_HEIGHT}+${left}+${top}" +repage \
    "${PNG_OPTS[@]}" "$out/$name.png"
}

make_figures() {
  local out=$1 work=$2/figures name
  mkdir -p "$work"
  write_figures_ly "$work/figures.ly"
  (cd "$work" && lilypond -s -dno-point-and-click -dbackend=eps -dresolution="$LILY_DPI" \
    -dpixmap-format=pngalpha --png figures.ly) || die "LilyPond failed on $work/figures.ly"
  for name in $(figure_names); do
    cut_figure "$name" "$work" "$out"
  done
}
