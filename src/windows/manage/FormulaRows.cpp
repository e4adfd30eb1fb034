#include "windows/manage/FormulaRows.h"

#include <QRegularExpression>

namespace quill {

namespace {

// A cell reference not glued to a name, a number or a sheet on either side
// (so LOG10( and Sheet1!A1 are left alone, and a call such as A1( too).
const QRegularExpression& reference() {
    static const QRegularExpression re(
        QStringLiteral(R"((?<![A-Za-z0-9_.$!])(\$?[A-Za-z]{1,3})(\$?)([0-9]+)(?![A-Za-z0-9_(!]))"));
    return re;
}

QString shiftedOutsideQuotes(const QString& text, int rows) {
    QString out;
    qsizetype last = 0;
    for (auto it = reference().globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += QStringView(text).mid(last, m.capturedStart() - last);
        out += m.captured(1) + m.captured(2);
        out += m.captured(2).isEmpty() ? QString::number(m.captured(3).toLongLong() + rows)
                                       : m.captured(3);
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

} // namespace

QString FormulaRows::shifted(const QString& formula, int rows) {
    if (rows == 0 || !formula.startsWith(u'='))
        return formula;
    // Quoted texts ("..." with "" inside) alternate with formula parts.
    QString out;
    qsizetype i = 0;
    while (i < formula.size()) {
        const qsizetype quote = formula.indexOf(u'"', i);
        const qsizetype partEnd = quote < 0 ? formula.size() : quote;
        out += shiftedOutsideQuotes(formula.mid(i, partEnd - i), rows);
        if (quote < 0)
            break;
        qsizetype close = quote + 1;
        while (close < formula.size()) {
            if (formula.at(close) == u'"' && close + 1 < formula.size() &&
                formula.at(close + 1) == u'"')
                close += 2;
            else if (formula.at(close) == u'"')
                break;
            else
                ++close;
        }
        out += formula.mid(quote, close + 1 - quote);
        i = close + 1;
    }
    return out;
}

} // namespace quill
