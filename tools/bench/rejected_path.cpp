// Runs ProcessEditorInput on N events that are not an accepted F7, for an
// instruction count under callgrind (tools/bench/count_instructions.sh).
#include <cstdint>
#include <cstdlib>

#include "dll/exports.h"
#include "support/defined_numbers.h"

using namespace tarnwick;

int main(int argc, char** argv) {
    const long n = argc > 1 ? std::atol(argv[1]) : 1000000;
    InputRecord events[4] = {};
    for (InputRecord& e : events) {
        e.eventType = os::kKeyEvent;
        e.keyDown = -1;
        e.repeatCount = 1;
    }
    events[0].virtualKeyCode = 'A';  // typing
    events[0].character = 'a';
    events[1].virtualKeyCode = 0x25;       // an arrow
    events[2].virtualKeyCode = os::kVkF7;  // Shift+F7
    events[2].controlKeyState = os::kShiftPressed;
    events[3].virtualKeyCode = 'A';  // a release
    events[3].keyDown = 0;
    std::int32_t sum = 0;
    for (long i = 0; i < n; ++i) sum += ::ProcessEditorInput(&events[i & 3]);
    return sum;
}
