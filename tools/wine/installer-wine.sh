# shellcheck shell=bash
# Sourced after wine-env.sh: Raivel's installer and uninstaller run silently
# (/S) in that Wine session, as an unattended install on Windows runs them.

raivel_uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Raivel'

# registry_values KEY: the key's values, one "NAME TYPE DATA" line each,
# sorted; nothing when the key is missing.
registry_values() {
  wine reg query "$1" 2>/dev/null | tr -d '\r' |
    sed -nE 's/^    ([^ ]+)    (REG_[A-Z_]+)    ?(.*)$/\1 \2 \3/p' | sort
}

# registry_value KEY NAME: one value's data, or nothing.
registry_value() {
  registry_values "$1" | sed -n "s/^$2 REG_[A-Z_]* //p"
}

# windows_variable NAME: an environment variable as Windows programs see it.
windows_variable() {
  wine cmd /c echo "%$1%" | tr -d '\r'
}

# install_silently INSTALLER: the installer's exit status.
install_silently() {
  wine "$1" /S
}

# uninstall_silently: runs the uninstall entry's quiet command and waits
# until the install folder has gone, the uninstaller's last step (it runs
# from a copy of its own, so the command returns before the work is done).
# Fails, saying why, when there is no entry, the command fails or the folder
# is still there after 60 s.
uninstall_silently() {
  local quiet folder
  quiet=$(registry_value "$raivel_uninstall_key" QuietUninstallString)
  folder=$(registry_value "$raivel_uninstall_key" InstallLocation)
  [[ $quiet =~ ^\"(.*)\"\ /S$ && -n $folder ]] || { echo "no uninstall entry: [$quiet] [$folder]" && return 1; }
  wine "${BASH_REMATCH[1]}" /S || { echo "the uninstaller's exit status: $?" && return 1; }
  folder=$(winepath -u "$folder")
  for _ in $(seq 1200); do
    [[ -e $folder ]] || return 0
    sleep 0.05
  done
  echo "the install folder is still there after 60 s"
  return 1
}
