#!/usr/bin/env bash
# Usage: run_program_test.sh <run-program> <samples folder>
set -euo pipefail
script=$1
sample="$(cd "$2" && pwd)/velmora-sample.pgn"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# A stand-in program that prints the ini beside it.
fake_program() { # build folder
  mkdir -p "$1/app"
  printf '#!/bin/sh\ncat "$(dirname "$0")/velmora.ini"\n' > "$1/app/velmora"
  chmod +x "$1/app/velmora"
}
fake_program "$tmp/build"
ini="$tmp/build/app/velmora.ini"
failures=0
check() { # name, expected ini text, arguments of run-program
  local name=$1 expected=$2 got
  shift 2
  got=$(DISPLAY=:0 "$script" "$@" 2>&1) || true
  if [ "$got" != "$expected" ]; then
    printf 'FAIL %s\n--- expected\n%s\n--- got\n%s\n' "$name" "$expected" "$got"
    failures=$((failures + 1))
  fi
}

# The first start opens the sample.
check "first start" "$(printf '[Game]\nFile=%s\nNumber=1' "$sample")" "$tmp/build"

# A checkout moved away: its sample, remembered as the game's file and in the
# recent list (CR LF lines too), is this checkout's; other files stay.
touch "$tmp/mine.pgn"
printf '[Game]\r\nFile=/gone/checkout/samples/velmora-sample.pgn\r\nNumber=7\r\n' > "$ini"
printf '[Recent]\nFile1=%s\nFile2=/gone/other.pgn\nFile3=/gone/samples/velmora-sample.pgn\n' \
  "$tmp/mine.pgn" >> "$ini"
check "moved checkout" "$(printf '[Game]\r\nFile=%s\r\nNumber=7\r\n[Recent]\nFile1=%s\nFile2=/gone/other.pgn\nFile3=%s' \
  "$sample" "$tmp/mine.pgn" "$sample")" "$tmp/build"

# A sample that exists where the ini says is left alone.
mkdir -p "$tmp/elsewhere/samples"
touch "$tmp/elsewhere/samples/velmora-sample.pgn"
printf '[Game]\nFile=%s\nNumber=2\n' "$tmp/elsewhere/samples/velmora-sample.pgn" > "$ini"
check "sample elsewhere" "$(printf '[Game]\nFile=%s\nNumber=2' "$tmp/elsewhere/samples/velmora-sample.pgn")" "$tmp/build"

# From any folder: a checkout of its own, its build folders named relative to
# its top folder or to the current folder.
top="$tmp/checkout"
mkdir -p "$top/scripts"
cp "$script" "$top/scripts/run-program"
fake_program "$top/build"
fake_program "$top/build-debug"
script="$top/scripts/run-program"
first=$(printf '[Game]\nFile=%s/samples/velmora-sample.pgn\nNumber=1' "$top")
cd "$tmp/elsewhere"
check "its build from another folder" "$first"
check "a build folder of the top folder" "$first" build-debug
rm -f "$top/build/app/velmora.ini"
cd "$tmp"
check "a build folder of the current folder" "$first" checkout/build

exit $((failures > 0))
