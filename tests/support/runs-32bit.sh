#!/usr/bin/env bash
# Exits with 0 where this machine runs 32-bit x86 programs (some kernels have
# that emulation switched off): a three-instruction program that exits with 7.
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
printf '.globl _start\n_start:\n mov $1,%%eax\n mov $7,%%ebx\n int $0x80\n' >"$dir/t.s"
as --32 "$dir/t.s" -o "$dir/t.o" 2>/dev/null && ld -m elf_i386 "$dir/t.o" -o "$dir/t" 2>/dev/null || exit 1
"$dir/t" 2>/dev/null
[ $? -eq 7 ]
