#!/usr/bin/env bash
# The fuzz run's linear-time check, on a stand-in fuzz program that prints
# libFuzzer's lines and a processor time linear or quadratic in the length
# of each input. The first run of each large input stands for a moment of
# other work on the machine: it takes four times as long.
# Usage: check_linear_time_test.sh <check_linear_time.py>
set -euo pipefail
check=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cat >"$tmp/fuzz" <<'EOF'
#!/usr/bin/env bash
declare -A seen
status=0
for path in "$@"; do
  case $path in -*) continue ;; esac
  [ "$(head -c 4 "$path")" != leak ] || status=1
  bytes=$(stat -c %s "$path")
  if [ "$GROWTH" = linear ]; then us=$((bytes * 10)); else us=$((bytes * bytes / 10000)); fi
  if [ -z "${seen[$path]:-}" ] && [ "$bytes" -gt 50000 ]; then us=$((us * 4)); fi
  seen[$path]=1
  printf 'Running: %s\nvelmora fuzz: %d us of processor time\nExecuted %s in %d ms\n' \
    "$path" "$us" "$path" $((us / 1000))
done
[ $status = 0 ] || echo "ERROR: LeakSanitizer: detected memory leaks"
exit $status
EOF
chmod +x "$tmp/fuzz"
mkdir -p "$tmp/big/full" "$tmp/big/eighth" "$tmp/found" "$tmp/small"
head -c 100000 /dev/zero >"$tmp/big/full/a"
head -c 12500 /dev/zero >"$tmp/big/eighth/a"
head -c 1000 /dev/zero >"$tmp/small/a" # quadratic, but a tiny time
failures=0
fail() {
  echo "FAIL $1"
  cat "$tmp/out"
  failures=$((failures + 1))
}
check() { # name, expected exit status, growth, check arguments
  local name=$1 want=$2 got=0
  export GROWTH=$3
  shift 3
  python3 "$check" "$tmp/fuzz" "$tmp/art-" "$@" >"$tmp/out" 2>&1 || got=$?
  [ "$got" = "$want" ] || fail "$name: exit status $got, expected $want"
}

check "linear" 0 linear "$tmp/big/eighth" "$tmp/big/full"
check "quadratic" 1 quadratic "$tmp/big/eighth" "$tmp/big/full"
grep -q 'big/full/a: .*slower than linear' "$tmp/out" || fail "quadratic: input not named"
check "quadratic under the floor" 0 quadratic "$tmp/small/q" "$tmp/small"
printf 'leak' >"$tmp/small/a"
check "a leak" 1 linear "$tmp/small/q" "$tmp/small"

# Units the fuzzer found: eighths cut from them; they go when they pass.
head -c 100000 /dev/zero >"$tmp/found/slow-unit-1"
check "found, quadratic" 1 quadratic --remove-passed "$tmp/found/q" "$tmp/found/slow-unit-1"
[ -e "$tmp/found/slow-unit-1" ] || fail "a unit slower than linear removed"
check "found, linear" 0 linear --remove-passed "$tmp/found/q" "$tmp/found/slow-unit-1"
[ ! -e "$tmp/found/slow-unit-1" ] || fail "a unit that passed kept"

exit $((failures > 0))
