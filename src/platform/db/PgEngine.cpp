#include "PgEngine.h"

#include "platform/db/ColumnValue.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/RecordsetData.h"
#include "platform/db/SnapshotReader.h"
#include "platform/db/TemporalText.h"
#include "platform/db/WriteSql.h"

#include <QSqlDriver>

#include <libpq-fe.h>

#include <atomic>
#include <charconv>
#include <cstring>
#include <memory>
#include <utility>

namespace quill {

// How a result's columns are read: the table's columns by number and oid
// (for the fields that show them) and the kind of each field.
struct PgReadShape {
    bool withIdentity = false;
    std::vector<QString> columns;
    unsigned tableOid = 0;
    std::vector<FieldKind> kinds;
};

namespace {

// Type oids of the built-in types read as something other than text.
enum : Oid {
    BoolOid = 16,
    ByteaOid = 17,
    Int8Oid = 20,
    Int2Oid = 21,
    Int4Oid = 23,
    OidOid = 26,
    Float4Oid = 700,
    Float8Oid = 701,
    DateOid = 1082,
    TimeOid = 1083,
    TimestampOid = 1114,
    TimestampTzOid = 1184,
    NumericOid = 1700
};

FieldKind kindOf(Oid type) {
    switch (type) {
    case BoolOid:
        return FieldKind::Boolean;
    case ByteaOid:
        return FieldKind::Blob;
    case Int8Oid:
        return FieldKind::BigInteger;
    case Int2Oid:
    case Int4Oid:
    case OidOid:
        return FieldKind::Integer;
    case Float4Oid:
    case Float8Oid:
        return FieldKind::Double;
    case NumericOid:
        return FieldKind::Decimal;
    case DateOid:
        return FieldKind::Date;
    case TimeOid:
        return FieldKind::Time;
    case TimestampOid:
    case TimestampTzOid:
        return FieldKind::DateTime;
    default:
        return FieldKind::Text;
    }
}

// Whether the decimal text has at most 15 significant digits and a moderate
// exponent: then the nearest double gives back exactly its digits.
bool doubleHoldsExactly(const char* s, int n) {
    int significant = 0;
    int pendingZeros = 0;
    int wholeDigits = 0;
    bool started = false;
    bool fraction = false;
    for (int i = 0; i < n; ++i) {
        const char c = s[i];
        if (c == '.') {
            fraction = true;
            continue;
        }
        if (c == '-' || c == '+')
            continue;
        if (c < '0' || c > '9')
            return false; // NaN, Infinity, exponents: kept as text
        if (!fraction && (started || c != '0'))
            ++wholeDigits;
        if (c == '0') {
            if (started)
                ++pendingZeros;
            continue;
        }
        significant += started ? pendingZeros + 1 : 1;
        pendingZeros = 0;
        started = true;
    }
    return significant <= 15 && wholeDigits <= 300;
}

QVariant cellValue(const PGresult* res, int row, int col, FieldKind kind) {
    if (PQgetisnull(res, row, col))
        return {};
    const char* s = PQgetvalue(res, row, col);
    const int n = PQgetlength(res, row, col);
    switch (kind) {
    case FieldKind::Boolean:
        return n > 0 && s[0] == 't';
    case FieldKind::Integer: {
        int v = 0;
        if (std::from_chars(s, s + n, v).ec == std::errc())
            return v;
        break;
    }
    case FieldKind::BigInteger: {
        qlonglong v = 0;
        if (std::from_chars(s, s + n, v).ec == std::errc())
            return v;
        break;
    }
    case FieldKind::Double: {
        double v = 0;
        if (std::from_chars(s, s + n, v).ec == std::errc())
            return v;
        break;
    }
    case FieldKind::Decimal: {
        double v = 0;
        if (doubleHoldsExactly(s, n) && std::from_chars(s, s + n, v).ec == std::errc())
            return v;
        break; // its exact decimal text
    }
    case FieldKind::Date:
    case FieldKind::Time:
    case FieldKind::DateTime: {
        QVariant v = TemporalText::parse(s, n, kind);
        if (v.isValid())
            return v;
        break;
    }
    case FieldKind::Blob: {
        size_t length = 0;
        unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(s), &length);
        const QByteArray b(reinterpret_cast<const char*>(bytes), static_cast<qsizetype>(length));
        PQfreemem(bytes);
        return b;
    }
    default:
        break;
    }
    return QString::fromUtf8(s, n);
}

// A parameter in the text form the server reads for any column type.
QByteArray paramText(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QByteArrayLiteral("t") : QByteArrayLiteral("f");
    case QMetaType::Double:
    case QMetaType::Float:
        return QByteArray::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QMetaType::QDate:
        return TemporalText::formatDate(value.toDate()).toUtf8();
    case QMetaType::QTime:
        return TemporalText::formatTime(value.toTime()).toUtf8();
    case QMetaType::QDateTime:
        return TemporalText::formatDateTime(value.toDateTime()).toUtf8();
    default:
        return value.toString().toUtf8();
    }
}

// A tuple identity "(block,offset)" packed into one number and back.
qint64 packedTid(const char* text) {
    qint64 block = 0;
    qint64 offset = 0;
    const char* end = text + std::strlen(text);
    const char* p = text + 1;
    const auto b = std::from_chars(p, end, block);
    if (b.ec == std::errc() && b.ptr < end)
        std::from_chars(b.ptr + 1, end, offset);
    return (block << 16) | offset;
}

QString tidText(qint64 packed) {
    return QStringLiteral("(%1,%2)").arg(packed >> 16).arg(packed & 0xffff);
}

// A date-time with its offset from UTC, so that a time stamp with time zone
// keeps its instant whatever the session's time zone (a time stamp without
// one ignores the offset).
QString zonedText(const QDateTime& dateTime) {
    const int offset = dateTime.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return TemporalText::formatDateTime(dateTime) +
           (offset < 0 ? QLatin1Char('-') : QLatin1Char('+')) +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// A value set on a column, in the column's own type: a flag written to a
// number column counts as 1/0, as it does on SQLite.
QVariant forColumn(const QVariant& value, FieldKind kind) {
    const QVariant typed = ColumnValue::typed(value, kind);
    if (typed.typeId() == QMetaType::Bool && kind != FieldKind::Boolean)
        return typed.toBool() ? 1 : 0;
    if (typed.typeId() == QMetaType::QDateTime && kind == FieldKind::DateTime)
        return zonedText(typed.toDateTime());
    return typed;
}

// The pending values of the fields a write sets, as their columns take them.
QList<QVariant> pendingParams(const RecordsetData& data, const std::vector<int>& setFields) {
    QList<QVariant> params;
    for (const int f : setFields)
        params << forColumn(data.pending[static_cast<size_t>(f)],
                            data.fields[static_cast<size_t>(f)].kind);
    return params;
}

// The identity and version of the row as it was read, which an update or
// delete matches so that it misses a row changed since.
void appendReadRow(QList<QVariant>& params, const RecordsetData& data, int row) {
    params << tidText(data.store.identity(row))
           << QString::number(static_cast<quint32>(data.store.version(row)));
}

qint64 xidOf(const char* text) {
    return static_cast<qint64>(std::strtoul(text, nullptr, 10));
}

// The server's refusal of a text of several statements, which the extended
// protocol every command here goes through gives before running any of them.
bool severalStatements(const PGresult* result) {
    return qstrcmp(PQresultErrorField(result, PG_DIAG_SQLSTATE), "42601") == 0 &&
           qstrcmp(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY),
                   "cannot insert multiple commands into a prepared statement") == 0;
}

struct ResultDeleter {
    void operator()(PGresult* r) const { PQclear(r); }
};
using Result = std::unique_ptr<PGresult, ResultDeleter>;

// Runs sql, or the prepared statement of that name, on conn. Always the
// extended protocol, even without parameters: it runs exactly one
// statement, so no value smuggled into a text can add a second.
PGresult* execOn(PGconn* conn, const QString& sql, const QList<QVariant>& params,
                 const QByteArray& preparedName) {
    const QByteArray text = sql.toUtf8();
    std::vector<QByteArray> storage(static_cast<size_t>(params.size()));
    std::vector<const char*> values(static_cast<size_t>(params.size()), nullptr);
    std::vector<int> lengths(static_cast<size_t>(params.size()), 0);
    std::vector<int> formats(static_cast<size_t>(params.size()), 0);
    for (qsizetype i = 0; i < params.size(); ++i) {
        const QVariant& v = params.at(i);
        const size_t k = static_cast<size_t>(i);
        if (v.isNull())
            continue;
        storage[k] = v.typeId() == QMetaType::QByteArray ? v.toByteArray() : paramText(v);
        formats[k] = v.typeId() == QMetaType::QByteArray ? 1 : 0;
        values[k] = storage[k].constData();
        lengths[k] = static_cast<int>(storage[k].size());
    }
    if (!preparedName.isEmpty())
        return PQexecPrepared(conn, preparedName.constData(), static_cast<int>(params.size()),
                              values.data(), lengths.data(), formats.data(), 0);
    return PQexecParams(conn, text.constData(), static_cast<int>(params.size()), nullptr,
                        values.data(), lengths.data(), formats.data(), 0);
}

// The server's message for a failed command on conn.
QString errorText(PGconn* conn, const PGresult* result) {
    QString message;
    if (result) {
        message = QString::fromUtf8(PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY));
        const QString detail =
            QString::fromUtf8(PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL));
        if (!detail.isEmpty())
            message += QLatin1Char('\n') + detail;
    }
    if (message.isEmpty())
        message = QString::fromUtf8(PQerrorMessage(conn)).trimmed();
    if (PQstatus(conn) == CONNECTION_BAD)
        message = QStringLiteral("与数据库服务器的连接已断开：") + message;
    return message;
}

// Whether a command without parameters ran on conn as expected.
bool succeeds(PGconn* conn, const char* sql, ExecStatusType expected) {
    Result res(PQexec(conn, sql));
    return res && PQresultStatus(res.get()) == expected;
}

// Describes the result's fields into data and their kinds into shape.
void describe(const PGresult* r, PgReadShape& shape, RecordsetData& data) {
    const int columnCount = PQnfields(r);
    const int first = shape.withIdentity ? 2 : 0; // ctid, xmin
    for (int c = first; c < columnCount; ++c) {
        FieldInfo field;
        field.name = QString::fromUtf8(PQfname(r, c));
        field.kind = kindOf(PQftype(r, c));
        const int number = PQftablecol(r, c);
        if (shape.withIdentity && PQftable(r, c) == shape.tableOid && number > 0 &&
            static_cast<size_t>(number) < shape.columns.size())
            field.column = shape.columns[static_cast<size_t>(number)];
        shape.kinds.push_back(field.kind);
        data.fields.push_back(std::move(field));
    }
    data.store.setFieldCount(columnCount - first);
}

// Appends the result's records to store, at most limit of them.
void appendRows(const PGresult* r, const PgReadShape& shape, RecordStore& store,
                int limit = std::numeric_limits<int>::max()) {
    const int rows = std::min(PQntuples(r), limit);
    const int first = shape.withIdentity ? 2 : 0;
    const int fieldCount = static_cast<int>(shape.kinds.size());
    for (int row = 0; row < rows; ++row) {
        for (int f = 0; f < fieldCount; ++f)
            store.append(cellValue(r, row, f + first, shape.kinds[static_cast<size_t>(f)]));
        if (shape.withIdentity)
            store.endRecord(packedTid(PQgetvalue(r, row, 0)), xidOf(PQgetvalue(r, row, 1)));
        else
            store.endRecord(0, 0);
    }
}

// A connection to the same server and schema, for reading in snapshots.
class PgReader : public SnapshotReader {
public:
    // Null when the server cannot be reached.
    static std::unique_ptr<PgReader> open(const ConnectionConfig& config) {
        std::vector<QByteArray> keys{"port", "dbname", "user", "client_encoding",
                                     "connect_timeout"};
        std::vector<QByteArray> values{QByteArray::number(config.port), config.database.toUtf8(),
                                       config.user.toUtf8(), "UTF8", "10"};
        if (!config.host.isEmpty()) {
            keys.emplace_back("host");
            values.push_back(config.host.toUtf8());
        }
        if (!config.password.isEmpty()) {
            keys.emplace_back("password");
            values.push_back(config.password.toUtf8());
        }
        std::vector<const char*> k;
        std::vector<const char*> v;
        for (size_t i = 0; i < keys.size(); ++i) {
            k.push_back(keys[i].constData());
            v.push_back(values[i].constData());
        }
        k.push_back(nullptr);
        v.push_back(nullptr);
        std::unique_ptr<PgReader> reader(new PgReader(PQconnectdbParams(k.data(), v.data(), 0)));
        if (PQstatus(reader->m_conn) != CONNECTION_OK ||
            !succeeds(reader->m_conn, "set datestyle to ISO", PGRES_COMMAND_OK))
            return nullptr;
        if (!config.schema.isEmpty()) {
            const QByteArray path =
                "set search_path to \"" + config.schema.toUtf8().replace('"', "\"\"") + '"';
            if (!succeeds(reader->m_conn, path.constData(), PGRES_COMMAND_OK))
                return nullptr;
        }
        return reader;
    }
    ~PgReader() override { PQfinish(m_conn); }
    PgReader(const PgReader&) = delete;
    PgReader& operator=(const PgReader&) = delete;
    bool reusable() const override {
        return PQstatus(m_conn) == CONNECTION_OK && PQtransactionStatus(m_conn) == PQTRANS_IDLE;
    }
    PGconn* conn() const { return m_conn; }

private:
    explicit PgReader(PGconn* conn)
        : m_conn(conn) {}
    PGconn* m_conn;
};

QByteArray fetchSql(int count) {
    return "FETCH FORWARD " + QByteArray::number(count) + " FROM quill_records";
}

// The block a FETCH gave; raises DbError on failure.
Result checkedBlock(PGconn* conn, Result res) {
    if (!res || PQresultStatus(res.get()) != PGRES_TUPLES_OK)
        throw DbError(errorText(conn, res.get()));
    return res;
}

// Runs FETCH on conn's cursor quill_records; raises DbError on failure.
Result fetchBlock(PGconn* conn, int count) {
    return checkedBlock(conn, Result(PQexec(conn, fetchSql(count).constData())));
}

// Declares a cursor of that name over sql on conn; false when conn refuses it.
bool declares(PGconn* conn, const char* name, const QString& sql) {
    const Result res(execOn(
        conn, QStringLiteral("DECLARE %1 NO SCROLL CURSOR FOR ").arg(QLatin1String(name)) + sql, {},
        {}));
    return res && PQresultStatus(res.get()) == PGRES_COMMAND_OK;
}

// The rest of a result: a cursor in the reader's repeatable-read
// transaction, which holds the snapshot the first block was read in. The
// next block is asked for before this one is stored, so that the server
// reads it meanwhile.
class PgCursor : public RecordCursor {
public:
    PgCursor(Connection& connection, std::unique_ptr<PgReader> reader, QString sql,
             PgReadShape shape)
        : m_connection(connection)
        , m_reader(std::move(reader))
        , m_sql(std::move(sql))
        , m_shape(std::move(shape)) {}
    ~PgCursor() override {
        settle();
        succeeds(m_reader->conn(), "COMMIT", PGRES_COMMAND_OK);
        m_connection.keepReader(std::move(m_reader));
    }
    PgCursor(const PgCursor&) = delete;
    PgCursor& operator=(const PgCursor&) = delete;

    // Asks for the next block of count records without waiting for it.
    void askAhead(int count) {
        if (PQsendQuery(m_reader->conn(), fetchSql(count).constData()) == 1)
            m_asked = count;
    }
    bool fetch(int count, RecordsetData& data) override {
        settle();
        const int size = m_ahead ? m_aheadSize : count;
        const Result res = m_ahead ? checkedBlock(m_reader->conn(), std::move(m_ahead))
                                   : fetchBlock(m_reader->conn(), count);
        const bool more = PQntuples(res.get()) == size;
        if (more && data.blockAfter(size) > 0)
            askAhead(data.blockAfter(size));
        appendRows(res.get(), m_shape, data.store);
        return more;
    }
    int count() override {
        settle();
        PGconn* conn = m_reader->conn();
        if (!declares(conn, "quill_count", m_sql))
            throw DbError(errorText(conn, nullptr));
        const Result moved(PQexec(conn, "MOVE FORWARD ALL FROM quill_count"));
        if (!moved || PQresultStatus(moved.get()) != PGRES_COMMAND_OK)
            throw DbError(errorText(conn, moved.get()));
        succeeds(conn, "CLOSE quill_count", PGRES_COMMAND_OK);
        return std::atoi(PQcmdTuples(moved.get()));
    }

private:
    // Waits for the block asked for ahead and keeps it for the next fetch,
    // leaving the connection free for other commands.
    void settle() {
        if (m_asked == 0)
            return;
        while (PGresult* r = PQgetResult(m_reader->conn())) {
            if (!m_ahead)
                m_ahead.reset(r);
            else
                PQclear(r);
        }
        m_aheadSize = std::exchange(m_asked, 0);
    }

    Connection& m_connection;
    std::unique_ptr<PgReader> m_reader;
    QString m_sql;
    PgReadShape m_shape;
    int m_asked = 0; // the size of the block asked for and not yet received
    Result m_ahead;  // a block received ahead of its fetch
    int m_aheadSize = 0;
};

} // namespace

PgEngine::PgEngine(Connection& connection)
    : m_connection(connection)
    , m_conn(handleOf(connection)) {
    if (!m_conn)
        throw DbError(QStringLiteral("数据库连接未打开"));
}

PgEngine::~PgEngine() {
    if (m_statements.empty() || PQstatus(m_conn) != CONNECTION_OK)
        return;
    QByteArray sql;
    for (const auto& entry : m_statements)
        sql += "DEALLOCATE " + entry.second.name + ';';
    PQclear(PQexec(m_conn, sql.constData()));
}

pg_conn* PgEngine::handleOf(const Connection& connection) {
    const QSqlDatabase db = connection.database();
    if (!db.isOpen() || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() ||
        (qstrcmp(handle.typeName(), "PGconn*") != 0 && qstrcmp(handle.typeName(), "pg_conn*") != 0))
        return nullptr;
    return *static_cast<PGconn* const*>(handle.constData());
}

void PgEngine::fail(pg_result* result) const {
    if (result && severalStatements(result)) {
        PQclear(result);
        throw DbError(oneStatementOnly());
    }
    const QString message = errorText(m_conn, result);
    PQclear(result);
    throw DbError(message);
}

pg_result* PgEngine::exec(const QString& sql, const QList<QVariant>& params,
                          const QByteArray& preparedName) {
    return execOn(m_conn, sql, params, preparedName);
}

std::vector<QString> PgEngine::tableColumns(const QString& table, unsigned* oid) {
    Result res(exec(QStringLiteral("select a.attrelid::oid, a.attnum, a.attname from pg_attribute "
                                   "a where a.attrelid = $1::regclass and a.attnum > 0 and not "
                                   "a.attisdropped"),
                    {table}));
    if (PQresultStatus(res.get()) != PGRES_TUPLES_OK)
        fail(res.release());
    std::vector<QString> names;
    for (int r = 0; r < PQntuples(res.get()); ++r) {
        *oid = static_cast<unsigned>(std::strtoul(PQgetvalue(res.get(), r, 0), nullptr, 10));
        const size_t number = static_cast<size_t>(std::atoi(PQgetvalue(res.get(), r, 1)));
        if (names.size() <= number)
            names.resize(number + 1);
        names[number] = QString::fromUtf8(PQgetvalue(res.get(), r, 2));
    }
    return names;
}

// Outside a transaction the records are read through a cursor in a
// repeatable-read transaction on a reader connection of the recordset's own
// (kept for reuse), so that the records not read yet stay as they were when
// it opened while this connection goes on writing. The first block is read
// there too: a result that ends within it ends that transaction at once,
// and a larger one is never run twice (a sorted result is sorted once).
// Inside a transaction, whose writes only this connection sees, and for a
// command the cursor cannot run (a write, a temporary table of this
// connection), the records are read here, whole.
void PgEngine::fetch(const QString& sql, bool withIdentity, RecordsetData& data) {
    PgReadShape shape;
    shape.withIdentity = withIdentity;
    if (withIdentity)
        shape.columns = tableColumns(data.table, &shape.tableOid);
    // A connection known lost is not read around: the command fails here.
    if (m_connection.transactionDepth() == 0 && PQstatus(m_conn) == CONNECTION_OK &&
        fetchInSnapshot(sql, shape, data))
        return;
    Result res(exec(sql, {}));
    const ExecStatusType status = res ? PQresultStatus(res.get()) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_EMPTY_QUERY)
        return;
    if (status != PGRES_TUPLES_OK)
        fail(res.release());
    describe(res.get(), shape, data);
    appendRows(res.get(), shape, data.store, data.rowsLeft());
    data.store.squeeze();
}

bool PgEngine::fetchInSnapshot(const QString& sql, PgReadShape& shape, RecordsetData& data) {
    std::unique_ptr<PgReader> reader(static_cast<PgReader*>(m_connection.takeReader().release()));
    if (!reader)
        reader = PgReader::open(m_connection.config());
    if (!reader)
        return false;
    PGconn* conn = reader->conn();
    Result first;
    const int block = data.nextBlock();
    try {
        if (succeeds(conn, "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY", PGRES_COMMAND_OK) &&
            declares(conn, "quill_records", sql))
            first = fetchBlock(conn, block);
    } catch (const DbError&) {
        // Left to this connection, which gives the error or reads what only
        // its own session has.
    }
    if (!first) {
        succeeds(conn, "ROLLBACK", PGRES_COMMAND_OK);
        m_connection.keepReader(std::move(reader));
        return false;
    }
    describe(first.get(), shape, data);
    auto cursor = std::make_unique<PgCursor>(m_connection, std::move(reader), sql, shape);
    if (PQntuples(first.get()) == block && data.blockAfter(block) > 0) {
        cursor->askAhead(data.blockAfter(block));
        data.cursor = std::move(cursor);
    }
    appendRows(first.get(), shape, data.store);
    return true;
}

void PgEngine::execute(const QString& sql) {
    Result res(exec(sql, {}));
    const ExecStatusType status = res ? PQresultStatus(res.get()) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && status != PGRES_EMPTY_QUERY)
        fail(res.release());
}

bool PgEngine::transactionFailed() const {
    return PQtransactionStatus(m_conn) == PQTRANS_INERROR;
}

PgEngine::Prepared& PgEngine::prepared(char kind, const RecordsetData& data) {
    if (m_last && m_lastKey.first == kind && m_lastKey.second == data.changed)
        return *m_last;
    Key key(kind, data.changed);
    auto it = m_statements.find(key);
    if (it == m_statements.end()) {
        static std::atomic<int> serial{0};
        Prepared p;
        p.name = QByteArrayLiteral("quill_write_") + QByteArray::number(serial++);
        const QString sql =
            WriteSql::forChanges(kind, WriteSql::Dialect::Postgres, data, &p.setFields);
        Result res(PQprepare(m_conn, p.name.constData(), sql.toUtf8().constData(), 0, nullptr));
        if (!res || PQresultStatus(res.get()) != PGRES_COMMAND_OK)
            fail(res.release());
        it = m_statements.emplace(key, std::move(p)).first;
    }
    m_lastKey = std::move(key);
    m_last = &it->second;
    return it->second;
}

bool PgEngine::runWrite(const Prepared& statement, const QList<QVariant>& params,
                        RecordsetData& data, int row, const std::vector<int>& fields) {
    Result res(exec(QString(), params, statement.name));
    if (!res || PQresultStatus(res.get()) != PGRES_TUPLES_OK)
        fail(res.release());
    if (PQntuples(res.get()) == 0)
        return false;
    if (row < 0) {
        row = data.rowCount();
        data.store.appendEmptyRecord();
    }
    data.store.setIdentity(row, packedTid(PQgetvalue(res.get(), 0, 0)));
    data.store.setVersion(row, xidOf(PQgetvalue(res.get(), 0, 1)));
    int c = 2;
    for (const int f : fields) {
        data.store.setValue(row, f, cellValue(res.get(), 0, c, kindOf(PQftype(res.get(), c))));
        ++c;
    }
    return true;
}

bool PgEngine::updateRow(RecordsetData& data, int row) {
    const Prepared& p = prepared('U', data);
    QList<QVariant> params = pendingParams(data, p.setFields);
    appendReadRow(params, data, row);
    return runWrite(p, params, data, row, p.setFields);
}

bool PgEngine::deleteRow(RecordsetData& data, int row) {
    const Prepared& p = prepared('D', data);
    QList<QVariant> params;
    appendReadRow(params, data, row);
    Result res(exec(QString(), params, p.name));
    if (!res || PQresultStatus(res.get()) != PGRES_COMMAND_OK)
        fail(res.release());
    return qstrcmp(PQcmdTuples(res.get()), "1") == 0;
}

void PgEngine::insertRow(RecordsetData& data) {
    const Prepared& p = prepared('I', data);
    if (!runWrite(p, pendingParams(data, p.setFields), data, -1, data.columnFields))
        throw DbError(QStringLiteral("新记录未能写入"));
}

} // namespace quill
