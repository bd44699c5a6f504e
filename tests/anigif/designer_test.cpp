#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPluginLoader>
#include <QUiLoader>
#include <QWidget>
#include <QtUiPlugin/QDesignerCustomWidgetInterface>

#include <memory>
#include <vector>

#include "control/qt/ani_gif_widget.h"
#include "support/wait_until.h"
#include "ui_animation.h"

namespace anigif {
namespace {

// The plugin under test: the build's, or the copy named by ANIGIF_DESIGNER_PLUGIN.
QString PluginFile() {
    const QString chosen = qEnvironmentVariable("ANIGIF_DESIGNER_PLUGIN");
    return chosen.isEmpty() ? QStringLiteral(ANIGIF_DESIGNER_PLUGIN) : chosen;
}

// The form's image, built into the tests as a resource.
const QString kGif = QStringLiteral(":/gifs/im_interlaced_local.gif");

// The widget comes from the plugin's own copy of the class, so it is reached through its
// meta-object only; this takes its FrameChanged signal.
class FrameLog : public QObject {
    Q_OBJECT
  public:
    std::vector<bool> viaTimer;
  public slots:
    void OnFrame(qint32, bool& timer) { viaTimer.push_back(timer); }
};

TEST(AniGifDesigner, AFormFromUiPlaysItsAnimationWithTheFormsSettings) {
    QFile ui(QStringLiteral(ANIGIF_UI_DIR "/animation.ui"));
    QUiLoader loader;
    loader.clearPluginPaths();
    loader.addPluginPath(QFileInfo(PluginFile()).absolutePath());
    ASSERT_TRUE(loader.availableWidgets().contains(QStringLiteral("anigif::AniGifWidget")));

    const std::unique_ptr<QWidget> form(loader.load(&ui));
    ASSERT_NE(form, nullptr) << loader.errorString().toStdString();
    QWidget* gif = form->findChild<QWidget*>(QStringLiteral("busy"));
    ASSERT_NE(gif, nullptr);
    FrameLog log;
    ASSERT_TRUE(QObject::connect(gif, SIGNAL(FrameChanged(qint32, bool&)), &log,
                                 SLOT(OnFrame(qint32, bool&))));
    form->show();

    // Played by the timer, not held on a designer's still frame.
    ASSERT_TRUE(WaitUntil([&] { return !log.viaTimer.empty() && log.viaTimer.back(); }));
    EXPECT_EQ(gif->property("FrameCount").toInt(), 3);
    EXPECT_EQ(gif->property("GifFile").toString(), kGif);
    EXPECT_EQ(gif->property("Stretch").toInt(), 2);
    EXPECT_EQ(gif->property("Mirrored").toInt(), 1);
    EXPECT_EQ(gif->property("MinFrameDelay").toInt(), 20);
    // Set after the image in the form, yet neither reset by its load (the file says 0, endless)
    // nor left out of the count of passes to play (a slow machine may have ended one)...
    EXPECT_EQ(gif->property("Loops").toInt(), 7);
    EXPECT_GE(gif->property("LoopsRemaining").toInt(), 6);
    // ...nor moved by it from the form's geometry, in the mode that fills it.
    EXPECT_EQ(gif->size(), QSize(120, 90));
}

TEST(AniGifDesigner, TheSameFormCompiledPlaysToo) {
    QWidget form;
    Ui::AnimationForm ui;
    ui.setupUi(&form);
    std::vector<bool> viaTimer;
    QObject::connect(ui.busy, &AniGifWidget::FrameChanged,
                     [&](qint32, bool& timer) { viaTimer.push_back(timer); });
    form.show();
    ASSERT_TRUE(WaitUntil([&] { return !viaTimer.empty() && viaTimer.back(); }));
    EXPECT_EQ(ui.busy->Loops(), 7);
}

TEST(AniGifDesigner, InTheDesignerThePathShowsFrameOneAtTheImagesSize) {
    QPluginLoader plugin(PluginFile());
    auto* factory = qobject_cast<QDesignerCustomWidgetInterface*>(plugin.instance());
    ASSERT_NE(factory, nullptr) << plugin.errorString().toStdString();
    factory->initialize(nullptr);
    const std::unique_ptr<QWidget> gif(factory->createWidget(nullptr));
    gif->resize(100, 100);
    gif->setProperty("Stretch", 2);
    gif->setProperty("GifFile", kGif);
    gif->show();
    ASSERT_TRUE(WaitUntil([&] { return gif->property("CurrentFrame").toInt() == 1; }));

    EXPECT_EQ(gif->size(), QSize(40, 30));
    EXPECT_EQ(gif->property("Stretch").toInt(), 2);
    QImageReader reader(kGif);
    const QImage first = reader.read();
    const QImage shown = gif->grab().toImage();
    for (const QPoint at : {QPoint(20, 3), QPoint(5, 25)})
        EXPECT_EQ(shown.pixel(at) | 0xFF000000u, first.pixel(at) | 0xFF000000u);
}

}  // namespace
}  // namespace anigif

#include "designer_test.moc"
