#pragma once
// The in-memory platform the native tests run the logic on: a console input
// queue and a registry, standing behind the same calls (platform/sys.h) that
// the Windows build makes for real. Both record what is asked of them and can
// be told to fail.
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/input_record.h"
#include "platform/sys.h"

namespace tarnwick::fake {

struct ConsoleQueue {
    std::deque<InputRecord> events;  // front: the next event the host reads

    // What was asked.
    int handleCalls = 0;
    int countCalls = 0;
    int peekCalls = 0;
    int writeCalls = 0;
    int mapCalls = 0;
    std::vector<sys::Dword> peekLengths;   // the length each peek was given
    std::vector<sys::Dword> writeLengths;  // the count each write was given
    std::vector<sys::Handle> handlesUsed;  // the handle each count, peek or write was given

    // Faults: fail the Nth count or peek (1-based; 0 never), or every write.
    int failCountCall = 0;
    int failPeekCall = 0;
    bool failWrites = false;
    // When set, counting answers this instead of the number of events held.
    std::optional<sys::Dword> claimedCount;
    // A peek reports this many records more than it copied, even past the
    // length it was given.
    sys::Dword peekOverstates = 0;
    // Runs after each successful count, before the peek that follows it: the
    // user typing while the plug-in looks.
    std::function<void(int countCall)> afterCount;
};

// The process heap: counts what the plug-in asks of it, and can be told to
// fail. Blocks come from malloc, so the sanitizers see them too. A block
// asked for without HEAP_ZERO_MEMORY comes filled with kStaleBytes.
struct Heap {
    long allocations = 0;               // successful HeapAlloc calls
    long frees = 0;                     // HeapFree calls on a live block
    long badCalls = 0;                  // a wrong heap handle, or a free of no live block
    std::size_t bytesGranted = 0;       // over all successful HeapAlloc calls
    std::size_t largestRequest = 0;     // the most bytes one HeapAlloc call asked for
    std::map<void*, std::size_t> live;  // the blocks handed out and not yet freed, with their sizes

    // Faults: the Nth HeapAlloc (1-based; 0 never), and every request for
    // more than this many bytes (0: none), answer null.
    int failRequest = 0;
    std::size_t failAbove = 0;
    int requests = 0;
};

struct RegistryValue {
    sys::Dword type = 0;
    std::vector<std::uint8_t> data;
};

struct Registry {
    std::set<std::string> keys{""};               // paths under HKEY_CURRENT_USER; "" is the root itself
    std::map<std::string, RegistryValue> values;  // "key path\\value name"

    struct Call {
        std::string what;  // "open", "create", "set", "close"
        std::string path;
        sys::Dword options = 0;
        sys::Dword access = 0;
        bool nullClass = true, nullSecurity = true, nullDisposition = true;
        sys::Dword reserved = 0;
    };
    std::vector<Call> calls;
    std::map<sys::Hkey, std::string> open;  // keys open now
    int opened = 0;
    int closed = 0;

    // Faults: the call fails with this code when nonzero.
    sys::Long failOpen = 0;
    sys::Long failCreate = 0;
    sys::Long failSet = 0;
};

// What a block holds before it is written: in every console input record it
// could hold, a key press carrying a character, as if the user had typed it.
constexpr std::uint8_t kStaleBytes[4] = {0x01, 0x00, 0xFF, 0xFF};

ConsoleQueue& Console();
Registry& Reg();
Heap& TheHeap();

// A fresh, empty console and registry, with no faults set; the heap's counts
// and faults start again, and the blocks still live stay known.
void Reset();

// The scan code the fake keyboard gives a virtual key.
std::uint16_t ScanCode(std::uint16_t vk);

// The handle the fake console answers to.
sys::Handle ConsoleHandle();

}  // namespace tarnwick::fake
