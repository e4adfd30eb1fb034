#include "SqliteEngine.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/RecordsetData.h"
#include "platform/db/TemporalText.h"
#include "platform/db/WriteSql.h"

#include <QSqlDriver>

#include <sqlite3.h>

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
    switch (kind) {
    case FieldKind::Date: {
        QDate d;
        if (TemporalText::parseDate(s, n, &d))
            return d;
        QDateTime dt;
        if (TemporalText::parseDateTime(s, n, &dt))
            return dt;
        break;
    }
    case FieldKind::Time: {
        QTime t;
        if (TemporalText::parseTime(s, n, &t))
            return t;
        break;
    }
    case FieldKind::DateTime: {
        QDateTime dt;
        if (TemporalText::parseDateTime(s, n, &dt))
            return dt;
        break;
    }
    default:
        break;
    }
    return QString::fromUtf8(s, n);
}

QVariant columnValue(sqlite3_stmt* st, int col, FieldKind kind) {
    switch (sqlite3_column_type(st, col)) {
    case SQLITE_INTEGER: {
        const sqlite3_int64 v = sqlite3_column_int64(st, col);
        switch (kind) {
        case FieldKind::Boolean:
            return v != 0;
        case FieldKind::Double:
            return static_cast<double>(v);
        case FieldKind::BigInteger:
            return static_cast<qlonglong>(v);
        default:
            if (v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
                return static_cast<int>(v);
            return static_cast<qlonglong>(v);
        }
    }
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

// A value as this file stores it in a column of the given kind: dates and
// times as ISO text, flags as 0/1, typed date text in one stored form.
QVariant storedForm(const QVariant& value, FieldKind kind) {
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        if (kind == FieldKind::Boolean) {
            if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
                return 1;
            if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
                return 0;
        }
        if (kind == FieldKind::Date || kind == FieldKind::Time || kind == FieldKind::DateTime) {
            const QVariant parsed = TemporalText::parseLoose(text);
            if (parsed.isValid())
                return storedForm(parsed, kind);
        }
        return value;
    }
    if (value.typeId() == QMetaType::QDateTime && kind == FieldKind::Date &&
        value.toDateTime().time() == QTime(0, 0))
        return value.toDateTime().date();
    return value;
}

void bindValue(sqlite3_stmt* st, int n, const QVariant& raw, FieldKind kind) {
    if (raw.isNull()) {
        sqlite3_bind_null(st, n);
        return;
    }
    const QVariant value = storedForm(raw, kind);
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
    default:
        break;
    }
    QString text;
    if (value.typeId() == QMetaType::QDate)
        text = TemporalText::formatDate(value.toDate());
    else if (value.typeId() == QMetaType::QTime)
        text = TemporalText::formatTime(value.toTime());
    else if (value.typeId() == QMetaType::QDateTime)
        text = TemporalText::formatDateTime(value.toDateTime());
    else
        text = value.toString();
    sqlite3_bind_text16(st, n, text.utf16(), static_cast<int>(text.size() * 2), SQLITE_TRANSIENT);
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

} // namespace

SqliteEngine::SqliteEngine(Connection& connection)
    : m_db(handleOf(connection)) {
    if (!m_db)
        throw DbError(QStringLiteral("数据库连接未打开"));
}

SqliteEngine::~SqliteEngine() {
    for (sqlite3_stmt* st : std::as_const(m_statements))
        sqlite3_finalize(st);
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

sqlite3_stmt* SqliteEngine::prepared(const QByteArray& key, const QString& sql) {
    sqlite3_stmt* st = m_statements.value(key);
    if (st)
        return st;
    if (sqlite3_prepare16_v3(m_db, sql.utf16(), static_cast<int>(sql.size() * 2),
                             SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        fail();
    }
    m_statements.insert(key, st);
    return st;
}

bool SqliteEngine::runWrite(sqlite3_stmt* st, RecordsetData& data, int row) {
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_reset(st);
        throw DbError(message);
    }
    if (rc == SQLITE_DONE) {
        sqlite3_reset(st);
        return false;
    }
    const std::vector<int> columns = WriteSql::columnFields(data);
    if (row < 0) {
        row = data.rowCount();
        data.store.appendEmptyRecord();
    }
    data.store.setIdentity(row, sqlite3_column_int64(st, 0));
    int c = 1;
    for (const int f : columns)
        data.store.setValue(row, f, columnValue(st, c++, data.fields[static_cast<size_t>(f)].kind));
    while (sqlite3_step(st) == SQLITE_ROW) {
    }
    sqlite3_reset(st);
    return true;
}

bool SqliteEngine::updateRow(RecordsetData& data, int row) {
    std::vector<int> setFields;
    QByteArray key("U");
    for (int f = 0; f < data.fieldCount(); ++f) {
        const bool changed = data.changed[static_cast<size_t>(f)] != 0;
        key.append(changed ? '1' : '0');
        if (changed)
            setFields.push_back(f);
    }
    const std::vector<int> columns = WriteSql::columnFields(data);
    sqlite3_stmt* st = m_statements.value(key);
    if (!st)
        st = prepared(key, WriteSql::update(WriteSql::Dialect::Sqlite, data, setFields, columns));
    sqlite3_clear_bindings(st);
    int n = 1;
    for (const int f : setFields)
        bindValue(st, n++, data.pending[static_cast<size_t>(f)],
                  data.fields[static_cast<size_t>(f)].kind);
    sqlite3_bind_int64(st, n++, data.store.identity(row));
    for (const int f : columns)
        bindValue(st, n++, data.store.value(row, f), data.fields[static_cast<size_t>(f)].kind);
    return runWrite(st, data, row);
}

bool SqliteEngine::deleteRow(RecordsetData& data, int row) {
    const std::vector<int> columns = WriteSql::columnFields(data);
    const QByteArray key("D");
    sqlite3_stmt* st = m_statements.value(key);
    if (!st)
        st = prepared(key, WriteSql::remove(WriteSql::Dialect::Sqlite, data, columns));
    sqlite3_clear_bindings(st);
    int n = 1;
    sqlite3_bind_int64(st, n++, data.store.identity(row));
    for (const int f : columns)
        bindValue(st, n++, data.store.value(row, f), data.fields[static_cast<size_t>(f)].kind);
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_DONE) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_reset(st);
        throw DbError(message);
    }
    sqlite3_reset(st);
    return sqlite3_changes(m_db) == 1;
}

void SqliteEngine::insertRow(RecordsetData& data) {
    std::vector<int> setFields;
    QByteArray key("I");
    for (int f = 0; f < data.fieldCount(); ++f) {
        const bool changed = data.changed[static_cast<size_t>(f)] != 0;
        key.append(changed ? '1' : '0');
        if (changed)
            setFields.push_back(f);
    }
    const std::vector<int> columns = WriteSql::columnFields(data);
    sqlite3_stmt* st = m_statements.value(key);
    if (!st)
        st = prepared(key, WriteSql::insert(WriteSql::Dialect::Sqlite, data, setFields, columns));
    sqlite3_clear_bindings(st);
    int n = 1;
    for (const int f : setFields)
        bindValue(st, n++, data.pending[static_cast<size_t>(f)],
                  data.fields[static_cast<size_t>(f)].kind);
    if (!runWrite(st, data, -1))
        throw DbError(QStringLiteral("新记录未能写入"));
}

} // namespace quill
