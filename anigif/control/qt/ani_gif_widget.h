#pragma once

#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <type_traits>

#include "anigif/control/help_text.h"
#include "anigif/control/property_table.h"
#include "anigif/control/uc_ani_gif.h"

class QNetworkReply;

namespace anigif {

// A property's value as Qt carries it: form designers edit int, not short.
template <class T>
using QtValue = std::conditional_t<std::is_same_v<T, std::int16_t>, int, T>;

// The control's value properties as Qt properties of the widget, from its property table. The
// setters are named as uic calls them: a compiled form sets the property Name by setName.
#define ANIGIF_QT_PROPERTY(Name, Type, ...)                          \
    Q_PROPERTY(anigif::QtValue<Type> Name READ Name WRITE set##Name) \
  public:                                                            \
    QtValue<Type> Name() const { return control_.Name(); }           \
    void set##Name(QtValue<Type> value) {                            \
        control_.Set##Name(static_cast<Type>(value));                \
        Assigned(Property::Name);                                    \
    }
#define ANIGIF_QT_NO_PROPERTY(...)
// What the control reports, for form loaders and scripts; no form keeps these.
#define ANIGIF_QT_READ_ONLY(Name)                  \
    Q_PROPERTY(qint32 Name READ Name STORED false) \
  public:                                          \
    qint32 Name() const { return control_.Name(); }
// Each member's help text as class information, under the member's name.
#define ANIGIF_QT_HELP(Kind, Name, Arguments, Help) Q_CLASSINFO(#Name, Help)

// Hosts one ucAniGIF in a Qt window: its timer is a precise QTimer, its downloads go through
// QNetworkAccessManager, its size is the widget's, and it keeps the surface it paints between
// paints.
class AniGifWidget : public QWidget, public AniGifHost {
    Q_OBJECT
    ANIGIF_HELP_TABLE(ANIGIF_QT_HELP)
    // The image a form shows, as a file or resource path: in design mode its first frame, sized
    // to the image; at run time the animation. Loaded once the form has set all its properties.
    Q_PROPERTY(QString GifFile READ GifFile WRITE setGifFile)
    ANIGIF_PROPERTY_TABLE(ANIGIF_QT_PROPERTY, ANIGIF_QT_NO_PROPERTY)
    ANIGIF_QT_READ_ONLY(CurrentFrame)
    ANIGIF_QT_READ_ONLY(FrameCount)
    ANIGIF_QT_READ_ONLY(ActualWidth)
    ANIGIF_QT_READ_ONLY(ActualHeight)
    ANIGIF_QT_READ_ONLY(LoopsRemaining)

  public:
    // Same rule as the program's other requests: a transfer with no progress for this long ends.
    static constexpr int kTransferTimeoutMs = 30000;
    // A download larger than this is no small animation; it fails instead of filling memory.
    static constexpr qint64 kMaxDownloadBytes = 64 * 1024 * 1024;

    explicit AniGifWidget(QWidget* parent = nullptr);
    ~AniGifWidget() override;

    ucAniGIF& Control() { return control_; }

    // A form designer shows a still first frame.
    void SetDesignMode(bool design) { designMode_ = design; }
    QString GifFile() const { return gifFile_; }
    void setGifFile(const QString& path);
    // Container units per pixel; the main window works in twips.
    void SetContainerUnitsPerPixel(double units) { unitsPerPixel_ = units; }
    void SetTransferTimeoutMs(int ms) { transferTimeoutMs_ = ms; }

    // AniGifHost
    PixelSize ClientSize() const override;
    double PixelsToContainerX(double pixels) const override { return pixels * unitsPerPixel_; }
    double PixelsToContainerY(double pixels) const override { return pixels * unitsPerPixel_; }
    bool IsRunMode() const override { return !designMode_; }
    void Repaint() override { repaint(); }
    void ResizeClient(std::int32_t widthPx, std::int32_t heightPx) override;
    bool StartDownload(std::string_view propertyName, const std::string& url,
                       std::function<void(std::vector<std::uint8_t>)> onBytes,
                       std::function<void()> onFailure) override;
    void CancelDownload() override;
    bool StartTimer(std::int32_t intervalMs, std::function<void()> onTick) override;
    void StopTimer() override;
    std::int64_t ClockMs() const override { return clock_.elapsed(); }
    // QWidget's own: setEnabled is the Enabled property's setter, which comes here.
    void ApplyEnabled(bool enabled) override { QWidget::setEnabled(enabled); }
    void ApplyCursor(std::int16_t pointer, const std::vector<std::uint8_t>& icon) override;

  signals:
    // The control's events. By-reference arguments are for the handler (connect directly);
    // only Cancel is read back.
    void Click();
    void MouseDown(qint16& Button, qint16& Shift, float& x, float& y);
    void MouseMove(qint16& Button, qint16& Shift, float& x, float& y);
    void MouseUp(qint16& Button, qint16& Shift, float& x, float& y);
    void LoopsEnded();
    void FrameChanged(qint32 FrameIndex, bool& viaTimer);
    void RemoteLoadComplete(float gifWidth, float gifHeight, bool& Cancel);
    void RemoteLoadFailure();

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void OnReplyFinished(QNetworkReply* reply);
    // A property set through Qt; those a load resets are set again after it.
    void Assigned(Property p) { assigned_ |= 1u << unsigned(p); }
    void LoadGifFile();
    // Button and shift state as the control's events carry them, the position in the client
    // area's pixels.
    struct MouseState {
        std::int16_t button = 0;
        std::int16_t shift = 0;
        double x = 0;
        double y = 0;
    };
    MouseState StateOf(const QMouseEvent& event, Qt::MouseButtons buttons) const;

    bool designMode_ = false;
    double unitsPerPixel_ = 15.0;
    int transferTimeoutMs_ = kTransferTimeoutMs;
    QTimer timer_;
    QElapsedTimer clock_;
    Surface32 surface_;
    std::function<void()> tick_;
    QNetworkAccessManager network_;
    QPointer<QNetworkReply> reply_;
    QString readName_;
    QString gifFile_;
    QTimer gifFileLoad_;
    std::uint32_t assigned_ = 0;
    std::function<void(std::vector<std::uint8_t>)> onBytes_;
    std::function<void()> onFailure_;
    // Last, so that it goes first: its destructor stops the timer and the download above.
    ucAniGIF control_{*this};

    void ForwardEvents();
};

}  // namespace anigif
