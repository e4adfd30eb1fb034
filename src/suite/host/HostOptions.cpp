#include "HostOptions.h"

#include "ShownWindow.h"

#include <QCommandLineParser>

namespace quill {

namespace {

const QString Workspace = QStringLiteral("workspace");
const QString Title = QStringLiteral("title");
const QString Snapshot = QStringLiteral("snapshot");
const QString Show = QStringLiteral("show");
const QString SetAdminPassword = QStringLiteral("set-admin-password");
// Added with the help option; it lists the toolkit's options too.
const QString HelpAll = QStringLiteral("help-all");

QList<QCommandLineOption> hostOptions() {
    return {{Workspace, QStringLiteral("工作区文件夹（含 suite.conf）；不给时使用演示工作区。"),
             QStringLiteral("DIR")},
            {Title, QStringLiteral("模块标题（默认取工作区的设置）。"), QStringLiteral("TITLE")},
            {Snapshot, QStringLiteral("窗口首次激活后保存其图片到 FILE.png，然后关闭。"),
             QStringLiteral("FILE.png")},
            {Show,
             QStringLiteral("打开主窗口中的另一个窗口；与 --snapshot 同用时保存该窗口的图片。"
                            "可用的窗口名：%1")
                 .arg(ShownWindow::names().join(QLatin1Char(' '))),
             QStringLiteral("NAME")},
            {SetAdminPassword,
             QStringLiteral(
                 "从标准输入读入新的管理员密码（终端上不回显），加密保存到工作区的设置文件。")}};
}

// Whether an argument names one of the host's options ("--title", "-title",
// "--title=x"), and whether its value is the next argument.
bool isHostOption(const QString& argument, const QList<QCommandLineOption>& options,
                  bool& valueFollows) {
    if (!argument.startsWith(QLatin1Char('-')))
        return false;
    QString name = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype eq = name.indexOf(QLatin1Char('='));
    if (eq >= 0)
        name.truncate(eq);
    for (const QCommandLineOption& option : options) {
        if (option.names().contains(name)) {
            valueFollows = eq < 0 && !option.valueName().isEmpty();
            return true;
        }
    }
    return false;
}

// A parser of the host's options; the help options among `all`.
void prepare(QCommandLineParser& parser, QList<QCommandLineOption>& all) {
    parser.setApplicationDescription(
        QStringLiteral("在一个工作区上启动 QUILL 数据管理模块；不给 --workspace 时使用用户自己的\n"
                       "演示工作区（首次使用时创建）。不开窗口运行报表：quill report --help。"));
    all = hostOptions();
    parser.addOptions(all);
    all << parser.addHelpOption() << QCommandLineOption(HelpAll);
}

} // namespace

QString HostOptions::helpText() {
    QCommandLineParser parser;
    QList<QCommandLineOption> all;
    prepare(parser, all);
    return parser.helpText();
}

HostOptions HostOptions::parse(int argc, char** argv, std::vector<char*>& toolkitArgs) {
    QCommandLineParser parser;
    QList<QCommandLineOption> all;
    prepare(parser, all);

    QStringList own{QString::fromLocal8Bit(argv[0])};
    toolkitArgs.assign(argv, argv + 1);
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        bool valueFollows = false;
        if (argument == QLatin1String("--") || !isHostOption(argument, all, valueFollows)) {
            toolkitArgs.push_back(argv[i]);
            continue;
        }
        own << QStringLiteral("--") +
                   argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
        if (valueFollows && i + 1 < argc)
            own << QString::fromLocal8Bit(argv[++i]);
    }
    toolkitArgs.push_back(nullptr);

    HostOptions result;
    if (!parser.parse(own)) {
        result.error = parser.errorText();
        return result;
    }
    result.help = parser.isSet(QStringLiteral("help")) || parser.isSet(HelpAll);
    result.workspace = parser.value(Workspace);
    result.hasTitle = parser.isSet(Title);
    result.title = parser.value(Title);
    result.snapshot = parser.value(Snapshot);
    result.show = parser.value(Show);
    result.setAdminPassword = parser.isSet(SetAdminPassword);
    return result;
}

} // namespace quill
