#!/usr/bin/env bash
# Soak run: the client against the demonstration cluster for a long work session, under xvfb.
#
#   scripts/soak.sh [minutes=10] [clusters=100] [stations=100]
#
# Builds the release build (scripts/build.sh, build/) unless KALVER_SOAK_BUILD_DIR names a build folder
# to use as it is; copies its program folder to a scratch folder with a settings.ini of <clusters>
# clusters on 127.0.0.1, consecutive ports from KALVER_SOAK_PORT (default 41000), <stations> stations
# each, polled every 5 s; starts the demonstration cluster there and the client logged in as "operator"
# (--login, password from KALVER_PASSWORD), connected to every cluster and in the work session (--work),
# writing its statistics log every 10 s (--statistics); ends the client after <minutes> (--quit-after)
# and then the demonstration cluster, and prints the figures:
#   polls sent and status reports merged per cluster (min / max / total), the largest number of
#   unanswered polls of one cluster, the user-interface thread's busy share, resident memory after the
#   warm-up and at the end, and its growth.
# Exit status 1 when a cluster lost reports (more than the one poll that may be in flight at the end),
# a cluster was never polled, or resident memory grew by 5 % or more; 2 when the run itself failed.
# The scratch folder (statistics.log, client.log, demo.log, the journal) is kept and its path printed.
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

(cd "$program" && KALVER_PASSWORD=${KALVER_PASSWORD:-operator} exec xvfb-run -a -s "-screen 0 1600x1000x24" \
   ./KalverClient --login operator --work --statistics "$scratch/statistics.log" \
   --statistics-interval "$interval" --quit-after $((minutes * 60)) > "$scratch/client.log" 2>&1) &
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
    cpu[n] = val("cpu_pct")
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
    # Busy share: the intervals after the warm-up; the start-up (connecting, creating every station)
    # is shown apart.
    start = 0; last = 0; sum = 0; cpusum = 0; count = 0; peak = 0; startup = 0
    for (i = 2; i < n; ++i) {
      if (polls[i] + 0 == 0) continue
      if (!start && up[i] + 0 >= warm) start = i
      last = i
      if (!start) { if (busy[i] + 0 > startup) startup = busy[i] + 0; continue }
      sum += busy[i]; cpusum += cpu[i]; count++; if (busy[i] + 0 > peak) peak = busy[i] + 0
    }
    if (count) printf "UI thread busy:         %.1f %% on average, %.1f %% at most over %d intervals after the warm-up (processor time %.1f %%); %.1f %% at most during the start-up\n", sum / count, peak, count, cpusum / count, startup
    growth = 0
    if (start && last && rss[start] > 0) {
      growth = (rss[last] - rss[start]) * 100.0 / rss[start]
      printf "resident memory:        %d kB at %d s, %d kB at %d s: %+.1f %%\n", rss[start], up[start], rss[last], up[last], growth
    } else {
      print "resident memory:        too few lines to compare"
      lost = 1
    }
    verdict = lost ? "FAILED: reports lost or clusters not polled" : (growth >= 5 ? "FAILED: memory grew by 5 % or more" : "passed")
    print "soak: " verdict
    exit ((lost || growth >= 5) ? 1 : 0)
  }' "$scratch/statistics.log" || status=$?
echo "soak: statistics in $scratch/statistics.log"
exit "${status:-0}"
