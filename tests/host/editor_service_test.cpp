#include "host/editor_service.h"

#include <gtest/gtest.h>

#include <string>

#include "support/byte_strings.h"
#include "support/fake_editor.h"

namespace tarnwick {
namespace {

class EditorService : public ::testing::Test {
protected:
    void SetUp() override { fake::ResetEditor(); }
    void TearDown() override { g_editorCommand = nullptr; }
};

TEST_F(EditorService, UnboundCallsNothingAndChangesNothing) {
    g_editorCommand = nullptr;
    ByteString s = Bytes("caf\xE9");
    ConvertToConsoleCodePage(s);
    EditorStateRecord state{};
    EditorLineRecord line{};
    EXPECT_FALSE(GetEditorState(state));
    EXPECT_FALSE(GetCursorLine(line));
    EXPECT_EQ(Text(s), "caf\xE9");
    EXPECT_TRUE(fake::TheEditor().commands.empty());
}

TEST_F(EditorService, ConversionGetsTheStringsOwnBufferAndExactLength) {
    g_editorCommand = fake::EditorEntry;
    fake::TheEditor().convert = [](std::uint8_t* text, std::int32_t length) {
        for (std::int32_t i = 0; i < length; ++i) text[i] = static_cast<std::uint8_t>(text[i] ^ 0x80);
    };
    ByteString s = Bytes(std::string("a\0\xE9", 3));
    ConvertToConsoleCodePage(s);

    ASSERT_EQ(fake::TheEditor().converted.size(), 1u);
    EXPECT_EQ(fake::TheEditor().convertBuffers[0], s.bytes.get());
    EXPECT_EQ(fake::TheEditor().converted[0], std::string("a\0\xE9", 3)) << "exact length, NUL inside";
    EXPECT_EQ(s.length, 3) << "the length is taken to be unchanged";
    EXPECT_EQ(Text(s), std::string("\xE1\x80\x69", 3)) << "the host's rewrite is what stays";
}

TEST_F(EditorService, TheLineIsAlwaysAskedForAsLineMinusOne) {
    g_editorCommand = fake::EditorEntry;
    fake::TheEditor().curLine = 42;
    EditorLineRecord line{};
    line.lineNumber = 42;
    EXPECT_TRUE(GetCursorLine(line));
    EXPECT_EQ(fake::TheEditor().lineNumbers, std::vector<std::int32_t>{-1});
    fake::TheEditor().failLine = true;
    EXPECT_FALSE(GetCursorLine(line));
}

}  // namespace
}  // namespace tarnwick
