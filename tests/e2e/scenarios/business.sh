# A business customer whose server says 9|2: skin B at the bottom right, 30 pixels up.
root_colour
start_launcher
wait_window 930 600
shot business-start
grep -q '^TYPE=100002' "$valmor/DorvexManager.ini" || fail "TYPE not written"
sed -n 's/.*"GET \([^ ]*\)".*/\1/p' "$run/service.log" | awk 'NR <= 4' | tr '\n' ' ' > "$run/order.txt"
[ "$(cat "$run/order.txt")" = "/cab/DorvexManager.ini /version/pos.php /version/pos2.php /version/?app_name=LauncherLoader.exe " ] || fail "request order: $(cat "$run/order.txt")"
is_root 834 446 || fail "skin B's rounded corner should be see-through at (834,446)"
is_root 700 600 && true || fail "something left of the panel"
# Every button: the three business pages, then the player's product page (no player here).
for p in 886+558 972+558 886+672 972+672; do
  xdotool mousemove "${p%+*}" "${p#*+}"; sleep 0.3; xdotool click 1; sleep 1.2
done
for _ in $(seq 20); do [ "$(wc -l < "$DORVEX_E2E_RECORD")" -ge 4 ] && break; sleep 0.25; done
printf '%s\n' http://127.0.0.1:18081/comic.php http://127.0.0.1:18081/novel.php \
  http://127.0.0.1:18081/vod.php http://127.0.0.1:18082/Product/AlSong_Intro.aspx > "$run/expected.txt"
sort "$DORVEX_E2E_RECORD" > "$run/opened-sorted.txt"
sort "$run/expected.txt" | cmp -s - "$run/opened-sorted.txt" || fail "pages opened: $(cat "$DORVEX_E2E_RECORD")"
[ "$(grep -c 'GET /version/pos.php' "$run/service.log")" = 5 ] || fail "expected one position query per release"
