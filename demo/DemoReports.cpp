#include "DemoReports.h"

namespace quill {

namespace {

QStringList fields(const char* list) {
    return QString::fromLatin1(list).split(u',', Qt::SkipEmptyParts);
}

QList<DemoReport> buildReports() {
    QList<DemoReport> r;
    r << DemoReport{QStringLiteral("工资明细表"),
                    QStringLiteral("GZB"),
                    fields("memberid,name,DEPART,GROUP0,TEAM,jbgz,gwjt,jxjj,jbf,sumAMOUNT,kk,sfgz"),
                    fields("DEPART,memberid"),
                    {},
                    {},
                    {},
                    false};
    r << DemoReport{QStringLiteral("部门汇总"),
                    QStringLiteral("GZB"),
                    fields("DEPART,jbgz,jxjj,sumAMOUNT,sfgz"),
                    {},
                    fields("jbgz,sumAMOUNT,sfgz"),
                    fields("DEPART"),
                    {},
                    false};
    r << DemoReport{
        QStringLiteral("生产部一班工资"),
        QStringLiteral("GZB"),
        fields("memberid,name,DEPART,GROUP0,TEAM,jbgz,sumAMOUNT,sfgz"),
        fields("memberid"),
        fields("sumAMOUNT,sfgz"),
        {},
        {{QString(), QStringLiteral("DEPART"), QStringLiteral("="), QStringLiteral("生产部")},
         {QStringLiteral("并且"), QStringLiteral("GROUP0"), QStringLiteral("="),
          QStringLiteral("一班")},
         {QStringLiteral("并且"), QStringLiteral("sfgz"), QStringLiteral(">"),
          QStringLiteral("1000")}},
        false};
    r << DemoReport{QStringLiteral("工资条"),
                    QStringLiteral("GZB"),
                    fields("memberid,name,DEPART,jbgz,jxjj,sumAMOUNT,kk,sfgz"),
                    fields("memberid"),
                    fields("sumAMOUNT,sfgz"),
                    {},
                    {},
                    true};
    r << DemoReport{
        QStringLiteral("员工花名册"),
        QStringLiteral("YGZL"),
        fields("memberid,name,sex,DEPART,GROUP0,TEAM,birthday,xl,joindate"),
        fields("DEPART,memberid"),
        {},
        {},
        {{QString(), QStringLiteral("DEPART"), QStringLiteral("="), QStringLiteral("技术部")},
         {QStringLiteral("或者"), QStringLiteral("DEPART"), QStringLiteral("="),
          QStringLiteral("销售部")}},
        false};
    r << DemoReport{QStringLiteral("部门汇总"),
                    QStringLiteral("KQB"),
                    fields("DEPART,gs,jbgs"),
                    {},
                    fields("gs,jbgs"),
                    fields("DEPART"),
                    {},
                    false};
    r << DemoReport{QStringLiteral("加班统计"),
                    QStringLiteral("KQB"),
                    fields("memberid,name,jbgs"),
                    {},
                    fields("jbgs"),
                    fields("memberid,name"),
                    {{QString(), QStringLiteral("jbgs"), QStringLiteral(">"), QStringLiteral("0")}},
                    false};
    return r;
}

} // namespace

const QList<DemoReport>& DemoReports::all() {
    static const QList<DemoReport> reports = buildReports();
    return reports;
}

} // namespace quill
