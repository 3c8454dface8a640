// Speed of the copy run against cp, process for process, onto a folder of
// the disk: the program flushes every song to the device before it counts
// it, so cp is followed by sync. Writes a library of 500 songs and one file
// of the library's whole size; in each round empties the player and times,
// in an order that turns from round to round: mescola_copy (the program's
// start, scan and copy run, in a process of its own), cp of the same files
// and then sync, and the one large file copied with sendfile and flushed,
// the most this machine can move from the library to the player's disk.
// Prints the medians and the ratio of the throughputs; exits with 1 when the
// program reaches less than 0.8 of the throughput of cp and sync.
//
//   copy_bench LIBRARY_DIR PLAYER_DIR [ROUNDS]
//
// mescola_copy is looked for beside copy_bench.
#include <fcntl.h>
#include <spawn.h>
#include <sys/sendfile.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr int kSongs = 500;

using Clock = std::chrono::steady_clock;

// Fills words with pseudo-random bytes (nothing a file system can compress
// or leave sparse), going on from state.
void Scramble(std::vector<std::uint64_t>& words, std::uint64_t& state) {
  for (std::uint64_t& word : words) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    word = state;
  }
}

void WriteFile(const fs::path& file, const std::vector<std::uint64_t>& words, std::size_t size) {
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(words.data()),
                                              static_cast<std::streamsize>(size));
}

// Songs of 1 to 3 MB. Returns the total size in bytes.
double WriteLibrary(const fs::path& library, std::vector<std::string>& files) {
  double total = 0;
  std::uint64_t state = 0x9E3779B97F4A7C15ull;
  std::vector<std::uint64_t> words;
  for (int k = 0; k < kSongs; ++k) {
    std::size_t size = (1u << 20) + (static_cast<std::size_t>(k) * 7919u * 4099u) % (2u << 20);
    words.resize((size + 7) / 8);
    Scramble(words, state);
    char name[32];
    std::snprintf(name, sizeof name, "brano%03d.mp3", k);
    fs::path file = library / name;
    WriteFile(file, words, size);
    files.push_back(file.string());
    total += static_cast<double>(size);
  }
  return total;
}

// One file of bytes bytes, written 64 MiB at a time.
void WriteLargeFile(const fs::path& file, double bytes) {
  std::uint64_t state = 0x2545F4914F6CDD1Dull;
  std::vector<std::uint64_t> words((std::size_t{64} << 20) / 8);
  std::ofstream out(file, std::ios::binary);
  for (double left = bytes; left > 0; left -= static_cast<double>(words.size() * 8)) {
    Scramble(words, state);
    std::size_t size = std::min(words.size() * 8, static_cast<std::size_t>(left));
    out.write(reinterpret_cast<const char*>(words.data()), static_cast<std::streamsize>(size));
  }
}

void Empty(const fs::path& folder) {
  for (const auto& entry : fs::directory_iterator(folder)) fs::remove_all(entry.path());
}

double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// From the start of the process to its end.
double TimeProcess(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  Clock::time_point start = Clock::now();
  pid_t child;
  int status = 0;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0 ||
      waitpid(child, &status, 0) != child || status != 0) {
    std::fprintf(stderr, "%s failed\n", argv[0]);
  }
  return Seconds(start);
}

// The large file copied into the player by sendfile alone and flushed: no
// process to start, no file to look for, one open and close, the kernel's copy.
double TimeSendfile(const fs::path& file, const fs::path& player) {
  Clock::time_point start = Clock::now();
  int in = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  int out = open((player / file.filename()).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  bool copied = in >= 0 && out >= 0;
  for (ssize_t n = 1; copied && n > 0;) {
    n = sendfile(out, in, nullptr, std::size_t{1} << 30);
    if (n < 0) copied = false;
  }
  if (out >= 0 && (fsync(out) != 0 || close(out) != 0)) copied = false;
  if (in >= 0) close(in);
  if (!copied) std::fprintf(stderr, "sendfile failed\n");
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
  std::string program = (fs::absolute(argv[0]).parent_path() / "mescola_copy").string();
  // The copy log goes to the working directory: keep it beside the library.
  fs::current_path(library.parent_path());

  std::vector<std::string> files;
  double bytes = WriteLibrary(library, files);
  fs::path large = library.parent_path() / "grande.bin";
  WriteLargeFile(large, bytes);
  std::printf("%d songs, %.1f MB, player %s\n", kSongs, bytes / 1048576, player.c_str());

  std::vector<std::string> cpCommand{"sh", "-c", "cp -- \"$@\" && sync", "cp"};
  cpCommand.insert(cpCommand.end(), files.begin(), files.end());
  cpCommand.push_back(player.string());
  std::vector<std::string> programCommand{program, library.string(), player.string()};
  std::vector<double> times[3];
  const char* names[3] = {"program", "cp + sync", "sendfile + fsync"};
  // Round 0, untimed, brings the library and the large file into the page
  // cache.
  for (int round = 0; round <= rounds; ++round) {
    for (int turn = 0; turn < 3; ++turn) {
      int which = (round + turn) % 3;
      Empty(player);
      double seconds = which == 0   ? TimeProcess(programCommand)
                       : which == 1 ? TimeProcess(cpCommand)
                                    : TimeSendfile(large, player);
      if (round > 0) times[which].push_back(seconds);
    }
    if (round == 0) continue;
    std::printf("round %d: program %.3f s, cp + sync %.3f s, sendfile + fsync %.3f s\n", round,
                times[0].back(), times[1].back(), times[2].back());
  }
  Empty(player);
  fs::remove(large);

  double rates[3];
  std::printf("\n| | median time | throughput |\n|---|---:|---:|\n");
  for (int which = 0; which < 3; ++which) {
    rates[which] = bytes / 1048576 / Median(times[which]);
    std::printf("| %s | %.3f s | %.0f MB/s |\n", names[which], Median(times[which]),
                rates[which]);
  }
  double ratio = rates[0] / rates[1];
  std::printf("\nprogram / (cp + sync) %.2f (%s), program / sendfile %.2f, (cp + sync) / sendfile %.2f\n",
              ratio, ratio >= 0.8 ? "ok" : "BELOW 0.8", rates[0] / rates[2], rates[1] / rates[2]);
  return ratio >= 0.8 ? 0 : 1;
}
