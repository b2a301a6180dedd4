#!/usr/bin/env bash
# End-to-end scenarios: the real DorvexLauncher.exe under Wine + Xvfb against dorvex-service.
#   e2e.sh SCENARIO EXE_DIR SERVICE ART_DIR WORK_DIR
set -euo pipefail
scenario=$1 exe_dir=$2 service=$3 art=$4 work=$5
here=$(cd "$(dirname "$0")" && pwd)
exe=$exe_dir/DorvexLauncher.exe
[ -f "$exe" ] || { echo "SKIP: $exe not built"; exit 77; }
command -v xvfb-run >/dev/null || { echo "SKIP: no xvfb-run"; exit 77; }

# Wine: 32-bit where the kernel runs 32-bit programs, else the 64-bit build of the same code.
if [ -x /usr/lib/wine/wine64 ] && file "$exe" | grep -q x86-64; then WINE=/usr/lib/wine/wine64; else WINE=wine; fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" no_proxy=127.0.0.1,localhost NO_PROXY=127.0.0.1,localhost
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
export TMPDIR=$work/tmp
mkdir -p "$TMPDIR"

base=$work/prefix-base
if [ ! -f "$base/.ready" ]; then
  rm -rf "$base"
  WINEPREFIX=$base $WINE wineboot -i >/dev/null 2>&1 || true
  WINEPREFIX=$base $WINE reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  WINEPREFIX=$base wineserver -w
  touch "$base/.ready"
fi
run=$work/$scenario
rm -rf "$run"; mkdir -p "$run"
export WINEPREFIX=$run/prefix
cp -a "$base" "$WINEPREFIX"
export DORVEX_E2E_RECORD=$run/opened.txt
: > "$DORVEX_E2E_RECORD"
$WINE reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$here/record-url.sh" /f >/dev/null 2>&1
wineserver -w
valmor=$WINEPREFIX/drive_c/VALMOR
content=$run/content
mkdir -p "$content"
cp "$art/DorvexManager.ini" "$content/"
[ -f "$exe_dir/LauncherLoader.exe" ] && cp "$exe_dir/LauncherLoader.exe" "$content/"

fail() { echo "FAIL [$scenario]: $*"; exit 1; }
service_pid=
start_service() { # [directory file]
  local args=(--content "$content")
  [ $# -gt 0 ] && args+=(--directory "$1")
  "$service" "${args[@]}" > "$run/service.log" 2> "$run/service.err" &
  service_pid=$!
  for _ in $(seq 50); do grep -q 18082 "$run/service.err" 2>/dev/null && return; sleep 0.1; done
  fail "service did not start: $(cat "$run/service.err")"
}
cleanup() { [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null; WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true; }
trap cleanup EXIT

# The scenario body runs inside Xvfb; it sees these helpers through the environment.
cat > "$run/in-x.sh" <<'INNER'
set -euo pipefail
fail() { echo "FAIL [$scenario]: $*"; exit 1; }
pixel() { import -window root "$run/px.png" && convert "$run/px.png" -format "%[pixel:p{$1,$2}]" info:; }
root_colour() { xsetroot -solid '#2060c0'; }
is_root() { [ "$(pixel "$1" "$2")" = "srgb(32,96,192)" ]; }
wait_window() { for _ in $(seq 60); do if ! is_root "$1" "$2"; then return 0; fi; sleep 0.25; done; fail "no launcher at ($1,$2)"; }
start_launcher() { $WINE "$exe" & launcher_pid=$!; }
running() { kill -0 "$launcher_pid" 2>/dev/null; }
shot() { import -window root "$run/$1.png"; echo "screenshot: $run/$1.png"; }
INNER
cat "$here/scenarios/$scenario.sh" >> "$run/in-x.sh"
test_loaders=$exe_dir/../test-loaders
loader_version=${DORVEX_LOADER_VERSION:-1.0.0.1}
export scenario run exe WINE valmor content test_loaders loader_version
# The customer kind the service gives 127.0.0.1 in this scenario.
case "$scenario" in
  unreachable) ;;
  business) printf '127.0.0.1/32 business 9 2\n' > "$run/dir.txt"; start_service "$run/dir.txt" ;;
  pcroom) printf '127.0.0.0/8 pcroom PCROOM00042 100 200 1\n' > "$run/dir.txt"; start_service "$run/dir.txt" ;;
  *) start_service ;;
esac
timeout 150 xvfb-run -a -s '-screen 0 1024x768x24 -noreset' bash "$run/in-x.sh"
echo "PASS [$scenario]"
