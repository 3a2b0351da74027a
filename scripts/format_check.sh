#!/usr/bin/env bash
# format_check.sh [--strict | --fix]: names the C++ files of ours that drift
# from .clang-format and counts them. It reports and changes nothing; with
# --strict (FERN_FORMAT_STRICT, on by default in CMake) any drift fails; with
# --fix (make format) it formats the files that drift.
set -euo pipefail
cd "$(dirname "$0")/.."
strict=${1:-}
format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
    echo "format_check: clang-format is missing (make deps installs it)" >&2
    exit 1
fi
if git rev-parse --is-inside-work-tree > /dev/null 2>&1; then
    mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' \
                                        'tools/*.h' 'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
else
    mapfile -t files < <(find src tests tools bench fuzz -name '*.cpp' -o -name '*.h' | sort)
fi
drift=0
for file in "${files[@]}"; do
    if ! "$format" --style=file --dry-run -Werror "$file" > /dev/null 2>&1; then
        if [ "$strict" = "--fix" ]; then
            "$format" --style=file -i "$file"
            echo "formatted: $file"
        else
            echo "drift: $file"
            drift=$((drift + 1))
        fi
    fi
done
echo "format_check: $drift of ${#files[@]} files drift from .clang-format"
if [ "$strict" = "--strict" ] && [ "$drift" -gt 0 ]; then exit 1; fi
exit 0
