# The music button: the player from the registry (a path with blanks, started as the program
# itself), then, with the key gone, the product page.
root_colour
player_dir="$WINEPREFIX/drive_c/Program Files/ALSong Player"
mkdir -p "$player_dir"
cp "$(dirname "$exe")/../tests/wine/player_standin.exe" "$player_dir/ALSong.exe"
# A decoy where an unquoted command line would look first.
cp "$(dirname "$exe")/../tests/wine/player_standin.exe" "$WINEPREFIX/drive_c/Program.exe"
$WINE reg add 'HKCU\Software\ESTsoft\ALSong' /v ProgramPath /d 'C:\Program Files\ALSong Player\ALSong.exe' /f >/dev/null 2>&1
start_launcher
wait_window 500 700
xdotool mousemove 647 665; sleep 0.3; xdotool click 1
for _ in $(seq 40); do [ -f "$player_dir/player-ran.txt" ] && break; sleep 0.25; done
[ -f "$player_dir/player-ran.txt" ] || fail "the player did not start"
[ ! -f "$WINEPREFIX/drive_c/player-ran.txt" ] || fail "the unquoted path started C:\\Program.exe"
[ ! -s "$DORVEX_E2E_RECORD" ] || fail "a page opened although the player started: $(cat "$DORVEX_E2E_RECORD")"
$WINE reg delete 'HKCU\Software\ESTsoft\ALSong' /f >/dev/null 2>&1
xdotool mousemove 647 660; sleep 0.3; xdotool click 1
for _ in $(seq 40); do [ -s "$DORVEX_E2E_RECORD" ] && break; sleep 0.25; done
grep -qx 'http://127.0.0.1:18082/Product/AlSong_Intro.aspx' "$DORVEX_E2E_RECORD" || fail "no product page: $(cat "$DORVEX_E2E_RECORD")"
