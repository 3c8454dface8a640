#include "fake_platform.h"

#include <atomic>
#include <cctype>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string WindowsForm(const fs::path& native) {
#ifdef _WIN32
  return native.string();
#else
  // The real platform maps C: to / (tests run without a drive map).
  std::string text = native.string();
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  return "C:" + text;
#endif
}

class FailingOutputFile : public OutputFile {
 public:
  FailingOutputFile(std::unique_ptr<OutputFile> file, long budget)
      : file_(std::move(file)), budget_(budget) {}
  bool Write(const std::string& bytes) override {
    if (budget_ < 0) return file_->Write(bytes);
    if (static_cast<long>(bytes.size()) <= budget_) {
      budget_ -= static_cast<long>(bytes.size());
      return file_->Write(bytes);
    }
    // Half the bytes reach the file, as on a disk that fills up.
    file_->Write(bytes.substr(0, static_cast<std::size_t>(budget_)));
    budget_ = 0;
    failed_ = true;
    return false;
  }
  bool Close() override { return file_->Close() && !failed_; }

 private:
  std::unique_ptr<OutputFile> file_;
  long budget_;
  bool failed_ = false;
};

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<int> serial{0};
  fs::path base = fs::temp_directory_path();
  for (int attempt = 0;; ++attempt) {
    native_ = base / ("mescola-test-" + std::to_string(std::time(nullptr) % 100000) + "-" +
                      std::to_string(serial++) + "-" + std::to_string(attempt));
    std::error_code error;
    if (fs::create_directory(native_, error)) break;
  }
  path_ = WindowsForm(native_);
}

TempFolder::~TempFolder() {
  std::error_code error;
  fs::permissions(native_, fs::perms::owner_all, fs::perm_options::add, error);
  fs::remove_all(native_, error);
}

fs::path TempFolder::Native(const std::string& relative) const {
  fs::path result = native_;
  std::string part;
  std::istringstream parts(relative);
  while (std::getline(parts, part, '\\')) {
    if (!part.empty()) result /= part;
  }
  return result;
}

void TempFolder::MakeFolder(const std::string& relative) const {
  fs::create_directories(Native(relative));
}

void TempFolder::MakeFile(const std::string& relative, std::uintmax_t size) const {
  fs::path file = Native(relative);
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary).close();
  fs::resize_file(file, size);
}

void TempFolder::WriteBytes(const std::string& relative, const std::string& bytes) const {
  fs::path file = Native(relative);
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

std::string TempFolder::ReadBytes(const std::string& relative) const {
  std::ifstream in(Native(relative), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

bool TempFolder::Exists(const std::string& relative) const { return fs::exists(Native(relative)); }

void FakePlatform::MapDrive(char letter, DriveKind kind, const std::string& folder) {
  Drive& drive = drives_[static_cast<char>(std::toupper(letter))];
  drive.kind = kind;
  drive.folder = folder;
}

void FakePlatform::SetDriveKind(char letter, DriveKind kind) {
  drives_[static_cast<char>(std::toupper(letter))].kind = kind;
}

void FakePlatform::SetFreeSpace(char letter, double freeBytes, std::uint32_t clusterBytes) {
  Drive& drive = drives_[static_cast<char>(std::toupper(letter))];
  drive.space = DiskSpace{freeBytes, clusterBytes};
  drive.spaceUnknown = false;
}

void FakePlatform::SetFreeSpaceUnknown(char letter) {
  drives_[static_cast<char>(std::toupper(letter))].spaceUnknown = true;
}

FakePlatform::Drive* FakePlatform::DriveOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return nullptr;
  auto found = drives_.find(static_cast<char>(std::toupper(static_cast<unsigned char>(path[0]))));
  return found == drives_.end() ? nullptr : &found->second;
}

// A path on a mapped drive, rewritten onto its folder; other paths pass.
std::string FakePlatform::Real(const std::string& path) {
  Drive* drive = DriveOf(path);
  if (!drive || drive->folder.empty()) return path;
  std::string rest = path.substr(2);
  if (!rest.empty() && rest[0] != '\\') rest = "\\" + rest;
  return drive->folder + rest;
}

std::unique_ptr<FolderListing> FakePlatform::ListFolder(const std::string& folder) {
  // A drive given a kind but no folder has nothing to list; C: keeps the
  // real folders, where the temporary folders live.
  Drive* drive = DriveOf(folder);
  if (drive && drive->folder.empty() && (folder[0] & ~0x20) != 'C') return nullptr;
  return NativePlatform().ListFolder(Real(folder));
}

DriveKind FakePlatform::GetDriveKind(const std::string& root) {
  Drive* drive = DriveOf(root);
  return drive ? drive->kind : DRIVE_KIND_NO_ROOT_DIR;
}

bool FakePlatform::GetFreeSpace(const std::string& root, DiskSpace& space) {
  Drive* drive = DriveOf(root);
  if (drive && drive->spaceUnknown) {
    space = DiskSpace();
    return false;
  }
  if (drive && drive->space) {
    space = *drive->space;
    return true;
  }
  if (drive && drive->folder.empty()) {
    space = DiskSpace();
    return false;
  }
  std::string real = Real(root);
  if (real.size() > 3 && real.back() != '\\') real += "\\";
  return NativePlatform().GetFreeSpace(real, space);
}

CopyResult FakePlatform::CopyNewFile(const std::string& from, const std::string& to,
                                     unsigned long& error) {
  if (copiesBeforeFailure == 0) {
    error = copyFailureCode;
    return CopyResult::Failed;
  }
  CopyResult result = NativePlatform().CopyNewFile(Real(from), Real(to), error);
  if (result == CopyResult::Copied && copiesBeforeFailure > 0) --copiesBeforeFailure;
  return result;
}

bool FakePlatform::RemoveFile(const std::string& path) {
  for (const std::string& locked : lockedFiles) {
    if (locked == path) return false;
  }
  return NativePlatform().RemoveFile(Real(path));
}

std::unique_ptr<OutputFile> FakePlatform::CreateOutputFile(const std::string& path,
                                                           bool mustBeNew) {
  if (createsBeforeFailure == 0) return nullptr;
  if (createsBeforeFailure > 0) --createsBeforeFailure;
  std::unique_ptr<OutputFile> file = NativePlatform().CreateOutputFile(Real(path), mustBeNew);
  if (!file || writeBytesBeforeFailure < 0) return file;
  return std::make_unique<FailingOutputFile>(std::move(file), writeBytesBeforeFailure);
}

bool FakePlatform::ReplaceWith(const std::string& from, const std::string& to) {
  if (failReplace) return false;
  return NativePlatform().ReplaceWith(Real(from), Real(to));
}

bool FakePlatform::ReadWholeFile(const std::string& path, std::string& bytes) {
  return NativePlatform().ReadWholeFile(Real(path), bytes);
}

std::string FakePlatform::CurrentDirectory() {
  return workingDirectory.empty() ? NativePlatform().CurrentDirectory() : workingDirectory;
}

std::time_t FakePlatform::Now() { return now ? *now : NativePlatform().Now(); }

std::tm FakePlatform::LocalTime(std::time_t when) { return NativePlatform().LocalTime(when); }

int FakePlatform::ShowMessage(void*, const std::string& text, const std::string& caption,
                              unsigned style) {
  messages.push_back({text, caption, style});
  if (messageAnswers.empty()) return (style & 0xF) == MESSAGE_YES_NO_CANCEL ? ANSWER_YES : ANSWER_OK;
  int answer = messageAnswers.front();
  messageAnswers.pop_front();
  return answer;
}

namespace {

// The next queued answer of a file dialog; an empty queue cancels.
bool TakeAnswer(std::deque<std::optional<std::string>>& answers, std::string& path) {
  if (answers.empty()) return false;
  std::optional<std::string> answer = answers.front();
  answers.pop_front();
  if (answer) path = *answer;
  return answer.has_value();
}

}  // namespace

bool FakePlatform::AskOpenPlaylist(void*, std::string& path) {
  ++openDialogs;
  return TakeAnswer(openAnswers, path);
}

bool FakePlatform::AskSavePlaylist(void*, std::string& path) {
  ++saveDialogs;
  return TakeAnswer(saveAnswers, path);
}

void FakePlatform::EndDialog(void*, int) { ended = true; }

void FakePlatform::PostQuit(int) { quitPosted = true; }
