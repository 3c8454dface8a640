#include "fake_platform.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string WindowsForm(const fs::path& native) {
#ifdef _WIN32
  return native.u8string();
#else
  // The real platform maps C: to / (tests run without a drive map).
  std::string text = native.string();
  std::replace(text.begin(), text.end(), '/', '\\');
  return "C:" + text;
#endif
}

class FailingOutputFile : public OutputFile {
 public:
  FailingOutputFile(std::unique_ptr<OutputFile> file, long budget)
      : file_(std::move(file)), budget_(static_cast<std::size_t>(budget)) {}
  bool Write(const std::string& bytes) override {
    // The bytes that fit reach the file, as on a disk that fills up.
    std::size_t fits = std::min(bytes.size(), budget_);
    budget_ -= fits;
    failed_ = failed_ || fits < bytes.size();
    return file_->Write(bytes.substr(0, fits)) && fits == bytes.size();
  }
  bool Close() override { return file_->Close() && !failed_; }

 private:
  std::unique_ptr<OutputFile> file_;
  std::size_t budget_;
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
  std::string generic = relative;
  std::replace(generic.begin(), generic.end(), '\\', '/');
  return native_ / fs::u8path(generic);
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

bool FakePlatform::VolumeSpace(const std::string& root, DiskSpace& space) {
  Drive* drive = DriveOf(root);
  if (drive && (drive->space || drive->folder.empty())) {
    bool known = drive->space && drive->space->freeBytes >= 0;
    space = known ? *drive->space : DiskSpace();
    return known;
  }
  std::string real = Real(root);
  if (real.size() > 3 && real.back() != '\\') real += "\\";
  return NativePlatform().VolumeSpace(real, space);
}

CopyResult FakePlatform::CopyNewFile(const std::string& from, const std::string& to, unsigned long& error) {
  if (copiesBeforeFailure == 0) {
    error = copyFailureCode;
    return CopyResult::Failed;
  }
  CopyResult result = NativePlatform().CopyNewFile(Real(from), Real(to), error);
  if (result == CopyResult::Copied && copiesBeforeFailure > 0) --copiesBeforeFailure;
  return result;
}

std::unique_ptr<OutputFile> FakePlatform::WithFailures(std::unique_ptr<OutputFile> file) {
  if (!file || writeBytesBeforeFailure < 0) return file;
  return std::make_unique<FailingOutputFile>(std::move(file), writeBytesBeforeFailure);
}

std::unique_ptr<OutputFile> FakePlatform::CreateOutputFile(const std::string& path) {
  if (failCreate) return nullptr;
  return WithFailures(NativePlatform().CreateOutputFile(Real(path)));
}

CreateResult FakePlatform::CreateNewOutputFile(const std::string& path, std::unique_ptr<OutputFile>& file) {
  if (failCreate) return CreateResult::Failed;
  CreateResult result = NativePlatform().CreateNewOutputFile(Real(path), file);
  file = WithFailures(std::move(file));
  return result;
}

int FakeShell::ShowMessage(const std::string& text, const std::string& caption, unsigned style) {
  messages.push_back({text, caption, style});
  if (messageAnswers.empty()) return (style & 0xF) == MESSAGE_YES_NO_CANCEL ? ANSWER_YES : ANSWER_OK;
  int answer = messageAnswers.front();
  messageAnswers.pop_front();
  return answer;
}

bool FakeShell::TakeAnswer(std::deque<std::optional<std::string>>& answers, std::string& path) {
  if (answers.empty()) return false;
  std::optional<std::string> answer = answers.front();
  answers.pop_front();
  if (answer) path = *answer;
  return answer.has_value();
}
