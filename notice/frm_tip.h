#pragma once

#include <QFrame>
#include <QTimer>
#include <QWebEngineView>
#include <QWidget>

#include <functional>
#include <utility>

#include "notice/outside_links.h"
#include "notice/popup_placement.h"
#include "notice/screen_metrics.h"

class QCloseEvent;
class QShowEvent;

namespace notice {

// The announcement window: shows one vendor page, rises from below the screen into the bottom-right
// corner above the taskbar, and fades out when the user closes it.
//
// The caller drives it in this order: Navigate, HideScrollBars, SetCaption, show().
class FrmTip : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kClientWidthTwips = 3930;
    static constexpr int kClientHeightTwips = 2985;
    static constexpr int kSlideIntervalMs = 10;
    static constexpr int kFadeDelayMs = 50;

    using FadePause = std::function<void(int ms)>;

    explicit FrmTip(ScreenMetricsSource screen = PrimaryScreenMetrics);
    ~FrmTip() override;

    // Loads the page when it is an http or https address; anything else leaves the window blank.
    void Navigate(const QString& address);
    // Hides the current document's scroll bars; before the document is ready this does nothing and
    // the document-complete handler does it later.
    void HideScrollBars();
    // The caption is shown as plain text, exactly as given.
    void SetCaption(const QString& caption);
    // For the main window's close: the popup vanishes at once, and a fade under way stops.
    void CloseWithoutFade();

    // What happens between two fade steps; a real pause unless a test records the steps instead.
    void setFadePause(FadePause pause) { fadePause_ = std::move(pause); }
    int FadeDelay() const { return FadeDelay_; }

    // One step of the slide; Timer1 calls it every 10 ms until the window rests.
    void Timer1_Timer();

    QWebEngineView& webBrowser1() { return WebBrowser1; }
    const QTimer& timer1() const { return Timer1; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void Form_Load();
    void WebBrowser1_DocumentComplete(bool ok);
    void Form_Unload();
    void FadeOut();

    // The design's client size is the outer size, title bar and border included: the client area
    // is what the frame leaves of it. Known only once the window system has framed the window.
    void FitOuterSize();
    // The outer size (title bar and border included, once the window system has added them).
    QSize WindowTwips() const;
    void MoveTwips(TwipsPoint position);

    ScreenMetricsSource screen_;
    OutsideLinkPage page_;  // before the view, which must go first
    QWebEngineView WebBrowser1;
    QFrame Picture1;
    QFrame Picture2;
    QTimer Timer1;
    int FadeDelay_ = 0;
    TwipsPoint position_;  // kept in twips so 50-twip steps do not round away
    FadePause fadePause_;
    bool fading_ = false;
    bool skipFade_ = false;
};

}  // namespace notice
