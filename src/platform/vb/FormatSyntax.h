#pragma once

#include "platform/vb/FormatCodes.h"

#include <QString>
#include <QStringView>
#include <vector>

namespace quill::vb {

// The pieces of a format text that the number and the date codes share.
namespace FormatSyntax {

// The sections of a format text, split at ";" outside quotes, escapes and
// (workbook codes) brackets.
std::vector<QStringView> sections(QStringView format, FormatCodes codes);

// A bracketed part of a workbook code, read from the "[" at `at`.
struct Bracket {
    enum class Kind { Ignored, Literal, ElapsedHours, ElapsedMinutes, ElapsedSeconds };
    Kind kind = Kind::Ignored;
    QString text;      // Literal: the text to show
    int width = 1;     // Elapsed: the letters, the least digits shown
    qsizetype end = 0; // index just past the "]"
};
Bracket bracket(QStringView format, qsizetype at);

} // namespace FormatSyntax

} // namespace quill::vb
