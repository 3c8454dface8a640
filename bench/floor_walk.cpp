// The floor of the end-to-end rebuild benchmark (scripts/bench --e2e): the
// least a scan of a folder can do under Wine, every folder listed with
// FindFirstFileExW and the songs counted.
//
//   mescola_walk FOLDER    prints "walk N songs MS"
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

long SongsUnder(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW((folder + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
  long songs = 0;
  for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found)) {
    std::wstring name = found.cFileName;
    const wchar_t* extension = name.c_str() + name.size() - std::min<std::size_t>(name.size(), 4);
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      for (const wchar_t* song : {L".mp3", L".wma", L".m4p", L".vqf", L".ape", L".wav"}) {
        songs += !_wcsicmp(extension, song);
      }
    } else if (name != L"." && name != L"..") {
      songs += SongsUnder(folder + L"\\" + name);
    }
  }
  if (search != INVALID_HANDLE_VALUE) FindClose(search);
  return songs;
}

}  // namespace

int main() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!arguments || count != 2) {
    std::fprintf(stderr, "usage: mescola_walk FOLDER\n");
    return 2;
  }
  DWORD start = GetTickCount();
  long songs = SongsUnder(arguments[1]);
  std::printf("walk %ld songs %lu\n", songs, GetTickCount() - start);
  return 0;
}
