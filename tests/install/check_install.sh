#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks what a desktop needs.
set -euo pipefail
build="$1"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
fail=0
check() { if ! eval "$2"; then echo "FAIL: $1"; fail=1; fi; }

check "the program is installed and executable" '[ -x "$prefix/bin/vantrel" ]'
entry="$prefix/share/applications/example.tellisande.Vantrel.desktop"
check "the desktop entry is installed" '[ -f "$entry" ]'
check "the desktop entry is valid" 'desktop-file-validate "$entry"'
check "the entry names the program" 'grep -qx "Name=Vantrel Demo" "$entry"'
check "the entry says what it teaches" 'grep -qx "Comment=15. Mouse: how a computer mouse works" "$entry"'
check "the entry is filed under Education" 'grep -q "^Categories=.*Education;" "$entry"'
icon="$prefix/share/icons/hicolor/scalable/apps/vantrel.svg"
check "the icon is installed as SVG" 'grep -q "<svg" "$icon"'
[ "$fail" -eq 0 ] && echo "install layout: all checks passed"
exit "$fail"
