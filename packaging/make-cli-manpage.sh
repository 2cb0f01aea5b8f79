#!/usr/bin/env bash
# Writes the manual page of obtmirror-cli from the program's own help, so
# that the page says what --help says: the tool's help, then each
# subcommand's, whose footers carry the exit statuses; the file format
# comes from file-format.roff beside this script.
#
#   packaging/make-cli-manpage.sh CLI VERSION OUT
set -euo pipefail

cli=$1
version=$2
out=$3
here=$(dirname "$0")

# Text for roff: backslashes kept, a line that starts with a dot or a
# quote kept as text, hyphens as minus signs (what is typed in a shell).
escape() {
  sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/" -e 's/-/\\-/g'
}

# One help text as roff: "Usage:" becomes the synopsis line, each option
# or positional line a tagged paragraph, anything else a paragraph.
help_to_roff() {
  awk '
    function flush() {
      tagged = 0
      if (para != "") { print ".PP"; print para; para = "" }
    }
    /^Usage: / { flush(); sub(/^Usage: /, ""); print ".PP"; print ".B " $0; next }
    /^(Positionals|Options|Subcommands):$/ { flush(); next }
    # A description that the help moved to a line of its own.
    /^      +[^ ]/ && tagged { sub(/^ +/, ""); print; next }
    /^  [^ ]/ {
      flush()
      tagged = 1
      line = substr($0, 3)
      split_at = match(line, /  +/)
      if (split_at > 0) {
        print ".TP"; print ".B " substr(line, 1, split_at - 1)
        print substr(line, split_at + RLENGTH)
      } else {
        print ".TP"; print ".B " line
      }
      next
    }
    /^$/ { flush(); next }
    { para = (para == "" ? $0 : para "\n" $0) }
    END { flush() }
  '
}

tool_help=$("$cli" --help)
subcommands=$(printf '%s\n' "$tool_help" |
  awk '/^Subcommands:$/ { on = 1; next } on && /^  [^ ]/ { print $1 }')

{
  echo ".TH OBTMIRROR-CLI 1 \"\" \"obtmirror $version\" \"User Commands\""
  echo ".SH NAME"
  echo "obtmirror-cli \\- mirror OBT objects into the octants around a centre, from the command line"
  echo ".SH SYNOPSIS"
  echo ".B obtmirror-cli"
  echo ".I SUBCOMMAND"
  echo '.RI [ OPTIONS ] " " ARGUMENTS...'
  echo ".br"
  echo ".B obtmirror-cli"
  echo '.RB [ \-\-help | \-\-version ]'
  echo ".SH DESCRIPTION"
  printf '%s\n' "$tool_help" | escape | help_to_roff
  echo ".SH SUBCOMMANDS"
  for name in $subcommands; do
    echo ".SS $name"
    "$cli" "$name" --help | escape | help_to_roff
  done
  cat "$here/file-format.roff"
  echo ".SH SEE ALSO"
  echo ".BR obtmirror (1)"
} >"$out"
