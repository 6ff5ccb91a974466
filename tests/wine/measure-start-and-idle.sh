#!/usr/bin/env bash
# Inside a Wine session: start-to-tray times of Tonedeck.exe (with the shipped data, no device)
# and of minimal-tray.exe, taken in turns, and the CPU time of each while idle in the tray.
# Both are ended by the exit message between runs.
set -euo pipefail
: "${TONEDECK_BUILD:?}" "${TONEDECK_SOURCE:?}" "${RUNS:?}"
source "$TONEDECK_SOURCE/tests/wine/panel-lib.sh"
require_tools wine xdotool pgrep awk
minimal=$TONEDECK_BUILD/tests/wine/tools/minimal-tray.exe
require_files "$TONEDECK_BUILD/apps/tonedeck/Tonedeck.exe" "$minimal" "$exit_sender"
install_panel "$TONEDECK_BUILD/apps/tonedeck/Tonedeck.exe"
cp "$minimal" "$sim_folder/"

tray_shows() { xdotool search --onlyvisible --name "Wine System Tray" >/dev/null 2>&1; }
cpu_ticks() {  # process name: user + system clock ticks of its Linux process, all threads
    local pid
    pid=$(pgrep -f -n "$1") || fail "no process for $1"
    awk '{ print $14 + $15 }' "/proc/$pid/stat"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ticks_per_second=$(getconf CLK_TCK)

run() {  # program: prints "start-ms idle-cpu-ms"
    local began reached before after program=$sim_folder/$1 pid
    began=$(date +%s%N)
    wine "$program" &
    pid=$!
    pids+=("$pid")
    wait_until 60 "$1 shows its tray icon" tray_shows
    reached=$(date +%s%N)
    sleep 1
    before=$(cpu_ticks "$1")
    sleep 10
    after=$(cpu_ticks "$1")
    send_exit "$pid"
    ended "$pid" 20
    wait_until 20 "the tray icon of $1 goes" eval '! tray_shows'
    echo $(((reached - began) / 1000000)) $(((after - before) * 1000 / ticks_per_second))
}

run minimal-tray.exe >/dev/null  # Wine's own start-up costs the first program of a prefix
: >"$sim_folder/panel.times"
: >"$sim_folder/minimal.times"
for _ in $(seq "$RUNS"); do
    run Tonedeck.exe >>"$sim_folder/panel.times"
    run minimal-tray.exe >>"$sim_folder/minimal.times"
done
panel_start=$(cut -d' ' -f1 "$sim_folder/panel.times" | median)
minimal_start=$(cut -d' ' -f1 "$sim_folder/minimal.times" | median)
panel_cpu=$(cut -d' ' -f2 "$sim_folder/panel.times" | median)
minimal_cpu=$(cut -d' ' -f2 "$sim_folder/minimal.times" | median)
echo "start to tray, median of $RUNS: Tonedeck.exe $panel_start ms, minimal-tray.exe $minimal_start ms," \
     "ratio $(awk -v a="$panel_start" -v b="$minimal_start" 'BEGIN { printf "%.2f", a / b }')"
echo "CPU time idle in the tray for 10 s, median: Tonedeck.exe $panel_cpu ms, minimal-tray.exe $minimal_cpu ms"
echo "all runs (start ms, idle CPU ms): Tonedeck.exe $(tr '\n' ';' <"$sim_folder/panel.times")" \
     "minimal-tray.exe $(tr '\n' ';' <"$sim_folder/minimal.times")"
