# The road through the program, run by scripts/e2e in a folder of its own
# under set -e: start-up finds the player, the user includes the library and
# excludes a folder of it, asks for 6 songs and copies with clearing onto a
# 1 MiB player, too small for them all; the closing message says so and the
# program ends. Then the files it left are checked byte for byte.

E2E_TIMESTAMP='[0-3][0-9]/[01][0-9]/2[0-9]{3} alle [0-2][0-9]:[0-5][0-9]:[0-5][0-9]'

# e2e_same WHAT LINE...: standard input holds exactly these lines, each one
# ending with CR LF, once every timestamp is read as {TS}.
e2e_same() {
  local what=$1
  shift
  diff <(printf '%s^M\n' "$@") <(sed -E "s#$E2E_TIMESTAMP#{TS}#g" | cat -v) >&2 ||
    e2e_fail "$what: expected the lines marked <, found those marked >"
}

e2e_road() {
  local dir=$1 player=$1/drives/e log=$1/prefix/drive_c/Lavoro/Playlist.txt
  local free records file name song copied=() total=0
  e2e_prepare "$dir"
  cp -a "$E2E_WORK/library/Musica" "$dir/prefix/drive_c/"
  e2e_player "$dir" e 1m
  # Clearing deletes the song in the player's root and leaves the text file
  # and the song in a subfolder.
  (cd "$player" && e2e_song Altro.WMA 50000 && e2e_song note.txt 3000 && e2e_song Cartella/Sotto.mp3 10000)
  e2e_start "$dir"
  # What clearing would recover is under a megabyte, so the status line shows
  # only the free megabytes, rounded.
  free=$(stat -f -c '%a %S' "$player" | awk '{ printf "%.0f", $1 * $2 / 1048576 }')
  e2e_robot "$dir" <<EOF
expect player E:
expect status 'Nel lettore: $free MBytes liberi'
select 'C:\\ DISCO FISSO' Musica
expect selected 'C:\\Musica'
click 'Aggiungi a Cartelle incluse'
select 'C:\\ DISCO FISSO' Musica Rock
click 'Aggiungi a Cartelle da escludere'
expect included 'C:\\Musica'
expect excluded 'C:\\Musica\\Rock'
expect songs 8
expect catalogue 'Disponibili 8 brani per 2 MBytes'
type songs 6
EOF
  [ -z "${E2E_SCREENSHOT:-}" ] || e2e_screenshot "$dir" "$E2E_SCREENSHOT"
  e2e_robot "$dir" <<'EOF'
click 'Mescola e copia'
message-ok 'A T T E N Z I O N E !' 'Copiati [1-5] brani su 6 richiesti\.\nI brani non copiati sono elencati in "Playlist\.txt"\.'
gone
EOF
  e2e_ended "$dir"

  e2e_same ultima.lis '*C:\Musica' '?C:\Musica\Rock' <"$dir/prefix/drive_c/Lavoro/ultima.lis"
  head -n 8 "$log" | e2e_same "the log's start" PLAY-LIST '' 'Inizio a cancellare il {TS}' \
    'Cancello    1  Altro.WMA ' 'Finito di cancellare il {TS}' '' 'Inizio a copiare i brani il {TS}' ''
  # Then one line a song, up to an empty line: copied, or left out for want of space.
  records=$(sed 's/\r$//' "$log" | sed -n '9,/^$/p' | sed '$d')
  ! grep -vE '^ +[0-9]+ |^   - .* \(non copiato: spazio insufficiente\)$|^   - lettore pieno$' <<<"$records" >&2 ||
    e2e_fail "unexpected lines (above) in the copy log"
  grep -qE '^   - ' <<<"$records" || e2e_fail "no song was left out of the full player"
  # Every other file in the player's root is a whole copy of a library song
  # of its name, and those songs are the ones the log lists as copied.
  for file in "$player"/*; do
    name=${file##*/}
    [ -f "$file" ] && [ "$name" != note.txt ] || continue
    song=$(find "$E2E_WORK/library" -type f -name "$name" -exec cmp -s {} "$file" \; -print)
    [ -n "$song" ] || e2e_fail "$name on the player is no copy of a library song"
    copied+=("${name%.*}")
    total=$((total + $(stat -c %s "$file")))
  done
  [ "$(printf '%s\n' "${copied[@]}" | sort)" = "$(sed -n 's/^ *[0-9][0-9]* //p' <<<"$records" | sort)" ] ||
    e2e_fail "the player got [${copied[*]}], the log lists: $records"
  tail -n 3 "$log" | e2e_same "the log's end" '' 'Finito di copiare i brani il {TS}' \
    "Scritti in totale $(awk -v t=$total 'BEGIN { printf "%.0f", t / 1024 }') KBytes"
  [ -f "$player/note.txt" ] && [ "$(ls -A "$player/Cartella")" = Sotto.mp3 ] ||
    e2e_fail "clearing took more than the songs in the player's root"
}

# The long road: the window stays alive through a scan of 200,000 files and
# a copy of 4000 songs onto a tmpfs player (the robot probes it as the system
# does), and the whole copy lands on the player. The library is drive D:.
e2e_long_road() {
  local dir=$1 player=$1/drives/e library=$E2E_CACHE/long-library
  e2e_long_library "$library"
  e2e_prepare "$dir"
  ln -s "$library" "$dir/prefix/dosdevices/d:"
  e2e_player "$dir" e 600m
  e2e_start "$dir"
  # Under load, a fresh prefix can take longer than one wait of the robot to show the window.
  for _ in 1 2 3; do ! e2e_robot "$dir" <<<'expect player E:' >/dev/null || break; done
  e2e_robot "$dir" <<'EOF2'
expect player E:
select 'D:\ DISCO FISSO'
click 'Aggiungi a Cartelle incluse'
alive 5
expect catalogue 'Disponibili 4000 brani per 500 MBytes'
type songs 4000
click 'Mescola e copia'
alive 15
gone
EOF2
  e2e_ended "$dir"
  diff -rq "$library/Brani" "$player" >&2 || e2e_fail "the player is not a copy of the 4000 songs"
}
