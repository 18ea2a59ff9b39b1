#!/usr/bin/env bash
# quillet-regsvr against prefixes it cannot use: each gets one line on the standard
# error and a non-zero exit, never a crash; a registry store it does not understand is
# left as it was, naming the line; two runs at once on one prefix both keep their keys.
set -uo pipefail
bin=$1
regsvr="$bin/quillet-regsvr"
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs quillet-regsvr expecting a failure: exit code 1 or 2 and exactly one line.
refused() {
  local what=$1; shift
  "$regsvr" "$@" >"$work/out" 2>"$work/err"
  local code=$?
  [ "$code" = 1 ] || [ "$code" = 2 ] || fail "$what: exit code $code"
  [ "$(wc -l <"$work/err")" = 1 ] || fail "$what: not one line: $(cat "$work/err")"
}

"$regsvr" --help | grep -q '^usage: quillet-regsvr' || fail "--help does not print the usage"

touch "$work/a-file"
refused "a prefix that is a file" --prefix "$work/a-file" "$bin/UtilOrvek2.so"
grep -q 'not a folder' "$work/err" || fail "a prefix that is a file: $(cat "$work/err")"

mkdir "$work/no-map" && echo REGEDIT4 >"$work/no-map/registry.reg"
refused "a store without a drive map" --prefix "$work/no-map" "$bin/UtilOrvek2.so"

"$regsvr" --prefix "$work/bad-map" "$bin/UtilOrvek2.so" >/dev/null || fail "a fresh prefix"
echo "this is no mapping" >>"$work/bad-map/drives.map"
refused "a drive map with a bad line" --prefix "$work/bad-map" "$bin/UtilOrvek2.so"

refused "a prefix that cannot be made" --prefix "$work/a-file/inside" "$bin/UtilOrvek2.so"

"$regsvr" --prefix "$work/unread" "$bin/UtilOrvek2.so" >/dev/null || fail "a fresh prefix"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Hand]\n"Kept"="yes"\nthis line is not understood\n' \
  >"$work/unread/registry.reg"
cp "$work/unread/registry.reg" "$work/unread.before"
refused "a store with a line not understood" --prefix "$work/unread" "$bin/Quillet09.so"
grep -q 'line 5' "$work/err" || fail "the line not understood is not named: $(cat "$work/err")"
cmp -s "$work/unread/registry.reg" "$work/unread.before" || fail "the store not understood was written over"

# Two runs at once on one prefix, again and again: every run's keys are there after.
"$regsvr" --prefix "$work/both" "$bin/UtilOrvek2.so" >/dev/null || fail "a fresh prefix"
for round in 1 2 3 4 5; do
  "$regsvr" -u --prefix "$work/both" "$bin/UtilOrvek2.so" "$bin/Quillet09.so" >/dev/null
  "$regsvr" --prefix "$work/both" "$bin/Quillet09.so" >/dev/null & first=$!
  "$regsvr" --prefix "$work/both" "$bin/UtilOrvek2.so" >/dev/null & second=$!
  wait $first || fail "round $round: the add-in's registration failed"
  wait $second || fail "round $round: the utility library's registration failed"
  grep -q '"LoadBehavior"=dword:00000003' "$work/both/registry.reg" || fail "round $round: LoadBehavior lost"
  grep -q 'UtilOrvek2.clsUtil\\CLSID]' "$work/both/registry.reg" || fail "round $round: the utility's class lost"
done
# Two runs at once on a prefix neither finds: the second does not make it afresh.
for round in 1 2 3 4 5; do
  rm -rf "$work/fresh"
  "$regsvr" --prefix "$work/fresh" "$bin/Quillet09.so" >/dev/null & first=$!
  "$regsvr" --prefix "$work/fresh" "$bin/UtilOrvek2.so" >/dev/null & second=$!
  wait $first || fail "fresh round $round: the add-in's registration failed"
  wait $second || fail "fresh round $round: the utility library's registration failed"
  grep -q '"LoadBehavior"=dword:00000003' "$work/fresh/registry.reg" || fail "fresh round $round: LoadBehavior lost"
  grep -q 'UtilOrvek2.clsUtil\\CLSID]' "$work/fresh/registry.reg" || fail "fresh round $round: the utility's class lost"
done
echo "quillet-regsvr: all checks passed"
