#!/usr/bin/env bash
# tests/install/installed_copy.sh BUILD_DIR: `cmake --install` into a
# temporary prefix, then the installed programs run from another folder.
set -euo pipefail
. "$(dirname "$0")/check_installed.sh"
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cmake --install "$build" --prefix "$tmp/prefix" >"$tmp/install.log" ||
  { cat "$tmp/install.log"; fail "cmake --install failed"; }
check_installed "$tmp/prefix"

# A content folder that cannot be written (as installed system-wide) sends
# the log to the player's state folder. Root writes anywhere, so only an
# ordinary user can see this.
if [ "$(id -u)" -ne 0 ]; then
  chmod -R a-w "$tmp/prefix/share/duskmaw"
  (cd "$tmp" && XDG_STATE_HOME=$tmp/state "$tmp/prefix/games/duskmaw" --headless --frames 10) ||
    fail "the game failed on a read-only content folder"
  grep -q "the log is $tmp/state/duskmaw/log.txt" "$tmp/state/duskmaw/log.txt" ||
    fail "the log did not go to the state folder"
  chmod -R u+w "$tmp/prefix/share/duskmaw"
fi
echo "install: ok"
