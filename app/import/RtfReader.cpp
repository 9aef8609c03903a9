#include "app/import/RtfReader.h"

#include "app/import/RtfKeywords.h"
#include "platform/CodePage.h"

#include <QFile>
#include <QHash>
#include <algorithm>
#include <climits>
#include <vector>

namespace {
enum class Destination : unsigned char { Text, Skip, FontTable };

struct GroupState
{
    Destination destination = Destination::Text;
    int unicodeSkip = 1; // \ucN: characters of fallback after each \uN
    int codePage = 0;    // of the current font; 0 for the document's
};

bool isLetter(uchar c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(uchar c)
{
    return c >= '0' && c <= '9';
}
int hexValue(uchar c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}
bool isPlainText(uchar c)
{
    return c >= 0x20 && c < 0x80 && c != '{' && c != '}' && c != '\\';
}

// Where the document's group opens, after any blank space; -1 when it is not rich text.
qsizetype documentStart(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf") ? i : -1;
}

// A lone half of a surrogate pair cannot be shown; it becomes the replacement character.
void mendSurrogates(QString &text)
{
    QChar *c = text.data();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (c[i].isHighSurrogate() && i + 1 < n && c[i + 1].isLowSurrogate())
            ++i;
        else if (c[i].isSurrogate())
            c[i] = QChar::ReplacementCharacter;
    }
}

class RtfParser
{
public:
    explicit RtfParser(QByteArrayView rtf)
        : m_p(reinterpret_cast<const uchar *>(rtf.data())), m_end(m_p + rtf.size())
    {
        m_out.reserve(rtf.size() / 4);
    }

    QString run()
    {
        while (m_p < m_end && !m_done) {
            const uchar c = *m_p++;
            switch (c) {
            case '{':
                openGroup();
                break;
            case '}':
                closeGroup();
                break;
            case '\\':
                controlSequence();
                break;
            case '\r':
            case '\n':
                break;
            default:
                textByte(c);
                break;
            }
        }
        flushPending();
        // The last paragraph mark ends the document, it adds no empty line.
        if (m_out.endsWith(QLatin1Char('\n')))
            m_out.chop(1);
        mendSurrogates(m_out);
        return m_out;
    }

private:
    void openGroup()
    {
        flushPending();
        m_fallback = 0;
        if (m_stack.size() < size_t(RtfReader::maxGroupDepth))
            m_stack.push_back(m_group);
        else
            ++m_overflow;
    }

    void closeGroup()
    {
        flushPending();
        m_fallback = 0;
        if (m_overflow > 0) {
            --m_overflow;
            return;
        }
        if (m_stack.empty()) {
            m_done = true;
            return;
        }
        m_group = m_stack.back();
        m_stack.pop_back();
        m_done = m_stack.empty(); // the document's own group has closed
    }

    void textByte(uchar c)
    {
        if (m_fallback > 0) {
            --m_fallback;
            return;
        }
        if (m_group.destination != Destination::Text) {
            while (m_p < m_end && *m_p != '{' && *m_p != '}' && *m_p != '\\')
                ++m_p;
            return;
        }
        if (c >= 0x80) {
            codePageByte(c);
            return;
        }
        if (c < 0x20 && c != '\t')
            return;
        flushPending();
        const uchar *start = m_p - 1;
        while (m_p < m_end && isPlainText(*m_p))
            ++m_p;
        m_out.append(QLatin1StringView(reinterpret_cast<const char *>(start), m_p - start));
    }

    void controlSequence()
    {
        if (m_p >= m_end)
            return;
        if (isLetter(*m_p)) {
            controlWord();
            return;
        }
        const uchar symbol = *m_p++;
        if (symbol == '\'') {
            hexByte();
            return;
        }
        if (m_fallback > 0) {
            --m_fallback;
            return;
        }
        switch (symbol) {
        case '\\':
        case '{':
        case '}':
            put(symbol);
            break;
        case '~':
            put(u'\u00A0');
            break;
        case '_':
            put(u'\u2011');
            break;
        case '*':
            m_group.destination = Destination::Skip;
            break;
        case '\r':
        case '\n':
            put(u'\n');
            break;
        default:
            break; // \- optional hyphen, \: index entry and the rest show nothing
        }
    }

    void hexByte()
    {
        if (m_end - m_p < 2 || hexValue(m_p[0]) < 0 || hexValue(m_p[1]) < 0)
            return;
        const uchar byte = uchar(hexValue(m_p[0]) * 16 + hexValue(m_p[1]));
        m_p += 2;
        if (m_fallback > 0) {
            --m_fallback;
            return;
        }
        if (m_group.destination == Destination::Text && byte != 0)
            codePageByte(byte);
    }

    void controlWord()
    {
        const uchar *start = m_p;
        while (m_p < m_end && isLetter(*m_p))
            ++m_p;
        const std::string_view word(reinterpret_cast<const char *>(start), m_p - start);
        bool negative = false;
        if (m_end - m_p >= 2 && *m_p == '-' && isDigit(m_p[1])) {
            negative = true;
            ++m_p;
        }
        bool hasParameter = false;
        qint64 value = 0;
        while (m_p < m_end && isDigit(*m_p)) {
            value = std::min<qint64>(value * 10 + (*m_p - '0'), INT_MAX);
            hasParameter = true;
            ++m_p;
        }
        if (m_p < m_end && *m_p == ' ')
            ++m_p;
        const int parameter = int(negative ? -value : value);
        const RtfKeyword keyword = lookupRtfKeyword(word);
        if (keyword.action == RtfAction::Binary) {
            m_p += std::min<qint64>(std::max(parameter, 0), m_end - m_p);
        } else if (m_fallback > 0) {
            --m_fallback;
        } else if (m_group.destination == Destination::FontTable) {
            fontTableWord(keyword, hasParameter, parameter);
        } else if (m_group.destination == Destination::Text) {
            textWord(keyword, hasParameter, parameter);
        }
    }

    void fontTableWord(RtfKeyword keyword, bool hasParameter, int parameter)
    {
        switch (keyword.action) {
        case RtfAction::Font:
            m_fontBeingDefined = hasParameter ? parameter : -1;
            break;
        case RtfAction::FontCharset:
            if (m_fontBeingDefined >= 0)
                m_fontCodePages.insert(m_fontBeingDefined, CodePage::forRtfCharset(parameter));
            break;
        case RtfAction::FontCodePage:
            if (m_fontBeingDefined >= 0 && parameter > 0 && parameter < 65536)
                m_fontCodePages.insert(m_fontBeingDefined, parameter);
            break;
        case RtfAction::SkipGroup:
            m_group.destination = Destination::Skip;
            break;
        default:
            break;
        }
    }

    void textWord(RtfKeyword keyword, bool hasParameter, int parameter)
    {
        switch (keyword.action) {
        case RtfAction::Emit:
            put(keyword.character);
            break;
        case RtfAction::SkipGroup:
            m_group.destination = Destination::Skip;
            break;
        case RtfAction::FontTable:
            m_group.destination = Destination::FontTable;
            break;
        case RtfAction::Font:
            if (hasParameter)
                m_group.codePage = m_fontCodePages.value(parameter, 0);
            break;
        case RtfAction::DefaultFont:
            m_defaultFont = parameter;
            break;
        case RtfAction::Plain:
            m_group.codePage = m_fontCodePages.value(m_defaultFont, 0);
            break;
        case RtfAction::Unicode:
            if (hasParameter)
                unicode(parameter);
            break;
        case RtfAction::UnicodeSkip:
            m_group.unicodeSkip = std::clamp(parameter, 0, 255);
            break;
        case RtfAction::AnsiCodePage:
            if (parameter > 0 && parameter < 65536)
                m_documentCodePage = parameter;
            break;
        case RtfAction::CharsetAnsi:
            m_documentCodePage = keyword.character;
            break;
        default:
            break;
        }
    }

    void unicode(int parameter)
    {
        const int value = parameter < 0 ? parameter + 65536 : parameter;
        if (value > 0 && value <= 0xFFFF)
            put(char16_t(value));
        m_fallback = m_group.unicodeSkip;
    }

    void put(char16_t c)
    {
        if (m_group.destination != Destination::Text)
            return;
        flushPending();
        m_out.append(QChar(c));
    }

    void codePageByte(uchar byte)
    {
        const int codePage = m_group.codePage ? m_group.codePage : m_documentCodePage;
        if (!m_pending.isEmpty() && codePage != m_pendingCodePage)
            flushPending();
        m_pendingCodePage = codePage;
        m_pending.append(char(byte));
    }

    // Bytes of one code page are decoded together: a double-byte character spans two \'hh.
    void flushPending()
    {
        if (m_pending.isEmpty())
            return;
        CodePage::append(m_out, m_pending, m_pendingCodePage);
        m_pending.clear();
    }

    const uchar *m_p;
    const uchar *const m_end;
    QString m_out;
    QByteArray m_pending;
    int m_pendingCodePage = 1252;
    std::vector<GroupState> m_stack;
    GroupState m_group;
    int m_overflow = 0; // groups opened beyond the depth limit, which keep the outer state
    int m_fallback = 0; // fallback characters still to skip after \uN
    int m_documentCodePage = 1252;
    int m_defaultFont = 0;
    int m_fontBeingDefined = -1;
    QHash<int, int> m_fontCodePages;
    bool m_done = false;
};
} // namespace

std::optional<QString> RtfReader::toPlainText(QByteArrayView rtf)
{
    const qsizetype start = documentStart(rtf);
    if (start < 0)
        return std::nullopt;
    return RtfParser(rtf.sliced(start)).run();
}

std::optional<QString> RtfReader::readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxFileBytes)
        return std::nullopt;
    return toPlainText(file.readAll());
}
