#include "tools/listen/Recogniser.h"

#include "tools/listen/ProcessPool.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QTextStream>

namespace {
QString utteranceId(int index)
{
    return QStringLiteral("u%1").arg(index);
}

bool writeLines(const QString &path, const QStringList &lines)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream(&file) << lines.join(u'\n') << '\n';
    return true;
}
} // namespace

Recogniser::Recogniser(const QString &workFolder, int jobs) : m_folder(workFolder), m_jobs(std::max(1, jobs))
{
    QDir().mkpath(m_folder);
}

QString Recogniser::rawPath(int index) const
{
    return m_folder + u'/' + utteranceId(index) + QStringLiteral(".raw");
}

std::optional<QStringList> Recogniser::hear(const QStringList &waves)
{
    if (!convert(waves) || !decode(int(waves.size())))
        return std::nullopt;
    return readHypotheses(int(waves.size()));
}

bool Recogniser::convert(const QStringList &waves)
{
    std::vector<ProcessPool::Command> commands;
    for (int i = 0; i < waves.size(); ++i)
        // Without dither: sox's is random, and the same take was heard differently from run to run.
        commands.push_back({QStringLiteral("sox"),
                            {"-D", waves[i], "-r", "16000", "-c", "1", "-b", "16", "-e", "signed-integer", "-t",
                             "raw", rawPath(i)}});
    ProcessPool pool(m_jobs);
    if (!pool.run(commands))
        m_error = pool.error();
    return m_error.isEmpty();
}

// Each job decodes every m_jobs-th utterance, so the work splits evenly.
bool Recogniser::decode(int count)
{
    std::vector<ProcessPool::Command> commands;
    for (int job = 0; job < std::min(m_jobs, count); ++job) {
        QStringList ids;
        for (int i = job; i < count; i += m_jobs)
            ids += utteranceId(i);
        const QString control = m_folder + QStringLiteral("/job%1.ctl").arg(job);
        if (!writeLines(control, ids)) {
            m_error = QStringLiteral("cannot write %1").arg(control);
            return false;
        }
        commands.push_back(
            {QStringLiteral("pocketsphinx_batch"),
             {"-ctl", control, "-cepdir", m_folder, "-cepext", ".raw", "-adcin", "yes", "-adchdr", "0",
              "-hyp", m_folder + QStringLiteral("/job%1.hyp").arg(job), "-logfn", "/dev/null"}});
    }
    ProcessPool pool(m_jobs);
    if (!pool.run(commands))
        m_error = pool.error();
    return m_error.isEmpty();
}

// Lines read "the words heard (u12 -12345)".
QStringList Recogniser::readHypotheses(int count) const
{
    QHash<QString, QString> heard;
    for (int job = 0; job < std::min(m_jobs, count); ++job) {
        QFile file(m_folder + QStringLiteral("/job%1.hyp").arg(job));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            const qsizetype open = line.lastIndexOf(u'(');
            if (open < 0)
                continue;
            const QString id = line.mid(open + 1).section(u' ', 0, 0);
            heard.insert(id, line.left(open).trimmed());
        }
    }
    QStringList inOrder;
    for (int i = 0; i < count; ++i)
        inOrder += heard.value(utteranceId(i));
    return inOrder;
}
