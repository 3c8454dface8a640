# The end-to-end harness, sourced by scripts/e2e and scripts/demo: an X
# display, Wine prefixes made from one template, drive letters pointing at
# temporary folders and size-limited players, the program started in a fresh
# working directory, and the UI robot. Every wait has a deadline.
#
# Needs: E2E_PROGRAM (the Windows program), E2E_ROBOT (the robot, for the
# suite), E2E_CACHE (where the template prefix is kept between runs),
# E2E_WORK (a scratch folder, removed by e2e_teardown). The players are
# tmpfs mounts: as another user than root it mounts them through sudo.

E2E_SCRIPTS=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../scripts" && pwd)
source "$E2E_SCRIPTS/wine-display"
WINE64=$("$E2E_SCRIPTS/wine-find" wine64)
WINESERVER=$("$E2E_SCRIPTS/wine-find" wineserver)
# Mounting the players needs root.
E2E_SUDO=""
[ "$(id -u)" = 0 ] || E2E_SUDO=sudo
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
# One locale for every run: the sorted lists compare with the locale's rules.
export LC_ALL=C.UTF-8 LANG=C.UTF-8

# A prefix made once by wineboot, whose windows show without a window
# manager ("Managed"="N": otherwise Wine waits about 2 s to hide a window).
e2e_template() {
  local template="$E2E_CACHE/template-$("$WINE64" --version | tr -c 'a-zA-Z0-9.\n' _)"
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    mkdir -p "$E2E_CACHE"
    WINEPREFIX="$template" timeout 300 "$WINE64" wineboot -i >/dev/null 2>&1
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="N"\n' >"$E2E_CACHE/managed.reg"
    WINEPREFIX="$template" timeout 120 "$WINE64" regedit /S "$E2E_CACHE/managed.reg"
    WINEPREFIX="$template" timeout 60 "$WINESERVER" -w
    touch "$template/.ready"
  fi
  E2E_TEMPLATE=$template
}

e2e_setup() {
  mkdir -p "$E2E_WORK"
  start_display
  e2e_template
}

e2e_teardown() {
  local dir
  for dir in "$E2E_WORK"/run/*/; do [ -d "$dir" ] && e2e_stop "$dir"; done
  stop_display
  rm -rf "$E2E_WORK"
}

# A throwaway prefix: the template's large system files shared through hard
# links (nothing writes them), everything else copied.
e2e_new_prefix() {
  local prefix=$1
  cp -al "$E2E_TEMPLATE" "$prefix"
  find "$prefix" -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.sys' -o -iname '*.drv' \
    -o -iname '*.ocx' -o -iname '*.cpl' -o -iname '*.acm' -o -iname '*.tlb' -o -iname '*.ttf' \
    -o -iname '*.fon' -o -iname '*.ax' -o -iname '*.ds' -o -iname '*.nls' \) \
    -exec sh -c 'for f; do cp -p "$f" "$f.copy" && mv "$f.copy" "$f"; done' sh {} +
  rm -f "$prefix/dosdevices/z:"
}

# e2e_drive DIR LETTER KIND [SIZE]: maps the letter to a folder of the
# scenario; KIND is floppy (removable), cdrom or fixed; a SIZE (such as 4m)
# makes the folder a tmpfs of that size. Call before e2e_start.
e2e_drive() {
  local dir=$1 letter=$2 kind=$3 size=${4:-}
  local folder="$dir/drives/$letter"
  mkdir -p "$folder"
  [ -n "$size" ] && $E2E_SUDO mount -t tmpfs -o "size=$size,uid=$(id -u),gid=$(id -g)" tmpfs "$folder"
  ln -s "$folder" "$dir/prefix/dosdevices/$letter:"
  # The mount manager reads the drive kinds when it starts.
  [ "$kind" = fixed ] || printf '\n[Software\\\\Wine\\\\Drives] 1700000000\n"%s:"="%s"\n' \
    "$letter" "$kind" >>"$dir/prefix/system.reg"
}

# e2e_prepare DIR: a prefix with the program in C:\Mescola and an empty
# working directory C:\Lavoro; the music and the drives come next.
e2e_prepare() {
  local dir=$1
  e2e_stop "$dir" 2>/dev/null
  rm -rf "$dir"
  mkdir -p "$dir"
  e2e_new_prefix "$dir/prefix"
  mkdir -p "$dir/prefix/drive_c/Mescola" "$dir/prefix/drive_c/Lavoro"
  cp "$E2E_PROGRAM" "$dir/prefix/drive_c/Mescola/mescola.exe"
}

# e2e_start DIR: starts the program in the background, in C:\Lavoro.
e2e_start() {
  local dir=$1
  (cd "$dir/prefix/drive_c/Lavoro" && WINEPREFIX="$dir/prefix" exec "$WINE64" 'C:\Mescola\mescola.exe') \
    >"$dir/program.log" 2>&1 &
  echo $! >"$dir/program.pid"
}

# e2e_robot DIR: runs the robot on the script from standard input.
e2e_robot() {
  local dir=$1
  WINEPREFIX="$dir/prefix" timeout 180 "$WINE64" "$E2E_ROBOT"
}

# e2e_ended DIR: waits (at most 30 s) for the program to end; fails unless
# its exit code is 0.
e2e_ended() {
  local dir=$1 pid code
  pid=$(cat "$dir/program.pid")
  local tries=0
  while kill -0 "$pid" 2>/dev/null; do
    tries=$((tries + 1))
    [ $tries -gt 300 ] && { echo "e2e: the program did not end" >&2; return 1; }
    sleep 0.1
  done
  wait "$pid" 2>/dev/null && code=0 || code=$?
  [ "$code" = 0 ] || { echo "e2e: the program ended with code $code" >&2; return 1; }
}

# e2e_stop DIR: ends whatever the scenario left running and unmounts its
# players. Nothing left to end is no failure, also for callers under set -e.
e2e_stop() {
  local dir=${1%/}
  if [ -d "$dir/prefix" ]; then
    WINEPREFIX="$dir/prefix" timeout 30 "$WINESERVER" -k 2>/dev/null || true
  fi
  if [ -f "$dir/program.pid" ]; then
    kill "$(cat "$dir/program.pid")" 2>/dev/null || true
    rm -f "$dir/program.pid"
  fi
  local mounted
  for mounted in "$dir"/drives/*; do
    # The killed processes may hold a file for a moment longer.
    mountpoint -q "$mounted" 2>/dev/null && { $E2E_SUDO umount "$mounted" 2>/dev/null || $E2E_SUDO umount -l "$mounted"; }
  done
  return 0
}

# --- Checks of the files the program leaves behind ---------------------------

e2e_fail() {
  echo "e2e: $*" >&2
  return 1
}

# e2e_bytes FILE FORMAT [ARGS...]: the file holds exactly the bytes printf
# makes of the format (\r, \n and \xE8 escapes included).
e2e_bytes() {
  local file=$1
  shift
  [ -f "$file" ] || e2e_fail "no file $file" || return 1
  # shellcheck disable=SC2059
  cmp -s <(printf "$@") "$file" && return 0
  echo "e2e: $file holds:" >&2
  od -c "$file" | head -20 >&2
  echo "e2e: expected:" >&2
  # shellcheck disable=SC2059
  printf "$@" | od -c | head -20 >&2
  return 1
}

E2E_TIMESTAMP='[0-3][0-9]/[01][0-9]/2[0-9]{3} alle [0-2][0-9]:[0-5][0-9]:[0-5][0-9]'

# e2e_lines FILE: every line of the file ends with CR LF and, without it,
# matches the expected line read from standard input, where {TS} stands for
# a timestamp, {N} for a number and {ANY} for any text.
e2e_lines() {
  local file=$1 expected actual n=0 pattern
  [ -f "$file" ] || e2e_fail "no file $file" || return 1
  [ "$(tail -c 2 "$file" | od -An -tx1 | tr -d ' \n')" = 0d0a ] || e2e_fail "$file does not end with CR LF" ||
    return 1
  mapfile -t actual < <(sed 's/\r$//' "$file")
  [ "$(grep -c $'\r$' "$file")" = "${#actual[@]}" ] || e2e_fail "$file has a line without CR LF" || return 1
  while IFS= read -r expected; do
    pattern=$(printf '%s' "$expected" | sed 's/[][\.*^$()+?|{}]/\\&/g')
    pattern=${pattern//\\\{TS\\\}/$E2E_TIMESTAMP}
    pattern=${pattern//\\\{N\\\}/[0-9]+}
    pattern=${pattern//\\\{ANY\\\}/.*}
    [[ "${actual[n]-<no line>}" =~ ^$pattern$ ]] ||
      e2e_fail "$file line $((n + 1)) is '${actual[n]-<none>}', expected '$expected'" || return 1
    n=$((n + 1))
  done
  [ "$n" = "${#actual[@]}" ] || e2e_fail "$file has ${#actual[@]} lines, expected $n" || return 1
}

# e2e_files FOLDER [NAME...]: the folder holds exactly these files and folders.
e2e_files() {
  local folder=$1
  shift
  local shown wanted
  shown=$(cd "$folder" && find . -mindepth 1 -maxdepth 1 -printf '%f\n' | LC_ALL=C sort)
  wanted=$(printf '%s\n' "$@" | LC_ALL=C sort | sed '/^$/d')
  [ "$shown" = "$wanted" ] && return 0
  e2e_fail "$folder holds [$(echo $shown)], expected [$(echo $wanted)]"
}

# e2e_copies LOG PLAYER [OLD...]: the songs the copy log lists are the files
# the copy left in the player's root folder (OLD names the files that were
# there before and must stay), each one a whole copy of a library song of the
# same name (a name that was taken gets "i" before the dot), and the log's
# total is their size in KBytes.
e2e_copies() {
  local log=$1 player=$2
  shift 2
  local logged copied=() file name base total=0 song
  logged=$(sed 's/\r$//' "$log" | sed -n '/^Inizio a copiare/,/^Finito di copiare/p' | sed -n 's/^ *[0-9][0-9]* //p' | sort)
  for file in "$player"/*; do
    [ -f "$file" ] || continue
    name=$(basename "$file")
    printf '%s\n' "$@" | grep -qxF "$name" && continue
    base=${name%.*}
    while [[ $base == *i ]] && ! find "$E2E_WORK/library" -name "$base.${name##*.}" | grep -q .; do base=${base%i}; done
    song=$(find "$E2E_WORK/library" -type f -name "$base.${name##*.}" -exec cmp -s {} "$file" \; -print | head -1)
    [ -n "$song" ] || e2e_fail "$name on the player is no copy of a library song" || return 1
    copied+=("$base")
    total=$((total + $(stat -c %s "$file")))
  done
  [ "$(printf '%s\n' "${copied[@]}" | sed '/^$/d' | sort)" = "$logged" ] ||
    e2e_fail "the log lists [$(echo $logged)], the player got [${copied[*]}]" || return 1
  grep -q "^Scritti in totale $(awk -v t=$total 'BEGIN { printf "%.0f", t / 1024 }') KBytes"$'\r'"\$" "$log" ||
    e2e_fail "the log's total is not $total bytes: $(grep Scritti "$log")"
}
