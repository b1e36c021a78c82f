#!/usr/bin/env bash
# The layers of the program, bottom up: the runtime; the installer and the toolkit (its controls
# above its core), each on the runtime alone; the wizard; the program. A source may include its
# own layer and those below it, never one above. Prints every #include that reaches upward and
# ends with 1 when there is one.
#
#   tools/check_layers.sh
set -uo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
LAYERS="runtime installer resources toolkit wizard program"
status=0

check() { # folder, the top folders its sources may include from...
    local folder=$1
    shift
    local file line target top
    while IFS=: read -r file line target; do
        top=${target%%/*}
        # Only the project's own layers; generated headers ("kName.h", "art/...") and the
        # system's are not layers.
        [[ " $LAYERS " == *" $top "* ]] || continue
        local allowed=0 prefix
        for prefix in "$@"; do
            [[ $target == "$prefix"/* ]] && allowed=1
        done
        if [ "$allowed" = 0 ]; then
            echo "${file#"$ROOT"/}:$line: includes $target, which is not below $folder"
            status=1
        fi
    done < <(grep -rnoE --include='*.h' --include='*.cpp' '^#include "[^"]+"' "$ROOT/$folder" |
        sed -E 's/#include "([^"]+)"$/\1/')
}

check runtime runtime
check installer runtime installer resources/payload
check toolkit/core runtime toolkit/core
check toolkit/controls runtime toolkit
check wizard runtime installer resources/payload toolkit wizard
check program runtime installer resources/payload toolkit wizard program
[ "$status" = 0 ] && echo "layers: no include reaches upward"
exit "$status"
