// The platform of the tests: real files in a temporary folder, drive letters
// mapped onto it, and what a test must control (drive kinds, free space, the
// clock, failing writes); and the window of the tests, answering from queues.
#pragma once

#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/platform.h"
#include "store/shell.h"

namespace fs = std::filesystem;

// A real folder that lives as long as the object; path() is its Windows form.
class TempFolder {
 public:
  TempFolder() {
    static int serial = 0;
    while (!fs::create_directory(native_ = fs::temp_directory_path() / ("mescola-test-" +
                                 std::to_string(std::time(nullptr) % 100000) + "-" + std::to_string(serial++)))) {}
    path_ = (native_.u8string()[0] == '/' ? "C:" : "") + native_.u8string();  // POSIX: C: is the root folder
    for (char& c : path_) c = c == '/' ? '\\' : c;
  }
  ~TempFolder() { fs::remove_all(native_, error_); }
  const std::string& path() const { return path_; }
  fs::path Native(std::string relative) const {
    for (char& c : relative) c = c == '\\' ? '/' : c;
    return native_ / fs::u8path(relative);
  }
  // Makes the folders on the way; a file made of size bytes takes no disk space.
  void Write(const std::string& relative, const std::string& bytes) const {
    fs::create_directories(Native(relative).parent_path());
    std::ofstream(Native(relative), std::ios::binary) << bytes;
  }
  void MakeFile(const std::string& relative, std::uintmax_t size) const {
    Write(relative, "");
    fs::resize_file(Native(relative), size);
  }
  std::string Read(const std::string& relative) const {
    std::ostringstream bytes;
    bytes << std::ifstream(Native(relative), std::ios::binary).rdbuf();
    return bytes.str();
  }

 private:
  fs::path native_;
  std::string path_;
  std::error_code error_;
};

// Records each message as "caption|text|style" and answers it from a queue
// (by default OK, or Yes to a question); the file dialogs take the next of
// files, where "" or none left cancels.
class FakeShell : public Shell {
 public:
  std::deque<int> answers;
  std::vector<std::string> messages;
  std::deque<std::string> files;
  bool ended = false, quit = false;

  int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override {
    messages.push_back(caption + "|" + text + "|" + std::to_string(style));
    return Next(answers, style & 0xF ? ANSWER_YES : ANSWER_OK);
  }
  bool AskOpenPlaylist(std::string& path) override { return !(path = Next(files, std::string())).empty(); }
  bool AskSavePlaylist(std::string& path) override { return AskOpenPlaylist(path); }
  void EndDialog(int) override { ended = true; }
  void Quit(int) override { quit = true; }

 private:
  template <typename T>
  static T Next(std::deque<T>& queue, T otherwise) {
    if (!queue.empty()) otherwise = queue.front(), queue.pop_front();
    return otherwise;
  }
};

class FakePlatform : public Platform {
 public:
  // Paths on the drive go to folder (Windows form); without one, no medium.
  void MapDrive(char letter, DriveKind kind, const std::string& folder = "") { drives_[letter] = {kind, folder}; }
  // Negative free bytes: the volume cannot tell. Unset, the real volume answers.
  void SetFreeSpace(char letter, double freeBytes) { drives_[letter].space = DiskSpace{freeBytes, 4096}; }

  std::optional<std::time_t> now;
  std::string workingDirectory;  // Windows form
  // No file can be created; writes fail once writeBudget bytes went to a file; replacing fails.
  bool failCreate = false, failReplace = false;
  long writeBudget = -1;

  std::unique_ptr<FolderListing> ListFolder(const std::string& folder) override {
    return NoMedium(folder) ? nullptr : NativePlatform().ListFolder(Real(folder));
  }
  DriveKind GetDriveKind(const std::string& root) override {
    return Drive(root) ? Drive(root)->kind : DRIVE_KIND_NO_ROOT_DIR;
  }
  bool VolumeSpace(const std::string& root, DiskSpace& space) override {
    space = Drive(root) && Drive(root)->space && Drive(root)->space->freeBytes >= 0 ? *Drive(root)->space : DiskSpace();
    if (Drive(root) && (Drive(root)->space || NoMedium(root))) return space.clusterBytes != 0;
    return NativePlatform().VolumeSpace(Real(root) + (root.back() == '\\' ? "" : "\\"), space);
  }
  CopyResult CopyNewFile(const std::string& from, const std::string& to, unsigned long& error) override {
    return NativePlatform().CopyNewFile(Real(from), Real(to), error);
  }
  bool RemoveFile(const std::string& path) override { return NativePlatform().RemoveFile(Real(path)); }
  std::unique_ptr<OutputFile> CreateOutputFile(const std::string& path) override {
    return failCreate ? nullptr : Budgeted(NativePlatform().CreateOutputFile(Real(path)));
  }
  CreateResult CreateNewOutputFile(const std::string& path, std::unique_ptr<OutputFile>& file) override {
    CreateResult result = failCreate ? CreateResult::Failed : NativePlatform().CreateNewOutputFile(Real(path), file);
    file = Budgeted(std::move(file));
    return result;
  }
  bool ReplaceWith(const std::string& from, const std::string& to) override {
    return !failReplace && NativePlatform().ReplaceWith(Real(from), Real(to));
  }
  bool ReadWholeFile(const std::string& path, std::uint64_t limit, std::string& bytes) override {
    return NativePlatform().ReadWholeFile(Real(path), limit, bytes);
  }
  std::string CurrentDirectory() override { return workingDirectory; }
  std::time_t Now() override { return now ? *now : NativePlatform().Now(); }
  std::tm LocalTime(std::time_t when) override { return NativePlatform().LocalTime(when); }

 private:
  struct Mapped {
    DriveKind kind = DRIVE_KIND_NO_ROOT_DIR;
    std::string folder;
    std::optional<DiskSpace> space;
  };
  // Passes on the bytes that fit in the budget, as a disk that fills up.
  struct BudgetedFile : OutputFile {
    BudgetedFile(std::unique_ptr<OutputFile> f, long b) : file(std::move(f)), budget(static_cast<std::size_t>(b)) {}
    bool Write(const std::string& bytes) override {
      std::size_t fits = std::min(bytes.size(), budget);
      budget -= fits;
      failed = failed || fits < bytes.size();
      return file->Write(bytes.substr(0, fits)) && !failed;
    }
    bool Close() override { return file->Close() && !failed; }
    std::unique_ptr<OutputFile> file;
    std::size_t budget;
    bool failed = false;
  };
  std::unique_ptr<OutputFile> Budgeted(std::unique_ptr<OutputFile> file) {
    return file && writeBudget >= 0 ? std::make_unique<BudgetedFile>(std::move(file), writeBudget) : std::move(file);
  }
  Mapped* Drive(const std::string& path) {
    auto found = path.size() < 2 || path[1] != ':' ? drives_.end() : drives_.find(path[0] & ~0x20);
    return found == drives_.end() ? nullptr : &found->second;
  }
  bool NoMedium(const std::string& path) { return Drive(path) && Drive(path)->folder.empty(); }
  std::string Real(const std::string& path) {
    if (!Drive(path) || NoMedium(path)) return path;
    return Drive(path)->folder + (path.size() > 2 && path[2] != '\\' ? "\\" : "") + path.substr(2);
  }
  std::map<char, Mapped> drives_;
};
