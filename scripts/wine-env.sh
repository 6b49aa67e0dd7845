# Sourced by the scripts that run Windows programs: a private X display, a Wine prefix inside
# the build tree and one persistent wineserver. Everything started here is ended by PID (or,
# for Wine's own processes, through our private prefix) by vantor_wine_stop.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
VANTOR_WINE64=/usr/lib/wine/wine64
[ -x "$VANTOR_WINE64" ] || VANTOR_WINE64=$(command -v wine64 || command -v wine)
vantor_xvfb_pid=
vantor_wineserver_pid=
vantor_keepalive_pid=

# Starts Xvfb on the first free display number from 90 on and exports DISPLAY.
vantor_display_start() {
    local n
    for n in $(seq 90 190); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        vantor_xvfb_pid=$!
        local tries
        for tries in $(seq 100); do
            if xdpyinfo -display ":$n" >/dev/null 2>&1; then
                export DISPLAY=":$n"
                return 0
            fi
            kill -0 "$vantor_xvfb_pid" 2>/dev/null || break   # lost a race for this number
            sleep 0.1
        done
        kill "$vantor_xvfb_pid" 2>/dev/null || true
        vantor_xvfb_pid=
    done
    echo "no free X display found" >&2
    return 1
}

# Makes the prefix on first use: no window manager (Managed=N), no sound driver, Wine's fonts.
vantor_prefix_prepare() {
    export WINEPREFIX=$1
    if [ ! -f "$WINEPREFIX/.vantor-ready" ]; then
        echo "Creating the Wine prefix $WINEPREFIX (once)..."
        rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        wineboot -i </dev/null >/dev/null 2>&1
        "$VANTOR_WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f </dev/null >/dev/null 2>&1
        "$VANTOR_WINE64" reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d '' /f </dev/null >/dev/null 2>&1
        wineserver -w
        touch "$WINEPREFIX/.vantor-ready"
    fi
    # Wine draws the caption buttons with Marlett; Debian ships it outside the prefix's search path.
    local marlett=/usr/share/wine/fonts/marlett.ttf fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -f "$marlett" ] && [ ! -f "$fonts/marlett.ttf" ]; then
        cp "$marlett" "$fonts/"
    fi
}

# One wineserver for the whole run, started with its output away from any pipe that a test
# runner waits on (the server and Wine's own processes would otherwise hold it open).
vantor_wineserver_start() {
    wineserver -f -p </dev/null >/dev/null 2>&1 &
    vantor_wineserver_pid=$!
    "$VANTOR_WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# A hidden window started before any test keeps Wine's desktop process up for the whole run.
vantor_keepalive_start() {
    [ -f "$1" ] || return 0
    "$VANTOR_WINE64" "$1" </dev/null >/dev/null 2>&1 &
    vantor_keepalive_pid=$!
}

vantor_wine_stop() {
    set +e # clean-up runs to the end whatever fails on the way
    if [ -n "${WINEPREFIX:-}" ] && [ -n "$vantor_wineserver_pid" ]; then
        wineserver -k 2>/dev/null
        [ -n "$vantor_keepalive_pid" ] && wait "$vantor_keepalive_pid" 2>/dev/null
        kill "$vantor_wineserver_pid" 2>/dev/null
        wait "$vantor_wineserver_pid" 2>/dev/null
    fi
    if [ -n "$vantor_xvfb_pid" ]; then
        kill "$vantor_xvfb_pid" 2>/dev/null
        wait "$vantor_xvfb_pid" 2>/dev/null
    fi
    vantor_keepalive_pid=
    vantor_wineserver_pid=
    vantor_xvfb_pid=
}

# Cleans up on any way out, also when the run is interrupted or terminated.
vantor_wine_trap() {
    trap vantor_wine_stop EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM HUP
}
