# The end-to-end scenarios. Each one gets a folder of its own (DIR), starts a
# fresh program with e2e_begin and fails at its first failing step (the
# runner runs it under set -e). The library (tests/e2e/library.sh) is on C:;
# drive E: is a 4 MiB removable player unless the scenario says otherwise.

E2E_SCENARIOS=(road no_player two_players player_music lists numbers playlists
  exit_yes exit_no exit_cancel exit_no_file keys copy_keeping full_player)

E2E_ALL_BUTTONS=("Aggiungi a Cartelle incluse" "Aggiungi a Cartelle da escludere" "Togli da Cartelle incluse"
  "Togli da Cartelle da escludere" "Scegli come lettore" "Salva e continua" "Salva con nome" "Mescola e copia")
E2E_QUESTION="Il file utilizzato è stato modificato\\nSalvarlo prima di uscire?"

# The copy log of a run that copied the one song "Jingle Bells", without clearing.
jingle_bells_log() {
  e2e_lines "$1" <<'EOF'
PLAY-LIST

Inizio a copiare i brani il {TS}

   1 Jingle Bells

Finito di copiare i brani il {TS}
Scritti in totale 195 KBytes
EOF
}

# e2e_begin DIR [DRIVE...]: a fresh prefix with the library on C:, the drives
# given as LETTER:KIND[:SIZE] (by default E: a 4 MiB removable player; "none"
# for no other drive), and the program started.
e2e_begin() {
  local dir=$1 drive letter kind size
  shift
  e2e_prepare "$dir"
  cp -a "$E2E_WORK/library/Musica" "$dir/prefix/drive_c/"
  [ $# -eq 0 ] && set -- e:floppy:4m
  for drive in "$@"; do
    [ "$drive" = none ] && continue
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

# The road of a typical run: start-up finds the player, the user picks a
# folder, lowers the number of songs and copies; the program ends.
scenario_road() {
  local dir=$1
  e2e_begin "$dir"
  e2e_robot "$dir" <<'EOF'
window
expect-tree = 'C:\ DISCO FISSO' 'E:\ DISCO RIMUOVIBILE'
expect-text player E:
expect-text status 'Nel lettore: 4 MBytes liberi'
expect-disabled 'Aggiungi a Cartelle incluse' 'Aggiungi a Cartelle da escludere' 'Togli da Cartelle incluse'
expect-disabled 'Togli da Cartelle da escludere' 'Scegli come lettore' 'Salva e continua' 'Salva con nome' 'Mescola e copia'
expect-enabled 'Fine lavoro' 'Apri una playlist'
expect-checked 'Vietate (tombola)'
expect-unchecked 'Permesse (roulette)'
expect-checked 'Cancella prima di scrivere'
expect-unchecked 'Non cancellare'
expect-text songs ''
expect-text catalogue ''
expect-text compilation ''
expect-list included
expect-list excluded
select 'C:\ DISCO FISSO' Musica
expect-list selected 'C:\Musica'
expect-tree 'C:\ DISCO FISSO' Musica = Blues Caffè Jazz Natale Rock Vol.1
select 'C:\ DISCO FISSO' Musica Rock
expect-list selected 'C:\Musica\Rock'
expect-enabled 'Aggiungi a Cartelle incluse' 'Aggiungi a Cartelle da escludere'
expect-disabled 'Scegli come lettore'
click 'Aggiungi a Cartelle incluse'
expect-list included 'C:\Musica\Rock'
expect-list selected
expect-text songs 3
expect-text catalogue 'Disponibili 3 brani per 2 MBytes'
expect-text compilation 'Nella compilation;   3 brani per totali 2 MBites'
expect-enabled 'Salva e continua' 'Salva con nome' 'Mescola e copia'
expect-disabled 'Aggiungi a Cartelle incluse' 'Aggiungi a Cartelle da escludere'
type songs 2
expect-text compilation 'Nella compilation;   2 brani per totali 1 MBites'
expect-enabled 'Mescola e copia'
EOF
  [ -n "${E2E_SCREENSHOT:-}" ] && e2e_screenshot "$dir" "$E2E_SCREENSHOT"
  e2e_robot "$dir" <<'EOF'
click 'Mescola e copia'
gone
EOF
  e2e_ended "$dir"
  local work="$dir/prefix/drive_c/Lavoro"
  e2e_bytes "$work/ultima.lis" '*C:\\Musica\\Rock\r\n'
  e2e_lines "$work/Playlist.txt" <<'EOF'
PLAY-LIST

Inizio a cancellare il {TS}
Finito di cancellare il {TS}

Inizio a copiare i brani il {TS}

   1 {ANY}
   2 {ANY}

Finito di copiare i brani il {TS}
Scritti in totale {N} KBytes
EOF
  e2e_copies "$work/Playlist.txt" "$dir/drives/e"
  [ "$(find "$dir/drives/e" -type f | wc -l)" = 2 ] || e2e_fail "the player does not hold 2 songs"
}

scenario_no_player() {
  local dir=$1
  e2e_begin "$dir" none
  e2e_robot "$dir" <<EOF
window
expect-tree = 'C:\\ DISCO FISSO'
expect-text player NESSUNO
expect-text status 'Nessun lettore collegato'
select 'C:\\ DISCO FISSO' Musica Natale
click 'Aggiungi a Cartelle incluse'
expect-text songs 1
expect-text catalogue 'Disponibili 1 brani per 0 MBytes'
expect-disabled 'Mescola e copia'
type player E:
expect-enabled 'Mescola e copia'
type player ''
expect-disabled 'Mescola e copia'
click 'Fine lavoro'
expect-message 'A T T E N Z I O N E !' "$E2E_QUESTION"
answer no
gone
EOF
  e2e_ended "$dir"
  e2e_files "$dir/prefix/drive_c/Lavoro"
}

# Several removable drives: none is taken; the user chooses the second one
# and copies to it without clearing.
scenario_two_players() {
  local dir=$1
  e2e_begin "$dir" d:cdrom e:floppy:4m f:floppy:2m
  e2e_robot "$dir" <<'EOF'
window
expect-tree = 'C:\ DISCO FISSO' 'D:\ LETTORE CD/ROM' 'E:\ DISCO RIMUOVIBILE' 'F:\ DISCO RIMUOVIBILE'
expect-text player TROPPI
expect-text status 'Troppi possibili lettori collegati'
select 'D:\ LETTORE CD/ROM'
expect-list selected D:
expect-disabled 'Scegli come lettore'
select 'C:\ DISCO FISSO'
expect-disabled 'Scegli come lettore'
select 'F:\ DISCO RIMUOVIBILE'
expect-list selected F:
expect-enabled 'Scegli come lettore'
click 'Scegli come lettore'
expect-text player F:
expect-text status 'Nel lettore: 2 MBytes liberi'
expect-list selected
expect-disabled 'Scegli come lettore'
select 'C:\ DISCO FISSO' Musica Natale
click 'Aggiungi a Cartelle incluse'
click 'Non cancellare'
expect-checked 'Non cancellare'
expect-unchecked 'Cancella prima di scrivere'
click 'Mescola e copia'
gone
EOF
  e2e_ended "$dir"
  local work="$dir/prefix/drive_c/Lavoro"
  e2e_files "$dir/drives/f" "Jingle Bells.mp3"
  e2e_files "$dir/drives/e"
  jingle_bells_log "$work/Playlist.txt"
  e2e_copies "$work/Playlist.txt" "$dir/drives/f"
  e2e_bytes "$work/ultima.lis" '*C:\\Musica\\Natale\r\n'
}

e2e_old_music() {
  local player="$1/drives/e"
  (cd "$player" && e2e_song Vecchio.mp3 1100000 && e2e_song Altro.WMA 50000 && e2e_song note.txt 3000 &&
    e2e_song Cartella/Sotto.mp3 10000)
}

# A player with music: its space line, then a copy that clears its root
# folder first (only the songs there).
scenario_player_music() {
  local dir=$1
  E2E_BEFORE_START=e2e_old_music e2e_begin "$dir"
  local line
  line=$(e2e_space_line "$dir/drives/e")
  [[ $line == *recuperabili* ]] || e2e_fail "the player's music should be recoverable: $line"
  e2e_robot "$dir" <<EOF
window
expect-text player E:
expect-text status '$line'
select 'C:\\ DISCO FISSO' Musica Blues
click 'Aggiungi a Cartelle incluse'
select 'C:\\ DISCO FISSO' Musica Natale
click 'Aggiungi a Cartelle incluse'
expect-list included 'C:\\Musica\\Blues' 'C:\\Musica\\Natale'
expect-text catalogue 'Disponibili 3 brani per 1 MBytes'
click 'Mescola e copia'
gone
EOF
  e2e_ended "$dir"
  local work="$dir/prefix/drive_c/Lavoro"
  e2e_lines "$work/Playlist.txt" <<'EOF'
PLAY-LIST

Inizio a cancellare il {TS}
Cancello    1  {ANY} 
Cancello    2  {ANY} 
Finito di cancellare il {TS}

Inizio a copiare i brani il {TS}

   1 {ANY}
   2 {ANY}
   3 {ANY}

Finito di copiare i brani il {TS}
Scritti in totale 879 KBytes
EOF
  [ "$(sed -n 's/^Cancello    [12]  \(.*\) \r$/\1/p' "$work/Playlist.txt" | sort | tr '\n' ,)" = "Altro.WMA,Vecchio.mp3," ] ||
    e2e_fail "the log does not list the two deleted songs"
  e2e_files "$dir/drives/e" note.txt Cartella "Crossroads.mp3" "Hoochie Coochie.wma" "Jingle Bells.mp3"
  e2e_files "$dir/drives/e/Cartella" Sotto.mp3
  e2e_copies "$work/Playlist.txt" "$dir/drives/e" note.txt
  e2e_bytes "$work/ultima.lis" '*C:\\Musica\\Blues\r\n*C:\\Musica\\Natale\r\n'
}

# Browsing, adding and removing folders: the tree and both lists stay sorted.
scenario_lists() {
  local dir=$1
  e2e_begin "$dir"
  e2e_robot "$dir" <<'EOF'
window
select 'C:\ DISCO FISSO' Musica
expect-tree 'C:\ DISCO FISSO' Musica = Blues Caffè Jazz Natale Rock Vol.1
select 'C:\ DISCO FISSO' Musica Rock
expect-tree 'C:\ DISCO FISSO' Musica Rock = Live
click 'Aggiungi a Cartelle incluse'
select 'C:\ DISCO FISSO' Musica Blues
click 'Aggiungi a Cartelle incluse'
select 'C:\ DISCO FISSO' Musica Jazz
expect-tree 'C:\ DISCO FISSO' Musica Jazz =
click 'Aggiungi a Cartelle incluse'
expect-list included 'C:\Musica\Blues' 'C:\Musica\Jazz' 'C:\Musica\Rock'
expect-text catalogue 'Disponibili 7 brani per 4 MBytes'
select 'C:\ DISCO FISSO' Musica Rock
click 'Aggiungi a Cartelle incluse'
expect-list included 'C:\Musica\Blues' 'C:\Musica\Jazz' 'C:\Musica\Rock'
expect-list selected 'C:\Musica\Rock'
click 'Aggiungi a Cartelle da escludere'
expect-list excluded 'C:\Musica\Rock'
expect-text catalogue 'Disponibili 4 brani per 2 MBytes'
select 'C:\ DISCO FISSO' Musica Rock Live
click 'Aggiungi a Cartelle da escludere'
select 'C:\ DISCO FISSO'
click 'Aggiungi a Cartelle da escludere'
expect-list excluded C: 'C:\Musica\Rock' 'C:\Musica\Rock\Live'
expect-text catalogue 'Nessun brano disponibile'
expect-text songs 0
expect-disabled 'Togli da Cartelle da escludere' 'Mescola e copia'
click-entry excluded C:
expect-enabled 'Togli da Cartelle da escludere'
click 'Togli da Cartelle da escludere'
expect-list excluded 'C:\Musica\Rock' 'C:\Musica\Rock\Live'
expect-disabled 'Togli da Cartelle da escludere'
expect-text catalogue 'Disponibili 4 brani per 2 MBytes'
click-entry included 'C:\Musica\Jazz'
click 'Togli da Cartelle incluse'
expect-list included 'C:\Musica\Blues' 'C:\Musica\Rock'
expect-list excluded 'C:\Musica\Rock' 'C:\Musica\Rock\Live'
expect-text catalogue 'Disponibili 2 brani per 1 MBytes'
expect-disabled 'Togli da Cartelle incluse' 'Aggiungi a Cartelle incluse'
click-entry included 'C:\Musica\Blues'
click 'Togli da Cartelle incluse'
click-entry included 'C:\Musica\Rock'
click 'Togli da Cartelle incluse'
expect-list included
expect-disabled 'Salva con nome'
expect-enabled 'Salva e continua'
click 'Fine lavoro'
answer no
gone
EOF
  e2e_ended "$dir"
}

# The two bottom lines after list changes and after typing a number.
scenario_numbers() {
  local dir=$1
  e2e_begin "$dir"
  e2e_robot "$dir" <<'EOF'
window
select 'C:\ DISCO FISSO' Musica
click 'Aggiungi a Cartelle incluse'
expect-text songs 11
expect-text catalogue 'Disponibili 11 brani per 4 MBytes'
expect-text compilation 'Nella compilation;   11 brani per totali 4 MBites'
select 'C:\ DISCO FISSO' Musica Rock
click 'Aggiungi a Cartelle da escludere'
expect-text songs 8
expect-text catalogue 'Disponibili 8 brani per 2 MBytes'
expect-text compilation 'Nella compilation;   8 brani per totali 2 MBites'
type songs 0
expect-text compilation 'Nella compilation;   0 brani per totali 0 MBites'
expect-disabled 'Mescola e copia'
type songs 12345x
expect-text songs 1234
expect-match compilation 'Nella compilation;   1234 brani per totali [0-9]+ MBites'
expect-enabled 'Mescola e copia'
type songs 0008
expect-text compilation 'Nella compilation;   8 brani per totali 2 MBites'
click 'Permesse (roulette)'
expect-checked 'Permesse (roulette)'
expect-unchecked 'Vietate (tombola)'
expect-text compilation 'Nella compilation;   8 brani per totali 2 MBites'
type songs ''
expect-text compilation 'Nella compilation;   0 brani per totali 0 MBites'
expect-disabled 'Mescola e copia'
expect-text catalogue 'Disponibili 8 brani per 2 MBytes'
click-entry included 'C:\Musica'
click 'Togli da Cartelle incluse'
expect-text catalogue 'Nessun brano disponibile'
expect-text songs 0
expect-text compilation 'Nella compilation;   0 brani per totali 0 MBites'
click 'Fine lavoro'
answer no
gone
EOF
  e2e_ended "$dir"
}

# "Salva con nome", "Salva e continua" and "Apri una playlist", with the
# files' exact bytes.
scenario_playlists() {
  local dir=$1
  e2e_begin "$dir"
  local work="$dir/prefix/drive_c/Lavoro"
  printf '?C:\\Musica\\Jazz\r\n*C:\\Musica\\Natale\r\n*C:\\Musica\\Jazz\r\n*C:\\Musica\\Vol.1' >"$work/altra.lis"
  e2e_robot "$dir" <<'EOF'
window
select 'C:\ DISCO FISSO' Musica Rock
click 'Aggiungi a Cartelle incluse'
select 'C:\ DISCO FISSO' Musica Blues
click 'Aggiungi a Cartelle incluse'
select 'C:\ DISCO FISSO' Musica Rock Live
click 'Aggiungi a Cartelle da escludere'
click 'Salva con nome'
cancel-file-dialog
expect-enabled 'Salva e continua'
click 'Salva con nome'
file-dialog 'C:\Lavoro\mia'
expect-no-dialog
EOF
  e2e_bytes "$work/mia.lis" '*C:\\Musica\\Blues\r\n*C:\\Musica\\Rock\r\n?C:\\Musica\\Rock\\Live\r\n'
  e2e_files "$work" mia.lis altra.lis
  e2e_robot "$dir" <<'EOF'
select 'C:\ DISCO FISSO' Musica Caffè
click 'Aggiungi a Cartelle incluse'
expect-list included 'C:\Musica\Blues' 'C:\Musica\Caffè' 'C:\Musica\Rock'
click 'Salva e continua'
expect-no-dialog
EOF
  e2e_bytes "$work/mia.lis" '*C:\\Musica\\Blues\r\n*C:\\Musica\\Caff\xe8\r\n*C:\\Musica\\Rock\r\n?C:\\Musica\\Rock\\Live\r\n'
  e2e_robot "$dir" <<'EOF'
expect-disabled 'Salva e continua'
click 'Apri una playlist'
file-dialog 'C:\Lavoro\altra.lis'
expect-list included 'C:\Musica\Jazz' 'C:\Musica\Natale' 'C:\Musica\Vol.1'
expect-list excluded 'C:\Musica\Jazz'
expect-text songs 2
expect-text catalogue 'Disponibili 2 brani per 0 MBytes'
expect-disabled 'Salva e continua'
click 'Fine lavoro'
gone
EOF
  e2e_ended "$dir"
  e2e_bytes "$work/altra.lis" '?C:\\Musica\\Jazz\r\n*C:\\Musica\\Natale\r\n*C:\\Musica\\Jazz\r\n*C:\\Musica\\Vol.1'
  e2e_files "$work" mia.lis altra.lis
}

# The exit question after a change: the lists were saved once as scelta.lis,
# then changed again. HOW closes the window, ANSWER replies to the question.
e2e_exit_with() {
  local dir=$1 answer=$2 how=$3
  e2e_begin "$dir"
  e2e_robot "$dir" <<EOF
window
select 'C:\\ DISCO FISSO' Musica Natale
click 'Aggiungi a Cartelle incluse'
click 'Salva con nome'
file-dialog 'C:\\Lavoro\\scelta.lis'
expect-no-dialog
select 'C:\\ DISCO FISSO' Musica Blues
click 'Aggiungi a Cartelle da escludere'
$how
expect-message 'A T T E N Z I O N E !' "$E2E_QUESTION"
answer $answer
EOF
}

scenario_exit_yes() {
  e2e_exit_with "$1" yes close
  e2e_robot "$1" <<<"gone"
  e2e_ended "$1"
  e2e_bytes "$1/prefix/drive_c/Lavoro/scelta.lis" '*C:\\Musica\\Natale\r\n?C:\\Musica\\Blues\r\n'
}

scenario_exit_no() {
  e2e_exit_with "$1" no "click 'Fine lavoro'"
  e2e_robot "$1" <<<"gone"
  e2e_ended "$1"
  e2e_bytes "$1/prefix/drive_c/Lavoro/scelta.lis" '*C:\\Musica\\Natale\r\n'
}

# Cancel keeps the window open and saves nothing; the next close asks again.
scenario_exit_cancel() {
  local dir=$1
  e2e_exit_with "$dir" cancel close
  e2e_robot "$dir" <<EOF
expect-no-dialog
expect-list included 'C:\\Musica\\Natale'
expect-list excluded 'C:\\Musica\\Blues'
expect-enabled 'Salva e continua'
EOF
  e2e_bytes "$dir/prefix/drive_c/Lavoro/scelta.lis" '*C:\\Musica\\Natale\r\n'
  e2e_robot "$dir" <<EOF
close
expect-message 'A T T E N Z I O N E !' "$E2E_QUESTION"
answer no
gone
EOF
  e2e_ended "$dir"
  e2e_bytes "$dir/prefix/drive_c/Lavoro/scelta.lis" '*C:\\Musica\\Natale\r\n'
  e2e_files "$dir/prefix/drive_c/Lavoro" scelta.lis
}

# Yes with no current file asks for one; giving none keeps the window open.
scenario_exit_no_file() {
  local dir=$1
  e2e_begin "$dir"
  e2e_robot "$dir" <<EOF
window
select 'C:\\ DISCO FISSO' Musica Natale
click 'Aggiungi a Cartelle incluse'
close
expect-message 'A T T E N Z I O N E !' "$E2E_QUESTION"
answer yes
cancel-file-dialog
expect-no-dialog
expect-list included 'C:\\Musica\\Natale'
close
expect-message 'A T T E N Z I O N E !' "$E2E_QUESTION"
answer yes
file-dialog 'C:\\Lavoro\\nuova'
gone
EOF
  e2e_ended "$dir"
  e2e_files "$dir/prefix/drive_c/Lavoro" nuova.lis
  e2e_bytes "$dir/prefix/drive_c/Lavoro/nuova.lis" '*C:\\Musica\\Natale\r\n'
}

# Escape keeps the window; Enter presses "Fine lavoro", which asks nothing
# while the lists are unchanged.
scenario_keys() {
  local dir=$1
  e2e_begin "$dir"
  e2e_robot "$dir" <<'EOF'
window
press escape
expect-no-dialog
expect-text player E:
press enter
gone
EOF
  e2e_ended "$dir"
  e2e_files "$dir/prefix/drive_c/Lavoro"
}

e2e_same_name_on_player() {
  (cd "$1/drives/e" && e2e_song "Jingle Bells.mp3" 1234)
}

# "Non cancellare" with a song of the same name on the player: the old file
# stays, the new copy gets an "i" before the dot.
scenario_copy_keeping() {
  local dir=$1
  E2E_BEFORE_START=e2e_same_name_on_player e2e_begin "$dir"
  e2e_robot "$dir" <<'EOF'
window
select 'C:\ DISCO FISSO' Musica Natale
click 'Aggiungi a Cartelle incluse'
click 'Non cancellare'
click 'Mescola e copia'
gone
EOF
  e2e_ended "$dir"
  local work="$dir/prefix/drive_c/Lavoro"
  e2e_files "$dir/drives/e" "Jingle Bells.mp3" "Jingle Bellsi.mp3"
  [ "$(stat -c %s "$dir/drives/e/Jingle Bells.mp3")" = 1234 ] || e2e_fail "the old song was overwritten"
  jingle_bells_log "$work/Playlist.txt"
  e2e_copies "$work/Playlist.txt" "$dir/drives/e" "Jingle Bells.mp3"
}

# A player too small for the compilation: the songs that do not fit are
# skipped and listed, the user is told, every song on the player is whole,
# and the program ends.
scenario_full_player() {
  local dir=$1
  e2e_begin "$dir" e:floppy:1m
  e2e_robot "$dir" <<'EOF'
window
expect-text status 'Nel lettore: 1 MBytes liberi'
select 'C:\ DISCO FISSO' Musica
click 'Aggiungi a Cartelle incluse'
expect-text songs 11
click 'Mescola e copia'
expect-message-match 'A T T E N Z I O N E !' "Copiati [0-9]+ brani su 11 richiesti\\.\nI brani non copiati sono elencati in \"Playlist\\.txt\"\\."
answer ok
gone
EOF
  e2e_ended "$dir"
  local work="$dir/prefix/drive_c/Lavoro" log copied skipped full
  log="$work/Playlist.txt"
  copied=$(grep -c '^ *[0-9][0-9]* ' "$log")
  # Either count may be 0, for which grep fails.
  skipped=$(grep -c $'^   - .* (non copiato: spazio insufficiente)\r$' "$log" || true)
  # Once not even the smallest song fits, one line ends the copying.
  full=$(tail -n 4 "$log" | grep -c $'^   - lettore pieno\r$' || true)
  [ "$copied" -ge 1 ] && { [ "$full" = 1 ] || [ $((copied + skipped)) = 11 ]; } ||
    e2e_fail "the log lists $copied songs copied, $skipped skipped and $full full player lines"
  [ "$(find "$dir/drives/e" -type f | wc -l)" = "$copied" ] || e2e_fail "the player does not hold $copied songs"
  e2e_copies "$log" "$dir/drives/e"
  head -n 7 "$log" >"$dir/log-head"
  e2e_lines "$dir/log-head" <<'EOF'
PLAY-LIST

Inizio a cancellare il {TS}
Finito di cancellare il {TS}

Inizio a copiare i brani il {TS}

EOF
  tail -n 3 "$log" >"$dir/log-tail"
  e2e_lines "$dir/log-tail" <<'EOF'

Finito di copiare i brani il {TS}
Scritti in totale {N} KBytes
EOF
  e2e_bytes "$work/ultima.lis" '*C:\\Musica\r\n'
}
