# The music library of the end-to-end road, the demo and scripts/run, and
# songs for a player: files of known sizes whose bytes differ from file to
# file, so that a copy can be checked byte for byte.

# e2e_song FILE SIZE: a file of SIZE bytes made of its own name, repeated.
e2e_song() {
  mkdir -p "$(dirname "$1")"
  head -c "$2" <(yes "$1") >"$1"
}

# e2e_library DIR: writes the library into DIR/Musica. The hidden folder is
# not shown in the tree, but the scan walks it; Caffè has an accented name;
# Rock/Live holds a second Highway.mp3.
e2e_library() {
  local size song
  while read -r size song; do (cd "$1" && e2e_song "Musica/$song" "$size"); done <<'EOF'
400000 Blues/Crossroads.mp3
300000 Blues/Hoochie Coochie.wma
250000 Caffè/Espresso.mp3
500000 Jazz/Blue Monk.mp3
600000 Jazz/So What.MP3
1000 Jazz/leggimi.txt
200000 Natale/Jingle Bells.mp3
700000 Rock/Highway.mp3
800000 Rock/Paranoid.wav
650000 Rock/Live/Highway.mp3
5000 Rock/Live/copertina.jpg
150000 Vol.1/Aria.ape
100000 .nascosta/Segreto.mp3
EOF
}
