# The roads through the program, each run by scripts/e2e in a folder of its
# own under set -e: the program started afresh, driven by the robot, then
# the files it left checked.

# e2e_same LINE...: standard input holds exactly these lines, each one
# ending with CR LF, once every timestamp is read as {TS}.
e2e_same() {
  diff <(printf '%s^M\n' "$@") <(sed -E 's#[0-3][0-9]/[01][0-9]/2[0-9]{3} alle [0-2][0-9]:[0-5][0-9]:[0-5][0-9]#{TS}#g' | cat -v) >&2 ||
    e2e_fail "${FUNCNAME[1]}: expected the lines marked <, found those marked >"
}

# e2e_copied DIR LIBRARY LINE...: every song in the root of the player E: is
# a whole copy of the LIBRARY song of its name, Playlist.txt lists exactly
# those as copied and ends with the LINEs, then the total it says they make.
e2e_copied() {
  local log=$1/prefix/drive_c/Lavoro/Playlist.txt file copied=() total=0
  for file in "$1"/drives/e/*; do
    [ -n "$(find "$2" -type f -name "${file##*/}" -exec cmp -s {} "$file" \; -print)" ] ||
      e2e_fail "${file##*/} on the player is no whole copy of a library song"
    copied+=("${file%.*}")
    total=$((total + $(stat -c %s "$file")))
  done
  [ "$(printf '%s\n' "${copied[@]##*/}" | sort)" = "$(sed -n 's/^ \+[0-9]\+ \(.*\)\r$/\1/p' "$log" | sort)" ] ||
    e2e_fail "the player got [${copied[*]##*/}], the log lists others"
  tail -n $(($# + 1)) "$log" | e2e_same "${@:3}" '' 'Finito di copiare i brani il {TS}' \
    "Scritti in totale $(awk -v t=$total 'BEGIN { printf "%.0f", t / 1024 }') KBytes"
}

# The whole road: start-up finds the player, the user includes the library
# and excludes a folder of it, asks for 6 songs and copies with clearing
# onto a 1 MiB player, too small for them all; the closing message says so
# and the program ends.
e2e_road() {
  local log=$1/prefix/drive_c/Lavoro/Playlist.txt
  e2e_prepare "$1"
  cp -a "$E2E_WORK/library/Musica" "$1/prefix/drive_c/"
  e2e_player "$1" e 1m
  (cd "$1/drives/e" && e2e_song Altro.WMA 50000)
  e2e_start "$1"
  e2e_robot "$1" <<'EOF'
select 'C:\ DISCO FISSO' Musica
click 'Aggiungi a Cartelle incluse'
select 'C:\ DISCO FISSO' Musica Rock
click 'Aggiungi a Cartelle da escludere'
expect songs 8
type songs 6
EOF
  [ -z "${E2E_SCREENSHOT:-}" ] || e2e_screenshot "$1" "$E2E_SCREENSHOT"
  e2e_robot "$1" <<'EOF'
click 'Mescola e copia'
expect message 'A T T E N Z I O N E !' 'Copiati [1-5] brani su 6 richiesti(\.\nI brani non copiati sono elencati in "Playlist\.txt"\.|: il lettore è pieno\.)'
click OK
EOF
  e2e_ended "$1"
  e2e_same '*C:\Musica' '?C:\Musica\Rock' <"$1/prefix/drive_c/Lavoro/ultima.lis"
  head -n 8 "$log" | e2e_same PLAY-LIST '' 'Inizio a cancellare il {TS}' \
    'Cancello    1  Altro.WMA ' 'Finito di cancellare il {TS}' '' 'Inizio a copiare i brani il {TS}' ''
  # Then one line a song, up to an empty line: at least one left out for want of space.
  grep -qE '^   - (.* \(non copiato: spazio insufficiente\)|lettore pieno)'$'\r''$' "$log" ||
    e2e_fail "no song was left out of the full player"
  e2e_copied "$1" "$E2E_WORK/library"
}

# A working folder on a read-only volume: "Mescola e copia" says so once,
# before the player is touched, and the program ends with code 1.
e2e_read_only_work() {
  e2e_prepare "$1"
  (cd "$1/prefix/drive_c" && e2e_song Musica/Uno.mp3 20000)
  e2e_player "$1" e
  (cd "$1/drives/e" && e2e_song Vecchio.mp3 1000)
  $E2E_SUDO mount -t tmpfs -o ro,size=1m tmpfs "$1/prefix/drive_c/Lavoro"
  e2e_start "$1"
  e2e_robot "$1" <<'EOF'
select 'C:\ DISCO FISSO' Musica
click 'Aggiungi a Cartelle incluse'
click 'Mescola e copia'
expect message ERRORE 'Impossibile scrivere nella cartella C:\\Lavoro\ndove Mescola scrive "Playlist\.txt" e "ultima\.lis"\.'
click OK
EOF
  e2e_ended "$1" 1
  [ "$(ls -A "$1/drives/e")" = Vecchio.mp3 ] || e2e_fail "the player was touched: $(ls -A "$1/drives/e")"
}

# e2e_long_start DIR FOLDER [ROBOT...]: a fresh prefix with FOLDER of the long
# library as drive D: and a tmpfs player as E:, the program started; the
# robot's steps (by default, the 4000 songs of D: in the catalogue, all asked
# for) then follow on standard input.
e2e_long_start() {
  e2e_long_library "$E2E_CACHE/long-library"
  e2e_prepare "$1"
  ln -s "$E2E_CACHE/long-library/$2" "$1/prefix/dosdevices/d:"
  e2e_player "$1" e 600m
  e2e_start "$1"
  e2e_robot "$1"
}

E2E_ALL_SONGS="select 'D:\ DISCO FISSO'
click 'Aggiungi a Cartelle incluse'
expect songs 4000"

# The long road: the window stays alive through a scan of 200,000 files and
# a copy of 4000 songs onto a tmpfs player (the robot probes it as the system
# does), and the whole copy lands on the player.
e2e_long_road() {
  e2e_long_start "$1" . <<'EOF'
select 'D:\ DISCO FISSO'
click 'Aggiungi a Cartelle incluse'
alive 5
click 'Mescola e copia'
alive 15
EOF
  e2e_ended "$1"
  diff -rq "$E2E_CACHE/long-library/Brani" "$1/drives/e" >&2 || e2e_fail "the player is not a copy of the 4000 songs"
}

# Two programs on one player: while the first copies, the second is told the
# player is in use and changes nothing; the first's copy is whole.
e2e_two_programs() {
  e2e_long_start "$1" Brani <<<"$E2E_ALL_SONGS"
  e2e_start "$1" Secondo
  ROBOT_SECOND=1 e2e_robot "$1" <<<"$E2E_ALL_SONGS"
  e2e_robot "$1" <<<"click 'Mescola e copia'"
  timeout 60 bash -c 'until [ -n "$(ls -A "$1")" ]; do sleep 0.1; done' _ "$1/drives/e" || e2e_fail "the first copy did not start"
  ROBOT_SECOND=1 e2e_robot "$1" <<'EOF'
click 'Mescola e copia'
expect message ERRORE 'Il lettore E: è in uso da un.altra copia di Mescola\.\nRiprovare quando avrà finito\.'
click OK
EOF
  e2e_robot "$1" <<<'alive 0'
  e2e_ended "$1"
  diff -rq "$E2E_CACHE/long-library/Brani" "$1/drives/e" >&2 || e2e_fail "the first copy is not whole"
  [ -z "$(ls -A "$1/prefix/drive_c/Secondo")" ] || e2e_fail "the second program wrote in its folder"
}

# A player that vanishes in the middle of a copy (its drive link removed):
# the run stops with the message, the log ends as it says, every file on
# the player is whole and nothing was written elsewhere.
e2e_vanished_player() {
  e2e_long_start "$1" Brani <<<"$E2E_ALL_SONGS
click 'Mescola e copia'"
  timeout 60 bash -c 'until [ "$(ls "$1" | wc -l)" -ge 200 ]; do sleep 0.1; done' _ "$1/drives/e" ||
    e2e_fail "the copy did not get going"
  rm "$1/prefix/dosdevices/e:"
  e2e_robot "$1" <<'EOF'
expect message 'A T T E N Z I O N E !' 'Il lettore E: non è più collegato\.\nCopiati [0-9]+ brani su 4000 richiesti\.'
click OK
EOF
  e2e_ended "$1"
  e2e_copied "$1" "$E2E_CACHE/long-library/Brani" '   - lettore scollegato'
  [ -z "$(find "$1/prefix" -name 'brano*')" ] || e2e_fail "songs were written outside the player"
}
