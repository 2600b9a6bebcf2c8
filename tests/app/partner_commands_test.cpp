// The entry line after a call is typed in the partner window.
#include "app/partner_commands.h"

#include <gtest/gtest.h>

namespace vexa::app {
namespace {

TEST(PartnerCommands, ACallTypedThereReplacesTheCallWordInTheEntryLine)
{
    struct Case {
        const char* entry;
        const char* oldCall;
        const char* newCall;
        const char* expected;
    };
    const Case cases[] = {
        {"JA1XYZ hello 599", "JA1XYZ", "JA1XYW", "JA1XYW hello 599"},
        {"W1 worked W1AW and W1", "W1", "K1", "K1 worked W1AW and K1"},  // whole words only
        {"JA1XYZ hello", "JA1XYZ", "", "hello"},                         // deleted with its space
        {"hello", "", "D", "D hello"},  // no call in the line: the text stays behind the new one
        {"  ", "", "D", "D"},
        {"hello", "", "", "hello"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(RewriteEntryCall(c.entry, c.oldCall, c.newCall), c.expected);
    }
}

}  // namespace
}  // namespace vexa::app
