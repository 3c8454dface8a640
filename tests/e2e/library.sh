# The music library of the end-to-end suite and the demo, and songs for a
# player: files of known sizes whose bytes differ from file to file, so that
# a copy can be checked byte for byte.

# Path below the library folder, then size in bytes. The hidden folder is
# not shown in the tree, but the scan walks it; Caffè has an accented name;
# Rock/Live holds a second Highway.mp3.
E2E_SONGS=(
  "Musica/Blues/Crossroads.mp3 400000"
  "Musica/Blues/Hoochie Coochie.wma 300000"
  "Musica/Caffè/Espresso.mp3 250000"
  "Musica/Jazz/Blue Monk.mp3 500000"
  "Musica/Jazz/So What.MP3 600000"
  "Musica/Jazz/leggimi.txt 1000"
  "Musica/Natale/Jingle Bells.mp3 200000"
  "Musica/Rock/Highway.mp3 700000"
  "Musica/Rock/Paranoid.wav 800000"
  "Musica/Rock/Live/Highway.mp3 650000"
  "Musica/Rock/Live/copertina.jpg 5000"
  "Musica/Vol.1/Aria.ape 150000"
  "Musica/.nascosta/Segreto.mp3 100000"
)

# e2e_song FILE SIZE: a file of SIZE bytes made of its own name, repeated.
e2e_song() {
  mkdir -p "$(dirname "$1")"
  head -c "$2" <(yes "$1") >"$1"
}

# e2e_library DIR: writes the library into DIR (as DIR/Musica/...).
e2e_library() {
  local entry
  for entry in "${E2E_SONGS[@]}"; do
    (cd "$1" && e2e_song "${entry% *}" "${entry##* }")
  done
}
