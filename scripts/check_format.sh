#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of the repository differs from
# what clang-format (.clang-format at the root) makes of it. With --fix,
# formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find src tools tests bench fuzz -name '*.cpp' -o -name '*.h')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=$(clang-format --dry-run "${files[@]}" 2>&1 | grep -oE '^[^:]+:[0-9]+:[0-9]+: warning' | cut -d: -f1 | sort -u || true)
if [ -n "$bad" ]; then
  echo "Not formatted (scripts/check_format.sh --fix formats them):"
  echo "$bad" | sed 's/^/  /'
  exit 1
fi
echo "Every C++ file is formatted."
