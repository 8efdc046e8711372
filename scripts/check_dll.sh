#!/usr/bin/env bash
# Checks a built Corvane.dll without running it: exactly the four COM exports by name, and
# the resources the module must carry (TYPELIB 1, REGISTRY 101, 103 and 104, the chart
# control's toolbox BITMAP 105, the string table block of string 100, the version resource).
# Usage: check_dll.sh OBJDUMP DLL
set -u
objdump=$1
dll=$2
dump=$("$objdump" -p "$dll") || { echo "dll-check: cannot read $dll"; exit 1; }
fail=0
check() { if [ "$1" = ok ]; then passed=$((passed + 1)); else echo "dll-check: $2"; fail=$((fail + 1)); fi; }
passed=0

exports=$(printf '%s\n' "$dump" | awk '/\[Ordinal\/Name Pointer\] Table/{t=1; next} t && NF==0 {t=0} t {print $NF}' | sort | tr '\n' ' ')
want="DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer "
[ "$exports" = "$want" ] && check ok || check no "exports are '$exports', want '$want'"

rsrc=$(printf '%s\n' "$dump" | sed -n '/The .rsrc Resource Directory section/,$p')
# Type entries are indented by two spaces, their id entries by four.
has_resource() {  # type-pattern id-hex
  printf '%s\n' "$rsrc" | awk -v type="$1" -v id="$2" '
    /^[0-9a-f]+   Entry: / { intype = ($0 ~ type) }
    /^[0-9a-f]+     Entry: ID: / { if (intype && $0 ~ ("ID: 0x0*" id ",")) found = 1 }
    END { exit found ? 0 : 1 }'
}
has_resource 'TYPELIB' 1 && check ok || check no "no TYPELIB 1 resource"
has_resource 'REGISTRY' 65 && check ok || check no "no REGISTRY 101 resource"
has_resource 'REGISTRY' 67 && check ok || check no "no REGISTRY 103 resource"
has_resource 'REGISTRY' 68 && check ok || check no "no REGISTRY 104 resource (the chart control)"
has_resource 'ID: 0x0*2,' 69 && check ok || check no "no BITMAP 105 resource (the control's toolbox picture)"
has_resource 'ID: 0x0*6,' 7 && check ok || check no "no string table block holding string 100"
has_resource 'ID: 0x0*10,' 1 && check ok || check no "no version resource"

echo "dll-check $(basename "$(dirname "$dll")")/$(basename "$dll"): $passed passed, $fail failed"
[ $fail -eq 0 ]
