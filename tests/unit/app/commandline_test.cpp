#include "app/commandline.h"

#include "testing.h"

namespace {

TEST(CommandLine, ModesAndOptions)
{
    EXPECT_EQ(CommandLine::parse({}).mode, CommandLine::Mode::Tray);
    EXPECT_EQ(CommandLine::parse({"--help"}).mode, CommandLine::Mode::Help);
    EXPECT_EQ(CommandLine::parse({"--once", "--version"}).mode, CommandLine::Mode::Version);
    const CommandLine once = CommandLine::parse({"--json", "--timeout", "2.5", "--once"});
    EXPECT_EQ(once.mode, CommandLine::Mode::Once);
    EXPECT_EQ(once.format, CommandLine::Format::json);
    EXPECT_EQ(once.timeoutSeconds, 2.5);
    EXPECT_EQ(CommandLine::parse({"--once"}).timeoutSeconds, 90);
    EXPECT_TRUE(CommandLine::parse({"--verbose"}).verbose);
    EXPECT_EQ(CommandLine::parse({"--verbose", "--once"}).mode, CommandLine::Mode::Once);
    EXPECT_EQ(CommandLine::parse({"--once", "--format", "i3blocks"}).format,
              CommandLine::Format::i3blocks);
    for (const char *bad : {"--frobnicate", "--once --timeout", "--once --timeout 0",
                            "--once --timeout soon", "--json", "--once --format polybar"}) {
        const CommandLine line = CommandLine::parse(QString(bad).split(' '));
        EXPECT_EQ(line.mode, CommandLine::Mode::Invalid) << bad;
        EXPECT_FALSE(line.problem.isEmpty());
    }
    EXPECT_TRUE(CommandLine::version(7).endsWith(" (build 7)"));
}

} // namespace
