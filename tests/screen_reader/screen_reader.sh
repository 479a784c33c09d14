#!/usr/bin/env bash
# Starts the program on a virtual display of its own with a private session bus and the
# accessibility bus, and checks what a screen reader hears of it (screen_reader.py).
# Usage: screen_reader.sh <brelvik program>
set -euo pipefail
program="$1"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/addons/desert"

exec dbus-run-session -- bash -c '
    set -euo pipefail
    program="$1" here="$2" work="$3"
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    pids=($!)
    trap "kill \${pids[*]} 2>/dev/null || true" EXIT
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    pids+=($!)
    export XDG_CONFIG_HOME="$work/config"
    (cd "$work/addons" && exec "$program") >/dev/null 2>&1 &
    pids+=($!)
    /usr/bin/python3 "$here/screen_reader.py" "$work/addons"
' bash "$program" "$here" "$work"
