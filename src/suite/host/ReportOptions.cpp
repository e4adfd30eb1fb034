#include "ReportOptions.h"

#include <QCommandLineParser>
#include <QFileInfo>

namespace quill {

namespace {

const QString Workspace = QStringLiteral("workspace");
const QString Title = QStringLiteral("title");
const QString Report = QStringLiteral("report");
const QString Period = QStringLiteral("period");
const QString Date = QStringLiteral("date");
const QString Output = QStringLiteral("output");
const QString List = QStringLiteral("list");
const QString Help = QStringLiteral("help");

const char* const Usage =
    "用法：\n"
    "  quill report --workspace DIR [--title 标题] [--report 报表名]\n"
    "               [--period 2026年01月[:2026年03月] | --date 2026-03-01[:2026-03-31]]\n"
    "               --output 文件.xlsx|文件.txt|文件.pdf|文件.csv\n"
    "  quill report --workspace DIR [--title 标题] --list\n"
    "\n"
    "不开窗口运行一张报表，经由与数据管理窗口相同的查询、表格生成、页面设置与输出，\n"
    "所得与窗口中的结果相同。不给 --report 时输出该表本身的记录（按范围与附加条件）。\n"
    "不给 --period/--date 时用工作区的当前期间或日期；给一个值是单个期间或日期，\n"
    "两个值（以冒号分开）是一个范围，按期间与日期对话框的规则检查。\n";

const char* const Details =
    "\n"
    "输出按扩展名：\n"
    "  .xlsx  工作簿，带报表的页面设置、打印标题与打印区域\n"
    "  .pdf   经打印程序写成 PDF（总是写到 --output，即使有打印机）\n"
    "  .txt   定宽文本；文件被替换而不是追加（窗口中的输出是追加）\n"
    "  .csv   RFC 4180，UTF-8，表格中显示的单元格（含列标题与合计行）\n"
    "\n"
    "无需显示器（自动使用 offscreen 平台），不弹出消息框，不启动桌面程序。报表运行\n"
    "超过约一秒时在标准错误上显示进度；成功时不输出其他内容。失败时不留下输出文件，\n"
    "在标准错误上给出一行说明，退出码：\n"
    "  2   标题或报表不存在\n"
    "  3   范围不对（起始在终止之后、期间或日期无法识别、表中没有 zhtime/zhdate）\n"
    "  4   数据库或查询失败\n"
    "  5   输出文件无法写入\n"
    "  64  参数不对\n";

QList<QCommandLineOption> options() {
    return {{Workspace, QStringLiteral("工作区文件夹（含 suite.conf）。"), QStringLiteral("DIR")},
            {Title, QStringLiteral("模块标题（默认取工作区的设置）。"), QStringLiteral("标题")},
            {Report, QStringLiteral("已保存的报表名称；不给时输出表本身的记录。"),
             QStringLiteral("报表名")},
            {Period, QStringLiteral("期间或期间范围（表中须有 zhtime）。"),
             QStringLiteral("期间[:期间]")},
            {Date, QStringLiteral("日期或日期范围（表中须有 zhdate）。"),
             QStringLiteral("日期[:日期]")},
            {Output, QStringLiteral("输出文件，类型按扩展名。"), QStringLiteral("FILE")},
            {List, QStringLiteral("列出该标题的报表，每行一个。")},
            {Help, QStringLiteral("显示本说明。")}};
}

QString refusal(const ReportOptions& o, const QStringList& positional) {
    if (!positional.isEmpty())
        return QStringLiteral("未知的参数：") + positional.join(QLatin1Char(' '));
    if (o.workspace.isEmpty())
        return QStringLiteral("缺少 --workspace");
    if (o.list) {
        if (!o.report.isEmpty() || !o.period.isEmpty() || !o.date.isEmpty() || !o.output.isEmpty())
            return QStringLiteral("--list 只能与 --workspace、--title 同用");
        return QString();
    }
    if (!o.period.isEmpty() && !o.date.isEmpty())
        return QStringLiteral("--period 与 --date 只能给一个");
    if (o.output.isEmpty())
        return QStringLiteral("缺少 --output");
    if (!ReportOptions::OutputKinds.contains(o.outputKind()))
        return QStringLiteral("不支持的输出文件类型：%1（可用的有 .xlsx、.txt、.pdf、.csv）")
            .arg(o.output);
    return QString();
}

} // namespace

const QStringList ReportOptions::OutputKinds = {QStringLiteral("xlsx"), QStringLiteral("txt"),
                                                QStringLiteral("pdf"), QStringLiteral("csv")};

QString ReportOptions::outputKind() const {
    return QFileInfo(output).suffix().toLower();
}

QString ReportOptions::helpText() {
    QCommandLineParser parser;
    parser.addOptions(options());
    // The parser's own usage line names the program; ours names the command.
    QString text = parser.helpText();
    text = text.mid(text.indexOf(QLatin1Char('\n')) + 1);
    text.replace(QLatin1String("Options:"), QStringLiteral("选项："));
    return QString::fromUtf8(Usage) + text + QString::fromUtf8(Details);
}

ReportOptions ReportOptions::parse(int argc, char** argv) {
    QStringList arguments{QStringLiteral("quill report")};
    for (int i = 2; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.addOptions(options());
    ReportOptions o;
    if (!parser.parse(arguments)) {
        o.error = parser.errorText();
        return o;
    }
    o.help = parser.isSet(Help);
    o.workspace = parser.value(Workspace);
    o.title = parser.value(Title);
    o.report = parser.value(Report);
    o.period = parser.value(Period);
    o.date = parser.value(Date);
    o.output = parser.value(Output);
    o.list = parser.isSet(List);
    for (const QString& name : {Workspace, Title, Report, Period, Date, Output}) {
        if (parser.isSet(name) && parser.value(name).trimmed().isEmpty())
            o.error = QStringLiteral("--%1 的值不能为空").arg(name);
    }
    if (!o.help && o.error.isEmpty())
        o.error = refusal(o, parser.positionalArguments());
    return o;
}

} // namespace quill
