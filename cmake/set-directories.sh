#!/bin/sh
# set-directories.sh EXE MAP
# Points two entries of a linked PE file's data directory at what the linker's
# map says, and writes the image checksum anew. The linker of the toolchain
# (binutils 2.40) leaves them empty: the load configuration whatever the program
# defines (the structure _load_config_used, src/app/runtime.cpp), the exports
# when their table is not a section of its own (cmake/linker-script.cmake).
set -eu
exe=$1
map=$2

# The map line "0x00407040  __load_config_used" (i686; x86_64 has one underscore).
address=$(awk '$2 ~ /^__?load_config_used$/ && $1 ~ /^0x/ { print $1; exit }' "$map")
[ -n "$address" ] || { echo "$map: no _load_config_used" >&2; exit 1; }

number() { od -An -v -t "u$2" -j "$1" -N "$2" "$exe" | tr -d ' '; }
put32() {
    printf "$(printf '\\%03o\\%03o\\%03o\\%03o' $(($2 & 255)) $(($2 >> 8 & 255)) $(($2 >> 16 & 255)) $(($2 >> 24 & 255)))" |
        dd of="$exe" bs=1 seek="$1" conv=notrunc status=none
}

optional=$(($(number 60 4) + 24))
case $(number $optional 2) in
267) base=$(number $((optional + 28)) 4); directories=$((optional + 96))
     size=64 ;;    # a 32-bit image's entry must say 64 bytes, or Windows XP and older refuse it
523) base=$(number $((optional + 24)) 8); directories=$((optional + 112))
     size=112 ;;   # the whole 64-bit structure
*)   echo "$exe: not a PE image" >&2; exit 1 ;;
esac
# set_entry INDEX ADDRESS SIZE: an entry that is empty or says the same already.
set_entry() {
    entry=$((directories + $1 * 8))
    rva=$(($2 - base))
    old=$(number $entry 4)
    [ "$old" = 0 ] || [ "$old" = "$rva" ] || { echo "$exe: data directory entry $1 is set already" >&2; exit 1; }
    put32 $entry $rva
    put32 $((entry + 4)) $3
}
set_entry 10 $address $size

# The export table the linker made: the input line " .edata  0x00407870  0x14b dll stuff".
exports=$(awk '$1 == ".edata" && $4 == "dll" && $2 ~ /^0x/ { print $2, $3; exit }' "$map")
[ -n "$exports" ] || { echo "$map: no export table" >&2; exit 1; }
set_entry 0 $exports

# The checksum: 16-bit words summed with their carries, the checksum field
# itself left out, plus the file's length.
checksum=$((optional + 64))
length=$(wc -c < "$exe")
sum=$(od -An -v -t u2 "$exe" | awk -v skip=$((checksum / 2)) -v bytes="$length" '
    { for (i = 1; i <= NF; i++) { if (n != skip && n != skip + 1) { s += $i; s = s % 65536 + int(s / 65536) } n++ } }
    END { printf "%d", s + bytes }')
put32 $checksum "$sum"
