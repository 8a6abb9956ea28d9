#!/usr/bin/env bash
# Static checks of the sources: formatting, the core's clang-tidy findings, and the direction of
# the layers (the core includes nothing of Qt nor of the desktop program). Needs a configured
# default build for clang-tidy's compile commands.
set -euo pipefail
cd "$(dirname "$0")/.."

status=0
mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
    'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp')

echo "clang-format: ${#sources[@]} files"
if ! clang-format --dry-run --Werror "${sources[@]}"; then
    echo "Formatting differs from .clang-format (clang-format -i fixes it)." >&2
    status=1
fi

echo "layers: src/core includes only the standard library and the core"
while IFS=: read -r file line text; do
    header=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"].*/\1/' <<<"$text")
    if [[ "$text" == *'"'* ]]; then
        # A quoted include names a file of the core, from src/.
        [[ "$header" == core/* && -f "src/$header" ]] && continue
    else
        # An angled one is a standard or system header: no Qt, no folder but sys/.
        [[ "$header" != Q* && "$header" != qt* && ( "$header" != */* || "$header" == sys/* ) ]] &&
            continue
    fi
    echo "$file:$line: $header is not a header the core may include" >&2
    status=1
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' src/core)

echo "clang-tidy: src/core"
mapfile -t core < <(git ls-files 'src/core/*.cpp')
if ! printf '%s\n' "${core[@]}" |
    xargs -P "$(nproc)" -n 4 clang-tidy -p build/default --quiet --warnings-as-errors='*' \
        2>/dev/null; then
    echo "clang-tidy reports findings in src/core." >&2
    status=1
fi

exit $status
