#include "platform/office/HeaderFooterText.h"

namespace quill {

namespace {

// Style names as spreadsheet applications write them, in English and Chinese.
void applyStyle(HeaderFooterText::Run& run, const QString& style) {
    const QString s = style.toLower();
    run.bold = s.contains(QLatin1String("bold")) || s.contains(QStringLiteral("加粗")) ||
               s.contains(QStringLiteral("粗体"));
    run.italic = s.contains(QLatin1String("italic")) || s.contains(QStringLiteral("倾斜")) ||
                 s.contains(QStringLiteral("斜体"));
}

} // namespace

std::vector<HeaderFooterText::Run> HeaderFooterText::runs(const QString& code,
                                                          const Fields& fields) {
    std::vector<Run> out;
    Run current;
    auto startRun = [&] {
        if (!current.text.isEmpty())
            out.push_back(current);
        current.text.clear();
    };
    const int n = int(code.size());
    for (int i = 0; i < n; ++i) {
        const QChar c = code[i];
        if (c != u'&') {
            current.text += c;
            continue;
        }
        if (i + 1 >= n)
            break;
        const QChar k = code[++i];
        switch (k.toUpper().unicode()) {
        case u'&':
            current.text += u'&';
            break;
        case u'P':
            current.text += QString::number(fields.page);
            break;
        case u'N':
            current.text += QString::number(fields.pages);
            break;
        case u'A':
            current.text += fields.sheetName;
            break;
        case u'F':
            current.text += fields.fileName;
            break;
        case u'D':
            current.text += fields.now.date().toString(QStringLiteral("yyyy-MM-dd"));
            break;
        case u'T':
            current.text += fields.now.time().toString(QStringLiteral("HH:mm"));
            break;
        case u'B':
            startRun();
            current.bold = !current.bold;
            break;
        case u'I':
            startRun();
            current.italic = !current.italic;
            break;
        case u'U':
            startRun();
            current.underline = !current.underline;
            break;
        case u'"': {
            const int close = int(code.indexOf(u'"', i + 1));
            const int end = close < 0 ? n : close;
            const QString font = code.mid(i + 1, end - i - 1);
            startRun();
            const int comma = int(font.indexOf(u','));
            current.family = (comma < 0 ? font : font.left(comma)).trimmed();
            if (current.family == QLatin1String("-"))
                current.family.clear();
            applyStyle(current, comma < 0 ? QString() : font.mid(comma + 1));
            i = end;
            break;
        }
        default:
            if (k.isDigit()) {
                int end = i;
                while (end < n && end - i < 3 && code[end].isDigit())
                    ++end;
                startRun();
                current.pointSize = code.mid(i, end - i).toDouble();
                i = end - 1;
            }
            break;
        }
    }
    startRun();
    return out;
}

QString HeaderFooterText::plainText(const QString& code, const Fields& fields) {
    QString text;
    for (const Run& run : runs(code, fields))
        text += run.text;
    return text;
}

} // namespace quill
