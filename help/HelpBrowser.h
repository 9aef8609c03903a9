#pragma once

#include <QTextBrowser>
#include <memory>

class ChmFile;

// Shows topics of one help file. Links and pictures are read from the file
// itself through the "chm:" scheme; links to the web go to the desktop's
// browser; nothing in a topic is ever run.
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    HelpBrowser(std::shared_ptr<ChmFile> file, QWidget *parent = nullptr);

    // chm:/path for a path inside the file, fragments kept.
    static QUrl topicUrl(const QString &inside);
    // The path inside the file of a link found in a topic ("ms-its:x.chm::/a.htm" and the like too).
    static QString insidePath(const QUrl &url);
    QString currentTopic() const;

    QVariant loadResource(int type, const QUrl &name) override;

signals:
    void topicChanged(const QString &inside);

private:
    void followLink(const QUrl &url);

    std::shared_ptr<ChmFile> m_file;
};
