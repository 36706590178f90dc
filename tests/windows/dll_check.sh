#!/usr/bin/env bash
# The Windows plug-in as the host sees it: physplug64.dll exports exactly the seven entry points
# (Bullet and the plug-in's own code stay inside), and it needs no DLL beyond those every
# Windows system has (no C++ runtime, libgcc or winpthread DLL to ship beside it).
# usage: dll_check.sh path/to/physplug64.dll
set -euo pipefail
dll=$1
objdump=${OBJDUMP:-x86_64-w64-mingw32-objdump}
fail() { echo "FAIL: $*" >&2; exit 1; }

headers=$("$objdump" -p "$dll") || fail "objdump -p $dll"
grep -q "^architecture: i386:x86-64" <<<"$("$objdump" -f "$dll")" || fail "$dll is no x86-64 image"

# The export table: the lines after "[Ordinal/Name Pointer] Table" up to the first blank line.
exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ { on = 1; next } on && NF == 0 { exit } on { print $NF }' <<<"$headers" | sort)
expected=$(printf '%s\n' create_interface get_group_name get_info get_name get_uuid has_interface is_resident | sort)
[ "$exports" = "$expected" ] || fail "exports differ from the seven entry points: $(diff <(echo "$expected") <(echo "$exports") | tr '\n' ' ')"

# Imported DLLs: only the system's (case differs between linkers).
system_dlls="kernel32.dll msvcrt.dll user32.dll gdi32.dll opengl32.dll glu32.dll"
imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
[ -n "$imports" ] || fail "no import table found in $dll"
for d in $imports; do
  grep -qw "$d" <<<"$system_dlls" || fail "$dll needs $d, which Windows does not ship"
done
# No rounded maths function from the system's C runtime: those of platform/windows_math are linked
# in, so the DLL rounds as the Linux build does on every Windows version.
functions=$(awk '/DLL Name:/ { dll = tolower($3) } dll == "msvcrt.dll" && NF == 3 && $1 ~ /^[0-9a-f]+$/ { print $3 }' <<<"$headers")
maths=$(grep -x -E '(sin|cos|tan|asin|acos|atan|atan2|pow|exp|log|sincos)f?' <<<"$functions" | tr '\n' ' ' || true)
[ -z "$maths" ] || fail "$dll takes $maths from msvcrt.dll instead of its own (platform/windows_math)"

echo "$(basename "$dll"): exports $(echo $exports); imports $(echo $imports); $(stat -c %s "$dll") bytes"
