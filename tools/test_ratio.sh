#!/bin/sh
# Non-blank C++ lines of tests/ against src/: the size of the tests as a share of the code.
cd "$(dirname "$0")/.." || exit 1
count() { find "$1" \( -name '*.cpp' -o -name '*.h' \) -exec cat {} + | grep -c '[^[:space:]]'; }
tests=$(count tests)
src=$(count src)
awk -v t="$tests" -v s="$src" 'BEGIN { printf "tests %d / src %d = %.2f\n", t, s, t / s }'
