# Sourced by ./run, ./test and scripts/wine-exec: one Wine prefix and one X display per run.
# KAV_WINEPREFIX names the prefix folder to create (fresh) when WINEPREFIX is not set yet.

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=ja_JP.UTF-8   # makes Wine's ANSI code page 932

kav_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    KAV_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    kill "$KAV_XVFB_PID" 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2
  return 1
}

kav_make_prefix() {   # $1: folder for the new prefix
  export WINEPREFIX="$1"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  timeout 180 wineboot -i >/dev/null 2>&1 || { echo "wineboot failed" >&2; return 1; }
  # A crash must fail the test instead of waiting on a dialog.
  timeout 60 wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  # Without a window manager (Xvfb) Wine draws the title bars itself.
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
  timeout 60 wineserver -w
  kav_prefix_fonts
}

# Debian's Wine 8 does not find its own fonts (package fonts-wine, /usr/share/wine/fonts) where it
# looks for them, so the title bars drew the letters "0 1 r" instead of the symbol font Marlett's
# buttons. Fonts in the prefix's Fonts folder are found.
kav_prefix_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts" && cp -u /usr/share/wine/fonts/marlett.ttf "$fonts/"
}

# Uses the prefix $1 (made when it is missing) and exports it as WINEPREFIX.
kav_use_prefix() {
  export WINEPREFIX="$1"
  if [ -d "$WINEPREFIX/drive_c" ]; then kav_prefix_fonts; else kav_make_prefix "$WINEPREFIX"; fi
}

kav_stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && timeout 30 wineserver -k >/dev/null 2>&1 || true
  [ -n "${KAV_XVFB_PID:-}" ] && kill "$KAV_XVFB_PID" 2>/dev/null || true
}
