// Opens a GIF (from the command line or a file dialog) and plays it in AniGifWidget, with the
// control's display and playback settings at hand.
#include <anigif/control/qt/ani_gif_widget.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    auto* gif = new anigif::AniGifWidget;
    gif->SetContainerUnitsPerPixel(1);  // the widget's sizes in pixels, not twips
    gif->setStretch(2);                 // fill: the picture follows the window's size
    auto open = [gif](const QString& file) {
        if (!file.isEmpty()) gif->Control().LoadAnimatedGIF_File(file.toStdU16String());
    };

    auto* bar = new QHBoxLayout;
    auto button = [bar](const QString& text, auto onClick) {
        auto* b = new QPushButton(text);
        QObject::connect(b, &QPushButton::clicked, onClick);
        bar->addWidget(b);
    };
    button("Open...", [&] { open(QFileDialog::getOpenFileName(&window, {}, {}, "GIF (*.gif)")); });
    button("Play", [gif] { gif->Control().SetAction(1); });
    button("Pause", [gif] { gif->Control().SetAction(2); });
    button("Stop", [gif] { gif->Control().SetAction(0); });

    auto* stretch = new QComboBox;
    stretch->addItems({"Unscaled", "Fit", "Fill", "Shrink to fit", "Image size"});
    stretch->setCurrentIndex(gif->Stretch());
    QObject::connect(stretch, &QComboBox::currentIndexChanged, gif,
                     &anigif::AniGifWidget::setStretch);
    auto* mirror = new QComboBox;
    mirror->addItems({"Not mirrored", "Horizontally", "Vertically", "Both ways"});
    QObject::connect(mirror, &QComboBox::currentIndexChanged, gif,
                     &anigif::AniGifWidget::setMirrored);
    auto* delay = new QSpinBox;  // every frame this long; 0 keeps the file's own delays
    delay->setRange(0, 2000);
    delay->setSingleStep(20);
    delay->setSuffix(" ms");
    delay->setSpecialValueText("File's speed");
    QObject::connect(delay, &QSpinBox::valueChanged, gif, &anigif::AniGifWidget::setSteppedDelay);
    bar->addWidget(stretch);
    bar->addWidget(mirror);
    bar->addWidget(delay);

    auto* layout = new QVBoxLayout(&window);
    layout->addLayout(bar);
    layout->addWidget(gif, 1);
    window.resize(640, 480);
    window.show();
    if (argc > 1) open(QApplication::arguments().at(1));
    return app.exec();
}
