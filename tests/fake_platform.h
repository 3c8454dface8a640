// The platform of the tests: real files in temporary folders, with drive
// letters mapped onto them, and fakes for what a test must control (drive
// kinds, free space, the clock, message boxes, file dialogs, failures).
#pragma once

#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

// A real folder that lives as long as the object; path() is its Windows form.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  const std::filesystem::path& native() const { return native_; }
  // Native path of a name relative to the folder, written with backslashes.
  std::filesystem::path Native(const std::string& relative) const;
  // Creates the folders on the way. A file gets size bytes without using
  // disk space (sparse) unless bytes are given.
  void MakeFolder(const std::string& relative) const;
  void MakeFile(const std::string& relative, std::uintmax_t size = 0) const;
  void WriteBytes(const std::string& relative, const std::string& bytes) const;
  std::string ReadBytes(const std::string& relative) const;
  bool Exists(const std::string& relative) const;

 private:
  std::filesystem::path native_;
  std::string path_;
};

struct ShownMessage {
  std::string text;
  std::string caption;
  unsigned style;
};

class FakePlatform : public Platform {
 public:
  // Paths on this drive go to folder (a Windows-form path of the real platform).
  void MapDrive(char letter, DriveKind kind, const std::string& folder);
  void SetDriveKind(char letter, DriveKind kind);
  // The free space the drive reports; without it the real volume answers.
  void SetFreeSpace(char letter, double freeBytes, std::uint32_t clusterBytes);
  void SetFreeSpaceUnknown(char letter);

  std::deque<int> messageAnswers;                   // default: ANSWER_OK / ANSWER_YES
  std::vector<ShownMessage> messages;
  std::deque<std::optional<std::string>> openAnswers;  // nullopt: cancelled
  std::deque<std::optional<std::string>> saveAnswers;
  int openDialogs = 0;
  int saveDialogs = 0;
  bool ended = false;
  bool quitPosted = false;
  std::optional<std::time_t> now;

  // Failures on demand: files created after this many have been created
  // fail to open; writes fail once this many bytes have gone to a file;
  // the next replacements fail.
  int createsBeforeFailure = -1;
  long writeBytesBeforeFailure = -1;
  bool failReplace = false;
  // Copies fail with this code once this many have succeeded.
  int copiesBeforeFailure = -1;
  unsigned long copyFailureCode = 0;
  // Removing these paths (as the program names them) fails, as it does for
  // a read-only or open file.
  std::vector<std::string> lockedFiles;

  std::unique_ptr<FolderListing> ListFolder(const std::string& folder) override;
  DriveKind GetDriveKind(const std::string& root) override;
  bool GetFreeSpace(const std::string& root, DiskSpace& space) override;
  CopyResult CopyNewFile(const std::string& from, const std::string& to,
                         unsigned long& error) override;
  bool RemoveFile(const std::string& path) override;
  std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path, bool mustBeNew) override;
  bool ReplaceWith(const std::string& from, const std::string& to) override;
  bool ReadWholeFile(const std::string& path, std::string& bytes) override;
  std::string CurrentDirectory() override;
  std::time_t Now() override;
  std::tm LocalTime(std::time_t when) override;
  int ShowMessage(void* owner, const std::string& text, const std::string& caption,
                  unsigned style) override;
  bool AskOpenPlaylist(void* owner, std::string& path) override;
  bool AskSavePlaylist(void* owner, std::string& path) override;
  void EndDialog(void* dialog, int result) override;
  void PostQuit(int code) override;

  // The working directory the program sees (Windows form); default: the real one.
  std::string workingDirectory;

 private:
  struct Drive {
    DriveKind kind = DRIVE_KIND_NO_ROOT_DIR;
    std::string folder;
    std::optional<DiskSpace> space;
    bool spaceUnknown = false;
  };
  std::string Real(const std::string& path);
  Drive* DriveOf(const std::string& path);
  std::map<char, Drive> drives_;
};
