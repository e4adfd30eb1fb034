#include "windows/manage/ToolbarPlugins.h"

#include "platform/db/Recordset.h"
#include "platform/grid/F1Book.h"
#include "suite/SuiteLib.h"
#include "windows/manage/frmRSGL.h"

#include <QAction>
#include <QMenu>
#include <QPixmap>
#include <QToolBar>

namespace quill {

namespace {

struct Button {
    const char* caption;
    int image;
};

// Buttons 5 to 15: caption and image index; each runs MN02 to MN12.
constexpr Button FixedButtons[] = {{"添加", 8},  {"修改", 1}, {"删除", 4},  {"编辑", 14},
                                   {"保存", 17}, {"预览", 9}, {"打印", 11}, {"输出", 15},
                                   {"图表", 12}, {"关于", 6}, {"退出", 2}};

// The restricted command captions in the order they are compared; the k-th
// disables MNk and hides the button of RestrictedButtons[k - 1].
const char* const RestrictedCaptions[] = {"查询", "添加", "修改", "删除", "编辑", "保存",
                                          "预览", "打印", "输出", "图表", "关于", "退出"};
constexpr int RestrictedButtons[] = {1, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

QString key(int position) {
    return QStringLiteral("KEY-") + QString::number(position);
}

} // namespace

ToolbarPlugins::ToolbarPlugins(frmRSGL& window)
    : m_window(window) {}

QAction* ToolbarPlugins::addButton(const QString& key, const QString& caption, int image) {
    const int position = m_window.toolbarButtonCount() + 1;
    QAction* button = m_window.Toolbar1->addAction(m_window.ImageList1.Picture(image), caption);
    button->setObjectName(key);
    button->setData(key);
    QObject::connect(button, &QAction::triggered, &m_window,
                     [this, position] { m_window.Toolbar1_ButtonClick(position); });
    return button;
}

void ToolbarPlugins::rebuild() {
    SuiteLib& lib = SuiteLib::instance();
    // SYS02 is read before anything changes: a database error leaves the
    // toolbar as it was, not half built.
    Plugin plugins[Plugins];
    for (int i = 1; i <= Plugins; ++i)
        plugins[i - 1] = readPlugin(m_window, i);
    // The old buttons go once control is back in the event loop: a rebuild
    // may run inside the click of one of them.
    const QList<QAction*> old = m_window.Toolbar1->actions();
    m_window.Toolbar1->clear();
    for (QAction* button : old)
        button->deleteLater();
    addButton(key(1), QStringLiteral("查询"), 3);
    for (int i = 1; i <= Plugins; ++i)
        addPluginButton(i, plugins[i - 1]);
    for (int b = 0; b < int(std::size(FixedButtons)); ++b)
        addButton(key(b + 5), QString::fromUtf8(FixedButtons[b].caption), FixedButtons[b].image);

    for (int n = 1; n <= 12; ++n)
        m_window.commandItem(n)->setEnabled(true);
    m_window.toolbarButton(1)->setVisible(true);
    for (int p = 5; p <= Buttons; ++p)
        m_window.toolbarButton(p)->setVisible(true);

    applyRestrictions(frmRSGL::titleSetting(QStringLiteral("MENU")));

    // Employee rows are edited in the grid only when the sheet starts with
    // the employee number.
    if (lib.TableName == QLatin1String("YGZL") &&
        m_window.F1Book1->ColHeading(1) != QStringLiteral("工号")) {
        m_window.MN05->setEnabled(false);
        m_window.MN06->setEnabled(false);
        m_window.toolbarButton(8)->setVisible(false);
        m_window.toolbarButton(9)->setVisible(false);
    }
}

ToolbarPlugins::Plugin ToolbarPlugins::readPlugin(frmRSGL& window, int number) {
    const QString menu = frmRSGL::titleSetting(QStringLiteral("MENU") + QString::number(number));
    if (!window.openMenuEntry(menu))
        return {};
    const QVariant cdtb = window.menuRecordset().Value(QStringLiteral("cdtb"));
    return {frmRSGL::titleSetting(QStringLiteral("CAP") + QString::number(number)),
            cdtb.isNull() ? QStringLiteral("MAILM.ICO") : cdtb.toString()};
}

void ToolbarPlugins::addPluginButton(int number, const Plugin& plugin) {
    SuiteLib& lib = SuiteLib::instance();
    const QString buttonKey = key(number + 1);
    if (!plugin.iconFile) {
        addButton(buttonKey, QStringLiteral("没挂"), 0)->setVisible(false);
        return;
    }
    int image = m_window.ImageList1.IndexOf(buttonKey);
    if (image == 0) {
        // An icon that cannot be read leaves the button without a picture;
        // the next rebuild tries again.
        const QPixmap picture(lib.IconFolder + QLatin1Char('/') + *plugin.iconFile);
        if (!picture.isNull())
            image = m_window.ImageList1.Add(buttonKey, QIcon(picture));
    }
    addButton(buttonKey, plugin.caption, image);
}

void ToolbarPlugins::applyRestrictions(const QString& value) {
    for (int k = 1; k <= value.size() / 2; ++k) {
        const QString pair = value.mid(2 * k - 2, 2);
        for (int c = 0; c < int(std::size(RestrictedCaptions)); ++c) {
            if (pair == QString::fromUtf8(RestrictedCaptions[c])) {
                m_window.commandItem(c + 1)->setEnabled(false);
                m_window.toolbarButton(RestrictedButtons[c])->setVisible(false);
                break;
            }
        }
    }
}

bool ToolbarPlugins::popUp(const QPoint& globalPos) {
    bool any = false;
    for (int i = Plugins; i >= 1; --i) {
        QAction* item = m_window.pluginItem(i);
        const bool shown =
            !frmRSGL::titleSetting(QStringLiteral("CAP") + QString::number(i)).isEmpty();
        if (shown)
            item->setText(frmRSGL::titleSetting(QStringLiteral("MENU") + QString::number(i)));
        item->setVisible(shown);
        any = any || shown;
    }
    if (any)
        m_window.MNE->popup(globalPos);
    return any;
}

} // namespace quill
