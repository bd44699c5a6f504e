#include "notice/frm_tip.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QThread>
#include <QWindow>

#include "notice/hide_scroll_bars.h"
#include "notice/page_address.h"
#include "notice/twips.h"

namespace notice {

namespace {

// Window titles treat "[*]" as the unsaved-changes marker and drop it; doubled, it shows as
// written.
QString LiteralWindowTitle(QString caption) {
    return caption.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
}

}  // namespace

FrmTip::FrmTip(ScreenMetricsSource screen)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      screen_(std::move(screen)),
      WebBrowser1(this),
      Picture1(this),
      Picture2(this),
      fadePause_([](int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }) {
    setWindowTitle(QStringLiteral("Form1"));
    setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    // The popup must not keep the program alive once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    // It rises while the user may be typing into the main window: it must not take the keyboard.
    // It still takes clicks, and the focus once the user clicks it.
    setAttribute(Qt::WA_ShowWithoutActivating);

    // The browser overhangs the client area on every side, hiding the page's margin and the
    // places where scroll bars would sit; the strips cover its right and bottom edges.
    WebBrowser1.setPage(&page_);
    WebBrowser1.setContextMenuPolicy(Qt::NoContextMenu);
    WebBrowser1.setGeometry(TwipsRect(-120, -120, 4335, 3375));
    Picture1.setGeometry(TwipsRect(3948, 0, 495, 3375));
    Picture2.setGeometry(TwipsRect(-240, 2980, 4695, 255));
    for (QFrame* strip : {&Picture1, &Picture2}) {
        strip->setAutoFillBackground(true);
        strip->raise();
    }
    connect(&WebBrowser1, &QWebEngineView::loadFinished, this,
            &FrmTip::WebBrowser1_DocumentComplete);

    Timer1.setInterval(kSlideIntervalMs);
    connect(&Timer1, &QTimer::timeout, this, &FrmTip::Timer1_Timer);
    Form_Load();
}

FrmTip::~FrmTip() = default;

void FrmTip::Form_Load() {
    MoveTwips(BelowScreen(screen_(), WindowTwips()));
    FadeDelay_ = kFadeDelayMs;
    Timer1.start();
}

void FrmTip::FitOuterSize() {
    const QWindow* window = windowHandle();
    const QMargins frame = window ? window->frameMargins() : QMargins();
    const QSize client(TwipsToPixels(kClientWidthTwips) - frame.left() - frame.right(),
                       TwipsToPixels(kClientHeightTwips) - frame.top() - frame.bottom());
    if (size() != client) setFixedSize(client);
}

void FrmTip::showEvent(QShowEvent* event) {
    FitOuterSize();
    QWidget::showEvent(event);
}

void FrmTip::Timer1_Timer() {
    // The window system may add the frame only some time after the window is shown.
    FitOuterSize();
    const RiseStep step = Rise(screen_(), WindowTwips(), position_.top);
    MoveTwips(step.position);
    if (step.resting) Timer1.stop();
}

void FrmTip::WebBrowser1_DocumentComplete(bool) { HideScrollBars(); }

void FrmTip::Navigate(const QString& address) {
    if (const QUrl url = WebPageUrl(address); !url.isEmpty()) WebBrowser1.load(url);
}

void FrmTip::HideScrollBars() { notice::HideScrollBars(*WebBrowser1.page()); }

void FrmTip::SetCaption(const QString& caption) { setWindowTitle(LiteralWindowTitle(caption)); }

void FrmTip::CloseWithoutFade() {
    skipFade_ = true;
    Timer1.stop();
    close();
    // Closing is refused while a fade is running; hiding now makes the window go at once anyway.
    hide();
}

void FrmTip::closeEvent(QCloseEvent* event) {
    // A second close while fading: the first one is still finishing the job.
    if (fading_) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void FrmTip::Form_Unload() {
    Timer1.stop();
    if (!skipFade_) FadeOut();
}

void FrmTip::FadeOut() {
    fading_ = true;
    for (int alpha = 255; alpha >= 10 && !skipFade_; alpha -= 10) {
        setWindowOpacity(alpha / 255.0);
        QCoreApplication::processEvents();
        fadePause_(FadeDelay_);
    }
    fading_ = false;
}

QSize FrmTip::WindowTwips() const {
    const QSize outer = frameGeometry().size();
    const ScreenMetrics metrics = screen_();
    return {outer.width() * metrics.twipsPerPixelX, outer.height() * metrics.twipsPerPixelY};
}

void FrmTip::MoveTwips(TwipsPoint position) {
    position_ = position;
    const ScreenMetrics metrics = screen_();
    move(TwipsToPixels(position.left, metrics.twipsPerPixelX),
         TwipsToPixels(position.top, metrics.twipsPerPixelY));
}

}  // namespace notice
