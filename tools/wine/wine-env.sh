# shellcheck shell=bash
# Sourced with one argument, a Wine session folder (see wine-session.sh):
# points Wine at that session's prefix, display and sound device.
session_dir=$1
export WINEPREFIX="$session_dir/prefix"
export WINEDEBUG=-all
# No Mono or Gecko installers; and shortcuts made in the prefix (the
# installer's) add no entries to the host's own menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64
# ALSA as only Wine's processes see it: one device that writes to a file.
export ALSA_CONFIG_PATH="$session_dir/asound.conf"
if [[ -f "$session_dir/display" ]]; then
  DISPLAY=$(<"$session_dir/display")
  export DISPLAY
fi
