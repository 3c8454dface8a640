# The end-to-end road. It gets a folder of its own (DIR), starts a fresh
# program and fails at its first failing step (the runner runs it under
# set -e). The library (tests/e2e/library.sh) is on C:.

E2E_SCENARIOS=(road)

# e2e_begin DIR [DRIVE...]: a fresh prefix with the library on C:, the drives
# given as LETTER:KIND[:SIZE], and the program started.
e2e_begin() {
  local dir=$1 drive letter kind size
  shift
  e2e_prepare "$dir"
  cp -a "$E2E_WORK/library/Musica" "$dir/prefix/drive_c/"
  for drive in "$@"; do
    IFS=: read -r letter kind size <<<"$drive"
    e2e_drive "$dir" "$letter" "$kind" "$size"
  done
  [ -n "${E2E_BEFORE_START:-}" ] && "$E2E_BEFORE_START" "$dir"
  e2e_start "$dir"
}

# The status line for a player folder as it is now: free and recoverable
# megabytes, rounded as the program rounds them.
e2e_space_line() {
  local folder=$1 free recoverable
  free=$(stat -f -c '%a %S' "$folder" | awk '{ print $1 * $2 }')
  recoverable=$(find "$folder" -maxdepth 1 -type f -iregex '.*\.\(mp3\|wma\|m4p\|vqf\|ape\|wav\)' -printf '%s\n' |
    awk '{ t += $1 } END { print t + 0 }')
  awk -v f="$free" -v r="$recoverable" 'BEGIN {
    m = 1048576
    if (r < m) printf "Nel lettore: %.0f MBytes liberi", f / m
    else printf "Nel lettore: %.0f MBytes liberi, %.0f MBytes recuperabili, %.0f MBytes disponibili", f / m, r / m, (r + f) / m
  }'
}

e2e_screenshot() {
  local dir=$1 target=$2 x y w h
  read -r x y w h < <(e2e_robot "$dir" <<<"rect")
  import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$target"
}

# The player holds a song in its root folder, which clearing deletes, and
# files that clearing leaves: a text file and a song in a subfolder.
e2e_old_music() {
  local player="$1/drives/e"
  (cd "$player" && e2e_song Altro.WMA 50000 && e2e_song note.txt 3000 && e2e_song Cartella/Sotto.mp3 10000)
}

# The road of a run: start-up finds the player, the user includes the
# library and excludes a folder of it, asks for 6 songs and copies with
# clearing onto a 1 MiB player, too small for them all; the closing message
# says so and the program ends.
scenario_road() {
  local dir=$1
  E2E_BEFORE_START=e2e_old_music e2e_begin "$dir" e:floppy:1m
  local line
  line=$(e2e_space_line "$dir/drives/e")
  e2e_robot "$dir" <<EOF
window
expect-text player E:
expect-text status '$line'
select 'C:\\ DISCO FISSO' Musica
expect-list selected 'C:\\Musica'
click 'Aggiungi a Cartelle incluse'
select 'C:\\ DISCO FISSO' Musica Rock
click 'Aggiungi a Cartelle da escludere'
expect-list included 'C:\\Musica'
expect-list excluded 'C:\\Musica\\Rock'
expect-text songs 8
expect-text catalogue 'Disponibili 8 brani per 2 MBytes'
type songs 6
EOF
  [ -n "${E2E_SCREENSHOT:-}" ] && e2e_screenshot "$dir" "$E2E_SCREENSHOT"
  e2e_robot "$dir" <<'EOF'
click 'Mescola e copia'
expect-message-match 'A T T E N Z I O N E !' "Copiati [1-5] brani su 6 richiesti\\.\nI brani non copiati sono elencati in \"Playlist\\.txt\"\\."
answer ok
gone
EOF
  e2e_ended "$dir"
  local work="$dir/prefix/drive_c/Lavoro" log records
  log="$work/Playlist.txt"
  e2e_bytes "$work/ultima.lis" '*C:\\Musica\r\n?C:\\Musica\\Rock\r\n'
  head -n 8 "$log" >"$dir/log-head"
  e2e_lines "$dir/log-head" <<'EOF'
PLAY-LIST

Inizio a cancellare il {TS}
Cancello    1  Altro.WMA 
Finito di cancellare il {TS}

Inizio a copiare i brani il {TS}

EOF
  tail -n 3 "$log" >"$dir/log-tail"
  e2e_lines "$dir/log-tail" <<'EOF'

Finito di copiare i brani il {TS}
Scritti in totale {N} KBytes
EOF
  # Between them, one line a song: copied, or left out for want of space.
  records=$(sed 's/\r$//' "$log" | sed -n '9,/^$/p' | sed '$d')
  ! grep -qvE '^ +[0-9]+ |^   - .* \(non copiato: spazio insufficiente\)$|^   - lettore pieno$' <<<"$records" ||
    e2e_fail "unexpected lines in the copy log: $records"
  grep -qE '^   - ' <<<"$records" || e2e_fail "no song was left out of the full player"
  e2e_copies "$log" "$dir/drives/e" note.txt
  e2e_files "$dir/drives/e/Cartella" Sotto.mp3
}
