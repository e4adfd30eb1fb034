#include "TableDump.h"

#include <QDate>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTime>

#include <gtest/gtest.h>

namespace quill::test {

namespace {

QString canonical(const QVariant& v, const DemoColumn& column) {
    if (v.isNull())
        return "<null>";
    switch (column.typeCode.at(0).unicode()) {
    case u'T': {
        const QDate d = v.typeId() == QMetaType::QDate
                            ? v.toDate()
                            : QDate::fromString(v.toString(), Qt::ISODate);
        return d.isValid() ? d.toString(Qt::ISODate) : QStringLiteral("bad date ") + v.toString();
    }
    case u'Y': {
        const QTime t = v.typeId() == QMetaType::QTime
                            ? v.toTime()
                            : QTime::fromString(v.toString(), "HH:mm:ss");
        return t.isValid() ? t.toString("HH:mm:ss") : QStringLiteral("bad time ") + v.toString();
    }
    case u'D':
        return QString::number(v.toDouble(), 'f', 2);
    case u'I':
        return QString::number(v.toLongLong());
    case u'B':
        return v.toBool() ? "1" : "0";
    case u'O':
        return QString::fromLatin1(v.toByteArray().toHex());
    default:
        return QStringLiteral("'") + v.toString() + u'\'';
    }
}

QString line(const QVariantList& row, const DemoTable& table) {
    QStringList cells;
    for (qsizetype c = 0; c < table.columns.size(); ++c)
        cells << canonical(row.at(c), table.columns.at(c));
    return cells.join(u'|');
}

} // namespace

QStringList dumpTable(const QSqlDatabase& database, const DemoTable& table) {
    QSqlQuery q(database);
    q.setForwardOnly(true);
    QStringList out;
    if (!q.exec(QStringLiteral("select %1 from %2").arg(table.fields().join(u','), table.name))) {
        ADD_FAILURE() << q.lastError().text().toStdString();
        return out;
    }
    while (q.next()) {
        QVariantList row;
        for (qsizetype c = 0; c < table.columns.size(); ++c)
            row << q.value(static_cast<int>(c));
        out << line(row, table);
    }
    out.sort();
    return out;
}

QStringList dumpGenerated(const DemoGenerator& generator, const DemoTable& table) {
    QStringList out;
    generator.generate(table.name, [&](const QVariantList& row) { out << line(row, table); });
    out.sort();
    return out;
}

} // namespace quill::test
