#!/usr/bin/env bash
# Makes the Debian package from the Release build, installs it into a fresh root and
# checks what Debian, a desktop's menu and a software centre need of it.
# Usage: check_package.sh SOURCE_DIR RELEASE_BUILD_DIR
set -euo pipefail
src="$1"
build="$2"
id=example.tellisande.Vantrel

# The Release build `make` keeps; configured here when the test runs on its own.
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$src" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF >/dev/null
fi
grep -qx "CMAKE_BUILD_TYPE:STRING=Release" "$build/CMakeCache.txt" || { echo "FAIL: $build is not a Release build"; exit 1; }
rm -f "$build"/package/vantrel_*.deb
if ! out=$(cmake --build "$build" --target package 2>&1); then echo "$out"; echo "FAIL: packaging"; exit 1; fi
debs=("$build"/package/vantrel_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "FAIL: no single package in $build/package"; exit 1; }
deb=$(realpath "${debs[0]}")
echo "package: $deb"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail=0
check() { if ! eval "$2"; then echo "FAIL: $1"; fail=1; fi; }
field() { dpkg-deb -f "$deb" "$1"; }

check "the package is vantrel for this architecture" \
  '[ "$(field Package)" = vantrel ] && [ "$(field Architecture)" = "$(dpkg --print-architecture)" ]'
check "it is filed under education" '[ "$(field Section)" = education ]'
depends=$(field Depends)
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libqt6svg6 qt6-wayland fonts-liberation2; do
  check "it depends on $dep" 'grep -qE "(^|, )$dep( |,|$)" <<<"$depends"'
done

# Exactly these files, all root's: nothing of the tests or benchmarks slips in.
expected="./usr/bin/vantrel
./usr/share/applications/$id.desktop
./usr/share/doc/vantrel/changelog.gz
./usr/share/doc/vantrel/copyright
./usr/share/icons/hicolor/scalable/apps/vantrel.svg
./usr/share/man/man6/vantrel.6.gz
./usr/share/metainfo/$id.metainfo.xml"
contents=$(dpkg-deb -c "$deb")
check "it holds exactly the expected files" \
  '[ "$(awk '\''$1 !~ /^d/ {print $6}'\'' <<<"$contents" | sort)" = "$expected" ]'
check "everything in it belongs to root" '! awk '\''{print $2}'\'' <<<"$contents" | grep -vqx root/root'

echo "lintian (errors fail, warnings and infos listed):"
if ! lintian --fail-on error --display-info "$deb" 2>/dev/null | sed 's/^/  /'; then
  echo "FAIL: lintian reports errors"
  fail=1
fi

# A fresh root with an empty package database: the files land where a desktop looks.
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
: >"$root/var/lib/dpkg/status"
check "it installs into a fresh root" \
  'dpkg --root="$root" --force-depends --force-not-root --log=/dev/null -i "$deb" >/dev/null 2>&1'
check "the fresh root records it as installed" \
  'dpkg --root="$root" -s vantrel 2>/dev/null | grep -qx "Status: install ok installed"'
entry="$root/usr/share/applications/$id.desktop"
check "the program is in /usr/bin" '[ -x "$root/usr/bin/vantrel" ]'
check "the program finds every library it links" '! ldd "$root/usr/bin/vantrel" | grep -q "not found"'
check "the desktop entry is valid" 'desktop-file-validate "$entry"'
check "the desktop entry starts the installed program" \
  '[ -x "$root/usr/bin/$(sed -n "s/^Exec=\([^ ]*\).*/\1/p" "$entry")" ]'
check "the desktop entry's icon is in the hicolor theme" \
  'ls "$root"/usr/share/icons/hicolor/*/apps/"$(sed -n "s/^Icon=//p" "$entry")".* >/dev/null 2>&1'
metainfo="$root/usr/share/metainfo/$id.metainfo.xml"
check "the AppStream metadata is valid" 'appstreamcli validate --no-net "$metainfo" >/dev/null'
check "the AppStream metadata and the desktop entry agree" 'appstreamcli validate-tree --no-net "$root" >/dev/null'
check "the AppStream metadata launches the desktop entry" \
  'grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo"'
check "the AppStream metadata has an empty OARS content rating" \
  'grep -qF "<content_rating type=\"oars-1.1\"/>" "$metainfo"'
check "the manual page is vantrel(6) and reads without warnings" \
  '[ -z "$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man6/vantrel.6.gz" 2>&1 >/dev/null)" ] &&
   zcat "$root/usr/share/man/man6/vantrel.6.gz" | grep -q "^\.TH VANTREL 6 "'

# This Debian can resolve its dependencies (the program's libraries, plugin and fonts).
check "apt resolves its dependencies" \
  'apt-get install --simulate "$deb" 2>/dev/null | grep -q "^Inst vantrel "'

[ "$fail" -eq 0 ] && echo "package: all checks passed"
exit "$fail"
