#!/usr/bin/env bash
# Start-up as a user meets it: Tesmara and a bare one-window Qt program (the
# floor) started alternately on an X server (Xvfb) with a window manager
# (openbox) and a session bus, each timed from its start to its first visible
# window, and its memory read 3 s later. Installs what is missing and builds
# first. Usage: bench/startup.sh [RUNS]   (RUNS starts of each, default 21)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(realpath -m "${BUILD_DIR:-build}")
scripts/setup.sh --bench
scripts/build.sh
if [ ! -x "$build_dir/bench/bench_startup" ]; then
    echo "bench_startup was not built (Xlib headers missing?)" >&2
    exit 1
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c '
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
    status=0
    "$1/bench/bench_startup" --app "$1/stage/tesmara" --floor "$1/bench/bench_floor" --runs "$2" || status=$?
    kill "$wm"
    exit "$status"' bench "$build_dir" "${1:-21}"
