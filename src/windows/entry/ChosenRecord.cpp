#include "windows/entry/ChosenRecord.h"

namespace quill {

namespace {

struct Choice {
    QString query;
    QVariantList values;
    bool chosen = false;
};

Choice& current() {
    static Choice choice;
    return choice;
}

} // namespace

void ChosenRecord::choose(const QString& query, const QVariantList& values) {
    current() = Choice{query, values, true};
}

void ChosenRecord::clear() {
    current() = Choice{};
}

QVariantList ChosenRecord::valuesFor(const QString& query) {
    const Choice& c = current();
    return c.chosen && c.query == query ? c.values : QVariantList();
}

bool ChosenRecord::isChosen(const QString& query) {
    return current().chosen && current().query == query;
}

} // namespace quill
