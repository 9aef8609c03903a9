#pragma once

#include "help/HtmlHelpApi.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <memory>

class ChmFile;
class HelpPopup;
class HelpViewer;
class QWidget;

// "Vocalino.chm::/topic.htm>Main": the file, an optional topic inside it and an optional window type.
struct HelpFileSpec
{
    QString file;
    QString topic;
    QString window;
    static HelpFileSpec parse(const QString &text);
};

// Serves the HTML Help calls of the program: keeps the help windows it opened,
// one per file and window type, and the popups.
class HelpSystem
{
public:
    static HelpSystem &instance();

    qint32 call(qint32 owner, const QString &file, int command, const HhData &data);
    QList<HelpViewer *> viewers() const;
    HelpPopup *popup() const;
    void closeAll();

    static constexpr const char *Caption = "HTML Help";

private:
    HelpViewer *viewerFor(const HelpFileSpec &request, qint32 owner);
    std::shared_ptr<ChmFile> openFile(const QString &path);
    qint32 show(HelpViewer *viewer);
    // A window opened for a call that then showed nothing goes again.
    void discardUnshown(HelpViewer *viewer);
    qint32 displayTopic(const HelpFileSpec &request, qint32 owner, const HhData &data);
    qint32 helpContext(const HelpFileSpec &request, qint32 owner, const HhData &data);
    qint32 displayPane(const HelpFileSpec &request, qint32 owner, int command, const HhData &data);
    qint32 lookup(HelpFileSpec request, qint32 owner, int command, const HhData &data);
    qint32 textPopup(const HelpFileSpec &request, qint32 owner, const HhData &data);
    void tell(const QString &text, const QString &title = QString::fromLatin1(Caption));

    QList<QPointer<HelpViewer>> m_viewers;
    QPointer<HelpPopup> m_popup;
};
