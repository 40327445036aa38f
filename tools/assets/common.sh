# Shared settings and helpers of make-assets: where things go, the names the
# program asks for, and the options that make every written file reproducible.

# Every PNG is written without time stamps, so that rebuilding unchanged
# assets leaves git with nothing to commit.
PNG_OPTS=(-strip -depth 8 -define png:exclude-chunks=date,time)

NAMES_HEADER="$REPO/src/shell/catalogue_names.h"

# The quoted names of one array of the names header, one a line.
catalogue_list() {
  local array=$1
  awk -v start=" $array = {" 'index($0, start) { on = 1 } on { print } on && /};/ { exit }' "$NAMES_HEADER" |
    sed 's|//.*||' | grep -o '"[^"]*"' | tr -d '"'
}

# The numbers of one array of the names header, one a line.
catalogue_numbers() {
  local array=$1
  awk -v start=" $array = {" 'index($0, start) { on = 1 } on { print } on && /};/ { exit }' "$NAMES_HEADER" |
    sed 's|//.*||; s|.*= {||' | grep -o '[0-9][0-9]*'
}

die() {
  echo "make-assets: $*" >&2
  exit 1
}

# The packages whose programs, fonts and soundfont the assets are made with.
ASSET_PACKAGES=(lilypond ghostscript imagemagick fonts-urw-base35 fonts-dejavu-core
  fluidsynth fluid-soundfont-gm sox)

ensure_packages() {
  local missing=() p
  for p in "${ASSET_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  ((${#missing[@]} == 0)) && return 0
  [[ $INSTALL == yes ]] || die "missing Debian packages: ${missing[*]} (install them, or run without --no-install)"
  [[ $(id -u) == 0 ]] || die "installing ${missing[*]} needs root: run as root or apt-get install them first"
  echo "make-assets: installing ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null ||
    { apt-get update -q >/dev/null && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null; } ||
    die "apt-get could not install ${missing[*]}"
}

# After a run: every name the program asks for has its file, and nothing else
# lies among the shipped files (a stale file would be shipped as well).
check_outputs() {
  local assets=$1 name sample expected actual
  expected=$(catalogue_list pictures | sed 's/$/.png/' | sort)
  actual=$(cd "$assets/pictures" && ls | sort)
  [[ $expected == "$actual" ]] || die "assets/pictures differs from the catalogue: $(diff <(echo "$expected") <(echo "$actual") | grep '^[<>]' | tr '\n' ' ')"
  expected=$(catalogue_numbers icon_sizes | sed 's/.*/taptrell-&.png/' | sort)
  actual=$(cd "$assets/icon" && ls | sort)
  [[ $expected == "$actual" ]] || die "assets/icon does not hold exactly the icon's sizes"
  expected=$(catalogue_list sounds | sed 's/$/.wav/' | sort)
  actual=$(cd "$assets/sounds" && ls | sort)
  [[ $expected == "$actual" ]] || die "assets/sounds differs from the catalogue"
  expected=$(catalogue_list instruments | sort)
  actual=$(cd "$assets/instruments" && ls | sort)
  [[ $expected == "$actual" ]] || die "assets/instruments differs from the instrument list"
  while IFS= read -r name; do
    expected=$(catalogue_list samples | sort)
    actual=$(cd "$assets/instruments/$name" && ls | sort)
    [[ $expected == "$actual" ]] || die "assets/instruments/$name does not hold exactly the seven samples"
  done < <(catalogue_list instruments)
}
