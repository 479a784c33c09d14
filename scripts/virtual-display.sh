# Sourced by the scripts that run Windows programs under Wine: start_virtual_display starts Xvfb
# on a free display, exports DISPLAY and leaves the server's process id in $xvfb;
# stop_virtual_display ends it.
xvfb=""

start_virtual_display() {
    local display_file
    display_file="$(mktemp)"
    # Xvfb picks a free display number itself and writes it once it accepts clients.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        kill -0 "$xvfb" 2>/dev/null || { echo "Xvfb did not start" >&2; return 1; }
        sleep 0.1
    done
    [ -s "$display_file" ] || { echo "Xvfb gave no display within 10 s" >&2; return 1; }
    DISPLAY=":$(head -n 1 "$display_file")"
    export DISPLAY
    rm -f "$display_file"
}

stop_virtual_display() {
    if [ -n "$xvfb" ]; then
        kill "$xvfb" 2>/dev/null || true
        wait "$xvfb" 2>/dev/null || true
    fi
}
