#pragma once

#include <QAction>
#include <QExtensionFactory>
#include <QtDesigner/QDesignerTaskMenuExtension>

namespace anigif {

class AniGifWidget;

// "Choose GIF File..." in the widget's context menu, and its double-click action: a file dialog
// for GifFile, set through the form so that it can be undone and is saved.
class ChooseGifMenu : public QObject, public QDesignerTaskMenuExtension {
    Q_OBJECT
    Q_INTERFACES(QDesignerTaskMenuExtension)

  public:
    ChooseGifMenu(AniGifWidget* widget, QObject* parent);

    QAction* preferredEditAction() const override { return &choose_; }
    QList<QAction*> taskActions() const override { return {&choose_}; }

  private:
    void Choose();

    AniGifWidget* widget_;
    mutable QAction choose_;
};

// Gives each AniGifWidget on a form its menu.
class ChooseGifMenuFactory : public QExtensionFactory {
    Q_OBJECT

  public:
    using QExtensionFactory::QExtensionFactory;

  protected:
    QObject* createExtension(QObject* object, const QString& iid, QObject* parent) const override;
};

}  // namespace anigif
