#include "windows/entry/ChosenRecord.h"

namespace quill {

namespace {

struct Choice {
    QString query;
    std::optional<Recordset::RowIdentity> identity;
    bool chosen = false;
};

Choice& current() {
    static Choice choice;
    return choice;
}

} // namespace

void ChosenRecord::choose(const QString& query, std::optional<Recordset::RowIdentity> identity) {
    current() = Choice{query, identity, true};
}

void ChosenRecord::clear() {
    current() = Choice{};
}

bool ChosenRecord::isChosen(const QString& query) {
    return current().chosen && current().query == query;
}

std::optional<Recordset::RowIdentity> ChosenRecord::identityFor(const QString& query) {
    return isChosen(query) ? current().identity : std::nullopt;
}

} // namespace quill
