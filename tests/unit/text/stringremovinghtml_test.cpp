#include "text/stringutils.h"

#include "testing.h"

namespace {

struct Case
{
    const char *name;
    QString input;
    QString expected;
};

class StringRemovingHTML : public ::testing::TestWithParam<Case>
{
};

TEST_P(StringRemovingHTML, Strips)
{
    EXPECT_EQ(stringRemovingHTML(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Quirks, StringRemovingHTML,
    ::testing::Values(
        Case {"NestedTagsInText", "a<b>c</b>d", "acd"},
        Case {"CellWithAttributes", "<td class=x>Closed</td>", "Closed"},
        Case {"CloseOutsideATagIsText", "x > y", "x > y"},
        Case {"UnclosedTagDropsTheRest", "x < y", "x "},
        Case {"SecondOpenInsideATagIsSwallowed", "<<a>>", ">"},
        Case {"ReferencesAreNotDecoded", "&lt;b&gt; &amp; more", "&lt;b&gt; &amp; more"},
        Case {"CommentEndsAtItsFirstClose", "<!-- a > b -->text", " b -->text"},
        Case {"SpacesAroundTagsStay", "  <b>Open</b>  ", "  Open  "}, Case {"Empty", "", ""},
        Case {"NoTagUnchanged", "Primary Date: Monday", "Primary Date: Monday"},
        Case {"OpenJoinedToCombiningMarkIsText", QString::fromUtf8("a<\u0338b>c"),
              QString::fromUtf8("a<\u0338b>c")},
        Case {"CloseJoinedToCombiningMarkDoesNotEndATag", QString::fromUtf8("<b>\u0338c>d"), "d"},
        Case {"OpenJoinedToASpacingMarkIsText", QString::fromUtf8("<\u0903b>c"),
              QString::fromUtf8("<\u0903b>c")},
        Case {"OpenJoinedToASpacingMarkAfterLatinIsText", QString::fromUtf8("a<\u0E33b>c"),
              QString::fromUtf8("a<\u0E33b>c")},
        Case {"NonAsciiTextKeepsItsCharacters", QString::fromUtf8("<td>🚗 Road — é</td>"),
              QString::fromUtf8("🚗 Road — é")},
        Case {"LineBreaksStay", "<p>a\r\n<b>b</b>\tc", "a\r\nb\tc"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
