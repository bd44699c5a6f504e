#include "control/qt/ani_gif_widget.h"

#include "control/qt/mouse_pointer.h"

#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QUrl>

namespace anigif {

AniGifWidget::AniGifWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);  // the control reports moves without a button held, too
    timer_.setTimerType(Qt::PreciseTimer);
    clock_.start();
    ForwardEvents();
    connect(&timer_, &QTimer::timeout, this, [this] {
        // A tick may restart the timer with a new callback; the running one must outlive that.
        const std::function<void()> tick = tick_;
        if (tick) tick();
    });
    // A form sets its properties one by one in an order of its own: the image waits for all of
    // them, so that settings a load reads (DelayAnimation) or resets (Loops) take effect.
    gifFileLoad_.setSingleShot(true);
    connect(&gifFileLoad_, &QTimer::timeout, this, &AniGifWidget::LoadGifFile);
}

AniGifWidget::~AniGifWidget() = default;

// Qt callers connect to the widget's signals; code that sets the control's own handlers instead
// replaces the forwarding of that event.
void AniGifWidget::ForwardEvents() {
    ucAniGIF& c = control_;
    c.Click = [this] { emit Click(); };
    c.MouseDown = [this](qint16& b, qint16& s, float& x, float& y) { emit MouseDown(b, s, x, y); };
    c.MouseMove = [this](qint16& b, qint16& s, float& x, float& y) { emit MouseMove(b, s, x, y); };
    c.MouseUp = [this](qint16& b, qint16& s, float& x, float& y) { emit MouseUp(b, s, x, y); };
    c.LoopsEnded = [this] { emit LoopsEnded(); };
    c.FrameChanged = [this](std::int32_t f, bool& viaTimer) { emit FrameChanged(f, viaTimer); };
    c.RemoteLoadComplete = [this](float w, float h, bool& cancel) {
        emit RemoteLoadComplete(w, h, cancel);
    };
    c.RemoteLoadFailure = [this] { emit RemoteLoadFailure(); };
}

void AniGifWidget::setGifFile(const QString& path) {
    if (path == gifFile_) return;
    gifFile_ = path;
    gifFileLoad_.start(0);
}

void AniGifWidget::LoadGifFile() {
    QFile file(gifFile_);
    QByteArray bytes;
    if (!gifFile_.isEmpty() && file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    const auto* first = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    std::vector<std::uint8_t> stream(first, first + bytes.size());
    const bool loopsAssigned = assigned_ & 1u << unsigned(Property::Loops);
    if (designMode_) {
        // As an image assigned while designing: frame 1, the control sized to it.
        const std::int32_t loops = control_.Loops();
        std::optional<GifPicture> picture;
        if (!stream.empty()) picture = GifPicture{std::move(stream), 0, 0};
        control_.SetAnimatedGIF(picture);
        if (loopsAssigned) control_.SetLoops(loops);
        return;
    }
    // As saved settings restored: the image with the form's settings, and the file's own loop
    // count unless the form chose one.
    PropertyBag settings;
    control_.WriteProperties(settings);
    settings.Write(SpecOf(Property::AnimatedGIF).Key, std::move(stream));
    if (!loopsAssigned) settings.Write(SpecOf(Property::Loops).Key, 0, 0);
    control_.ReadProperties(settings);
    control_.UserControl_Resize();  // the new image's size, for the modes that follow it
}

PixelSize AniGifWidget::ClientSize() const {
    const QRect inner = contentsRect();
    return {inner.width(), inner.height()};
}

void AniGifWidget::ResizeClient(std::int32_t widthPx, std::int32_t heightPx) {
    const QMargins m = contentsMargins();
    resize(widthPx + m.left() + m.right(), heightPx + m.top() + m.bottom());
}

void AniGifWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    control_.UserControl_Resize();
}

void AniGifWidget::paintEvent(QPaintEvent*) {
    const QRect inner = contentsRect();
    if (inner.isEmpty()) return;
    if (surface_.Width() != inner.width() || surface_.Height() != inner.height())
        surface_ = Surface32(inner.width(), inner.height());
    // Over the widget's background, as every widget's area is erased before it paints.
    control_.UserControl_Paint(surface_, palette().color(backgroundRole()).rgb() | 0xFF000000u);
    const QImage image(reinterpret_cast<const uchar*>(surface_.Pixels().data()), surface_.Width(),
                       surface_.Height(), surface_.Width() * 4, QImage::Format_RGB32);
    QPainter painter(this);
    painter.drawImage(inner.topLeft(), image);
}

void AniGifWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    control_.UserControl_Show();
}

void AniGifWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    control_.UserControl_Hide();
}

void AniGifWidget::ApplyCursor(std::int16_t pointer, const std::vector<std::uint8_t>& icon) {
    if (pointer == 0) {
        unsetCursor();
    } else {
        setCursor(CursorForPointer(pointer, icon));
    }
}

AniGifWidget::MouseState AniGifWidget::StateOf(const QMouseEvent& event,
                                               Qt::MouseButtons buttons) const {
    MouseState s;
    // 1 left, 2 right, 4 middle; 1 Shift, 2 Ctrl, 4 Alt.
    s.button =
        std::int16_t((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
                     (buttons & Qt::MiddleButton ? 4 : 0));
    const Qt::KeyboardModifiers m = event.modifiers();
    s.shift = std::int16_t((m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
                           (m & Qt::AltModifier ? 4 : 0));
    const QPointF at = event.position() - contentsRect().topLeft();
    s.x = at.x();
    s.y = at.y();
    return s;
}

void AniGifWidget::mousePressEvent(QMouseEvent* event) {
    const MouseState s = StateOf(*event, event->button());
    control_.UserControl_MouseDown(s.button, s.shift, s.x, s.y);
}

void AniGifWidget::mouseMoveEvent(QMouseEvent* event) {
    const MouseState s = StateOf(*event, event->buttons());
    control_.UserControl_MouseMove(s.button, s.shift, s.x, s.y);
}

void AniGifWidget::mouseReleaseEvent(QMouseEvent* event) {
    const MouseState s = StateOf(*event, event->button());
    const QPointer<AniGifWidget> alive(this);
    control_.UserControl_MouseUp(s.button, s.shift, s.x, s.y);
    // A press and release over the control is a click, as a button's is.
    if (alive && rect().contains(event->position().toPoint())) control_.UserControl_Click();
}

bool AniGifWidget::StartTimer(std::int32_t intervalMs, std::function<void()> onTick) {
    tick_ = std::move(onTick);
    timer_.start(intervalMs);
    return true;
}

void AniGifWidget::StopTimer() {
    timer_.stop();
    tick_ = nullptr;
}

bool AniGifWidget::StartDownload(std::string_view propertyName, const std::string& url,
                                 std::function<void(std::vector<std::uint8_t>)> onBytes,
                                 std::function<void()> onFailure) {
    CancelDownload();
    const QUrl address(QString::fromStdString(url));
    if (!address.isValid()) return false;
    QNetworkRequest request(address);
    request.setTransferTimeout(transferTimeoutMs_);
    // The read carries its property's name; only a read of that name completes the load.
    readName_ = QString::fromUtf8(propertyName.data(), qsizetype(propertyName.size()));
    request.setAttribute(QNetworkRequest::User, readName_);
    QNetworkReply* reply = network_.get(request);
    reply_ = reply;
    onBytes_ = std::move(onBytes);
    onFailure_ = std::move(onFailure);
    connect(reply, &QNetworkReply::downloadProgress, this, [reply](qint64 received, qint64) {
        if (received > kMaxDownloadBytes) reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { OnReplyFinished(reply); });
    return true;
}

void AniGifWidget::CancelDownload() {
    onBytes_ = nullptr;
    onFailure_ = nullptr;
    if (QNetworkReply* reply = reply_.data()) {
        reply_.clear();
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void AniGifWidget::OnReplyFinished(QNetworkReply* reply) {
    reply->deleteLater();
    // Replaced or cancelled meanwhile, or another property's read.
    if (reply != reply_.data() || reply->request().attribute(QNetworkRequest::User) != readName_)
        return;
    reply_.clear();
    // Taken out first: the control may start the next download from inside the callback.
    auto onBytes = std::move(onBytes_);
    auto onFailure = std::move(onFailure_);
    onBytes_ = nullptr;
    onFailure_ = nullptr;
    if (reply->error() != QNetworkReply::NoError) {
        if (onFailure) onFailure();
        return;
    }
    const QByteArray body = reply->readAll();
    if (onBytes) onBytes(std::vector<std::uint8_t>(body.begin(), body.end()));
}

}  // namespace anigif
