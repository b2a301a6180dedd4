# The right-button menu switches to skin B and stores it; Tray hides the launcher; a
# double-click on the tray icon brings it back.
root_colour
start_launcher
wait_window 500 700
xdotool mousemove 310 700; sleep 0.3; xdotool click 3; sleep 1
shot menu-open
xdotool key Down Down Return; sleep 1.5
grep -q '^TYPE=100002' "$valmor/DorvexManager.ini" || fail "Skin B not stored"
! is_root 929 572 || { shot menu-skin-b; fail "skin B is not at its default place"; }
is_root 500 700 || fail "skin A is still shown"
shot menu-skin-b
xdotool mousemove 842 600; sleep 0.3; xdotool click 3; sleep 1
xdotool key Up Return; sleep 1.5
is_root 929 572 || { shot menu-tray; fail "Tray did not hide the launcher"; }
shot menu-hidden
xdotool mousemove 12 32; sleep 0.3; xdotool click --repeat 2 --delay 80 1; sleep 1.5
! is_root 929 572 || { shot menu-restore; fail "the tray double-click did not show the launcher"; }
shot menu-restored
running || fail "the launcher ended"
