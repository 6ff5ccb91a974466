#!/usr/bin/env bash
# The skinned window under Wine with the shipped data: the skin is painted and shaped by its
# region, the tray menu switches skin and language (and remembers them), and a skin with a
# missing layout key ends the start-up with its error box and no window.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }
: "${TONEDECK_BUILD:?}" "${TONEDECK_SOURCE:?}" "${WINEPREFIX:?run inside tests/wine/wine-session}" "${DISPLAY:?}"
for tool in wine winepath xdotool import convert iconv; do
    command -v "$tool" >/dev/null || fail "'$tool' is missing"
done
exe=$TONEDECK_BUILD/apps/tonedeck/Tonedeck.exe
probe=$TONEDECK_BUILD/tests/wine/tools/window-probe.exe
for file in "$exe" "$probe"; do [[ -f $file ]] || fail "$file is not built"; done
data=$TONEDECK_SOURCE/data

tray_x=13 tray_y=32
title="Tonedeck Audio Center"  # InstallAppTitle of the shipped AudioConfig.cfg
folder=$WINEPREFIX/drive_c/window/Tonedeck
mkdir -p "$folder"
cp -r "$data/." "$folder/"
cp "$exe" "$folder/Tonedeck.exe"
# The per-user copy the installer leaves: it names the language and the skin.
appdata=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")
choices=$appdata/Tonedeck/AudioConfig.cfg
mkdir -p "$(dirname "$choices")"
cp "$data/AudioConfig.cfg" "$choices"

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

state() { wine "$probe" state "$@" 2>/dev/null | tr -d '\r' || true; }
main_state() { state TAudioMainForm TonedeckApp; }
app_state() { state TApplication "$title"; }
wait_until() {  # seconds description command...
    local deadline=$((SECONDS + $1)) what=$2
    shift 2
    until "$@"; do
        ((SECONDS < deadline)) || fail "timed out waiting until $what"
        sleep 0.2
    done
}
is() { local expected=$1; shift; [[ $("$@") == "$expected" ]]; }
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
screen_pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -1 | tr A-F a-f; }
picture_pixel() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -1 | tr A-F a-f; }
# The window's client pixel at x y shows the skin's background picture there.
shows_background() {  # skin x y
    [[ $(screen_pixel $((left + $2)) $((top + $3))) == $(picture_pixel "$data/Skin/$1/main_back.png" "$2" "$3") ]]
}
shows_skin() {  # skin: two points of the background beside the pages
    shows_background "$1" 8 250 && shows_background "$1" 790 250
}
choice() {  # key: its value in the per-user file (UTF-16 with a byte-order mark, as shipped)
    iconv -f UTF-16 -t UTF-8 "$choices" | tr -d '\r' | sed -n "s/^$1=//p"
}
menu_open() { [[ $(state "#32768" "") == visible* ]]; }
tray_menu() {  # keys...: opens the tray menu and, once it shows, types the keys
    xdotool mousemove $tray_x $tray_y click 3
    wait_until 20 "the tray menu opens" menu_open
    xdotool key "$@"
}

for skin in Graphite Porcelain; do
    [[ $(picture_pixel "$data/Skin/$skin/main_back.png" 8 250) =~ ^#[0-9a-f]{6}$ ]] ||
        fail "cannot read the $skin background picture"
done
[[ $(picture_pixel "$data/Skin/Graphite/main_back.png" 8 250) != \
   $(picture_pixel "$data/Skin/Porcelain/main_back.png" 8 250) ]] ||
    fail "the two skins look alike at the sampled point"

echo "== restored from the tray, the window shows the Graphite skin"
wine "$folder/Tonedeck.exe" &
panel=$!
pids+=("$panel")
wait_until 20 "the application window exists" is "hidden minimised" app_state
xdotool mousemove $tray_x $tray_y click --repeat 2 --delay 80 1
wait_until 10 "the main window shows" eval '[[ $(main_state) == visible* ]]'
read -r _ left top width height <<<"$(main_state)"
[[ "$width $height" == "800 500" ]] || fail "window is $width x $height, not the skin's 800 x 500"
wait_until 5 "the Graphite background is painted" shows_skin Graphite

echo "== the skin's region cuts the window's corner"
corner=$(picture_pixel "$data/Skin/Graphite/main_back.png" 0 0)
[[ $(screen_pixel "$left" "$top") != "$corner" ]] || fail "the corner outside the region is painted"
[[ $(screen_pixel $((left + 400)) "$top") == $(picture_pixel "$data/Skin/Graphite/main_back.png" 400 0) ]] ||
    fail "the top edge inside the region is not painted"

echo "== Skin > Porcelain in the tray menu repaints the window and is remembered"
# Close, Skin, then the second skin.
tray_menu Up Up Right Down Return
wait_until 10 "the Porcelain background is painted" shows_skin Porcelain
[[ $(choice DefaultSkin) == Porcelain ]] || fail "per-user skin is '$(choice DefaultSkin)'"
[[ $(main_state) == "visible $left $top 800 500" ]] || fail "window is '$(main_state)' after the switch"

echo "== Language > Deutsch in the tray menu is remembered; Graphite comes back"
tray_menu Up Up Up Right Return
wait_until 10 "the language choice is saved" is Deutsch choice DefaultLanguage
tray_menu Up Up Right Return
wait_until 10 "the Graphite background is painted again" shows_skin Graphite
[[ $(choice DefaultSkin) == Graphite ]] || fail "per-user skin is '$(choice DefaultSkin)'"

echo "== Close in the tray menu ends it"
tray_menu Up Return
ended "$panel" 15

echo "== a skin without its BackNotebook key ends the start-up with the error box"
mkdir -p "$folder/Skin/Broken"
cp -r "$folder/Skin/Graphite/." "$folder/Skin/Broken/"
grep -v '^BackNotebook=' "$folder/Skin/Graphite/SkinSetting.ini" > "$folder/Skin/Broken/SkinSetting.ini"
printf '[Language]\r\nDefaultLanguage=English\r\n[Skin]\r\nDefaultSkin=Broken\r\n' > "$choices"
log=$(mktemp)
WINEDEBUG=-all,+msgbox wine "$folder/Tonedeck.exe" 2>"$log" &
panel=$!
pids+=("$panel")
wait_until 20 "the error box shows" eval '[[ $(state "#32770" "$title") == visible* ]]'
[[ $(main_state) != visible* ]] || fail "the main window shows beside the error box"
xdotool search --onlyvisible --name "Wine System Tray" >/dev/null 2>&1 && fail "the tray icon stayed"
grep -q "MSGBOX_OnInit L\"'' is not a valid integer value\"" "$log" ||
    fail "error box text: $(grep MSGBOX_OnInit "$log" || echo none)"
# Its OK button sits at the bottom in the middle; a click there dismisses it whatever has the focus.
read -r _ box_x box_y box_w box_h <<<"$(state "#32770" "$title")"
xdotool mousemove $((box_x + box_w / 2)) $((box_y + box_h - 24)) click 1
ended "$panel" 15
[[ $(main_state) == missing ]] || fail "main window is '$(main_state)' after the error"
echo "PASS"
