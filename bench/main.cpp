// Benchmarks of the song catalogue on generated libraries, side by side in
// one run on a warm cache: the rebuild against the floor of a scan and find,
// a keystroke in the requested number, the peak memory of a large catalogue.
//
//   mescola_bench [--work FOLDER] [--rounds N]
//
// Libraries are generated once under FOLDER (default: the temporary folder's
// mescola-bench) and kept for later runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/dispatch.h"
#include "app/table_store.h"
#include "catalogue/catalogue.h"
#include "library_generator.h"
#include "system.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// One piece of work: wall and processor time in milliseconds, page faults.
struct Timing {
  double wall = 0;
  double cpu = 0;
  double faults = 0;
};

Timing TimeOf(const std::function<void()>& work) {
  double cpu = CpuMilliseconds();
  long faults = PageFaults();
  Clock::time_point start = Clock::now();
  work();
  double wall = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
  return {wall, CpuMilliseconds() - cpu, static_cast<double>(PageFaults() - faults)};
}

struct Medians {
  std::vector<double> wall, cpu, faults;
  void Add(const Timing& timing) {
    wall.push_back(timing.wall);
    cpu.push_back(timing.cpu);
    faults.push_back(timing.faults);
  }
  Timing Of() const { return {Median(wall), Median(cpu), Median(faults)}; }
  // Medians of the ratios to base, round by round: a round's two figures
  // meet the same load of the machine.
  Timing RatiosTo(const Medians& base) const {
    std::vector<double> wallRatios, cpuRatios;
    for (std::size_t i = 0; i < wall.size(); ++i) {
      wallRatios.push_back(wall[i] / base.wall[i]);
      cpuRatios.push_back(cpu[i] / base.cpu[i]);
    }
    return {Median(wallRatios), Median(cpuRatios), 0};
  }
};

void PrintRow(const char* what, const Timing& timing, const Timing* ratios, const char* target) {
  std::printf("| %-34s | %9.2f | %9.2f |", what, timing.wall, timing.cpu);
  if (ratios) {
    std::printf(" %5.2f | %5.2f | %7.0f |", ratios->wall, ratios->cpu, timing.faults);
  }
  std::printf(" %s |\n", target);
}

// A main dialog on the table store with root as its one included folder.
std::unique_ptr<TableStore> DialogIncluding(const std::string& root) {
  auto dlg = std::make_unique<TableStore>(MainDialogProc);
  dlg->Initialise();
  dlg->AddEntry(IDC_INCLUDED_LIST, root);
  // Excluded folders that match nothing still cost their test at every folder.
  dlg->AddEntry(IDC_EXCLUDED_LIST, "C:\\Podcast");
  dlg->AddEntry(IDC_EXCLUDED_LIST, root + "\\Audiolibri");
  return dlg;
}

struct Library {
  const char* name;
  LibraryShape shape;
  fs::path native;
  std::string path;  // as the program writes it
};

Library Prepare(const fs::path& work, const char* name, LibraryShape shape) {
  Library library{name, shape, work / name, ""};
  std::cerr << "library " << name << "..." << std::flush;
  if (!MakeLibrary(library.native, shape)) std::exit(1);
  std::cerr << " ready\n";
  library.path = ProgramPath(library.native.string());
  return library;
}

int CompareRebuild(const Library& library, int rounds) {
  FloorCount floor;
  long songs = 0;
  std::string total;
  auto rebuild = [&](TableStore& dlg) {
    Timing timing = TimeOf([&] { RebuildCatalogue(dlg); });
    songs = dlg.CountEntries(IDC_SONG_NAMES);
    total = dlg.ReadText(IDC_SONGS_TOTAL, 64);
    return timing;
  };
  // The same dialog rebuilt again, as after every change of the lists; the
  // emptied permutation stands for a change of the song count, which
  // redraws the order.
  std::unique_ptr<TableStore> kept = DialogIncluding(library.path);
  std::string find = FindCommand(library.native.string());
  Medians floorTimes, freshTimes, againTimes, findTimes;
  auto scanFloor = [&] { return TimeOf([&] { floor = FloorScan(library.native.string()); }); };
  for (int round = -1; round < rounds; ++round) {  // round -1 warms the cache
    // The floor goes first in even rounds and last in odd ones.
    Timing f = round % 2 == 0 ? scanFloor() : Timing();
    kept->ClearList(IDC_ORDER_NO_REPEAT);
    Timing a = rebuild(*kept);
    std::unique_ptr<TableStore> fresh = DialogIncluding(library.path);
    Timing r = rebuild(*fresh);
    fresh.reset();  // released after the clock stops
    if (round % 2 != 0) f = scanFloor();
    Timing x = find.empty() ? Timing() : TimeOf([&] { RunCommand(find); });
    if (round < 0) continue;
    floorTimes.Add(f);
    againTimes.Add(a);
    freshTimes.Add(r);
    findTimes.Add(x);
  }
  if (songs != floor.songs || total != std::to_string(static_cast<long long>(floor.bytes))) {
    std::printf("MISMATCH: the rebuild found %ld songs, %s bytes; the floor %ld, %.0f\n", songs,
                total.c_str(), floor.songs, floor.bytes);
    return 1;
  }
  long files = library.shape.songs + library.shape.others;
  std::printf("\nRebuild of %s: %ld files in %ld folders, %ld songs; medians of %d rounds"
              " (ratios: medians of the ratios round by round)\n\n",
              library.name, files, library.shape.folders, songs, rounds);
  std::printf("| %-34s | %9s | %9s | %5s | %5s | %7s | %s |\n", "", "wall ms", "cpu ms", "wall",
              "cpu", "faults", "target");
  std::printf("|%s|----------:|----------:|------:|------:|--------:|---|\n",
              std::string(36, '-').c_str());
  Timing floorMs = floorTimes.Of();
  std::printf("| %-34s | %9.2f | %9.2f | %5s | %5s | %7.0f | |\n",
              "floor scan (readdir, stat songs)", floorMs.wall, floorMs.cpu, "1", "1",
              floorMs.faults);
  Timing again = againTimes.RatiosTo(floorTimes);
  Timing fresh = freshTimes.RatiosTo(floorTimes);
  PrintRow("RebuildCatalogue, dialog reused", againTimes.Of(), &again, "ratio <= 1.2");
  PrintRow("RebuildCatalogue, new dialog", freshTimes.Of(), &fresh, "ratio <= 1.2");
  if (!find.empty()) {
    Timing ratios = findTimes.RatiosTo(floorTimes);
    PrintRow("find -printf '%h %f %s\\n'", findTimes.Of(), &ratios, "");
  }
  return 0;
}

// Times the last key of keys typed into the requested number, after the
// field has been emptied and the keys before it typed.
Timing TimeKeystroke(TableStore& dlg, const std::string& keys, int repeats) {
  Medians times;
  for (int i = 0; i < repeats; ++i) {
    dlg.UserErase(IDC_MAX_SONGS);
    dlg.UserType(IDC_MAX_SONGS, keys.substr(0, keys.size() - 1));
    times.Add(TimeOf([&] { dlg.UserType(IDC_MAX_SONGS, keys.substr(keys.size() - 1)); }));
  }
  return times.Of();
}

// What the first touch of fresh memory costs here: every page that a new
// catalogue fills is touched once.
double MicrosecondsPerFreshPage() {
  constexpr std::size_t kBytes = 64 << 20;
  constexpr std::size_t kPage = 4096;
  Timing timing = TimeOf([] {
    std::unique_ptr<char[]> block(new char[kBytes]);
    for (std::size_t at = 0; at < kBytes; at += kPage) block[at] = 1;
    volatile char keep = block[kBytes - kPage];
    (void)keep;
  });
  return timing.wall * 1000 / (kBytes / kPage);
}

void CompareKeystrokes(const Library& library) {
  std::unique_ptr<TableStore> dlg = DialogIncluding(library.path);
  RebuildCatalogue(*dlg);
  int n = dlg->CountEntries(IDC_SONG_NAMES);
  std::printf("\nOne keystroke in the requested number, %d songs catalogued; medians of 31\n\n",
              n);
  std::printf("| %-34s | %9s | %9s | %s |\n", "", "wall ms", "cpu ms", "target");
  std::printf("|%s|----------:|----------:|---|\n", std::string(36, '-').c_str());
  PrintRow("R = 9999, below n (4 digits typed)", TimeKeystroke(*dlg, "9999", 31), nullptr,
           "<= 5 ms");
  // Five digits cannot be typed past the field's limit; only the program
  // writes them. The change handling is the same, so the limit is lifted.
  dlg->LimitTyping(IDC_MAX_SONGS, 6);
  PrintRow("R = 49999, below n", TimeKeystroke(*dlg, "49999", 31), nullptr, "<= 5 ms");
  PrintRow("R = 60000, above n (redraw)", TimeKeystroke(*dlg, "60000", 31), nullptr, "<= 5 ms");
}

// Run in a process of its own, so that nothing else counts.
int MeasureMemory(const std::string& root, const std::string& out) {
  double before = PeakMegabytes();
  std::unique_ptr<TableStore> dlg = DialogIncluding(ProgramPath(root));
  RebuildCatalogue(*dlg);
  std::ofstream(out) << dlg->CountEntries(IDC_SONG_NAMES) << " " << before << " "
                     << PeakMegabytes() << "\n";
  return 0;
}

void CompareMemory(const char* self, const Library& library, const fs::path& work) {
  fs::path out = work / "memory.txt";
  std::string command = std::string("\"") + self + "\" --memory \"" + library.native.string() +
                        "\" \"" + out.string() + "\"";
  long songs = 0;
  double before = 0, peak = 0;
  if (!RunCommand(command) || !(std::ifstream(out) >> songs >> before >> peak)) {
    std::printf("\nMemory: the measuring process failed\n");
    return;
  }
  std::printf("\nPeak memory of the program holding %ld songs (%s)\n\n", songs, library.name);
  std::printf("| %-34s | %9s | %s |\n", "", "MB", "target");
  std::printf("|%s|----------:|---|\n", std::string(36, '-').c_str());
  std::printf("| %-34s | %9.1f | |\n", "before the scan", before);
  std::printf("| %-34s | %9.1f | <= 100 MB |\n", "after the rebuild", peak);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--memory") return MeasureMemory(argv[2], argv[3]);
  fs::path work = fs::temp_directory_path() / "mescola-bench";
  int rounds = 7;
  for (int i = 1; i + 1 < argc; i += 2) {
    std::string option = argv[i];
    if (option == "--work") work = fs::absolute(argv[i + 1]);
    if (option == "--rounds") rounds = std::max(1, std::atoi(argv[i + 1]));
  }
  fs::create_directories(work);
  Library files200k = Prepare(work, "200k-files", {20000, 140000, 60000});
  Library songs50k = Prepare(work, "50k-songs", {5000, 50000, 10000});
  Library songs200k = Prepare(work, "200k-songs", {20000, 200000, 20000});

  std::printf("Machine: %s; load average at the start %s\n", MachineName().c_str(),
              MachineLoad().c_str());
  std::printf("First touch of fresh memory: %.1f us per 4 KiB page\n", MicrosecondsPerFreshPage());
  if (CompareRebuild(files200k, rounds) != 0) return 1;
  CompareKeystrokes(songs50k);
  CompareMemory(argv[0], songs200k, work);
  std::printf("\nLoad average at the end %s\n", MachineLoad().c_str());
  return 0;
}
