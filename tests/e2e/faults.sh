#!/usr/bin/env bash
# The launcher under Wine against a faulty server: each of its requests in turn meets each
# fault (tests/e2e/fault-proxy.py), and the outcome is checked against the table below.
#   faults.sh EXE_DIR SERVICE ART_DIR WORK_DIR
# Writes WORK_DIR/faults/table.md (the README's fault table) and fails on any row that differs.
# DORVEX_FAULTS_ONLY=REGEX runs only the cases whose "request:fault" matches.
set -euo pipefail
mkdir -p "$4"
exe_dir=$(cd "$1" && pwd) service=$(realpath "$2") art=$(cd "$3" && pwd) work=$(cd "$4" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
exe=$exe_dir/DorvexLauncher.exe
[ -f "$exe" ] || { echo "SKIP: $exe not built"; exit 77; }
for tool in xvfb-run python3 xdotool xwininfo curl; do
  command -v $tool >/dev/null || { echo "SKIP: no $tool"; exit 77; }
done
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
[ -f "$old_loader" ] || { echo "SKIP: $old_loader not built"; exit 77; }

# The launcher's requests, each with the start that reaches it:
#   name | request prefix | which such request | customer | installed before
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

# What each case must give (1024 x 768 screen; skin A is 420 x 83, skin B 190 x 292):
#   request:fault | boxes | process | windows | settings file | loader | pages opened
# "dispatch" is the box of an error no handler caught: the system's text for the error, or the
# framework's own text where the system has none (Wine's WinINet has none for some codes, and
# which code a reset gives depends on when the reset arrives).
# The window stands at skin A's default place (302,635) unless the server placed it.
# An error page or a wrong body read as a position or PC-room answer is a PC-room key or the
# place (0,0): answers are never rejected, as the launcher has always read them.
A='420x83+302+635'
expected="
settings download:refuse|server-error|ended|none|absent|absent|none
settings download:reset|server-error|ended|none|absent|absent|none
settings download:error|server-error|ended|none|absent|absent|none
settings download:wrongbody|server-error|ended|none|absent|absent|none
settings download:stall|none|running|$A|served|served|none
position query:refuse|dispatch|running|$A|served|old|none
position query:reset|dispatch|running|$A|served|old|none
position query:error|none|running|420x83+0+0|served|served|none
position query:wrongbody|none|running|420x83+0+0|served|served|none
position query:stall|none|running|$A|served|served|none
PC-room query:refuse|dispatch|running|$A|served|old|none
PC-room query:reset|dispatch|running|$A|served|old|none
PC-room query:error|none|running|420x83+0+0|served|served|none
PC-room query:wrongbody|none|running|420x83+0+0|served|served|none
PC-room query:stall|none|running|190x292+100+200|served, TYPE=100002|served|none
business query:refuse|dispatch|running|$A|served|old|none
business query:reset|dispatch|running|$A|served|old|none
business query:error|none|running|420x83+0+0|served|served|none
business query:wrongbody|none|running|420x83+0+0|served|served|none
business query:stall|none|running|190x292+834+446|served, TYPE=100002|served|none
version query:refuse|network-error|running|$A|served|old|none
version query:reset|dispatch|running|$A|served|old|none
version query:error|none|running|$A|served|served|none
version query:wrongbody|none|running|$A|served|served|none
version query:stall|none|running|$A|served|served|none
loader download:refuse|server-error|running|$A|served|old|none
loader download:reset|dispatch|running|$A|served|old|none
loader download:error|server-error|running|$A|served|old|none
loader download:wrongbody|server-error|running|$A|served|old|none
loader download:stall|none|running|$A|served|served|none
query on a click:refuse|dispatch|running|$A|served|served|none
query on a click:reset|dispatch|running|$A|served|served|none
query on a click:error|none|running|$A|served|served|home comics
query on a click:wrongbody|none|running|$A|served|served|home comics
query on a click:stall|none|running|$A|served|served|home comics
"

service_pid= proxy_pid=
cleanup() { kill $service_pid $proxy_pid 2>/dev/null || true; wineserver -k 2>/dev/null || true; }
trap cleanup EXIT

file_state() { # FILE SERVED [OLD]: absent | served | served, TYPE=n (only that key differs) | old | other
  local f=$1 served=$2 old=${3:-}
  if [ ! -e "$f" ]; then echo absent
  elif cmp -s "$f" "$served"; then echo served
  elif [ -n "$old" ] && cmp -s "$f" "$old"; then echo old
  elif cmp -s <(sed 's/\r$//; /^TYPE=/d; /^$/d' "$f") <(sed 's/\r$//; /^TYPE=/d; /^$/d' "$served"); then
    # Rewritten by the system's profile functions, which may change the line ends and drop blank lines.
    echo "served, $(grep -m1 '^TYPE=' "$f" | tr -d '\r')"
  else echo other; fi
}
pages_opened() {
  [ -s "$DORVEX_E2E_RECORD" ] || { echo none; return; }
  sed -e "s|^http://127.0.0.1:18080/free_zone/?menu=free_comic$|home comics|" \
      -e "s|^http://127.0.0.1:18081/comic.php$|business comics|" "$DORVEX_E2E_RECORD" | paste -sd+
}

{
  echo '| request | fault | boxes | process | windows | settings file | loader | pages opened |'
  echo '|---|---|---|---|---|---|---|---|'
} > "$run/table.md"
status=0 ran=0
for row in "${rows[@]}"; do
  IFS='|' read -r name path nth kind before <<<"$row"
  for fault in "${faults[@]}"; do
    [[ "$name:$fault" =~ ${DORVEX_FAULTS_ONLY:-.} ]] || continue
    case=$(echo "$name-$fault" | tr ' ' -)
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
    "$service" --listen 127.0.0.1:18180 --content "$content" --directory "$run/dir.txt" > "$run/service-$case.log" 2>&1 &
    service_pid=$!
    python3 "$here/fault-proxy.py" 18080 18081 --upstream 18180 --path "$path" --nth "$nth" --fault "$fault" > "$run/proxy-$case.log" 2>&1 &
    proxy_pid=$!
    for _ in $(seq 50); do grep -q listening "$run/proxy-$case.log" 2>/dev/null && curl -s -o /dev/null http://127.0.0.1:18180/ && break; sleep 0.1; done
    log=$run/wine-$case.log
    # Half-seconds to wait for the launcher to settle: a stalled answer comes after 8 s.
    ticks=10; [ "$fault" = stall ] && ticks=24
    # Boxes are answered as a user would, by Return; the click row clicks comics once the
    # launcher has settled. Then the launcher's visible windows are taken from the X server.
    timeout 60 xvfb-run -a -s '-screen 0 1024x768x24 -noreset' bash -c '
      xsetroot -solid "#2060c0"
      WINEDEBUG=-all,trace+win "$0" "$1" 2> "$2" & pid=$!
      ticks=$6; answer() { for i in $(seq "$ticks"); do sleep 0.5; xdotool key Return 2>/dev/null || true; done; }
      answer
      if [ "$3" = 2 ]; then xdotool mousemove 362 660 click 1; answer; fi
      sleep 1
      kill -0 $pid 2>/dev/null && echo running > "$4" || echo ended > "$4"
      for w in $(xdotool search --onlyvisible --class dorvexlauncher.exe 2>/dev/null); do
        xwininfo -id "$w" | awk "/Absolute upper-left X/{x=\$NF} /Absolute upper-left Y/{y=\$NF} /Width:/{w=\$NF} /Height:/{h=\$NF} END{if (w>1 && h>1) print w \"x\" h \"+\" x \"+\" y}"
      done > "$4.windows"
      import -window root "$5" 2>/dev/null || true
      kill $pid 2>/dev/null || true' "$WINE" "$exe" "$log" "$nth" "$run/state" "$run/shot-$case.png" "$ticks" || true
    kill $service_pid $proxy_pid 2>/dev/null || true; wait $service_pid $proxy_pid 2>/dev/null || true
    boxes=$(python3 "$here/boxes.py" "$log")
    process=$(cat "$run/state" 2>/dev/null || echo ended)
    windows=$(sort -u "$run/state.windows" 2>/dev/null | paste -sd+); windows=${windows:-none}
    settings=$(file_state "$valmor/DorvexManager.ini" "$content/DorvexManager.ini")
    loader=$(file_state "$valmor/LauncherLoader.exe" "$content/LauncherLoader.exe" "$old_loader")
    # Anything else in the install folder (a temporary file left behind) fails the case.
    leftovers=$(ls -A "$valmor" 2>/dev/null | grep -v -x -e DorvexManager.ini -e LauncherLoader.exe | paste -sd' ' || true)
    [ -z "$leftovers" ] || loader="$loader; left behind: $leftovers"
    got="$boxes|$process|$windows|$settings|$loader|$(pages_opened)"
    dispatched=$(echo "$boxes" | sed -E 's/(^|\+)(internal-error|"[^"]*")/\1dispatch/g')
    compared="$dispatched|${got#*|}"
    # A here-string, not a pipe from printf: grep -m1 may end before printf has written all,
    # and the SIGPIPE would end this script (pipefail).
    want=$(grep -F -m1 "$name:$fault|" <<<"$expected" | cut -d'|' -f2-)
    faulted=$(grep -c "^fault" "$run/proxy-$case.log" || true)
    ran=$((ran + 1))
    if [ "$faulted" != 1 ]; then
      echo "FAIL [$name, $fault]: the fault was applied $faulted times"; status=1
    elif [ "$compared" != "$want" ]; then
      echo "FAIL [$name, $fault]: got '$got', want '$want' (logs: $run/*-$case.*)"; status=1
    fi
    IFS='|' read -r b p w s l o <<<"$got"
    printf '| %s | %s | %s | %s | %s | %s | %s | %s |\n' "$name" "$fault" "$b" "$p" "$w" "$s" "$l" "$o" | tee -a "$run/table.md"
  done
done
[ $ran -gt 0 ] || { echo "no case matches '$DORVEX_FAULTS_ONLY'"; exit 1; }
echo "table: $run/table.md"
exit $status
