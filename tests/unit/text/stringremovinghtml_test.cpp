#include "text/stringutils.h"

#include "testing.h"

namespace {

// What the tag stripper leaves of a text, one pair a quirk: references stay, an unclosed tag drops
// the rest, and a "<" or ">" joined to a combining or spacing mark is no tag marker.
TEST(StringRemovingHTML, Quirks)
{
    for (const QString &row : cases("tag-stripper"))
        EXPECT_EQ(stringRemovingHTML(row.section(" ~ ", 0, 0)), row.section(" ~ ", 1)) << row;
}

} // namespace
