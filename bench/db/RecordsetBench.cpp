#include "BenchDatabase.h"

#include "platform/db/Recordset.h"
#include "platform/db/Transaction.h"

#include <QCoreApplication>
#include <QSqlQuery>

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <QSqlDriver>

#include <malloc.h>

#include <map>
#include <memory>

using namespace quill;
using namespace quill::bench;

namespace {

const QString walkSql = QStringLiteral("select * from big");

std::map<ConnectionConfig::Engine, std::unique_ptr<BenchDatabase>>& databases() {
    static std::map<ConnectionConfig::Engine, std::unique_ptr<BenchDatabase>> all;
    return all;
}

BenchDatabase& database(ConnectionConfig::Engine engine) {
    auto& slot = databases()[engine];
    if (!slot)
        slot = std::make_unique<BenchDatabase>(engine);
    return *slot;
}

// Bytes currently allocated on the heap.
size_t heapBytes() {
    return mallinfo2().uordblks;
}

// Open the 100000 records and read every field of every record.
void openAndWalkRecordset(benchmark::State& state, ConnectionConfig::Engine engine) {
    Connection& c = database(engine).connection();
    for (auto _ : state) {
        Recordset rs;
        rs.Open(walkSql, c);
        long nulls = 0;
        const int fields = rs.FieldCount();
        while (!rs.Eof()) {
            for (int i = 0; i < fields; ++i)
                nulls += rs.Value(i).isNull();
            rs.MoveNext();
        }
        benchmark::DoNotOptimize(nulls);
    }
    state.SetItemsProcessed(state.iterations() * BenchDatabase::bigRows);
}

// The same records through a bare forward-only QSqlQuery.
void walkBareQuery(benchmark::State& state, ConnectionConfig::Engine engine) {
    Connection& c = database(engine).connection();
    for (auto _ : state) {
        QSqlQuery q(c.database());
        q.setForwardOnly(true);
        q.exec(walkSql);
        long nulls = 0;
        const int fields = 10;
        while (q.next()) {
            for (int i = 0; i < fields; ++i)
                nulls += q.value(i).isNull();
        }
        benchmark::DoNotOptimize(nulls);
    }
    state.SetItemsProcessed(state.iterations() * BenchDatabase::bigRows);
}

// Heap memory an open recordset of 100000 records of 10 fields takes once
// every record was read.
void recordsetMemory(benchmark::State& state, ConnectionConfig::Engine engine) {
    Connection& c = database(engine).connection();
    for (auto _ : state) {
        const size_t before = heapBytes();
        Recordset rs;
        rs.Open(walkSql, c);
        rs.MoveLast();
        const size_t after = heapBytes();
        state.counters["MiB_per_100000_records"] =
            static_cast<double>(after - before) / (1024.0 * 1024.0);
        state.counters["bytes_per_record"] =
            static_cast<double>(after - before) / BenchDatabase::bigRows;
    }
}

// 16380 records changed one by one through the recordset.
void updateThroughRecordset(benchmark::State& state, ConnectionConfig::Engine engine,
                            bool inTransaction) {
    BenchDatabase& db = database(engine);
    Connection& c = db.connection();
    for (auto _ : state) {
        state.PauseTiming();
        db.resetPay();
        Recordset rs;
        rs.Open(QStringLiteral("select * from pay order by id"), c);
        rs.MoveLast(); // the records read beforehand: the writes alone are timed
        rs.MoveFirst();
        state.ResumeTiming();
        std::unique_ptr<Transaction> t;
        if (inTransaction)
            t = std::make_unique<Transaction>(c);
        const int total = rs.FieldCount() > 5 ? 5 : 0;
        while (!rs.Eof()) {
            rs.SetValue(total, rs.Value(3).toDouble() + 1.5);
            rs.Update();
            rs.MoveNext();
        }
        if (t)
            t->commit();
    }
    state.SetItemsProcessed(state.iterations() * BenchDatabase::payRows);
}

// The same updates as bare prepared statements (Qt's QSqlQuery).
void updateBarePrepared(benchmark::State& state, ConnectionConfig::Engine engine,
                        bool inTransaction) {
    BenchDatabase& db = database(engine);
    Connection& c = db.connection();
    for (auto _ : state) {
        state.PauseTiming();
        db.resetPay();
        state.ResumeTiming();
        std::unique_ptr<Transaction> t;
        if (inTransaction)
            t = std::make_unique<Transaction>(c);
        QSqlQuery q(c.database());
        q.prepare(QStringLiteral("update pay set total = ? where id = ?"));
        for (int id = 1; id <= BenchDatabase::payRows; ++id) {
            q.bindValue(0, 1000 + id % 100 + 1.5);
            q.bindValue(1, id);
            q.exec();
        }
        if (t)
            t->commit();
    }
    state.SetItemsProcessed(state.iterations() * BenchDatabase::payRows);
}

// The same updates on the sqlite3 handle itself: the engine's own floor.
void updateNativeSqlite(benchmark::State& state, bool inTransaction) {
    BenchDatabase& db = database(ConnectionConfig::Engine::Sqlite);
    Connection& c = db.connection();
    const QVariant handle = c.database().driver()->handle();
    sqlite3* h = *static_cast<sqlite3* const*>(handle.constData());
    for (auto _ : state) {
        state.PauseTiming();
        db.resetPay();
        state.ResumeTiming();
        std::unique_ptr<Transaction> t;
        if (inTransaction)
            t = std::make_unique<Transaction>(c);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(h, "update pay set total = ? where id = ?", -1, &st, nullptr);
        for (int id = 1; id <= BenchDatabase::payRows; ++id) {
            sqlite3_bind_double(st, 1, 1000 + id % 100 + 1.5);
            sqlite3_bind_int(st, 2, id);
            sqlite3_step(st);
            sqlite3_reset(st);
        }
        sqlite3_finalize(st);
        if (t)
            t->commit();
    }
    state.SetItemsProcessed(state.iterations() * BenchDatabase::payRows);
}

void registerFor(ConnectionConfig::Engine engine, const std::string& name) {
    benchmark::RegisterBenchmark(("OpenWalk/Recordset/" + name).c_str(), openAndWalkRecordset,
                                 engine)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("OpenWalk/BareQuery/" + name).c_str(), walkBareQuery, engine)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("Memory/Recordset/" + name).c_str(), recordsetMemory, engine)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
    for (const bool tx : {true, false}) {
        const std::string suffix = tx ? "/transaction/" : "/autocommit/";
        auto* a = benchmark::RegisterBenchmark(("Update/Recordset" + suffix + name).c_str(),
                                               updateThroughRecordset, engine, tx);
        auto* b = benchmark::RegisterBenchmark(("Update/BarePrepared" + suffix + name).c_str(),
                                               updateBarePrepared, engine, tx);
        for (auto* bm : {a, b}) {
            bm->Unit(benchmark::kMillisecond);
            if (!tx)
                bm->Iterations(1);
        }
        if (engine == ConnectionConfig::Engine::Sqlite) {
            auto* n = benchmark::RegisterBenchmark(("Update/NativeSqlite" + suffix + name).c_str(),
                                                   updateNativeSqlite, tx);
            n->Unit(benchmark::kMillisecond);
            if (!tx)
                n->Iterations(1);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    registerFor(ConnectionConfig::Engine::Sqlite, "sqlite");
    if (BenchDatabase::pgAvailable())
        registerFor(ConnectionConfig::Engine::Postgres, "pg");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    databases().clear();
    return 0;
}
