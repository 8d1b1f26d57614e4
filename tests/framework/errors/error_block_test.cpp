#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "framework/errors/default_errors.h"
#include "framework/errors/error_block.h"
#include "support/scripted_interaction.h"

namespace {

using namespace framework;

TEST(ErrorBlock, DefaultBlockRoundTripsToItsTable) {
    std::optional<std::vector<ErrorEntry>> entries = readErrorBlock(DefaultErrors);
    ASSERT_TRUE(entries.has_value());
    std::span<const ErrorDefinition> table = defaultErrorTable();
    ASSERT_EQ(entries->size(), 39u);
    ASSERT_EQ(entries->size(), table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ((*entries)[i], (ErrorEntry{table[i].Id, std::string(table[i].Message),
                                             std::string(table[i].Title), table[i].Fatality}))
            << "entry " << i;
    }
    std::vector<uint8_t> packedAtRunTime = packErrors(table);
    EXPECT_TRUE(std::equal(packedAtRunTime.begin(), packedAtRunTime.end(), DefaultErrors.begin(),
                           DefaultErrors.end()));
}

TEST(ErrorBlock, ReadsHandmadeBytesLittleEndian) {
    const std::vector<uint8_t> bytes{2,    0,                                                // count
                                     9,    0,    1, 2, 'H', 'i', 5, 'S', 'u', 'r', 'e', '?', // entry 1
                                     0x02, 0x01, 7, 0, 0};                                   // entry 2
    std::optional<std::vector<ErrorEntry>> entries = readErrorBlock(bytes);
    ASSERT_TRUE(entries.has_value());
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[0], (ErrorEntry{9, "Sure?", "Hi", 1}));
    EXPECT_EQ((*entries)[1], (ErrorEntry{0x0102, "", "", 7}));
    EXPECT_EQ(packErrors(std::vector<ErrorDefinition>{{9, 1, "Hi", "Sure?"}, {0x0102, 7, "", ""}}), bytes);
}

TEST(ErrorBlock, BlocksWhoseCountDoesNotMatchAreRefused) {
    const std::vector<std::vector<uint8_t>> bad{
        {},                           // no count
        {1},                          // half a count
        {1, 0},                       // entry missing
        {1, 0, 9, 0, 1, 5, 'H', 'i'}, // title runs past the end
        {1, 0, 9, 0, 1, 0},           // message length missing
        {1, 0, 9, 0, 1, 0, 0, 'x'},   // a byte after the last entry
        {0xFF, 0xFF, 9, 0, 1, 0, 0},  // count far larger than the contents
    };
    for (const auto& block : bad) {
        EXPECT_FALSE(readErrorBlock(block).has_value()) << "block of " << block.size() << " bytes";
    }
    EXPECT_EQ(readErrorBlock(std::vector<uint8_t>{0, 0}), std::vector<ErrorEntry>{});
}

TEST(ErrorBlock, TextTooLongForItsLengthByteIsAProgrammingError) {
    testing_support::ScriptedInteraction scripted;
    runtime::ScopedInteraction use(scripted);
    const std::string longest(255, 't');
    const std::string tooLong(256, 't');
    EXPECT_EQ(packErrors(std::vector<ErrorDefinition>{{1, 5, longest, longest}}).size(),
              2u + 4 + 255 + 1 + 255);
    EXPECT_THROW(packErrors(std::vector<ErrorDefinition>{{1, 5, "Title", tooLong}}),
                 testing_support::AssertionFailure);
}

} // namespace
