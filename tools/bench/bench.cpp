// What the plug-in costs per key, on the in-memory console (native, optimised).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "console/keystroke_injector.h"
#include "dll/exports.h"
#include "host/editor_service.h"
#include "support/defined_numbers.h"
#include "support/fake_editor.h"
#include "support/fake_sys.h"
#include "word/word_scanner.h"

using namespace tarnwick;

namespace {

InputRecord Key(std::uint16_t vk, std::uint8_t ch, std::uint32_t state) {
    InputRecord r{};
    r.eventType = os::kKeyEvent;
    r.keyDown = -1;
    r.repeatCount = 1;
    r.virtualKeyCode = vk;
    r.character = ch;
    r.controlKeyState = state;
    return r;
}

// The events an editor sees all day: typing, arrows, releases, modified F7s.
void BM_RejectedEvent(benchmark::State& state) {
    InputRecord events[] = {Key('A', 'a', 0), Key(0x25, 0, 0x100), Key(os::kVkF7, 0, os::kShiftPressed),
                            Key(os::kVkF7, 0, os::kLeftAltPressed), Key('S', 0x13, os::kLeftCtrlPressed)};
    events[1].keyDown = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(::ProcessEditorInput(&events[i]));
        i = (i + 1) % 5;
    }
}
BENCHMARK(BM_RejectedEvent);

// The cursor in a five-letter word, on a 16-byte line and on a 1 MiB line.
void BM_FindWordBounds(benchmark::State& state) {
    const auto size = static_cast<std::size_t>(state.range(0));
    std::vector<std::uint8_t> line(size, ' ');
    const std::size_t at = size / 2 - 2;
    for (std::size_t i = 0; i < 5; ++i) line[at + i] = static_cast<std::uint8_t>("count"[i]);
    for (auto _ : state) {
        std::int32_t start = 0;
        std::int32_t end = 0;
        benchmark::DoNotOptimize(FindWordBounds(line.data(), static_cast<std::int32_t>(size),
                                                static_cast<std::int32_t>(at + 2), start, end));
        benchmark::DoNotOptimize(start);
        benchmark::DoNotOptimize(end);
    }
}
BENCHMARK(BM_FindWordBounds)->Arg(16)->Arg(1 << 20);

void ClearConsole() {
    auto& q = fake::Console();
    q.events.clear();
    q.writeLengths.clear();
    q.handlesUsed.clear();
    q.peekLengths.clear();
}

// 1 KiB typed into the prompt: 2048 key events, Ctrl+K and the selection
// keys, built in one batch and written at once.
void BM_TypeIntoPrompt1KiB(benchmark::State& state) {
    fake::Reset();
    ByteString text;
    const std::string kib(1024, 'x');
    CopyBytes(reinterpret_cast<const std::uint8_t*>(kib.data()), 1024, text);
    for (auto _ : state) {
        TypeIntoPrompt(text);
        state.PauseTiming();
        ClearConsole();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TypeIntoPrompt1KiB);

// One whole F7: type-ahead check, editor commands, copy, conversion, 20 events.
void BM_F7Action(benchmark::State& state) {
    fake::Reset();
    fake::ResetEditor("    int count = 0;", 10);
    g_editorCommand = fake::EditorEntry;
    const InputRecord f7 = Key(os::kVkF7, 0, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(::ProcessEditorInput(&f7));
        state.PauseTiming();
        ClearConsole();
        fake::ResetEditor("    int count = 0;", 10);
        state.ResumeTiming();
    }
    g_editorCommand = nullptr;
}
BENCHMARK(BM_F7Action);

// F7 on a stream selection of the whole line, a line of state.range(0)
// bytes: 1,023 (what the prompt holds) and 1 MiB. Only the first 1,023 bytes
// are copied and typed, so the two should cost the same. Also reported, per
// F7: the bytes allocated through the platform and the key events written.
void BM_F7OnASelection(benchmark::State& state) {
    const auto size = static_cast<std::int32_t>(state.range(0));
    fake::Reset();
    fake::Editor& e = fake::ResetEditor(std::string(static_cast<std::size_t>(size), 'w'), 0);
    fake::SelectOnCursorLine(e, 0, size);
    g_editorCommand = fake::EditorEntry;
    const InputRecord f7 = Key(os::kVkF7, 0, 0);
    double records = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(::ProcessEditorInput(&f7));
        state.PauseTiming();
        for (sys::Dword n : fake::Console().writeLengths) records += n;
        ClearConsole();
        e.converted.clear();
        e.convertBuffers.clear();
        e.commands.clear();
        e.lineNumbers.clear();
        state.ResumeTiming();
    }
    state.counters["bytes_allocated"] = benchmark::Counter(static_cast<double>(fake::TheHeap().bytesGranted),
                                                           benchmark::Counter::kAvgIterations);
    state.counters["records_written"] = benchmark::Counter(records, benchmark::Counter::kAvgIterations);
    g_editorCommand = nullptr;
}
BENCHMARK(BM_F7OnASelection)->Arg(1023)->Arg(1 << 20);

}  // namespace

BENCHMARK_MAIN();
