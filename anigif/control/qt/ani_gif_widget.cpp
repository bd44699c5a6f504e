#include "control/qt/ani_gif_widget.h"

#include <QImage>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPainter>
#include <QUrl>

namespace anigif {

AniGifWidget::AniGifWidget(QWidget* parent) : QWidget(parent) {
    connect(&timer_, &QTimer::timeout, this, [this] {
        // A tick may restart the timer with a new callback; the running one must outlive that.
        const std::function<void()> tick = tick_;
        if (tick) tick();
    });
}

AniGifWidget::~AniGifWidget() = default;

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
    // Erased with the widget's background first, as every widget's area is before it paints.
    Surface32 surface(inner.width(), inner.height(),
                      palette().color(backgroundRole()).rgb() & 0xFFFFFFu);
    control_.UserControl_Paint(surface);
    const QImage image(reinterpret_cast<const uchar*>(surface.Pixels().data()), surface.Width(),
                       surface.Height(), surface.Width() * 4, QImage::Format_RGB32);
    QPainter(this).drawImage(inner.topLeft(), image);
}

void AniGifWidget::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    control_.UserControl_Show();
}

void AniGifWidget::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    control_.UserControl_Hide();
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

bool AniGifWidget::StartDownload(const std::string& url,
                                 std::function<void(std::vector<std::uint8_t>)> onBytes,
                                 std::function<void()> onFailure) {
    CancelDownload();
    const QUrl address(QString::fromStdString(url));
    if (!address.isValid()) return false;
    QNetworkRequest request(address);
    request.setTransferTimeout(transferTimeoutMs_);
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
    if (reply != reply_.data()) return;  // replaced or cancelled meanwhile
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
