#include "designer/choose_gif_menu.h"

#include <QDesignerFormWindowCursorInterface>
#include <QDesignerFormWindowInterface>
#include <QFileDialog>
#include <QFileInfo>
#include <QTimer>

#include "control/qt/ani_gif_widget.h"

namespace anigif {

ChooseGifMenu::ChooseGifMenu(AniGifWidget* widget, QObject* parent)
    : QObject(parent), widget_(widget), choose_(tr("Choose GIF File...")) {
    connect(&choose_, &QAction::triggered, this, &ChooseGifMenu::Choose);
}

void ChooseGifMenu::Choose() {
    QDesignerFormWindowInterface* form = QDesignerFormWindowInterface::findFormWindow(widget_);
    if (form == nullptr) return;
    const QString start = widget_->GifFile().isEmpty()
                              ? QFileInfo(form->fileName()).absolutePath()
                              : QFileInfo(widget_->GifFile()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(widget_->window(), choose_.text(), start,
                                                      tr("GIF images (*.gif);;All files (*)"));
    if (path.isEmpty()) return;
    form->cursor()->setWidgetProperty(widget_, "GifFile", path);
    // The widget takes the image's size once it has loaded it; the property editor then shows it.
    QTimer::singleShot(0, form, [form] { form->emitSelectionChanged(); });
}

QObject* ChooseGifMenuFactory::createExtension(QObject* object, const QString& iid,
                                               QObject* parent) const {
    if (iid != Q_TYPEID(QDesignerTaskMenuExtension)) return nullptr;
    auto* widget = qobject_cast<AniGifWidget*>(object);
    if (widget == nullptr) return nullptr;
    return std::make_unique<ChooseGifMenu>(widget, parent).release();  // owned by `parent`
}

}  // namespace anigif
