// Clauses built from many random values on items of every type code (S T Y D
// I B M O, lower-case codes, a code no rule knows) and random date ranges
// select what the same conditions select with the values passed as bound
// parameters of the literal's own type; where PostgreSQL refuses the literal
// it refuses the parameter as well, and SQLite never refuses a clause.

#include "MdlxWorkspace.h"
#include "TestDatabase.h"

#include "foundation/Mdlx.h"
#include "platform/db/DbError.h"
#include "suite/SuiteLib.h"

#include <QDate>
#include <QTime>
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>

namespace quill::test {
namespace {

const char* const Pieces[] = {"'",           "''",   "#",  "--", ";",  "中文",       "王",
                              " ",           "  ",   "a",  "Z",  "%",  "_",          "\"",
                              "/*",          "*/",   "1",  "-",  "\\", "2024-01-05", "#2024-01-05#",
                              "' or '1'='1", "null", "\t", "）", "，"};
const char* const Operators[] = {"=", "<>", ">", "<", ">=", "<=", "LIKE"};

// Dates and times the query table holds, so that equality selects rows.
const char* const Dates[] = {"2024-01-05", "2024-01-15", "2024-02-05", "2024-02-20", "2024-03-01",
                             "2024-01-31", "2023-12-31", "2024-02-29", "2024-01-20", "1980-03-01",
                             "1985-07-12", "1975-01-20", "1995-02-28", "2000-01-01"};
const char* const Times[] = {"08:00:00", "08:30:00", "09:00:00", "07:45:00",
                             "08:15:00", "10:00:00", "23:59:59"};

// Values of the codes without a literal rule of their own, by what they are.
const std::pair<const char*, int> Numbers[] = {{"1", 1},  {" 0 ", 0}, {"+1", 1},
                                               {"-0", 0}, {"007", 7}, {"12", 12}};
const std::pair<const char*, bool> Booleans[] = {
    {"true", true}, {"是", true}, {" FALSE ", false}, {"否", false}, {"True", true}};
const char* const Texts[] = {"1; drop table zdb3",
                             "x' or '1'='1",
                             "1 or 1=1",
                             "--",
                             "a--b",
                             "12abc",
                             "O'Brien",
                             "abc",
                             "x y",
                             "A1",
                             "甲",
                             "v",
                             " 空格 ",
                             "#1",
                             "1,0"};

struct Item {
    const char* caption;
    const char* column;
    char code; // the upper-case code the item's type reads as
};
const Item Items[] = {
    {"备注", "NOTE", 'S'},       {"姓名", "name", 'S'},       {"小写备注", "NOTE", 'S'},
    {"出生日期", "BIRTH", 'T'},  {"日期", "zhdate", 'T'},     {"小写日期", "BIRTH", 'T'},
    {"上班时间", "ONTIME", 'Y'}, {"小写时间", "ONTIME", 'Y'}, {"金额", "AMOUNT", 'D'},
    {"小写金额", "AMOUNT", 'D'}, {"天数", "DAYS", 'I'},       {"小写天数", "DAYS", 'I'},
    {"标志", "FLAG", 'B'},       {"小写标志", "FLAG", 'B'},   {"备忘", "MEMO", 'M'},
    {"照片", "PIC", 'O'},        {"代码", "CODE", 'X'},       {"无类型", "CODE", 'X'},
};

// Numbers of the D and I items with the leading number they stand for.
const std::pair<const char*, double> Amounts[] = {
    {"1500.5", 1500.5}, {" 800", 800}, {"abc", 0}, {"12.50abc", 12.5}, {"-3", -3}, {"1e3", 1000},
    {"22", 22},         {"0.5", 0.5},  {"", 0},    {" 21 ", 21}};

// A condition value, and the bound value and SQL type of its literal for the
// same condition written by hand. A bare parameter, like a literal, takes the
// column's affinity on SQLite; PostgreSQL would give it the column's type, so
// there it is cast to the literal's own type.
struct Value {
    QString text;
    QString type; // empty: a text literal, or no parameter at all
    QVariant bound;

    QString placeholder(bool pg) const {
        return pg && !type.isEmpty() ? "cast(? as " + type + ")" : "?";
    }
};

class RandomValues {
public:
    explicit RandomValues(unsigned seed)
        : m_random(seed) {}

    // Never a null QString: bound as a parameter, that would be SQL null.
    QString text() {
        QString text = "";
        const int pieces = pick(6);
        for (int i = 0; i < pieces; ++i)
            text += QString::fromUtf8(Pieces[pick(std::size(Pieces))]);
        return text;
    }
    int pick(std::size_t count) {
        return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 1)(m_random);
    }

    // A stored date in one of the forms people type.
    QString dateForm(const QDate& date) {
        const QString y = date.toString("yyyy");
        const QString m = QString::number(date.month());
        const QString d = QString::number(date.day());
        const QString forms[] = {date.toString("yyyy-MM-dd"),
                                 y + "-" + m + "-" + d,
                                 date.toString("yy") + "-" + m + "-" + d,
                                 y + "." + m + "." + d,
                                 y + "/" + m + "/" + d,
                                 m + "/" + d + "/" + y,
                                 y + "年" + m + "月" + d + "日",
                                 " " + y + "年" + m + "月" + d + "日 ",
                                 date.toString("yyyy-MM-dd") + " 00:00",
                                 y + "-" + m + "-" + d + " 13:45:10"};
        return forms[pick(std::size(forms))];
    }
    QDate date() { return QDate::fromString(Dates[pick(std::size(Dates))], Qt::ISODate); }
    QString timeForm(const QTime& time) {
        const QString forms[] = {time.toString("HH:mm:ss"), time.toString("H:mm:ss"),
                                 time.toString("H:mm"), "2024-01-05 " + time.toString("H:mm:ss"),
                                 " " + time.toString("HH:mm") + " "};
        return forms[pick(time.second() ? 2 : std::size(forms))];
    }

    // A value for an item of the code, or a null test now and then.
    Value value(char code, bool quote, const QStringList& notes) {
        if (pick(20) == 0)
            return {pick(2) ? "null" : " NuLL ", "", {}};
        switch (code) {
        case 'S': {
            // Half of the values are stored ones, so that equality selects rows.
            const QString text = pick(2) ? notes[pick(notes.size())] : this->text();
            return {text, "", text};
        }
        case 'T':
        case 'Y': {
            if (pick(5) == 0) { // no date: a text literal
                const QString junk = "v" + text();
                return {junk, "", junk};
            }
            if (code == 'T') {
                const QDate date = this->date();
                return {dateForm(date), "", date.toString(Qt::ISODate)};
            }
            const QTime time = QTime::fromString(Times[pick(std::size(Times))], Qt::ISODate);
            return {timeForm(time), "", time.toString("HH:mm:ss")};
        }
        case 'D':
        case 'I': {
            const auto& [text, number] = Amounts[pick(std::size(Amounts))];
            // Written as a whole number when it is one, as the literal is.
            const QVariant bound =
                number == std::floor(number) ? QVariant(qlonglong(number)) : QVariant(number);
            return {text, "numeric", bound};
        }
        default:
            break;
        }
        switch (pick(3)) {
        case 0: {
            const auto& [text, number] = Numbers[pick(std::size(Numbers))];
            return {QString::fromUtf8(text), "integer", number};
        }
        case 1: {
            const auto& [text, yes] = Booleans[pick(std::size(Booleans))];
            // The quote dialect's boolean literal is a whole number.
            if (quote)
                return {QString::fromUtf8(text), "integer", yes ? 1 : 0};
            return {QString::fromUtf8(text), "boolean", yes};
        }
        default: {
            const QString text =
                pick(2) ? QString::fromUtf8(Texts[pick(std::size(Texts))]) : "v" + this->text();
            return {text, "", text.trimmed()};
        }
        }
    }

private:
    std::mt19937 m_random;
};

bool isNullText(const QString& value) {
    return value.trimmed().toUpper() == "NULL";
}

// The rows selected, or none when the database refused the query.
template <typename Select> std::optional<std::vector<std::string>> outcome(Select select) {
    try {
        return select();
    } catch (const DbError&) {
        return std::nullopt;
    }
}

std::string describe(const std::optional<std::vector<std::string>>& rows) {
    if (!rows)
        return "refused";
    std::string text = std::to_string(rows->size()) + " rows:";
    for (const std::string& row : *rows)
        text += " " + row;
    return text;
}

class MdlxProperty : public EngineTest {
protected:
    void runAll(const ConnectionConfig& config, const QString& databaseKind, unsigned seed) {
        const bool sqlite = config.engine == ConnectionConfig::Engine::Sqlite;
        const bool quote = databaseKind == "2";
        MdlxWorkspace workspace(config, databaseKind);
        Mdlx& m = Mdlx::instance();
        SuiteLib& lib = SuiteLib::instance();
        RandomValues random(seed);
        QStringList notes;
        for (int i = 0; i < 60; ++i) {
            notes << random.text();
            workspace.addNote(QString("P%1").arg(i, 3, 10, QChar('0')), notes.last());
        }
        int matched = 0;
        int refused = 0;
        for (int round = 0; round < 400; ++round) {
            const int count = 1 + random.pick(3);
            QString sql;
            QVariantList bound;
            lib.RangeKind = "";
            if (round % 4 == 0) {
                // A period range from random texts.
                lib.RangeKind = "time2";
                m.PeriodFrom = random.text();
                m.PeriodTo = random.text();
                sql += "zhtime >= ? and zhtime <= ? and ";
                bound << m.PeriodFrom << m.PeriodTo;
            } else if (round % 4 == 1) {
                // A date range whose bounds are typed in any accepted form.
                const QDate from = random.date();
                const QDate to = random.date();
                lib.RangeKind = random.pick(2) ? "date2" : "date1";
                m.DateFrom = random.dateForm(from);
                m.DateTo = random.dateForm(to);
                if (lib.RangeKind == "date1") {
                    sql += "zhdate = ? and ";
                    bound << from.toString(Qt::ISODate);
                } else {
                    sql += "zhdate >= ? and zhdate <= ? and ";
                    bound << from.toString(Qt::ISODate) << to.toString(Qt::ISODate);
                }
            }
            if (count > 1)
                sql += "(";
            for (int i = 0; i < count; ++i) {
                const Item& item = Items[random.pick(std::size(Items))];
                const Value value = random.value(item.code, quote, notes);
                QString op = Operators[random.pick(std::size(Operators))];
                if (op == "LIKE" && value.text.contains('\\'))
                    op = "="; // a backslash escapes in PostgreSQL patterns
                const QString connective = random.pick(2) ? "并且" : "或者";
                m.ActiveConditions[i] = {connective, item.caption, op, value.text};
                if (i > 0)
                    sql += connective == "并且" ? " and " : " or ";
                if (isNullText(value.text)) {
                    sql += QString(item.column) + " is null";
                } else {
                    sql += QString(item.column) + " " + op + " " + value.placeholder(!sqlite);
                    bound << value.bound;
                }
            }
            if (count > 1)
                sql += ")";
            m.ActiveCount = static_cast<std::int16_t>(count);
            m.BuildSelection();
            const QString clause = lib.SqlWhere;
            const auto want = outcome([&] { return workspace.selectBound(sql, bound); });
            const auto got = outcome([&] { return workspace.selectWhere(clause); });
            const std::string where = "kind " + databaseKind.toStdString() + " seed " +
                                      std::to_string(seed) + " round " + std::to_string(round) +
                                      ": " + clause.toStdString();
            if (sqlite) {
                EXPECT_TRUE(got.has_value()) << where;
            }
            EXPECT_EQ(describe(got), describe(want))
                << where << "\n  by hand: " << sql.toStdString();
            matched += want && !want->empty() ? 1 : 0;
            refused += want ? 0 : 1;
        }
        // PostgreSQL refuses many mixed types (a number against text, LIKE on
        // a date) that SQLite compares; enough rounds must still select rows.
        EXPECT_GT(matched, sqlite ? 100 : 50);
        EXPECT_LT(refused, sqlite ? 1 : 300);
        // No value ran as a statement of its own.
        EXPECT_EQ(workspace.scalar("select count(*) from zdb3"), "9");
    }
};

TEST_P(MdlxProperty, RandomValuesOfEveryCodeSelectAsBoundParameters) {
    runAll(db().config(), db().config().databaseKind, 20240105);
    // The other dialect on the same engine.
    TestDatabase other(GetParam());
    runAll(other.config(), db().config().databaseKind == "2" ? "1" : "2", 7);
}

QUILL_INSTANTIATE_ENGINES(MdlxProperty);

} // namespace
} // namespace quill::test
