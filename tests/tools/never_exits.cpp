// A Windows program that never exits, for the case of wine-run.py's time
// limit: it starts a copy of itself that never exits either, waits until the
// copy runs, says so, and sleeps for ever. The limit must end both, and the
// console Wine gives them.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    // The copy gets the first one's process id, and sets the event named for it.
    char event_name[40];
    if (argc > 1) {
        std::snprintf(event_name, sizeof event_name, "never_exits_%s", argv[1]);
        HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, event_name);
        if (started == nullptr || !SetEvent(started)) return 1;
    } else {
        const DWORD id = GetCurrentProcessId();
        std::snprintf(event_name, sizeof event_name, "never_exits_%lu", id);
        HANDLE started = CreateEventA(nullptr, TRUE, FALSE, event_name);
        char path[MAX_PATH];
        char command[MAX_PATH + 32];
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        if (started == nullptr || length == 0 || length == MAX_PATH) return 1;
        std::snprintf(command, sizeof command, "\"%s\" %lu", path, id);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION copy{};
        if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &copy) ||
            WaitForSingleObject(started, INFINITE) != WAIT_OBJECT_0)
            return 1;
        std::puts("never_exits: running, and so is its copy");
        std::fflush(stdout);
    }
    for (;;) Sleep(1000);
}
