#!/usr/bin/env bash
# Usage: display_lost_test.sh <velmora> <samples folder>
# The program's display goes away (its X server ends) while it is idle and
# while a modal window is up: the program ends by itself, status 0, no crash.
set -uo pipefail
prog=$1
sample="$(cd "$2" && pwd)/velmora-sample.pgn"
tmp=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$tmp"' EXIT
# A copy of the program, so that its settings file lies in the temporary folder.
cp "$prog" "$tmp/velmora"
failures=0

# Waits until the program's windows, one xwininfo line each, pass the test.
wait_for_windows() { # display, test reading the lines
  for _ in $(seq 600); do
    if xwininfo -display "$1" -root -tree 2>/dev/null | grep '("velmora"' | bash -c "$2"; then
      return 0
    fi
    sleep 0.1
  done
  return 1
}

check() { # name, settings text, test of the windows
  printf '%s' "$2" > "$tmp/velmora.ini"
  exec 3> "$tmp/display"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp > /dev/null 2>&1 &
  server=$!
  exec 3>&-
  local display=
  for _ in $(seq 600); do
    display=$(cat "$tmp/display")
    [ -n "$display" ] && break
    sleep 0.1
  done
  DISPLAY=":$display" QT_QPA_PLATFORM=xcb timeout -k 5 120 "$tmp/velmora" > "$tmp/out" 2>&1 &
  local program=$!
  if ! wait_for_windows ":$display" "$3"; then
    printf 'FAIL %s: the window never came\n' "$1"
    failures=$((failures + 1))
  fi
  kill "$server"
  wait "$server" 2>/dev/null
  server=
  wait "$program"
  local status=$?
  if [ "$status" -ne 0 ]; then
    printf 'FAIL %s: ended with status %d\n' "$1" "$status"
    cat "$tmp/out"
    failures=$((failures + 1))
  fi
}

# The main window, its title naming the database.
check "idle" "$(printf '[Game]\nFile=%s\nNumber=2\n[Config]\nSkipIntro=1\n' "$sample")" \
  "grep -q velmora-sample.pgn"
# The intro, a modal window, opens over the main window at the start.
check "modal window up" "" '[ "$(grep -c .)" -ge 2 ]'

exit $((failures > 0))
