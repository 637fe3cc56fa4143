#!/usr/bin/env bash
# The setup program end to end, in a fresh Wine prefix of its own: a silent install
# into a chosen folder, the installed program started and left through its tray menu,
# a silent uninstall that keeps the user's settings, then install and uninstall again
# with the settings removed. A 64-bit prefix (win64) must get the 64-bit set and the
# 64-bit registry view, a 32-bit one (win32) the 32-bit set.
# Usage: setup_e2e.sh <source tree> <folder with the setup program>
#          <installed_program_check.exe> <work folder> win64|win32
set -uo pipefail
top=$1 dist=$2 check=$3 work=$4 arch=$5
case $arch in
  win64) machine=8664 view=64 other_view=32 ;;
  win32) machine=14c view=32 other_view= ;; # one view only
  *) echo "unknown prefix kind '$arch'"; exit 2 ;;
esac
export WINEARCH=$arch

export WINEPREFIX="$work/prefix" BRELLIX_WINEPREFIX="$work/prefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null
rm -rf "$work"
mkdir -p "$work"
trap 'wineserver -k 2>/dev/null' EXIT

setups=("$dist"/Brellix-*-setup.exe)
[ -f "${setups[0]}" ] || { echo "no setup program in $dist (scripts/package)"; exit 1; }
"$top/scripts/wine-prefix" || { echo "cannot make the prefix"; exit 1; }

drive="$WINEPREFIX/drive_c"
folder='C:\Brellix Test'
installed="$drive/Brellix Test"
shortcut="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Brellix.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brellix'
extension_key='HKCR\CLSID\{72F57093-924C-4611-8AC0-2BE32199FD51}\InprocServer32'
property_key='HKCR\Folder\Shellex\PropertySheetHandlers\{72F57093-924C-4611-8AC0-2BE32199FD51}'
programs=(Brellix.exe Mail.dll Renewo.dll Foldwise.dll README.txt LICENCE.txt Uninstall.exe)
mkdir -p "$drive/dist"
cp "${setups[0]}" "$drive/dist/"
setup='C:\dist\'$(basename "${setups[0]}")
version=$(basename "${setups[0]}" | sed 's/^Brellix-\(.*\)-setup\.exe$/\1/')

failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

echo "== the version file and the checksums beside the setup program"
mapfile -t lines <"$dist/version.txt"
[ "${#lines[@]}" -eq 6 ] && [ "${lines[0]}" = 1 ] && [ "${lines[1]}" = "$version" ] ||
  fail "version file: ${lines[*]}"
[ "${lines[4]##*/}" = "$(basename "${setups[0]}")" ] || fail "download address ${lines[4]}"
[ "${lines[5]}" = "sha256=$(sha256sum "${setups[0]}" | cut -c1-64)" ] || fail "digest line"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS"
step() { echo "== $*"; }
wine_run() { "$top/scripts/wine-run" "$@"; }
# Waits until every program of the prefix has ended: the uninstaller runs from a
# copy of itself that the started one leaves behind.
settle() { timeout 120 wineserver -w || fail "programs still running"; }
# /D= must come last and unquoted, as an administrator types it: through cmd, which
# hands the line over as it is.
install() { wine_run cmd /c "$setup /S /D=$folder" || fail "setup exit code $?"; settle; }
uninstall() { wine_run "$folder\\Uninstall.exe" /S "$@" || fail "uninstall exit code $?"; settle; }
query() { wine_run reg query "$@" >"$work/reg.out" 2>/dev/null; }
has_key() { query "$1" "/reg:$2"; }
# In the view of the other width, where there is one.
in_other_view() { [ -n "$other_view" ] && has_key "$1" "$other_view"; }

step "silent install into $folder"
install
for p in "${programs[@]}"; do [ -f "$installed/$p" ] || fail "$p not installed"; done
[ "$("$top/scripts/pe-machine" "$installed/Brellix.exe")" = $machine ] ||
  fail "not the set of the system's width ($arch)"
[ -f "$shortcut" ] || fail "no Start menu shortcut"
if has_key "$uninstall_key" $view; then
  for v in "DisplayName    REG_SZ    Brellix" "DisplayVersion    REG_SZ    $version" \
    "Publisher    REG_SZ" "DisplayIcon    REG_SZ    $folder\\Brellix.exe" \
    "UninstallString    REG_SZ    \"$folder\\Uninstall.exe\"" "EstimatedSize    REG_DWORD"; do
    grep -qF "$v" "$work/reg.out" || fail "uninstall entry lacks '$v'"
  done
else
  fail "no uninstall entry in the $view-bit view"
fi
in_other_view "$uninstall_key" && fail "uninstall entry in the $other_view-bit view"
if has_key "$extension_key" $view; then
  grep -qi 'Foldwise.dll' "$work/reg.out" || fail "extension registered with another file"
else
  fail "shell extension not registered in the $view-bit view"
fi
in_other_view "$extension_key" && fail "shell extension registered in the $other_view-bit view"
has_key "$property_key" $view || fail "no property sheet handler for folders"

step "the installed program starts and exits through its tray menu"
wine_run "$check" "$folder\\Brellix.exe" || fail "installed program check"
settle
has_key 'HKCU\Software\Brellix' $view || fail "the program kept no settings"

step "silent uninstall keeps the settings"
uninstall
for p in "${programs[@]}"; do [ -e "$installed/$p" ] && fail "$p left behind"; done
[ -e "$shortcut" ] && fail "shortcut left behind"
has_key "$uninstall_key" $view && fail "uninstall entry left behind"
has_key "$extension_key" $view && fail "shell extension still registered"
has_key "$property_key" $view && fail "property sheet handler left behind"
has_key 'HKCU\Software\Brellix' $view || fail "the user's settings were removed"
[ -f "$installed/Mail.Brellix" ] || fail "the account file was removed"

step "install again, uninstall with the settings"
install
[ -f "$installed/Brellix.exe" ] || fail "second install"
uninstall /RemoveSettings
has_key 'HKCU\Software\Brellix' $view && fail "settings left behind"
[ -e "$installed" ] && fail "folder left behind: $(ls "$installed")"
has_key "$uninstall_key" $view && fail "uninstall entry left behind"

if [ $failures -eq 0 ]; then echo "== setup e2e passed"; else echo "== $failures failures"; fi
[ $failures -eq 0 ]
