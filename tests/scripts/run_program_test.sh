#!/usr/bin/env bash
# Usage: run_program_test.sh <run-program> <samples folder>
set -euo pipefail
script=$1
sample="$(cd "$2" && pwd)/velmora-sample.pgn"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/build/app"
printf '#!/bin/sh\ncat "$(dirname "$0")/velmora.ini"\n' > "$tmp/build/app/velmora"
chmod +x "$tmp/build/app/velmora"
ini="$tmp/build/app/velmora.ini"
failures=0
check() { # name, expected ini text
  local got
  got=$(DISPLAY=:0 "$script" "$tmp/build")
  if [ "$got" != "$2" ]; then
    printf 'FAIL %s\n--- expected\n%s\n--- got\n%s\n' "$1" "$2" "$got"
    failures=$((failures + 1))
  fi
}

# The first start opens the sample.
check "first start" "$(printf '[Game]\nFile=%s\nNumber=1' "$sample")"

# A checkout moved away: its sample, remembered as the game's file and in the
# recent list (CR LF lines too), is this checkout's; other files stay.
touch "$tmp/mine.pgn"
printf '[Game]\r\nFile=/gone/checkout/samples/velmora-sample.pgn\r\nNumber=7\r\n' > "$ini"
printf '[Recent]\nFile1=%s\nFile2=/gone/other.pgn\nFile3=/gone/samples/velmora-sample.pgn\n' \
  "$tmp/mine.pgn" >> "$ini"
check "moved checkout" "$(printf '[Game]\r\nFile=%s\r\nNumber=7\r\n[Recent]\nFile1=%s\nFile2=/gone/other.pgn\nFile3=%s' \
  "$sample" "$tmp/mine.pgn" "$sample")"

# A sample that exists where the ini says is left alone.
mkdir -p "$tmp/elsewhere/samples"
touch "$tmp/elsewhere/samples/velmora-sample.pgn"
printf '[Game]\nFile=%s\nNumber=2\n' "$tmp/elsewhere/samples/velmora-sample.pgn" > "$ini"
check "sample elsewhere" "$(printf '[Game]\nFile=%s\nNumber=2' "$tmp/elsewhere/samples/velmora-sample.pgn")"

exit $((failures > 0))
