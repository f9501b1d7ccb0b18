# Sourced by the scripts that need the simulated switch.
# start_simulator BUILD_DIR LOG [simulator options...] starts rq5160-sim on an
# ephemeral loopback port and sets SIM_PID and SIM_PORT; it fails when the
# simulator does not come up within ten seconds. The caller stops it.
start_simulator() {
    local build="$1" log="$2"
    shift 2
    "$build/sim/rq5160-sim" --listen 127.0.0.1:0 "$@" >"$log" 2>&1 &
    SIM_PID=$!
    for _ in $(seq 100); do
        grep -q 'listening on' "$log" && break
        sleep 0.1
    done
    SIM_PORT=$(sed -n 's/.*listening on [^:]*:\([0-9]*\).*/\1/p' "$log")
    if [ -z "$SIM_PORT" ]; then
        echo "the simulator did not start:" >&2
        cat "$log" >&2
        return 1
    fi
}
