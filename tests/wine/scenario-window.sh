#!/usr/bin/env bash
# The skinned window under Wine with the shipped data: the skin is painted and shaped by its
# region, the tray menu switches skin and language (and remembers them), and a skin with a
# missing layout key ends the start-up with its error box and no window.
set -euo pipefail
: "${TONEDECK_BUILD:?}" "${TONEDECK_SOURCE:?}" "${WINEPREFIX:?run inside tests/wine/wine-session}" "${DISPLAY:?}"
source "$TONEDECK_SOURCE/tests/wine/panel-lib.sh"
require_tools wine winepath xdotool import convert iconv
exe=$TONEDECK_BUILD/apps/tonedeck/Tonedeck.exe
require_files "$exe" "$probe"
data=$TONEDECK_SOURCE/data

title="Tonedeck Audio Center"  # InstallAppTitle of the shipped AudioConfig.cfg
folder=$WINEPREFIX/drive_c/window/Tonedeck
mkdir -p "$folder"
cp -r "$data/." "$folder/"
cp "$exe" "$folder/Tonedeck.exe"
# The per-user copy the installer leaves: it names the language and the skin.
appdata=$(user_appdata)
choices=$appdata/Tonedeck/AudioConfig.cfg
mkdir -p "$(dirname "$choices")"
cp "$data/AudioConfig.cfg" "$choices"

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
