# No settings file and no server: the error box, no window, no settings file.
root_colour
start_launcher
for _ in $(seq 60); do xdotool search --name '^DorvexLauncher$' >/dev/null 2>&1 && break; sleep 0.25; done
xdotool search --name '^DorvexLauncher$' >/dev/null 2>&1 || fail "no message box"
shot unreachable-box
[ ! -e "$valmor/DorvexManager.ini" ] || fail "a settings file was written"
is_root 500 700 || fail "a launcher window appeared"
xdotool key Return; sleep 1
for _ in $(seq 20); do running || break; sleep 0.25; done
running && fail "the launcher kept running after the box"
true
