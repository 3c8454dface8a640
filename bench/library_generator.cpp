#include "library_generator.h"

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <vector>

#include "system.h"

namespace fs = std::filesystem;

namespace {

// splitmix64: the same sequence on every platform and compiler.
class Sequence {
 public:
  explicit Sequence(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A whole number from 0 to bound - 1.
  long Below(long bound) { return static_cast<long>(Next() % static_cast<std::uint64_t>(bound)); }

 private:
  std::uint64_t state_;
};

std::string Numbered(const char* format, long number) {
  char text[96];
  std::snprintf(text, sizeof text, format, number);
  return text;
}

std::string FolderName(Sequence& random, int depth, long serial) {
  long pick = random.Below(100);
  if (depth == 1) {
    if (pick < 3) return Numbered("Mr. Rossi %ld", serial);
    if (pick < 4) return Numbered(".nascosta %ld", serial);
    return Numbered("Artista %05ld", serial);
  }
  if (depth == 2) {
    if (pick < 1) return Numbered("Live %ld.mp3", serial);
    if (pick < 6) return Numbered("A.B.C. vol. %ld", serial);
    return Numbered("Album %ld (1987)", serial);
  }
  if (pick < 40) return Numbered("CD %ld", serial);
  return Numbered("Extra.%ld", serial);
}

std::string SongName(Sequence& random, long serial) {
  static const char* const extensions[] = {"mp3", "mp3", "mp3", "mp3", "mp3", "mp3", "mp3",
                                           "MP3", "Mp3", "wma", "WAV", "wav", "m4p", "ape",
                                           "vqf", "Wma"};
  const char* extension = extensions[random.Below(16)];
  long pick = random.Below(100);
  std::string stem = pick < 1   ? Numbered("._Traccia %ld", serial)
                     : pick < 5 ? Numbered("%02ld. Intro.Remix", serial % 30)
                                      + Numbered(" %ld", serial)
                                : Numbered("%02ld - Titolo del brano numero ", serial % 30 + 1)
                                      + std::to_string(serial);
  return stem + "." + extension;
}

std::string OtherName(Sequence& random, long serial) {
  switch (random.Below(8)) {
    case 0: return Numbered("copertina %ld.jpg", serial);
    case 1: return Numbered("Folder %ld.JPG", serial);
    case 2: return Numbered("LEGGIMI %ld", serial);
    case 3: return Numbered("testo %ld.mp3.txt", serial);
    case 4: return Numbered("scaletta %ld.m3u", serial);
    case 5: return Numbered(".DS_Store %ld", serial);
    case 6: return Numbered("note %ld.nfo", serial);
    default: return Numbered("brano %ld.mp", serial);
  }
}

std::string Stamp(const LibraryShape& shape) {
  return std::to_string(shape.folders) + " " + std::to_string(shape.songs) + " " +
         std::to_string(shape.others) + " v1";
}

// The folders, depth first from the root: artists, their albums, discs
// and extras below albums, and a few deeper still.
std::vector<fs::path> MakeFolders(const fs::path& root, long count, Sequence& random) {
  std::vector<fs::path> folders{root};
  std::vector<std::vector<std::size_t>> byDepth(6);
  byDepth[0].push_back(0);
  long artists = count / 10 > 0 ? count / 10 : 1;
  for (long serial = 1; serial < count; ++serial) {
    int depth = serial <= artists ? 1 : 0;
    if (depth == 0) {
      long pick = random.Below(100);
      depth = pick < 70 ? 2 : pick < 95 ? 3 : 4 + static_cast<int>(random.Below(2));
      while (byDepth[depth - 1].empty()) --depth;
    }
    const std::vector<std::size_t>& parents = byDepth[depth - 1];
    std::size_t parent = parents[random.Below(static_cast<long>(parents.size()))];
    folders.push_back(folders[parent] / FolderName(random, depth, serial));
    byDepth[depth].push_back(folders.size() - 1);
  }
  return folders;
}

}  // namespace

bool MakeLibrary(const fs::path& root, const LibraryShape& shape) {
  fs::path stampFile = root / ".." / (root.filename().string() + ".made");
  std::ifstream stampIn(stampFile);
  std::string made;
  if (std::getline(stampIn, made) && made == Stamp(shape) && fs::is_directory(root)) return true;

  std::error_code error;
  fs::remove_all(root, error);
  Sequence random(20251205);
  std::vector<fs::path> folders = MakeFolders(root, shape.folders, random);
  for (const fs::path& folder : folders) {
    if (!fs::create_directories(folder, error) && error) {
      std::cerr << "cannot create " << folder << ": " << error.message() << "\n";
      return false;
    }
  }
  long files = shape.songs + shape.others;
  long songs = 0;
  for (long serial = 0; serial < files; ++serial) {
    // Songs and other files mixed in one stream, in the proportions asked.
    bool song = random.Below(files - serial) < shape.songs - songs;
    const fs::path& folder = folders[random.Below(static_cast<long>(folders.size()))];
    std::uintmax_t size = 0;
    std::string name;
    if (song) {
      ++songs;
      name = SongName(random, serial);
      size = 2000000 + random.Below(10000000);
      // Now and then a file beyond 4 GiB.
      if (random.Below(20000) == 0) size += std::uintmax_t{4} << 30;
    } else {
      name = OtherName(random, serial);
      size = 1000 + random.Below(200000);
    }
    if (!MakeSparseFile((folder / name).string(), size)) {
      std::cerr << "cannot create " << (folder / name) << "\n";
      return false;
    }
  }
  std::ofstream(stampFile) << Stamp(shape) << "\n";
  return true;
}
