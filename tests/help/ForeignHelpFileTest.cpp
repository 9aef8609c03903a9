// Help files made elsewhere: texts in the code page of their language or in the
// charset a page names, HTML entities, binary contents and index, names that are
// not UTF-8, and searching in any script.
#include "ChmBuilder.h"
#include "LittleEndian.h"
#include "help/BinaryTables.h"
#include "help/ChmFile.h"
#include "help/HelpBrowser.h"
#include "help/HelpSystem.h"
#include "help/HelpText.h"
#include "help/HelpViewer.h"
#include "help/SiteMap.h"
#include "help/TopicCatalog.h"
#include "help/WindowHandles.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QStringEncoder>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
QByteArray encoded(const char *codec, const QString &text)
{
    QStringEncoder encoder(codec);
    return encoder.encode(text);
}
QByteArray cp1252(const QString &text)
{
    return encoded("windows-1252", text);
}

QByteArray sitemap(const QByteArray &items)
{
    return "<HTML><BODY><UL>" + items + "</UL></BODY></HTML>";
}
QByteArray item(const QByteArray &name, const QByteArray &local)
{
    return "<LI> <OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" + name +
           "\"><param name=\"Local\" value=\"" + local + "\"></OBJECT>\n";
}

// A German help file written in Windows-1252 throughout, with no charset named anywhere.
QString germanHelp(ChmBuilder &builder, bool binaryTables)
{
    const QByteArray menu = cp1252(QStringLiteral("ménu.htm"));
    builder.add(QStringLiteral("a.htm"),
                cp1252(QStringLiteral("<html><head><title>Café crème &amp; &eacute;clair</title></head><body>"
                                      "<p>Grüße aus Köln, &uuml;ber alles. Preis 5 €.</p>"
                                      "<a href=\"ménu.htm\">Menü</a></body></html>")));
    builder.addRaw(menu, cp1252(QStringLiteral(
                             "<html><head><title>Menü</title></head><body>Speisekarte</body></html>")));
    builder.add(QStringLiteral("nav.hhc"), sitemap(item("Caf&eacute; &amp; Kuchen", "a.htm") + "<UL>" +
                                                   item(cp1252(QStringLiteral("Menü")), menu) + "</UL>"));
    builder.add(QStringLiteral("nav.hhk"),
                sitemap(item("&Uuml;bersicht", "a.htm") + item("Stra&szlig;e", "a.htm") + "<UL>" +
                        item("Ecke", menu) + "</UL>"));
    const QByteArray binary =
        binaryTables ? "Binary TOC=Yes\nBinary Index=Yes\n" : "Binary TOC=No\nBinary Index=No\n";
    return builder.compileBytes("Contents file=nav.hhc\nIndex file=nav.hhk\nDefault topic=a.htm\nTitle=" +
                                cp1252(QStringLiteral("Küche")) + "\nLanguage=0x407 German\n" + binary);
}

// The same file without its .hhc and .hhk, as files made by other compilers come: the
// directory entry of each page (its first appearance, the directory comes first) and its
// name in #SYSTEM are renamed in place to two different names of the same length, so
// nothing else moves and neither names the other: only #TOCIDX and $WWKeywordLinks remain.
QString withoutSiteMapPages(const QString &chm)
{
    QFile file(chm);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    file.close();
    for (const char *page : {"nav.hhc", "nav.hhk"}) {
        QByteArray renamed = page;
        char last = 'x';
        for (qsizetype at = bytes.indexOf(page); at >= 0; at = bytes.indexOf(page, at + 1)) {
            renamed[6] = last;
            last = 'y';
            bytes.replace(at, renamed.size(), renamed);
        }
    }
    const QString patched = chm + QStringLiteral(".bare.chm");
    QFile out(patched);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return {};
    return patched;
}

QString names(const QList<SiteMapEntry> &entries)
{
    QStringList out;
    for (const SiteMapEntry &entry : entries)
        out.append(QString::number(entry.depth) + QLatin1Char(':') + entry.name + QLatin1Char('>') +
                   entry.topics.join(QLatin1Char(',')));
    return out.join(QLatin1Char('|'));
}

class ForeignHelpFileTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        HtmlHelp(0, QString(), HH::CLOSE_ALL, std::monostate{});
        QApplication::processEvents();
    }
    ScriptedMessageBoxes boxes;
};
} // namespace

TEST_F(ForeignHelpFileTest, WindowsCodePageTextsEntitiesAndNamesThatAreNotUtf8)
{
    ChmBuilder builder;
    const auto file = ChmFile::open(germanHelp(builder, false));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->codepage(), 1252);
    EXPECT_EQ(file->title(), "Küche");
    ASSERT_TRUE(file->files().contains("ménu.htm"));
    EXPECT_TRUE(file->read(QStringLiteral("MÉNU.HTM")));
    EXPECT_EQ(names(file->contents()), "0:Café & Kuchen>a.htm|1:Menü>ménu.htm");
    EXPECT_EQ(names(file->keywordIndex()), "0:Übersicht>a.htm|0:Straße>a.htm|1:Ecke>ménu.htm");

    TopicCatalog catalog(*file);
    EXPECT_EQ(catalog.titleOf(QStringLiteral("a.htm")), "Café crème & éclair");
    EXPECT_EQ(catalog.titleOf(QStringLiteral("ménu.htm")), "Menü");
    EXPECT_EQ(catalog.search(QStringLiteral("GRÜSSE"), false),
              QStringList{}); // ß is not ss when folding simply
    EXPECT_EQ(catalog.search(QStringLiteral("Grüße KÖLN über"), false), QStringList{"a.htm"});
    EXPECT_EQ(catalog.search(QStringLiteral("menü"), true), QStringList{"ménu.htm"});

    const qint32 handle = HtmlHelp(0, file->path(), HH::DISPLAY_TOPIC, QStringLiteral("a.htm"));
    auto *viewer = qobject_cast<HelpViewer *>(WindowHandles::widgetOf(handle));
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->windowTitle(), "Küche");
    const QString shown = viewer->browser()->toPlainText();
    EXPECT_TRUE(shown.contains("Grüße aus Köln, über alles. Preis 5 €.")) << shown.toStdString();
    EXPECT_FALSE(shown.contains(QChar::ReplacementCharacter));
    EXPECT_EQ(viewer->contentsTree()->topLevelItem(0)->text(0), "Café & Kuchen");
    EXPECT_EQ(viewer->contentsTree()->topLevelItem(0)->child(0)->text(0), "Menü");
    emit viewer->browser()->anchorClicked(
        viewer->browser()->source().resolved(QUrl(QStringLiteral("ménu.htm"))));
    EXPECT_EQ(viewer->currentTopic(), "ménu.htm");
    EXPECT_TRUE(viewer->browser()->toPlainText().contains("Speisekarte"));
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(ForeignHelpFileTest, BinaryContentsAndIndexStandInForMissingPages)
{
    ChmBuilder builder;
    const auto withPages = ChmFile::open(germanHelp(builder, true));
    ASSERT_TRUE(withPages);
    const auto bare = ChmFile::open(withoutSiteMapPages(withPages->path()));
    ASSERT_TRUE(bare);
    EXPECT_TRUE(bare->contentsFile().isEmpty());
    EXPECT_TRUE(bare->indexFile().isEmpty());
    EXPECT_EQ(names(bare->contents()), names(withPages->contents()));
    EXPECT_EQ(names(bare->keywordIndex()), names(withPages->keywordIndex()));

    HhAkLink link;
    link.pszKeywords = QStringLiteral("Ecke");
    auto *viewer = qobject_cast<HelpViewer *>(
        WindowHandles::widgetOf(HtmlHelp(0, bare->path(), HH::KEYWORD_LOOKUP, link)));
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->currentTopic(), "ménu.htm");
    EXPECT_EQ(viewer->contentsTree()->topLevelItemCount(), 1);
    EXPECT_EQ(viewer->indexList()->count(), 3);
}

TEST_F(ForeignHelpFileTest, TheLanguageChoosesTheCodePageAndAPageMayNameItsOwnCharset)
{
    ChmBuilder builder;
    builder.add(QStringLiteral("ru.htm"),
                encoded("windows-1251", QStringLiteral("<html><head><title>Привет</title>"
                                                       "</head><body>Большой мир</body></html>")));
    builder.add(QStringLiteral("el.htm"),
                QStringLiteral("<html><head><meta charset=\"utf-8\"><title>Ελληνικά</title>"
                               "</head><body>Ο ΛΌΓΟΣ της γλώσσας</body></html>")
                    .toUtf8());
    builder.add(
        QStringLiteral("ja.htm"),
        encoded("Shift_JIS", QStringLiteral("<html><head><meta http-equiv=\"Content-Type\" "
                                            "content=\"text/html; charset=Shift_JIS\"><title>日本語</title>"
                                            "</head><body>これはテキストです</body></html>")));
    const auto file =
        ChmFile::open(builder.compile(QStringLiteral("Default topic=ru.htm\nLanguage=0x419 Russian\n")));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->codepage(), 1251);
    TopicCatalog catalog(*file);
    EXPECT_EQ(catalog.titleOf(QStringLiteral("ru.htm")), "Привет");
    EXPECT_EQ(catalog.titleOf(QStringLiteral("el.htm")), "Ελληνικά");
    EXPECT_EQ(catalog.titleOf(QStringLiteral("ja.htm")), "日本語");
    EXPECT_EQ(catalog.search(QStringLiteral("МИР большой"), false), QStringList{"ru.htm"});
    EXPECT_EQ(catalog.search(QStringLiteral("λόγος"), false), QStringList{"el.htm"}); // final sigma folds too
    EXPECT_EQ(catalog.search(QStringLiteral("テキスト"), false), QStringList{"ja.htm"});
    EXPECT_EQ(catalog.search(QStringLiteral("ﾃｷｽﾄ"), false), QStringList{"ja.htm"}); // half-width forms
    EXPECT_EQ(catalog.search(QStringLiteral("日本語"), true), QStringList{"ja.htm"});
    EXPECT_TRUE(catalog.search(QStringLiteral("テキスト"), true).isEmpty());
}

TEST(SiteMapEntities, TheHtml4NamedReferencesAndNothingElse)
{
    EXPECT_EQ(
        SiteMap::decodeEntities(QStringLiteral("&nbsp;&eacute;&uuml;&Omega;&hellip;&euro;&szlig;&apos;")),
        QStringLiteral("\u00A0éüΩ…€ß'"));
    EXPECT_EQ(SiteMap::decodeEntities(QStringLiteral("&EACUTE; &NotOne; &eacute &amp")),
              QStringLiteral("&EACUTE; &NotOne; &eacute &amp"));
    EXPECT_EQ(SiteMap::decodeEntities(QString(100000, QLatin1Char('&'))).size(), 100000);
}

TEST(BinaryTables, LoopsAndOffsetsOutsideTheTablesEndTheWalk)
{
    BinaryTables::Topics topics;
    topics.strings = QByteArray("\0Heading\0", 9);
    // Root at 16: a heading whose next sibling is itself, whose child is the root again.
    QByteArray toc = u32(16) + u32(0) + u32(0) + u32(0);
    toc += u32(0) + u32(0x4) + u32(1) + u32(0) + u32(16) + u32(16) + u32(0);
    EXPECT_EQ(names(BinaryTables::contents(toc, topics)), "0:Heading>");
    toc.replace(0, 4, u32(0xFFFFFFF0));
    EXPECT_TRUE(BinaryTables::contents(toc, topics).isEmpty());
    EXPECT_TRUE(topics.path(0x7FFFFFFF).isEmpty());
    EXPECT_TRUE(topics.title(0xFFFFFFFF).isEmpty());

    // A keyword tree of one listing block that names itself as its next block.
    QByteArray btree(0x4C, '\0');
    btree.replace(0, 2, QByteArray("\x3B\x29", 2));
    btree.replace(4, 2, QByteArray("\x40\x00", 2)); // 64-byte blocks
    QByteArray block = QByteArray("\0\0\x01\0", 4) + u32(0xFFFFFFFF) + u32(0);
    block +=
        QByteArray("K\0w\0\0\0", 6) + QByteArray(12, '\0') + u32(0x7FFFFFFF); // claims more topics than fit
    block.resize(64, '\0');
    EXPECT_TRUE(BinaryTables::keywordIndex(btree + block, topics).isEmpty());
    block.replace(12 + 6 + 12, 4, u32(0));
    EXPECT_EQ(names(BinaryTables::keywordIndex(btree + block + block, topics)), "0:Kw>");
}

TEST(HelpText, EveryByteOfAWindowsCodePageGivesACharacter)
{
    QByteArray everyByte;
    for (int byte = 1; byte < 256; ++byte)
        everyByte.append(char(byte));
    for (int codepage : {1250, 1251, 1252, 1253, 1254, 1257})
        EXPECT_FALSE(HelpText::fromCodepage(everyByte, codepage).contains(QChar::ReplacementCharacter))
            << codepage;
    EXPECT_EQ(HelpText::fromCodepage("\x80\x81\x9f", 1252), QStringLiteral("\u20AC\u0081\u0178"));
    EXPECT_EQ(HelpText::codepageForLanguage(0x0409), 1252);
    EXPECT_EQ(HelpText::codepageForLanguage(0x0411), 932);
    EXPECT_EQ(HelpText::codepageForLanguage(0x0C1A), 1251);                             // Serbian in Cyrillic
    EXPECT_EQ(HelpText::codepageForLanguage(0x041A), 1250);                             // Croatian
    EXPECT_EQ(HelpText::decodeHtml("\xEF\xBB\xBF\xC3\xA9", 1251), QStringLiteral("é")); // the mark wins
}
