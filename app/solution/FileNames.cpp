#include "FileNames.h"

namespace {

// ⁰¹²³⁴⁵⁶⁷⁸⁹ and the superscript minus, as plain characters; null for any other.
QChar plainOfSuperscript(QChar c)
{
    static const QString superscripts = QString::fromUtf8("⁰¹²³⁴⁵⁶⁷⁸⁹⁻");
    const qsizetype at = superscripts.indexOf(c);
    return at < 0 ? QChar() : QChar(QLatin1Char("0123456789-"[at]));
}

} // namespace

QString FileNameOf(const std::string& statement)
{
    const QString text = QString::fromStdString(statement);
    QString name;
    bool inPower = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar plain = plainOfSuperscript(c);
        if (!plain.isNull()) {
            // x² is x2, as a pupil types it; a power of ten is 10^9.
            if (!inPower && !(c == QChar(0x00B2) && i > 0 && text[i - 1] == 'x'))
                name += '^';
            inPower = true;
            name += plain;
            continue;
        }
        inPower = false;
        if (c.isSpace() || c == QChar(0x202F) || c == QChar(0x2060))
            continue;
        switch (c.unicode()) {
        case 0x2212:
            name += '-';
            break;
        case 0x00B7:
            name += '*';
            break;
        case 0x2265:
            name += ">=";
            break;
        case 0x2264:
            name += "<=";
            break;
        case '/':
            name += '_';
            break;
        default:
            name += c;
        }
    }
    return name.isEmpty() ? QString("Решение") : name;
}
