#include "help/HelpText.h"

#include "platform/CodePage.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {
constexpr qsizetype MetaSearchLength = 4096;
} // namespace

namespace HelpText {

int codepageForLanguage(quint32 lcid)
{
    const quint32 primary = lcid & 0x3FF;
    switch (primary) {
    case 0x04:
        return (lcid == 0x0404 || lcid == 0x0C04 || lcid == 0x1404) ? 950 : 936;
    case 0x11:
        return 932;
    case 0x12:
        return 949;
    case 0x1E:
        return 874;
    case 0x08:
        return 1253;
    case 0x1F:
    case 0x2C:
    case 0x43:
        return 1254;
    case 0x0D:
        return 1255;
    case 0x01:
    case 0x20:
    case 0x29:
        return 1256;
    case 0x25:
    case 0x26:
    case 0x27:
        return 1257;
    case 0x2A:
        return 1258;
    case 0x02:
    case 0x19:
    case 0x22:
    case 0x23:
    case 0x2F:
    case 0x3F:
    case 0x40:
    case 0x44:
    case 0x50:
        return 1251;
    case 0x05:
    case 0x0E:
    case 0x15:
    case 0x18:
    case 0x1B:
    case 0x1C:
    case 0x24:
        return 1250;
    case 0x1A:
        return (lcid == 0x0C1A || lcid == 0x1C1A) ? 1251 : 1250; // Serbian Cyrillic, else Latin
    default:
        return DefaultCodepage;
    }
}

QString fromCodepage(const QByteArray &bytes, int codepage)
{
    return CodePage::decode(bytes, codepage);
}

QString decodeName(const QByteArray &bytes, int codepage)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        return fromCodepage(bytes, codepage);
    return text;
}

QByteArray metaCharset(const QByteArray &bytes)
{
    static const QRegularExpression meta(
        QStringLiteral("<meta[^>]*charset\\s*=\\s*[\"']?\\s*([A-Za-z0-9_.:\\-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    return meta.match(QString::fromLatin1(bytes.left(MetaSearchLength))).captured(1).toLatin1();
}

QString decodeHtml(const QByteArray &bytes, int codepage)
{
    if (const std::optional<QStringConverter::Encoding> marked = QStringConverter::encodingForData(bytes)) {
        if (*marked != QStringConverter::Latin1 && *marked != QStringConverter::System) {
            QStringDecoder decoder(*marked); // drops the mark
            return decoder.decode(bytes);
        }
    }
    const QByteArray named = metaCharset(bytes);
    if (!named.isEmpty()) {
        QStringDecoder decoder(named.constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return fromCodepage(bytes, codepage);
}

QString searchable(const QString &text)
{
    return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

} // namespace HelpText
