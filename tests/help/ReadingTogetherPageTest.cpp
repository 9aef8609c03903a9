// The help page on reading together, in the help file the build compiles.
#include "help/ChmFile.h"
#include "help/HTMLHelp.h"
#include "help/HelpBrowser.h"
#include "help/HelpViewer.h"
#include "help/WindowHandles.h"
#include "platform/ProgramFolder.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QApplication>
#include <QListWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
const QString page = QStringLiteral("reading.htm");

bool pointsAtThePage(const SiteMapEntry &entry)
{
    return std::any_of(entry.topics.begin(), entry.topics.end(),
                       [](const QString &topic) { return topic.section(u'#', 0, 0) == page; });
}
} // namespace

TEST(ReadingTogetherPage, ReachedFromTheContentsTheIndexAndAContextNumber)
{
    const auto file = ChmFile::open(programFile(QStringLiteral("help/Vocalino.chm")));
    ASSERT_TRUE(file);
    const auto contents = file->contents();
    EXPECT_TRUE(std::any_of(contents.begin(), contents.end(), [](const SiteMapEntry &entry) {
        return entry.name == "Reading together" && pointsAtThePage(entry);
    }));
    QStringList keywords;
    for (const SiteMapEntry &entry : file->keywordIndex())
        if (pointsAtThePage(entry))
            keywords << entry.name;
    for (const char *keyword :
         {"Reading together", "Read from here", "Read the selection", "Say this word", "Say it in syllables",
          "Stop after each sentence", "Reading ruler", "Subtitles"})
        EXPECT_TRUE(keywords.contains(keyword)) << keyword;
    EXPECT_EQ(file->topicForContext(10), page);
}

TEST(ReadingTogetherPage, ShowsInTheViewerWithEveryFeatureAndItsKey)
{
    ScriptedMessageBoxes boxes;
    const qint32 handle =
        HtmlHelp(0, programFile(QStringLiteral("help/Vocalino.chm")) + QStringLiteral(">Main"),
                 HH::DISPLAY_TOPIC, page);
    auto *viewer = qobject_cast<HelpViewer *>(WindowHandles::widgetOf(handle));
    ASSERT_TRUE(viewer);
    EXPECT_EQ(viewer->currentTopic(), page);
    const QString shown = viewer->browser()->toPlainText();
    for (const char *words : {"Reading together", "Ctrl+F5", "Read from here", "Read the selection",
                              "Alt+Left", "Alt+Right", "F7", "Stop after each sentence", "F6", "RESUME", "F8",
                              "Reading ruler", "band", "Ctrl+click", "Say this word", "Say it in syllables",
                              "vocalino-say --wav story.wav --subtitles story.srt", ".vtt", ".lrc"})
        EXPECT_TRUE(shown.contains(QLatin1String(words))) << words;
    EXPECT_TRUE(boxes.shown.isEmpty());
    HtmlHelp(0, QString(), HH::CLOSE_ALL, std::monostate{});
    QApplication::processEvents();
}
