#include "MainWindowFixture.h"

#include <QGlyphRun>
#include <QTextLayout>

namespace {
const char *lines[] = {
    "The cat sleeps in the sun.",
    "Η γάτα κοιμάται στον ήλιο.",
    "Кошка спит на солнце.",
    "القطة تنام في الشمس.",
    "החתול ישן בשמש.",
    "बिल्ली धूप में सोती है।",
    "বিড়াল রোদে ঘুমায়।",
    "แมวนอนอยู่กลางแดด",
    "猫在阳光下睡觉。",
    "猫は日なたで寝ています。",
    "고양이가 햇볕에서 잔다.",
    "კატა მზეზე სძინავს.",
    "பூனை வெயிலில் தூங்குகிறது.",
};

// Letters the font and its fallbacks cannot draw come out as glyph 0, the empty box.
QStringList boxesIn(const QString &text, const QFont &font)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    while (layout.createLine().isValid()) {
    }
    layout.endLayout();
    QStringList missing;
    for (const QGlyphRun &run : layout.glyphRuns())
        if (run.glyphIndexes().contains(0))
            missing << run.rawFont().familyName();
    return missing;
}
} // namespace

class ScriptsShowTest : public MainWindowFixture
{
};

TEST_F(ScriptsShowTest, EveryScriptShowsInTheEditorInTheChildsFont)
{
    QTextEdit &editor = *window->RichTextBox1;
    const QFont font = editor.currentFont();
    EXPECT_EQ(QFontInfo(font).family(), "Comic Neue") << "the child's font is kept for the letters it has";
    for (const char *line : lines)
        EXPECT_EQ(boxesIn(QString::fromUtf8(line), font), QStringList()) << line;
}

TEST_F(ScriptsShowTest, EveryVoiceNameShowsInTheList)
{
    const QFont font = window->lstVoice->font();
    for (int i = 0; i < window->lstVoice->count(); ++i) {
        const QString name = window->lstVoice->item(i)->text();
        EXPECT_EQ(boxesIn(name, font), QStringList()) << name.toStdString();
    }
}
