// ProcessEditorInput driven by arbitrary input records, editor states, line
// texts, selections, command results, conversions and queue contents, on the
// in-memory console. The host's line lives in an allocation of exactly its
// reported length, so a read past it is caught.
//
// Invariants: the result is 0; whenever the queue holds the user's own input
// (a key press with a character, a press of any key but a modifier or lock
// key, a mouse button or wheel) nothing at all is written; otherwise an
// accepted F7 appends exactly the chosen range's bytes from 0x20 up (after
// conversion), Ctrl+K when any byte was typed, and then the six selection
// keys, and any other event appends nothing. An action makes at most one
// write, and every key it presses it releases, Shift and Ctrl included.
#include <algorithm>
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
#include "support/fake_editor.h"
#include "support/fake_sys.h"
#include "support/key_records.h"

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

// The rules for what is chosen, read plainly.
bool Word(std::uint8_t c) {
    return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') || c == '_' || c >= 0x80;
}

std::string Chosen(const fake::Editor& e, std::int32_t length) {
    const std::string line = e.text.substr(0, static_cast<std::size_t>(length < 0 ? 0 : length));
    const auto len = static_cast<std::int32_t>(line.size());
    auto at = [&](std::int32_t i) { return static_cast<std::uint8_t>(line[static_cast<std::size_t>(i)]); };
    if (e.blockType == 1 && e.blockStartLine == e.curLine && e.selStart >= 0 && e.selEnd >= 0) {
        const std::int32_t end = e.selEnd < len ? e.selEnd : len;
        return e.selStart < end ? line.substr(static_cast<std::size_t>(e.selStart),
                                              static_cast<std::size_t>(end - e.selStart))
                                : "";
    }
    if (e.curPos > len || len == 0) return "";
    std::int32_t a = -1;
    if (e.curPos == len) {
        if (Word(at(len - 1))) a = len - 1;
    } else if (e.curPos >= 0 && Word(at(e.curPos))) {
        a = e.curPos;
    } else if (e.curPos >= 1 && Word(at(e.curPos - 1))) {
        a = e.curPos - 1;
    }
    if (a < 0) return "";
    std::int32_t s = a, t = a + 1;
    while (s > 0 && Word(at(s - 1))) --s;
    while (t < len && Word(at(t))) ++t;
    return line.substr(static_cast<std::size_t>(s), static_cast<std::size_t>(t - s));
}

// The modifier and lock keys: pressed alone, they are not the user's input.
const std::uint32_t kQuietKeys[] = {0x10, 0x11, 0x12, 0x14, 0x5B, 0x5C, 0x90,
                                    0x91, 0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5};

// The user's own input, read plainly from the bytes of a record.
bool UsersInput(const InputRecord& r) {
    std::uint8_t b[sizeof r];
    std::memcpy(b, &r, sizeof r);
    auto u16 = [&](int at) { return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8); };
    auto u32 = [&](int at) { return u16(at) | u16(at + 2) << 16; };
    if (u16(0) == 1) {
        const std::uint32_t vk = u16(10);
        const bool modifier =
            std::find(std::begin(kQuietKeys), std::end(kQuietKeys), vk) != std::end(kQuietKeys);
        return u32(4) != 0 && (b[14] != 0 || !modifier);
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
            r.eventType = kKeyEvent;
            r.keyDown = 0;
            break;
        case 1:
            r.eventType = kKeyEvent;
            r.virtualKeyCode = static_cast<std::uint16_t>(kQuietKeys[(how / 4) % std::size(kQuietKeys)]);
            r.character = 0;
            break;
        case 2: {
            r.eventType = kMouseEvent;
            MouseEventFields m = MouseFields(r);
            m.buttonState = 0;
            m.eventFlags &= ~(kMouseWheeled | kMouseHWheeled);
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
        rec.eventType = kKeyEvent;
        rec.keyDown = -1;
        rec.virtualKeyCode = kVkF7;
        rec.controlKeyState &= ~(kShift | kLeftAlt | kRightAlt);
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
    fake::Editor& e = fake::ResetEditor(text, in.Take<std::int8_t>());
    e.blockType = (flags & 0x02) ? 1 : in.Take<std::int8_t>();
    e.blockStartLine = (flags & 0x04) ? e.curLine : in.Take<std::int8_t>();
    e.selStart = in.Take<std::int8_t>();
    e.selEnd = in.Take<std::int8_t>();
    const auto faults = in.Take<std::uint8_t>();
    e.failState = (faults & 0x01) != 0;
    e.failLine = (faults & 0x02) != 0;
    e.nullText = (faults & 0x04) != 0;
    const std::int32_t reported = (flags & 0x80) ? in.Take<std::int8_t>() : -1;
    e.reportedLength = reported;
    const std::int32_t length = reported != -1 ? (reported < static_cast<std::int32_t>(text.size())
                                                      ? reported
                                                      : static_cast<std::int32_t>(text.size()))
                                               : static_cast<std::int32_t>(text.size());
    if (reported != -1 && reported > static_cast<std::int32_t>(text.size()))
        return 0;  // a host that lies about its line
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

    const std::vector<InputRecord> before(fake::Console().events.begin(), fake::Console().events.end());
    bool pending = false;
    for (const InputRecord& r : before) pending = pending || UsersInput(r);
    const std::uint32_t m = rec.controlKeyState & 0xFF;
    const bool accepted = rec.eventType == kKeyEvent && rec.keyDown != 0 && rec.virtualKeyCode == kVkF7 &&
                          (m & (kShift | kLeftAlt | kRightAlt)) == 0;

    if (::ProcessEditorInput(&rec) != 0) std::abort();

    const std::vector<InputRecord> after(fake::Console().events.begin(), fake::Console().events.end());
    std::vector<InputRecord> want = before;
    if (accepted && !pending) {
        std::string typed;
        const bool answered = g_editorCommand != nullptr && !e.failState && !e.failLine && !e.nullText;
        if (answered) {
            for (char c : Chosen(e, length)) typed += static_cast<char>(static_cast<std::uint8_t>(c) ^ mask);
        }
        want = Concat(want, ActionRecords(typed, fake::ScanCode));
    }
    if (!(after == want)) std::abort();
    if (fake::Console().writeCalls > 1) std::abort();
    if (!PressesBalance(std::vector<InputRecord>(after.begin() + static_cast<std::ptrdiff_t>(before.size()),
                                                 after.end())))
        std::abort();
    if (pending && (fake::Console().writeCalls != 0 || !e.commands.empty())) std::abort();
    if (!accepted && !e.commands.empty()) std::abort();
    g_editorCommand = nullptr;
    return 0;
}
