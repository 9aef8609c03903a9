#include "platform/FormFile.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QStringList>
#include <cmath>
#include <limits>

namespace {

bool isWord(QStringView text)
{
    if (text.isEmpty() || text.size() > 255 || text.front().isDigit())
        return false;
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return (c.unicode() < 128 && c.isLetterOrNumber()) || c == u'_'; });
}

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// ---- writing ----

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + u'"';
}

QString fontText(const QFont &font)
{
    QString out = quoted(font.family()) + u' ' +
                  QString::number(font.pointSizeF(), 'g', QLocale::FloatingPointShortest);
    if (font.weight() == QFont::Bold)
        out += QStringLiteral(" bold");
    else if (font.weight() != QFont::Normal)
        out += QStringLiteral(" weight=%1").arg(int(font.weight()));
    if (font.italic())
        out += QStringLiteral(" italic");
    if (font.underline())
        out += QStringLiteral(" underline");
    if (font.strikeOut())
        out += QStringLiteral(" strikeout");
    return out;
}

QString valueText(const QString &key, const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Short:
        return QStringLiteral("int16 %1").arg(value.value<qint16>());
    case QMetaType::Int:
        return QStringLiteral("int32 %1").arg(value.toInt());
    case QMetaType::Double:
    case QMetaType::Float:
        return QStringLiteral("double ") +
               QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("bool true") : QStringLiteral("bool false");
    case QMetaType::QString:
        return QStringLiteral("string ") + quoted(value.toString());
    case QMetaType::UInt:
        return QStringLiteral("colour &H%1&")
            .arg(QStringLiteral("%1").arg(value.toUInt(), 8, 16, QLatin1Char('0')).toUpper());
    case QMetaType::QFont:
        return QStringLiteral("font ") + fontText(value.value<QFont>());
    default:
        if (value.typeId() == qMetaTypeId<PictureRef>())
            return QStringLiteral("picture ") + quoted(value.value<PictureRef>().source);
        throw AppError(AppError::TypeMismatch,
                       QStringLiteral("Property %1 has a type a form file cannot hold").arg(key));
    }
}

void writeNode(const FormNode &node, int depth, QString &out)
{
    if (!isWord(node.kind) || !isWord(node.name))
        throw AppError(AppError::InvalidPropertyValue,
                       QStringLiteral("\"%1 %2\" is not a kind and name a form file can hold")
                           .arg(node.kind, node.name));
    const QString indent(depth * 2, u' ');
    const QString inner(depth * 2 + 2, u' ');
    out += indent + QStringLiteral("Begin %1 %2\n").arg(node.kind, node.name);
    const QRect &p = node.place;
    if (p != QRect())
        out +=
            inner +
            QStringLiteral("Place = %1 %2 %3 %4\n").arg(p.left()).arg(p.top()).arg(p.width()).arg(p.height());
    for (const auto &entry : node.properties.entries()) {
        if (!isWord(entry.key))
            throw AppError(AppError::InvalidPropertyValue,
                           QStringLiteral("\"%1\" is not a key").arg(entry.key));
        out += inner + entry.key + QStringLiteral(" = ") + valueText(entry.key, entry.value) + u'\n';
    }
    for (const FormNode &child : node.children)
        writeNode(child, depth + 1, out);
    out += indent + QStringLiteral("End\n");
}

// ---- reading ----

// Reads one line's words and quoted strings, left to right.
class LineReader
{
public:
    LineReader(QStringView text, int line) : m_text(text), m_line(line) {}

    [[noreturn]] void fail(const QString &reason) const { throw FormFileError(m_line, reason); }

    bool atEnd()
    {
        skipBlanks();
        return m_pos >= m_text.size();
    }

    QStringView word()
    {
        skipBlanks();
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && !m_text[m_pos].isSpace() && m_text[m_pos] != u'"')
            ++m_pos;
        if (start == m_pos)
            fail(QStringLiteral("a word is missing"));
        return m_text.sliced(start, m_pos - start);
    }

    QString quotedText()
    {
        skipBlanks();
        if (m_pos >= m_text.size() || m_text[m_pos] != u'"')
            fail(QStringLiteral("a quoted text is missing"));
        QString out;
        for (++m_pos; m_pos < m_text.size(); ++m_pos) {
            const QChar c = m_text[m_pos];
            if (c == u'"') {
                ++m_pos;
                return out;
            }
            out += c == u'\\' ? escaped() : c;
        }
        fail(QStringLiteral("a quoted text is not closed"));
    }

    void expectEnd()
    {
        if (!atEnd())
            fail(QStringLiteral("unexpected \"%1\" at the end of the line")
                     .arg(m_text.sliced(m_pos).toString()));
    }

    qint64 integer(qint64 lowest, qint64 highest)
    {
        const QStringView text = word();
        bool ok = false;
        const qint64 value = text.toLongLong(&ok);
        if (!ok || value < lowest || value > highest)
            fail(QStringLiteral("\"%1\" is not a whole number from %2 to %3")
                     .arg(text.toString())
                     .arg(lowest)
                     .arg(highest));
        return value;
    }

    double number()
    {
        const QStringView text = word();
        bool ok = false;
        const double value = text.toDouble(&ok);
        if (!ok || !std::isfinite(value))
            fail(QStringLiteral("\"%1\" is not a number").arg(text.toString()));
        return value;
    }

private:
    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }

    QChar escaped()
    {
        if (++m_pos >= m_text.size())
            fail(QStringLiteral("a quoted text is not closed"));
        switch (m_text[m_pos].unicode()) {
        case '"':
            return u'"';
        case '\\':
            return u'\\';
        case 'n':
            return u'\n';
        case 'r':
            return u'\r';
        case 't':
            return u'\t';
        case 'x': {
            const bool ok =
                m_pos + 2 < m_text.size() && isHexDigit(m_text[m_pos + 1]) && isHexDigit(m_text[m_pos + 2]);
            if (!ok)
                fail(QStringLiteral("\\x needs two hexadecimal digits"));
            const QChar code(m_text.sliced(m_pos + 1, 2).toUInt(nullptr, 16));
            m_pos += 2;
            return code;
        }
        default:
            fail(QStringLiteral("unknown escape \\%1").arg(m_text[m_pos]));
        }
    }

    QStringView m_text;
    int m_line;
    qsizetype m_pos = 0;
};

quint32 colourValue(LineReader &reader)
{
    const QStringView text = reader.word();
    bool ok = false;
    quint32 value = 0;
    if (text.size() >= 4 && text.startsWith(u"&H", Qt::CaseInsensitive) && text.endsWith(u'&'))
        value = text.sliced(2, text.size() - 3).toUInt(&ok, 16);
    else if (text.startsWith(u"0x", Qt::CaseInsensitive))
        value = text.sliced(2).toUInt(&ok, 16);
    if (!ok)
        reader.fail(QStringLiteral("\"%1\" is not a colour (&H00BBGGRR&)").arg(text.toString()));
    return value;
}

QFont fontValue(LineReader &reader)
{
    QFont font;
    font.setFamilies({reader.quotedText()}); // one family, taken as written (no splitting at commas)
    const double size = reader.number();
    if (size <= 0 || size > 1000)
        reader.fail(QStringLiteral("a font size must lie above 0 and up to 1000"));
    font.setPointSizeF(size);
    font.setWeight(QFont::Normal);
    while (!reader.atEnd()) {
        const QStringView attribute = reader.word();
        if (attribute == u"bold")
            font.setWeight(QFont::Bold);
        else if (attribute.startsWith(u"weight=")) {
            bool ok = false;
            const int weight = attribute.sliced(7).toInt(&ok);
            if (!ok || weight < 1 || weight > 1000)
                reader.fail(QStringLiteral("a font weight lies from 1 to 1000"));
            font.setWeight(QFont::Weight(weight));
        } else if (attribute == u"italic")
            font.setItalic(true);
        else if (attribute == u"underline")
            font.setUnderline(true);
        else if (attribute == u"strikeout")
            font.setStrikeOut(true);
        else
            reader.fail(QStringLiteral("unknown font attribute \"%1\"").arg(attribute.toString()));
    }
    return font;
}

QVariant readValue(LineReader &reader)
{
    const QStringView type = reader.word();
    QVariant value;
    if (type == u"int16")
        value = QVariant::fromValue(qint16(reader.integer(-32768, 32767)));
    else if (type == u"int32")
        value = QVariant::fromValue(
            qint32(reader.integer(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max())));
    else if (type == u"double")
        value = reader.number();
    else if (type == u"bool") {
        const QStringView word = reader.word();
        if (word != u"true" && word != u"false")
            reader.fail(QStringLiteral("a bool is true or false"));
        value = word == u"true";
    } else if (type == u"string")
        value = reader.quotedText();
    else if (type == u"colour")
        value = QVariant::fromValue(colourValue(reader));
    else if (type == u"font")
        return fontValue(reader); // reads to the end of the line itself
    else if (type == u"picture")
        value = QVariant::fromValue(PictureRef{reader.quotedText()});
    else
        reader.fail(QStringLiteral("unknown type \"%1\"").arg(type.toString()));
    reader.expectEnd();
    return value;
}

struct OpenBlock
{
    FormNode node;
    bool placed = false;
};

void readPlace(LineReader &reader, OpenBlock &block)
{
    if (block.placed)
        reader.fail(QStringLiteral("Place is given twice"));
    constexpr qint64 limit = 1 << 24; // far beyond any screen, and width + left still fits
    const int left = int(reader.integer(-limit, limit));
    const int top = int(reader.integer(-limit, limit));
    const int width = int(reader.integer(0, limit));
    const int height = int(reader.integer(0, limit));
    reader.expectEnd();
    block.node.place = QRect(left, top, width, height);
    block.placed = true;
}

void readProperty(LineReader &reader, QStringView key, OpenBlock &block)
{
    if (!isWord(key))
        reader.fail(QStringLiteral("\"%1\" is not a key").arg(key.toString()));
    if (reader.word() != u"=")
        reader.fail(QStringLiteral("\"=\" is missing after %1").arg(key.toString()));
    if (key.compare(u"Place", Qt::CaseInsensitive) == 0)
        return readPlace(reader, block);
    const QString name = key.toString();
    if (block.node.properties.contains(name))
        reader.fail(QStringLiteral("%1 is given twice").arg(name));
    block.node.properties.WriteProperty(name, readValue(reader));
}

} // namespace

const FormNode *FormNode::child(const QString &childName) const
{
    for (const FormNode &c : children)
        if (c.name.compare(childName, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

FormFileError::FormFileError(int line, const QString &reason)
    : AppError(InvalidFileFormat, QStringLiteral("Invalid file format (line %1: %2)").arg(line).arg(reason)),
      m_line(line), m_reason(reason)
{
}

FormNode FormFile::parse(const QString &text)
{
    if (text.size() > MaxBytes)
        throw FormFileError(1, QStringLiteral("the file is larger than %1 bytes").arg(MaxBytes));
    std::vector<OpenBlock> open;
    std::optional<FormNode> root;
    int lineNumber = 0;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        ++lineNumber;
        LineReader reader(line, lineNumber);
        if (line.size() > MaxLineLength)
            reader.fail(QStringLiteral("the line is longer than %1 characters").arg(MaxLineLength));
        if (reader.atEnd() || line.trimmed().startsWith(u'#'))
            continue;
        if (root)
            reader.fail(QStringLiteral("text after the end of the form"));
        const QStringView first = reader.word();
        if (first == u"Begin") {
            if (open.size() >= size_t(MaxDepth))
                reader.fail(QStringLiteral("blocks nest deeper than %1").arg(MaxDepth));
            OpenBlock block;
            block.node.kind = reader.word().toString();
            block.node.name = reader.word().toString();
            reader.expectEnd();
            if (!isWord(block.node.kind) || !isWord(block.node.name))
                reader.fail(QStringLiteral("Begin needs a kind and a name"));
            open.push_back(std::move(block));
        } else if (first == u"End") {
            reader.expectEnd();
            if (open.empty())
                reader.fail(QStringLiteral("End without Begin"));
            FormNode done = std::move(open.back().node);
            open.pop_back();
            if (open.empty())
                root = std::move(done);
            else
                open.back().node.children.push_back(std::move(done));
        } else {
            if (open.empty())
                reader.fail(QStringLiteral("a property outside any block"));
            readProperty(reader, first, open.back());
        }
    }
    if (!root)
        throw FormFileError(
            lineNumber, open.empty() ? QStringLiteral("the file holds no form")
                                     : QStringLiteral("End is missing for %1").arg(open.back().node.name));
    return std::move(*root);
}

QString FormFile::write(const FormNode &root)
{
    QString out;
    writeNode(root, 0, out);
    return out;
}

FormNode FormFile::load(const QString &path)
{
    QFile file(path);
    if (!file.exists())
        throw AppError(AppError::FileNotFound, QStringLiteral("File not found: %1").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        throw AppError(AppError::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(path));
    const QByteArray bytes = file.read(MaxBytes + 1);
    if (bytes.size() > MaxBytes)
        throw FormFileError(1, QStringLiteral("the file is larger than %1 bytes").arg(MaxBytes));
    return parse(QString::fromUtf8(bytes));
}

void FormFile::save(const QString &path, const FormNode &root)
{
    const QByteArray bytes = write(root).toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw AppError(AppError::PathFileAccess, QStringLiteral("Path/File access error: %1").arg(path));
}
