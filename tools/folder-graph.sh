#!/usr/bin/env bash
# Prints which folders of src/ include which, with how many includes each: the layering at a glance.
# tests/layering_test.cpp fails when a folder includes one above it or two files include each other.
set -euo pipefail
cd "$(dirname "$0")/../src"
find . -name '*.cpp' -o -name '*.h' | sort | while read -r file; do
  from=$(dirname "${file#./}")
  { grep -h '^#include "' "$file" || true; } | sed 's/#include "\(.*\)"/\1/' | while read -r header; do
    to=$(dirname "$header")
    if [ "$from" != "$to" ]; then echo "$from -> $to"; fi
  done
done | sort | uniq -c | awk '{printf "%-14s -> %-14s %3d\n", $2, $4, $1}'
