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

start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
    local n
    for n in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    echo "No display: starting Xvfb on :$n"
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    STARTED_XVFB=$!
    export DISPLAY=":$n"
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

start_wineserver() {
    # Fails harmlessly when a server for this prefix is already running.
    /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 || true
}

stop_test_env() {
    /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
    if [ -n "$STARTED_XVFB" ]; then kill "$STARTED_XVFB" 2>/dev/null || true; fi
}

start_test_env() {
    start_display
    make_prefix
    start_wineserver
}
