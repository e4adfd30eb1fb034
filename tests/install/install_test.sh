#!/usr/bin/env bash
# install_test.sh BUILD_DIR SOURCE_DIR: installs the build into a temporary
# prefix and runs the installed programs from there, as the desktop menu would.
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail() {
  echo "install_test: $*" >&2
  exit 1
}

cmake --install "$build" --prefix "$prefix" >/dev/null

# Removing the manifest's files uninstalls: it names every installed file.
diff <(sort "$build/install_manifest.txt") <(find "$prefix" ! -type d | sort) ||
  fail "install_manifest.txt and the installed files differ"

# Every program and library finds its libraries through relative run paths,
# none in the source or build folder.
elves=$(find "$prefix" -type f \( -name '*.so' -o -path '*/bin/*' \))
[ "$(echo "$elves" | grep -c 'libquill_module.so$')" -eq 1 ] || fail "no module library installed"
for f in $elves; do
  runpath=$(readelf -d "$f" | sed -n 's/.*R\(UN\)\?PATH.*\[\(.*\)\]/\2/p')
  [[ "$runpath" == '$ORIGIN'* && "$runpath" != *:* ]] || fail "$f has the run path '$runpath'"
  libs=$(env -u LD_LIBRARY_PATH ldd "$f")
  if grep -e 'not found' -e "$build" -e "$source/" <<<"$libs"; then
    fail "$f loads libraries from outside the installation"
  fi
done

# The menu entry's command, on a new user's data folder: the host makes the
# user's own demo workspace and loads the installed module library.
desktop-file-validate "$prefix/share/applications/quill.desktop" || fail "the menu entry is invalid"
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/applications/quill.desktop")
[ "$exec_line" = quill ] || fail "the menu entry runs '$exec_line'"
[ -f "$prefix/share/icons/hicolor/scalable/apps/quill.svg" ] || fail "no icon"
export XDG_DATA_HOME=$tmp/data HOME=$tmp/home XDG_RUNTIME_DIR=$tmp/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
(cd "$tmp" && env -u LD_LIBRARY_PATH "$prefix/bin/quill" --snapshot menu.png >/dev/null)
[ -s "$tmp/menu.png" ] || fail "the host started from the menu drew no picture"
workspace=$XDG_DATA_HOME/quill/demo
grep -qx "QUILL.clszh=$prefix/.*/libquill_module.so" "$workspace/registry.ini" ||
  fail "the module library registered is not the installed one: $(cat "$workspace/registry.ini")"

# quill-demo makes a workspace the host opens from the given folder.
env -u LD_LIBRARY_PATH "$prefix/bin/quill-demo" --workspace "$tmp/ws" >/dev/null
env -u LD_LIBRARY_PATH "$prefix/bin/quill" --workspace "$tmp/ws" --snapshot "$tmp/ws.png" >/dev/null
[ -s "$tmp/ws.png" ] || fail "the host drew no picture of the quill-demo workspace"

# The manual pages and --help name the same options. man_options PAGE KIND:
# the options explained in a page's options section (KIND options) or in its
# section on "quill report" (KIND report).
man_options() {
  awk -v kind="$2" '/^\.SH/ {
      on = kind == "report" ? tolower($0) ~ /report/ : ($2 == "OPTIONS" || $2 == "选项")
    } on' "$1" | sed 's/\\-/-/g' | grep -o '^\.B[IR]\? --[a-z-]*' | sed 's/^.* //' | sort -u
}
help_options() {
  "$@" --help | grep -o -- '--[a-z][a-z-]*' | sort -u
}
same() {
  diff <(echo "$2") <(echo "$3") >/dev/null ||
    fail "$1: the manual page and --help name different options:" \
      "$(diff <(echo "$2") <(echo "$3") | grep '^[<>]' | tr '\n' ' ')"
}
for man in "$prefix/share/man/man1" "$prefix/share/man/zh_CN/man1"; do
  same "$man/quill.1" "$(man_options "$man/quill.1" options)" "$(help_options "$prefix/bin/quill")"
  same "$man/quill.1 report" "$(man_options "$man/quill.1" report)" \
    "$(help_options "$prefix/bin/quill" report)"
  same "$man/quill-demo.1" "$(man_options "$man/quill-demo.1" options)" \
    "$(help_options "$prefix/bin/quill-demo")"
done
