// Speed of the copy run against cp. Writes a library of 500 songs, then in
// each round empties the player and times the program's copy run onto it,
// empties it again and times cp of the same files, alternating which goes
// first. Prints the medians and the ratio of the throughputs; exits with 1
// when the program reaches less than 0.95 of cp's throughput.
//
//   copy_bench LIBRARY_DIR PLAYER_DIR [ROUNDS]
//
// PLAYER_DIR should be a size-limited tmpfs (scripts/bench-copy mounts one).
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/dispatch.h"
#include "store/table_store.h"
#include "catalogue/catalogue.h"
#include "copy/copy.h"
#include "platform/posix/drive_map.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int kSongs = 500;

using Clock = std::chrono::steady_clock;

// Songs of 1 to 3 MB of pseudo-random bytes (nothing a file system can
// compress or leave sparse). Returns the total size in bytes.
double WriteLibrary(const fs::path& library, std::vector<std::string>& files) {
  double total = 0;
  std::uint64_t state = 0x9E3779B97F4A7C15ull;
  std::vector<std::uint64_t> words;
  for (int k = 0; k < kSongs; ++k) {
    std::size_t size = (1u << 20) + (static_cast<std::size_t>(k) * 7919u * 4099u) % (2u << 20);
    words.resize((size + 7) / 8);
    for (std::uint64_t& word : words) {
      state ^= state << 13;
      state ^= state >> 7;
      state ^= state << 17;
      word = state;
    }
    char name[32];
    std::snprintf(name, sizeof name, "brano%03d.mp3", k);
    fs::path file = library / name;
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(words.data()),
                                                static_cast<std::streamsize>(size));
    files.push_back(file.string());
    total += static_cast<double>(size);
  }
  return total;
}

void Empty(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());
}

double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// One whole copy run of the program, as "Mescola e copia" starts it.
double TimeProgram(const std::string& library) {
  TableStore dlg(MainDialogProc);
  dlg.Initialise();
  dlg.AddEntry(IDC_INCLUDED_LIST, library);
  RebuildCatalogue(dlg);
  dlg.SetText(IDC_PLAYER_PATH, "E:");
  dlg.SetText(IDC_CLUSTER_BYTES, "4096");
  Clock::time_point start = Clock::now();
  int result = CopyToPlayer(dlg);
  double seconds = Seconds(start);
  if (result != 1) std::fprintf(stderr, "copy run ended with %d\n", result);
  return seconds;
}

double TimeCp(const std::vector<std::string>& files, const std::string& player) {
  std::vector<char*> argv{const_cast<char*>("cp"), const_cast<char*>("--")};
  for (const std::string& file : files) argv.push_back(const_cast<char*>(file.c_str()));
  argv.push_back(const_cast<char*>(player.c_str()));
  argv.push_back(nullptr);
  Clock::time_point start = Clock::now();
  pid_t child;
  int status = 0;
  if (posix_spawnp(&child, "cp", nullptr, nullptr, argv.data(), environ) != 0 ||
      waitpid(child, &status, 0) != child || status != 0) {
    std::fprintf(stderr, "cp failed\n");
  }
  return Seconds(start);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: copy_bench LIBRARY_DIR PLAYER_DIR [ROUNDS]\n");
    return 2;
  }
  fs::path library = fs::absolute(argv[1]);
  fs::path player = fs::absolute(argv[2]);
  int rounds = argc > 3 ? std::atoi(argv[3]) : 7;
  std::string drives = "C=fixed:/;E=removable:" + player.string();
  setenv("MESCOLA_DRIVES", drives.c_str(), 1);
  // The copy log goes to the working directory: keep it beside the library.
  fs::current_path(library.parent_path());

  std::vector<std::string> files;
  double bytes = WriteLibrary(library, files);
  std::string libraryPath = FromNativePath(library.string());
  std::printf("%d songs, %.1f MB, player %s\n", kSongs, bytes / 1048576, player.c_str());

  // A first, untimed round of each brings the library into the page cache.
  Empty(player);
  TimeProgram(libraryPath);
  Empty(player);
  TimeCp(files, player.string());

  std::vector<double> program, cp;
  for (int round = 0; round < rounds; ++round) {
    for (int turn = 0; turn < 2; ++turn) {
      Empty(player);
      if ((round + turn) % 2 == 0) program.push_back(TimeProgram(libraryPath));
      else cp.push_back(TimeCp(files, player.string()));
    }
    std::printf("round %d: program %.3f s, cp %.3f s\n", round + 1, program.back(), cp.back());
  }
  Empty(player);

  double programRate = bytes / 1048576 / Median(program);
  double cpRate = bytes / 1048576 / Median(cp);
  double ratio = programRate / cpRate;
  std::printf("median program %.3f s (%.0f MB/s), cp %.3f s (%.0f MB/s), ratio %.3f: %s\n",
              Median(program), programRate, Median(cp), cpRate, ratio,
              ratio >= 0.95 ? "ok" : "BELOW 0.95");
  return ratio >= 0.95 ? 0 : 1;
}
