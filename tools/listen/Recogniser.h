#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The stand-in listener: pocketsphinx with its US English model, fed
// 16 kHz mono copies made by sox, with the model loaded once per job.
class Recogniser
{
public:
    Recogniser(const QString &workFolder, int jobs);
    // What was heard in each wave file, in the same order.
    std::optional<QStringList> hear(const QStringList &waves);
    QString error() const { return m_error; }

private:
    bool convert(const QStringList &waves);
    bool decode(int count);
    QStringList readHypotheses(int count) const;
    QString rawPath(int index) const;

    QString m_folder;
    int m_jobs;
    QString m_error;
};
