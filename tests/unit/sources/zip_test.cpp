#include "sources/faa/zip.h"

#include "demoworld.h"
#include "fakecaches.h"
#include "qtprinters.h"

#include <QFile>

#include <gtest/gtest.h>

#include <thread>

namespace {

using demo::makeZip;
using demo::ZipEntry;

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

TEST_F(ZipTest, TheWantedFileAtTheRootIsReadAndRemovedWithTheArchive)
{
    const auto text = decompress(makeZip({{"faa.html", "<html>TFR list 🚀</html>"}}));
    EXPECT_EQ(text, QString::fromUtf8("<html>TFR list 🚀</html>"));
    EXPECT_TRUE(caches.entries().isEmpty());
}

TEST_F(ZipTest, OtherEntriesStayAndAccumulateReplacedByName)
{
    decompress(makeZip({{"faa.html", "a"}, {"notes.txt", "one"}}));
    decompress(makeZip({{"faa.html", "b"}, {"notes.txt", "two"}, {"data/more.txt", "x"}}));
    EXPECT_EQ(caches.entries(), (QStringList {"data/", "notes.txt"}));
    QFile notes(caches.path() + "/notes.txt");
    ASSERT_TRUE(notes.open(QIODevice::ReadOnly));
    EXPECT_EQ(notes.readAll(), "two");
}

TEST_F(ZipTest, TheWantedFileInsideAFolderIsNotFound)
{
    EXPECT_FALSE(decompress(makeZip({{"site/faa.html", "x"}})));
    EXPECT_TRUE(exists("site/faa.html"));
    EXPECT_FALSE(exists("faa.html.zip"));
}

TEST_F(ZipTest, AMissingWantedFileOrBytesThatAreNoArchiveYieldNothingAndLeaveNoArchive)
{
    EXPECT_FALSE(decompress(makeZip({{"other.html", "x"}})));
    EXPECT_FALSE(decompress("<html>502 Bad Gateway</html>"));
    EXPECT_FALSE(decompress(QByteArray()));
    EXPECT_EQ(caches.entries(), QStringList {"other.html"});
}

TEST_F(ZipTest, AWantedFileThatIsNotUtf8StaysAndALaterGoodArchiveStillWorks)
{
    EXPECT_FALSE(decompress(makeZip({{"faa.html", "\xff\xfe bad"}})));
    EXPECT_TRUE(exists("faa.html"));
    EXPECT_EQ(decompress(makeZip({{"faa.html", "good"}})), QString("good"));
}

TEST_F(ZipTest, ALeftOverArchiveFileIsReplacedNotAppendedTo)
{
    ASSERT_TRUE(caches.directory());
    QFile leftOver(caches.path() + "/faa.html.zip");
    ASSERT_TRUE(leftOver.open(QIODevice::WriteOnly));
    leftOver.write(QByteArray(100'000, 'z'));
    leftOver.close();
    EXPECT_EQ(decompress(makeZip({{"faa.html", "fresh"}})), QString("fresh"));
}

TEST_F(ZipTest, EntriesThatWouldLeaveTheWorkingDirectoryAreNeverWritten)
{
    const auto text = decompress(makeZip({{"../escape.html", "out"},
                                          {"/tmp/plumetrack-absolute.html", "out"},
                                          {"a/../../escape2.html", "out"},
                                          {"link", "/etc", true},
                                          {"faa.html", "list"}}));
    EXPECT_EQ(text, QString("list"));
    EXPECT_FALSE(QFile::exists(caches.path() + "/../escape.html"));
    EXPECT_FALSE(QFile::exists(caches.path() + "/../escape2.html"));
    EXPECT_FALSE(QFile::exists("/tmp/plumetrack-absolute.html"));
    EXPECT_TRUE(caches.entries().isEmpty()) << caches.entries().join(",").toStdString();
}

TEST_F(ZipTest, AWantedFileThatIsASymbolicLinkIsNotFollowed)
{
    EXPECT_FALSE(decompress(makeZip({{"faa.html", "/etc/passwd", true}})));
}

TEST_F(ZipTest, AnArchiveOverTheCapsUnpacksNothing)
{
    // Zeros compress well: 65 MiB unpacked from a small archive.
    EXPECT_FALSE(decompress(
        makeZip({{"faa.html", "list"}, {"big.bin", QByteArray(65 * 1024 * 1024, '\0')}})));
    std::vector<ZipEntry> many {{"faa.html", "list"}};
    for (int i = 0; i < 1000; ++i)
        many.push_back({QString("f%1").arg(i), "x"});
    EXPECT_FALSE(decompress(makeZip(many)));
    EXPECT_TRUE(caches.entries().isEmpty());
}

TEST_F(ZipTest, NoCacheDirectoryYieldsNothing)
{
    caches.setAvailable(false);
    EXPECT_FALSE(decompress(makeZip({{"faa.html", "list"}})));
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
