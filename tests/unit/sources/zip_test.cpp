#include "sources/faa/zip.h"

#include "demoworld.h"
#include "fakes.h"
#include "testing.h"

namespace {

using demo::makeZip;

class ZipTest : public ::testing::Test
{
protected:
    std::optional<QString> decompress(const QByteArray &archive)
    {
        return Zip::decompress("faa.html", archive, caches);
    }
    bool exists(const QString &name) const { return QFile::exists(caches.path() + "/" + name); }

    FakeCaches caches;
};

// The wanted file at the root is read and removed with the archive; other entries stay, replaced
// by name; a left-over archive file is replaced, not appended to.
TEST_F(ZipTest, TheWantedFileIsReadAndOtherEntriesStay)
{
    QFile leftOver(caches.path() + "/faa.html.zip");
    ASSERT_TRUE(caches.directory() && leftOver.open(QIODevice::WriteOnly));
    leftOver.write(QByteArray(100'000, 'z'));
    leftOver.close();
    EXPECT_EQ(decompress(makeZip({{"faa.html", "<html>TFR list 🚀</html>"}, {"notes.txt", "1"}})),
              QString::fromUtf8("<html>TFR list 🚀</html>"));
    decompress(makeZip({{"faa.html", "b"}, {"notes.txt", "two"}, {"data/more.txt", "x"}}));
    EXPECT_EQ(caches.entries(), (QStringList {"data/", "notes.txt"}));
    EXPECT_EQ(readFile(caches.path() + "/notes.txt"), "two");
}

// Nothing is read from an archive without the file at its root, from bytes that are no archive,
// from a file that is no UTF-8 (which stays; a later good archive still works), or without a
// cache directory.
TEST_F(ZipTest, WhatYieldsNothing)
{
    EXPECT_FALSE(decompress(makeZip({{"site/faa.html", "x"}})));
    EXPECT_TRUE(exists("site/faa.html"));
    EXPECT_FALSE(decompress(makeZip({{"other.html", "x"}})));
    EXPECT_FALSE(decompress("<html>502 Bad Gateway</html>"));
    EXPECT_FALSE(decompress(QByteArray()));
    EXPECT_FALSE(exists("faa.html.zip"));
    EXPECT_FALSE(decompress(makeZip({{"faa.html", "\xff\xfe bad"}})));
    EXPECT_TRUE(exists("faa.html"));
    EXPECT_EQ(decompress(makeZip({{"faa.html", "good"}})), QString("good"));
    caches.setAvailable(false);
    EXPECT_FALSE(decompress(makeZip({{"faa.html", "list"}})));
}

// Entries that would leave the working directory or are links are never written or followed; an
// archive over the caps (65 MiB of zeros, or 1001 entries) unpacks nothing.
TEST_F(ZipTest, HostileArchives)
{
    EXPECT_EQ(decompress(makeZip({{"../escape.html", "out"},
                                  {"/tmp/plumetrack-absolute.html", "out"},
                                  {"a/../../escape2.html", "out"},
                                  {"link", "/etc", true},
                                  {"faa.html", "list"}})),
              QString("list"));
    EXPECT_FALSE(exists("../escape.html") || exists("../escape2.html"));
    EXPECT_FALSE(QFile::exists("/tmp/plumetrack-absolute.html"));
    EXPECT_TRUE(caches.entries().isEmpty()) << caches.entries().join(",");
    EXPECT_FALSE(decompress(makeZip({{"faa.html", "/etc/passwd", true}})));
    EXPECT_FALSE(decompress(
        makeZip({{"faa.html", "list"}, {"big.bin", QByteArray(65 * 1024 * 1024, '\0')}})));
    std::vector<demo::ZipEntry> many {{"faa.html", "list"}};
    for (int i = 0; i < 1000; ++i)
        many.push_back({QString("f%1").arg(i), "x"});
    EXPECT_FALSE(decompress(makeZip(many)));
    EXPECT_TRUE(caches.entries().isEmpty());
}

TEST_F(ZipTest, CallsAtTheSameTimeEachGetTheirOwnFile)
{
    std::vector<std::thread> threads;
    std::vector<std::optional<QString>> results(8);
    for (int i = 0; i < 8; ++i) {
        threads.emplace_back([&, i] {
            results[size_t(i)] = decompress(makeZip({{"faa.html", QByteArray::number(i)}}));
        });
    }
    for (auto &t : threads)
        t.join();
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(results[size_t(i)], QString::number(i));
}

} // namespace
