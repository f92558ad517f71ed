# Sourced by the frame-cost benchmarks. measure PID: the process's CPU share in percent of one core over
# the next `$seconds` (the caller sets it). now_ns: the wall clock in nanoseconds.
ticks_per_second=$(getconf CLK_TCK)
# User and system CPU ticks of a process so far.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
now_ns() { date +%s%N; }
measure() {
    local pid=$1 t0 c0 t1 c1
    t0=$(now_ns)
    c0=$(cpu_ticks "$pid")
    sleep "$seconds"
    t1=$(now_ns)
    c1=$(cpu_ticks "$pid")
    awk -v c="$((c1 - c0))" -v hz="$ticks_per_second" -v ns="$((t1 - t0))" \
        'BEGIN { printf "%.2f", 100 * (c / hz) / (ns / 1e9) }'
}
