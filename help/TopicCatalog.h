#pragma once

#include "help/SiteMap.h"

#include <QHash>
#include <QString>
#include <QStringList>

class ChmFile;

// What the viewer knows about the topics of one help file: their titles, their
// words for the full-text search and their associative-link names. Built on
// first use, since it reads every topic.
class TopicCatalog
{
public:
    explicit TopicCatalog(const ChmFile &file) : m_file(file) {}

    QString titleOf(const QString &topic);
    QStringList topics();
    // Topics holding every word of `query` (in the title only, when asked).
    QStringList search(const QString &query, bool titlesOnly);
    // Topics carrying any of the ';'-separated associative-link names.
    QStringList alinkTopics(const QString &names);

    // Topics of the index entries named by any of the ';'-separated keywords.
    static QStringList keywordTopics(const QList<SiteMapEntry> &index, const QString &keywords);
    static QString htmlTitle(const QString &html);
    static QString plainText(const QString &html);
    static QStringList alinkNames(const QString &html);

private:
    struct Topic
    {
        QString path;
        QString shownTitle;
        QString text;  // searchable form (HelpText::searchable)
        QString title; // the same for the title
        QStringList alinks;
    };
    void build();

    const ChmFile &m_file;
    bool m_built = false;
    QList<Topic> m_topics;
};
