// The platform of the tests: real files in temporary folders, with drive
// letters mapped onto them, and fakes for what a test must control (drive
// kinds, free space, the clock, failures); and the window of the tests.
#pragma once

#include <algorithm>
#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "store/shell.h"

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
  void MakeFolder(const std::string& relative) const { std::filesystem::create_directories(Native(relative)); }
  void MakeFile(const std::string& relative, std::uintmax_t size = 0) const;
  void WriteBytes(const std::string& relative, const std::string& bytes) const;
  std::string ReadBytes(const std::string& relative) const;
  bool Exists(const std::string& relative) const { return std::filesystem::exists(Native(relative)); }

 private:
  std::filesystem::path native_;
  std::string path_;
};

struct ShownMessage {
  std::string text;
  std::string caption;
  unsigned style;
};

// The window of the tests: records the messages shown and answers them,
// and the file dialogs, from queues.
class FakeShell : public Shell {
 public:
  std::deque<int> messageAnswers;  // default: ANSWER_OK / ANSWER_YES
  std::vector<ShownMessage> messages;
  std::deque<std::optional<std::string>> openAnswers;  // nullopt: cancelled
  std::deque<std::optional<std::string>> saveAnswers;
  bool ended = false;
  bool quit = false;

  int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override;
  bool AskOpenPlaylist(std::string& path) override { return TakeAnswer(openAnswers, path); }
  bool AskSavePlaylist(std::string& path) override { return TakeAnswer(saveAnswers, path); }
  void EndDialog(int) override { ended = true; }
  void Quit(int) override { quit = true; }

 private:
  // The next queued answer of a file dialog; an empty queue cancels.
  static bool TakeAnswer(std::deque<std::optional<std::string>>& answers, std::string& path);
};

class FakePlatform : public Platform {
 public:
  // Paths on drive letter (upper case) go to folder (a Windows-form path of
  // the real platform); a drive without a folder has nothing to list.
  void MapDrive(char letter, DriveKind kind, const std::string& folder = "") {
    drives_[letter].kind = kind;
    drives_[letter].folder = folder;
  }
  // The free space the drive reports, negative when the volume cannot tell;
  // without it the real volume answers.
  void SetFreeSpace(char letter, double freeBytes, std::uint32_t clusterBytes) {
    drives_[letter].space = DiskSpace{freeBytes, clusterBytes};
  }

  std::optional<std::time_t> now;
  // The working directory the program sees (Windows form); default: the real one.
  std::string workingDirectory;

  // Failures on demand: no file can be created; writes fail once this many
  // bytes have gone to a file; replacing fails.
  bool failCreate = false;
  long writeBytesBeforeFailure = -1;
  bool failReplace = false;
  // Copies fail with this code once this many have succeeded.
  int copiesBeforeFailure = -1;
  unsigned long copyFailureCode = 0;
  // Removing these paths (as the program names them) fails, as it does for
  // a read-only or open file.
  std::vector<std::string> lockedFiles;

  std::unique_ptr<FolderListing> ListFolder(const std::string& folder) override {
    bool noMedium = DriveOf(folder) && DriveOf(folder)->folder.empty();
    return noMedium ? nullptr : NativePlatform().ListFolder(Real(folder));
  }
  DriveKind GetDriveKind(const std::string& root) override {
    return DriveOf(root) ? DriveOf(root)->kind : DRIVE_KIND_NO_ROOT_DIR;
  }
  bool VolumeSpace(const std::string& root, DiskSpace& space) override;
  CopyResult CopyNewFile(const std::string& from, const std::string& to, unsigned long& error) override;
  bool RemoveFile(const std::string& path) override {
    bool locked = std::find(lockedFiles.begin(), lockedFiles.end(), path) != lockedFiles.end();
    return !locked && NativePlatform().RemoveFile(Real(path));
  }
  std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) override;
  CreateResult CreateNewOutputFile(const std::string& path, std::unique_ptr<OutputFile>& file) override;
  bool ReplaceWith(const std::string& from, const std::string& to) override {
    return !failReplace && NativePlatform().ReplaceWith(Real(from), Real(to));
  }
  bool ReadWholeFile(const std::string& path, std::uint64_t limit, std::string& bytes) override {
    return NativePlatform().ReadWholeFile(Real(path), limit, bytes);
  }
  std::string CurrentDirectory() override {
    return workingDirectory.empty() ? NativePlatform().CurrentDirectory() : workingDirectory;
  }
  std::time_t Now() override { return now ? *now : NativePlatform().Now(); }
  std::tm LocalTime(std::time_t when) override { return NativePlatform().LocalTime(when); }

 private:
  struct Drive {
    DriveKind kind = DRIVE_KIND_NO_ROOT_DIR;
    std::string folder;
    std::optional<DiskSpace> space;
  };
  std::string Real(const std::string& path);
  Drive* DriveOf(const std::string& path);
  // The file as the failures asked for make it.
  std::unique_ptr<OutputFile> WithFailures(std::unique_ptr<OutputFile> file);
  std::map<char, Drive> drives_;
};
