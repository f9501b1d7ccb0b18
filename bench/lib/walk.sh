# Sourced by the walk benchmarks (bench/walk, bench/walk-wan, bench/walk-lossy).
# walk_setup NAME ROWS sets build, work, walker, relay, mib, table, entry and
# target (the simulator's forwarding table of ROWS rows on SIM_PORT) and
# stops everything it started on exit.
source scripts/lib/simulator.sh
source scripts/lib/build.sh

walk_setup() {
    bench_name="$1"
    local rows="$2"
    build="$(build_dir)"
    walker="$build/bench/rq5160_bench_walk"
    relay="$build/bench/rq5160_bench_relay"
    for program in "$build/sim/rq5160-sim" "$walker" "$relay"; do
        [ -x "$program" ] || { echo "$bench_name: $program is missing; build first (scripts/test)" >&2; exit 1; }
    done
    work="$(mktemp -d)"
    SIM_PID="" RELAY_PID=""
    trap walk_cleanup EXIT
    # The tools read no configuration of the machine or the user.
    export SNMPCONFPATH="$work/none" SNMP_PERSISTENT_DIR="$work/persist" HOME="$work"
    mib=(-M bench/mibs -m RQ5160-BENCH-MIB)
    table=RQ5160-BENCH-MIB::dot1qTpFdbTable
    entry=1.3.6.1.2.1.17.7.1.2.2.1
    start_simulator "$build" "$work/sim.out" --fdb "$rows"
    target="127.0.0.1:$SIM_PORT"
}

walk_cleanup() {
    for pid in $RELAY_PID $SIM_PID; do
        kill "$pid" 2>/dev/null && { wait "$pid" 2>/dev/null || true; }
    done
    rm -rf "$work"
}

# start_relay DELAY_MS LOSS SEED: a relay towards the simulator, bounded to
# 15 minutes and two million datagrams; sets RELAY_PORT.
start_relay() {
    [ -n "$RELAY_PID" ] && kill "$RELAY_PID" 2>/dev/null && { wait "$RELAY_PID" 2>/dev/null || true; }
    "$relay" "$SIM_PORT" "$1" "$2" "$3" 900 2000000 >"$work/relay.out" 2>&1 &
    RELAY_PID=$!
    RELAY_PORT=""
    for _ in $(seq 100); do
        RELAY_PORT="$(sed -n 's/^relay listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$work/relay.out")"
        [ -n "$RELAY_PORT" ] && return 0
        sleep 0.05
    done
    echo "$bench_name: the relay did not start" >&2
    exit 1
}

now() { date +%s%N; }
seconds() { awk -v ns="$1" 'BEGIN { printf "%.3f", ns / 1e9 }'; }
smaller() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || b < a) ? b : a }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

# timed_tool LINES TOOL ARGS...: runs a tool, checks the number of lines it
# printed (its output stays in $work/tool.out) and echoes its time in ns.
timed_tool() {
    local expected_lines="$1"
    shift
    local start end lines
    start="$(now)"
    "$@" >"$work/tool.out" 2>"$work/tool.err"
    end="$(now)"
    lines="$(wc -l <"$work/tool.out")"
    if [ "$lines" -ne "$expected_lines" ]; then
        echo "$bench_name: $1 printed $lines lines, expected $expected_lines" >&2
        cat "$work/tool.err" >&2
        exit 1
    fi
    echo $((end - start))
}

# module_walk ROWS ADDRESS PORT [walker options]: the module's walk; checks
# the rows and echoes its seconds (its whole report stays in $work/walk.out).
module_walk() {
    local rows="$1"
    shift
    "$walker" "$@" >"$work/walk.out" 2>/dev/null || true
    [ "$(sed -n 's/.*rows=\([0-9]*\).*/\1/p' "$work/walk.out")" = "$rows" ] ||
        { echo "$bench_name: the module walked: $(cat "$work/walk.out")" >&2; exit 1; }
    sed -n 's/.*seconds=\([0-9.]*\).*/\1/p' "$work/walk.out"
}
