# The metronome clicks and the fourteen instrument folders. FluidSynth plays
# each sample from a small MIDI file through the FluidR3 General MIDI
# soundfont; SoX turns it into a short mono 16-bit file that sounds from its
# first sample, with its peak at PEAK_DB so that every instrument, and every
# sample of one, is equally loud. The "user" folder gets plain synthesised
# tones, a full set that a player can overwrite with their own recordings.

SOUNDFONT=/usr/share/sounds/sf2/FluidR3_GM.sf2
SAMPLE_RATE=22050
PEAK_DB=-3  # headroom: taps, the played notes and the clicks overlap
ONSET=1%    # leading audio below this level is cut: a tap must sound at once
TICKS_PER_SECOND=960 # 480 ticks a quarter note at the MIDI default of 120 bpm
DRUMS=9     # General MIDI's percussion channel (the tenth)

# --- a minimal Standard MIDI File writer -------------------------------------

# printf %b escapes for the given byte values.
midi_bytes() { local b; for b in "$@"; do printf '\\x%02x' "$((b))"; done; }

# A variable-length quantity, as MIDI writes delta times.
midi_vlq() {
  local v=$1 bytes=() 
  bytes=($((v & 0x7f)))
  while ((v >>= 7)); do bytes=($(((v & 0x7f) | 0x80)) "${bytes[@]}"); done
  midi_bytes "${bytes[@]}"
}

# write_midi FILE CHANNEL PROGRAM HOLD_S TAIL_S STRUM_MS NOTE:VELOCITY...
# All notes start together (or STRUM_MS apart, as a strummed chord), are held
# HOLD_S seconds and the file runs TAIL_S further for their release. PROGRAM
# is a General MIDI program (0-based), or - on the percussion channel.
write_midi() {
  local file=$1 ch=$2 program=$3 hold=$4 tail=$5 strum=$6
  shift 6
  local hold_ticks tail_ticks strum_ticks track='' nv delta=0 count=$# spread
  hold_ticks=$(awk -v s="$hold" -v t="$TICKS_PER_SECOND" 'BEGIN{printf "%d", s * t}')
  tail_ticks=$(awk -v s="$tail" -v t="$TICKS_PER_SECOND" 'BEGIN{printf "%d", s * t}')
  strum_ticks=$((strum * TICKS_PER_SECOND / 1000))
  [[ $program == - ]] || track+="$(midi_vlq 0)$(midi_bytes $((0xC0 | ch)) "$program")"
  for nv in "$@"; do
    track+="$(midi_vlq "$delta")$(midi_bytes $((0x90 | ch)) "${nv%%:*}" "${nv#*:}")"
    delta=$strum_ticks
  done
  spread=$(((count - 1) * strum_ticks))
  delta=$((hold_ticks - spread))
  for nv in "$@"; do
    track+="$(midi_vlq "$delta")$(midi_bytes $((0x80 | ch)) "${nv%%:*}" 0)"
    delta=0
  done
  track+="$(midi_vlq "$tail_ticks")$(midi_bytes 0xff 0x2f 0x00)"
  local length=$(($(grep -o '\\x' <<<"$track" | wc -l)))
  {
    printf 'MThd'; printf '%b' "$(midi_bytes 0 0 0 6 0 0 0 1 0x01 0xe0)"
    printf 'MTrk'; printf '%b' "$(midi_bytes $((length >> 24 & 255)) $((length >> 16 & 255)) $((length >> 8 & 255)) $((length & 255)))"
    printf '%b' "$track"
  } >"$file"
}

# --- from raw audio to a shipped sample ---------------------------------------

# finish_sample IN OUT SECONDS FADE_S [INPUT_FORMAT...]: mono at SAMPLE_RATE,
# leading silence cut, SECONDS long with a FADE_S fade-out, peak at PEAK_DB.
finish_sample() {
  local in=$1 out=$2 len=$3 fade=$4
  shift 4
  sox -R "$@" "$in" -b 16 -e signed-integer -c 1 -r "$SAMPLE_RATE" "$out" \
    remix - rate -v "$SAMPLE_RATE" gain -n "$PEAK_DB" silence 1 0 "$ONSET" \
    trim 0 "$len" fade t 0 "$len" "$fade" gain -n "$PEAK_DB"
}

# render_sample OUT SECONDS FADE_S CHANNEL PROGRAM STRUM_MS NOTE:VELOCITY...
render_sample() {
  local out=$1 len=$2 fade=$3 ch=$4 program=$5 strum=$6
  shift 6
  local mid="$SOUND_WORK/sample.mid" raw="$SOUND_WORK/sample.raw"
  local hold
  hold=$(awk -v l="$len" -v f="$fade" 'BEGIN{print l - f / 2}')
  write_midi "$mid" "$ch" "$program" "$hold" 0.6 "$strum" "$@"
  # Dry (no reverb, no chorus) and at a gain that keeps chords from clipping;
  # the level is set afterwards.
  fluidsynth -q -n -i -R 0 -C 0 -g 0.4 -r 44100 -O float -T raw -F "$raw" "$SOUNDFONT" "$mid" \
    >/dev/null 2>&1 || die "FluidSynth could not render $out"
  finish_sample "$raw" "$out" "$len" "$fade" -t raw -e floating-point -b 32 -c 2 -r 44100
}

# --- the instruments ----------------------------------------------------------

# The six notes c, d, e, f, g, a of a major scale from the key note, and
# "ch", the closing chord: the tonic triad with the octave.
SAMPLE_FILES=(c d e f g a ch)
SCALE_STEPS=(0 2 4 5 7 9)
CHORD_STEPS=(0 4 7 12)

# instrument | GM program | key note (MIDI) | seconds | fade | chord strum (ms)
PITCHED="
piano|0|60|1.4|0.4|0
violin|40|72|1.2|0.3|0
flute|73|72|1.2|0.3|0
saxophone|65|60|1.2|0.3|0
trumpet|56|60|1.2|0.3|0
trombone|57|48|1.2|0.3|0
rhythm guitar|25|48|1.4|0.4|12
bass guitar|33|36|1.2|0.3|0
marimba|12|60|1.2|0.5|0
yangqin|15|72|1.4|0.5|0
"

make_pitched() { # out name program key seconds fade strum
  local dir="$1/$2" program=$3 key=$4 len=$5 fade=$6 strum=$7 i step chord=()
  mkdir -p "$dir"
  for i in 0 1 2 3 4 5; do
    render_sample "$dir/${SAMPLE_FILES[i]}.wav" "$len" "$fade" 0 "$program" 0 "$((key + SCALE_STEPS[i])):100"
  done
  for step in "${CHORD_STEPS[@]}"; do chord+=("$((key + step)):100"); done
  render_sample "$dir/ch.wav" "$len" "$fade" 0 "$program" "$strum" "${chord[@]}"
}

# Percussion: one stroke (General MIDI drum notes with velocities) per file,
# c to a and then ch; strokes of several notes sound together.
# instrument | seconds | fade | c | d | e | f | g | a | ch
DRUM_SETS="
snare drum|0.9|0.4|38:100|40:100|37:110|38:127|40:70|38:120 37:90|38:127 40:127 37:127
drumkit|1.0|0.5|36:110|38:110|42:100|45:110|48:110|46:100|36:127 49:120
congas|0.9|0.4|64:110|63:110|62:110|61:110|60:110|63:120 62:80|64:120 63:120 60:110
"

make_drums() { # out name seconds fade stroke...
  local dir="$1/$2" len=$3 fade=$4 i=0 stroke
  shift 4
  mkdir -p "$dir"
  for stroke in "$@"; do
    # shellcheck disable=SC2086 # a stroke is a list of notes
    render_sample "$dir/${SAMPLE_FILES[i]}.wav" "$len" "$fade" "$DRUMS" - 0 $stroke
    i=$((i + 1))
  done
}

# The "user" set: plain sine tones of the same scale, and the chord.
make_user() {
  local dir="$1/user" i step freqs=()
  mkdir -p "$dir"
  note_hz() { awk -v n="$1" 'BEGIN{printf "%.3f", 440 * 2 ^ ((n - 69) / 12)}'; }
  for i in 0 1 2 3 4 5; do
    sox -R -n -r 44100 -c 1 "$SOUND_WORK/tone.wav" synth 1.4 sine "$(note_hz $((60 + SCALE_STEPS[i])))" \
      fade h 0 1.4 1.1
    finish_sample "$SOUND_WORK/tone.wav" "$dir/${SAMPLE_FILES[i]}.wav" 1.2 0.3
  done
  for step in "${CHORD_STEPS[@]}"; do freqs+=(sine "$(note_hz $((60 + step)))"); done
  sox -R -n -r 44100 -c 1 "$SOUND_WORK/tone.wav" synth 1.4 "${freqs[@]}" remix - fade h 0 1.4 1.1
  finish_sample "$SOUND_WORK/tone.wav" "$dir/ch.wav" 1.2 0.3
}

make_instruments() {
  local out=$1 name program key len fade strum line
  while IFS='|' read -r name program key len fade strum; do
    [[ -n $name ]] || continue
    make_pitched "$out" "$name" "$program" "$key" "$len" "$fade" "$strum"
  done <<<"$PITCHED"
  while IFS= read -r line; do
    [[ -n $line ]] || continue
    local fields=()
    IFS='|' read -r -a fields <<<"$line"
    make_drums "$out" "${fields[@]}"
  done <<<"$DRUM_SETS"
  make_user "$out"
}

# The metronome: a high and a low wood block, short and dry.
make_clicks() {
  local out=$1
  render_sample "$out/hi.wav" 0.2 0.1 "$DRUMS" - 0 76:120
  render_sample "$out/low.wav" 0.2 0.1 "$DRUMS" - 0 77:120
}

make_sounds() {
  local sounds=$1 instruments=$2
  SOUND_WORK=$3/sounds
  mkdir -p "$SOUND_WORK" "$sounds" "$instruments"
  make_clicks "$sounds"
  make_instruments "$instruments"
}
