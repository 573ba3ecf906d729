#!/bin/sh
# An input program that records its process id in the file named by its
# argument pid=FILE, optionally sends Quit (argument quit), then waits without
# reading or writing: only the engine (or the kernel) can end it.
pidfile=
quit=
for a in "$@"; do
  case $a in
    pid=*) pidfile=${a#pid=} ;;
    quit) quit=yes ;;
  esac
done
echo $$ > "$pidfile.tmp" && mv "$pidfile.tmp" "$pidfile"
if [ -n "$quit" ]; then printf '( Xon (\nQuit\n) Xoff )\n'; fi
exec sleep 30
