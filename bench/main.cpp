// Benchmarks of the song catalogue on generated libraries, side by side in
// one run on a warm cache: the rebuild against the floor of a scan and find,
// a keystroke in the requested number, the peak memory of a large catalogue.
//
//   mescola_bench [--work FOLDER] [--rounds N] [--rebuild-only]
//
// Libraries are generated once under FOLDER (default: the temporary folder's
// mescola-bench) and kept for later runs. Where the program has a window of
// its own, the rebuild is timed through it too. --rebuild-only leaves out
// the keystrokes and the memory.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "app/dispatch.h"
#include "quiet_shell.h"
#include "store/table_store.h"
#include "catalogue/catalogue.h"
#include "held_listings.h"
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
  std::printf("| %-38s | %9.2f | %9.2f |", what, timing.wall, timing.cpu);
  if (ratios) {
    std::printf(" %5.2f | %5.2f | %7.0f |", ratios->wall, ratios->cpu, timing.faults);
  }
  std::printf(" %s |\n", target);
}

// The lists of every benchmark dialog: root as its one included folder.
void Include(StateStore& dlg, const std::string& root) {
  dlg.AddEntry(IDC_INCLUDED_LIST, root);
  // Excluded folders that match nothing still cost their test at every folder.
  dlg.AddEntry(IDC_EXCLUDED_LIST, "C:\\Podcast");
  dlg.AddEntry(IDC_EXCLUDED_LIST, root + "\\Audiolibri");
}

// A main dialog on the table store with root as its one included folder.
std::unique_ptr<TableStore> DialogIncluding(const std::string& root) {
  auto dlg = std::make_unique<TableStore>(Quiet(), &MainDialogEvents());
  dlg->Initialise();
  Include(*dlg, root);
  return dlg;
}

// The same on the program's real window, where there is one; null otherwise.
std::unique_ptr<StateStore> WindowIncluding(const std::string& root, bool keptAlive = true) {
  std::unique_ptr<StateStore> dlg = keptAlive ? OpenMainDialog() : OpenMainDialogNotKeptAlive();
  if (dlg) Include(*dlg, root);
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

// One store realisation rebuilt round by round: the same dialog again, as
// after every change of the lists; a dialog that holds nothing yet; and the
// same dialog again over listings held in memory.
struct Rebuilds {
  using Opener = std::function<std::unique_ptr<StateStore>()>;
  Rebuilds(std::string againRow, std::string freshRow, std::string heldRow, const char* goal,
           Opener opener)
      : again(std::move(againRow)), fresh(std::move(freshRow)), held(std::move(heldRow)),
        target(goal), open(std::move(opener)) {}

  std::string again;  // row names
  std::string fresh;
  std::string held;
  const char* target;
  Opener open;
  std::unique_ptr<StateStore> kept;
  Medians againTimes, freshTimes, heldTimes;
  long songs = 0;
  std::string total;

  Timing Rebuild(StateStore& dlg) {
    // The emptied permutation stands for a change of the song count, which
    // redraws the order.
    dlg.ClearList(IDC_ORDER_NO_REPEAT);
    Timing timing = TimeOf([&] { RebuildCatalogue(dlg); });
    songs = dlg.CountEntries(IDC_SONG_NAMES);
    total = dlg.ReadText(IDC_SONGS_TOTAL, 64);
    return timing;
  }
  void Round(bool counted, Platform& listings) {
    Timing a = Rebuild(*kept);
    std::unique_ptr<StateStore> dlg = open();
    Timing r = Rebuild(*dlg);
    dlg.reset();  // released after the clock stops
    Timing h;
    {
      PlatformScope scope(listings);
      h = Rebuild(*kept);
    }
    if (!counted) return;
    againTimes.Add(a);
    freshTimes.Add(r);
    heldTimes.Add(h);
  }
  bool Found(const FloorCount& floor) const {
    if (songs == floor.songs && total == std::to_string(static_cast<long long>(floor.bytes))) {
      return true;
    }
    std::printf("MISMATCH: %s found %ld songs, %s bytes; the floor %ld, %.0f\n", again.c_str(), songs,
                total.c_str(), floor.songs, floor.bytes);
    return false;
  }
};

// The table store always; the program's own window where there is one.
std::vector<Rebuilds> StoresIncluding(const std::string& root) {
  Rebuilds candidates[] = {
      {"RebuildCatalogue, dialog reused", "RebuildCatalogue, new dialog",
       "listings in memory, table store", "ratio <= 1.2",
       [root] { return std::unique_ptr<StateStore>(DialogIncluding(root)); }},
      {std::string("RebuildCatalogue, ") + WindowName() + " reused",
       std::string("RebuildCatalogue, new ") + WindowName(),
       std::string("listings in memory, ") + WindowName(), WindowTarget(),
       [root] { return WindowIncluding(root); }},
      {std::string("RebuildCatalogue, ") + WindowName() + " reused, not kept alive",
       std::string("RebuildCatalogue, new ") + WindowName() + ", not kept alive",
       std::string("listings in memory, ") + WindowName() + ", not kept alive", "",
       [root] { return WindowIncluding(root, false); }},
  };
  std::vector<Rebuilds> stores;
  for (Rebuilds& store : candidates) {
    store.kept = store.open();
    if (store.kept) stores.push_back(std::move(store));
  }
  return stores;
}

void PrintRebuilds(const std::vector<Rebuilds>& stores, const Medians& floorTimes,
                   const Medians* findTimes) {
  std::printf("| %-38s | %9s | %9s | %5s | %5s | %7s | %s |\n", "", "wall ms", "cpu ms", "wall",
              "cpu", "faults", "target");
  std::printf("|%s|----------:|----------:|------:|------:|--------:|---|\n",
              std::string(40, '-').c_str());
  Timing floorMs = floorTimes.Of();
  std::printf("| %-38s | %9.2f | %9.2f | %5s | %5s | %7.0f | |\n", FloorName(), floorMs.wall,
              floorMs.cpu, "1", "1", floorMs.faults);
  for (const Rebuilds& store : stores) {
    Timing again = store.againTimes.RatiosTo(floorTimes);
    Timing fresh = store.freshTimes.RatiosTo(floorTimes);
    PrintRow(store.again.c_str(), store.againTimes.Of(), &again, store.target);
    PrintRow(store.fresh.c_str(), store.freshTimes.Of(), &fresh, store.target);
  }
  if (findTimes) {
    Timing ratios = findTimes->RatiosTo(floorTimes);
    PrintRow("find -printf '%h %f %s\\n'", findTimes->Of(), &ratios, "");
  }
  std::printf("\nThe same rebuild of a reused dialog over the listings held in memory, without"
              " the file system: what the store costs\n\n");
  std::printf("| %-38s | %9s | %9s | %s |\n", "", "wall ms", "cpu ms", "target");
  std::printf("|%s|----------:|----------:|---|\n", std::string(40, '-').c_str());
  for (const Rebuilds& store : stores) PrintRow(store.held.c_str(), store.heldTimes.Of(), nullptr, "");
}

int CompareRebuild(const Library& library, int rounds) {
  std::vector<Rebuilds> stores = StoresIncluding(library.path);
  HeldListings listings(library.path);
  FloorCount floor;
  std::string find = FindCommand(library.native.string());
  Medians floorTimes, findTimes;
  auto scanFloor = [&] { return TimeOf([&] { floor = FloorScan(library.native.string()); }); };
  for (int round = -1; round < rounds; ++round) {  // round -1 warms the cache
    // The floor goes first in even rounds and last in odd ones.
    Timing f = round % 2 == 0 ? scanFloor() : Timing();
    for (Rebuilds& store : stores) store.Round(round >= 0, listings);
    if (round % 2 != 0) f = scanFloor();
    Timing x = find.empty() ? Timing() : TimeOf([&] { RunCommand(find); });
    if (round < 0) continue;
    floorTimes.Add(f);
    findTimes.Add(x);
  }
  for (const Rebuilds& store : stores) {
    if (!store.Found(floor)) return 1;
  }
  long files = library.shape.songs + library.shape.others;
  std::printf("\nRebuild of %s: %ld files in %ld folders, %ld songs; medians of %d rounds"
              " (ratios: medians of the ratios round by round)\n\n",
              library.name, files, library.shape.folders, floor.songs, rounds);
  PrintRebuilds(stores, floorTimes, find.empty() ? nullptr : &findTimes);
  if (stores.size() == 3) {
    Timing alive = stores[1].againTimes.Of(), quiet = stores[2].againTimes.Of();
    Timing aliveNew = stores[1].freshTimes.Of(), quietNew = stores[2].freshTimes.Of();
    std::printf("\nWhat keeping the window alive costs the rebuild (kept alive / not, target <= 1.03):"
                " reused %.3f wall, %.3f cpu; new %.3f wall, %.3f cpu\n",
                alive.wall / quiet.wall, alive.cpu / quiet.cpu, aliveNew.wall / quietNew.wall,
                aliveNew.cpu / quietNew.cpu);
  }
  return 0;
}

// The rebuild as a whole process, from its start to its end, against the
// floor scan as a process of its own: what a process does before its first
// listing counts too. The processes run one after the other, in turn first.
void CompareWholeProcesses(const fs::path& self, const Library& library, int rounds) {
  fs::path folder = self.parent_path();
  auto command = [&](const char* program, const char* mode) {
    return "\"" + (folder / program).string() + "\" " + mode + " \"" + library.native.string() + "\"";
  };
  struct Row {
    std::string name;
    std::string command;
    const char* target;
    Medians times;
  };
  std::vector<Row> rows;
  rows.push_back({"floor scan, whole process", command("mescola_whole", "floor"), "", {}});
  rows.push_back({"table store, whole process", command("mescola_whole", "table"), "<= 1.1", {}});
  if (OpenMainDialog()) {
    bool qt = fs::exists(folder / "mescola_whole_qt");
    rows.push_back({std::string(WindowName()) + ", whole process",
                    command(qt ? "mescola_whole_qt" : "mescola_whole", "window"),
                    qt ? "<= 1.15" : "<= 1.4", {}});
  }
  for (int round = -1; round < rounds; ++round) {
    for (std::size_t i = 0; i < rows.size(); ++i) {
      Row& row = rows[round % 2 ? rows.size() - 1 - i : i];
      bool done = true;
      Timing t = TimeOf([&] { done = RunCommand(row.command); });
      if (!done) {
        std::printf("MISMATCH: %s failed\n", row.command.c_str());
        return;
      }
      if (round >= 0) row.times.Add(t);
    }
  }
  std::printf("\nRebuild of %s as whole processes, each started afresh; medians of %d rounds\n\n",
              library.name, rounds);
  std::printf("| %-38s | %9s | %9s | %5s | %5s | %7s | %s |\n", "", "wall ms", "cpu ms", "wall", "cpu",
              "", "target");
  std::printf("|%s|----------:|----------:|------:|------:|--------:|---|\n", std::string(40, '-').c_str());
  for (const Row& row : rows) {
    Timing ratios = row.times.RatiosTo(rows.front().times);
    Timing times = row.times.Of();
    std::printf("| %-38s | %9.2f | %9.2f | %5.2f | %5.2f | %7s | %s |\n", row.name.c_str(), times.wall,
                times.cpu, ratios.wall, ratios.cpu, "", row.target);
  }
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

// A catalogue of n songs written straight into the store, without a scan:
// only the song count and the sizes matter to the redraw.
void FillCatalogue(StateStore& dlg, int n) {
  std::string names, folders, exts, sizes;
  for (int k = 0; k < n; ++k) {
    names += "Brano " + std::to_string(k) + '\0';
    folders += "C:\\Musica\\Album " + std::to_string(k / 12) + '\0';
    exts += std::string("mp3", 4);
    sizes += std::to_string(3000000 + k * 37 % 5000000) + '\0';
  }
  for (int id : {IDC_SONG_FOLDERS, IDC_SONG_NAMES, IDC_SONG_EXTS, IDC_SONG_SIZES}) dlg.ClearList(id);
  dlg.AppendEntries(IDC_SONG_FOLDERS, folders);
  dlg.AppendEntries(IDC_SONG_NAMES, names);
  dlg.AppendEntries(IDC_SONG_EXTS, exts);
  dlg.AppendEntries(IDC_SONG_SIZES, sizes);
  dlg.SetText(IDC_SONG_COUNT, std::to_string(n));
  dlg.SetText(IDC_MAX_SONGS, std::to_string(n));  // draws the permutation
}

// The least work a redraw can do: a Fisher-Yates shuffle of the indexes,
// each written as decimal text into a buffer made beforehand.
class ShuffleFloor {
 public:
  explicit ShuffleFloor(int count) : indexes_(count), texts_(count * 12) {}
  void Run(int n, std::uint32_t seed) {
    for (std::size_t i = 0; i < indexes_.size(); ++i) indexes_[i] = static_cast<int>(i % n);
    for (std::size_t i = indexes_.size() - 1; i > 0; --i) {
      seed = seed * 214013u + 2531011u;
      std::swap(indexes_[i], indexes_[(seed >> 8) % (i + 1)]);
    }
    char* end = texts_.data();
    for (int k : indexes_) {
      end = std::to_chars(end, end + 11, k).ptr;
      *end++ = '\0';
    }
    written_ = end - texts_.data();
  }
  std::size_t written() const { return written_; }

 private:
  std::vector<int> indexes_;
  std::vector<char> texts_;
  std::size_t written_ = 0;
};

// The redraw after a requested number above the song count is typed: the
// draws with repetition written into their list ("orders", timed again on
// their own), and with the compilation line read back from the orders and
// the sizes ("keystroke"); against the floor above for the same number of
// indexes, round by round.
void CompareRedraws(int rounds) {
  std::printf("\nRedraw of the orders, alone and with the compilation line, for a requested number R above"
              " the song count n; medians of %d (ratios: medians of the ratios round by round)\n\n",
              rounds);
  std::printf("| %-38s | %9s | %9s | %5s | %5s | %7s | %s |\n", "", "wall ms", "cpu ms", "wall", "cpu",
              "", "target");
  std::printf("|%s|----------:|----------:|------:|------:|--------:|---|\n", std::string(40, '-').c_str());
  for (int n : {50000, 156298}) {
    int requested = n + n / 5;
    std::vector<std::pair<std::string, std::unique_ptr<StateStore>>> stores;
    stores.emplace_back("table store", DialogIncluding("C:\\Musica"));
    if (std::unique_ptr<StateStore> window = WindowIncluding("C:\\Musica")) {
      stores.emplace_back(WindowName(), std::move(window));
    }
    for (auto& store : stores) {
      FillCatalogue(*store.second, n);
      store.second->LimitTyping(IDC_MAX_SONGS, 8);
    }
    ShuffleFloor floor(requested);
    Medians floorTimes;
    std::vector<Medians> redraws(stores.size()), draws(stores.size());
    for (int round = -1; round < rounds; ++round) {
      Timing f = TimeOf([&] { floor.Run(n, static_cast<std::uint32_t>(round)); });
      for (std::size_t i = 0; i < stores.size(); ++i) {
        StateStore& dlg = *stores[i].second;
        dlg.SetText(IDC_MAX_SONGS, std::to_string(n));
        std::string typed = std::to_string(requested);
        Timing t = TimeOf([&] { dlg.SetText(IDC_MAX_SONGS, typed); });
        // The orders alone, drawn again for the number now in the field.
        Timing d = TimeOf([&] { DrawRandomOrder(dlg); });
        if (round >= 0) redraws[i].Add(t), draws[i].Add(d);
      }
      if (round >= 0) floorTimes.Add(f);
    }
    std::string row = "shuffle floor, n = " + std::to_string(n) + ", R = " + std::to_string(requested);
    Timing floorMs = floorTimes.Of();
    std::printf("| %-38s | %9.2f | %9.2f | %5s | %5s | %7s | |\n", row.c_str(), floorMs.wall, floorMs.cpu,
                "1", "1", "");
    for (std::size_t i = 0; i < stores.size(); ++i) {
      // The target is the orders'; the keystroke adds the compilation line.
      const char* target = i == 0 ? "<= 3" : WindowRedrawTarget();
      for (auto [what, medians, goal] :
           {std::tuple{"orders, ", &draws[i], target}, {"keystroke, ", &redraws[i], ""}}) {
        Timing ratios = medians->RatiosTo(floorTimes);
        Timing times = medians->Of();
        std::printf("| %-38s | %9.2f | %9.2f | %5.2f | %5.2f | %7s | %s |\n", (what + stores[i].first).c_str(),
                    times.wall, times.cpu, ratios.wall, ratios.cpu, "", goal);
      }
    }
  }
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
  std::printf("| %-38s | %9s | %9s | %s |\n", "", "wall ms", "cpu ms", "target");
  std::printf("|%s|----------:|----------:|---|\n", std::string(40, '-').c_str());
  PrintRow("R = 9999, below n (4 digits typed)", TimeKeystroke(*dlg, "9999", 31), nullptr,
           "<= 5 ms");
  // Five digits cannot be typed past the field's limit; only the program
  // writes them. The change handling is the same, so the limit is lifted.
  dlg->LimitTyping(IDC_MAX_SONGS, 6);
  PrintRow("R = 49999, below n", TimeKeystroke(*dlg, "49999", 31), nullptr, "<= 5 ms");
  PrintRow("R = 60000, above n (redraw)", TimeKeystroke(*dlg, "60000", 31), nullptr, "<= 5 ms");
}

// Run in a process of its own, so that nothing else counts: the table
// store, or with window the program's own window.
int MeasureMemory(const std::string& root, const std::string& out, bool window) {
  double before = PeakMegabytes();
  std::unique_ptr<StateStore> dlg = window ? WindowIncluding(ProgramPath(root))
                                           : std::unique_ptr<StateStore>(DialogIncluding(ProgramPath(root)));
  if (!dlg) return 1;
  RebuildCatalogue(*dlg);
  std::ofstream(out) << dlg->CountEntries(IDC_SONG_NAMES) << " " << before << " "
                     << PeakMegabytes() << "\n";
  return 0;
}

void CompareMemory(const char* self, const Library& library, const fs::path& work) {
  std::printf("\nPeak memory of the program holding the songs of %s\n\n", library.name);
  std::printf("| %-38s | %9s | %9s | %s |\n", "", "songs", "MB", "target");
  std::printf("|%s|----------:|----------:|---|\n", std::string(40, '-').c_str());
  double tableStorePeak = 0;
  for (bool window : {false, true}) {
    fs::path out = work / "memory.txt";
    std::string command = std::string("\"") + self + "\" --memory \"" + library.native.string() +
                          "\" \"" + out.string() + "\"" + (window ? " window" : "");
    long songs = 0;
    double before = 0, peak = 0;
    if (!RunCommand(command) || !(std::ifstream(out) >> songs >> before >> peak)) {
      if (window) continue;  // no window of its own here
      std::printf("Memory: the measuring process failed\n");
      return;
    }
    std::string store = window ? WindowName() : "table store";
    std::printf("| %-38s | %9s | %9.1f | |\n", ("before the scan, " + store).c_str(), "", before);
    std::string target = window ? WindowMemoryTarget(tableStorePeak) : "<= 100 MB";
    std::printf("| %-38s | %9ld | %9.1f | %s |\n", ("after the rebuild, " + store).c_str(), songs, peak,
                target.c_str());
    tableStorePeak = peak;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::string(argv[1]) == "--memory") return MeasureMemory(argv[2], argv[3], argc == 5);
  fs::path work = fs::temp_directory_path() / "mescola-bench";
  int rounds = 7;
  bool rebuildOnly = false;
  bool redrawOnly = false;
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (option == "--rebuild-only") rebuildOnly = true;
    if (option == "--redraw-only") redrawOnly = true;
    if (option == "--work" && i + 1 < argc) work = fs::absolute(argv[++i]);
    if (option == "--rounds" && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
  }
  fs::create_directories(work);
  std::printf("Machine: %s; load average at the start %s\n", MachineName().c_str(),
              MachineLoad().c_str());
  if (redrawOnly) {
    CompareRedraws(std::max(rounds, 31));
    return 0;
  }
  Library files200k = Prepare(work, "200k-files", {20000, 140000, 60000});

  std::printf("First touch of fresh memory: %.1f us per 4 KiB page\n", MicrosecondsPerFreshPage());
  if (CompareRebuild(files200k, rounds) != 0) return 1;
  CompareWholeProcesses(argv[0], files200k, rounds);
  CompareRedraws(rebuildOnly ? rounds : std::max(rounds, 31));
  if (!rebuildOnly) {
    CompareKeystrokes(Prepare(work, "50k-songs", {5000, 50000, 10000}));
    CompareMemory(argv[0], Prepare(work, "200k-songs", {20000, 200000, 20000}), work);
  } else {
    // Under Wine the window's lists live in the system's list boxes: what
    // they hold of the rebuilt library, beside the table store.
    CompareMemory(argv[0], files200k, work);
  }
  std::printf("\nLoad average at the end %s\n", MachineLoad().c_str());
  return 0;
}
