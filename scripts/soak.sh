#!/usr/bin/env bash
# Soak run: the client against the demonstration cluster for a long work session, under xvfb.
#
#   scripts/soak.sh [minutes=10] [clusters=100] [stations=100]
#
# Builds the release build (scripts/build.sh, build/) unless KALVER_SOAK_BUILD_DIR names a build folder
# to use as it is; copies its program folder to a scratch folder with a settings.ini of <clusters>
# clusters on 127.0.0.1, consecutive ports from KALVER_SOAK_PORT (default 41000), <stations> stations
# each, polled every 5 s; starts the demonstration cluster there and the client logged in as
# KALVER_SOAK_LOGIN (default "Demo", access level 3, so charge-trend files are written too; password
# from KALVER_PASSWORD, default "demo") with --login, connected to every cluster and in the work
# session (--work), writing its statistics log every 10 s (--statistics); ends the client after
# <minutes> (--quit-after, keeping the charge-trend files: --charge-files keep) and then the
# demonstration cluster, and prints the figures:
#   polls sent and status reports merged per cluster (min / max / total), the largest number of
#   unanswered polls of one cluster; the start-up times (connection window to every cluster permitted,
#   work session start to every tile drawn) and the longest stall of the user-interface thread during
#   the start-up; after the warm-up (60 s, or a quarter of a short run) its busy share and its longest
#   stall, the handling of one event (with the processor time the thread had in it and the time it was
#   ready to run but had no processor: a loaded machine); resident memory after the warm-up and at the end, and
#   its growth per hour after the first 10 minutes (a least-squares slope; after the warm-up in runs
#   shorter than 20 minutes); the charge-trend files written.
# Exit status 1 when a cluster lost reports (more than the one poll that may be in flight at the end),
# a cluster was never polled, resident memory grew by 5 % or more (or, in runs of 20 minutes or more,
# by 1 MB an hour or more after the first 10 minutes), or the user-interface thread stalled for more
# than 50 ms after the warm-up; 2 when the run itself failed.
# The scratch folder (statistics.log, client.log, demo.log, the journal, Charge/) is kept and its path
# printed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

minutes=${1:-10}
clusters=${2:-100}
stations=${3:-100}
base_port=${KALVER_SOAK_PORT:-41000}
sync_port=${KALVER_SOAK_SYNC_PORT:-$((base_port + 200))}
interval=10
for n in "$minutes" "$clusters" "$stations"; do
  [[ $n =~ ^[0-9]+$ && $n -ge 1 ]] || { echo "usage: $0 [minutes] [clusters 1..100] [stations 1..100]" >&2; exit 2; }
done
(( clusters <= 100 && stations <= 100 )) || { echo "clusters and stations are 1..100" >&2; exit 2; }

if [[ -n ${KALVER_SOAK_BUILD_DIR:-} ]]; then
  build=$(cd "$KALVER_SOAK_BUILD_DIR" && pwd)
else
  scripts/build.sh release
  build=$root/build
fi
[[ -x $build/program/KalverClient && -x "$build/program/DemoServer/Kalver DemoServer" && -f $build/program/users.dat ]] ||
  { echo "no client or demonstration cluster in $build/program" >&2; exit 2; }

scratch=$(mktemp -d /tmp/kalver-soak.XXXXXX)
program=$scratch/program
mkdir -p "$program"
cp -a "$build/program/." "$program/"
rm -f "$program/arch.res" "$program/DemoServer/Kalver DemoServer.lock"
rm -rf "$program/Charge"

# settings.ini: one value a line, CR LF, Windows-1251 (config/SettingsFile.h).
vert=$(( (stations + 9) / 10 ))
{
  printf '%s\n' "$clusters" "$stations" "" "Charge/" 5 10 "$vert" 9999 4
  printf '%s\n' "Кластер" "IP-адрес" "Порт" "MAC-адрес"
  printf '%s\n' "IP клиента/порт синхр." 127.0.0.1 "$sync_port" 00-00-00-00-00-00
  for (( k = 1; k <= clusters; ++k )); do
    # The connection uses the low 16 bits of the port field; 131072 + port keeps its six digits.
    printf '%s\n' "$k" 127.0.0.1 "$((131072 + base_port + k - 1))" "$(printf '00-00-00-00-%02X-%02X' $((k / 256)) $((k % 256)))"
  done
  printf '%s\n' 30
} | sed 's/$/\r/' | iconv -f UTF-8 -t CP1251 > "$program/settings.ini"

demo_pid=
client_pid=
cleanup() {
  [[ -n $client_pid ]] && kill -TERM "$client_pid" 2>/dev/null || true
  [[ -n $demo_pid ]] && kill -TERM "$demo_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT

echo "soak: $minutes min, $clusters clusters x $stations stations, poll every 5 s; scratch $scratch"
echo "soak: load before the run: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"

(cd "$program/DemoServer" && exec "./Kalver DemoServer" > "$scratch/demo.log" 2>&1) &
demo_pid=$!
for (( i = 0; i < 600; ++i )); do
  grep -qx ready "$scratch/demo.log" 2>/dev/null && break
  kill -0 "$demo_pid" 2>/dev/null || { echo "the demonstration cluster ended:" >&2; cat "$scratch/demo.log" >&2; exit 2; }
  sleep 0.1
done
grep -qx ready "$scratch/demo.log" || { echo "the demonstration cluster is not ready" >&2; exit 2; }

login=${KALVER_SOAK_LOGIN:-Demo}
(cd "$program" && KALVER_PASSWORD=${KALVER_PASSWORD:-demo} exec xvfb-run -a -s "-screen 0 1600x1000x24" \
   ./KalverClient --login "$login" --work --statistics "$scratch/statistics.log" \
   --statistics-interval "$interval" --quit-after $((minutes * 60)) --charge-files keep \
   > "$scratch/client.log" 2>&1) &
client_pid=$!

# The client ends itself after the run; past a generous margin it is ended.
deadline=$(( SECONDS + minutes * 60 + 180 ))
while kill -0 "$client_pid" 2>/dev/null && (( SECONDS < deadline )); do sleep 1; done
if kill -0 "$client_pid" 2>/dev/null; then
  echo "soak: the client did not end by itself" >&2
  cat "$scratch/client.log" >&2
  exit 2
fi
client_status=0
wait "$client_pid" || client_status=$?
client_pid=
kill -TERM "$demo_pid" 2>/dev/null || true
demo_status=0
wait "$demo_pid" || demo_status=$?
demo_pid=
echo "soak: load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
sed 's/^/client: /' "$scratch/client.log" | grep -v '^client: $' | tail -n 20
(( client_status == 0 )) || { echo "soak: the client ended with status $client_status" >&2; exit 2; }
(( demo_status == 0 )) || echo "soak: the demonstration cluster ended with status $demo_status" >&2
[[ -s $scratch/statistics.log ]] || { echo "soak: no statistics" >&2; exit 2; }
for name in "connection window shown to every cluster permitted" "work session start to every tile drawn" \
            "longest stall from the connection window's showing to every tile drawn"; do
  ms=$(sed -n "s/^unattended: start-up: $name: \([0-9]*\) ms$/\1/p" "$scratch/client.log" | head -n 1)
  [[ -n $ms ]] && ms="$ms ms" || ms="not reached"
  printf 'start-up:               %s: %s\n' "$name" "$ms"
done
crg=$(find "$program/Charge" -name '*.crg' 2>/dev/null | wc -l)
crg_kb=$(du -sk "$program/Charge" 2>/dev/null | cut -f1)
printf 'charge-trend files:     %d written (%s kB)\n' "$crg" "${crg_kb:-0}"

# The statistics log: one line at the start, every interval, and one after the program's end (its
# counts are the final ones). Resident memory is compared after the warm-up (the session entered and
# every station created: the first line at 60 s, or a quarter of a short run) with the last line
# written while the session still ran.
awk -v clusters="$clusters" -v run=$((minutes * 60)) '
  function val(key,   i, kv) {
    for (i = 1; i <= NF; ++i) { split($i, kv, "="); if (kv[1] == key) return kv[2] }
    return ""
  }
  { n++; line[n] = $0; up[n] = val("uptime_s"); rss[n] = val("rss_kb"); busy[n] = val("busy_pct")
    cpu[n] = val("cpu_pct"); stall[n] = val("stall_ms"); stallcpu[n] = val("stall_cpu_ms")
    stallwait[n] = val("stall_wait_ms")
    polls[n] = val("polls_total") }
  END {
    warm = run / 4 < 60 ? run / 4 : 60
    $0 = line[n]
    printf "clusters polled:        %d of %d\n", val("clusters"), clusters
    printf "polls sent per cluster: min %d, max %d, total %d\n", val("polls_min"), val("polls_max"), val("polls_total")
    printf "reports merged:         min %d, max %d, total %d\n", val("merged_min"), val("merged_max"), val("merged_total")
    unanswered = val("unanswered_max") + 0
    printf "unanswered polls:       at most %d on one cluster%s\n", unanswered,
           (unanswered > 0 ? " (cluster " val("unanswered_cluster") ")" : "")
    lost = unanswered > 1 || val("clusters") + 0 != clusters || val("polls_min") + 0 == 0
    # The intervals after the warm-up; the start-up (the program starting, connecting, creating every
    # station) is shown apart: every line before the warm-up, the first one included.
    start = 0; last = 0; sum = 0; cpusum = 0; count = 0; peak = 0; startup = 0
    stallpeak = 0; stallpeakcpu = 0; stallpeakwait = 0; stallat = 0; ownpeak = 0; over = 0
    startstall = 0; startstallcpu = 0; startstallwait = 0; startstallat = 0
    for (i = 1; i < n; ++i) {
      # The end (from --quit-after on) tears the session down: the last line shows it.
      if (up[i] + 0 >= run) break
      if (i > 1 && polls[i] + 0 > 0 && !start && up[i] + 0 >= warm) start = i
      if (!start) {
        if (i > 1 && busy[i] + 0 > startup) startup = busy[i] + 0
        if (stall[i] + 0 > startstall) { startstall = stall[i] + 0; startstallcpu = stallcpu[i] + 0; startstallwait = stallwait[i] + 0; startstallat = up[i] }
        continue
      }
      last = i
      sum += busy[i]; cpusum += cpu[i]; count++; if (busy[i] + 0 > peak) peak = busy[i] + 0
      if (stall[i] + 0 > stallpeak) { stallpeak = stall[i] + 0; stallpeakcpu = stallcpu[i] + 0; stallpeakwait = stallwait[i] + 0; stallat = up[i] }
      if (stall[i] - stallwait[i] > ownpeak) ownpeak = stall[i] - stallwait[i]
      if (stall[i] + 0 > 50) over++
    }
    printf "start-up stall:         %.1f ms at most, the launch before any window included (%.1f ms of processor time in it, %.1f ms ready without a processor; interval ending at %d s); busy %.1f %% at most per interval\n", startstall, startstallcpu, startstallwait, startstallat, startup
    if (count) {
      printf "UI thread busy:         %.1f %% on average, %.1f %% at most over %d intervals after the warm-up (processor time %.1f %%)\n", sum / count, peak, count, cpusum / count
      printf "steady-state stall:     %.1f ms at most (%.1f ms of processor time in it, %.1f ms ready without a processor; interval ending at %d s); %d of %d intervals over 50 ms; %.1f ms at most without the waits for a processor\n", stallpeak, stallpeakcpu, stallpeakwait, stallat, over, count, ownpeak
    }
    printf "end of the program:     %.1f ms the longest stall (the session closed, every station removed)\n", val("stall_ms")
    stalled = stallpeak > 50
    growth = 0; rate = 0; ratechecked = 0
    if (start && last && rss[start] > 0) {
      growth = (rss[last] - rss[start]) * 100.0 / rss[start]
      printf "resident memory:        %d kB at %d s, %d kB at %d s: %+.1f %%\n", rss[start], up[start], rss[last], up[last], growth
      # Growth per hour: the least-squares slope from the first line at 10 minutes (runs of 20 minutes
      # or more), else from the warm-up.
      from = start
      if (run >= 1200) { for (i = start; i <= last; ++i) if (up[i] + 0 >= 600) { from = i; break }; ratechecked = 1 }
      sx = 0; sy = 0; sxx = 0; sxy = 0; m = 0
      for (i = from; i <= last; ++i) { x = up[i] / 3600.0; y = rss[i] / 1024.0; sx += x; sy += y; sxx += x * x; sxy += x * y; m++ }
      if (m >= 2 && m * sxx - sx * sx > 0) rate = (m * sxy - sx * sy) / (m * sxx - sx * sx)
      printf "memory growth:          %+.2f MB per hour from %d s to %d s (%d lines, least squares)\n", rate, up[from], up[last], m
    } else {
      print "resident memory:        too few lines to compare"
      lost = 1
    }
    grew = growth >= 5 || (ratechecked && rate >= 1)
    if (lost) verdict = "FAILED: reports lost or clusters not polled"
    else if (grew) verdict = "FAILED: memory grew (5 % or more, or 1 MB an hour or more after 10 minutes)"
    else if (stalled) verdict = "FAILED: the user-interface thread stalled for more than 50 ms after the warm-up"
    else verdict = "passed"
    print "soak: " verdict
    exit ((lost || grew || stalled) ? 1 : 0)
  }' "$scratch/statistics.log" || status=$?
echo "soak: statistics in $scratch/statistics.log"
exit "${status:-0}"
