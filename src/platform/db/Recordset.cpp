#include "Recordset.h"

#include "platform/db/DbError.h"
#include "platform/db/RecordsetData.h"

namespace quill {

namespace {
[[noreturn]] void notYet() {
    throw DbError(QStringLiteral("记录集尚未实现"));
}
} // namespace

Recordset::Recordset() = default;
Recordset::~Recordset() = default;

void Recordset::Open(const QString&, Connection&) {
    notYet();
}
void Recordset::Close() {}
int Recordset::State() const {
    return 0;
}
bool Recordset::Eof() const {
    return true;
}
bool Recordset::Bof() const {
    return true;
}
void Recordset::MoveFirst() {
    notYet();
}
void Recordset::MoveNext() {
    notYet();
}
void Recordset::MovePrevious() {
    notYet();
}
void Recordset::MoveLast() {
    notYet();
}
int Recordset::RecordCount() const {
    return 0;
}
int Recordset::AbsolutePosition() const {
    return -1;
}
int Recordset::FieldCount() const {
    return 0;
}
QString Recordset::FieldName(int) const {
    notYet();
}
int Recordset::FieldIndex(const QString&) const {
    return -1;
}
QVariant Recordset::Value(int) const {
    notYet();
}
QVariant Recordset::Value(const QString&) const {
    notYet();
}
void Recordset::SetValue(int, const QVariant&) {
    notYet();
}
void Recordset::SetValue(const QString&, const QVariant&) {
    notYet();
}
bool Recordset::isUpdatable() const {
    return false;
}
void Recordset::AddNew() {
    notYet();
}
void Recordset::Update() {
    notYet();
}
void Recordset::CancelUpdate() {}
void Recordset::Delete() {
    notYet();
}

} // namespace quill
