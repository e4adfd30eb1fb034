#pragma once

#include <QString>
#include <QStringList>

namespace quill {

// The options of "quill report", the run of a report without a window. Parsed
// before any toolkit exists, so that nothing of the command line is taken as
// the toolkit's own.
struct ReportOptions {
    QString workspace;
    QString title;  // empty: the workspace's module title
    QString report; // empty: the table's own records
    QString period; // "first[:last]"
    QString date;   // "first[:last]"
    QString output;
    bool list = false;
    bool help = false;
    QString error; // arguments that do not make a run, for the user

    // The output kinds by extension, lower case.
    static const QStringList OutputKinds;

    // argv[1] is "report"; the rest are its options.
    static ReportOptions parse(int argc, char** argv);
    static QString helpText();
    // The extension of `output` in lower case.
    QString outputKind() const;
};

} // namespace quill
