#!/bin/sh
# Runs a command on an X server of its own (Xvfb, on a free display number) with a window manager (openbox),
# as on a user's desktop: windows are activated, and given back the focus, by the window manager. Both end
# with the command, whose exit status this returns. Fails within seconds when either does not come up.
set -u
work=$(mktemp -d "${TMPDIR:-/tmp}/qelt-x-desktop.XXXXXX") || exit 2
server=""
manager=""
finish() {
    for pid in $manager $server; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM

# Waits up to ten seconds for a file to hold a line (the server's display number, the manager's sign that it
# runs) while the process lives; otherwise says why and fails.
await() {
    file=$1 pid=$2 what=$3 log=$4
    tries=0
    until grep -q . "$file" 2>/dev/null; do
        tries=$((tries + 1))
        if [ "$tries" -gt 100 ] || ! kill -0 "$pid" 2>/dev/null; then
            echo "run_on_x_desktop: $what did not come up" >&2
            cat "$log" >&2
            exit 2
        fi
        sleep 0.1
    done
}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/server.log" 2>&1 &
server=$!
await "$work/display" "$server" "the X server (Xvfb)" "$work/server.log"
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY

openbox --sm-disable --startup "sh -c 'echo running >$work/manager'" >"$work/manager.log" 2>&1 &
manager=$!
await "$work/manager" "$manager" "the window manager (openbox)" "$work/manager.log"

"$@"
