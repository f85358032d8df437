#!/usr/bin/env bash
# Fails when the project's files speak the words of a requirements document
# instead of the game's own: a comment or a test names what a thing is, not
# who was meant to decide it.
set -euo pipefail
cd "$(dirname "$0")/.."
# The bracketed letters keep this script from finding itself.
pattern='implemen[t]er|edge cases wort[h]|platform operation[s]:'
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  hits=$(git grep -n -I -i -E "$pattern" || true)
else
  hits=$(grep -r -n -I -i -E --exclude-dir='build*' "$pattern" . || true)
fi
if [ -n "$hits" ]; then
  echo "Reword these lines as the game's own developer would:"
  echo "$hits"
  exit 1
fi
