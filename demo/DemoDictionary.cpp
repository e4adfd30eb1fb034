#include "DemoDictionary.h"

#include "demo/DemoReports.h"
#include "demo/DemoSchema.h"

namespace quill {

namespace {

QVariant textOrNull(const QString& s) {
    return s.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : QVariant(s);
}

// A grid cell's text as stored: an empty cell is the empty text, not null.
QVariant shownText(const QString& s) {
    return s.isEmpty() ? QString::fromLatin1("") : s;
}

QVariant entry(const QStringList& list, qsizetype k) {
    return k < list.size() ? textOrNull(list.at(k)) : textOrNull(QString());
}

class Builder {
public:
    int add(int parid, const QVariant& proname, const QVariant& proval, bool proif,
            const QVariant& proval1 = textOrNull({}), const QVariant& proval2 = textOrNull({})) {
        const int proid = static_cast<int>(m_rows.size()) + 1;
        m_rows << QVariantList{parid, proid, proname, proval, proif, proval1, proval2};
        return proid;
    }
    QList<QVariantList> rows() const { return m_rows; }

private:
    QList<QVariantList> m_rows;
};

} // namespace

QList<QVariantList> DemoDictionary::rows() {
    Builder b;
    const int database = b.add(0, QStringLiteral("数据库"), QStringLiteral("DATABASE"), false);
    for (const DemoTable& table : DemoSchema::dataTables()) {
        const int tableRow = b.add(database, table.moduleTitle, table.name, false);
        for (const DemoColumn& c : table.columns) {
            b.add(tableRow, c.caption, c.field, false, c.typeCode, textOrNull(c.format));
        }
    }
    const int root = b.add(0, QStringLiteral("报表"), QStringLiteral("REPORT"), false);
    for (const DemoReport& r : DemoReports::all()) {
        const int report = b.add(root, r.name, r.table, true);
        for (qsizetype k = 0; k < r.display.size(); ++k) {
            b.add(report, r.display.at(k), entry(r.sort, k), false, entry(r.sum, k),
                  entry(r.group, k));
        }
        for (const DemoReport::Condition& c : r.conditions)
            b.add(report, shownText(c.connective), c.field, true, c.op, shownText(c.value));
    }
    return b.rows();
}

} // namespace quill
