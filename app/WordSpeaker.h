#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTextCursor>

#include <functional>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class DirectSS;
class QMenu;
class QTextEdit;
class Syllables;

// Says one word of the editor on its own (Ctrl+click, or the editor's menu), whole or one
// syllable at a time with a gap between them, each part lit while it is heard. It never
// interrupts a reading: while the engine speaks, it is refused.
class WordSpeaker : public QObject
{
    Q_OBJECT

public:
    static constexpr int gapMs = 200; // between two syllables, beyond the voice's own pauses

    // `engine` gives the engine with the window's voice, speed and tone handed to it.
    WordSpeaker(QTextEdit *editor, std::function<DirectSS *()> engine, QObject *parent = nullptr);
    ~WordSpeaker() override;

    // The word at a place of the document: letters, digits and the apostrophes inside them.
    static QTextCursor wordAt(QTextDocument *document, int position);
    // The word under a point of the editor's viewport (null beside the text).
    QTextCursor wordUnder(QPoint viewportPoint) const;

    // False, saying nothing, while the engine speaks or when there is no word.
    bool sayWord(const QTextCursor &word);
    bool saySyllables(const QTextCursor &word);
    // "Say this word" and "Say it in syllables" for the word, disabled while they would be refused.
    void addTo(QMenu *menu, const QTextCursor &word);

    // The parts the word is said in, with the patterns of the voice's language; none while
    // those are still being read (German's take seconds), which starts reading them.
    std::optional<QStringList> partsOf(const QString &word);
    bool isSaying() const { return !m_parts.empty() || !m_waiting.isNull(); }
    const QTextCursor &lit() const { return m_lit; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Part
    {
        qint32 reading;
        QTextCursor place;
    };

    bool say(const QTextCursor &word, const QStringList &parts);
    bool refused(const QTextCursor &word) const;
    void readingHeard(qint32 reading);
    void wordHeard();
    void finished();
    void light(const QTextCursor &place);
    void connectEngine(DirectSS *engine);
    void sayWhenPatternsAreRead();

    QPointer<QTextEdit> m_editor;
    std::function<DirectSS *()> m_engine;
    QPointer<DirectSS> m_connected;
    std::map<QString, std::shared_future<std::shared_ptr<Syllables>>> m_patterns; // by pattern file
    QTextCursor m_waiting;     // a word to say in syllables once its patterns are read
    std::vector<Part> m_parts; // being said
    qint32 m_heard = 0;
    QTextCursor m_lit;
};
