#include "Recordset.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/RecordEngine.h"
#include "platform/db/RecordsetData.h"
#include "platform/db/SelectShape.h"
#include "platform/db/WriteSql.h"

#include <algorithm>

namespace quill {

namespace {

[[noreturn]] void closedError() {
    throw DbError(QStringLiteral("记录集尚未打开"));
}

[[noreturn]] void noCurrentRecord() {
    throw DbError(QStringLiteral("当前没有记录（已到记录集的开头或末尾）"));
}

const QString& conflictMessage() {
    static const QString text = QStringLiteral("记录已被其他用户修改或删除");
    return text;
}

// Runs fetch. Inside a PostgreSQL transaction a failing command would spoil
// the whole transaction, so there it is fenced by a savepoint.
template <typename Fetch> void fenced(Connection& connection, Fetch fetch) {
    if (connection.engine() != ConnectionConfig::Engine::Postgres ||
        connection.transactionDepth() == 0) {
        fetch();
        return;
    }
    connection.Execute(QStringLiteral("SAVEPOINT quill_open"));
    try {
        fetch();
    } catch (const DbError&) {
        connection.Execute(QStringLiteral("ROLLBACK TO SAVEPOINT quill_open"));
        connection.Execute(QStringLiteral("RELEASE SAVEPOINT quill_open"));
        throw;
    }
    connection.Execute(QStringLiteral("RELEASE SAVEPOINT quill_open"));
}

// Runs the select with the row identity added; false (and data left empty)
// when the engine refuses it, as for a view without row identities.
bool fetchWithIdentity(const SelectShape& shape, const QString& sql, Connection& connection,
                       RecordsetData& data) {
    try {
        fenced(connection, [&] {
            data.engine->fetch(shape.withIdentity(sql, data.engine->identityExpression()), true,
                               data);
        });
        return true;
    } catch (const DbError&) {
        data.clearRecords();
        return false;
    }
}

} // namespace

Recordset::Recordset() = default;

Recordset::~Recordset() {
    Close();
}

void Recordset::Open(const QString& sql, Connection& connection) {
    if (d)
        throw DbError(QStringLiteral("记录集已经打开，请先关闭"));
    auto data = std::make_unique<RecordsetData>();
    data->connection = &connection;
    data->maxRecords = m_maxRecords;
    data->engine = RecordEngine::create(connection);
    QString text = connection.translate(sql);
    const SelectShape shape = SelectShape::analyse(text);
    if (m_maxRecords > 0) {
        // The database then sorts for the first records only.
        const QString bounded = SelectShape::limited(text, m_maxRecords);
        if (!bounded.isEmpty())
            text = bounded;
    }
    if (shape.singleTable()) {
        data->table = shape.table();
        data->updatable = fetchWithIdentity(shape, text, connection, *data);
    }
    if (!data->updatable) {
        data->table.clear();
        fenced(connection, [&] { data->engine->fetch(text, false, *data); });
    }
    if (data->fields.empty())
        return; // a command without records leaves the recordset closed
    data->stopAtMaxRecords();
    data->indexFields();
    data->columnFields = WriteSql::columnFields(*data);
    data->pending.resize(data->fields.size());
    data->changed.resize(data->fields.size());
    connection.m_recordsets.push_back(this);
    d = std::move(data);
}

void Recordset::Close() {
    if (!d)
        return;
    std::vector<Recordset*>& list = d->connection->m_recordsets;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    d.reset();
}

int Recordset::State() const {
    return d ? 1 : 0;
}

bool Recordset::Eof() const {
    if (!d)
        closedError();
    if (d->edit == RecordsetData::Edit::New)
        return false;
    return d->noLiveRecords() || (d->position >= 0 && !d->has(d->position));
}

bool Recordset::Bof() const {
    if (!d)
        closedError();
    if (d->edit == RecordsetData::Edit::New)
        return false;
    return d->noLiveRecords() || d->position < 0;
}

void Recordset::MoveFirst() {
    Update();
    d->position = 0;
    while (d->has(d->position) && d->store.deleted(d->position))
        ++d->position;
}

void Recordset::MoveNext() {
    Update();
    if (Eof())
        throw DbError(QStringLiteral("已到记录集末尾，不能再向后移动"));
    do
        ++d->position;
    while (d->has(d->position) && d->store.deleted(d->position));
}

void Recordset::MovePrevious() {
    Update();
    if (Bof())
        throw DbError(QStringLiteral("已到记录集开头，不能再向前移动"));
    do
        --d->position;
    while (d->position >= 0 && d->store.deleted(d->position));
}

void Recordset::MoveLast() {
    Update();
    d->readAll();
    d->position = d->rowCount() - 1;
    while (d->position >= 0 && d->store.deleted(d->position))
        --d->position;
    if (d->position < 0)
        d->position = 0; // empty: both ends at once
}

int Recordset::RecordCount() const {
    if (!d)
        closedError();
    return d->totalRows() - d->store.deletedCount();
}

int Recordset::AbsolutePosition() const {
    if (!d)
        closedError();
    if (d->store.deletedCount() == 0 || d->position < 0)
        return d->position;
    return d->store.liveBefore(d->position);
}

int Recordset::FieldCount() const {
    return d ? d->fieldCount() : 0;
}

QString Recordset::FieldName(int i) const {
    if (!d)
        closedError();
    if (i < 0 || i >= d->fieldCount())
        throw DbError(QStringLiteral("字段序号 %1 超出范围").arg(i));
    return d->fields[static_cast<size_t>(i)].name;
}

int Recordset::FieldIndex(const QString& name) const {
    return d ? d->fieldIndex(name) : -1;
}

QVariant Recordset::Value(int i) const {
    const RecordsetData* p = d.get();
    if (!p)
        closedError();
    if (i < 0 || i >= p->fieldCount())
        throw DbError(QStringLiteral("字段序号 %1 超出范围").arg(i));
    const size_t f = static_cast<size_t>(i);
    if (p->edit == RecordsetData::Edit::New ||
        (p->edit == RecordsetData::Edit::Changed && p->changed[f]))
        return p->pending[f];
    if (p->position < 0 || p->position >= p->rowCount())
        noCurrentRecord();
    if (p->store.deleted(p->position))
        throw DbError(QStringLiteral("当前记录已被删除"));
    return p->store.value(p->position, i);
}

QVariant Recordset::Value(const QString& name) const {
    if (!d)
        closedError();
    const int i = d->fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("记录集中没有字段：%1").arg(name));
    return Value(i);
}

void Recordset::SetValue(int i, const QVariant& value) {
    if (!d)
        closedError();
    if (!d->updatable)
        throw DbError(QStringLiteral("该记录集为只读（分组、连接或计算的查询结果），不能修改"));
    if (i < 0 || i >= d->fieldCount())
        throw DbError(QStringLiteral("字段序号 %1 超出范围").arg(i));
    const FieldInfo& field = d->fields[static_cast<size_t>(i)];
    if (field.column.isEmpty())
        throw DbError(QStringLiteral("字段 %1 不是表中的列，不能修改").arg(field.name));
    if (d->edit == RecordsetData::Edit::None) {
        if (Eof() || Bof())
            noCurrentRecord();
        if (d->store.deleted(d->position))
            throw DbError(QStringLiteral("当前记录已被删除"));
        d->edit = RecordsetData::Edit::Changed;
    }
    d->pending[static_cast<size_t>(i)] = value;
    d->changed[static_cast<size_t>(i)] = 1;
}

void Recordset::SetValue(const QString& name, const QVariant& value) {
    if (!d)
        closedError();
    const int i = d->fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("记录集中没有字段：%1").arg(name));
    SetValue(i, value);
}

bool Recordset::isUpdatable() const {
    return d && d->updatable;
}

std::optional<Recordset::RowIdentity> Recordset::Identity() const {
    if (!d)
        closedError();
    if (Eof() || Bof())
        noCurrentRecord();
    if (!d->updatable || d->edit == RecordsetData::Edit::New)
        return std::nullopt;
    return RowIdentity{d->store.identity(d->position), d->store.version(d->position)};
}

bool Recordset::MoveToIdentity(const RowIdentity& identity) {
    Update();
    if (!d->updatable)
        return false;
    for (int row = 0; d->has(row); ++row) {
        if (d->store.identity(row) == identity.row && d->store.version(row) == identity.version &&
            !d->store.deleted(row)) {
            d->position = row;
            return true;
        }
    }
    return false;
}

void Recordset::AddNew() {
    if (!d)
        closedError();
    if (!d->updatable)
        throw DbError(QStringLiteral("该记录集为只读（分组、连接或计算的查询结果），不能添加记录"));
    Update();
    d->readAll(); // the new record goes after the last
    d->positionBeforeNew = d->position;
    d->edit = RecordsetData::Edit::New;
}

void Recordset::CancelUpdate() {
    if (!d || d->edit == RecordsetData::Edit::None)
        return;
    if (d->edit == RecordsetData::Edit::New)
        d->position = d->positionBeforeNew;
    d->edit = RecordsetData::Edit::None;
    std::fill(d->pending.begin(), d->pending.end(), QVariant());
    std::fill(d->changed.begin(), d->changed.end(), std::uint8_t{0});
}

void Recordset::Update() {
    if (!d)
        closedError();
    if (d->edit == RecordsetData::Edit::None)
        return;
    const bool adding = d->edit == RecordsetData::Edit::New;
    bool written = false;
    try {
        if (adding) {
            d->engine->insertRow(*d);
            written = true;
        } else {
            written = d->engine->updateRow(*d, d->position);
        }
    } catch (const DbError&) {
        CancelUpdate(); // the record keeps the values it was read with
        throw;
    }
    CancelUpdate();
    if (!written)
        throw DbError(conflictMessage());
    if (adding)
        d->position = d->rowCount() - 1;
}

void Recordset::Delete() {
    if (!d)
        closedError();
    if (!d->updatable)
        throw DbError(QStringLiteral("该记录集为只读（分组、连接或计算的查询结果），不能删除记录"));
    if (d->edit == RecordsetData::Edit::New) {
        CancelUpdate();
        return;
    }
    CancelUpdate();
    if (Eof() || Bof())
        noCurrentRecord();
    if (d->store.deleted(d->position))
        throw DbError(QStringLiteral("当前记录已被删除"));
    if (!d->engine->deleteRow(*d, d->position))
        throw DbError(conflictMessage());
    d->store.markDeleted(d->position);
}

} // namespace quill
