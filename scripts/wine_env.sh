# Sourced by run.sh and test.sh: a Wine prefix of the project's own, a display, a silent
# sound device, and a persistent wineserver so each program starts in milliseconds.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

export WINEPREFIX="$BUILD/wineprefix-$MIRELO_TEST_ARCH"
export WINEARCH="$MIRELO_TEST_ARCH"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# ALSA reads ~/.asoundrc: a home of our own with the null device, so MCI can open media
# on a machine without a sound card, without touching the user's own settings.
export HOME="$BUILD/home"
WINE="$ROOT/scripts/wine-run"
STARTED_XVFB=""

# One display per build folder, reused by every later command, so all programs of the
# prefix's wineserver share the desktop they were started on.
start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
    local file="$BUILD/xvfb-display" n
    if [ -f "$file" ]; then
        n=$(cat "$file")
        if xdpyinfo -display ":$n" >/dev/null 2>&1; then
            export DISPLAY=":$n" MIRELO_OWN_DISPLAY=1
            return
        fi
    fi
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    echo "No display: starting Xvfb on :$n"
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    STARTED_XVFB=$!
    export DISPLAY=":$n"
    mkdir -p "$BUILD"
    echo "$n" > "$file"
    for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
    echo "Xvfb did not start" >&2
    return 1
}

make_prefix() {
    mkdir -p "$HOME"
    printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$HOME/.asoundrc"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Making the Wine prefix $WINEPREFIX"
        "$WINE" wineboot -i >/dev/null 2>&1 || true
        /usr/lib/wine/wineserver -w
    fi
    # A crash ends the process at once instead of opening the crash dialog.
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    # A Japanese Windows has Japanese glyphs in its interface fonts; link the IPA Gothic font
    # behind Wine's own so the program's texts render instead of showing boxes.
    local face
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "MS UI Gothic"; do
        "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v "$face" /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f >/dev/null 2>&1 || true
    done
    mkdir -p "$WINEPREFIX/drive_c/Program Files/Oakhollow/MireloFreeEdition/Cap" \
             "$WINEPREFIX/drive_c/Program Files/Oakhollow/MireloFreeEdition/Bmp"
}

# Without a window manager Wine waits about 2 s for one whenever a top-level window is hidden
# or destroyed; unmanaged windows do not wait. Only on a display of our own: on a desktop
# with a window manager the program's windows stay managed.
set_window_management() {
    local managed=Y
    [ -n "$STARTED_XVFB" ] || [ "${MIRELO_OWN_DISPLAY:-}" = 1 ] && managed=N
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f >/dev/null 2>&1 || true
}

start_wineserver() {
    # Fails harmlessly when a server for this prefix is already running.
    /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 || true
}

stop_test_env() {
    /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
    if [ -n "$STARTED_XVFB" ]; then
        kill "$STARTED_XVFB" 2>/dev/null || true
        rm -f "$BUILD/xvfb-display"
    fi
}

start_test_env() {
    start_display
    make_prefix
    # The tests never run under a window manager.
    MIRELO_OWN_DISPLAY=1 set_window_management
    start_wineserver
}
