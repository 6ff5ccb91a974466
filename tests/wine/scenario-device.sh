#!/usr/bin/env bash
# The whole panel against a simulated device, driven with real mouse events under Wine: page
# tabs, a band knob, EQ-EN, presets and RESET, a speaker, skin and language from the tray, plug
# and unplug from outside, and the last profile written at the exit message. What the device got
# is read back from the state file TonedeckSim.exe keeps; where to click from its window file.
set -euo pipefail
: "${TONEDECK_BUILD:?}" "${TONEDECK_SOURCE:?}" "${WINEPREFIX:?run inside tests/wine/wine-session}" "${DISPLAY:?}"
source "$TONEDECK_SOURCE/tests/wine/panel-lib.sh"
require_tools wine winepath xdotool import iconv
exe=$TONEDECK_BUILD/apps/tonedeck-sim/TonedeckSim.exe
require_files "$exe" "$probe" "$exit_sender"

install_panel "$exe"
bands() {  # the five bands' registers as the device holds them
    local address text=
    for address in 288 289 290 291 292 293 294 295 296; do text+="$(device_value $address) "; done
    echo "$text$(( 0x$(device_value 297) & 0x0F ))"
}
press_until() {  # control description command...: clicks, then waits for the command
    local control=$1
    shift
    click_control "$control"
    wait_until 10 "$@"
}

echo "== starts in the tray with the device; restored from the tray"
start_sim_panel
restore_from_tray
wait_until 10 "the window file is written" showing EQPage
reset_bands=$(bands)

echo "== every page tab shows its page"
visit_pages Graphite
click_control PageEQLabel
wait_until 10 "the EQ page shows" showing EQPage

echo "== the 60 Hz knob dragged to the top sets registers 288 and 289 to FF and 0F"
[[ $(device_value 297) == E4 ]] || fail "register 297 starts at $(device_value 297), not E4"
drag_control EQ60HzSliderImage 0 -300
wait_until 10 "register 288 is FF" register_is 288 FF
wait_until 10 "register 289 is 0F" register_is 289 0F

echo "== EQ-EN clears the bypass bit 7 of register 297"
(( 0x$(device_value 297) & 0x80 )) || fail "bypass bit is clear before EQ-EN: $(device_value 297)"
press_until EQEQENImage "the bypass bit clears" eval '(( (0x$(device_value 297) & 0x80) == 0 ))'

echo "== S3 then RESET resets S3 only; S1, S2 and S4 keep their bands"
s1=$(bands)
press_until EQS2Image "S2's bands are sent" eval '[[ $(bands) == "$reset_bands" ]]'
drag_control EQ300HzSliderImage 0 300
wait_until 10 "S2's 300 Hz band is at the bottom" eval 'register_is 290 00 && register_is 291 00'
s2=$(bands)
press_until EQS4Image "S4's bands are sent" eval '[[ $(bands) == "$reset_bands" ]]'
drag_control EQ12000HzSliderImage 0 -300
wait_until 10 "S4's 12 kHz band is at the top" register_is 296 FF
s4=$(bands)
press_until EQS3Image "S3's bands are sent" eval '[[ $(bands) == "$reset_bands" ]]'
drag_control EQ1200HzSliderImage 0 -60
wait_until 10 "S3's 1.2 kHz band moves" eval '[[ $(bands) != "$reset_bands" ]]'
press_until EQResetImage "S3 is back to the reset bands" eval '[[ $(bands) == "$reset_bands" ]]'
for preset in 1 2 4; do
    expected=s$preset
    press_until "EQS${preset}Image" "S$preset shows its own bands" eval '[[ $(bands) == "${!expected}" ]]'
done
press_until EQS3Image "S3 stays reset" eval '[[ $(bands) == "$reset_bands" ]]'

echo "== a dragged speaker sends a new speaker map"
click_control PageVirtual7p1Label
wait_until 10 "the Virtual 7.1 page shows" showing Virtual7p1Page
map=$(device_value SpeakerMap)
requests=$(device_value Requests223140)
drag_control VirtualLImage -12 8
wait_until 10 "a new speaker map is sent" eval '[[ $(device_value SpeakerMap) != "$map" ]]'
(( $(device_value Requests223140) > requests )) || fail "no speaker-map request counted"

echo "== unplugged and plugged again from outside, the device gets the settings back"
click_control PageEQLabel
wait_until 10 "the EQ page shows" showing EQPage
press_until EQS1Image "S1's bands are sent" eval '[[ $(bands) == "$s1" ]]'
wine "$exe" /unplug
wait_until 15 "the device is gone" register_is Present 0
wine "$exe" /plug
wait_until 15 "the device is back" register_is Present 1
wait_until 15 "S1's bands are sent again" eval '[[ $(bands) == "$s1" ]]'
wait_until 15 "EQ-EN is sent again" eval '(( (0x$(device_value 297) & 0x80) == 0 ))'

echo "== Skin > Porcelain and Language > Deutsch from the tray menu"
switch_skin Porcelain
visit_pages Porcelain
tray_menu Up Up Up Right Return
wait_until 10 "the language choice is remembered" is Deutsch user_choice DefaultLanguage

echo "== the exit message ends it and the last profile is written"
rm -f "$peruser/LastProfile.ini"
send_exit "$panel"
ended "$panel" 15
[[ -s $peruser/LastProfile.ini ]] || fail "no LastProfile.ini in $peruser"
# The exit restoration leaves the device neutral.
[[ $(device_value 256) == 00 ]] || fail "register 256 is $(device_value 256) after the exit"
echo "PASS"
