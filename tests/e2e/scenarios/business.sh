# A business customer whose server says 9|2: skin B at the bottom right, 30 pixels up.
root_colour
start_launcher
wait_window 930 600
shot business-start
grep -q '^TYPE=100002' "$valmor/DorvexManager.ini" || fail "TYPE not written"
sed -n 's/.*"GET \([^ ]*\)".*/\1/p' "$run/service.log" | head -4 | tr '\n' ' ' > "$run/order.txt"
[ "$(cat "$run/order.txt")" = "/cab/DorvexManager.ini /version/pos.php /version/pos2.php /version/?app_name=LauncherLoader.exe " ] || fail "request order: $(cat "$run/order.txt")"
is_root 834 446 || fail "skin B's rounded corner should be see-through at (834,446)"
is_root 700 600 && true || fail "something left of the panel"
xdotool mousemove 870 560 click 1; sleep 2
grep -qx 'http://127.0.0.1:18081/comic.php' "$DORVEX_E2E_RECORD" || fail "business comic page not opened: $(cat "$DORVEX_E2E_RECORD")"
