#!/usr/bin/env bash
# Exits 0 when this machine can run 32-bit Windows programs under Wine
# (the kernel must run 32-bit Linux programs for Wine's 32-bit loader).
[ -x /usr/lib/wine/wine ] || exit 1
/usr/lib/wine/wine --version >/dev/null 2>&1
