#!/bin/bash
# A scripted input program for the serving tests: the engine launches it (-ipc)
# with its own arguments (-f, -I, ...) followed by ours:
#   requests=FILE   the text to send, line by line
#   replies=FILE    where every line read from the engine is recorded
#   arguments=FILE  where all our arguments are recorded, one per line
#   timeout=SECONDS how long to wait for one reply line (default 10)
# Lines of the requests file are sent as they are, except the directives:
#   #> wait N       read N replies (each ends with its ") Xoff )" line)
#   #> run COMMAND  run a shell command (e.g. remove a report between two computations)
# At the end of the requests file our output is closed, then everything the
# engine still writes is recorded until it closes its own output.
# A reply that does not come in time (a reply left unflushed) writes TIMEOUT
# in the replies file and ends the stand-in, which closes the engine's input.

requests=
replies=
arguments=
timeout=10
for a in "$@"; do
  case $a in
    requests=*) requests=${a#requests=} ;;
    replies=*) replies=${a#replies=} ;;
    arguments=*) arguments=${a#arguments=} ;;
    timeout=*) timeout=${a#timeout=} ;;
  esac
done
if [ -n "$arguments" ]; then printf '%s\n' "$@" > "$arguments"; fi
if [ -z "$requests" ] || [ -z "$replies" ]; then
  echo "stand_in: requests=FILE and replies=FILE are needed" >&2
  exit 2
fi
: > "$replies"

# One reply; fails at the end of the engine's output.
read_reply() {
  local line rc
  while :; do
    IFS= read -r -t "$timeout" line
    rc=$?
    if [ $rc -gt 128 ]; then
      echo "TIMEOUT" >> "$replies"
      echo "stand_in: no reply within ${timeout}s" >&2
      exit 1
    fi
    if [ $rc -ne 0 ]; then
      [ -n "$line" ] && printf '%s' "$line" >> "$replies"
      return 1
    fi
    printf '%s\n' "$line" >> "$replies"
    [ "$line" = ") Xoff )" ] && return 0
  done
}

exec 3< "$requests"
while IFS= read -r line <&3 || [ -n "$line" ]; do
  case $line in
    '#> wait '*)
      n=${line#'#> wait '}
      for ((i = 0; i < n; i++)); do read_reply || break; done
      ;;
    '#> run '*) eval "${line#'#> run '}" ;;
    *) printf '%s\n' "$line" ;;
  esac
done
exec 3<&-
exec 1>&-
while read_reply; do :; done
exit 0
