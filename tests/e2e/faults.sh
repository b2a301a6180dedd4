#!/usr/bin/env bash
# The launcher under Wine against a faulty server: each of its requests in turn meets each
# fault (tests/e2e/fault-proxy.py), and the outcome is checked against the table below.
#   faults.sh EXE_DIR SERVICE ART_DIR WORK_DIR
# Writes WORK_DIR/faults/table.md (the README's fault table) and fails on any row that differs.
set -euo pipefail
mkdir -p "$4"
exe_dir=$(cd "$1" && pwd) service=$(realpath "$2") art=$(cd "$3" && pwd) work=$(cd "$4" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
exe=$exe_dir/DorvexLauncher.exe
[ -f "$exe" ] || { echo "SKIP: $exe not built"; exit 77; }
command -v xvfb-run >/dev/null && command -v python3 >/dev/null || { echo "SKIP: no xvfb-run or python3"; exit 77; }
if [ -x /usr/lib/wine/wine64 ] && file "$exe" | grep -q x86-64; then WINE=/usr/lib/wine/wine64; else WINE=wine; fi
export WINEDLLOVERRIDES="mscoree,mshtml=" no_proxy=127.0.0.1,localhost NO_PROXY=127.0.0.1,localhost
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY

run=$work/faults
rm -rf "$run"; mkdir -p "$run/content"
export TMPDIR=$run/tmp; mkdir -p "$TMPDIR"
base=$work/prefix-base
if [ ! -f "$base/.ready" ]; then
  rm -rf "$base"
  WINEPREFIX=$base WINEDEBUG=-all $WINE wineboot -i >/dev/null 2>&1 || true
  WINEPREFIX=$base WINEDEBUG=-all $WINE reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  WINEPREFIX=$base wineserver -w
  touch "$base/.ready"
fi
export WINEPREFIX=$run/prefix
cp -a "$base" "$WINEPREFIX"
export DORVEX_E2E_RECORD=$run/opened.txt
WINEDEBUG=-all $WINE reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$here/record-url.sh" /f >/dev/null 2>&1
wineserver -w
valmor=$WINEPREFIX/drive_c/VALMOR
content=$run/content
cp "$art/DorvexManager.ini" "$exe_dir/LauncherLoader.exe" "$content/"
old_loader=$exe_dir/../test-loaders/loader_old.exe

# The box texts, as Wine's window trace prints them.
SERVER_ERROR='\c11c\bc84\c5d0 \c624\b958\ac00 \bc1c\c0dd\d558\c600\c2b5\b2c8\b2e4.'
NETWORK_ERROR='\b124\d06c\c6cc\d06c \c5d0\b7ec'
INTERNAL_ERROR='\b0b4\bd80 \c751\c6a9'

# row: name | request prefix | nth | kind of customer | installed before | fault
# expected: box | running | window | settings | loader
rows=(
  "settings download|/cab/DorvexManager.ini|1|home|nothing"
  "position query|/version/pos.php|1|home|settings+old-loader"
  "PC-room query|/desktop/pcroom/|1|pcroom|settings+old-loader"
  "business query|/version/pos2.php|1|business|settings+old-loader"
  "version query|/version/?app_name=|1|home|settings+old-loader"
  "loader download|/cab/LauncherLoader.exe|1|home|settings+old-loader"
  "query on a click|/version/pos.php|2|home|settings+current-loader"
)
faults=(refuse reset error wrongbody stall)

service_pid= proxy_pid=
cleanup() { kill $service_pid $proxy_pid 2>/dev/null || true; wineserver -k 2>/dev/null || true; }
trap cleanup EXIT

box_of() { # the boxes a run showed, by name
  local log=$1 names=()
  grep -aF "set_window_text L\"$SERVER_ERROR" "$log" >/dev/null && names+=(server-error)
  grep -aF "set_window_text L\"$NETWORK_ERROR" "$log" >/dev/null && names+=(network-error)
  grep -aF "set_window_text L\"$INTERNAL_ERROR" "$log" >/dev/null && names+=(internal-error)
  # A box with the system's own error text (a dialog's exception reported by the dispatch).
  if grep -a 'set_window_text L"DorvexLauncher"' -A1 "$log" | grep -a 'set_window_text L"[A-Z]' | grep -qv 'L"DorvexLauncher"'; then
    names+=(system-error-text)
  fi
  [ ${#names[@]} -gt 0 ] && (IFS=+; echo "${names[*]}") || echo none
}
file_state() { # installed | served | old | absent | other
  local f=$1 served=$2 old=${3:-}
  if [ ! -e "$f" ]; then echo absent
  elif cmp -s "$f" "$served"; then echo served
  elif [ -n "$old" ] && cmp -s "$f" "$old"; then echo old
  else echo other; fi
}

printf '| request | fault | box | keeps running | window | settings file | loader | leftovers |\n|---|---|---|---|---|---|---|---|\n' > "$run/table.md"
status=0
for row in "${rows[@]}"; do
  IFS='|' read -r name path nth kind before <<<"$row"
  for fault in "${faults[@]}"; do
    wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true
    rm -rf "$valmor"; : > "$DORVEX_E2E_RECORD"
    case $before in
      settings+old-loader) mkdir -p "$valmor"; cp "$content/DorvexManager.ini" "$valmor/"; cp "$old_loader" "$valmor/LauncherLoader.exe" ;;
      settings+current-loader) mkdir -p "$valmor"; cp "$content/DorvexManager.ini" "$content/LauncherLoader.exe" "$valmor/" ;;
    esac
    case $kind in
      home) printf '0.0.0.0/0 home\n' > "$run/dir.txt" ;;
      pcroom) printf '127.0.0.0/8 pcroom PCROOM00042 100 200 1\n' > "$run/dir.txt" ;;
      business) printf '127.0.0.1/32 business 9 2\n' > "$run/dir.txt" ;;
    esac
    "$service" --listen 127.0.0.1:18180 --content "$content" --directory "$run/dir.txt" > "$run/service.log" 2>&1 &
    service_pid=$!
    python3 "$here/fault-proxy.py" 18080 18081 --upstream 18180 --path "$path" --nth "$nth" --fault "$fault" > "$run/proxy.log" 2>&1 &
    proxy_pid=$!
    for _ in $(seq 50); do grep -q listening "$run/proxy.log" 2>/dev/null && curl -s -o /dev/null http://127.0.0.1:18180/ && break; sleep 0.1; done
    log=$run/wine-$(echo "$name-$fault" | tr ' ' -).log
    timeout 60 xvfb-run -a -s '-screen 0 1024x768x24 -noreset' bash -c '
      WINEDEBUG=-all,trace+win "$0" "$1" 2> "$2" & pid=$!
      # Boxes are answered as a user would; a click for the row that needs one.
      for i in $(seq 24); do sleep 0.5; xdotool key Return 2>/dev/null || true; done
      if [ "$3" = 2 ]; then xdotool mousemove 362 660 click 1; for i in $(seq 24); do sleep 0.5; xdotool key Return 2>/dev/null || true; done; fi
      sleep 1
      kill -0 $pid 2>/dev/null && echo running > "$4" || echo ended > "$4"
      import -window root "$5" 2>/dev/null || true
      convert "$5" -format "%[pixel:p{500,700}]" info: > "$4.px" 2>/dev/null || true
      kill $pid 2>/dev/null || true' "$WINE" "$exe" "$log" "$nth" "$run/state" "$run/shot.png" || true
    kill $service_pid $proxy_pid 2>/dev/null || true; wait $service_pid $proxy_pid 2>/dev/null || true
    box=$(box_of "$log")
    running=$(cat "$run/state" 2>/dev/null || echo ended)
    window=no; [ -s "$run/state.px" ] && [ "$(cat "$run/state.px")" != "srgb(0,0,0)" ] && window=yes
    settings=$(file_state "$valmor/DorvexManager.ini" "$content/DorvexManager.ini")
    loader=$(file_state "$valmor/LauncherLoader.exe" "$content/LauncherLoader.exe" "$old_loader")
    leftovers=$(ls -A "$valmor" 2>/dev/null | grep -v -x -e DorvexManager.ini -e LauncherLoader.exe | tr '\n' ' ' || true)
    faulted=$(grep -c '^fault' "$run/proxy.log" || true)
    [ "$faulted" = 1 ] || box="$box (fault not reached)"
    printf '| %s | %s | %s | %s | %s | %s | %s | %s |\n' "$name" "$fault" "$box" "$running" "$window" "$settings" "$loader" "${leftovers:-none}" | tee -a "$run/table.md"
  done
done
cat "$run/table.md"
