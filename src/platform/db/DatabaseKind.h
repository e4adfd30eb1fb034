#pragma once

#include <QString>

namespace quill {

// The one reading of the suite's DatabaseKind text: its leading numeric value
// (Val: blanks, a sign and a fraction allowed, 0 when there is none) above 1
// selects the quote dialect; 1, 0, empty and texts without a number the hash
// dialect. The connection and the clause builders ask here, so that they can
// never disagree.
bool isQuoteDialectKind(const QString& databaseKind);

} // namespace quill
