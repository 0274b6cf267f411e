#!/usr/bin/env bash
# figures.sh -- what bench/run.sh and bench/windows.sh both read off the program's benchmark report;
# sourced, not run.

field() { # field NAME LINE: the value of NAME=... on a "benchmark frames=" line
  sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<"$2"
}

median() { sort -g | awk '{v[NR]=$1} END{if (NR==0) print "-"; else if (NR%2) print v[(NR+1)/2]; else printf "%.3f\n", (v[NR/2]+v[NR/2+1])/2}'; }
maximum() { sort -g | tail -1; }
