# shellcheck shell=bash
# What the Windows tests share (sourced): the prefix that `wine_prefix
# setup` made for this ctest run, simulators on its COM ports, and runs of
# Windows programs with their output, exit code and duration.
#   wine_use STATE_DIR            the run's prefix; a scratch folder $work
#   sim_start N LINUX_QXSIM ARGS  qxsim on COMn (its output in $work/simN.*)
#   sim_stop_all
#   run_exe EXE ARGS...           sets $code, $out, $err and $elapsed_ms
#   check CONDITION MESSAGE       counts a failure; `finish` reports them

failures=0
sim_pids=()

wine_use() {
    local folder
    folder=$(cat "$1/prefix")
    export WINEPREFIX=$folder/prefix WINEDEBUG=-all
    ports=$folder/ports
    work=$(mktemp -d "${TMPDIR:-/tmp}/qx-wine-test.XXXXXX")
    trap 'sim_stop_all; rm -rf "$work"' EXIT
}

now_ms() { date +%s%3N; }

# Starts qxsim on COMn's link and waits until it serves.
sim_start() {
    local n=$1 qxsim=$2
    shift 2
    rm -f "$work/sim$n.out" "$work/sim$n.err"
    "$qxsim" --link "$ports/com$n" "$@" >"$work/sim$n.out" 2>"$work/sim$n.err" &
    sim_pids[n]=$!
    local deadline=$(($(now_ms) + 10000))
    until [[ -s $work/sim$n.out ]]; do
        if (($(now_ms) > deadline)) || ! kill -0 "${sim_pids[n]}" 2>/dev/null; then
            echo "qxsim on COM$n did not start: $(cat "$work/sim$n.err")"
            exit 1
        fi
        sleep 0.05
    done
}

sim_stop_all() {
    local pid
    for pid in "${sim_pids[@]}"; do
        kill -TERM "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    sim_pids=()
}

run_exe() {
    local start
    start=$(now_ms)
    set +e
    # Well inside the test's own bound, so a run that hangs is named by its check.
    timeout 120 wine "$@" >"$work/out" 2>"$work/err"
    code=$?
    set -e
    elapsed_ms=$(($(now_ms) - start))
    out=$(cat "$work/out")
    err=$(cat "$work/err")
}

check() {
    if ! eval "$1"; then
        echo "FAIL: $2"
        echo "  exit $code; standard output:"
        sed 's/^/    /' <<<"$out"
        echo "  standard error:"
        sed 's/^/    /' <<<"$err"
        failures=$((failures + 1))
    fi
}

finish() {
    if ((failures > 0)); then
        echo "$failures check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}
