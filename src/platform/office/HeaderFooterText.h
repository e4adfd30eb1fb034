#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

namespace quill {

// A header or footer section as spreadsheet applications read it: "&P" page
// number, "&N" page count, "&A" sheet name, "&D" date, "&T" time, "&F" file
// name, "&&" an ampersand, "&"font,style"" a font, "&" and a number a size,
// "&B", "&I", "&U" bold, italic and underline on or off. Any other code,
// such as "& ", is dropped with its character.
class HeaderFooterText {
public:
    struct Fields {
        int page = 1;
        int pages = 1;
        QString sheetName;
        QString fileName;
        QDateTime now;
    };
    // A piece of text in one font.
    struct Run {
        QString text;
        QString family;       // "" for the default font
        double pointSize = 0; // 0 for the default size
        bool bold = false;
        bool italic = false;
        bool underline = false;
        bool operator==(const Run&) const = default;
    };

    static std::vector<Run> runs(const QString& code, const Fields& fields);
    // The text alone.
    static QString plainText(const QString& code, const Fields& fields);
};

} // namespace quill
