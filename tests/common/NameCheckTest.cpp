#include "foundation/common/NameCheck.h"
#include "QtPrinters.h"
#include "ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace {

const QString CHARACTERS_MESSAGE = QStringLiteral("Names cannot contain any of the following\ncharacters:  "
                                                  "\\ / : * ? \" < > | '\nPlease enter a new name.");
const QString SPACES_MESSAGE = QStringLiteral("Names cannot have only spaces.\nPlease enter a new name.");

struct NameCase {
    const char* name;
    QString given;
    QString cleaned;
    QString message; // empty: a good name, no prompt
};

class IsInvalidNameCases : public ::testing::TestWithParam<NameCase> {};

} // namespace

TEST_P(IsInvalidNameCases, CleansInPlaceAndShowsItsOwnMessage)
{
    const NameCase& c = GetParam();
    ScriptedPromptService prompts;
    if (!c.message.isEmpty())
        prompts.expect(IDOK);
    QString name = c.given;
    EXPECT_EQ(IsInvalidName(name), !c.message.isEmpty());
    EXPECT_EQ(name, c.cleaned);
    EXPECT_EQ(prompts.texts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
}

INSTANTIATE_TEST_SUITE_P(Names, IsInvalidNameCases,
                         ::testing::Values(NameCase{"Good", "Reactor 1", "Reactor 1", ""},
                                           NameCase{"GoodWithInnerSpacesAndDots", " Step v2.1 ",
                                                    " Step v2.1 ", ""},
                                           NameCase{"EveryForbiddenCharacter", "a\\b/c:d*e?f\"g<h>i|j'k",
                                                    "abcdefghijk", CHARACTERS_MESSAGE},
                                           NameCase{"OnlyForbiddenCharacters", "::", "", CHARACTERS_MESSAGE},
                                           NameCase{"OnlySpaces", "   ", "   ", SPACES_MESSAGE},
                                           NameCase{"Empty", "", "", SPACES_MESSAGE},
                                           NameCase{"Tabs", "\t \t", "\t \t", SPACES_MESSAGE}),
                         [](const auto& info) { return std::string(info.param.name); });
