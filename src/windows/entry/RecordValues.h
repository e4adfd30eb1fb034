#pragma once

#include <QString>
#include <QVariant>

#include <optional>

namespace quill {

class RecordEntry;

// The value each grid row puts into its field on OK, from the row's text:
//   T, Y  null when blank, else the date or the time the text holds
//   D, I  0 when blank, else the text's numeric value (never the text)
//   B     true when the trimmed text is "True", else false
//   S     null when empty; department, team and group names as their codes
// Other codes and the rows of ReadOnlyColumns1/2 are not written. In modify
// mode a row the user did not edit is not written either: the grid shows
// formatted text, and the field keeps its stored value exactly.
class RecordValues {
public:
    explicit RecordValues(const RecordEntry& entry);

    // What the row writes; nullopt when it writes nothing. A name that is no
    // unit of the organisation is refused with the text to show.
    std::optional<QVariant> written(int row, QString* refusal) const;
    // The value the field holds once the record is written: what the row
    // writes, else the value the record already has (null for a new one).
    QVariant after(int row, QString* refusal) const;

private:
    QVariant fromText(int row, QString* refusal) const;
    QVariant organisationCode(int row, const QString& name, QString* refusal) const;

    const RecordEntry& m_entry;
};

} // namespace quill
