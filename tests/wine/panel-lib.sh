# Sourced by the Windows scenarios and the panel demo: waiting, process ends, window states from
# window-probe, screen pixels, the tray icon and its menu, and the simulated-device build's files.
# Needs TONEDECK_BUILD and a Wine session (tests/wine/wine-session).

fail() { echo "FAIL: $*" >&2; exit 1; }
require_tools() { local tool; for tool; do command -v "$tool" >/dev/null || fail "'$tool' is missing"; done; }
require_files() { local file; for file; do [[ -f $file ]] || fail "$file is not built"; done; }

probe=$TONEDECK_BUILD/tests/wine/tools/window-probe.exe
exit_sender=$TONEDECK_BUILD/tests/wine/tools/send-exit-message.exe
# Where Wine's own tray window shows the first icon.
tray_x=13 tray_y=32

pids=()
kill_started() { local pid; for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap kill_started EXIT

wait_until() {  # seconds description command...
    local deadline=$((SECONDS + $1)) what=$2
    shift 2
    until "$@"; do
        ((SECONDS < deadline)) || fail "timed out waiting until $what"
        sleep 0.2
    done
}
is() { local expected=$1; shift; [[ $("$@") == "$expected" ]]; }  # expected command...
ended() {  # pid seconds: fails unless the process ends in time with exit code 0
    local deadline=$((SECONDS + $2))
    while kill -0 "$1" 2>/dev/null; do
        ((SECONDS < deadline)) || fail "process $1 still runs after $2 s"
        sleep 0.2
    done
    local code=0
    wait "$1" || code=$?
    [[ $code == 0 ]] || fail "process $1 ended with exit code $code"
}

state() { wine "$probe" state "$@" 2>/dev/null | tr -d '\r' || true; }  # class title
main_state() { state TAudioMainForm TonedeckApp; }
app_state() { state TApplication "${1:-$title}"; }  # [title]
menu_open() { [[ $(state "#32768" "") == visible* ]]; }

user_appdata() { winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')"; }

screen_pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -1 | tr A-F a-f; }
picture_pixel() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -1 | tr A-F a-f; }

restore_from_tray() {  # sets left and top to the restored window's place
    xdotool mousemove $tray_x $tray_y click --repeat 2 --delay 80 1
    wait_until 10 "the main window shows" eval '[[ $(main_state) == visible* ]]'
    read -r _ left top _ _ <<<"$(main_state)"
}
tray_menu() {  # keys...: opens the tray menu and, once it shows, types the keys
    xdotool mousemove $tray_x $tray_y click 3
    wait_until 20 "the tray menu opens" menu_open
    xdotool key "$@"
}
window_shot() {  # file: the window as it shows on the screen
    import -window root -crop "800x500+$left+$top" +repage "$1"
}

# --- The simulated-device build (TonedeckSim.exe); sim_folder is where it runs.
ini_value() {  # file key: the first value of the key, "" when absent
    [[ -f $1 ]] || return 0
    tr -d '\r' <"$1" | sed -n "s/^$2=//p" | head -1
}
device_value() { ini_value "$sim_folder/TonedeckSim.state.ini" "$1"; }
control_field() {  # name index: 0 left, 1 top, 2 width, 3 height, 4 showing, 5 enabled
    local fields
    IFS=, read -r -a fields <<<"$(ini_value "$sim_folder/TonedeckSim.window.ini" "$1")"
    [[ ${#fields[@]} == 6 ]] || fail "the window file has no control '$1'"
    echo "${fields[$2]}"
}
showing() { [[ $(control_field "$1" 4) == 1 ]]; }
control_centre() {  # name: the screen point in its middle
    echo $((left + $(control_field "$1" 0) + $(control_field "$1" 2) / 2)) \
         $((top + $(control_field "$1" 1) + $(control_field "$1" 3) / 2))
}
click_control() {  # name
    showing "$1" || fail "'$1' is not showing"
    local x y
    read -r x y <<<"$(control_centre "$1")"
    xdotool mousemove "$x" "$y" sleep 0.1 click 1
}
drag_control() {  # name dx dy: pressed in its middle, moved there in ten steps, released
    showing "$1" || fail "'$1' is not showing"
    local x y step
    read -r x y <<<"$(control_centre "$1")"
    local moves=(mousemove "$x" "$y" sleep 0.1 mousedown 1)
    for step in 1 2 3 4 5 6 7 8 9 10; do
        moves+=(sleep 0.05 mousemove $((x + $2 * step / 10)) $((y + $3 * step / 10)))
    done
    xdotool "${moves[@]}" sleep 0.1 mouseup 1
}
register_is() { is "$2" device_value "$1"; }  # address two-hex-digits

install_panel() {  # exe: the shipped data and the program in a folder of the prefix
    title="Tonedeck Audio Center"  # InstallAppTitle of the shipped AudioConfig.cfg
    sim_folder=$WINEPREFIX/drive_c/device/Tonedeck
    mkdir -p "$sim_folder"
    cp -r "$TONEDECK_SOURCE/data/." "$sim_folder/"
    cp "$1" "$sim_folder/"
    # The per-user folder the installer leaves, named by InstallFolderName.
    peruser=$(user_appdata)/Tonedeck
    mkdir -p "$peruser"
    cp "$TONEDECK_SOURCE/data/AudioConfig.cfg" "$peruser/"
}
start_sim_panel() {  # sets panel; returns once it is in the tray with its device
    wine "$sim_folder/TonedeckSim.exe" &
    panel=$!
    pids+=("$panel")
    wait_until 30 "the application window exists" is "hidden minimised" app_state
    wait_until 10 "the device is present" register_is Present 1
}
user_choice() {  # key: its value in the per-user configuration (UTF-16, as shipped)
    iconv -f UTF-16 -t UTF-8 "$peruser/AudioConfig.cfg" | tr -d '\r' | sed -n "s/^$1=//p"
}
switch_skin() {  # Graphite|Porcelain, by the tray menu's Skin sub-menu
    local keys=(Up Up Right)
    [[ $1 == Porcelain ]] && keys+=(Down)
    tray_menu "${keys[@]}" Return
    wait_until 10 "the $1 skin is remembered" is "$1" user_choice DefaultSkin
}
send_exit() {  # pid: the exit message, again while the panel is busy and misses it
    local _
    for _ in 1 2 3 4 5; do
        wine "$exit_sender"
        sleep 1
        kill -0 "$1" 2>/dev/null || break
    done
}

sim_pages=(PageEQLabel:EQPage PageEffectLabel:EffectPage PageMicLabel:MicPage
           PageVirtual7p1Label:Virtual7p1Page Page3DLabel:D3Page)
visit_pages() {  # skin: every enabled tab shows its page; with SCREENSHOTS set, each is saved
    local entry tab page
    for entry in "${sim_pages[@]}"; do
        tab=${entry%%:*} page=${entry#*:}
        [[ $(control_field "$tab" 5) == 1 ]] || continue
        click_control "$tab"
        wait_until 10 "$tab shows $page" showing "$page"
        if [[ -n ${SCREENSHOTS:-} ]]; then
            sleep 0.5
            window_shot "$SCREENSHOTS/$1-${page%Page}.png"
            echo "Screenshot: $SCREENSHOTS/$1-${page%Page}.png"
        fi
    done
}
