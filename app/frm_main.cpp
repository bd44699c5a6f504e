#include "frm_main.h"

#include <QCloseEvent>
#include <QFile>
#include <QFont>
#include <QIcon>
#include <QWebEngineSettings>

#include "app/skin.h"
#include "app/status_fit.h"
#include "control/property_bag.h"
#include "notice/twips.h"

using notice::TwipsRect;

namespace {

// Names a control as the window design does, puts it into its container and at its place.
template <typename Control>
Control& Place(Control& control, const char* name, QWidget* parent, const QRect& rect) {
    control.setObjectName(QString::fromUtf8(name));
    control.setParent(parent);
    control.setGeometry(rect);
    return control;
}

// Gives an animation the settings the window design saved for it, built into the program.
void RestoreDesign(anigif::AniGifWidget& gif) {
    QFile file(QStringLiteral(":/app/design/%1.store").arg(gif.objectName()));
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.readAll();
    gif.Control().ReadProperties(anigif::PropertyBag::Parse(
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())}));
}

}  // namespace

QString FrmMain::Caption() {
    return QStringLiteral("Quelvo关键词助手V2.3") + QString(19, u' ') +
           QStringLiteral("站长Quelvo旗下软件") + QString(3, u' ');
}

FrmMain::FrmMain(AppConfig config, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent),
      config_(std::move(config)),
      dialogs_(dialogs),
      engines_(EnginesInEffect(config_)),
      run_(
          *this, engines_.table, [this](const QUrl& url) { return Http_.GetPage(url); },
          [this] { Http_.AbortAll(); }) {
    setObjectName(QStringLiteral("FrmMain"));
    // The vendor's answers are a few bytes: an update check the user waits on says it failed
    // after this long without progress, not after the page fetches' half minute.
    VendorHttp_.setTransferTimeoutMs(kVendorTimeoutMs);
    setWindowTitle(Caption());
    const QSize client(notice::TwipsToPixels(11505), notice::TwipsToPixels(7320));
    setFixedSize(client);
    BuildControls();
    ConnectHandlers();
    Form_Load();
}

FrmMain::~FrmMain() {
    run_.Shutdown();
    Http_.AbortAll();
    VendorHttp_.AbortAll();
}

void FrmMain::BuildControls() {
    // Decorative strips lie under the banner; the browser is drawn over them.
    Place(Picture1, "Picture1", this, TwipsRect(11220, 0, 375, 1215));
    // The lower strip shows under the banner; it reaches the right edge, which the design's
    // 11295 twips fell 14 pixels short of.
    Place(Picture2, "Picture2", this, TwipsRect(0, 900, 11505, 375));
    Place(WebBrowser1, "WebBrowser1", this, TwipsRect(-30, -30, 11535, 1215))
        .setContextMenuPolicy(Qt::NoContextMenu);
    WebBrowser1.setPage(&bannerPage_);
    // A failed load shows our own banner (BannerLoading), not the engine's error page cut to the
    // banner's height.
    bannerPage_.settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);

    Place(Frame1, "Frame1", this, TwipsRect(120, 1320, 3735, 5655));
    Place(Frame2, "Frame2", &Frame1, TwipsRect(120, 240, 3495, 735))
        .setTitle(QStringLiteral("关键词查询结果来源"));
    Place(Option1, "Option1", &Frame2, TwipsRect(120, 360, 735, 220))
        .setText(QStringLiteral("百度"));
    Option1.setChecked(true);
    Place(Option2, "Option2", &Frame2, TwipsRect(1320, 360, 735, 220))
        .setText(QStringLiteral("谷歌"));
    Place(Option3, "Option3", &Frame2, TwipsRect(2520, 360, 735, 220))
        .setText(QStringLiteral("淘宝"));
    Place(Label[0], "Label(0)", &Frame1, TwipsRect(150, 1270, 825, 210))
        .setText(QStringLiteral("关键词："));
    Place(TxtKey, "TxtKey", &Frame1, TwipsRect(960, 1200, 2655, 350))
        .setFont(QFont(QStringLiteral("微软雅黑")));
    Place(CmdStart, "CmdStart", &Frame1, TwipsRect(960, 1680, 1215, 350))
        .setText(QStringLiteral("开始挖掘"));
    Place(CmdStop, "CmdStop", &Frame1, TwipsRect(2400, 1680, 1215, 350))
        .setText(QStringLiteral("停止挖掘"));
    Place(Check1, "Check1", &Frame1, TwipsRect(960, 2160, 1815, 255))
        .setText(QStringLiteral("结果中包含关键词"));
    Place(Label[1], "Label(1)", &Frame1, TwipsRect(120, 2760, 1305, 210))
        .setText(QStringLiteral("结果保存路径："));
    Place(TxtFile, "TxtFile", &Frame1, TwipsRect(120, 3000, 3015, 300));
    Place(CmdFile, "CmdFile", &Frame1, TwipsRect(3120, 3000, 495, 300))
        .setText(QStringLiteral("..."));
    Place(Label3, "Label3", &Frame1, TwipsRect(480, 4920, 2655, 285))
        .setText(QStringLiteral("体验功能更强大的站长Quelvo6"));
    Label3.setStyleSheet(QStringLiteral("color: red;"));

    Place(Frame[1], "Frame(1)", this, TwipsRect(3960, 1320, 7455, 4935))
        .setTitle(QStringLiteral("所获取的结果"));
    Place(List1, "List1", &Frame[1], TwipsRect(120, 240, 7215, 4200)).setUniformItemSizes(true);
    Place(CmdClear, "CmdClear", &Frame[1], TwipsRect(120, 4560, 1095, 280))
        .setText(QStringLiteral("清除数据"));
    Place(Label1, "Label1", &Frame[1], TwipsRect(5280, 4680, 2055, 210))
        .setText(QStringLiteral("提示：双击查看详细结果"));

    Place(Frame[0], "Frame(0)", this, TwipsRect(3960, 6360, 7455, 615))
        .setTitle(QStringLiteral("查询状态"));
    Place(LabelStatus, "LabelStatus", &Frame[0], TwipsRect(120, 240, 6015, 255))
        .setStyleSheet(QStringLiteral("color: red;"));

    Place(Label2, "Label2", this, TwipsRect(240, 7125, 1815, 210))
        .setText(QStringLiteral("检查更新"));
    Place(ucAniGIF3, "ucAniGIF3", this, TwipsRect(2160, 7080, 300, 300)).hide();
    Place(Labelfeedback, "Labelfeedback", this, TwipsRect(9500, 7125, 735, 225))
        .setText(QStringLiteral("反馈意见"));
    Place(ucAniGIF1, "ucAniGIF1", this, TwipsRect(9200, 7080, 240, 240));
    Place(Labelhome, "Labelhome", this, TwipsRect(10700, 7120, 735, 225))
        .setText(QStringLiteral("官方网站"));
    Place(ucAniGIF2, "ucAniGIF2", this, TwipsRect(10400, 7080, 240, 240));
    for (anigif::AniGifWidget* gif : {&ucAniGIF1, &ucAniGIF2, &ucAniGIF3}) RestoreDesign(*gif);
    // Hidden before the window was ever shown, the busy animation gets no hide event; it waits,
    // paused, until the update check shows it.
    ucAniGIF3.Control().UserControl_Hide();

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setParent(this);  // so that it can be found by name like the other controls
    Timer1.setInterval(3000);

    // Storage the user never sees: right of the client area.
    for (int i = 0; i < 4; ++i) {
        const QByteArray name = QStringLiteral("Text1(%1)").arg(i).toUtf8();
        Place(Text1[i], name.constData(), this,
              TwipsRect(12120 + 200 * i, 240 + 360 * i, 1455, 270));
    }
    Place(Text2, "Text2", this, TwipsRect(12360, 1080, 1455, 270))
        .setText(engines_.table.Of(mining::Engine::Taobao).marker);
    // Out of sight, so out of reach: Tab would otherwise land there and typing change the marker.
    for (QLineEdit* hidden : {&Text1[0], &Text1[1], &Text1[2], &Text1[3], &Text2})
        hidden->setFocusPolicy(Qt::NoFocus);

    // Labels show text as it is (a keyword may look like markup) from their top edge, so the CJK
    // glyphs fit the design's 14-pixel labels.
    for (QLabel* label : findChildren<QLabel*>()) {
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
}

void FrmMain::ConnectHandlers() {
    connect(&CmdStart, &QPushButton::clicked, this, [this] { CmdStart_Click(); });
    connect(&CmdStop, &QPushButton::clicked, this, [this] { CmdStop_Click(); });
    connect(&CmdFile, &QPushButton::clicked, this, [this] { CmdFile_Click(); });
    connect(&CmdClear, &QPushButton::clicked, this, [this] { CmdClear_Click(); });
    connect(&Label2, &ClickLabel::clicked, this, [this] { Label2_Click(); });
    connect(&Labelhome, &ClickLabel::clicked, this, [this] { Labelhome_Click(); });
    connect(&Label3, &ClickLabel::clicked, this, [this] { Label3_Click(); });
    connect(&Labelfeedback, &ClickLabel::clicked, this, [this] { Labelfeedback_Click(); });
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    // Enter in the keyword box starts a run as the button would; not while one is going.
    connect(&TxtKey, &QLineEdit::returnPressed, this, [this] {
        if (CmdStart.isEnabled()) CmdStart.click();
    });
    connect(&WebBrowser1, &QWebEngineView::loadFinished, this,
            [this](bool ok) { WebBrowser1_DocumentComplete(ok); });
    connect(WebBrowser1.page(), &QWebEnginePage::loadingChanged, this,
            [this](const QWebEngineLoadingInfo& info) { BannerLoading(info); });
}

void FrmMain::Form_Load() {
    ApplySkin(config_.skinPath.isEmpty() ? DefaultSkinPath() : config_.skinPath);
    // The installed icon from the icon theme; a build tree has none and keeps the default.
    setWindowIcon(QIcon::fromTheme(QStringLiteral("quelvo")));
    WebBrowser1.load(VendorUrl(config_.vendor, QStringLiteral("/api/pages/keywords.php?ver=2.0")));
    Timer1.start();
    // The user's first act is typing a keyword.
    TxtKey.setFocus();
    if (!engines_.error.isEmpty())
        ShowMessage(QStringLiteral("引擎设置文件有误，本次使用内置设置：\n") + engines_.error);
}

void FrmMain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void FrmMain::Form_Unload() {
    unloading_ = true;
    run_.Shutdown();
    Http_.AbortAll();
    VendorHttp_.AbortAll();
    Timer1.stop();
    emit unloaded();
}

void FrmMain::CmdStart_Click() { run_.CmdStart_Click(); }
void FrmMain::CmdStop_Click() { run_.CmdStop_Click(); }

mining::Engine FrmMain::SelectedEngine() const {
    if (Option1.isChecked()) return mining::Engine::Baidu;
    if (Option2.isChecked()) return mining::Engine::Google;
    if (Option3.isChecked()) return mining::Engine::Taobao;
    return mining::Engine::Baidu;
}

bool FrmMain::FilterTicked() const { return Check1.isChecked(); }
QString FrmMain::KeyText() const { return TxtKey.text(); }
QString FrmMain::FolderText() const { return TxtFile.text(); }
QString FrmMain::TaobaoMarker() const { return Text2.text(); }

void FrmMain::ListAppend(const QString& text) {
    if (list_.append(text)) List1.addItem(text);
}

void FrmMain::ListClear() {
    list_.clear();
    List1.clear();
}

// The label keeps its place and size; a line that does not fit it is shortened so its count
// shows, and the whole line is its tool tip.
void FrmMain::SetStatus(const QString& text) {
    const QString shown =
        FitStatusText(text, LabelStatus.fontMetrics(), LabelStatus.contentsRect().width());
    LabelStatus.setText(shown);
    LabelStatus.setToolTip(shown == text ? QString() : text);
}
void FrmMain::SetStartEnabled(bool enabled) { CmdStart.setEnabled(enabled); }
void FrmMain::ShowMessage(const QString& text) {
    dialogs_.Information(this, QStringLiteral("提示"), text);
}
