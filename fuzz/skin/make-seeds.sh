#!/bin/sh
# Seeds for the skin fuzz targets from our own skins, written into DIR/<target>/ (needs python3
# for the decompressed contents).
#   fuzz/skin/make-seeds.sh BUILD_DIR_WITH_SKINPACK OUT_DIR
set -e
packer="$1/exedir/skinpack"
out="$2"
here=$(cd "$(dirname "$0")" && pwd)
skins="$here/../../skins"
mkdir -p "$out/fuzz_skin_ini" "$out/fuzz_bmp_file" "$out/fuzz_skin_pictures" "$out/fuzz_compressed_skin"
for s in compressed stored; do
  cp "$skins/$s/SKIN.INI" "$out/fuzz_skin_ini/$s.ini"
  for f in "$skins/$s"/*.bmp; do cp "$f" "$out/fuzz_bmp_file/$s-$(basename "$f")"; done
  "$packer" pictures "$skins/$s/SKIN.INI" -o "$out/fuzz_skin_pictures/$s.bin"
  "$packer" compress "$skins/$s/SKIN.INI" -o "$out/fuzz_compressed_skin/$s.bin"
  # The target also loads its input as decompressed content: give it whole contents too.
  python3 -c 'import sys, zlib; sys.stdout.buffer.write(zlib.decompress(open(sys.argv[1], "rb").read()))' \
    "$out/fuzz_compressed_skin/$s.bin" > "$out/fuzz_compressed_skin/$s-content.bin"
done
# A content without pictures and with the smallest complete text.
{ printf '\001\000\000\000\001\001\001\000\000\000\000'
  printf '[VERSION]\r\n[PICTURES]\r\n[FORMINFO]\r\n[SKINOBJECTS]\r\ncount=1\r\n0=c:caption\r\n'
  printf '[SKINCONTROLS]\r\ncount=1\r\n0=panel:panel\r\n[panel]\r\nskinrect=0,0,9,9\r\n'
} > "$out/fuzz_compressed_skin/bare-content.bin"
printf '\001\001\001\000\000\000\000' > "$out/fuzz_skin_pictures/empty.bin"
