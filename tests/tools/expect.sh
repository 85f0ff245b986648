# Sourced by the script tests: $work, a temporary folder removed at the end, and
# `expect DESCRIPTION CONDITION...`, which prints ok or FAILED and counts the failures.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
expect() {
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
