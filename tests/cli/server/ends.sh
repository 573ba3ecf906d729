#!/bin/sh
# An input program that ends at once, sending nothing: with the status given
# as status=N, or killed by the signal given as signal=NAME.
for a in "$@"; do
  case $a in
    status=*) exit "${a#status=}" ;;
    signal=*) kill -s "${a#signal=}" $$ ;;
  esac
done
exit 0
