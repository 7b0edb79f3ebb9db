#!/usr/bin/env bash
# The game on a bare X server, as a player on a desktop without its helper programs meets it:
# no zenity, no kdialog, no X core fonts beyond the server's built-in ones, no window manager.
# A pack opened from elsewhere is asked about in the game's own box; Enter imports it and
# plays it, and the first-run question follows (N: windowed). Closing the window and answering
# Y then ends the program with status 0, which a sanitized build gives only without a leak
# report.
#   x_session_test.sh PROGRAM_FOLDER
# Exit 77 (skipped) without Xvfb, xdotool or xwininfo.
set -u
dist=$1
for tool in Xvfb xdotool xwininfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xpid=''
gpid=''
cleanup() {
  [ -n "$gpid" ] && kill -KILL "$gpid" 2>/dev/null
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  echo "--- the game's output:"
  grep -v '^ALSA' "$work/program.log" 2>/dev/null
  exit 1
}

# A program folder of our own (the program and a link to its data), a pack elsewhere.
mkdir -p "$work/game" "$work/elsewhere" "$work/bin" "$work/home"
cp "$dist/Frostlide" "$work/game/" || fail "no program in $dist"
ln -s "$dist/data" "$work/game/data"
cp "$dist/data/ogpice.cdn" "$work/elsewhere/pack.cdn"
# Every program on PATH but the desktop's box helpers.
IFS=: read -r -a dirs <<<"$PATH"
for d in "${dirs[@]}"; do
  for f in "$d"/*; do
    n=${f##*/}
    case "$n" in zenity | kdialog) continue ;; esac
    [ -e "$work/bin/$n" ] || ln -s "$f" "$work/bin/$n" 2>/dev/null
  done
done

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xpid=$!
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(head -n 1 "$work/display")"

(cd "$work" && exec env PATH="$work/bin" HOME="$work/home" SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy \
  "$work/game/Frostlide" "$work/elsewhere/pack.cdn" >"$work/program.log" 2>&1) &
gpid=$!

# The id of a Frostlide window WIDTH pixels wide other than NOT, once there is one.
wait_window() {
  local width=$1 not=${2:-none} id
  for _ in $(seq 1 600); do
    id=$(xwininfo -root -tree 2>/dev/null | awk -v w=" ${width}x" '/"Frostlide"/ && index($0, w) {print $1}' |
      grep -v -x -- "$not" | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    kill -0 "$gpid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}
press() {
  xdotool windowfocus "$1" 2>/dev/null
  sleep 0.3
  xdotool key "$2"
}

import=$(wait_window 304) || fail "no import question appeared"
grep -q "^Frostlide: Would you like to import the $work/elsewhere/pack.cdn level pack" "$work/program.log" ||
  fail "the question did not reach stderr"
press "$import" Return
play=$(wait_window 304 "$import") || fail "no play question appeared"
press "$play" Return
first=$(wait_window 304 "$play") || fail "no first-run question appeared"
press "$first" n
main=$(wait_window 640) || fail "no main window appeared"
[ -f "$work/game/levels/pack.cdn" ] || fail "the pack was not imported"
cmp -s "$work/elsewhere/pack.cdn" "$work/game/levels/pack.cdn" || fail "the imported pack differs"
grep -q "^Fullscreen=0" "$work/game/settings.ini" || fail "the first-run answer was not kept"

# A request to close (as the desktop sends it) asks "Are you sure ...?" in the game's box.
sleep 1
kill -TERM "$gpid"
sleep 1
press "$main" y
for _ in $(seq 1 600); do
  kill -0 "$gpid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$gpid" 2>/dev/null && fail "the game did not end after Y"
wait "$gpid"
status=$?
gpid=''
[ "$status" -eq 0 ] || fail "the game ended with status $status"
echo "ok"
