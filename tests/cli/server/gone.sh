#!/bin/sh
# An input program that sends ten descriptions and goes away without reading
# any reply: the replies, more than a pipe holds, meet a closed pipe.
for i in 1 2 3 4 5 6 7 8 9 10; do
  printf '( Xon (\nRead_data\n'
  cat examples/house_r0.qvb
  printf ') Xoff )\n'
done
