#!/usr/bin/env bash
# Prints the 64-bit Wine loader: Debian's wine64 keeps it in /usr/lib/wine.
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
  if [ -n "$candidate" ] && [ -x "$candidate" ]; then echo "$candidate"; exit 0; fi
done
echo "no 64-bit Wine found (apt-get install wine64)" >&2
exit 1
