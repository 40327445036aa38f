# Shared settings and helpers of make-assets: where things go, the names the
# program asks for, and the options that make every written file reproducible.

# Every PNG is written without time stamps, so that rebuilding unchanged
# assets leaves git with nothing to commit.
PNG_OPTS=(-strip -define png:exclude-chunks=date,time)

NAMES_HEADER="$REPO/src/shell/catalogue_names.h"

# The quoted names of one array of the names header, one a line.
catalogue_list() {
  local array=$1
  sed -n "/ $array = {/,/};/p" "$NAMES_HEADER" | grep -o '"[^"]*"' | tr -d '"'
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
