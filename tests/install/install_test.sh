#!/bin/sh
# `make install` in a scratch prefix: the program, its manual page and the
# README land where PREFIX (and DESTDIR) say, and the installed program runs.
set -eu
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cmake --install "$build" --prefix "$scratch/prefix" > /dev/null
test -x "$scratch/prefix/bin/quavor"
test -f "$scratch/prefix/share/man/man1/quavor.1"
test -f "$scratch/prefix/share/doc/quavor/README.md"
version=$("$scratch/prefix/bin/quavor" -v 2>&1)
test "$version" = "3.1.0"

DESTDIR="$scratch/stage" cmake --install "$build" --prefix /opt/quavor > /dev/null
test -x "$scratch/stage/opt/quavor/bin/quavor"
test -f "$scratch/stage/opt/quavor/share/man/man1/quavor.1"

# The manual page is well-formed: groff has nothing to warn about.
if command -v groff > /dev/null; then
  warnings=$(groff -man -Tutf8 -ww -z "$scratch/prefix/share/man/man1/quavor.1" 2>&1)
  if [ -n "$warnings" ]; then
    echo "$warnings" >&2
    exit 1
  fi
fi
echo "installed and ran"
