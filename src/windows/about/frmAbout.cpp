#include "windows/about/frmAbout.h"

#include "platform/ui/Ui.h"
#include "suite/AdminPassword.h"
#include "suite/SettingsError.h"
#include "suite/SuiteLib.h"
#include "windows/dialogs/frmYBXZ.h"

#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quill {

namespace {

QLabel* label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于 QUILL"));
    setModal(true);

    Image1 = label(this, "Image1", QString());
    const QString banner = SuiteLib::instance().HomeFolder + QStringLiteral("/bramble.bmp");
    if (QFileInfo::exists(banner))
        Image1->setPixmap(QPixmap(banner).scaledToWidth(360, Qt::SmoothTransformation));
    Image1->installEventFilter(this);

    Label1 = label(this, "Label1", QStringLiteral("QUILL 通用数据管理模块"));
    QFont title = Label1->font();
    title.setPointSize(title.pointSize() + 4);
    title.setBold(true);
    Label1->setFont(title);
    Label2 = label(this, "Label2", QStringLiteral("版本 %1").arg(QStringLiteral(QUILL_VERSION)));
    Label3 = label(this, "Label3",
                   QStringLiteral("数据查询、报表设计、资料录入、打印与输出\n"
                                  "基于 Qt、SQLite、PostgreSQL、libxlsxwriter 与 libzip"));
    Label4 = label(this, "Label4", QStringLiteral("QUILL 开发组"));
    Label4->installEventFilter(this);

    Command1 = new QPushButton(QStringLiteral("确定"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    connect(Command1, &QPushButton::clicked, this, &frmAbout::Command1_Click);
    Command2 = new QPushButton(QStringLiteral("&S 高级"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    connect(Command2, &QPushButton::clicked, this, &frmAbout::Command2_Click);

    auto* layout = new QVBoxLayout(this);
    for (QLabel* l : {Image1, Label1, Label2, Label3, Label4})
        layout->addWidget(l);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch();
    layout->addLayout(buttons);
}

bool frmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == Image1)
            Image1_Click();
        else if (watched == Label4)
            Label4_Click();
    }
    return QDialog::eventFilter(watched, event);
}

void frmAbout::Image1_Click() {
    writeCompanionSwitch(QStringLiteral("NO"));
}

void frmAbout::Label4_Click() {
    writeCompanionSwitch(QStringLiteral("YES"));
}

void frmAbout::Command1_Click() {
    accept();
}

void frmAbout::Command2_Click() {
    if (!AdminPassword::isSet()) {
        MsgBox(QStringLiteral("尚未设置管理员密码"));
        return;
    }
    const QString entered =
        InputBox(QStringLiteral("请输入管理员密码："), windowTitle(), InputEcho::Hidden);
    if (entered.isEmpty())
        return;
    AdminPassword::Check result = AdminPassword::Check::Wrong;
    try {
        result = AdminPassword::check(entered);
    } catch (const SettingsError& e) {
        MsgBox(e.message());
        return;
    }
    if (result != AdminPassword::Check::Right) {
        MsgBox(QStringLiteral("密码错误"));
        return;
    }
    frmYBXZ setup(this);
    setup.exec();
}

void frmAbout::writeCompanionSwitch(const QString& value) {
    SuiteLib& lib = SuiteLib::instance();
    try {
        lib.WriteSetting(QStringLiteral("VEGA"), lib.ModuleTitle + QStringLiteral("-USE"), value,
                         lib.settingsPath());
    } catch (const SettingsError& e) {
        MsgBox(e.message());
    }
}

} // namespace quill
