#!/usr/bin/env bash
# Fails when a file includes something of a layer above its own:
#   core/      no platform header, nothing of services/ or ui/
#   services/  nothing of ui/ (its tests neither), no message box
# and when the shared record (services/app_state.h) holds a window handle or more than 20
# fields: windows belong to ui/, and each service keeps its own state.
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
# A service's tests drive it without windows.
hits=$(grep -rnE '^#include "ui/' services/tests --include='*.cpp' --include='*.h')
if [ -n "$hits" ]; then
    echo "services/tests include a window (a service is tested without windows):"
    echo "$hits"
    status=1
fi
boxes=$(grep -rn 'MessageBox[AW]\?\s*(' services --include='*.cpp' --include='*.h' | grep -v '/tests/')
if [ -n "$boxes" ]; then
    echo "services show a message box (they report an outcome; the windows say it):"
    echo "$boxes"
    status=1
fi
# The record's fields: each declarator between "struct AppState {" and its "};".
record=$(sed -n '/^struct AppState {/,/^};/p' services/app_state.h | sed 's://.*$::' | grep ';')
if grep -q 'HWND' <<<"$record"; then
    echo "the shared record holds a window handle: windows belong to ui/"
    status=1
fi
fields=$(sed 's/\[[^]]*\]//g' <<<"$record" | tr -cd ',;' | wc -c)
if [ "$fields" -gt 20 ]; then
    echo "the shared record has $fields fields (at most 20): keep state with its owner"
    status=1
fi
[ $status -eq 0 ] && echo "layers: core -> services -> ui, no include goes up; the shared record has $fields fields"
exit $status
