# check_installed PREFIX: the installed layout is complete and the programs
# run from a folder of their own, finding their content in
# PREFIX/share/duskmaw. Sourced by the install and package tests.

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

check_installed() {
  local prefix=$1 content=$1/share/duskmaw
  local f
  for f in games/duskmaw games/duskmaw-editor games/duskmaw-check \
    share/duskmaw/settings.ini share/duskmaw/maps/map1.xml share/duskmaw/resources/entity.xml \
    share/applications/duskmaw.desktop share/applications/duskmaw-editor.desktop \
    share/icons/hicolor/48x48/apps/duskmaw.png share/icons/hicolor/256x256/apps/duskmaw-editor.png \
    share/doc/duskmaw/LICENSES.md share/doc/duskmaw/copyright share/doc/duskmaw/changelog.gz \
    share/man/man6/duskmaw.6.gz share/man/man6/duskmaw-editor.6.gz share/man/man6/duskmaw-check.6.gz \
    share/metainfo/org.duskmaw.duskmaw.metainfo.xml; do
    [ -e "$prefix/$f" ] || fail "$f is not installed"
  done
  [ -z "$(find "$content" -name log.txt -o -name '*.recovery')" ] ||
    fail "a working copy's leftovers were installed"
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix"/share/applications/*.desktop || fail "a desktop entry is not valid"
  fi
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix"/share/metainfo/*.xml || fail "the metainfo is not valid"
  fi

  # Somewhere with no content folder anywhere above it, and no display.
  local away
  away=$(mktemp -d)
  (
    cd "$away"
    export -n DISPLAY
    "$prefix/games/duskmaw" --headless --frames 120 || fail "the installed game failed"
    grep -Fqx "Content folder: $content" "$content/log.txt" ||
      fail "the game did not run in $content: $(grep 'Content folder' "$content/log.txt")"
    "$prefix/games/duskmaw-editor" --headless --frames 60 || fail "the installed editor failed"
    grep -Fqx "Content folder: $content" "$content/log.txt" || fail "the editor did not run in $content"
    # Started by name from PATH and through a link elsewhere, as a menu or
    # a player's own link would start it.
    PATH=$prefix/games:$PATH duskmaw --headless --frames 10 || fail "the game failed when found on PATH"
    grep -Fqx "Content folder: $content" "$content/log.txt" || fail "the game on PATH missed its content"
    ln -s "$prefix/games/duskmaw" play
    ./play --headless --frames 10 || fail "the game failed through a link"
    grep -Fqx "Content folder: $content" "$content/log.txt" || fail "the linked game missed its content"
    local summary
    summary=$("$prefix/games/duskmaw-check") || fail "the installed checker found problems: $summary"
    echo "$summary"
  ) || exit 1
  rm -rf "$away"
  rm -f "$content/log.txt"
}
