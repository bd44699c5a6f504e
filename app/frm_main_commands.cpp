#include <QDesktopServices>
#include <QEvent>
#include <QMouseEvent>

#include <functional>

#include "frm_main.h"

namespace {

// The list box reports a double click only on an item; the window also answers one on the empty
// part of the list. Only the left button's double click opens a page. Taking the event here keeps
// the view from reporting it a second time.
class DoubleClickFilter : public QObject {
  public:
    DoubleClickFilter(QWidget& target, std::function<void()> onDoubleClick)
        : onDoubleClick_(std::move(onDoubleClick)) {
        target.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::MouseButtonDblClick) return false;
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
        onDoubleClick_();
        return true;
    }

  private:
    std::function<void()> onDoubleClick_;
};

}  // namespace

std::unique_ptr<QObject> FrmMain::MakeListDoubleClickFilter() {
    return std::make_unique<DoubleClickFilter>(*List1.viewport(), [this] { List1_DblClick(); });
}

void FrmMain::CmdFile_Click() {
    const auto folder = dialogs_.PickFolder(this, QStringLiteral("请选择保存路径"));
    if (folder) TxtFile.setText(*folder);
}

// The run is not stopped: it goes on with whatever the list holds at its next step.
void FrmMain::CmdClear_Click() { ListClear(); }

// The engine is the one selected now, not the one that found the keyword. The selected entry
// counts, not the current one: a list that has focus has a current row without any selection.
void FrmMain::List1_DblClick() {
    const QList<QListWidgetItem*> selected = List1.selectedItems();
    const QString keyword = selected.isEmpty() ? QString() : selected.first()->text();
    QDesktopServices::openUrl(
        mining::AddressFor(run_.Engines().Of(SelectedEngine()).relatedUrl, keyword));
}
