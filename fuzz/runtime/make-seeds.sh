#!/bin/sh
# Seeds for the runtime fuzz targets, written into OUT_DIR/<target>/.
#   fuzz/runtime/make-seeds.sh OUT_DIR
set -e
out="$1"
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$out/fuzz_ini_file" "$out/fuzz_text_codec"
# The configuration files: the connection section as the run script writes it, the driver
# file, and a hand-off file as the report writes it (Big5 title, LF line ends).
printf '%s\r\n' '[Dulmar]' 'DriverName=Interbase' 'Database=POSDATA.GDB' 'RoleName=RoleName' \
  'User_Name=sysdba' 'Password=moravine' 'SQLDialect=3' 'BlobSize=-1' \
  'Interbase TransIsolation=ReadCommited' 'Trim Char=False' > "$out/fuzz_ini_file/dbxconnections.ini"
cp "$here/../../dbdriver/dbxdrivers.ini" "$out/fuzz_ini_file/dbxdrivers.ini"
printf '[Report]\nTitle=\253\310\244\341\260\317\266\241\260\323\253\176\274\306\266\161\252\355\n; comment\nFile = "rtm\\cust_prod.rtm"\n[report]\nDup=1\n[empty]\n' \
  > "$out/fuzz_ini_file/rpttemp.ini"
# Big5 text with single bytes, lead bytes at the end, user-defined and unmapped codes.
printf '\253\310\244\341\260\317\266\241\260\323\253\176\274\306\266\161\252\355' > "$out/fuzz_text_codec/title.big5"
printf 'CUST\244\244\244\345 \241\100\241\136\371\376\306\241\200\377\201' > "$out/fuzz_text_codec/mixed.big5"
printf '\345\256\242\346\210\266 UTF-8 \360\237\230\200 \355\240\200' > "$out/fuzz_text_codec/utf8.txt"
