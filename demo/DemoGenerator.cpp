#include "DemoGenerator.h"

#include "demo/DemoDictionary.h"
#include "demo/DemoError.h"
#include "demo/DemoRandom.h"

#include <QTime>

#include <stdexcept>

namespace quill {

namespace {

struct TeamSeed {
    const char* name;
    const char* sortKey;
    QList<const char*> groups;
};

struct DepartmentSeed {
    const char* name;
    const char* sortKey;
    int salaryLow; // monthly base salary range, whole yuan
    int salaryHigh;
    QList<TeamSeed> teams;
};

// Sort keys differ from the insertion order on purpose: children are read
// "order by proval1", never by proid. Team and group names repeat across
// departments, so a name alone never identifies a unit.
const QList<DepartmentSeed>& organisation() {
    static const QList<DepartmentSeed> seed{
        {"生产部",
         "01",
         3200,
         4800,
         {{"一班", "01", {"甲组", "乙组"}},
          {"三班", "03", {"甲组"}},
          {"二班", "02", {"甲组", "乙组"}}}},
        {"行政部", "04", 3000, 5200, {{"综合班", "01", {"文秘组", "后勤组"}}}},
        {"技术部",
         "02",
         5000,
         9000,
         {{"一班", "01", {"设计组", "工艺组"}}, {"质检班", "02", {"检验组"}}}},
        {"销售部",
         "03",
         3500,
         6500,
         {{"华东班", "01", {"一组", "二组"}}, {"华南班", "02", {"一组"}}}},
    };
    return seed;
}

const QStringList& surnames() {
    static const QStringList list =
        QStringLiteral("王 李 张 刘 陈 杨 赵 黄 周 吴 徐 孙 胡 朱 高 林 何 郭 马 罗 梁 宋 郑 谢 韩 "
                       "唐 冯 于 董 萧 程 曹 袁 邓 许 傅 沈 曾 彭 吕")
            .split(u' ');
    return list;
}

const QStringList& givenNames() {
    static const QStringList list = QStringLiteral("伟 芳 娜 敏 静 丽 强 磊 军 洋 勇 艳 杰 娟 涛 "
                                                   "明 超 秀 霞 平 刚 桂 英 华 玉 萍 红 建 文 辉 "
                                                   "鹏 飞 婷 雪 琳 晨 浩 宇 欣 怡 凯 俊 斌 蕾 梅 "
                                                   "峰 波 琴 颖 倩 鑫 亮 佳 晶 瑶 琪 鸿 健 春 兰")
                                        .split(u' ');
    return list;
}

const QStringList& educations() {
    static const QStringList list = QStringLiteral("初中 高中 中专 大专 本科 硕士").split(u' ');
    return list;
}

const QStringList& notes() {
    static const QStringList list{
        QStringLiteral("技术骨干，多次获评优秀员工。"), QStringLiteral("持叉车操作证。"),
        QStringLiteral("2025年转正，试用期表现良好。"), QStringLiteral("兼任安全员。"),
        QStringLiteral("外派华南区域，按月报销差旅。")};
    return list;
}

QVariant nullText() {
    return QVariant(QMetaType(QMetaType::QString));
}
QVariant nullOf(QMetaType::Type type) {
    return QVariant(QMetaType(type));
}
QVariant textOrNull(const QString& s) {
    return s.isEmpty() ? nullText() : QVariant(s);
}
double money(qint64 cents) {
    return static_cast<double>(cents) / 100.0;
}

QString periodText(const QDate& start) {
    return QStringLiteral("%1年%2月").arg(start.year()).arg(start.month(), 2, 10, QLatin1Char('0'));
}

// Stream keys keep the random streams of different tables apart.
constexpr std::uint64_t EmployeeStream = 0x454d50;
constexpr std::uint64_t PayStream = 0x504159;
constexpr std::uint64_t AttendanceStream = 0x41544e;

} // namespace

DemoGenerator::DemoGenerator(const DemoOptions& options)
    : m_options(options) {
    if (options.employees < 0 || options.employees > DemoOptions::MaxEmployees ||
        options.periods < 1 || options.periods > DemoOptions::MaxPeriods ||
        !options.firstPeriod.isValid()) {
        throw DemoError(QStringLiteral("员工人数须在 0 到 %1 之间，期间数须在 1 到 %2 之间。")
                            .arg(DemoOptions::MaxEmployees)
                            .arg(DemoOptions::MaxPeriods));
    }
    buildUnits();
    buildEmployees();
}

void DemoGenerator::buildUnits() {
    auto add = [this](int parid, const QString& name, DemoUnit::Kind kind, const QString& key) {
        const int proid = static_cast<int>(m_units.size()) + 1;
        m_units << DemoUnit{proid, parid, name, kind, key};
        return proid;
    };
    for (const DepartmentSeed& d : organisation()) {
        const int dept =
            add(0, QString::fromUtf8(d.name), DemoUnit::Department, QString::fromLatin1(d.sortKey));
        for (const TeamSeed& t : d.teams) {
            const int team = add(dept, QString::fromUtf8(t.name), DemoUnit::Team,
                                 QString::fromLatin1(t.sortKey));
            int n = 0;
            for (const char* g : t.groups) {
                m_groups << static_cast<int>(m_units.size());
                add(team, QString::fromUtf8(g), DemoUnit::Group,
                    QStringLiteral("%1").arg(++n, 2, 10, QLatin1Char('0')));
            }
        }
    }
    const int sex = add(0, QStringLiteral("性别"), DemoUnit::PickList, QStringLiteral("01"));
    add(sex, QStringLiteral("男"), DemoUnit::Entry, QStringLiteral("01"));
    add(sex, QStringLiteral("女"), DemoUnit::Entry, QStringLiteral("02"));
    const int edu = add(0, QStringLiteral("学历"), DemoUnit::PickList, QStringLiteral("02"));
    int n = 0;
    for (const QString& e : educations())
        add(edu, e, DemoUnit::Entry, QStringLiteral("%1").arg(++n, 2, 10, QLatin1Char('0')));
}

void DemoGenerator::buildEmployees() {
    m_employees.reserve(m_options.employees);
    const QDate bornFrom(1966, 1, 1);
    const QDate joinedFrom(2005, 1, 1);
    for (int i = 0; i < m_options.employees; ++i) {
        DemoRandom rnd(m_options.seed, EmployeeStream, static_cast<std::uint64_t>(i));
        DemoEmployee e;
        e.memberid = QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0'));
        e.name = rnd.pick(surnames()) + rnd.pick(givenNames());
        if (rnd.chance(60))
            e.name += rnd.pick(givenNames());
        e.sex = rnd.chance(55) ? QStringLiteral("男") : QStringLiteral("女");
        const DemoUnit& group = m_units.at(m_groups.at(rnd.between(0, int(m_groups.size()) - 1)));
        const DemoUnit& team = m_units.at(group.parid - 1);
        e.group = group.proid;
        e.team = team.proid;
        e.department = team.parid;
        e.birthday = bornFrom.addDays(rnd.between(0, 365 * 38));
        e.education = rnd.pick(educations());
        e.cardNo = QStringLiteral("622202");
        for (int k = 0; k < 13; ++k)
            e.cardNo += QChar(u'0' + rnd.between(0, 9));
        e.joined = joinedFrom.addDays(rnd.between(0, 365 * 20));
        e.active = !rnd.chance(8);
        if (i < m_options.photos && !m_options.photoFolder.isEmpty())
            e.photo = m_options.photoFolder + u'/' + e.memberid + QStringLiteral(".png");
        if (rnd.chance(20))
            e.note = rnd.pick(notes());
        const DepartmentSeed* dept = nullptr;
        for (const DepartmentSeed& d : organisation()) {
            if (QString::fromUtf8(d.name) == unitName(e.department))
                dept = &d;
        }
        e.baseSalaryCents = rnd.between(dept->salaryLow, dept->salaryHigh) / 10 * 1000;
        m_employees << e;
    }
}

QStringList DemoGenerator::periods() const {
    QStringList out;
    for (int p = 0; p < m_options.periods; ++p)
        out << periodText(periodStart(p));
    return out;
}

QString DemoGenerator::currentPeriod() const {
    return periodText(periodStart(m_options.periods - 1));
}

QDate DemoGenerator::periodStart(int period) const {
    const QDate first(m_options.firstPeriod.year(), m_options.firstPeriod.month(), 1);
    return first.addMonths(period);
}

QList<QDate> DemoGenerator::workingDays(int period) const {
    QList<QDate> days;
    const QDate start = periodStart(period);
    for (QDate d = start; d.month() == start.month(); d = d.addDays(1)) {
        if (d.dayOfWeek() <= 5)
            days << d;
    }
    return days;
}

QList<QDate> DemoGenerator::attendanceDays() const {
    return workingDays(m_options.periods - 1);
}

QString DemoGenerator::unitName(int proid) const {
    return proid >= 1 && proid <= m_units.size() ? m_units.at(proid - 1).name : QString();
}

qint64 DemoGenerator::rowCount(const QString& table) const {
    const QString t = table.toUpper();
    const qint64 employees = m_employees.size();
    if (t == u"ZDB1")
        return DemoDictionary::rows().size();
    if (t == u"ZDB3")
        return m_units.size();
    if (t == u"SYS02")
        return 6;
    if (t == u"SYS03")
        return m_options.periods;
    if (t == u"YGZL")
        return employees;
    if (t == u"GZB")
        return employees * m_options.periods;
    if (t == u"KQB")
        return employees * attendanceDays().size();
    throw std::invalid_argument("no demo table " + table.toStdString());
}

void DemoGenerator::generate(const QString& table, const RowSink& sink) const {
    const QString t = table.toUpper();
    if (t == u"ZDB1") {
        for (const QVariantList& row : DemoDictionary::rows())
            sink(row);
    } else if (t == u"ZDB3") {
        for (const DemoUnit& u : m_units)
            sink({u.parid, u.proid, u.name, static_cast<int>(u.kind), u.sortKey});
    } else if (t == u"SYS02") {
        // cdmc, cdtb, cdxh, zxtm, mkwj: a "*" at either end of zxtm admits every user.
        sink({QStringLiteral("人事档案"), QStringLiteral("RSDA.ICO"), 1, QStringLiteral("*"),
              QStringLiteral("QUILL.DLL")});
        sink({QStringLiteral("工资管理"), QStringLiteral("GZGL.ICO"), 2, QStringLiteral("*财务"),
              QStringLiteral("QUILL.DLL")});
        sink({QStringLiteral("考勤管理"), QStringLiteral("KQGL.ICO"), 3, QStringLiteral("管理员"),
              QStringLiteral("QUILL.DLL")});
        sink({QStringLiteral("工资计算"), nullText(), 4, QStringLiteral("财务"),
              QStringLiteral("GZJS.DLL")});
        sink({QStringLiteral("考勤机导入"), QStringLiteral("KQDR.ICO"), 5,
              QStringLiteral("管理员*"), QStringLiteral("KQDR.dll")});
        sink({QStringLiteral("数据备份"), QStringLiteral("SJBF.ICO"), 6, QStringLiteral("管理员"),
              nullText()});
    } else if (t == u"SYS03") {
        // kjqs orders the periods; note is the period text the period dialog
        // lists and the pay rows hold in zhtime.
        for (int p = 0; p < m_options.periods; ++p) {
            const QDate start = periodStart(p);
            sink({start.year() * 100 + start.month(), periodText(start)});
        }
    } else if (t == u"YGZL") {
        employeeRows(sink);
    } else if (t == u"GZB") {
        payRows(sink);
    } else if (t == u"KQB") {
        attendanceRows(sink);
    } else {
        throw std::invalid_argument("no demo table " + table.toStdString());
    }
}

void DemoGenerator::employeeRows(const RowSink& sink) const {
    for (const DemoEmployee& e : m_employees) {
        sink({e.memberid, e.name, e.sex, QString::number(e.department), QString::number(e.team),
              QString::number(e.group), e.birthday, e.education, e.cardNo, e.joined, e.active,
              textOrNull(e.photo), textOrNull(e.note), nullOf(QMetaType::QByteArray)});
    }
}

void DemoGenerator::payRows(const RowSink& sink) const {
    for (int p = 0; p < m_options.periods; ++p) {
        const QDate start = periodStart(p);
        const QString period = periodText(start);
        const int days = static_cast<int>(workingDays(p).size());
        const QDate paid = start.addMonths(1).addDays(9);
        for (qsizetype i = 0; i < m_employees.size(); ++i) {
            const DemoEmployee& e = m_employees.at(i);
            DemoRandom rnd(m_options.seed, PayStream + static_cast<std::uint64_t>(p),
                           static_cast<std::uint64_t>(i));
            const qint64 base = e.baseSalaryCents;
            const qint64 allowance = rnd.between(2, 8) * 10000;
            const qint64 bonus = rnd.between(0, 200) * 1000;
            const qint64 overtime = rnd.chance(60) ? rnd.between(0, 120000) : 0;
            const qint64 gross = base + allowance + bonus + overtime;
            const qint64 deduction = base * 105 / 1000 + (rnd.chance(10) ? 5000 : 0);
            const int absent = rnd.chance(25) ? rnd.between(1, 3) : 0;
            sink({period, e.memberid, e.name, QString::number(e.department),
                  QString::number(e.team), QString::number(e.group), money(base), money(allowance),
                  money(bonus), money(overtime), money(gross), money(deduction),
                  money(gross - deduction), days - absent, paid, start.year(), start.month()});
        }
    }
}

void DemoGenerator::attendanceRows(const RowSink& sink) const {
    const QList<QDate> days = attendanceDays();
    for (qsizetype d = 0; d < days.size(); ++d) {
        for (qsizetype i = 0; i < m_employees.size(); ++i) {
            const DemoEmployee& e = m_employees.at(i);
            DemoRandom rnd(m_options.seed, AttendanceStream + static_cast<std::uint64_t>(d),
                           static_cast<std::uint64_t>(i));
            QVariant in = nullOf(QMetaType::QTime);
            QVariant out = nullOf(QMetaType::QTime);
            double hours = 0;
            double extra = 0;
            if (!rnd.chance(4)) {
                const QTime arrived = QTime(7, 45).addSecs(60 * rnd.between(0, 30));
                extra = rnd.chance(30) ? 0.5 * rnd.between(1, 6) : 0;
                const QTime left =
                    QTime(17, 0).addSecs(static_cast<int>(extra * 3600) + 60 * rnd.between(0, 14));
                in = arrived;
                out = left;
                hours = arrived > QTime(8, 0) ? 7.5 : 8.0;
            }
            sink({days.at(d), e.memberid, e.name, QString::number(e.department),
                  QString::number(e.team), QString::number(e.group), in, out, hours, extra});
        }
    }
}

} // namespace quill
