#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

namespace anigif {

// Puts AniGifWidget into a form designer's widget box. Widgets made for a form under edit, once the
// designer has initialised the plugin, are in design mode (a still first frame); a form loader
// that never initialises it, and the designer's preview, get playing widgets.
class AniGifPlugin : public QObject, public QDesignerCustomWidgetInterface {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)

  public:
    explicit AniGifPlugin(QObject* parent = nullptr) : QObject(parent) {}

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override { return false; }
    QWidget* createWidget(QWidget* parent) override;
    bool isInitialized() const override { return initialized_; }
    void initialize(QDesignerFormEditorInterface* core) override;
    QString domXml() const override;

  private:
    bool initialized_ = false;
};

}  // namespace anigif
