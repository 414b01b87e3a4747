#!/usr/bin/env bash
# Prints the size of the tests against the size of the code: non-blank lines that are not only a
# comment, in C++ files and CMake files, of tests/ over src/ (bench/, fuzz/ and tools/ count in
# neither).
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
    git ls-files -- "$1" | grep -E '\.(cpp|cc|h|hpp)$|(^|/)CMakeLists\.txt$|\.cmake$' |
        xargs -r cat | grep -cvE '^\s*(//.*|#.*)?$' || true
}
# C++ comment lines start with //; CMake comment lines with #. Preprocessor lines (#include,
# #pragma) are code, so they are counted apart and added back.
directives() {
    git ls-files -- "$1" | grep -E '\.(cpp|cc|h|hpp)$' | xargs -r cat |
        grep -cE '^\s*#\s*(include|pragma|define|if|ifdef|ifndef|endif|else|elif|undef)' || true
}
code=$(( $(count src) + $(directives src) ))
tests=$(( $(count tests) + $(directives tests) ))
awk -v t="$tests" -v c="$code" 'BEGIN { printf "tests %d lines, src %d lines, ratio %.2f\n", t, c, t / c }'
