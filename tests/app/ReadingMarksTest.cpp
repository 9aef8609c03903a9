// What the child sees of the reading: the sentence band under the word, and the ruler,
// read from the pixels of the editor's view.
#include "MainWindowFixture.h"

#include "app/ReadingRuler.h"
#include "app/WordHighlighter.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextDocument>

#include <map>

namespace {
constexpr qint64 step = 22050 / 50;

QRgb mostCommon(const QImage &image, const QRect &area)
{
    std::map<QRgb, int> counts;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ++counts[image.pixel(x, y) | 0xff000000];
    return std::max_element(counts.begin(), counts.end(),
                            [](auto &a, auto &b) { return a.second < b.second; })
        ->first;
}

// The strongest contrast of any pixel of the area against `against`: the text's own, where there is text.
double inkContrast(const QImage &image, const QRect &area, const QColor &against)
{
    double most = 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            most = std::max(most, WordHighlighter::contrast(QColor(image.pixel(x, y)), against));
    return most;
}
} // namespace

class ReadingMarks : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        showActive();
    }

    QTextEdit &editor() { return *window->RichTextBox1; }
    QImage view() { return editor().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // The letters between two places of one line, in the view.
    QRect letters(int from, int to)
    {
        QTextCursor start(editor().document()), end(editor().document());
        start.setPosition(from);
        end.setPosition(to);
        const QRect a = editor().cursorRect(start), b = editor().cursorRect(end);
        return QRect(QPoint(a.right() + 2, a.top() + 1), QPoint(b.left() - 2, a.bottom() - 1));
    }

    QRect line(int block)
    {
        QTextCursor start(editor().document()->findBlockByNumber(block));
        const QRect place = editor().cursorRect(start);
        return QRect(0, place.top() + 1, editor().viewport()->width(), place.height() - 2);
    }

    bool playUntilMarked(const QString &word)
    {
        for (int i = 0; i < 1500 && window->highlighter().mark().selectedText() != word; ++i) {
            soundCard->advance(step);
            QTest::qWait(25);
        }
        return window->highlighter().mark().selectedText() == word;
    }

    // Band and word, as painted: each reads at 4.5:1 or better.
    void expectReadableMarks(const char *page)
    {
        const QString text = QStringLiteral("One two three four five.");
        window->cmdSpkText_Click();
        ASSERT_TRUE(playUntilMarked("three")) << page;
        QApplication::processEvents();
        const QImage shot = view();
        const QRect banded = letters(int(text.indexOf("two")), int(text.indexOf("two")) + 3);
        const QRect word = letters(int(text.indexOf("three")), int(text.indexOf("three")) + 5);
        const QColor band(mostCommon(shot, banded)), mark(mostCommon(shot, word));
        const QColor pageColour(mostCommon(shot, QRect(0, shot.height() - 20, shot.width(), 10)));
        EXPECT_NE(band, pageColour) << page << ": no band";
        EXPECT_NE(mark, band) << page << ": the word is not marked on the band";
        EXPECT_GE(inkContrast(shot, banded, band), 4.5) << page << " band " << band.name().toStdString();
        EXPECT_GE(inkContrast(shot, word, mark), 4.5) << page << " mark " << mark.name().toStdString();
        window->cmdStopText_Click();
        QTest::qWait(50);
    }
};

TEST_F(ReadingMarks, BandAndWordReadOnTheSlatePageAndOnAWhitePageMadeByTheColourCommands)
{
    type(QStringLiteral("One two three four five."));
    expectReadableMarks("slate");
    editor().selectAll();
    dialogs.colorAnswers.push_back(QColor(Qt::black));
    window->cmdForeColor_Click();
    dialogs.colorAnswers.push_back(QColor(Qt::white));
    window->cmdBackColor_Click();
    editor().setTextCursor(QTextCursor(editor().document()));
    expectReadableMarks("white");
}

TEST_F(ReadingMarks, TheRulerDimsEveryLineButTheOneReadAndKeepsTheFormat)
{
    type(QStringLiteral("Hello world\nSecond line here\nThird line here\nFourth line"));
    QTextCursor caret(editor().document()->findBlockByNumber(1));
    editor().setTextCursor(caret);
    const QString before = editor().toHtml();
    const QImage plain = view();
    const QColor page(mostCommon(plain, plain.rect()));
    const auto ink = [&](const QImage &shot, int block) { return inkContrast(shot, line(block), page); };
    const double full = ink(plain, 0);
    ASSERT_GT(full, 3.0) << "no text seen";

    QTest::keyClick(window->RichTextBox1, Qt::Key_F8);
    QApplication::processEvents();
    ASSERT_TRUE(window->rulerShown());
    QImage ruled = view();
    EXPECT_GT(ink(ruled, 1), full * 0.9) << "the caret's line stays clear";
    for (int block : {0, 2, 3})
        EXPECT_LT(ink(ruled, block), 1.8) << "line " << block + 1 << " is not dimmed";

    window->cmdSpkText_Click(); // the ruler follows the word being read
    ASSERT_TRUE(playUntilMarked("Third"));
    QApplication::processEvents();
    ruled = view();
    EXPECT_GT(ink(ruled, 2), full * 0.9);
    EXPECT_LT(ink(ruled, 1), 1.8);
    window->cmdStopText_Click();

    QTest::keyClick(window->RichTextBox1, Qt::Key_F8);
    QApplication::processEvents();
    EXPECT_FALSE(window->rulerShown());
    EXPECT_GT(ink(view(), 3), full * 0.9);
    EXPECT_EQ(editor().toHtml(), before) << "the ruler changed the text's format";
}
