#!/bin/sh
# What make windows delivers. sortbars.exe: a GUI program with its icon and
# the version of the build, hardened: address randomisation with high
# entropy, no-execute data, a stack protector and fortified string functions
# (each of the last two known by the message its check prints). It, the installer and the uninstaller import only
# what Windows 7 SP1 has (check_imports.py). The zip:
# the .exe with the README and LICENSE. The installer, under Wine: /S
# installs for the current user with no questions, the Start-menu entry and
# the uninstaller's entry in place, the installed program opens its window,
# and the uninstaller's /S removes it all.
set -eu
SETUP=$4
. "$(dirname "$0")/session.sh"
version=$(basename "$SETUP" | sed -n 's/^sortbars-\(.*\)-setup\.exe$/\1/p')
[ -n "$version" ] || fail "no version in the installer's name $SETUP"

headers=$(x86_64-w64-mingw32-objdump -p "$APP") || fail "objdump cannot read $APP"
echo "$headers" | grep -q 'Subsystem.*(Windows GUI)' || fail "sortbars.exe is not a GUI program: it would open a console"
for flag in HIGH_ENTROPY_VA DYNAMIC_BASE NX_COMPAT; do
  echo "$headers" | sed -n '/^DllCharacteristics/,/^[A-Z]/p' | grep -qw "$flag" || fail "sortbars.exe lacks the PE flag $flag"
done
for check in "stack smashing detected:stack protector" "buffer overflow detected:fortified functions"; do
  grep -aq "\*\*\* ${check%%:*} \*\*\*" "$APP" || fail "sortbars.exe has no ${check#*:} (its message \"${check%%:*}\" is not in it)"
done
zip=$(dirname "$SETUP")/sortbars-$version-windows-x64.zip
listed=$(cd "$WORK" && cmake -E tar tf "$zip" | sort | paste -sd' ')
[ "$listed" = "sortbars-$version/LICENSE.txt sortbars-$version/README.md sortbars-$version/sortbars.exe" ] ||
  fail "the zip holds $listed"

start_wine
probe_file() { timeout 30 wine "$PROBE" file "$APP" 2>/dev/null | tr -d '\r'; }
[ "$(probe_file)" = "$(printf 'version %s\nicons 4' "$version")" ] ||
  fail "sortbars.exe has $(probe_file | paste -sd' '), not version $version and an icon in 4 sizes"
user_dir="$WINEPREFIX/drive_c/users/$(id -un)"
install_dir="$user_dir/AppData/Local/Programs/sortbars"
shortcut="$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/sortbars.lnk"
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\sortbars'

timeout 120 wine "$SETUP" /S || fail "the installer failed or did not end within 120 s"
for file in "$install_dir/sortbars.exe" "$install_dir/Uninstall.exe" "$install_dir/LICENSE.txt" "$shortcut"; do
  [ -f "$file" ] || fail "the installer did not write $file"
done
cmp -s "$install_dir/sortbars.exe" "$APP" || fail "the installed sortbars.exe is not the one built"
# The program, the installer and the uninstaller it wrote import nothing
# that Windows 7 SP1 lacks, and need no DLL beside the system's.
/usr/bin/python3 "$(dirname "$0")/check_imports.py" x86_64-w64-mingw32-objdump "$APP" "$SETUP" \
  "$install_dir/Uninstall.exe" || fail "a program imports what Windows 7 SP1 does not have"
timeout 60 wine reg query "$key" /v QuietUninstallString 2>/dev/null | grep -q 'Uninstall.exe" /S' ||
  fail "the installer did not register its uninstaller"

APP="$install_dir/sortbars.exe"
start_app wine "$APP"
check_x_window
wmctrl -c Form1
wait_exit 5
[ "$STATUS" -eq 0 ] || fail "closing the installed program gave exit status $STATUS"

# The uninstaller copies itself away and returns at once; its copy goes on.
timeout 60 wine "$install_dir/Uninstall.exe" /S || fail "the uninstaller failed"
wait_for 60 "the uninstaller to remove the program" test ! -e "$install_dir"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu entry"
! timeout 60 wine reg query "$key" >/dev/null 2>&1 || fail "the uninstaller left its entry in the registry"
echo "1 passed, 0 failed"
