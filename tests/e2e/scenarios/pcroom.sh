# A PC room placed at (100,200) with skin B; no drag, no menu.
root_colour
start_launcher
wait_window 195 350
shot pcroom-start
grep -q '^TYPE=100002' "$valmor/DorvexManager.ini" || fail "TYPE not written"
grep -q 'GET /desktop/pcroom/PCROOM00042' "$run/service.log" || fail "no PC-room query"
# A press on the panel's background starts no drag.
xdotool mousemove 120 400 mousedown 1 mousemove 300 500; sleep 0.3; xdotool mouseup 1; sleep 0.5
! is_root 195 350 || fail "the PC-room window moved"
xdotool mousemove 238 310 click 1; sleep 2
grep -qx 'http://127.0.0.1:18081/novel.php' "$DORVEX_E2E_RECORD" || fail "business novel page not opened: $(cat "$DORVEX_E2E_RECORD")"
