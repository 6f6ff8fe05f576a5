#!/usr/bin/env bash
# Fails when a C++ file of the repository is not as clang-format 14 makes it with the
# repository's .clang-format. Every tracked file is checked: the tree is kept formatted whole,
# so on a clean clone (as CI runs) that is exactly "every changed file matches".
# Usage: scripts/check-format.sh [--fix]   (--fix formats the files instead)
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || true)
if [[ -z "$format" ]]; then
  echo "check-format: clang-format-14 is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
mapfile -d '' files < <(git ls-files -z -- '*.cpp' '*.h')
if ((${#files[@]} == 0)); then
  echo "check-format: no C++ files tracked here" >&2
  exit 1
fi
if [[ "${1:-}" == "--fix" ]]; then
  "$format" -i "${files[@]}"
  exit 0
fi
if ! report=$("$format" --dry-run "${files[@]}" 2>&1 >/dev/null); then
  echo "check-format: clang-format failed:" >&2
  echo "$report" >&2
  exit 1
fi
unformatted=$(grep -oE '^[^:]+:[0-9]+:[0-9]+: (warning|error): code should be clang-formatted' \
  <<<"$report" | cut -d: -f1 | sort -u || true)
if [[ -n "$unformatted" ]]; then
  echo "check-format: these files differ from .clang-format (scripts/check-format.sh --fix):" >&2
  sed 's/^/  /' <<<"$unformatted" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files match .clang-format"
