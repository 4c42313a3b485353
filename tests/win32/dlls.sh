#!/usr/bin/env bash
# fizzet.exe imports only DLLs that every Windows has.
#   dlls.sh FIZZET_EXE
set -u
system='^(KERNEL32|USER32|GDI32|COMCTL32|WINMM|msvcrt|ADVAPI32|ole32|OLEACC|OLEAUT32|UxTheme)\.dll$'
dlls=$(x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^\s*DLL Name: //p')
echo "$dlls" | sed 's/^/     /'
other=$(grep -viE "$system" <<<"$dlls")
[ -z "$other" ] && echo "ok   only Windows' own DLLs" && exit 0
echo "FAIL not part of Windows: $other"
exit 1
