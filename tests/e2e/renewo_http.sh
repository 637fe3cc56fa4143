#!/bin/sh
# Starts or stops the loopback web server of the update checker's end-to-end test.
# Usage: renewo_http.sh start|stop WORKDIR
# start: serves WORKDIR/www in the background (its pid in WORKDIR/server.pid, its port
# in WORKDIR/port) and writes WORKDIR/down_port, a loopback port nobody listens on.
# stop: ends that server.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
action=$1
work=$2

stop_server() {
    if [ -f "$work/server.pid" ]; then
        kill "$(cat "$work/server.pid")" 2>/dev/null || true
        rm -f "$work/server.pid"
    fi
}

case $action in
start)
    stop_server
    mkdir -p "$work/www" "$work/out"
    rm -f "$work/port"
    # Detached from ctest's pipes, or ctest would wait for the server to end.
    python3 "$here/renewo_http_server.py" "$work" >"$work/server.log" 2>&1 </dev/null &
    echo $! >"$work/server.pid"
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])' >"$work/down_port"
    tries=0
    while [ ! -s "$work/port" ]; do
        tries=$((tries + 1))
        if [ $tries -gt 100 ]; then
            echo "renewo_http: server did not start" >&2
            cat "$work/server.log" >&2
            stop_server
            exit 1
        fi
        sleep 0.1
    done
    echo "renewo_http: serving $work/www on 127.0.0.1:$(cat "$work/port")"
    ;;
stop)
    stop_server
    ;;
*)
    echo "usage: $0 start|stop WORKDIR" >&2
    exit 2
    ;;
esac
