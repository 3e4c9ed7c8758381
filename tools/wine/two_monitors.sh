# shellcheck shell=bash
# Sourced by Wine tests that need two monitors.

# two_monitor_session DIR right|left [HEIGHT]: brings up the Wine session DIR
# (see tools/wine/wine-session.sh) on one wide screen that RandR splits into
# two monitors, which Wine takes through its Xinerama handler: the primary,
# 1024 x 768, and another, 800 x 600 (or 800 x HEIGHT, up to 768), right of
# it (at 1024,0) or left of it (at -800,0). Sets PRIMARY_X and MONITOR_X,
# the two monitors' x on the X screen, and MONITOR_HEIGHT.
two_monitor_session() {
  local session=$1 side=$2
  MONITOR_HEIGHT=${3:-600}
  local tools
  tools=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  bash "$tools/wine/wine-session.sh" start "$session" 1824x768 >/dev/null
  # shellcheck source=tools/wine/wine-env.sh
  source "$tools/wine/wine-env.sh" "$session"
  local primary_index=0
  if [[ $side == right ]]; then
    PRIMARY_X=0 MONITOR_X=1024
  else
    PRIMARY_X=800 MONITOR_X=0 primary_index=1
  fi
  set_two_monitors 0
  local key='HKCU\Software\Wine\X11 Driver'
  wine reg add "$key" /v UseXRandR /t REG_SZ /d N /f >/dev/null
  # Wine lists the monitors in the order they were set; this one is the primary.
  wine reg add "$key" /v PrimaryMonitor /t REG_SZ /d "$primary_index" /f >/dev/null
  # Wine's desktop reads the monitors when it starts: start it anew.
  wineserver -k
  wineserver -w
  wineserver -p </dev/null >/dev/null 2>&1
}

# set_two_monitors TOP: (re)sets the two RandR monitors of the session, the
# other one TOP pixels down from the top of the screen, in the order Wine
# must list them.
set_two_monitors() {
  local main="1024/270x768/200+$PRIMARY_X+0"
  local other="800/210x$MONITOR_HEIGHT/160+$MONITOR_X+$1"
  xrandr --delmonitor main >/dev/null 2>&1 || true
  xrandr --delmonitor other >/dev/null 2>&1 || true
  if ((PRIMARY_X == 0)); then
    xrandr --setmonitor main "$main" screen >/dev/null
    xrandr --setmonitor other "$other" none >/dev/null
  else
    xrandr --setmonitor other "$other" screen >/dev/null
    xrandr --setmonitor main "$main" none >/dev/null
  fi
}
