#include "ChmBuilder.h"
#include "LittleEndian.h"
#include "help/ChmFile.h"
#include "help/ChmTables.h"
#include "help/SiteMap.h"
#include "help/TopicCatalog.h"
#include "platform/ProgramFolder.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray systemRecord(quint16 code, const QByteArray &text)
{
    QByteArray data = text + '\0';
    QByteArray record;
    record.append(char(code & 0xFF)).append(char(code >> 8));
    record.append(char(data.size() & 0xFF)).append(char(data.size() >> 8));
    return record + data;
}

QString ourHelpFile() { return programFile(QStringLiteral("help/Vocalino.chm")); }
} // namespace

TEST(ChmTables, SystemRecordsGiveFilesTitleAndWindowAndStopAtATruncatedRecord)
{
    QByteArray system = u32(3) + systemRecord(0, "/toc.hhc") + systemRecord(3, "My Title") +
                        systemRecord(5, "Main") + systemRecord(2, "start.htm");
    const ChmSystemInfo info = ChmTables::parseSystem(system);
    EXPECT_EQ(info.contentsFile, "toc.hhc");
    EXPECT_EQ(info.title, "My Title");
    EXPECT_EQ(info.defaultWindow, "Main");
    EXPECT_EQ(info.defaultTopic, "start.htm");

    QByteArray cut = u32(3) + systemRecord(3, "Kept");
    cut += systemRecord(1, "index.hhk").left(6); // length runs past the end
    const ChmSystemInfo partial = ChmTables::parseSystem(cut);
    EXPECT_EQ(partial.title, "Kept");
    EXPECT_TRUE(partial.indexFile.isEmpty());
}

TEST(ChmTables, StringsOutOfRangeOrUnterminatedAreSafe)
{
    const QByteArray strings("\0one\0two", 8);
    EXPECT_EQ(ChmTables::stringAt(strings, 1), "one");
    EXPECT_EQ(ChmTables::stringAt(strings, 5), "two"); // no terminator at the end
    EXPECT_TRUE(ChmTables::stringAt(strings, 8).isEmpty());
    EXPECT_TRUE(ChmTables::stringAt(strings, -1).isEmpty());
    EXPECT_TRUE(ChmTables::stringAt(strings, 0xFFFFFFFFll).isEmpty());
}

TEST(ChmTables, WindowsWithImpossibleSizesOrCountsGiveOnlyWholeEntries)
{
    QByteArray strings("\0Main\0Caption\0", 15);
    QByteArray entry(196, '\0');
    entry.replace(0x08, 4, u32(1));
    entry.replace(0x14, 4, u32(6));
    const QByteArray twoClaimedOneThere = u32(2) + u32(196) + entry;
    const QList<ChmWindowType> types = ChmTables::parseWindows(twoClaimedOneThere, strings);
    ASSERT_EQ(types.size(), 1);
    EXPECT_EQ(types[0].name, "Main");
    EXPECT_EQ(types[0].caption, "Caption");
    EXPECT_TRUE(types[0].position.isNull());
    EXPECT_TRUE(ChmTables::parseWindows(u32(1) + u32(4) + entry, strings).isEmpty());
    EXPECT_TRUE(ChmTables::parseWindows(u32(0xFFFFFFFF) + u32(0xFFFFFFFF), strings).isEmpty());
}

TEST(ChmTables, ContextMapIgnoresALengthLongerThanTheData)
{
    const QByteArray strings("\0/a/b.htm\0", 10);
    const QByteArray ivb = u32(1000) + u32(7) + u32(1) + u32(9); // second pair incomplete
    const QList<ChmContext> map = ChmTables::parseContextMap(ivb, strings);
    ASSERT_EQ(map.size(), 1);
    EXPECT_EQ(map[0].id, 7);
    EXPECT_EQ(map[0].topic, "/a/b.htm");
    EXPECT_TRUE(ChmTables::parseContextMap(QByteArray(3, '\1'), strings).isEmpty());
}

TEST(SiteMap, NestingNamesTopicsAndEntities)
{
    const QString html = QStringLiteral(
        "<ul><li><object type=\"text/sitemap\"><param name=\"Name\" value=\"Tom &amp; Jerry\">"
        "<param name=Local value='a.htm'></object>"
        "<UL><LI><OBJECT TYPE=\"TEXT/SITEMAP\"><PARAM NAME=\"name\" VALUE=\"Inner &#65;\">"
        "<PARAM NAME=\"Local\" VALUE=\"b.htm\"><PARAM NAME=\"Local\" VALUE=\"c.htm\"></OBJECT></UL>"
        "<!-- <object type=\"text/sitemap\"><param name=\"Name\" value=\"hidden\"></object> -->"
        "<li><object type=\"text/other\"><param name=\"Name\" value=\"not a sitemap\"></object></ul>");
    const QList<SiteMapEntry> entries = SiteMap::parse(html);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].name, "Tom & Jerry");
    EXPECT_EQ(entries[0].topics, QStringList{"a.htm"});
    EXPECT_EQ(entries[0].depth, 0);
    EXPECT_EQ(entries[1].name, "Inner A");
    EXPECT_EQ(entries[1].topics, (QStringList{"b.htm", "c.htm"}));
    EXPECT_EQ(entries[1].depth, 1);
}

TEST(SiteMap, BrokenMarkupNeverFails)
{
    EXPECT_TRUE(SiteMap::parse(QStringLiteral("<object type=\"text/sitemap\"><param name=\"Name\" value=\"x")).size() <= 1);
    EXPECT_TRUE(SiteMap::parse(QString(5000, QLatin1Char('<'))).isEmpty());
    EXPECT_TRUE(SiteMap::parse(QStringLiteral("</ul></ul></ul><!--")).isEmpty());
    EXPECT_EQ(SiteMap::decodeEntities(QStringLiteral("&#1114112;&#xD800;&bogus;&")), "&#1114112;&#xD800;&bogus;&");
    const QString deep = QString(QStringLiteral("<ul>")).repeated(500) +
                         QStringLiteral("<object type=\"text/sitemap\"><param name=\"Name\" value=\"d\"></object>");
    ASSERT_EQ(SiteMap::parse(deep).size(), 1);
    EXPECT_EQ(SiteMap::parse(deep)[0].depth, SiteMap::MaxDepth);
}

TEST(TopicCatalog, TitlesTextAndLinkNamesOfATopic)
{
    const QString html = QStringLiteral(
        "<html><head><title> A &amp; B </title><style>p{}</style></head><body><p>Hello <b>World</b></p>"
        "<script>secret()</script><param name=\"ALink Name\" value=\"one; two\"></body></html>");
    EXPECT_EQ(TopicCatalog::htmlTitle(html), "A & B");
    EXPECT_EQ(TopicCatalog::plainText(html), "Hello World");
    EXPECT_EQ(TopicCatalog::alinkNames(html), (QStringList{"one", "two"}));
    QList<SiteMapEntry> index{{QStringLiteral("Speed"), {QStringLiteral("v.htm")}, 0},
                              {QStringLiteral("speed"), {QStringLiteral("w.htm"), QStringLiteral("v.htm")}, 0}};
    EXPECT_EQ(TopicCatalog::keywordTopics(index, QStringLiteral("SPEED; nothing")),
              (QStringList{"v.htm", "w.htm"}));
}

TEST(ChmFile, OurHelpFileMapsContextOneToTheMainTopic)
{
    const auto file = ChmFile::open(ourHelpFile());
    ASSERT_TRUE(file) << ourHelpFile().toStdString();
    EXPECT_EQ(file->topicForContext(1), "main.htm");
    EXPECT_EQ(file->topicForContext(5), "recording.htm");
    EXPECT_TRUE(file->topicForContext(99).isEmpty());
    ASSERT_TRUE(file->windowType(QStringLiteral("main")));
    EXPECT_EQ(file->windowType(QStringLiteral("Main"))->caption, "Vocalino 5.0 Help");
    EXPECT_EQ(file->contentsFile(), "Vocalino.hhc");
    EXPECT_EQ(file->indexFile(), "Vocalino.hhk");
    EXPECT_EQ(file->title(), "Vocalino 5.0 Help");
    EXPECT_TRUE(file->contains(QStringLiteral("/PICTURES/Clown.png")));
    EXPECT_FALSE(QString::fromUtf8(file->read(QStringLiteral("#STRINGS")).value()).contains("/work/"));
}

TEST(ChmFile, StoredTopicsResolveByTheLongestTrailingPart)
{
    ChmBuilder builder;
    const auto file = ChmFile::open(ChmBuilder::fruitHelp(builder));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->resolveStoredTopic(QStringLiteral("/any/machine/path/sub/pear.htm")), "sub/pear.htm");
    EXPECT_EQ(file->resolveStoredTopic(QStringLiteral("C:\\build\\apple.htm")), "apple.htm");
    EXPECT_TRUE(file->resolveStoredTopic(QStringLiteral("/x/missing.htm")).isEmpty());
    EXPECT_EQ(file->topicForContext(20), "sub/pear.htm");
}

TEST(ChmFile, WhatIsNotACompiledHelpFileGivesAReason)
{
    QTemporaryDir dir;
    QFile fake(dir.filePath(QStringLiteral("fake.chm")));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("ITSF but not really a help file");
    fake.close();
    QString error;
    EXPECT_FALSE(ChmFile::open(fake.fileName(), &error));
    EXPECT_TRUE(error.contains("not a readable compiled help file"));
    EXPECT_FALSE(ChmFile::open(dir.filePath(QStringLiteral("none.chm")), &error));
    EXPECT_TRUE(error.contains("does not exist"));
    EXPECT_FALSE(ChmFile::open(dir.path(), &error));
}
