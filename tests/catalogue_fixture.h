// A main dialog whose drive C: is the test's temporary folder, with helpers
// to read the song catalogue back.
#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "dialog_fixture.h"

struct Song {
  std::string folder;
  std::string name;
  std::string extension;
  std::string size;
  bool operator==(const Song& other) const {
    return folder == other.folder && name == other.name && extension == other.extension &&
           size == other.size;
  }
};

inline std::ostream& operator<<(std::ostream& out, const Song& song) {
  return out << song.folder << "\\" << song.name << "." << song.extension << " (" << song.size
             << ")";
}

class CatalogueTest : public DialogTest {
 protected:
  void SetUp() override {
    platform.MapDrive('C', DRIVE_KIND_FIXED, temp.path());
    Start();
  }

  void Include(const std::string& folder) { dlg.AddEntry(IDC_INCLUDED_LIST, folder); }
  void Exclude(const std::string& folder) { dlg.AddEntry(IDC_EXCLUDED_LIST, folder); }

  // The catalogue, song by song; fails the test when the four lists differ
  // in length.
  std::vector<Song> Songs() {
    std::vector<std::string> folders = Entries(IDC_SONG_FOLDERS);
    std::vector<std::string> names = Entries(IDC_SONG_NAMES);
    std::vector<std::string> extensions = Entries(IDC_SONG_EXTS);
    std::vector<std::string> sizes = Entries(IDC_SONG_SIZES);
    EXPECT_EQ(folders.size(), names.size());
    EXPECT_EQ(extensions.size(), names.size());
    EXPECT_EQ(sizes.size(), names.size());
    std::vector<Song> songs;
    for (std::size_t k = 0; k < names.size() && k < folders.size() && k < extensions.size() &&
                            k < sizes.size();
         ++k) {
      songs.push_back({folders[k], names[k], extensions[k], sizes[k]});
    }
    return songs;
  }

  // Fills the catalogue as a scan would, with song k of size sizes[k].
  void FillCatalogue(const std::vector<unsigned>& sizes) {
    for (std::size_t k = 0; k < sizes.size(); ++k) {
      dlg.AddEntry(IDC_SONG_FOLDERS, "C:\\Musica");
      dlg.AddEntry(IDC_SONG_NAMES, "brano " + std::to_string(k));
      dlg.AddEntry(IDC_SONG_EXTS, "mp3");
      dlg.AddEntry(IDC_SONG_SIZES, std::to_string(sizes[k]));
    }
  }
};
