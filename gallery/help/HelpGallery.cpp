// Pictures of the help window as the help command opens it, its panes, a popup and the About box.
#include "app/About.h"
#include "app/Main.h"
#include "help/HelpPopup.h"
#include "help/HelpSystem.h"
#include "help/HelpViewer.h"
#include "help/HTMLHelp.h"
#include "help/WindowHandles.h"
#include "platform/Fonts.h"
#include "platform/ProgramFolder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTextBrowser>
#include <cstdio>

namespace {
void settle()
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 300)
        QApplication::processEvents();
}

void save(QWidget *widget, const QString &path)
{
    settle();
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installFontSubstitutions();
    const QString out = QString::fromLocal8Bit(argc > 1 ? argv[1] : ".") + QStringLiteral("/help");
    QDir().mkpath(out);

    auto *main = new Main;
    main->show();
    save(main, out + QStringLiteral("/main_window.png"));
    main->cmdHelp_Click();
    QList<HelpViewer *> viewers = HelpSystem::instance().viewers();
    if (viewers.isEmpty()) {
        std::printf("FAILED: the help command opened no help window\n");
        return 1;
    }
    HelpViewer *viewer = viewers.first();
    std::printf("help command: topic %s in \"%s\"\n", qPrintable(viewer->currentTopic()),
                qPrintable(viewer->windowTitle()));
    save(viewer, out + QStringLiteral("/help_context1.png"));

    HTMLHelp help;
    help.setCHMFile(programFile(QStringLiteral("help/Vocalino.chm")));
    help.setHHWindow(QStringLiteral("Main"));
    help.HHDisplayIndex(0);
    save(viewer, out + QStringLiteral("/help_index.png"));
    HhFtsQuery query;
    query.pszSearchQuery = QStringLiteral("voice");
    HtmlHelp(0, help.CHMFile() + QStringLiteral(">Main"), HH::DISPLAY_SEARCH, query);
    save(viewer, out + QStringLiteral("/help_search.png"));
    help.setHHKeyword(QStringLiteral("Record"));
    help.HHDisplayKeyword(0);
    save(viewer, out + QStringLiteral("/help_keyword_record.png"));

    help.setHHPopupType(1);
    help.setHHPopupFile(QStringLiteral("cshelp.txt"));
    help.setHHPopupID(1);
    help.setHHPopupTextFont(QStringLiteral("Comic Sans MS"));
    help.setHHPopupTextSize(QStringLiteral("12"));
    help.HHDisplayPopup(0);
    if (HelpSystem::instance().popup())
        save(HelpSystem::instance().popup(), out + QStringLiteral("/help_popup.png"));

    save(About::showShared(), out + QStringLiteral("/about.png"));
    main->close();
    return 0;
}
