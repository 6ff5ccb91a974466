#!/usr/bin/env bash
# The installer under Wine, into the session's fresh prefix: the wizard is driven with the
# mouse and keys, then the registry, the files, the service, the per-user configuration, the
# trace lines and the started control panel are checked. A second run over the first replaces
# everything; the uninstaller then takes it all away again, except the user's own folder.
#
# Wine reports 64-bit Windows 7 SP1, so step 8 looks for the update package: the first run
# leaves it missing on purpose (the build carries no package, so the step cannot start it and
# the run ends with code 6 after steps 1 to 7); the second run registers the package first,
# so step 8 passes and the installation succeeds.
set -euo pipefail

: "${TONEDECK_BUILD:?}" "${TONEDECK_SOURCE:?}" "${WINEPREFIX:?run inside tests/wine/wine-session}" "${DISPLAY:?}"
source "$TONEDECK_SOURCE/tests/wine/panel-lib.sh"
current_trace=
fail() {
    echo "FAIL: $* (after ${SECONDS} s)" >&2
    if [[ -n $current_trace && -f $current_trace ]]; then
        echo "last trace lines:" >&2
        grep -a 'dispatch_exception' "$current_trace" | tail -15 >&2 || true
    fi
    exit 1
}
require_tools wine xdotool iconv cmp diff
dist=$TONEDECK_BUILD/dist
service_probe=$TONEDECK_BUILD/tests/wine/tools/service-probe.exe
payloads=$TONEDECK_BUILD/apps/tonedeck-setup/payloads
require_files "$dist/TonedeckSetup.exe" "$dist/Background.bmp" "$probe" "$service_probe" "$payloads/Tonewarden64.exe"

# The service manager of a prefix just made by "wineboot -i" answers queries but times out
# starting a newly created service; one started afresh works as on Windows.
# Wine's own background programs come up again with it: they get no handle on this script's
# output, which ctest waits on.
wineserver -k </dev/null >/dev/null 2>&1
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot </dev/null >/dev/null 2>&1
wine "$probe" state Desktop Desktop </dev/null >/dev/null 2>&1 || true

c=$WINEPREFIX/drive_c
setup=$c/setup
install="$c/Program Files/Tonedeck"
links="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tonedeck"
peruser=$(echo "$c"/users/*/AppData/Roaming)/Tonedeck
system32=$c/windows/system32
cp -r "$dist" "$setup"
work=$(mktemp -d)
cleanup() { kill_started; rm -rf "$work"; }
trap cleanup EXIT

traced() { grep -aqF "dispatch_exception \"$2" "$1"; }  # trace-file line-start
window() { xdotool search --name "$1" 2>/dev/null | head -1; }
has_window() { [[ -n $(window "$1") ]]; }
window_gone() { ! xdotool getwindowname "$1" >/dev/null 2>&1; }
click() {  # x y in the wizard's client area
    local id x y
    id=$(window '\(V[0-9.]*\)$')
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + $1)) $((Y + $2)) click 1
}
reg_value() {  # key value: the data as reg prints it
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v v="$2" '$1 == v { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]+/, ""); print }'
}
no_key() { ! wine reg query "$1" >/dev/null 2>&1; }
service_state() { wine "$service_probe" state Tonewarden 2>/dev/null | tr -d '\r' || true; }
panel_running() { wine "$probe" state TApplication "Tonedeck Audio Center" >/dev/null 2>&1; }
panel_gone() { ! panel_running; }
setup_gone() { ! kill -0 "$setup_pid" 2>/dev/null; }
per_user_language() { iconv -f UTF-16 -t UTF-8 "$peruser/AudioConfig.cfg" | tr -d '\r' | sed -n 's/^DefaultLanguage=//p'; }

run_setup() {  # trace-file language-key title message-boxes
    local trace=$1 key=$2 title=$3 boxes=$4
    current_trace=$trace
    WINEDEBUG=-all,warn+seh wine 'C:\setup\TonedeckSetup.exe' 2>"$trace" &
    setup_pid=$!
    pids+=("$setup_pid")
    wait_until 30 "the wizard shows" has_window '\(V[0-9.]*\)$'
    wait_until 10 "the wizard shows its texts" traced "$trace" '==> TMainForm::FormShow'
    sleep 1
    click 90 84        # the language list opens
    sleep 0.5
    xdotool key "$key" Return
    sleep 0.5
    local shown
    shown=$(xdotool getwindowname "$(window '\(V[0-9.]*\)$')")
    [[ $shown == "$title (V1.0.0.0)" ]] || fail "wizard title is '$shown'"
    click 157 131      # Next
    wait_until 90 "step 8 runs" traced "$trace" '===== Install STEP8'
    local box
    for ((n = 0; n < boxes; n++)); do
        wait_until 20 "message box $((n + 1)) shows" has_window '^Install$'
        sleep 0.5
        box=$(window '^Install$')
        eval "$(xdotool getwindowgeometry --shell "$box")"
        xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 15)) click 1  # OK
        wait_until 10 "message box $((n + 1)) closes" window_gone "$box"
    done
    sleep 1.5          # the finish page comes 500 ms after the worker ends
    click 60 90        # "reboot later": never reboot the test machine
    local deadline=$((SECONDS + 20))
    while ! setup_gone; do
        ((SECONDS < deadline)) || fail "the wizard did not end on Finish"
        click 269 131  # Finish
        sleep 1
    done
    wait "$setup_pid" || true
}

check_installed() {  # trace-file language manual-file
    local trace=$1 language=$2 manual=$3
    echo "-- registry"
    local usb
    usb=$(reg_value 'HKLM\SOFTWARE\HVN USB DeviceId Group' 1)
    [[ $usb == 'USB\VID_0C76&PID_16XX&REV_0100&MI_00,'* ]] || fail "USB group value 1 is '$usb'"
    [[ $(reg_value 'HKLM\SOFTWARE\HVN HID DeviceId Group' 1) == 'HID\VID_0C76&PID_16XX'* ]] ||
        fail "HID group not published"
    local svc='HKLM\SYSTEM\CurrentControlSet\Services\Tonegate'
    [[ $(reg_value "$svc" Type) == 0x1 && $(reg_value "$svc" Start) == 0x3 &&
       $(reg_value "$svc" ErrorControl) == 0x1 ]] || fail "driver service key values"
    [[ $(reg_value "$svc" ImagePath) == 'System32\DRIVERS\Tonegate.sys' ]] || fail "driver ImagePath"
    [[ $(reg_value 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' Tonedeck) == \
       '"C:\Program Files\Tonedeck\Tonedeck.exe" -start' ]] || fail "Run value"
    local entry='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\HVN16xxAudioExt'
    [[ $(reg_value "$entry" UninstallString) == '"C:\Program Files\Tonedeck\TonedeckUninstall.exe"' ]] ||
        fail "UninstallString is '$(reg_value "$entry" UninstallString)'"
    [[ $(reg_value "$entry" DisplayIcon) == '"C:\Program Files\Tonedeck\TonedeckUninstall.exe"' ]] ||
        fail "DisplayIcon"
    [[ $(reg_value "$entry" DisplayName) == 'Tonedeck Audio Center' ]] || fail "DisplayName"
    [[ $(reg_value "$entry" DisplayVersion) == '1.0.0.0' ]] || fail "DisplayVersion"
    [[ $(reg_value "$entry" Publisher) == 'Tonedeck Audio' ]] || fail "Publisher"
    echo "-- device service"
    [[ $(service_state) == running ]] || fail "Tonewarden is '$(service_state)'"
    echo "-- files"
    cmp -s "$system32/Tonewarden.exe" "$payloads/Tonewarden64.exe" || fail "Tonewarden.exe differs"
    cmp -s "$system32/drivers/Tonegate.sys" "$payloads/Tonegate64.placeholder" || fail "Tonegate.sys differs"
    [[ ! -e $c/windows/syswow64/Windows6.1-KB3033929-x64.msu ]] || fail "an empty update package was written"
    cmp -s "$install/Tonedeck.exe" "$TONEDECK_BUILD/apps/tonedeck/Tonedeck.exe" || fail "Tonedeck.exe differs"
    cmp -s "$install/TonedeckUninstall.exe" "$TONEDECK_BUILD/apps/tonedeck-uninstall/TonedeckUninstall.exe" ||
        fail "TonedeckUninstall.exe differs"
    for file in AudioConfig.cfg Tonedeck.ico; do
        cmp -s "$install/$file" "$setup/$file" || fail "$file differs"
    done
    diff -r "$setup/Skin" "$install/Skin" >/dev/null || fail "skin tree differs"
    diff -r "$setup/Language" "$install/Language" >/dev/null || fail "language tree differs"
    cmp -s "$install/Manual/$language/$manual" "$setup/Manual/$language/$manual" || fail "manual missing"
    for link in "Tonedeck Audio Center" "Uninstall Tonedeck" "Tonedeck User Manual"; do
        [[ -s "$links/$link.lnk" ]] || fail "shortcut '$link' missing"
    done
    [[ $(per_user_language) == "$language" ]] || fail "per-user language is '$(per_user_language)'"
    echo "-- trace lines"
    local step
    for step in 1 2 3 4 5 6 7 8; do
        traced "$trace" "===== Install STEP$step =====" || fail "no STEP$step trace"
    done
    echo "-- control panel"
    wait_until 20 "the control panel runs" panel_running
}

echo "== first run (${SECONDS} s): Deutsch; the update package is missing and cannot be started"
run_setup "$work/trace1" Home "Tonedeck Audio Center Setup" 2
check_installed "$work/trace1" Deutsch "Tonedeck Benutzerhandbuch.html"
traced "$work/trace1" '***** Service pack KDB3033929 not EXIST! *****' || fail "update not looked for"
traced "$work/trace1" '***** TMainForm::Copy_KB3033929 (0x10000701) *****' || fail "empty package not traced"
traced "$work/trace1" '***** TMainForm::Install_KB3033929 (0x80000601) *****' || fail "step 8 did not fail"

echo "== second run (${SECONDS} s): Français, the update registered; everything is replaced in place"
wine reg add 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Component Based Servicing\Packages\Package_for_KB3033929~31bf3856ad364e35~amd64~~6.1.1.17' /f >/dev/null 2>&1
printf 'stale' >> "$install/AudioConfig.cfg"
rm -f "$install/Skin/Graphite/SkinSetting.ini"
run_setup "$work/trace2" End "Installation de Tonedeck Audio Center" 0
wait_until 20 "the control panel runs again" panel_running
check_installed "$work/trace2" Francais "Manuel Tonedeck.html"
traced "$work/trace2" '***** Create Directory FAIL! *****' || fail "existing folders not traced"
! traced "$work/trace2" '***** Service pack' || fail "the registered update was looked for again"
! grep -aqF '(0x8000' "$work/trace2" || fail "second run failed: $(grep -aF '(0x8000' "$work/trace2")"

echo "== uninstall (${SECONDS} s): everything goes but the user's own folder"
wine 'C:\Program Files\Tonedeck\TonedeckUninstall.exe' /Quiet
gone() { [[ ! -e $install ]]; }
wait_until 60 "the install folder is gone" gone
wait_until 20 "the control panel ends" panel_gone
wait_until 20 "the uninstall entry is gone" no_key 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\HVN16xxAudioExt'
for key in 'HKLM\SOFTWARE\HVN USB DeviceId Group' 'HKLM\SOFTWARE\HVN HID DeviceId Group' \
           'HKLM\SYSTEM\CurrentControlSet\Services\Tonegate'; do
    no_key "$key" || fail "$key is left"
done
[[ -z $(reg_value 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' Tonedeck) ]] || fail "Run value is left"
[[ $(service_state) == missing ]] || fail "the Tonewarden service is left ($(service_state))"
for file in "$system32/Tonewarden.exe" "$system32/drivers/Tonegate.sys" "$links"; do
    [[ ! -e $file ]] || fail "$file is left"
done
[[ $(per_user_language) == Francais ]] || fail "the user's own configuration went"
echo "PASS (${SECONDS} s)"
