// The platform of the tests: real files in a temporary folder, drive letters
// mapped onto it, and what a test must control (drive kinds, free space, the
// clock, failing saves); and the window of the tests, answering from queues.
#pragma once

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <iterator>
#include <vector>

#include "platform/platform.h"
#include "store/shell.h"

namespace fs = std::filesystem;

// A real folder that lives as long as the object; path is its Windows form.
class TempFolder {
 public:
  TempFolder() {
    static int serial = 0;
    while (!fs::create_directory(native_ = fs::temp_directory_path() / ("mescola-test-" +
                                 std::to_string(std::time(nullptr) % 100000) + "-" + std::to_string(serial++)))) {}
    path = (native_.u8string()[0] == '/' ? "C:" : "") + native_.u8string();  // POSIX: C: is the root folder
    for (char& c : path) c = c == '/' ? '\\' : c;
  }
  ~TempFolder() { fs::remove_all(native_, error_); }
  fs::path Native(std::string relative) const {
    for (char& c : relative) c = c == '\\' ? '/' : c;
    return native_ / fs::u8path(relative);
  }
  // Makes the folders on the way.
  void Write(const std::string& relative, const std::string& bytes) const {
    fs::create_directories(Native(relative).parent_path());
    std::ofstream(Native(relative), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& relative) const {
    std::ifstream file(Native(relative), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
  }
  std::string path;

 private:
  fs::path native_;
  std::error_code error_;
};

// Records each message as "caption|text|style" and answers it from a queue
// (by default OK, or Yes to a question); the file dialogs take the next of
// files, where "" or none left cancels. KeepAlive asks to stop when
// whileAlive, given, says so.
class FakeShell : public Shell {
 public:
  std::deque<int> answers;
  std::vector<std::string> messages;
  std::deque<std::string> files;
  bool ended = false;
  int quitCode = 0;  // the exit code a failure asked for
  std::function<bool()> whileAlive;

  int ShowMessage(const std::string& text, const std::string& caption, unsigned style) override {
    messages.push_back(caption + "|" + text + "|" + std::to_string(style));
    int answer = answers.empty() ? (style & 0xF ? ANSWER_YES : ANSWER_OK) : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  bool AskOpenPlaylist(std::string& path) override {
    path = files.empty() ? "" : files.front();
    if (!files.empty()) files.pop_front();
    return !path.empty();
  }
  bool AskSavePlaylist(std::string& path) override { return AskOpenPlaylist(path); }
  void EndDialog(int) override { ended = true; }
  void Quit(int code) override { quitCode = code; }
  bool KeepAlive() override { return whileAlive && whileAlive(); }
};

class FakePlatform : public Platform {
 public:
  // Paths on the drive go to folder (Windows form); without one, no medium.
  void MapDrive(char letter, DriveKind kind, const std::string& folder = "") { drives_[letter] = {kind, folder}; }

  std::map<char, double> freeBytes;  // by drive; negative: the volume cannot tell; unset: the real volume answers
  std::time_t now = 0;
  std::string workingDirectory;  // Windows form
  int vanishAfter = -1;  // the volumes answer this many more identity questions, then none
  // What goes wrong with the files the program writes.
  enum { kNoFailure, kCreateFails, kWriteFails, kCloseFails, kReplaceFails, kRemoveFails } failure = kNoFailure;

  // Past the budget a walk finds no more folders, so that one that loops
  // ends at once; the test's fixture fails it.
  int listingsLeft = 2000;
  std::unique_ptr<FolderListing> ListFolder(const std::string& folder) override {
    return NoMedium(folder) || listingsLeft-- <= 0 ? nullptr : NativePlatform().ListFolder(Real(folder));
  }
  DriveKind GetDriveKind(const std::string& root) override { return Drive(root) ? Drive(root)->first : DRIVE_KIND_NO_ROOT_DIR; }
  bool VolumeSpace(const std::string& root, DiskSpace& space) override {
    auto told = freeBytes.find(root[0]);
    space = told == freeBytes.end() || told->second < 0 ? DiskSpace() : DiskSpace{told->second, 4096};
    if (told != freeBytes.end() || NoMedium(root)) return space.clusterBytes != 0;
    return NativePlatform().VolumeSpace(Real(root) + (root.back() == '\\' ? "" : "\\"), space);
  }
  bool DriveMapReadable(std::string& item) override { return NativePlatform().DriveMapReadable(item); }
  std::string DriveFolder(const std::string& root) override { return Drive(root) ? Drive(root)->second : ""; }
  // Through the first drive whose folder holds the path.
  std::string ProgramPath(const std::string& systemPath) override {
    std::string real = NativePlatform().ProgramPath(systemPath);
    for (const auto& [letter, drive] : drives_) {
      if ((real + "\\").rfind(drive.second + "\\", 0) != 0) continue;
      return letter + (":" + real.substr(drive.second.size())) + (real.size() == drive.second.size() ? "\\" : "");
    }
    return "";
  }
  CopyResult CopyNewFile(const std::string& from, const std::string& to, unsigned long& error,
                         const CopyProgress& progress) override {
    return NativePlatform().CopyNewFile(Real(from), Real(to), error, progress);
  }
  bool RemoveFile(const std::string& path) override { return failure != kRemoveFails && NativePlatform().RemoveFile(Real(path)); }
  CreateResult CreateOutputFile(const std::string& path, std::unique_ptr<OutputFile>& file) override { return Create(path, file, false); }
  CreateResult CreateNewOutputFile(const std::string& path, std::unique_ptr<OutputFile>& file) override { return Create(path, file, true); }
  bool ReplaceWith(const std::string& from, const std::string& to) override {
    return failure != kReplaceFails && NativePlatform().ReplaceWith(Real(from), Real(to));
  }
  bool ReadWholeFile(const std::string& path, std::uint64_t limit, std::string& bytes) override {
    return NativePlatform().ReadWholeFile(Real(path), limit, bytes);
  }
  bool VolumeIdentity(const std::string& root, FolderIdentity& identity) override {
    if (vanishAfter == 0) return false;
    if (vanishAfter > 0) --vanishAfter;
#ifdef _WIN32
    std::string volume = Real(root).substr(0, 2);  // Windows knows volumes only by their roots
#else
    std::string volume = Real(root);
#endif
    if (NoMedium(root) || !NativePlatform().VolumeIdentity(volume, identity)) return false;
    // Each test's player a volume of its own: tests that run side by side
    // must not hold each other's player.
    identity.volume ^= std::hash<std::string>()(Real(root));
    return true;
  }
  std::unique_ptr<PlayerLock> LockPlayer(const FolderIdentity& volume) override { return NativePlatform().LockPlayer(volume); }
  std::string CurrentDirectory() override { return workingDirectory; }
  std::time_t Now() override { return now; }
  std::tm LocalTime(std::time_t when) override { return NativePlatform().LocalTime(when); }

 private:
  // Takes at most 5 bytes of a write and fails, as a disk that fills up;
  // or takes all and fails when closed, as one that fills up when the cache goes out.
  struct FullDiskFile : OutputFile {
    FullDiskFile(std::unique_ptr<OutputFile> f, bool atClose) : file(std::move(f)), atClose(atClose) {}
    bool Write(const std::string& bytes) override { return file->Write(atClose ? bytes : bytes.substr(0, 5)) && atClose; }
    bool Close() override { return file->Close() && !atClose; }
    std::unique_ptr<OutputFile> file;
    bool atClose;
  };
  CreateResult Create(const std::string& path, std::unique_ptr<OutputFile>& file, bool fresh) {
    if (failure == kCreateFails) return CreateResult::Failed;
    CreateResult result = fresh ? NativePlatform().CreateNewOutputFile(Real(path), file)
                                : NativePlatform().CreateOutputFile(Real(path), file);
    bool full = failure == kWriteFails || failure == kCloseFails;
    if (file && full) file = std::make_unique<FullDiskFile>(std::move(file), failure == kCloseFails);
    return result;
  }
  std::pair<DriveKind, std::string>* Drive(const std::string& path) {
    auto found = drives_.find(path.size() > 1 && path[1] == ':' ? path[0] & ~0x20 : 0);
    return found == drives_.end() ? nullptr : &found->second;
  }
  bool NoMedium(const std::string& path) { return Drive(path) && Drive(path)->second.empty(); }
  std::string Real(const std::string& path) {
    if (!Drive(path) || NoMedium(path)) return path;
    return Drive(path)->second + (path.size() > 2 && path[2] != '\\' ? "\\" : "") + path.substr(2);
  }
  std::map<char, std::pair<DriveKind, std::string>> drives_;
};
