# shellcheck shell=bash
# Wine prefix for running the programs by hand: Hangul shown with NanumGothic,
# caption buttons drawn with Marlett, every program in one 1024x768 virtual
# desktop, and no debugger that would hang on a crash.
# Source it, set WINEPREFIX, then call wine_prefix_ensure LOGFILE.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

WINE_PREFIX_READY_MARK=.prefix-settings-applied

# The registry settings as a .reg file; regedit reads UTF-16 with a byte order mark.
wine_prefix_write_settings() {
  local target=$1
  {
    printf '\xff\xfe'
    sed 's/$/\r/' <<'REG' | iconv -f UTF-8 -t UTF-16LE
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"굴림"="NanumGothic"
"Gulim"="NanumGothic"
"MS Shell Dlg"="NanumGothic"
"MS Shell Dlg 2"="NanumGothic"
"Tahoma"="NanumGothic"

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="shell"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"shell"="1024x768"

REG
  } >"$target"
}

# A prefix works when it was finished and its 32-bit side still runs (a
# prefix made before wine32 was installed cannot load kernel32).
wine_prefix_works() {
  [ -f "$WINEPREFIX/$WINE_PREFIX_READY_MARK" ] &&
    wine reg query 'HKCU\Software\Wine\Fonts\Replacements' /v Gulim >/dev/null 2>&1
}

wine_prefix_make() {
  local log=$1
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >>"$log" 2>&1
  wine_prefix_write_settings "$WINEPREFIX/drive_c/prefix-settings.reg"
  wine regedit /S 'C:\prefix-settings.reg' >>"$log" 2>&1
  # A crash ends the program instead of starting a debugger that waits.
  local view debugger_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
  for view in 32 64; do
    wine reg delete "$debugger_key" /v Debugger /f "/reg:$view" >>"$log" 2>&1
  done
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
  wineserver -w
  touch "$WINEPREFIX/$WINE_PREFIX_READY_MARK"
}

wine_prefix_ensure() {
  local log=$1
  if wine_prefix_works; then
    echo "wine prefix: reusing $WINEPREFIX"
  else
    echo "wine prefix: making $WINEPREFIX (takes about 20 s)"
    wine_prefix_make "$log"
    wine_prefix_works || { echo "wine prefix: $WINEPREFIX does not work, see $log" >&2; return 1; }
  fi
}
