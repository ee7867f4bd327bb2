// Leaks on purpose: the test that runs it passes only if LeakSanitizer
// reports the leak, which proves the leak check of the native suite is live.
#include <cstdio>

int main() {
    auto* volatile lost = new int[16];
    lost[3] = 1;
    lost = nullptr;
    std::puts("leaked 64 bytes");
    return 0;
}
