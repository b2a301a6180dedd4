# A first start as a home user: the settings file is fetched, skin A at its default place,
# hover and press change the pixels, a click opens the home page, the loader is fetched once.
root_colour
start_launcher
wait_window 500 700
shot home-start
cmp "$valmor/DorvexManager.ini" "$content/DorvexManager.ini" || fail "settings file differs from the served one"
is_root 302 640 || fail "the transparent corner of the bar is not see-through"
idle2=$(pixel 452 660)
xdotool mousemove 452 660; sleep 0.7
hover2=$(pixel 452 660)
[ "$idle2" != "$hover2" ] || fail "hovering button 2 changed nothing"
xdotool mousedown 1; sleep 0.7
pressed2=$(pixel 452 660)
[ "$pressed2" != "$hover2" ] || fail "pressing button 2 changed nothing"
xdotool mouseup 1
for _ in $(seq 40); do [ -s "$DORVEX_E2E_RECORD" ] && break; sleep 0.25; done
grep -qx 'http://127.0.0.1:18080/free_zone/?menu=free_novel' "$DORVEX_E2E_RECORD" || fail "novel page not opened: $(cat "$DORVEX_E2E_RECORD")"
shot home-after-click
[ "$(grep -c 'GET /version/pos.php' "$run/service.log")" = 2 ] || fail "expected one position query at start and one per release"
grep -q 'GET /cab/LauncherLoader.exe' "$run/service.log" || fail "loader not fetched"
cmp "$valmor/LauncherLoader.exe" "$content/LauncherLoader.exe" || fail "loader differs"
# Esc, Enter and Alt+F4 leave it running.
xdotool mousemove 320 650 click 1; sleep 0.3
xdotool key Escape; xdotool key Return; xdotool key alt+F4; sleep 1
running || fail "a key closed the launcher"
# A second instance ends by itself while the first stays.
timeout 30 $WINE "$exe" || true
running || fail "the second instance ended the first"
# The second start found the loader current: still exactly one download.
[ "$(grep -c 'GET /cab/LauncherLoader.exe' "$run/service.log")" = 1 ] || fail "the loader was fetched again"
# A drag on the background moves the window.
xdotool mousemove 310 700; sleep 0.3; xdotool mousedown 1; sleep 0.5
for step in 1 2 3 4 5 6 7 8 9 10; do xdotool mousemove $((310 - step * 10)) $((700 - step * 20)); sleep 0.1; done
sleep 0.3; xdotool mouseup 1; sleep 0.8
is_root 500 700 && ! is_root 302 495 || { shot drag; fail "the drag did not move the window"; }
shot home-dragged
