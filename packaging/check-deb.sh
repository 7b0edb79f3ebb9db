#!/bin/sh
# Builds the .deb of a build tree and checks it: lintian must report no error and no warning,
# and the links the programs find their data and font through must be in place.
#   check-deb.sh CPACK BUILD_DIR WORK_DIR
# Exits 77 (skipped) where lintian is not installed. CPack strips the programs in its own
# staging copy, so a Debug or sanitizer build is packaged as it would be shipped.
set -eu
cpack=$1
build=$2
work=$3

if ! command -v lintian >/dev/null 2>&1; then
  echo "lintian is not installed; skipped"
  exit 77
fi

rm -rf "$work"
mkdir -p "$work"
if ! "$cpack" --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi
deb=$(ls "$work"/*.deb)
echo "package: $deb"

status=0
dpkg-deb --contents "$deb" >"$work/contents.txt"
# Lines of the listing that must be there (fixed strings).
while IFS= read -r want; do
  if ! grep -qF -- "$want" "$work/contents.txt"; then
    echo "missing from the package: $want"
    status=1
  fi
done <<'LINES'
./usr/games/frostlide -> ../lib/games/frostlide/Frostlide
./usr/games/frostlide-cli -> ../lib/games/frostlide/frostlide-cli
./usr/lib/games/frostlide/data -> ../../../share/games/frostlide
./usr/share/games/frostlide/fonts/OpenSans-Bold.ttf -> ../../../fonts/truetype/open-sans/OpenSans-Bold.ttf
./usr/share/games/frostlide/ogpice.cdn
./usr/share/games/frostlide/ogpice.solutions
./usr/share/doc/frostlide/copyright
./usr/share/man/man6/frostlide.6.gz
LINES
# The editor, where the build has it.
if grep -qF './usr/lib/games/frostlide/Mapwright' "$work/contents.txt" &&
   ! grep -qF './usr/games/mapwright -> ../lib/games/frostlide/Mapwright' "$work/contents.txt"; then
  echo "missing from the package: the link /usr/games/mapwright"
  status=1
fi
# Nothing a run of the game writes, and no second copy of the icons.
if grep -E '\.cdx$|\.best$|settings\.ini$|editor\.ini$|/levels/|/Levels/|share/games/frostlide/icons' "$work/contents.txt"; then
  echo "the package carries files it must not"
  status=1
fi
if ! dpkg-deb --field "$deb" Depends | grep -q 'fonts-open-sans'; then
  echo "Depends lacks fonts-open-sans"
  status=1
fi

lintian --fail-on error,warning --tag-display-limit 0 "$deb" || status=1
[ "$status" -eq 0 ] && echo "lintian: no errors, no warnings"
exit "$status"
