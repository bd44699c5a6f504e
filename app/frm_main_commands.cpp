#include <QDesktopServices>

#include "frm_main.h"

void FrmMain::CmdFile_Click() {
    const auto folder = dialogs_.PickFolder(this, QStringLiteral("请选择保存路径"));
    if (folder) TxtFile.setText(*folder);
}

void FrmMain::CmdClear_Click() { ListClear(); }

void FrmMain::List1_DblClick() {
    const QListWidgetItem* item = List1.currentItem();
    const QString keyword = item ? item->text() : QString();
    QDesktopServices::openUrl(mining::SearchUrl(config_.hosts, SelectedEngine(), keyword));
}
