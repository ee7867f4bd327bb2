// What loading a plug-in DLL costs the host: LoadLibraryA, the four
// GetProcAddress look-ups and FreeLibrary, timed for each DLL given, the DLLs
// interleaved round by round so that they share the machine's noise; and the
// growth of the process's working set when one of them is loaded.
//
//   load_bench [--rounds R] [--cycles C] FLOOR.dll OTHER.dll...
//       the median time of a load-and-unload cycle of each DLL, and its ratio
//       to the first (the floor)
//   load_bench --working-set DLL
//       the working-set growth of one load, in KiB (run it in a fresh process)
//
// user32.dll and advapi32.dll are loaded first and stay loaded, as they are in
// the host; a plug-in that imports them pays only for binding to them.
#include <windows.h>
// psapi.h builds on windows.h.
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char* const kEntryPoints[] = {"SetStartupInfo", "GetPluginInfo", "OpenPlugin", "ProcessEditorInput"};

// One cycle as the host does it when it starts and quits: load, find every
// entry point, unload. False if any step fails.
bool LoadCycle(const char* path) {
    HMODULE module = LoadLibraryA(path);
    if (module == nullptr) return false;
    bool found = true;
    for (const char* name : kEntryPoints) found = found && GetProcAddress(module, name) != nullptr;
    return FreeLibrary(module) != FALSE && found;
}

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    static const double ticks = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    return static_cast<double>(to.QuadPart - from.QuadPart) / ticks;
}

SIZE_T WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize;
}

int MeasureWorkingSet(const char* path) {
    const SIZE_T before = WorkingSet();
    HMODULE module = LoadLibraryA(path);
    if (module == nullptr) {
        std::fprintf(stderr, "load_bench: cannot load %s (error %lu)\n", path, GetLastError());
        return 1;
    }
    for (const char* name : kEntryPoints) GetProcAddress(module, name);
    const SIZE_T after = WorkingSet();
    std::printf("%s: working set +%lu KiB\n", path, static_cast<unsigned long>((after - before) / 1024));
    FreeLibrary(module);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // The host has these loaded all its life; a plug-in's load finds them there.
    for (const char* system : {"user32.dll", "advapi32.dll"}) {
        if (LoadLibraryA(system) == nullptr) {
            std::fprintf(stderr, "load_bench: cannot load %s\n", system);
            return 1;
        }
    }
    int rounds = 15;
    int cycles = 200;
    std::vector<std::string> dlls;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--working-set" && i + 1 < argc) return MeasureWorkingSet(argv[i + 1]);
        if (a == "--rounds" && i + 1 < argc) {
            rounds = std::atoi(argv[++i]);
        } else if (a == "--cycles" && i + 1 < argc) {
            cycles = std::atoi(argv[++i]);
        } else {
            dlls.push_back(a);
        }
    }
    if (dlls.size() < 2 || rounds < 1 || cycles < 1) {
        std::fprintf(stderr,
                     "usage: load_bench [--rounds R] [--cycles C] FLOOR.dll OTHER.dll...\n"
                     "       load_bench --working-set DLL\n");
        return 2;
    }

    for (const std::string& dll : dlls) {
        if (!LoadCycle(dll.c_str())) {  // also warms the file cache
            std::fprintf(stderr, "load_bench: cannot load %s (error %lu)\n", dll.c_str(), GetLastError());
            return 1;
        }
    }
    // perCycle[d][r]: DLL d's mean cycle time in round r. Each round takes
    // the DLLs in turn, starting with a different one each round.
    std::vector<std::vector<double>> perCycle(dlls.size());
    for (int r = 0; r < rounds; ++r) {
        for (std::size_t k = 0; k < dlls.size(); ++k) {
            const std::size_t d = (k + static_cast<std::size_t>(r)) % dlls.size();
            LARGE_INTEGER from;
            LARGE_INTEGER to;
            QueryPerformanceCounter(&from);
            for (int c = 0; c < cycles; ++c) LoadCycle(dlls[d].c_str());
            QueryPerformanceCounter(&to);
            perCycle[d].push_back(Seconds(from, to) / cycles);
        }
    }
    std::printf("%d rounds of %d load + 4 look-ups + unload cycles each, interleaved\n", rounds, cycles);
    double floor = 0;
    for (std::size_t d = 0; d < dlls.size(); ++d) {
        std::vector<double>& t = perCycle[d];
        std::sort(t.begin(), t.end());
        const double median = t[t.size() / 2];
        if (d == 0) floor = median;
        std::printf("  %-50s median %8.1f us  (min %8.1f, max %8.1f)  ratio %.2f\n", dlls[d].c_str(),
                    median * 1e6, t.front() * 1e6, t.back() * 1e6, median / floor);
    }
    return 0;
}
