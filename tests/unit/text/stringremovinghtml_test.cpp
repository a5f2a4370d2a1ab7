#include "text/stringutils.h"

#include "testing.h"

namespace {

// What the tag stripper leaves of a text, one pair a quirk: references stay, an unclosed tag drops
// the rest, and a "<" or ">" joined to a combining or spacing mark is no tag marker.
TEST(StringRemovingHTML, Quirks)
{
    const std::pair<const char *, const char *> cases[] = {
        {"a<b>c</b>d", "acd"},
        {"<td class=x>Closed</td>", "Closed"},
        {"x > y", "x > y"},
        {"x < y", "x "},
        {"<<a>>", ">"},
        {"&lt;b&gt; &amp; more", "&lt;b&gt; &amp; more"},
        {"<!-- a > b -->text", " b -->text"},
        {"  <b>Open</b>  ", "  Open  "},
        {"", ""},
        {"Primary Date: Monday", "Primary Date: Monday"},
        {"a<\u0338b>c", "a<\u0338b>c"},
        {"<b>\u0338c>d", "d"},
        {"<\u0903b>c", "<\u0903b>c"},
        {"a<\u0E33b>c", "a<\u0E33b>c"},
        {"<td>🚗 Road — é</td>", "🚗 Road — é"},
        {"<p>a\r\n<b>b</b>\tc", "a\r\nb\tc"},
    };
    for (const auto &[text, left] : cases)
        EXPECT_EQ(stringRemovingHTML(QString::fromUtf8(text)), QString::fromUtf8(left)) << text;
}

} // namespace
