#!/usr/bin/env bash
# wine-session.sh start|stop DIR [WIDTHxHEIGHT]
#
# A Wine session for tests, all of it inside DIR: a private prefix (created
# once, without the Mono and Gecko installers), an Xvfb display (24-bit,
# 1024x768 unless told otherwise), a wineserver kept alive between programs,
# and an ALSA configuration that gives Wine one sound device whose output is
# written to DIR/sound.raw (anew each time Wine opens the device). `stop`
# shuts the server and the display down.
set -euo pipefail

command=$1
session=$(mkdir -p "$2" && cd "$2" && pwd)
size=${3:-1024x768}
here=$(dirname "${BASH_SOURCE[0]}")

stop() {
  # shellcheck source=tools/wine/wine-env.sh
  source "$here/wine-env.sh" "$session"
  if [[ -d "$WINEPREFIX" ]]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
  if [[ -f "$session/xvfb.pid" ]]; then
    local pid
    pid=$(<"$session/xvfb.pid")
    # Only our own X server: a pid left by a session that ended without
    # stopping may belong to another program by now (pids wrap around fast
    # on a busy machine), another session's X server among them.
    if [[ "/proc/$pid/fd/1" -ef "$session/xvfb.log" ]]; then
      kill "$pid" 2>/dev/null || true
      # Gone before a new one may take its display number (5 s at most).
      for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.05
      done
    fi
    rm -f "$session/xvfb.pid" "$session/display"
  fi
}

start() {
  # The prefix's folder first, so that stopping reaches whatever Wine server
  # answers for it: one left by an earlier session (Wine finds a prefix's
  # server by the folder's inode number, which a deleted folder passes on).
  mkdir -p "$session/prefix"
  stop
  cat >"$session/asound.conf" <<CONF
pcm.!default {
  type file
  slave.pcm { type null }
  file "$session/sound.raw"
  format "raw"
}
CONF
  : >"$session/sound.raw"

  # Xvfb picks a free display number and writes it to the descriptor.
  exec {fd}<> <(:)
  # Nothing started here may hold the caller's output open (CTest waits for it).
  # -noreset: the server keeps its state when its last client goes (a
  # picture left on the root, RandR monitors), rather than dropping it and
  # any connection that comes in while it resets.
  Xvfb -displayfd "$fd" -screen 0 "${size}x24" -nolisten tcp -noreset </dev/null \
    >"$session/xvfb.log" 2>&1 &
  echo $! >"$session/xvfb.pid"
  # A read that times out keeps what it got so far: the number may come in
  # two pieces.
  local number="" piece
  for _ in $(seq 100); do
    if read -r -t 0.1 -u "$fd" piece; then
      number+=$piece
      break
    fi
    number+=$piece
  done
  exec {fd}<&-
  if [[ -z "$number" ]]; then
    echo "wine-session: Xvfb did not start" >&2
    cat "$session/xvfb.log" >&2
    stop # nor come up later, with nobody to end it
    exit 1
  fi
  echo ":$number" >"$session/display"

  # shellcheck source=tools/wine/wine-env.sh
  source "$here/wine-env.sh" "$session"
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    wine wineboot -i </dev/null >"$session/wineboot.log" 2>&1
    wineserver -w
    # Sound through ALSA (our file device), whatever else the machine has.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /t REG_SZ /d alsa /f >/dev/null
    # Xvfb has no window manager: Wine places and focuses its windows itself,
    # as Windows does, instead of waiting on a manager that never answers.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
    # No Japanese fonts of Windows' own here: MS P Gothic is IPA P Gothic
    # (metric-compatible), and Tahoma borrows its Japanese characters from
    # it, as Windows' font linking does.
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'ＭＳ Ｐゴシック' /t REG_SZ \
      /d IPAPGothic /f >/dev/null
    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v Tahoma /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f >/dev/null
    wineserver -w
  fi
  # Windows opens a text file in Notepad. Wine's prefix has Notepad's file
  # class, but no .txt entry that names it, so nothing would open one (the
  # settings dialog's link opens Raivel's guide, a text file).
  if ! grep -q '^\[Software\\\\Classes\\\\.txt\]' "$WINEPREFIX/system.reg"; then
    wine reg add 'HKLM\Software\Classes\.txt' /ve /t REG_SZ /d txtfile /f >/dev/null
    wineserver -w
  fi
  wineserver -p </dev/null >/dev/null 2>&1
  echo "wine-session: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
}

case "$command" in
start) start ;;
stop) stop ;;
*)
  echo "usage: wine-session.sh start|stop DIR [WIDTHxHEIGHT]" >&2
  exit 2
  ;;
esac
