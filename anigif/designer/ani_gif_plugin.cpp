#include "designer/ani_gif_plugin.h"

#include <QDesignerFormEditorInterface>
#include <QDesignerFormWindowInterface>
#include <QExtensionManager>
#include <QPainter>
#include <QPixmap>

#include "control/help_text.h"
#include "control/qt/ani_gif_widget.h"
#include "designer/choose_gif_menu.h"
#include "designer/designer_texts.h"

namespace anigif {

QString AniGifPlugin::name() const { return QStringLiteral("anigif::AniGifWidget"); }

QString AniGifPlugin::group() const { return QStringLiteral("AniGif"); }

QString AniGifPlugin::toolTip() const { return ToQString(HelpOf("AnimatedGIF")); }

QString AniGifPlugin::whatsThis() const { return MemberListHtml(); }

// The header by its installed name, as a program built against the installed control includes it.
QString AniGifPlugin::includeFile() const {
    return QStringLiteral("anigif/control/qt/ani_gif_widget.h");
}

// Three frames of a film strip, the middle one lit: an animation at a glance.
QIcon AniGifPlugin::icon() const {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x30, 0x38));
    p.drawRoundedRect(QRectF(1, 5, 30, 22), 3, 3);
    const QColor frames[] = {QColor(0x5a, 0x8d, 0xd6), QColor(0xf2, 0xb1, 0x34),
                             QColor(0x5a, 0x8d, 0xd6)};
    for (int i = 0; i < 3; ++i) {
        p.setBrush(frames[i]);
        p.drawRect(QRectF(3 + i * 9.5, 10, 7.5, 12));
    }
    p.setBrush(QColor(0xe0, 0xe0, 0xe0));
    for (int i = 0; i < 7; ++i) {
        p.drawRect(QRectF(3 + i * 4, 6.5, 2, 2));
        p.drawRect(QRectF(3 + i * 4, 23.5, 2, 2));
    }
    return QIcon(pixmap);
}

QWidget* AniGifPlugin::createWidget(QWidget* parent) {
    auto widget = std::make_unique<AniGifWidget>(parent);
    // Only a form under edit shows a still first frame: Designer's preview, like a form loaded
    // without Designer, plays. No parent: made to be placed, so as if under edit.
    widget->SetDesignMode(initialized_ && (parent == nullptr ||
                                           QDesignerFormWindowInterface::findFormWindow(parent)));
    return widget.release();  // owned by `parent`, or by the caller when it has none
}

void AniGifPlugin::initialize(QDesignerFormEditorInterface* core) {
    if (initialized_) return;
    initialized_ = true;
    if (core == nullptr) return;
    QExtensionManager* manager = core->extensionManager();
    manager->registerExtensions(std::make_unique<ChooseGifMenuFactory>(manager).release(),
                                Q_TYPEID(QDesignerTaskMenuExtension));  // owned by `manager`
}

QString AniGifPlugin::domXml() const { return WidgetDomXml(name()); }

}  // namespace anigif
