# The music library of the end-to-end road, the demo and scripts/run, and
# songs for a player: files of known sizes whose bytes differ from file to
# file, so that a copy can be checked byte for byte.

# e2e_song FILE SIZE: a file of SIZE bytes made of its own name, repeated.
e2e_song() {
  mkdir -p "$(dirname "$1")"
  head -c "$2" <(yes "$1") >"$1"
}

# e2e_library DIR: writes the library into DIR/Musica, songs of 150 kB and
# up, each 50 kB larger than the one before. The hidden folder is not shown
# in the tree, but the scan walks it; Caffè has an accented name; Rock/Live
# holds a second Highway.mp3.
e2e_library() {
  local song size=100000
  for song in Blues/Crossroads.mp3 'Blues/Hoochie Coochie.wma' Caffè/Espresso.mp3 'Jazz/Blue Monk.mp3' \
    'Jazz/So What.MP3' Jazz/leggimi.txt 'Natale/Jingle Bells.mp3' Rock/Highway.mp3 Rock/Paranoid.wav \
    Rock/Live/Highway.mp3 Rock/Live/copertina.jpg Vol.1/Aria.ape .nascosta/Segreto.mp3; do
    e2e_song "$1/Musica/$song" $((size += 50000))
  done
}

# e2e_long_library DIR: made once and kept (about 500 MB): a drive's worth of
# work that lasts, 4000 songs of 128 KiB of random bytes (a copy that moves
# real bytes, not holes) in DIR/Brani, and 20,000 folders of 10 pictures each
# in DIR/Archivio for the scan to walk.
e2e_long_library() {
  [ -f "$1/.ready" ] && return
  rm -rf "$1"
  mkdir -p "$1/Brani" "$1/Archivio"
  head -c 500M /dev/urandom | (cd "$1/Brani" && split -b 128K -a 4 -d --additional-suffix=.mp3 - brano)
  (cd "$1/Archivio" && mkdir -p {000..199}/{00..99} && printf '%s\n' {000..199}/{00..99}/foto{0..9}.jpg | xargs touch)
  touch "$1/.ready"
}
