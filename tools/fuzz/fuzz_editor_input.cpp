// ProcessEditorInput driven by arbitrary input records, editor states, line
// texts (up to 4,095 bytes), selections, command results, conversions, queue
// contents and failed allocations, on the in-memory console. The host's line
// lives in an allocation of exactly its reported length, so a read past it is
// caught.
//
// Invariants: the result is 0; whenever the queue holds the user's own input
// (a key press with a character, a press of any key but a modifier or lock
// key, a mouse button or wheel), or the peek buffer cannot be had, nothing at
// all is written; otherwise an accepted F7 appends exactly the first 1,023
// bytes of the chosen range from 0x20 up (after conversion), Ctrl+K when any
// byte was typed, and then the six selection keys, and any other event
// appends nothing. With no memory for the copy or the batch, the selection
// keys go out alone. Command 10 gets exactly the range's first 1,023 bytes,
// once. An action makes at most one write, of at most 2,056 records, and
// every key it presses it releases, Shift and Ctrl included.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dll/exports.h"
#include "host/editor_service.h"
#include "support/defined_numbers.h"
#include "support/fake_editor.h"
#include "support/fake_sys.h"
#include "support/key_records.h"
#include "support/reference_rules.h"

using namespace tarnwick;

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    template <class T>
    T Take() {
        T v{};
        const std::size_t n = size < sizeof v ? size : sizeof v;
        std::memcpy(&v, data, n);
        data += n;
        size -= n;
        return v;
    }
};

// What is chosen, read plainly: the selection on the cursor's line, clipped
// to it, or else the word at the cursor for a cursor within the line.
std::string Chosen(const fake::Editor& e, std::int32_t length) {
    const std::string line = e.text.substr(0, static_cast<std::size_t>(length < 0 ? 0 : length));
    const auto len = static_cast<std::int32_t>(line.size());
    if (e.blockType == 1 && e.blockStartLine == e.curLine && e.selStart >= 0 && e.selEnd >= 0) {
        const std::int32_t end = e.selEnd < len ? e.selEnd : len;
        return e.selStart < end ? line.substr(static_cast<std::size_t>(e.selStart),
                                              static_cast<std::size_t>(end - e.selStart))
                                : "";
    }
    if (e.curPos > len) return "";
    const reference::WordRange word = reference::WordAt(line, e.curPos);
    if (!word.found) return "";
    return line.substr(static_cast<std::size_t>(word.start), static_cast<std::size_t>(word.end - word.start));
}

// The user's own input, read plainly from the bytes of a record.
bool UsersInput(const InputRecord& r) {
    std::uint8_t b[sizeof r];
    std::memcpy(b, &r, sizeof r);
    auto u16 = [&](int at) { return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8); };
    auto u32 = [&](int at) { return u16(at) | u16(at + 2) << 16; };
    if (u16(0) == 1) {
        const std::uint32_t vk = u16(10);
        return u32(4) != 0 && (b[14] != 0 || !reference::IsModifierOrLockKey(static_cast<std::uint16_t>(vk)));
    }
    if (u16(0) == 2) return u32(8) != 0 || (u32(16) & 0x0C) != 0;
    return false;
}

// Whether every key pressed in `events` is released after it, and nothing is
// released that was not pressed: the host is never left with Shift or Ctrl
// held down.
bool PressesBalance(const std::vector<InputRecord>& events) {
    std::map<std::uint16_t, int> held;
    for (const InputRecord& r : events) {
        int& n = held[r.virtualKeyCode];
        n += r.keyDown != 0 ? 1 : -1;
        if (n < 0) return false;
    }
    for (const auto& key : held) {
        if (key.second != 0) return false;
    }
    return true;
}

// Bends a record towards what does not count: a release, a modifier or lock
// key, a mouse move, a focus event; the fuzzer's bytes pick which and keep
// the rest.
void Quieten(InputRecord& r, std::uint8_t how) {
    switch (how % 4) {
        case 0:
            r.eventType = os::kKeyEvent;
            r.keyDown = 0;
            break;
        case 1:
            r.eventType = os::kKeyEvent;
            r.virtualKeyCode =
                reference::kModifierAndLockKeys[(how / 4) % std::size(reference::kModifierAndLockKeys)];
            r.character = 0;
            break;
        case 2: {
            r.eventType = os::kMouseEvent;
            MouseEventFields m = MouseFields(r);
            m.buttonState = 0;
            m.eventFlags &= ~(os::kMouseWheeled | os::kMouseHWheeled);
            SetMouseFields(r, m);
            break;
        }
        default:
            r.eventType = 0x10;  // focus
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in{data, size};
    fake::Reset();
    const auto flags = in.Take<std::uint8_t>();
    InputRecord rec = in.Take<InputRecord>();
    if (flags & 0x01) {  // steer towards the accepted key half the time
        rec.eventType = os::kKeyEvent;
        rec.keyDown = -1;
        rec.virtualKeyCode = os::kVkF7;
        rec.controlKeyState &= ~(os::kShiftPressed | os::kLeftAltPressed | os::kRightAltPressed);
    }
    const auto queueByte = in.Take<std::uint8_t>();
    const int queued = queueByte % 8;
    for (int i = 0; i < queued; ++i) {
        InputRecord r = in.Take<InputRecord>();
        // Most queues are bent quiet, so that both sides of the rule are reached.
        if ((queueByte & 0x80) == 0 || i + 1 < queued) Quieten(r, in.Take<std::uint8_t>());
        fake::Console().events.push_back(r);
    }

    const auto textLen = in.Take<std::uint8_t>() % 48;
    std::string text;
    for (int i = 0; i < textLen; ++i) text += static_cast<char>(in.Take<std::uint8_t>());
    // A long line: the bytes above repeated to a length of up to 4,095, with
    // columns that reach it.
    const bool longLine = (flags & 0x40) != 0;
    if (longLine && !text.empty()) {
        const std::size_t target = in.Take<std::uint16_t>() % 4096;
        while (text.size() < target) text += text;
        text.resize(target);
    }
    auto column = [&in, longLine]() -> std::int32_t {
        return longLine ? in.Take<std::int16_t>() : in.Take<std::int8_t>();
    };
    fake::Editor& e = fake::ResetEditor(text, column());
    e.blockType = (flags & 0x02) ? 1 : in.Take<std::int8_t>();
    e.blockStartLine = (flags & 0x04) ? e.curLine : in.Take<std::int8_t>();
    e.selStart = column();
    e.selEnd = column();
    const auto faults = in.Take<std::uint8_t>();
    e.failState = (faults & 0x01) != 0;
    e.failLine = (faults & 0x02) != 0;
    e.nullText = (faults & 0x04) != 0;
    const auto textLength = static_cast<std::int32_t>(text.size());
    if (flags & 0x80) e.reportedLength = column();                     // any length, -1 included
    if (e.reportedLength && *e.reportedLength > textLength) return 0;  // a host that lies about its line
    const std::int32_t length = e.reportedLength.value_or(textLength);
    const auto mask = in.Take<std::uint8_t>();
    e.convert = [mask](std::uint8_t* t, std::int32_t n) {
        for (std::int32_t i = 0; i < n; ++i) t[i] = static_cast<std::uint8_t>(t[i] ^ mask);
    };
    // The line handed out is an exactly-sized copy of its reported part.
    std::vector<std::uint8_t> exact(text.begin(), text.begin() + (length < 0 ? 0 : length));
    std::unique_ptr<std::uint8_t[]> line(new std::uint8_t[exact.size()]);
    if (!exact.empty()) std::memcpy(line.get(), exact.data(), exact.size());
    e.placedText = line.get();
    g_editorCommand = (faults & 0x08) != 0 ? nullptr : fake::EditorEntry;
    // The heap request that cannot be had, if any: an accepted F7 asks for
    // the peek buffer (1), then the copy (2) and the batch (3) when there is
    // a range to type.
    const int failing = in.Take<std::uint8_t>() % 4;
    fake::TheHeap().failRequest = failing;

    const std::vector<InputRecord> before(fake::Console().events.begin(), fake::Console().events.end());
    bool pending = false;
    for (const InputRecord& r : before) pending = pending || UsersInput(r);
    const std::uint32_t m = rec.controlKeyState & 0xFF;
    const bool accepted = rec.eventType == os::kKeyEvent && rec.keyDown != 0 &&
                          rec.virtualKeyCode == os::kVkF7 &&
                          (m & (os::kShiftPressed | os::kLeftAltPressed | os::kRightAltPressed)) == 0;

    if (::ProcessEditorInput(&rec) != 0) std::abort();

    const std::vector<InputRecord> after(fake::Console().events.begin(), fake::Console().events.end());
    std::vector<InputRecord> want = before;
    // The peek buffer cannot be had: the plug-in stays out, as for the user's input.
    const bool stayedOut = pending || failing == 1;
    std::vector<std::string> converted;
    if (accepted && !stayedOut) {
        const bool answered = g_editorCommand != nullptr && !e.failState && !e.failLine && !e.nullText;
        const std::string range = answered ? Chosen(e, length).substr(0, 1023) : "";
        std::string typed;
        if (!range.empty() && failing != 2) converted.push_back(range);
        if (failing != 2 && failing != 3) {  // no memory for the copy or the batch: nothing typed
            for (char c : range) typed += static_cast<char>(static_cast<std::uint8_t>(c) ^ mask);
        }
        want = Concat(want, ActionRecords(typed, fake::ScanCode));
    }
    if (!(after == want)) std::abort();
    if (e.converted != converted) std::abort();
    if (fake::Console().writeCalls > 1) std::abort();
    for (sys::Dword n : fake::Console().writeLengths) {
        if (n > 2056) std::abort();
    }
    if (!PressesBalance(std::vector<InputRecord>(after.begin() + static_cast<std::ptrdiff_t>(before.size()),
                                                 after.end())))
        std::abort();
    if (stayedOut && (fake::Console().writeCalls != 0 || !e.commands.empty())) std::abort();
    if (!accepted && !e.commands.empty()) std::abort();
    if (!fake::TheHeap().live.empty()) std::abort();
    g_editorCommand = nullptr;
    return 0;
}
