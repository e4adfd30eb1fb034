#include "SqliteEngine.h"

#include "platform/db/ColumnValue.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/RecordsetData.h"
#include "platform/db/SnapshotReader.h"
#include "platform/db/TemporalText.h"
#include "platform/db/WriteSql.h"

#include <QSqlDriver>

#include <sqlite3.h>

#include <cstring>
#include <limits>
#include <memory>

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

// The row version: each value's storage class and bytes folded into 64 bits,
// word by word. The SQL function and the reader share it, so both see the
// very values the table holds, whatever they are read as.
quint64 fold(quint64 h, quint64 word) {
    h = (h ^ word) * 0x9e3779b97f4a7c15ull;
    return h ^ (h >> 29);
}

quint64 foldNumber(quint64 h, int type, quint64 word) {
    return fold(fold(h, static_cast<quint64>(type)), word);
}

quint64 foldDouble(quint64 h, double d) {
    quint64 bits;
    std::memcpy(&bits, &d, 8);
    return foldNumber(h, SQLITE_FLOAT, bits);
}

quint64 foldBytes(quint64 h, int type, const void* bytes, int length) {
    h = foldNumber(h, type, static_cast<quint64>(length));
    const char* p = static_cast<const char*>(bytes);
    for (; length >= 8; p += 8, length -= 8) {
        quint64 word;
        std::memcpy(&word, p, 8);
        h = fold(h, word);
    }
    if (length > 0) {
        quint64 word = 0;
        std::memcpy(&word, p, static_cast<size_t>(length));
        h = fold(h, word);
    }
    return h;
}

quint64 foldValue(quint64 h, sqlite3_value* v) {
    const int type = sqlite3_value_type(v);
    switch (type) {
    case SQLITE_INTEGER:
        return foldNumber(h, type, static_cast<quint64>(sqlite3_value_int64(v)));
    case SQLITE_FLOAT:
        return foldDouble(h, sqlite3_value_double(v));
    case SQLITE_TEXT:
        return foldBytes(h, type, sqlite3_value_text(v), sqlite3_value_bytes(v));
    case SQLITE_BLOB:
        return foldBytes(h, type, sqlite3_value_blob(v), sqlite3_value_bytes(v));
    default:
        return fold(h, static_cast<quint64>(type));
    }
}

// The value of a result column as a column of the kind gives it; with a
// version, the value as stored is folded into it as well.
QVariant columnValue(sqlite3_stmt* st, int col, FieldKind kind, quint64* version = nullptr) {
    const int type = sqlite3_column_type(st, col);
    switch (type) {
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_column_int64(st, col);
        if (version)
            *version = foldNumber(*version, type, static_cast<quint64>(v));
        // A number stored in a text column reads as the number it is.
        return integerAs(kind == FieldKind::Text ? FieldKind::Any : kind, v);
    }
    case SQLITE_FLOAT: {
        const double d = sqlite3_column_double(st, col);
        if (version)
            *version = foldDouble(*version, d);
        return d;
    }
    case SQLITE_TEXT: {
        const char* s = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
        const int n = sqlite3_column_bytes(st, col);
        if (version)
            *version = foldBytes(*version, type, s, n);
        return textValue(s, n, kind);
    }
    case SQLITE_BLOB: {
        const void* b = sqlite3_column_blob(st, col);
        const int n = sqlite3_column_bytes(st, col);
        if (version)
            *version = foldBytes(*version, type, b, n);
        return QByteArray(static_cast<const char*>(b), n);
    }
    default:
        if (version)
            *version = fold(*version, static_cast<quint64>(type));
        return {};
    }
}

// Appends a result column's value to store as columnValue reads it; a
// float, and a text read as text, straight into the store.
void appendColumn(RecordStore& store, sqlite3_stmt* st, int col, FieldKind kind, quint64* version) {
    const int type = sqlite3_column_type(st, col);
    if (type == SQLITE_FLOAT) {
        const double d = sqlite3_column_double(st, col);
        if (version)
            *version = foldDouble(*version, d);
        store.appendDouble(d);
    } else if (type == SQLITE_TEXT && (kind == FieldKind::Text || kind == FieldKind::Any)) {
        const char* s = reinterpret_cast<const char*>(sqlite3_column_text(st, col));
        const int n = sqlite3_column_bytes(st, col);
        if (version)
            *version = foldBytes(*version, type, s, n);
        store.appendText(QString::fromUtf8(s, n));
    } else {
        store.append(columnValue(st, col, kind, version));
    }
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

// Binds the pending values of the fields a write sets, in their columns'
// own types, from parameter n on; returns the next parameter.
int bindPending(sqlite3_stmt* st, int n, const RecordsetData& data,
                const std::vector<int>& fields) {
    for (const int f : fields) {
        const FieldKind kind = data.fields[static_cast<size_t>(f)].kind;
        bindValue(st, n++, ColumnValue::typed(data.pending[static_cast<size_t>(f)], kind), kind);
    }
    return n;
}

// Binds the identity and version of the row as it was read, which an update
// or delete matches so that it misses a row changed since.
void bindReadRow(sqlite3_stmt* st, int n, const RecordsetData& data, int row) {
    sqlite3_bind_int64(st, n, data.store.identity(row));
    sqlite3_bind_int64(st, n + 1, data.store.version(row));
}

// The version function: its seed (the version of the columns before these),
// then the values.
void rowVersion(sqlite3_context* context, int argc, sqlite3_value** argv) {
    quint64 h = argc > 0 ? static_cast<quint64>(sqlite3_value_int64(argv[0])) : 0;
    for (int i = 1; i < argc; ++i)
        h = foldValue(h, argv[i]);
    sqlite3_result_int64(context, static_cast<sqlite3_int64>(h));
}

// Whether the text from tail to end holds no further statement: nothing but
// blanks, comments and semicolons, as SQLite's own parser reads them.
bool nothingMore(sqlite3* db, const void* tail, const void* end) {
    const char* p = static_cast<const char*>(tail);
    const char* const stop = static_cast<const char*>(end);
    while (p < stop) {
        sqlite3_stmt* st = nullptr;
        const void* next = nullptr;
        const int rc = sqlite3_prepare16_v2(db, p, static_cast<int>(stop - p), &st, &next);
        const bool statement = st != nullptr;
        sqlite3_finalize(st);
        if (rc != SQLITE_OK || statement || static_cast<const char*>(next) <= p)
            return false;
        p = static_cast<const char*>(next);
    }
    return true;
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

// How a result's columns are read: each field's kind, whether it shows a
// table column (and so counts in the version), and the column of field 0.
struct ReadShape {
    std::vector<FieldKind> kinds;
    std::vector<std::uint8_t> versioned;
    int first = 0;
};

// Describes the result's fields into data.
ReadShape describe(sqlite3_stmt* st, bool withIdentity, RecordsetData& data) {
    ReadShape shape;
    const int columns = sqlite3_column_count(st);
    shape.first = withIdentity ? 1 : 0;
    const QString table = unquoted(data.table);
    for (int c = shape.first; c < columns; ++c) {
        FieldInfo field;
        field.name = QString::fromUtf8(sqlite3_column_name(st, c));
        field.kind = kindOf(sqlite3_column_decltype(st, c));
        const char* origin = sqlite3_column_origin_name(st, c);
        const char* from = sqlite3_column_table_name(st, c);
        if (withIdentity && origin && from &&
            QString::fromUtf8(from).compare(table, Qt::CaseInsensitive) == 0)
            field.column = QString::fromUtf8(origin);
        shape.versioned.push_back(field.column.isEmpty() ? 0 : 1);
        shape.kinds.push_back(field.kind);
        data.fields.push_back(std::move(field));
    }
    data.store.setFieldCount(columns - shape.first);
    return shape;
}

// Appends up to limit records of the result to store; false once it has no more.
bool readRows(sqlite3_stmt* st, const ReadShape& shape, int limit, RecordStore& store) {
    const int fieldCount = static_cast<int>(shape.kinds.size());
    for (int n = 0; n < limit; ++n) {
        const int rc = sqlite3_step(st);
        if (rc == SQLITE_DONE)
            return false;
        if (rc != SQLITE_ROW)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(st))));
        quint64 version = 0;
        for (int f = 0; f < fieldCount; ++f) {
            const size_t k = static_cast<size_t>(f);
            appendColumn(store, st, f + shape.first, shape.kinds[k],
                         shape.versioned[k] ? &version : nullptr);
        }
        store.endRecord(shape.first > 0 ? sqlite3_column_int64(st, 0) : 0,
                        static_cast<qint64>(version));
    }
    return true;
}

// A read-only connection to the connection's file.
class SqliteReader : public SnapshotReader {
public:
    // Null for a database without a file of its own.
    static std::unique_ptr<SqliteReader> open(sqlite3* main) {
        const char* file = sqlite3_db_filename(main, "main");
        if (!file || !*file)
            return nullptr;
        sqlite3* db = nullptr;
        // One thread at a time uses it: no locking on every call.
        if (sqlite3_open_v2(file, &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) !=
            SQLITE_OK) {
            sqlite3_close(db);
            return nullptr;
        }
        sqlite3_busy_timeout(db, 10000);
        return std::unique_ptr<SqliteReader>(new SqliteReader(db));
    }
    ~SqliteReader() override { sqlite3_close_v2(m_db); }
    bool reusable() const override { return sqlite3_get_autocommit(m_db) != 0; }
    sqlite3* db() const { return m_db; }

private:
    explicit SqliteReader(sqlite3* db)
        : m_db(db) {}
    sqlite3* m_db;
};

// The rest of a result, read in the read transaction of the reader.
class SqliteCursor : public RecordCursor {
public:
    SqliteCursor(Connection& connection, std::unique_ptr<SqliteReader> reader, sqlite3_stmt* st,
                 ReadShape shape)
        : m_connection(connection)
        , m_reader(std::move(reader))
        , m_st(st)
        , m_shape(std::move(shape)) {}
    ~SqliteCursor() override {
        sqlite3_finalize(m_st);
        sqlite3_exec(m_reader->db(), "COMMIT", nullptr, nullptr, nullptr);
        m_connection.keepReader(std::move(m_reader));
    }
    SqliteCursor(const SqliteCursor&) = delete;
    SqliteCursor& operator=(const SqliteCursor&) = delete;

    bool fetch(int count, RecordsetData& data) override {
        return readRows(m_st, m_shape, count, data.store);
    }
    int count() override {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(m_reader->db(), sqlite3_sql(m_st), -1, &raw, nullptr) != SQLITE_OK) {
            sqlite3_finalize(raw);
            throw DbError(QString::fromUtf8(sqlite3_errmsg(m_reader->db())));
        }
        Statement again(raw);
        int rows = 0;
        int rc;
        while ((rc = sqlite3_step(raw)) == SQLITE_ROW)
            ++rows;
        if (rc != SQLITE_DONE)
            throw DbError(QString::fromUtf8(sqlite3_errmsg(m_reader->db())));
        return rows;
    }

private:
    Connection& m_connection;
    std::unique_ptr<SqliteReader> m_reader;
    sqlite3_stmt* m_st;
    ReadShape m_shape;
};

} // namespace

SqliteEngine::SqliteEngine(Connection& connection)
    : m_connection(connection)
    , m_db(handleOf(connection)) {
    if (!m_db)
        throw DbError(QStringLiteral("数据库连接未打开"));
    // Defined once per connection: defining it again would expire every
    // statement prepared on it.
    sqlite3_stmt* probe = nullptr;
    const QByteArray call = QByteArray("select ") + WriteSql::versionFunction + "(0)";
    const bool defined =
        sqlite3_prepare_v2(m_db, call.constData(), -1, &probe, nullptr) == SQLITE_OK;
    sqlite3_finalize(probe);
    if (!defined && sqlite3_create_function_v2(m_db, WriteSql::versionFunction, -1,
                                               SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                               rowVersion, nullptr, nullptr, nullptr) != SQLITE_OK)
        fail();
}

SqliteEngine::~SqliteEngine() {
    for (auto& entry : m_statements) {
        sqlite3_finalize(entry.second.statement);
        sqlite3_finalize(entry.second.reread);
    }
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

sqlite3_stmt* SqliteEngine::prepareOne(const QString& sql) {
    sqlite3_stmt* raw = nullptr;
    const void* tail = nullptr;
    const ushort* text = sql.utf16();
    const int bytes = static_cast<int>(sql.size() * 2);
    if (sqlite3_prepare16_v2(m_db, text, bytes, &raw, &tail) != SQLITE_OK) {
        sqlite3_finalize(raw);
        fail();
    }
    if (!nothingMore(m_db, tail, reinterpret_cast<const char*>(text) + bytes)) {
        sqlite3_finalize(raw);
        throw DbError(oneStatementOnly());
    }
    return raw;
}

// Outside a transaction the records are read on a reader connection of the
// recordset's own (kept for reuse), in a read transaction, so that the
// records not read yet stay as they were when it opened while this
// connection goes on writing (WAL lets both work at once). The first block
// is read there too: a result that ends within it ends its read transaction
// at once, and a larger one is never run twice (a sorted result is sorted
// once). Inside a transaction, whose writes only this connection sees, and
// for a command the reader cannot run as a plain read (a write, a temporary
// table of this connection), the records are read here, whole.
void SqliteEngine::fetch(const QString& sql, bool withIdentity, RecordsetData& data) {
    if (m_connection.transactionDepth() == 0 && fetchInSnapshot(sql, withIdentity, data))
        return;
    sqlite3_stmt* raw = prepareOne(sql);
    if (!raw)
        return; // an empty command
    Statement st(raw);
    const ReadShape shape = describe(raw, withIdentity, data);
    readRows(raw, shape, data.rowsLeft(), data.store);
    data.store.squeeze();
}

bool SqliteEngine::fetchInSnapshot(const QString& sql, bool withIdentity, RecordsetData& data) {
    std::unique_ptr<SqliteReader> reader(
        static_cast<SqliteReader*>(m_connection.takeReader().release()));
    if (!reader)
        reader = SqliteReader::open(m_db);
    if (!reader)
        return false;
    sqlite3* db = reader->db();
    sqlite3_stmt* raw = nullptr;
    const void* tail = nullptr;
    const ushort* text = sql.utf16();
    const int bytes = static_cast<int>(sql.size() * 2);
    if (sqlite3_prepare16_v2(db, text, bytes, &raw, &tail) != SQLITE_OK || !raw ||
        !sqlite3_stmt_readonly(raw) ||
        !nothingMore(db, tail, reinterpret_cast<const char*>(text) + bytes) ||
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_finalize(raw);
        m_connection.keepReader(std::move(reader));
        return false;
    }
    ReadShape shape = describe(raw, withIdentity, data);
    auto cursor =
        std::make_unique<SqliteCursor>(m_connection, std::move(reader), raw, std::move(shape));
    if (cursor->fetch(data.nextBlock(), data))
        data.cursor = std::move(cursor);
    return true;
}

void SqliteEngine::execute(const QString& sql) {
    sqlite3_stmt* raw = prepareOne(sql);
    if (!raw)
        return;
    Statement st(raw);
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        fail();
}

SqliteEngine::Prepared& SqliteEngine::prepared(char kind, const RecordsetData& data) {
    if (m_last && m_lastKey.first == kind && m_lastKey.second == data.changed)
        return *m_last;
    Key key(kind, data.changed);
    auto it = m_statements.find(key);
    if (it == m_statements.end()) {
        Prepared p;
        p.statement = preparePersistent(
            WriteSql::forChanges(kind, WriteSql::Dialect::Sqlite, data, &p.setFields));
        if (kind == 'U') {
            try {
                p.reread = preparePersistent(WriteSql::reread(data, p.setFields));
            } catch (const DbError&) {
                sqlite3_finalize(p.statement);
                throw;
            }
        }
        it = m_statements.emplace(key, std::move(p)).first;
    }
    m_lastKey = std::move(key);
    m_last = &it->second;
    return it->second;
}

sqlite3_stmt* SqliteEngine::preparePersistent(const QString& sql) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare16_v3(m_db, sql.utf16(), static_cast<int>(sql.size() * 2),
                             SQLITE_PREPARE_PERSISTENT, &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        fail();
    }
    return st;
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
    // Where the key that is the rowid was set, the row now has that rowid.
    qint64 rowid = data.store.identity(row);
    for (const int f : p.setFields) {
        const FieldInfo& field = data.fields[static_cast<size_t>(f)];
        if (!alias.isEmpty() && field.column.compare(alias, Qt::CaseInsensitive) == 0)
            rowid =
                ColumnValue::typed(data.pending[static_cast<size_t>(f)], field.kind).toLongLong();
    }
    sqlite3_bind_int64(p.reread, 1, rowid);
    const int rc = sqlite3_step(p.reread);
    if (rc != SQLITE_ROW) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(m_db));
        sqlite3_reset(p.reread);
        throw DbError(message);
    }
    data.store.setIdentity(row, rowid);
    data.store.setVersion(row, sqlite3_column_int64(p.reread, 0));
    int c = 1;
    for (const int f : p.setFields)
        data.store.setValue(row, f,
                            columnValue(p.reread, c++, data.fields[static_cast<size_t>(f)].kind));
    sqlite3_reset(p.reread);
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
    data.store.setVersion(row, sqlite3_column_int64(st, 1));
    int c = 2;
    for (const int f : data.columnFields)
        data.store.setValue(row, f, columnValue(st, c++, data.fields[static_cast<size_t>(f)].kind));
    while (sqlite3_step(st) == SQLITE_ROW) {
    }
    sqlite3_reset(st);
}

} // namespace quill
