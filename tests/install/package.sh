#!/usr/bin/env bash
# tests/install/package.sh BUILD_DIR: the Debian package holds the installed
# layout, names the libraries the programs need, and its unpacked copy runs
# from another folder.
set -euo pipefail
. "$(dirname "$0")/check_installed.sh"
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
(cd "$build" && cpack -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1) ||
  { cat "$tmp/cpack.log"; fail "cpack failed"; }
deb=$(ls "$tmp"/out/duskmaw_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-mixer-2.0-0 libepoxy0 libtinyxml2; do
  [[ "$depends" == *"$lib"* ]] || fail "the package does not depend on $lib: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = duskmaw ] || fail "the package is not named duskmaw"
# Debian's own checker: no error and no warning (informational notes may stay).
if command -v lintian >/dev/null; then
  report=$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)
  if grep -E '^[EW]: ' <<<"$report"; then
    fail "lintian reports errors or warnings"
  fi
fi
dpkg-deb -x "$deb" "$tmp/root"
check_installed "$tmp/root/usr"
echo "package: ok ($(basename "$deb"), $(du -h "$deb" | cut -f1))"
