#!/usr/bin/env bash
# Fails when a file includes something of a layer above its own:
#   core/      no platform header, nothing of services/ or ui/
#   services/  nothing of ui/
# Usage: check_layers.sh <source root>
cd "$1" || exit 1
status=0
check() {  # check <folder> <forbidden include pattern> <what>
    local hits
    hits=$(grep -rnE "^#include [<\"]($2)" "$1" --include='*.cpp' --include='*.h' | grep -v '/tests/')
    if [ -n "$hits" ]; then
        echo "$1 includes $3:"
        echo "$hits"
        status=1
    fi
}
check core 'ui/|services/|windows\.h|mmsystem\.h|commctrl\.h|shellapi\.h|vfw\.h|dshow\.h' \
    'a higher layer or a platform header'
check services 'ui/' 'a window'
[ $status -eq 0 ] && echo "layers: core -> services -> ui, no include goes up"
exit $status
