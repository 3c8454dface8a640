# The rebuild as a person waits for it, for scripts/bench --e2e: the shipped
# program includes a large library through its window, timed by the robot
# from the click to the catalogue's line, beside the least a scan of the
# same tree can do under the same Wine (mescola_walk, run twice beside the
# program: the second with Wine's caches as warm as the program finds them).

# e2e_large_library DIR: DIR/Libreria, 600 folders of 100 files, 75 songs
# and 25 other files each: 60,000 files, 45,000 songs. The files are sparse,
# of song sizes, one size a folder. Prints the catalogue line they make.
e2e_large_library() {
  local folder song size total=0 names extension
  for ((folder = 0; folder < 600; folder++)); do
    mkdir -p "$1/Libreria/Album $folder"
    size=$((3000000 + folder * 1000))
    total=$((total + 75 * size))
    names=()
    for ((song = 0; song < 100; song++)); do
      extension=txt
      ((song >= 75)) || extension=mp3
      names+=("$1/Libreria/Album $folder/Traccia $song.$extension")
    done
    truncate -s "$size" "${names[@]}"
  done
  awk -v t=$total 'BEGIN { printf "Disponibili 45000 brani per %.0f MBytes", t / 1048576 }'
}

# e2e_rebuild_timing DIR: prints the walks and the robot's clocks around
# the rebuild.
e2e_rebuild_timing() {
  local dir=$1 line
  e2e_prepare "$dir"
  line=$(e2e_large_library "$dir/prefix/drive_c")
  e2e_player "$dir" e
  e2e_start "$dir"
  e2e_robot "$dir" <<<"expect player E:"
  for _ in 1 2; do WINEPREFIX="$dir/prefix" "$WINE64" "$E2E_WALK" 'C:\Libreria'; done
  e2e_robot "$dir" <<EOF
select 'C:\\ DISCO FISSO' Libreria
expect selected 'C:\\Libreria'
clock
click 'Aggiungi a Cartelle incluse'
expect catalogue '$line'
clock
EOF
}
