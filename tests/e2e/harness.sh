# The end-to-end harness, sourced by scripts/e2e and scripts/demo: an X
# display, a throwaway Wine prefix made from one template, drive letters on
# folders or size-limited players, the program started in C:\Lavoro, and the
# UI robot. Every wait has a deadline.
# Needs E2E_PROGRAM, E2E_ROBOT, E2E_CACHE (keeps the template between runs)
# and E2E_WORK (a scratch folder). The players are tmpfs mounts: as another
# user than root it mounts them through sudo.

E2E_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
source "$E2E_SCRIPTS/wine-display"
WINE64=$("$E2E_SCRIPTS/wine-find" wine64)
WINESERVER=$("$E2E_SCRIPTS/wine-find" wineserver)
E2E_SUDO=$([ "$(id -u)" = 0 ] || echo sudo)
E2E_TITLE='Mescola - riempi il lettore MP3'
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
# One locale for every run: the sorted lists compare with the locale's rules.
export LC_ALL=C.UTF-8 LANG=C.UTF-8

# The display, and a prefix made once by wineboot whose windows show without
# a window manager ("Managed"="N": otherwise Wine waits 2 s to hide a window).
e2e_setup() {
  mkdir -p "$E2E_WORK" "$E2E_CACHE"
  start_display
  E2E_TEMPLATE="$E2E_CACHE/template-$("$WINE64" --version | tr -c 'a-zA-Z0-9.\n' _)"
  [ -f "$E2E_TEMPLATE/.ready" ] && return
  rm -rf "$E2E_TEMPLATE"
  WINEPREFIX="$E2E_TEMPLATE" timeout 300 "$WINE64" wineboot -i >/dev/null 2>&1
  # Once the server has saved the registry and ended, it is a file to add to.
  WINEPREFIX="$E2E_TEMPLATE" timeout 60 "$WINESERVER" -w
  printf '\n[Software\\\\Wine\\\\X11 Driver] 1700000000\n"Managed"="N"\n' >>"$E2E_TEMPLATE/user.reg"
  touch "$E2E_TEMPLATE/.ready"
}

# e2e_prepare DIR: a fresh prefix (the template's system files shared through
# hard links, since nothing writes them; the rest copied) without the Linux
# root as Z:, the program in C:\Mescola and an empty C:\Lavoro.
e2e_prepare() {
  e2e_stop "$1"
  rm -rf "$1"
  mkdir -p "$1"
  cp -al "$E2E_TEMPLATE" "$1/prefix"
  find "$1/prefix" -type f ! -iregex '.*\.\(dll\|exe\|sys\|drv\|ocx\|cpl\|acm\|tlb\|ttf\|fon\|ax\|ds\|nls\)' \
    -exec sh -c 'for f; do cp -p "$f" "$f.copy" && mv "$f.copy" "$f"; done' sh {} +
  rm -f "$1/prefix/dosdevices/z:"
  mkdir -p "$1/prefix/drive_c/Mescola" "$1/prefix/drive_c/Lavoro"
  cp "$E2E_PROGRAM" "$1/prefix/drive_c/Mescola/mescola.exe"
}

# e2e_player DIR LETTER [SIZE]: the letter on a removable drive, a folder of
# the run; with a SIZE (such as 1m) a tmpfs of that size. Before e2e_start:
# the mount manager reads the drive kinds when it starts.
e2e_player() {
  mkdir -p "$1/drives/$2"
  [ -z "${3:-}" ] || $E2E_SUDO mount -t tmpfs -o "size=$3,uid=$(id -u),gid=$(id -g)" tmpfs "$1/drives/$2"
  ln -s "$1/drives/$2" "$1/prefix/dosdevices/$2:"
  printf '\n[Software\\\\Wine\\\\Drives] 1700000000\n"%s:"="floppy"\n' "$2" >>"$1/prefix/system.reg"
}

# e2e_start DIR [FOLDER]: the program started in C:\Lavoro, or for a second
# program in C:\FOLDER.
e2e_start() {
  mkdir -p "$1/prefix/drive_c/${2:-Lavoro}"
  (cd "$1/prefix/drive_c/${2:-Lavoro}" && WINEPREFIX="$1/prefix" exec "$WINE64" 'C:\Mescola\mescola.exe') \
    >"$1/${2:-program}.log" 2>&1 &
  echo $! >"$1/${2:-program}.pid"
}

# e2e_robot DIR: runs the robot on the script from standard input. Its own
# waits end in 10 s (30 s for the window to show), but "alive" follows a
# whole run: 400 s in all (timeout's code 124 says it ran out of time).
e2e_robot() {
  WINEPREFIX="$1/prefix" timeout 400 "$WINE64" "$E2E_ROBOT"
}

# e2e_screenshot DIR FILE: a picture of the program's window once it shows.
e2e_screenshot() {
  timeout 30 bash -c 'until xwininfo -name "$1" | grep -q IsViewable; do sleep 0.1; done' _ "$E2E_TITLE" 2>/dev/null
  import -display "$DISPLAY" -window "$E2E_TITLE" "$2"
}

# e2e_ended DIR [CODE]: waits (at most 30 s) for the program started in
# C:\Lavoro to end, with CODE (by default 0).
e2e_ended() {
  local code=0
  timeout 30 tail --pid="$(<"$1/program.pid")" -s 0.1 -f /dev/null || e2e_fail "the program did not end" || return 1
  wait "$(<"$1/program.pid")" || code=$?
  [ $code = "${2:-0}" ] || e2e_fail "the program ended with code $code"
}

# e2e_stop DIR: ends whatever the run left running (the server ends every
# process of its prefix) and unmounts its players; nothing left to end is no
# failure.
e2e_stop() {
  local mounted
  [ ! -d "$1/prefix" ] || WINEPREFIX="$1/prefix" timeout 30 "$WINESERVER" -k 2>/dev/null || true
  for mounted in "$1"/drives/* "$1/prefix/drive_c/Lavoro"; do
    # The killed processes may hold a file for a moment longer.
    ! mountpoint -q "$mounted" 2>/dev/null || $E2E_SUDO umount "$mounted" 2>/dev/null || $E2E_SUDO umount -l "$mounted"
  done
}

e2e_fail() {
  echo "e2e: $*" >&2
  return 1
}
