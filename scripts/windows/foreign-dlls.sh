#!/usr/bin/env bash
# Prints the DLLs a Windows program imports that Windows itself does not bring (one per
# line; nothing when the program runs from a copied folder). Exit 2 when the file is not a
# Windows program.
#
#   scripts/windows/foreign-dlls.sh program.exe
set -euo pipefail
objdump=x86_64-w64-mingw32-objdump
imports=$("$objdump" -p "$1" 2>/dev/null) || exit 2
printf '%s\n' "$imports" | sed -n 's/^\s*DLL Name: //p' |
  grep -viE '^((kernel32|user32|gdi32|advapi32|shell32|ole32|oleaut32|comctl32|comdlg32|shlwapi|ws2_32|odbc32|odbccp32|msvcrt|ucrtbase|bcrypt|crypt32|secur32|version|uxtheme|dwmapi|imm32|rpcrt4|userenv|api-ms-win-.*)\.dll|winspool\.drv)$' || true
