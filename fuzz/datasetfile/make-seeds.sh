#!/usr/bin/env bash
# Writes a small seed corpus for fuzz_datasetfile into the directory given (default: seeds).
set -euo pipefail
out=${1:-seeds}
mkdir -p "$out"
cdstool=${CDSTOOL:-cdstool}
"$cdstool" param "Title" -o "$out/param-ascii.cds"
"$cdstool" param "客戶區間商品數量表" -o "$out/param-big5.cds"
# Header only: no fields, no rows.
printf 'CPDS\r\n\x1a\n\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00' > "$out/empty.cds"
# Nine fields of every storage kind, one row with a null and one full row.
printf 'CPDS\r\n\x1a\n\x01\x00\x00\x00\x09\x00\x00\x00\x02\x00\x00\x00' > "$out/types.cds"
for spec in 'S\x01' 'I\x02' 'L\x03' 'F\x04' 'D\x05' 'T\x06' 'M\x07' 'B\x08' 'X\x01'; do
  printf "\x01\x00${spec:0:1}${spec:1}\x01\x0a\x00\x00\x00" >> "$out/types.cds"
done
printf '\xfe\x01\x02\x00\x00\x00ab' >> "$out/types.cds"
printf '\x00\x00\x01\x00\x00\x00a\x05\x00\x00\x00\x00\x00\x00\x00\xff\xff\xff\xff\xff\xff\xff\xff' >> "$out/types.cds"
printf '\x00\x00\x00\x00\x00\x00\x29\x40\x00\x00\x00\x00\x00\x00\xe6\x40\x00\x00\x00\x00\x00\x00\xe6\x40' >> "$out/types.cds"
printf '\x02\x00\x00\x00\xa4\x40\x00\x00\x00\x00\x01\x00\x00\x00z' >> "$out/types.cds"
