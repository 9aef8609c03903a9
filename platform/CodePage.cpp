#include "platform/CodePage.h"

#include <QHash>
#include <QStringDecoder>
#include <memory>

namespace {
constexpr char16_t windows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t windows1252Char(uchar byte)
{
    return (byte >= 0x80 && byte < 0xA0) ? windows1252High[byte - 0x80] : char16_t(byte);
}

QByteArray icuName(int codePage)
{
    switch (codePage) {
    case 10000:
        return "macintosh";
    case 874:
        return "windows-874";
    case 932:
        return "Shift_JIS";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 20127:
        return "US-ASCII";
    case 28591:
        return "ISO-8859-1";
    case 65001:
        return "UTF-8";
    default:
        break;
    }
    if (codePage >= 1250 && codePage <= 1258)
        return "windows-" + QByteArray::number(codePage);
    return "cp" + QByteArray::number(codePage);
}

// One decoder per code page and thread, made on first use; nullptr when the system does not know it.
QStringDecoder *decoderFor(int codePage)
{
    thread_local QHash<int, std::shared_ptr<QStringDecoder>> decoders;
    auto found = decoders.constFind(codePage);
    if (found != decoders.constEnd())
        return found->get();
    auto decoder =
        std::make_shared<QStringDecoder>(icuName(codePage).constData(), QStringConverter::Flag::Stateless);
    if (!decoder->isValid())
        decoder.reset();
    decoders.insert(codePage, decoder);
    return decoder.get();
}
} // namespace

namespace CodePage {

void appendWindows1252(QString &out, QByteArrayView bytes)
{
    const qsizetype start = out.size();
    out.resize(start + bytes.size());
    QChar *dest = out.data() + start;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        dest[i] = QChar(windows1252Char(uchar(bytes[i])));
}

QString decodeWindows1252(QByteArrayView bytes)
{
    QString out;
    appendWindows1252(out, bytes);
    return out;
}

void append(QString &out, QByteArrayView bytes, int codePage)
{
    if (codePage == 1252 || codePage == 0) {
        appendWindows1252(out, bytes);
        return;
    }
    QStringDecoder *decoder = decoderFor(codePage);
    if (!decoder) {
        appendWindows1252(out, bytes);
        return;
    }
    const qsizetype start = out.size();
    out += decoder->decode(bytes);
    // A byte a single-byte code page leaves undefined keeps its own value, as Windows
    // does, rather than becoming a replacement mark (one byte is one character there).
    if (out.size() - start == bytes.size())
        for (qsizetype at = out.indexOf(QChar::ReplacementCharacter, start); at >= 0;
             at = out.indexOf(QChar::ReplacementCharacter, at + 1))
            out[at] = QChar(uchar(bytes[at - start]));
}

QString decode(QByteArrayView bytes, int codePage)
{
    QString out;
    append(out, bytes, codePage);
    return out;
}

int forRtfCharset(int charset)
{
    switch (charset) {
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 255:
        return 437;
    default:
        return 0;
    }
}

} // namespace CodePage
