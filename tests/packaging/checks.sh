# Sourced by the packaging tests: checks that count their failures and go
# on, so that one run reports every fault; the script ends with
# `((failures == 0))`.
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}
# expect WHAT EXPECTED ACTUAL
expect() {
  [[ "$3" == "$2" ]] || fail "$1: expected [$2], got [$3]"
}
