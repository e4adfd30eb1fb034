#include "windows/manage/RecordCommands.h"

#include "foundation/Mdlx.h"
#include "platform/com/CreateObject.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "platform/ui/Ui.h"
#include "suite/SuiteLib.h"
#include "windows/entry/ChosenRecord.h"
#include "windows/entry/frmRSLR.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/frmRSGL.h"

#include <QDate>
#include <QVariantList>

#include <algorithm>
#include <exception>

namespace quill {

RecordCommands::RecordCommands(frmRSGL& window)
    : m_window(window) {}

bool RecordCommands::refusedAsAudited() const {
    if (SuiteLib::instance().AuditFlag != u"是")
        return false;
    MsgBox(QStringLiteral("该期数据已审核"));
    return true;
}

void RecordCommands::add() {
    if (refusedAsAudited())
        return;
    SuiteLib::instance().CommandName = QStringLiteral("添加");
    openEntry();
}

void RecordCommands::modify() {
    if (refusedAsAudited() || refusedWithoutRecord())
        return;
    SuiteLib::instance().CommandName = QStringLiteral("修改");
    openEntry();
}

void RecordCommands::remove() {
    if (refusedAsAudited() || refusedWithoutRecord())
        return;
    SuiteLib::instance().CommandName = QStringLiteral("删除");
    openEntry();
}

bool RecordCommands::refusedWithoutRecord() const {
    // A template sheet or a row without a record (the totals row) names no
    // record to work on.
    const ResultSheetRenderer& renderer = m_window.renderer();
    if (SuiteLib::instance().CurrentRow != 0 && renderer.RecordCount() != 0 &&
        !renderer.IsTemplateSheet() && ChosenRecord::isChosen(SuiteLib::instance().QuerySql))
        return false;
    MsgBox(QStringLiteral("无记录可删除"));
    return true;
}

void RecordCommands::openEntry() {
    SuiteLib& lib = SuiteLib::instance();
    const QString module = lib.ReadSetting(
        QStringLiteral("QUILL"), QStringLiteral("ADDDLL-") + lib.ModuleTitle, lib.settingsPath());
    m_window.setWorkingText(module);
    if (module.isEmpty()) {
        frmRSLR entry(m_window.F1Book1, m_window.renderer().RecordCount(), &m_window);
        m_window.runModal(entry);
        // The sheet was run again: its record at CurrentRow is the one chosen.
        if (!m_window.isUnloaded())
            chooseRecord(int(lib.CurrentRow));
        return;
    }
    if (lib.CommandName == u"添加")
        lib.CurrentMemberId = QString();
    try {
        CreateObject(module + QStringLiteral(".clszh"))->zh();
    } catch (const std::exception&) {
        MsgBox(module + QStringLiteral(".dll未注册！"));
    }
}

void RecordCommands::cellClick(int row, int col) {
    SuiteLib& lib = SuiteLib::instance();
    if (col == 0) {
        lib.CurrentRow = row;
        chooseRecord(row);
        return;
    }
    if (row == 0)
        return;
    lib.CurrentRow = row;
    lib.CurrentCol = col;
    if (chooseRecord(row))
        publishFields();
}

void RecordCommands::selectionChange() {
    const F1Book& book = *m_window.F1Book1;
    if (book.SelRow() < 1)
        return;
    cellClick(book.SelRow(), book.SelCol());
}

bool RecordCommands::chooseRecord(int row) {
    ChosenRecord::clear();
    const SuiteLib& lib = SuiteLib::instance();
    const ResultSheetRenderer& renderer = m_window.renderer();
    const int records = std::min(renderer.RecordCount(), ResultSheetRenderer::MaxRows);
    if (records <= 0 || !lib.SqlGroup.isEmpty() || renderer.IsTemplateSheet() || row < 1)
        return false;
    // The totals row makes the last record shown current, but names no
    // record to modify or delete.
    const bool totals = Mdlx::instance().SumCount > 0 && row == m_window.F1Book1->LastRow();
    if (row > records && !totals)
        return false;
    Recordset& data = m_window.dataRecordset();
    data.MoveFirst();
    for (int i = 1; i < (totals ? records : row) && !data.Eof(); ++i)
        data.MoveNext();
    if (data.Eof())
        return false;
    if (!totals)
        ChosenRecord::choose(lib.QuerySql, data.Identity());
    return true;
}

void RecordCommands::publishFields() {
    SuiteLib& lib = SuiteLib::instance();
    const Recordset& data = m_window.dataRecordset();
    // A field the record has, as text; nothing when the query lacks it.
    const auto field = [&data](const char* name, QString& target) {
        const int i = data.FieldIndex(QLatin1String(name));
        if (i < 0)
            return false;
        const QVariant v = data.Value(i);
        target = v.typeId() == QMetaType::QDate ? v.toDate().toString(Qt::ISODate) : v.toString();
        return true;
    };
    field("memberid", lib.CurrentMemberId);
    field("name", lib.CurrentMemberName);
    field("kh", lib.CurrentCardNo);
    field("zhdate", lib.CurrentRecordDate);
    QString year;
    QString month;
    if (field("year", year) && field("month", month)) {
        lib.CurrentYear = year;
        lib.CurrentMonth = month;
    }
}

} // namespace quill
