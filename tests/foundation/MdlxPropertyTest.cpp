// Clauses built from many random text values (quotes, '#', "--", ';', Chinese,
// blanks, empty) run without an SQL error and select what the same
// conditions select with the values passed as bound parameters.

#include "MdlxWorkspace.h"
#include "TestDatabase.h"

#include "foundation/Mdlx.h"
#include "platform/db/DbError.h"
#include "suite/SuiteLib.h"

#include <gtest/gtest.h>

#include <random>

namespace quill::test {
namespace {

const char* const Pieces[] = {"'",           "''",   "#",  "--", ";",  "中文",       "王",
                              " ",           "  ",   "a",  "Z",  "%",  "_",          "\"",
                              "/*",          "*/",   "1",  "-",  "\\", "2024-01-05", "#2024-01-05#",
                              "' or '1'='1", "null", "\t", "）", "，"};
const char* const Operators[] = {"=", "<>", ">", "<", ">=", "<=", "LIKE"};

class RandomValues {
public:
    explicit RandomValues(unsigned seed)
        : m_random(seed) {}

    // Never a null QString: bound as a parameter, that would be SQL null.
    QString value() {
        QString text = QStringLiteral("");
        const int pieces = pick(6);
        for (int i = 0; i < pieces; ++i)
            text += QString::fromUtf8(Pieces[pick(std::size(Pieces))]);
        return text;
    }
    int pick(std::size_t count) {
        return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 1)(m_random);
    }

private:
    std::mt19937 m_random;
};

bool isNullText(const QString& value) {
    return value.trimmed().toUpper() == "NULL";
}

class MdlxProperty : public EngineTest {
protected:
    void runAll(const ConnectionConfig& config, const QString& databaseKind, unsigned seed) {
        MdlxWorkspace workspace(config, databaseKind);
        Mdlx& m = Mdlx::instance();
        SuiteLib& lib = SuiteLib::instance();
        RandomValues random(seed);
        QStringList notes;
        for (int i = 0; i < 60; ++i) {
            notes << random.value();
            workspace.addNote(QString("P%1").arg(i, 3, 10, QChar('0')), notes.last());
        }
        const char* const items[][2] = {{"备注", "NOTE"}, {"姓名", "name"}};
        int matched = 0;
        for (int round = 0; round < 300; ++round) {
            const int count = 1 + random.pick(3);
            QString sql;
            QVariantList bound;
            if (round % 4 == 0) {
                // A period range from random texts.
                lib.RangeKind = "time2";
                m.PeriodFrom = random.value();
                m.PeriodTo = random.value();
                sql += "zhtime >= ? and zhtime <= ? and ";
                bound << m.PeriodFrom << m.PeriodTo;
            } else {
                lib.RangeKind = "";
            }
            if (count > 1)
                sql += "(";
            for (int i = 0; i < count; ++i) {
                const auto& item = items[random.pick(2)];
                // Half of the values are stored ones, so that equality selects rows.
                const QString value =
                    random.pick(2) ? notes[random.pick(notes.size())] : random.value();
                QString op = Operators[random.pick(std::size(Operators))];
                if (op == "LIKE" && value.contains('\\'))
                    op = "="; // a backslash escapes in PostgreSQL patterns
                const QString connective = random.pick(2) ? "并且" : "或者";
                m.ActiveConditions[i] = {connective, item[0], op, value};
                if (i > 0)
                    sql += connective == "并且" ? " and " : " or ";
                if (isNullText(value)) {
                    sql += QString(item[1]) + " is null";
                } else {
                    sql += QString(item[1]) + " " + op + " ?";
                    bound << value;
                }
            }
            if (count > 1)
                sql += ")";
            m.ActiveCount = static_cast<std::int16_t>(count);
            m.BuildSelection();
            const QString clause = lib.SqlWhere;
            try {
                const std::vector<std::string> want = workspace.selectBound(sql, bound);
                EXPECT_EQ(workspace.selectWhere(clause), want)
                    << "seed " << seed << " round " << round << ": " << clause.toStdString();
                matched += want.empty() ? 0 : 1;
            } catch (const DbError& error) {
                ADD_FAILURE() << "seed " << seed << " round " << round << ": "
                              << clause.toStdString() << ": " << error.what();
            }
        }
        EXPECT_GT(matched, 50);
    }
};

TEST_P(MdlxProperty, RandomTextValuesSelectAsBoundParameters) {
    runAll(db().config(), db().config().databaseKind, 20240105);
    if (GetParam() == Engine::Sqlite) { // SQLite runs the quote dialect as well
        TestDatabase other(Engine::Sqlite);
        runAll(other.config(), "2", 7);
    }
}

QUILL_INSTANTIATE_ENGINES(MdlxProperty);

} // namespace
} // namespace quill::test
