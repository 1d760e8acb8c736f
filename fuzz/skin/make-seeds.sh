#!/bin/sh
# Seeds for the skin fuzz targets from our own skins, written into DIR/<target>/.
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
done
printf '\001\001\001\000\000\000\000' > "$out/fuzz_skin_pictures/empty.bin"
