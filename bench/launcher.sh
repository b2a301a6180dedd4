#!/usr/bin/env bash
# The launcher's benchmarks, each beside its lower bound, in one run under Wine + Xvfb against
# dorvex-service on loopback:
#   bench/launcher.sh [RUNS]      (start-up runs per program, default 21)
# start-up and working set    DorvexLauncher.exe (probe build, bench/win32/launcher_probe.cpp),
#                             home-user start, against MinimalDialog.exe (bench/win32/minimal.cpp)
#                             and MinimalDialogRequests.exe (the same plus the two queries a home
#                             start must make before its first paint), RUNS each, alternated, medians
# exe size                    the shipped DorvexLauncher.exe against MinimalDialog.exe, stripped
# hover, per skin             one WM_MOUSEMOVE over a button against one BitBlt of a loaded bitmap
# click                       button release to the browser call against one raw GET
# requests                    what the service logged for each kind of start, in order
# Writes build/bench/launcher/results.md.
set -euo pipefail
export LC_ALL=C
cd "$(dirname "$0")/.."
. scripts/common.sh
runs=${1:-21}
preset=$(windows_test_preset)
for tool in wine xvfb-run xdotool; do
  command -v $tool >/dev/null || { echo "bench: $tool missing; run scripts/setup first"; exit 1; }
done
echo "== building ($preset, native service)"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target DorvexLauncher bench_launcher bench_minimal bench_minimal_requests >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native --target dorvex-service >/dev/null

build=$PWD/build/$preset
work=$PWD/build/bench/launcher
rm -rf "$work"; mkdir -p "$work/content"
art=$build/art
cp "$art/DorvexManager.ini" "$build/src/LauncherLoader.exe" "$work/content/"
if [ -x /usr/lib/wine/wine64 ] && file "$build/bench/DorvexLauncher.exe" | grep -q x86-64; then
  WINE=/usr/lib/wine/wine64
else
  WINE=wine
fi
export WINE WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX=$work/prefix
export no_proxy=127.0.0.1,localhost NO_PROXY=127.0.0.1,localhost
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
echo "== Wine prefix"
$WINE wineboot -i >/dev/null 2>&1 || true
$WINE reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
wineserver -w
# One reading of a probe's report ("name value" lines).
value() { tr -d '\r' < "$2" | awk -v k="$1" '$1 == k { print $2 }'; }
export -f value
export work build art runs
export service=$PWD/build/native/service/dorvex-service

cat > "$work/in-x.sh" <<'INNER'
set -euo pipefail
valmor=$WINEPREFIX/drive_c/VALMOR
launcher=$build/bench/DorvexLauncher.exe minimal=$build/bench/MinimalDialog.exe
requests=$build/bench/MinimalDialogRequests.exe
# A wineserver that outlives each run, as on a desktop where Wine is already up.
wineserver -p
service_pid=
trap '[ -n "$service_pid" ] && kill $service_pid 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
start_service() { # DIRECTORY-LINE
  [ -n "$service_pid" ] && { kill $service_pid; wait $service_pid 2>/dev/null || true; }
  printf '%s\n' "$1" > "$work/dir.txt"
  "$service" --content "$work/content" --directory "$work/dir.txt" > "$work/access.log" 2> "$work/service.err" &
  service_pid=$!
  for _ in $(seq 50); do grep -q 18082 "$work/service.err" 2>/dev/null && break; sleep 0.1; done
  sleep 0.2; : > "$work/access.log"
}
prepare() { # settings TYPE, loader (current|old|none); no settings file with TYPE "none"
  rm -rf "$valmor"; mkdir -p "$valmor"
  [ "$1" = none ] || sed "s/^TYPE=.*/TYPE=$1/" "$work/content/DorvexManager.ini" > "$valmor/DorvexManager.ini"
  case $2 in
    current) cp "$work/content/LauncherLoader.exe" "$valmor/" ;;
    old) cp "$build/test-loaders/loader_old.exe" "$valmor/LauncherLoader.exe" ;;
  esac
}
run_probe() { # EXE MODE OUT
  rm -f "$3"
  local t0; t0=$(date +%s%N)
  DORVEX_BENCH=$2 DORVEX_BENCH_OUT=$3 timeout 120 $WINE "$1" || true
  grep -q '^done' "$3" 2>/dev/null || { echo "bench: $1 ($2) reported nothing"; exit 1; }
  echo "spawn_unix_ms $((t0 / 1000000))" >> "$3"
}
button_centre() { # SKIN-SECTION: "x y" of button 1's centre, from the settings file
  tr -d '\r' < "$work/content/DorvexManager.ini" | awk -F= -v s="[$1]" '
    $0 ~ /^\[/ { in_s = ($0 == s) } in_s && $1 == "BTN1TOPX" { x = $2 } in_s && $1 == "BTN1TOPY" { y = $2 }
    in_s && $1 == "BTNWIDTH" { w = $2 } in_s && $1 == "BTNHEIGHT" { h = $2 }
    END { if (w == "") exit 1; print int(x + w / 2), int(y + h / 2) }'
}

echo "== start-up: $runs runs each, alternated (one warm-up each first)"
start_service '0.0.0.0/0 home'
prepare 100001 current
for prog in launcher minimal requests; do run_probe "${!prog}" startup "$work/warm-$prog.txt"; done
for i in $(seq "$runs"); do
  for prog in launcher minimal requests; do
    prepare 100001 current
    run_probe "${!prog}" startup "$work/start-$prog-$i.txt"
  done
done

echo "== requests per kind of start"
check_requests() { # NAME DIRECTORY-LINE TYPE LOADER EXPECTED...
  local name=$1 dir=$2 type=$3 loader=$4; shift 4
  start_service "$dir"
  prepare "$type" "$loader"
  run_probe "$launcher" startup "$work/requests.txt"
  sleep 0.3
  sed -E 's/^[^"]*"GET ([^"]*)".*/\1/' "$work/access.log" | paste -sd' ' > "$work/requests-$name.txt"
  printf '%s\n' "$*" > "$work/expected-$name.txt"
}
check_requests first-start '0.0.0.0/0 home' none none \
  /cab/DorvexManager.ini /version/pos.php '/version/?app_name=LauncherLoader.exe' /cab/LauncherLoader.exe
check_requests home '0.0.0.0/0 home' 100001 current /version/pos.php '/version/?app_name=LauncherLoader.exe'
check_requests pcroom '127.0.0.0/8 pcroom PCROOM00042 100 200 1' 100001 current \
  /version/pos.php /desktop/pcroom/PCROOM00042 '/version/?app_name=LauncherLoader.exe'
check_requests business '127.0.0.1/32 business 9 2' 100001 current \
  /version/pos.php /version/pos2.php '/version/?app_name=LauncherLoader.exe'
check_requests pcroom-b2b '127.0.0.0/8 pcroom PCROOM00042 1 200 0' 100001 current \
  /version/pos.php /desktop/pcroom/PCROOM00042 /version/pos2.php '/version/?app_name=LauncherLoader.exe'
check_requests outdated-loader '0.0.0.0/0 home' 100001 old \
  /version/pos.php '/version/?app_name=LauncherLoader.exe' /cab/LauncherLoader.exe

echo "== hover, per skin"
start_service '0.0.0.0/0 home'
read -r ax ay <<<"$(button_centre 100001)"
read -r bx by <<<"$(button_centre 100002)"
echo "button 1: ($ax,$ay) in skin A, ($bx,$by) in skin B"
prepare 100001 current; run_probe "$launcher" "hover:2000:$ax:$ay:129" "$work/hover-a.txt"
prepare 100002 current; run_probe "$launcher" "hover:2000:$bx:$by:145" "$work/hover-b.txt"

echo "== click"
prepare 100001 current; run_probe "$launcher" "click:300:$ax:$ay" "$work/click.txt"
INNER
timeout 1800 xvfb-run -a -s '-screen 0 1024x768x24 -noreset' bash "$work/in-x.sh"

# --- the table ---------------------------------------------------------------------------------
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
series() { # PROGRAM KEY: the per-run values
  for i in $(seq "$runs"); do
    f=$work/start-$1-$i.txt
    case $2 in
      wall) awk -v a="$(value paint_unix_ms "$f")" -v b="$(value spawn_unix_ms "$f")" 'BEGIN { print a - b }' ;;
      *) value "$2" "$f" ;;
    esac
  done
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
fmt() { printf '%.*f' "$2" "$1"; }

l_start=$(series launcher startup_ms | median) m_start=$(series minimal startup_ms | median)
l_wall=$(series launcher wall | median) m_wall=$(series minimal wall | median)
l_ws=$(series launcher peak_working_set_kb | median) m_ws=$(series minimal peak_working_set_kb | median)
r_start=$(series requests startup_ms | median) r_ws=$(series requests peak_working_set_kb | median)
l_size=$(stat -c %s "$build/src/DorvexLauncher.exe") m_size=$(stat -c %s "$build/bench/MinimalDialog.exe")
images=$(cat "$art"/bmp/*.bmp | wc -c)
icons=$(cat "$art"/app.ico "$art"/tray.ico | wc -c)

{
  echo "Machine: $(nproc) cores, $(uname -r), $($WINE --version 2>/dev/null), Xvfb 1024x768x24; the $preset build; $(date -u +%F)."
  echo
  echo "| figure | DorvexLauncher | lower bound | ratio | goal |"
  echo "|---|---|---|---|---|"
  echo "| start-up, process creation to first paint (median of $runs) | $(fmt "$l_start" 1) ms | $(fmt "$m_start" 1) ms | $(ratio "$l_start" "$m_start")× | ≤ 1.3× |"
  echo "| start-up against the minimal program with the two queries (median of $runs) | $(fmt "$l_start" 1) ms | $(fmt "$r_start" 1) ms | $(ratio "$l_start" "$r_start")× | |"
  echo "| start-up, \`wine\` command to first paint (median of $runs) | $(fmt "$l_wall" 1) ms | $(fmt "$m_wall" 1) ms | $(ratio "$l_wall" "$m_wall")× | |"
  echo "| exe size, stripped | $((l_size / 1024)) KB | $((m_size / 1024)) KB | $(ratio "$l_size" "$m_size")× | < 400 KB |"
  echo "| of which skin images / icons / the rest | $((images / 1024)) / $((icons / 1024)) / $(((l_size - images - icons) / 1024)) KB | | | |"
  echo "| peak working set after start-up (median of $runs) | $(fmt "$l_ws" 0) KB | $(fmt "$m_ws" 0) KB | $(ratio "$l_ws" "$m_ws")× | ≤ 1.5× |"
  echo "| peak working set against the minimal program with the two queries | $(fmt "$l_ws" 0) KB | $(fmt "$r_ws" 0) KB | $(ratio "$l_ws" "$r_ws")× | |"
  for skin in a b; do
    f=$work/hover-$skin.txt
    h=$(value hover_median_ms "$f") b=$(value blit_median_ms "$f")
    echo "| hover redraw, skin ${skin^^} (median of 2000) | $(fmt "$h" 3) ms | $(fmt "$b" 3) ms (BitBlt) | $(ratio "$h" "$b")× | < 16 ms, ≤ 3× |"
    echo "| of which image load / TransparentBlt alone, skin ${skin^^} | $(fmt "$(value load_median_ms "$f")" 3) / $(fmt "$(value transparent_blit_median_ms "$f")" 3) ms | | | |"
  done
  c=$(value click_median_ms "$work/click.txt") g=$(value raw_get_median_ms "$work/click.txt")
  w=$(value wininet_get_median_ms "$work/click.txt")
  echo "| click, release to browser call (median of 300) | $(fmt "$c" 2) ms | $(fmt "$g" 2) ms (raw GET) | $(ratio "$c" "$g")× | ≤ 1.5× |"
  echo "| click against the same GET through WinINet, a session per call | $(fmt "$c" 2) ms | $(fmt "$w" 2) ms | $(ratio "$c" "$w")× | |"
  echo
  echo "| start | requests the service logged, in order | as the launcher must ask |"
  echo "|---|---|---|"
  for name in first-start home pcroom business pcroom-b2b outdated-loader; do
    got=$(cat "$work/requests-$name.txt") want=$(cat "$work/expected-$name.txt")
    [ "$got" = "$want" ] && verdict=yes || verdict="NO: $want"
    echo "| $name | \`$got\` | $verdict |"
  done
} > "$work/results.md"
cat "$work/results.md"
if grep -q '| NO:' "$work/results.md"; then echo "bench: a start asked other requests than it must"; exit 1; fi
