#!/usr/bin/env bash
# The package test: builds the Debian package (scripts/package.sh), checks its contents and its
# run-time dependencies, installs it with `apt-get install ./kalver-client_*.deb`, starts the installed
# client unattended against its demonstration cluster as two operators of the group kalver (the second
# one writing what the first one's session created), removes the package and checks that settings.ini,
# users.dat, the journal arch.res and Charge/ survive, installs it again over them and checks that they
# are kept, then purges it. Prints "package test: passed" or what failed (exit status 1).
#
# Needs root (or sudo). Refuses to run (exit status 2) where kalver-client is installed or
# /var/lib/kalver-client exists: it would change a machine in use. What it creates (the package, the
# folder, two test accounts, the group if it was not there) is removed at the end.
#   scripts/test-package.sh
set -euo pipefail
cd "$(dirname "$0")/.."

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
shared=/var/lib/kalver-client
operators=(kalver-test-a kalver-test-b)

if dpkg-query -W -f='${Status}' kalver-client 2>/dev/null | grep -q " installed" || [ -e "$shared" ]; then
  echo "package test: kalver-client is installed or $shared exists on this machine: not touching it" >&2
  exit 2
fi
group_existed=0
getent group kalver >/dev/null && group_existed=1

scratch=$(mktemp -d /tmp/kalver-package-test.XXXXXX)
chmod 0755 "$scratch"
failures=0
fail() { echo "package test: FAILED: $*" >&2; failures=$((failures + 1)); }
check() { local what=$1; shift; if "$@"; then echo "package test: ok: $what"; else fail "$what"; fi; }

cleanup() {
  set +e
  if dpkg-query -W kalver-client >/dev/null 2>&1; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq kalver-client >/dev/null 2>&1
  fi
  for user in "${operators[@]}"; do
    getent passwd "$user" >/dev/null && $sudo userdel "$user" >/dev/null 2>&1
  done
  $sudo rm -rf "$shared"
  [ $group_existed = 1 ] || { getent group kalver >/dev/null && $sudo groupdel kalver; }
  $sudo rm -rf "$scratch"
}
trap cleanup EXIT

# ---- the package file
# The build's output goes to the log as it comes, through the inherited descriptor (opening /dev/stderr
# anew would truncate a log file it points at); its last line is the package's path.
deb=$(scripts/package.sh | tee >(cat >&2) | tail -n 1)
[ -f "$deb" ] || { echo "package test: FAILED: no package built" >&2; exit 1; }
arch=$(dpkg --print-architecture)
version=$(sed -n 's/^project(KalverClient VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
check "file name kalver-client_${version}_${arch}.deb" test "$(basename "$deb")" = "kalver-client_${version}_${arch}.deb"

field() { dpkg-deb -f "$deb" "$1"; }
check "package name" test "$(field Package)" = kalver-client
check "version" test "$(field Version)" = "$version"
depends=$(field Depends)
echo "package test: Depends: $depends"
depends_on() {
  local IFS=, item
  for item in $depends; do item=${item# }; [ "${item%% *}" = "$1" ] && return 0; done
  return 1
}
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6charts6; do
  check "depends on $lib" depends_on "$lib"
done
check "recommends qt6-translations-l10n" test "$(field Recommends)" = qt6-translations-l10n

dpkg-deb -c "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' > "$scratch/contents"
contents_has() { grep -Fxq -- "$1" "$scratch/contents"; }
for path in ./opt/kalver-client/KalverClient "./opt/kalver-client/DemoServer/Kalver DemoServer" \
            ./opt/kalver-client/defaults/users.dat ./opt/kalver-client/defaults/settings.ini \
            ./usr/bin/kalver-client ./usr/share/applications/kalver-client.desktop \
            ./usr/share/icons/hicolor/48x48/apps/kalver-client.png \
            ./usr/share/icons/hicolor/256x256/apps/kalver-client.png \
            ./usr/share/icons/hicolor/scalable/apps/kalver-client.svg \
            "./var/lib/kalver-client/Subsystems -> /opt/kalver-client/Subsystems" \
            "./var/lib/kalver-client/DemoServer/Kalver DemoServer -> /opt/kalver-client/DemoServer/Kalver DemoServer"; do
  check "holds $path" contents_has "$path"
done
check "holds subsystem files" grep -Eq '^\./opt/kalver-client/Subsystems/[^/]+/.+\.sub$' "$scratch/contents"
for path in settings.ini users.dat arch.res Charge/; do
  check "does not own the operators' $path" bash -c "! grep -Fq './var/lib/kalver-client/$path' '$scratch/contents'"
done
dpkg-deb -x "$deb" "$scratch/unpacked"
desktop=$scratch/unpacked/usr/share/applications/kalver-client.desktop
for line in "Name=Kalver Client v1.3 DEMO" "Exec=kalver-client" "Icon=kalver-client" "Type=Application"; do
  check "desktop entry: $line" grep -Fxq "$line" "$desktop"
done
if command -v desktop-file-validate >/dev/null; then
  check "desktop entry is valid" desktop-file-validate "$desktop"
fi

# ---- installation
(cd "$(dirname "$deb")" && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "./$(basename "$deb")") \
  > "$scratch/install.log" 2>&1 || { cat "$scratch/install.log" >&2; fail "apt-get install"; exit 1; }
check "command kalver-client in PATH" test "$(command -v kalver-client)" = /usr/bin/kalver-client
check "group kalver" bash -c 'getent group kalver >/dev/null'
check "shared folder owned by the group kalver, set-group-ID, group-writable" \
  test "$(stat -c '%G %a' "$shared")" = "kalver 2775"
check "its DemoServer folder likewise" test "$(stat -c '%G %a' "$shared/DemoServer")" = "kalver 2775"
check "default settings.ini copied" cmp -s "$shared/settings.ini" /opt/kalver-client/defaults/settings.ini
check "default users.dat copied" cmp -s "$shared/users.dat" /opt/kalver-client/defaults/users.dat
check "Charge/ made" test "$(stat -c '%G %a' "$shared/Charge")" = "kalver 2775"

# ---- two operators of the machine, one after the other, through the installed command
for user in "${operators[@]}"; do
  $sudo useradd --no-create-home --home-dir "$scratch/$user" --shell /usr/sbin/nologin -G kalver "$user"
  $sudo install -d -o "$user" -m 0700 "$scratch/$user" "$scratch/$user/runtime"
done
# Runs the installed client (`command`: the command in PATH or the desktop entry's) as `user` logged in as
# "operator", in the work session for `seconds`.
run_client() {
  local user=$1 seconds=$2 command=$3 log=$scratch/$1/client.log
  $sudo runuser -u "$user" -- env -i PATH=/usr/bin:/bin HOME="$scratch/$user" XDG_RUNTIME_DIR="$scratch/$user/runtime" \
    QT_QPA_PLATFORM=offscreen KALVER_PASSWORD=operator \
    $command --login operator --work --quit-after "$seconds" --statistics "$scratch/$user/statistics.log" \
    --statistics-interval 5 > "$log" 2>&1 || fail "$user: the client ended with status $?"
  sed "s/^/$user: /" "$log" | grep -E "unattended:|ready|listening|error|rror" || true
  check "$user: logged in" grep -Fq "unattended: logged in as operator, access level 1" "$log"
  check "$user: every cluster granted permission" grep -Eq "unattended: ([0-9]+) of \1 clusters granted permission" "$log"
  check "$user: work session entered" grep -Fq "unattended: work session entered" "$log"
  check "$user: its demonstration cluster started" grep -Fxq "ready" "$log"
  check "$user: the demonstration cluster read the shared settings" bash -c "! grep -Fq 'no settings file' '$log'"
  local last
  last=$(tail -n 1 "$scratch/$user/statistics.log" 2>/dev/null || true)
  echo "$user: statistics: $last"
  check "$user: every cluster answered its polls" \
    awk -v line="$last" 'BEGIN { n = split(line, f, " "); for (i = 1; i <= n; ++i) { split(f[i], kv, "="); v[kv[1]] = kv[2] }
                                 exit !(v["merged_min"] + 0 > 0 && v["clusters"] + 0 > 0) }'
}
run_client kalver-test-a 30 kalver-client
check "journal written" test -s "$shared/arch.res"
journal_size=$(stat -c %s "$shared/arch.res")
check "journal group-writable for the next operator" test "$(stat -c '%G %a' "$shared/arch.res")" = "kalver 664"
menu_command=$(sed -n 's/^Exec=//p' /usr/share/applications/kalver-client.desktop)
check "the desktop entry starts the command in PATH" test "$(command -v "$menu_command")" = /usr/bin/kalver-client
run_client kalver-test-b 20 "$menu_command"
check "the second operator appended to the journal" test "$(stat -c %s "$shared/arch.res")" -gt "$journal_size"

# ---- removal keeps the operators' files; an installation over them keeps them too
# A changed settings file (stations per cluster 48 -> 47) shows whether the defaults came back.
$sudo sed -i '2s/^48\r$/47\r/' "$shared/settings.ini"
check "settings changed for the check" bash -c "! cmp -s '$shared/settings.ini' /opt/kalver-client/defaults/settings.ini"
fingerprint() { (cd "$shared" && find settings.ini users.dat arch.res Charge -print0 | sort -z |
                  xargs -0 -I{} sh -c 'if [ -f "{}" ]; then sha256sum "{}"; else echo "folder {}"; fi'); }
fingerprint > "$scratch/before"
DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq kalver-client > "$scratch/remove.log" 2>&1 ||
  { cat "$scratch/remove.log" >&2; fail "apt-get remove"; }
check "program removed" test ! -e /opt/kalver-client -a ! -e /usr/bin/kalver-client
fingerprint > "$scratch/after-remove"
check "settings, accounts, journal and Charge/ survive the removal" cmp -s "$scratch/before" "$scratch/after-remove"
(cd "$(dirname "$deb")" && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "./$(basename "$deb")") \
  > "$scratch/reinstall.log" 2>&1 || { cat "$scratch/reinstall.log" >&2; fail "apt-get install again"; }
fingerprint > "$scratch/after-install"
check "an installation over them keeps them" cmp -s "$scratch/before" "$scratch/after-install"
check "and the shared folder's group and mode" test "$(stat -c '%G %a' "$shared") $(stat -c '%G %a' "$shared/DemoServer")" = "kalver 2775 kalver 2775"
DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq kalver-client > "$scratch/purge.log" 2>&1 ||
  { cat "$scratch/purge.log" >&2; fail "apt-get purge"; }
fingerprint > "$scratch/after-purge"
check "even a purge leaves them" cmp -s "$scratch/before" "$scratch/after-purge"
check "a purge forgets the folders' ownership" bash -c "! dpkg-statoverride --list '$shared' >/dev/null"

if [ $failures -eq 0 ]; then
  echo "package test: passed"
else
  echo "package test: $failures check(s) FAILED" >&2
  exit 1
fi
