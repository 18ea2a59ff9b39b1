#!/usr/bin/env bash
# quillet-sim's own answers: a folder, an empty scenario and a misspelt step fail (the
# misspelt one as such, before anything plays), and --help prints the usage.
set -uo pipefail
sim=$1
fail() { echo "FAIL: $*"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs quillet-sim expecting it to fail with the given words in its output.
fails_with() {
  local what=$1 words=$2; shift 2
  "$sim" "$@" >"$work/out" 2>&1 && fail "$what: passed: $(cat "$work/out")"
  grep -qF -- "$words" "$work/out" || fail "$what: $(cat "$work/out")"
}

"$sim" --help >"$work/out" || fail "--help failed"
grep -q '^usage: quillet-sim' "$work/out" || fail "--help: $(cat "$work/out")"

mkdir "$work/folder.scn"
fails_with "a folder" "cannot read the file as a scenario" "$work/folder.scn"
grep -q '0 passed, 1 failed' "$work/out" || fail "a folder counted as passed"

: >"$work/empty.scn"
fails_with "an empty scenario" "holds no step" "$work/empty.scn"
printf '# only a comment\n\n' >"$work/comment.scn"
fails_with "a scenario of comments" "holds no step" "$work/comment.scn"

# The misspelt answer would otherwise surface as an unexpected message box at line 3.
printf 'start\nopen mail subject "x"\nclick button\nmsgbx "Nothing" -> OK\n' >"$work/misspelt.scn"
fails_with "a misspelt step" 'misspelt.scn:4: unknown step "msgbx"' "$work/misspelt.scn"
echo "quillet-sim: all checks passed"
