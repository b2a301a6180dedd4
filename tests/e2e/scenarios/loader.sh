# An older loader is installed: the first start replaces it with the served one, atomically
# (nothing else left in the folder); a second start finds it current and downloads nothing.
mkdir -p "$valmor"
cp "$test_loaders/loader_old.exe" "$valmor/LauncherLoader.exe"
cmp -s "$valmor/LauncherLoader.exe" "$content/LauncherLoader.exe" && fail "the old loader is the served one"
served=$(curl -s 'http://127.0.0.1:18080/version/?app_name=LauncherLoader.exe')
[ "$served" = "$loader_version" ] || fail "service answers version '$served', expected $loader_version"
root_colour
start_launcher
wait_window 500 700
for _ in $(seq 40); do grep -q 'GET /cab/LauncherLoader.exe' "$run/service.log" && break; sleep 0.25; done
sleep 1
cmp "$valmor/LauncherLoader.exe" "$content/LauncherLoader.exe" || fail "the old loader was not replaced by the served one"
[ "$(ls -A "$valmor" | sort | tr '\n' ' ')" = "DorvexManager.ini LauncherLoader.exe " ] ||
  fail "the install folder holds more than it should: $(ls -A "$valmor")"
kill "$launcher_pid"; wait "$launcher_pid" 2>/dev/null || true
WINEPREFIX=$WINEPREFIX wineserver -w
root_colour
start_launcher
wait_window 500 700
# Three version queries: this script's own, and one per start.
for _ in $(seq 40); do [ "$(grep -c 'GET /version/?app_name=' "$run/service.log")" = 3 ] && break; sleep 0.25; done
[ "$(grep -c 'GET /version/?app_name=LauncherLoader.exe' "$run/service.log")" = 3 ] || fail "the second start did not ask for the version"
[ "$(grep -c 'GET /cab/LauncherLoader.exe' "$run/service.log")" = 1 ] || fail "the second start downloaded the loader again"
shot loader-second-start
running || fail "the launcher ended"
