#include "SqliteEngine.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/RecordsetData.h"
#include "platform/db/TemporalText.h"
#include "platform/db/WriteSql.h"

#include <QSqlDriver>

#include <sqlite3.h>

#include <cmath>
#include <limits>

namespace quill {

namespace {

FieldKind kindOf(const char* declared) {
    if (!declared || !*declared)
        return FieldKind::Any;
    const QByteArray t = QByteArray(declared).toUpper();
    if (t.contains("DATETIME") || t.contains("TIMESTAMP"))
        return FieldKind::DateTime;
    if (t.contains("DATE"))
        return FieldKind::Date;
    if (t.contains("TIME"))
        return FieldKind::Time;
    if (t.contains("BOOL") || t == "BIT")
        return FieldKind::Boolean;
    if (t.contains("BIGINT") || t.contains("INT8"))
        return FieldKind::BigInteger;
    if (t.contains("INT"))
        return FieldKind::Integer;
    if (t.contains("CHAR") || t.contains("CLOB") || t.contains("TEXT"))
        return FieldKind::Text;
    if (t.contains("BLOB"))
        return FieldKind::Blob;
    if (t.contains("REAL") || t.contains("FLOA") || t.contains("DOUB") || t.contains("NUM") ||
        t.contains("DEC") || t.contains("MONEY"))
        return FieldKind::Double;
    return FieldKind::Any;
}

QVariant textValue(const char* s, int n, FieldKind kind) {
    QVariant v = TemporalText::parse(s, n, kind);
    // A date column may hold a date with its time of day.
    if (!v.isValid() && kind == FieldKind::Date)
        v = TemporalText::parse(s, n, FieldKind::DateTime);
    return v.isValid() ? v : QString::fromUtf8(s, n);
}

// A whole number as a column of the kind gives it back.
QVariant integerAs(FieldKind kind, qint64 v) {
    switch (kind) {
    case FieldKind::Boolean:
        return v != 0;
    case FieldKind::Double:
        return static_cast<double>(v);
    case FieldKind::BigInteger:
        return static_cast<qlonglong>(v);
    case FieldKind::Text:
        return QString::number(v);
    default:
        if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
            return static_cast<int>(v);
        return static_cast<qlonglong>(v);
    }
}

QVariant columnValue(sqlite3_stmt* st, int col, FieldKind kind) {
    switch (sqlite3_column_type(st, col)) {
    case SQLITE_INTEGER:
        // A number stored in a text column reads as the number it is.
        return integerAs(kind == FieldKind::Text ? FieldKind::Any : kind,
                         sqlite3_column_int64(st, col));
    case SQLITE_FLOAT:
        return sqlite3_column_double(st, col);
    case SQLITE_TEXT: {
        const char* s = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
        return textValue(s, sqlite3_column_bytes(st, col), kind);
    }
    case SQLITE_BLOB: {
        const void* b = sqlite3_column_blob(st, col);
        return QByteArray(static_cast<const char*>(b), sqlite3_column_bytes(st, col));
    }
    default:
        return {};
    }
}

// Text written to a flag or date column in the form this file stores there:
// "true"/"false" as 1/0, dates and times typed in any usual way as ISO text.
// Invalid when the text is kept as it is.
QVariant typedText(const QString& text, FieldKind kind) {
    if (kind == FieldKind::Boolean) {
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return 1;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return 0;
    }
    if (kind == FieldKind::Date || kind == FieldKind::Time || kind == FieldKind::DateTime)
        return TemporalText::parseLoose(text);
    return {};
}

bool numericAffinity(FieldKind kind) {
    return kind == FieldKind::Integer || kind == FieldKind::BigInteger ||
           kind == FieldKind::Double || kind == FieldKind::Boolean || kind == FieldKind::Date ||
           kind == FieldKind::Time || kind == FieldKind::DateTime;
}

QVariant textAs(const QString& text, FieldKind kind) {
    const QByteArray utf8 = text.toUtf8();
    return textValue(utf8.constData(), static_cast<int>(utf8.size()), kind);
}

// What reading a value back gives after writing it to a column of the kind:
// the column's affinity turns numbers into text and numeric text into
// numbers, and dates and times are kept as ISO text. Saves re-reading each
// written record.
QVariant storedValue(const QVariant& value, FieldKind kind) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Bool:
        return integerAs(kind, value.toBool() ? 1 : 0);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return integerAs(kind, value.toLongLong());
    case QMetaType::ULongLong:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (numericAffinity(kind) && kind != FieldKind::Double && std::trunc(d) == d &&
            std::abs(d) < 9.0e18)
            return integerAs(kind, static_cast<qint64>(d));
        if (kind == FieldKind::Text) {
            QString text = QString::number(d, 'g', 15);
            if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')) &&
                std::isfinite(d))
                text += QLatin1String(".0");
            return text;
        }
        return d;
    }
    case QMetaType::QByteArray:
        return value;
    case QMetaType::QDate:
        return textAs(TemporalText::formatDate(value.toDate()), kind);
    case QMetaType::QTime:
        return textAs(TemporalText::formatTime(value.toTime()), kind);
    case QMetaType::QDateTime:
        if (kind == FieldKind::Date && value.toDateTime().time() == QTime(0, 0))
            return value.toDateTime().date();
        return textAs(TemporalText::formatDateTime(value.toDateTime()), kind);
    default:
        break;
    }
    const QString text = value.toString();
    const QVariant typed = typedText(text, kind);
    if (typed.isValid())
        return storedValue(typed, kind);
    if (numericAffinity(kind)) {
        bool ok = false;
        const qlonglong i = text.trimmed().toLongLong(&ok);
        if (ok)
            return integerAs(kind, i);
        const double d = text.trimmed().toDouble(&ok);
        if (ok)
            return storedValue(d, kind);
    }
    return textAs(text, kind);
}

void bindText(sqlite3_stmt* st, int n, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(st, n, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void bindValue(sqlite3_stmt* st, int n, const QVariant& value, FieldKind kind) {
    if (value.isNull()) {
        sqlite3_bind_null(st, n);
        return;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        sqlite3_bind_int(st, n, value.toBool() ? 1 : 0);
        return;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        sqlite3_bind_int64(st, n, value.toLongLong());
        return;
    case QMetaType::ULongLong:
    case QMetaType::ULong:
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(st, n, value.toDouble());
        return;
    case QMetaType::QByteArray: {
        const QByteArray b = value.toByteArray();
        sqlite3_bind_blob(st, n, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
        return;
    }
    case QMetaType::QDate:
        bindText(st, n, TemporalText::formatDate(value.toDate()));
        return;
    case QMetaType::QTime:
        bindText(st, n, TemporalText::formatTime(value.toTime()));
        return;
    case QMetaType::QDateTime:
        if (kind == FieldKind::Date && value.toDateTime().time() == QTime(0, 0))
            bindText(st, n, TemporalText::formatDate(value.toDateTime().date()));
        else
            bindText(st, n, TemporalText::formatDateTime(value.toDateTime()));
        return;
    case QMetaType::QString: {
        const QVariant typed = typedText(value.toString(), kind);
        if (typed.isValid())
            bindValue(st, n, typed, kind);
        else
            bindText(st, n, value.toString());
        return;
    }
    default:
        bindText(st, n, value.toString());
        return;
    }
}

QString unquoted(const QString& table) {
    QString t = table;
    if (t.size() >= 2 && (t.startsWith(QLatin1Char('"')) || t.startsWith(QLatin1Char('`')) ||
                          t.startsWith(QLatin1Char('['))))
        return t.mid(1, t.size() - 2);
    const qsizetype dot = t.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? t : t.mid(dot + 1);
}

class Statement {
public:
    explicit Statement(sqlite3_stmt* st)
        : m_st(st) {}
    ~Statement() { sqlite3_finalize(m_st); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    sqlite3_stmt* get() const { return m_st; }

private:
    sqlite3_stmt* m_st;
};

// Binds the pending values of the fields a write sets from parameter n on;
// returns the next parameter.
int bindPending(sqlite3_stmt* st, int n, const RecordsetData& data,
                const std::vector<int>& fields) {
    for (const int f : fields)
        bindValue(st, n++, data.pending[static_cast<size_t>(f)],
                  data.fields[static_cast<size_t>(f)].kind);
    return n;
}

// Binds the row as it was read, its identity and then each column's value,
// which an update or delete matches so that it misses a row changed since.
void bindReadRow(sqlite3_stmt* st, int n, const RecordsetData& data, int row) {
    sqlite3_bind_int64(st, n++, data.store.identity(row));
    for (const int f : data.columnFields)
        bindValue(st, n++, data.store.value(row, f), data.fields[static_cast<size_t>(f)].kind);
}

// Runs a write that returns no rows and resets it for its next use.
void runWrite(sqlite3* db, sqlite3_stmt* st) {
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_DONE) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_reset(st);
        throw DbError(message);
    }
    sqlite3_reset(st);
}

} // namespace

SqliteEngine::SqliteEngine(Connection& connection)
    : m_db(handleOf(connection)) {
    if (!m_db)
        throw DbError(QStringLiteral("数据库连接未打开"));
}

SqliteEngine::~SqliteEngine() {
    for (auto& entry : m_statements)
        sqlite3_finalize(entry.second.statement);
}

sqlite3* SqliteEngine::handleOf(const Connection& connection) {
    const QSqlDatabase db = connection.database();
    if (!db.isOpen() || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

void SqliteEngine::fail() const {
    throw DbError(QString::fromUtf8(sqlite3_errmsg(m_db)));
}

void SqliteEngine::fetch(const QString& sql, bool withIdentity, RecordsetData& data) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare16_v2(m_db, sql.utf16(), static_cast<int>(sql.size() * 2), &raw, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(raw);
        fail();
    }
    if (!raw)
        return; // an empty command
    Statement st(raw);
    const int columns = sqlite3_column_count(raw);
    const int first = withIdentity ? 1 : 0;
    const QString table = unquoted(data.table);
    std::vector<FieldKind> kinds;
    for (int c = first; c < columns; ++c) {
        FieldInfo field;
        field.name = QString::fromUtf8(sqlite3_column_name(raw, c));
        field.kind = kindOf(sqlite3_column_decltype(raw, c));
        const char* origin = sqlite3_column_origin_name(raw, c);
        const char* from = sqlite3_column_table_name(raw, c);
        if (withIdentity && origin && from &&
            QString::fromUtf8(from).compare(table, Qt::CaseInsensitive) == 0)
            field.column = QString::fromUtf8(origin);
        kinds.push_back(field.kind);
        data.fields.push_back(std::move(field));
    }
    const int fieldCount = columns - first;
    data.store.setFieldCount(fieldCount);
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        for (int f = 0; f < fieldCount; ++f)
            data.store.append(columnValue(raw, f + first, kinds[static_cast<size_t>(f)]));
        data.store.endRecord(withIdentity ? sqlite3_column_int64(raw, 0) : 0);
    }
    if (rc != SQLITE_DONE)
        fail();
    data.store.squeeze();
}

void SqliteEngine::execute(const QString& sql) {
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) == SQLITE_OK)
        return;
    const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(m_db));
    sqlite3_free(error);
    throw DbError(message);
}

SqliteEngine::Prepared& SqliteEngine::prepared(char kind, const RecordsetData& data) {
    if (m_last && m_lastKey.first == kind && m_lastKey.second == data.changed)
        return *m_last;
    Key key(kind, data.changed);
    auto it = m_statements.find(key);
    if (it == m_statements.end()) {
        Prepared p;
        const QString sql =
            WriteSql::forChanges(kind, WriteSql::Dialect::Sqlite, data, &p.setFields);
        if (sqlite3_prepare16_v3(m_db, sql.utf16(), static_cast<int>(sql.size() * 2),
                                 SQLITE_PREPARE_PERSISTENT, &p.statement, nullptr) != SQLITE_OK) {
            sqlite3_finalize(p.statement);
            fail();
        }
        it = m_statements.emplace(key, std::move(p)).first;
    }
    m_lastKey = std::move(key);
    m_last = &it->second;
    return it->second;
}

const QString& SqliteEngine::rowidAlias(const RecordsetData& data) {
    if (m_rowidAliasKnown)
        return m_rowidAlias;
    sqlite3_stmt* raw = nullptr;
    const char* sql = "select name from pragma_table_info(?1) where pk = 1 and upper(type) = "
                      "'INTEGER' and (select count(*) from pragma_table_info(?1) where pk > 0) = 1";
    if (sqlite3_prepare_v2(m_db, sql, -1, &raw, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        fail();
    }
    Statement st(raw);
    const QByteArray table = unquoted(data.table).toUtf8();
    sqlite3_bind_text(raw, 1, table.constData(), static_cast<int>(table.size()), SQLITE_STATIC);
    if (sqlite3_step(raw) == SQLITE_ROW)
        m_rowidAlias =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, 0)));
    m_rowidAliasKnown = true;
    return m_rowidAlias;
}

bool SqliteEngine::updateRow(RecordsetData& data, int row) {
    const QString& alias = rowidAlias(data);
    const Prepared& p = prepared('U', data);
    const int n = bindPending(p.statement, 1, data, p.setFields);
    bindReadRow(p.statement, n, data, row);
    runWrite(m_db, p.statement);
    if (sqlite3_changes(m_db) != 1)
        return false;
    for (const int f : p.setFields) {
        const FieldInfo& field = data.fields[static_cast<size_t>(f)];
        const QVariant stored = storedValue(data.pending[static_cast<size_t>(f)], field.kind);
        data.store.setValue(row, f, stored);
        if (!alias.isEmpty() && field.column.compare(alias, Qt::CaseInsensitive) == 0)
            data.store.setIdentity(row, stored.toLongLong());
    }
    return true;
}

bool SqliteEngine::deleteRow(RecordsetData& data, int row) {
    sqlite3_stmt* st = prepared('D', data).statement;
    bindReadRow(st, 1, data, row);
    runWrite(m_db, st);
    return sqlite3_changes(m_db) == 1;
}

void SqliteEngine::insertRow(RecordsetData& data) {
    const Prepared& p = prepared('I', data);
    sqlite3_stmt* st = p.statement;
    bindPending(st, 1, data, p.setFields);
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_ROW) {
        const QString message = rc == SQLITE_DONE ? QStringLiteral("新记录未能写入")
                                                  : QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_reset(st);
        throw DbError(message);
    }
    const int row = data.rowCount();
    data.store.appendEmptyRecord();
    data.store.setIdentity(row, sqlite3_column_int64(st, 0));
    int c = 1;
    for (const int f : data.columnFields)
        data.store.setValue(row, f, columnValue(st, c++, data.fields[static_cast<size_t>(f)].kind));
    while (sqlite3_step(st) == SQLITE_ROW) {
    }
    sqlite3_reset(st);
}

} // namespace quill
