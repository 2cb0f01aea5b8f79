#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it as a user would
# meet it: every file in place, the unpacked programs running from anywhere,
# a valid desktop entry, manual pages without formatter warnings, a
# completion that knows the options, and lintian without errors.
#
#   tests/package/check_package.sh BUILD_DIR VERSION
set -euo pipefail

build_dir=$(cd "$1" && pwd)
version=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/obtmirror-package-XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cpack --config "$build_dir/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$work/obtmirror_${version}_amd64.deb
[ -f "$deb" ] || fail "no $deb"

listing=$(dpkg-deb -c "$deb")
for file in usr/bin/obtmirror usr/bin/obtmirror-cli \
    usr/share/obtmirror/samples/quarter-vase.obt \
    usr/share/obtmirror/samples/box-corner.obt \
    usr/share/doc/obtmirror/README.md usr/share/doc/obtmirror/copyright \
    usr/share/doc/obtmirror/changelog.gz \
    usr/share/applications/obtmirror.desktop \
    usr/share/icons/hicolor/scalable/apps/obtmirror.svg \
    usr/share/man/man1/obtmirror.1.gz usr/share/man/man1/obtmirror-cli.1.gz \
    usr/share/bash-completion/completions/obtmirror-cli; do
  grep -q " \./$file\$" <<<"$listing" || fail "$file is not in the package"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
cli=$root/usr/bin/obtmirror-cli
[ "$("$cli" --version)" = "obtmirror-cli $version" ] || fail "--version"
# From another directory, on the package's own sample.
(cd "$work" && "$cli" convert "$root/usr/share/obtmirror/samples/quarter-vase.obt" \
  vase.obt --to all --quiet) >"$work/convert.out" || fail "convert"
grep -qx "Berechnung der 3D-Daten erfolgreich beendet" "$work/convert.out" ||
  fail "convert said: $(cat "$work/convert.out")"
[ "$(sed -n 3p "$work/vase.obt" | tr -d '\r')" = 1062 ] || fail "vase points"
# The PNG writer, which the command line loads from its own library folder.
"$cli" preview "$work/vase.obt" --png "$work/vase.png" >/dev/null ||
  fail "preview --png"
[ "$(head -c 8 "$work/vase.png" | od -An -tx1 | tr -d ' \n')" = \
  89504e470d0a1a0a ] || fail "preview --png wrote no PNG file"
# The mesh formats, from the same folder.
"$cli" export "$work/vase.obt" "$work/vase.stl" --quiet >/dev/null ||
  fail "export"
"$cli" import "$work/vase.stl" "$work/again.obt" --quiet >/dev/null ||
  fail "import"

# The window starts and runs until it is ended.
status=0
mkdir -m 700 "$work/runtime"
XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen \
  timeout 3 "$root/usr/bin/obtmirror" || status=$?
[ "$status" = 124 ] || fail "the window ended by itself with status $status"

desktop-file-validate "$root/usr/share/applications/obtmirror.desktop" ||
  fail "desktop entry"

for page in obtmirror obtmirror-cli; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l \
    "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page(1): $warnings"
done
# Every subcommand is in the page of the command line.
zcat "$root/usr/share/man/man1/obtmirror-cli.1.gz" >"$work/cli.1"
for subcommand in $("$cli" --help |
    awk '/^Subcommands:$/ { on = 1; next } on && /^  [^ ]/ { print $1 }'); do
  grep -qx ".SS $subcommand" "$work/cli.1" || fail "man page lacks $subcommand"
done

if [ -f /usr/share/bash-completion/bash_completion ]; then
  completions=$(PATH=$root/usr/bin:$PATH bash -c '
    source /usr/share/bash-completion/bash_completion
    source "$1"
    compopt() { :; }  # only works inside a real completion
    complete_line() {
      COMP_LINE=$1 COMP_POINT=${#1}
      read -ra COMP_WORDS <<<"$1"
      COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
      _obtmirror_cli
      echo "${COMPREPLY[*]}"
    }
    complete_line "obtmirror-cli convert --f"
    complete_line "obtmirror-cli convert --to 2,"
    complete_line "obtmirror-cli pre"' _ "$root/usr/share/bash-completion/completions/obtmirror-cli")
  [ "$completions" = $'--from\n2,1 2,2 2,4 2,8 2,16 2,32 2,64 2,128\npreview' ] ||
    fail "completion gave: $completions"
fi

# Warnings and information are printed for the reader; errors fail.
lintian --fail-on error "$deb" || fail "lintian found errors"
echo "package $deb: checked"
