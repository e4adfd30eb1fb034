// Saving an edited result sheet of 16380 records x 20 fields: every row with
// one typed cell, against the same updates as bare prepared statements in
// one transaction, in the same run; and the same sheet with one typed cell.
// SQLite always; PostgreSQL with QUILL_TEST_PG.
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "platform/grid/WorkbookWriter.h"
#include "platform/ui/ScriptedUi.h"
#include "suite/SuiteLib.h"
#include "windows/manage/ResultSheetRenderer.h"
#include "windows/manage/SheetEditor.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <stdexcept>

namespace quill::bench {

namespace {

constexpr int Records = 16380;
constexpr int Amounts = 18; // fields d01..d18 after memberid and name

QString amountField(int i) {
    return QStringLiteral("d%1").arg(i + 1, 2, 10, QLatin1Char('0'));
}

// The column of a row's typed cell, and its value in an iteration.
int typedColumn(int row) {
    return 3 + row % Amounts;
}
QString typedValue(int row, int iteration) {
    return QString::number(row % 1000 + iteration * 0.25 + 0.5);
}

void run(Connection& c, const QString& sql) {
    c.Execute(sql);
}

// A table EB of 16380 records with its dictionary, a base sheet and the
// folders, with SuiteLib pointed at them.
class Workspace {
public:
    explicit Workspace(std::optional<ConnectionConfig> pg) {
        ConnectionConfig config;
        if (pg) {
            config = *pg;
            config.schema = QStringLiteral("save_bench_%1").arg(QCoreApplication::applicationPid());
            Connection server(*pg);
            server.Execute(QStringLiteral("drop schema if exists ") + config.schema + " cascade");
            server.Execute(QStringLiteral("create schema ") + config.schema);
            config.databaseKind = QStringLiteral("2");
        } else {
            config.path = m_dir.filePath(QStringLiteral("bench.db"));
            config.databaseKind = QStringLiteral("1");
        }
        m_config = config;
        m_connection = std::make_shared<Connection>(config);
        Connection& c = *m_connection;
        const QString number = pg ? QStringLiteral("double precision") : QStringLiteral("real");
        run(c, QStringLiteral("create table zdb1 (parid integer, proid integer, proname text, "
                              "proval text, proif boolean, proval1 text, proval2 text)"));
        run(c, QStringLiteral("create table zdb3 (parid integer, proid integer, proname text, "
                              "proval integer, proval1 text)"));
        QStringList columns{QStringLiteral("memberid text"), QStringLiteral("name text")};
        for (int i = 0; i < Amounts; ++i)
            columns << amountField(i) + u' ' + number;
        run(c, QStringLiteral("create table EB (%1)").arg(columns.join(u',')));
        run(c,
            QStringLiteral("insert into zdb1 values (0, 1, '数据库', 'DATABASE', false, '', '')"));
        run(c, QStringLiteral("insert into zdb1 values (1, 10, '保存测试', 'EB', false, '', '')"));
        run(c, QStringLiteral(
                   "insert into zdb1 values (10, 11, '工号', 'memberid', false, 'S', '10')"));
        run(c,
            QStringLiteral("insert into zdb1 values (10, 12, '姓名', 'name', false, 'S', '20')"));
        QStringList amounts;
        for (int i = 0; i < Amounts; ++i) {
            run(c,
                QStringLiteral("insert into zdb1 values (10, %1, '金额%2', '%3', false, 'D', '')")
                    .arg(13 + i)
                    .arg(i + 1)
                    .arg(amountField(i)));
            amounts << QStringLiteral("i * %1 + 0.125").arg(i + 1);
        }
        run(c,
            QStringLiteral("insert into EB with recursive n(i) as (select 1 union all select i "
                           "+ 1 from n where i < %1) select 'E' || (100000 + i), '员工' || i, %2 "
                           "from n")
                .arg(Records)
                .arg(amounts.join(u',')));
        // The bare statements' own copy: written behind the sheet's back,
        // the sheet's records would be refused as changed by someone else.
        run(c, QStringLiteral("create table EB2 as select * from EB"));
        run(c, QStringLiteral("create index EB2_memberid on EB2 (memberid)"));

        const QString root = m_dir.path();
        for (const char* folder : {"report", "home", "work"})
            QDir(root).mkpath(QString::fromLatin1(folder));
        WorkbookWriter::save(Sheet(), root + QStringLiteral("/report/quill.vts"));
        SuiteLib& lib = SuiteLib::instance();
        lib.reset();
        lib.Connection = m_connection;
        lib.DatabaseKind = config.databaseKind;
        lib.SelectTable(QStringLiteral("EB"));
        lib.TableName = QStringLiteral("EB");
        lib.ReportFolder = root + QStringLiteral("/report");
        lib.HomeFolder = root + QStringLiteral("/home");
        lib.WorkFolder = root + QStringLiteral("/work");
        lib.SettingsFolder = lib.HomeFolder;
        lib.SettingsFileName = QStringLiteral("quill.ini");
        lib.UserName = QStringLiteral("bench");
        lib.QueryCaption = QStringLiteral("保存测试");
        lib.SqlSelect = QStringLiteral("select * ");
        lib.SqlFrom = QStringLiteral("from EB ");
        lib.SqlWhere.clear();
        lib.SqlGroup.clear();
        lib.SqlOrder = QStringLiteral("order by memberid");
        lib.joinQuery();
    }
    ~Workspace() {
        SuiteLib::instance().reset();
        if (m_config.engine == ConnectionConfig::Engine::Postgres)
            m_connection->Execute(QStringLiteral("drop schema ") + m_config.schema + " cascade");
    }

    Connection& connection() { return *m_connection; }

private:
    QTemporaryDir m_dir;
    ConnectionConfig m_config;
    std::shared_ptr<Connection> m_connection;
};

// The rendered sheet with its editor.
class EditedSheet {
public:
    EditedSheet()
        : m_renderer(m_book)
        , m_editor(
              m_book, m_renderer, [this]() -> Recordset& { return *m_records; }, m_editing) {
        m_renderer.setProgressDelay(1 << 30);
        ResultSheetRenderer::Prepared run = m_renderer.prepare(QString());
        m_renderer.show(run, false);
        m_records = std::move(run.data);
        if (m_book.LastRow() != Records + 1 || m_book.LastCol() != 20)
            throw std::runtime_error("the sheet is not 16380 records x 20 fields");
    }

    // Opens the sheet for typing and types `rows` cells, one per row. The
    // backup copy is waited for: a user types for longer than it takes.
    void type(int rows, int iteration) {
        SuiteLib::instance().CurrentRow = 1;
        m_editor.edit();
        m_editor.finishCopies();
        for (int r = 1; r <= rows; ++r)
            m_book.SetCellText(r, typedColumn(r), u'\'' + typedValue(r, iteration));
    }
    // Seconds the save command takes, until it returns; the log copy it
    // leaves behind is then waited for, so that no measurement shares the
    // machine with it.
    double save(ScriptedUi& ui) {
        ui.clear();
        QElapsedTimer clock;
        clock.start();
        m_editor.save();
        const double seconds = clock.nsecsElapsed() / 1e9;
        m_editor.finishCopies();
        if (ui.messageTexts().value(ui.messageTexts().size() - 1) != QStringLiteral("保存完毕"))
            throw std::runtime_error(ui.messageTexts().join(u'|').toStdString());
        return seconds;
    }
    // Seconds a workbook of the sheet takes, as the log copy writes it.
    double logCopy(const QString& file) {
        QElapsedTimer clock;
        clock.start();
        m_book.WriteFile(file, 4);
        return clock.nsecsElapsed() / 1e9;
    }

private:
    F1Book m_book;
    ResultSheetRenderer m_renderer;
    std::unique_ptr<Recordset> m_records;
    bool m_editing = false;
    SheetEditor m_editor;
};

// The same updates as bare prepared statements in one transaction.
double bareUpdates(Connection& connection, int iteration) {
    QSqlDatabase db = connection.database();
    std::vector<std::unique_ptr<QSqlQuery>> statements;
    for (int i = 0; i < Amounts; ++i) {
        statements.push_back(std::make_unique<QSqlQuery>(db));
        if (!statements.back()->prepare(
                QStringLiteral("update EB2 set %1 = ? where memberid = ?").arg(amountField(i))))
            throw std::runtime_error(statements.back()->lastError().text().toStdString());
    }
    QElapsedTimer clock;
    clock.start();
    db.transaction();
    for (int r = 1; r <= Records; ++r) {
        QSqlQuery& q = *statements[std::size_t(typedColumn(r) - 3)];
        q.bindValue(0, typedValue(r, iteration).toDouble());
        q.bindValue(1, QStringLiteral("E%1").arg(100000 + r));
        if (!q.exec())
            throw std::runtime_error(q.lastError().text().toStdString());
    }
    db.commit();
    return clock.nsecsElapsed() / 1e9;
}

void saveOn(benchmark::State& state, std::optional<ConnectionConfig> pg) {
    ScriptedUi ui;
    Workspace ws(pg);
    EditedSheet sheet;
    QTemporaryDir out;
    double everyRow = 0;
    double bare = 0;
    double oneCell = 0;
    double log = 0;
    int iteration = 0;
    for (auto _ : state) {
        ++iteration;
        sheet.type(Records, iteration);
        const double seconds = sheet.save(ui);
        state.SetIterationTime(seconds);
        everyRow += seconds;
        bare += bareUpdates(ws.connection(), iteration + 1000);
        sheet.type(1, iteration + 2000);
        oneCell += sheet.save(ui);
        log += sheet.logCopy(out.filePath(QStringLiteral("log.xlsx")));
    }
    const double n = double(state.iterations());
    state.counters["save_every_row_ms"] = everyRow / n * 1e3;
    state.counters["bare_updates_ms"] = bare / n * 1e3;
    state.counters["ratio"] = everyRow / bare;
    state.counters["save_one_cell_ms"] = oneCell / n * 1e3;
    state.counters["one_cell_share"] = oneCell / everyRow;
    // The log copy each save leaves to a worker thread.
    state.counters["log_copy_ms"] = log / n * 1e3;
}

void BM_SaveSqlite(benchmark::State& state) {
    saveOn(state, std::nullopt);
}

void BM_SavePostgres(benchmark::State& state) {
    const QString connInfo = qEnvironmentVariable("QUILL_TEST_PG");
    if (connInfo.isEmpty()) {
        state.SkipWithError("QUILL_TEST_PG is not set");
        for (auto _ : state) {
        }
        return;
    }
    saveOn(state, ConnectionConfig::fromPgConnInfo(connInfo));
}

BENCHMARK(BM_SaveSqlite)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SavePostgres)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

} // namespace quill::bench
