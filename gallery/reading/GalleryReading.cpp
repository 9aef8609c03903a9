// Reading along as the child sees it: the word being heard marked over its sentence's
// band, the reading ruler and the editor's context menu, each on the default page and
// on a light one, and one line in each of the world's main scripts.
#include "app/EditorMenu.h"
#include "app/Main.h"
#include "app/WordHighlighter.h"
#include "app/character/frmAnim.h"
#include "engine/DirectSS.h"
#include "engine/audio/ClockAudioOutput.h"
#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/MessageBoxes.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>

namespace {
// Lets the event loop run, timers and all, for a while.
void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

class NoOneThere : public MessageBoxes
{
public:
    MsgAnswer show(const QString &, const QString &, MsgIcon, MsgButtons) override { return MsgAnswer::Ok; }
};

// The child picking a colour in the colour dialog; the other dialogs are cancelled.
class ColourPicker : public Dialogs
{
public:
    FileDialogResult openFile(const FileDialogRequest &) override { return {}; }
    FileDialogResult saveFile(const FileDialogRequest &) override { return {}; }
    std::optional<QFont> chooseFont(QWidget *, const QFont &) override { return std::nullopt; }
    std::optional<QColor> chooseColor(QWidget *, const QColor &) override { return colour; }
    QColor colour;
};

const char *scripts = "Latin: The cat sleeps in the sun.\n"
                      "Greek: Η γάτα κοιμάται στον ήλιο.\n"
                      "Cyrillic: Кошка спит на солнце.\n"
                      "Arabic: القطة تنام في الشمس.\n"
                      "Hebrew: החתול ישן בשמש.\n"
                      "Devanagari: बिल्ली धूप में सोती है।\n"
                      "Bengali: বিড়াল রোদে ঘুমায়।\n"
                      "Thai: แมวนอนอยู่กลางแดด\n"
                      "Chinese: 猫在阳光下睡觉。\n"
                      "Japanese: 猫は日なたで寝ています。\n"
                      "Korean: 고양이가 햇볕에서 잔다.";

// The whole screen, as a person would see it (the window itself when drawn offscreen).
void shoot(QWidget &window, const QString &path)
{
    QCoreApplication::processEvents();
    waitMs(100);
    QScreen *screen = QGuiApplication::primaryScreen();
    const bool realScreen = QGuiApplication::platformName() == QLatin1String("xcb");
    (realScreen && screen ? screen->grabWindow(0) : window.grab()).save(path);
}

// Plays the sound a twentieth of a second at a time until this many words have been heard.
void playWords(Main &window, ClockAudioOutput &card, int words)
{
    int heard = 0;
    QObject listening; // the count ends with this call
    QObject::connect(window.engine(), &DirectSS::WordHeard, &listening, [&heard] { ++heard; });
    for (int i = 0; i < 2000 && heard < words; ++i) {
        card.advance(card.sampleRate() / 20);
        waitMs(25);
    }
}
struct Page
{
    QColor background, text;
    QString name;
};

// The page and the text take their colours as the child gives them: BACK COLOUR, then the
// text colour over the whole text.
void setPage(Main &window, const Page &page)
{
    ColourPicker picker;
    Dialogs::install(&picker);
    QTextEdit &editor = *window.RichTextBox1;
    picker.colour = page.background;
    window.cmdBackColor_Click();
    editor.selectAll();
    picker.colour = page.text;
    window.cmdForeColor_Click();
    Dialogs::install(nullptr);
    editor.setTextCursor(QTextCursor(editor.document()));
}

// Reads the editor's text on the given page and shoots the moment this many words are heard,
// with the ruler on when asked.
void readAndShoot(Main &window, ClockAudioOutput &card, const Page &page, int words, const QString &path,
                  bool ruler = false)
{
    setPage(window, page);
    window.setRulerShown(ruler);
    window.cmdSpkText_Click();
    playWords(window, card, words);
    shoot(window, path);
    window.cmdStopText_Click();
    window.setRulerShown(false);
    waitMs(100); // the stop's own report comes before the next reading
}

// The editor's context menu opened on a word, drawn where it opens over the window.
void shootMenu(Main &window, const Page &page, const QString &path)
{
    setPage(window, page);
    QTextEdit &editor = *window.RichTextBox1;
    EditorMenu menus(window);
    const QPoint place = editor.cursorRect(QTextCursor(editor.document())).center() + QPoint(40, 0);
    const std::unique_ptr<QMenu> menu = menus.build(place, false);
    menu->popup(editor.viewport()->mapToGlobal(place));
    waitMs(200);
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        shoot(window, path);
    } else {
        QImage shot = window.grab().toImage();
        QPainter(&shot).drawPixmap(window.mapFromGlobal(menu->pos()), menu->grab());
        shot.save(path);
    }
    menu->close();
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installFontSubstitutions();
    const QString out =
        QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".")).filePath("reading");
    QDir().mkpath(out);
    NoOneThere quiet;
    MessageBoxes::install(&quiet);
    ClockAudioOutput *card = nullptr;
    AudioOutput::setFactoryForTests([&card] {
        auto made = std::make_unique<ClockAudioOutput>(ClockAudioOutput::Pace::Manual);
        card = made.get();
        return made;
    });

    Main window;
    window.move(0, 0);
    window.show();
    QTextEdit &editor = *window.RichTextBox1;
    editor.setPlainText(
        QStringLiteral("Once upon a time, a little fox lived at the edge of a big green forest. "
                       "Every morning she ran down to the river to say hello to the fish."));
    const Page pages[] = {{QColor(90, 106, 143), QColor(255, 255, 128), QStringLiteral("default")},
                          {Qt::white, Qt::black, QStringLiteral("light")}};
    for (const Page &page : pages) {
        readAndShoot(window, *card, page, 9, out + "/reading_" + page.name + ".png");
        readAndShoot(window, *card, page, 14, out + "/ruler_" + page.name + ".png", true);
        shootMenu(window, page, out + "/menu_" + page.name + ".png");
    }

    editor.setPlainText(QString::fromUtf8(scripts));
    editor.selectAll();
    editor.setFontPointSize(9);
    editor.setTextColor(QColor(20, 20, 90));
    QTextCursor top(editor.document());
    editor.setTextCursor(top);
    const auto languages = window.lstVoice->findItems(QStringLiteral("日本語"), Qt::MatchExactly);
    if (!languages.isEmpty())
        window.lstVoice->scrollToItem(languages.first(), QAbstractItemView::PositionAtCenter);
    shoot(window, out + "/scripts.png");

    window.close();
    MessageBoxes::install(nullptr);
    return 0;
}
