// What the benchmarks need from the system, realised per platform: the
// floor of a scan, the program's form of a path, peak memory, running a
// command, the program's own window.
#pragma once

#include <memory>
#include <string>

#include "store/state_store.h"

// What a scan finds: songs and the sum of their sizes (low 32 bits each).
struct FloorCount {
  long songs = 0;
  double bytes = 0;
};

// The least work a scan can do: lists each folder once, asks the size of
// song files only.
FloorCount FloorScan(const std::string& nativeRoot);
// The floor's row name: what it asks of the system.
const char* FloorName();

// Creates file with size bytes that take no disk space; false when it
// cannot.
bool MakeSparseFile(const std::string& file, unsigned long long size);

// The path as the program writes it (C:\...), for a native absolute path.
std::string ProgramPath(const std::string& nativeRoot);

// Processor time used so far by the process and its finished children, in
// milliseconds: on a shared machine it shows the work, where wall time
// also shows the waits for a core.
double CpuMilliseconds();

// Page faults of the process so far (first touches of memory included).
long PageFaults();

// The processor and the number of cores, and how busy the machine is.
std::string MachineName();
std::string MachineLoad();

// The process's peak resident memory so far, in megabytes (2^20 bytes).
double PeakMegabytes();

// The command that lists every file with its folder and size as find does,
// output discarded; empty where the system has no such command.
std::string FindCommand(const std::string& nativeRoot);

// Runs a command line, a quoted program and its arguments; true when it
// exits with 0.
bool RunCommand(const std::string& command);

// The program's real main dialog, created from its template and run by its
// own dialog procedure, as a store; destroyed with the store. Null where
// the program has no window of its own.
std::unique_ptr<StateStore> OpenMainDialog();
// The same window, but not kept alive during a scan (its shell's KeepAlive
// does nothing), to tell what keeping it alive costs; null where there is no
// such window.
std::unique_ptr<StateStore> OpenMainDialogNotKeptAlive();
// That window's name in the figures, the target of its rebuild, that of
// its redraw of the orders and that of its peak memory, given the table
// store's ("" where it has none).
const char* WindowName();
const char* WindowTarget();
const char* WindowRedrawTarget();
std::string WindowMemoryTarget(double tableStoreMegabytes);
