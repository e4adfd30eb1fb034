#include "WorkbookNumberFormat.h"

#include "platform/vb/DateSerial.h"

#include <cmath>

namespace quill {

namespace {

// The code without quoted literals, escaped characters and [colour] parts,
// lower-cased, first section only.
QString codeSkeleton(const QString& code) {
    QString out;
    bool quoted = false;
    bool bracket = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code[i];
        if (quoted) {
            quoted = c != u'"';
        } else if (bracket) {
            bracket = c != u']';
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u'[') {
            bracket = true;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u';') {
            break;
        } else {
            out += c.toLower();
        }
    }
    return out;
}

} // namespace

WorkbookNumberFormat WorkbookNumberFormat::builtIn(int id) {
    switch (id) {
    case 1:
        return fromCode(QStringLiteral("0"));
    case 2:
        return fromCode(QStringLiteral("0.00"));
    case 3:
        return fromCode(QStringLiteral("#,##0"));
    case 4:
        return fromCode(QStringLiteral("#,##0.00"));
    case 9:
        return fromCode(QStringLiteral("0%"));
    case 10:
        return fromCode(QStringLiteral("0.00%"));
    case 14:
    case 15:
    case 16:
    case 17:
        return fromCode(QStringLiteral("yyyy-mm-dd"));
    case 18:
    case 19:
    case 20:
    case 21:
    case 45:
    case 46:
    case 47:
        return fromCode(QStringLiteral("hh:mm:ss"));
    case 22:
        return fromCode(QStringLiteral("yyyy-mm-dd hh:mm:ss"));
    default:
        return WorkbookNumberFormat();
    }
}

WorkbookNumberFormat WorkbookNumberFormat::fromCode(const QString& code) {
    const QString s = codeSkeleton(code);
    WorkbookNumberFormat f;
    const bool date = s.contains(u'y') || s.contains(u'd');
    const bool time = s.contains(u'h') || s.contains(u's');
    if (date || time) {
        f.m_kind = date && time ? Kind::DateTime : (date ? Kind::Date : Kind::Time);
        return f;
    }
    if (!s.contains(u'0') && !s.contains(u'#'))
        return f;
    f.m_kind = Kind::Fixed;
    const qsizetype point = s.indexOf(u'.');
    if (point >= 0) {
        for (qsizetype i = point + 1; i < s.size() && (s[i] == u'0' || s[i] == u'#'); ++i)
            ++f.m_decimals;
    }
    f.m_grouping = s.left(point < 0 ? s.size() : point).contains(u',');
    f.m_percent = s.contains(u'%');
    return f;
}

QString WorkbookNumberFormat::fixedCode(int decimals) {
    return decimals == 0 ? QStringLiteral("0") : QStringLiteral("0.") + QString(decimals, u'0');
}

QString WorkbookNumberFormat::format(double value) const {
    if (!std::isfinite(value))
        return QString::number(value);
    switch (m_kind) {
    case Kind::General: {
        QString text = QString::number(value, 'g', 15);
        return text.replace(u'e', u'E');
    }
    case Kind::Fixed: {
        const double shown = m_percent ? value * 100 : value;
        QString text = QString::number(shown, 'f', m_decimals);
        if (m_grouping) {
            const qsizetype digitsFrom = text.startsWith(u'-') ? 1 : 0;
            const qsizetype point = text.indexOf(u'.');
            for (qsizetype i = (point < 0 ? text.size() : point) - 3; i > digitsFrom; i -= 3)
                text.insert(i, u',');
        }
        return m_percent ? text + u'%' : text;
    }
    case Kind::Date:
    case Kind::Time:
    case Kind::DateTime:
        break;
    }
    const QDateTime at = vb::DateTimeFromSerial(value);
    if (!at.isValid())
        return WorkbookNumberFormat().format(value);
    if (m_kind == Kind::Date)
        return at.date().toString(QStringLiteral("yyyy-MM-dd"));
    if (m_kind == Kind::Time)
        return at.time().toString(QStringLiteral("hh:mm:ss"));
    return at.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

} // namespace quill
