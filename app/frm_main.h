#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEngineView>
#include <QWidget>

#include <memory>

#include "app/app_config.h"
#include "app/click_label.h"
#include "app/dialogs.h"
#include "control/qt/ani_gif_widget.h"
#include "mining/mining_run.h"
#include "mining/result_list.h"
#include "notice/outside_links.h"
#include "web/mod_http.h"

// The main window: the mining run, its result list, the links and the banner. Its controls keep
// the names they have in the window design; tests find them by object name.
class FrmMain : public QWidget, private mining::RunView {
    Q_OBJECT
  public:
    static QString Caption();
    static constexpr int kVendorTimeoutMs = 10000;

    FrmMain(AppConfig config, Dialogs& dialogs, QWidget* parent = nullptr);
    ~FrmMain() override;

    mining::MiningRun& Run() { return run_; }
    const mining::ResultList& Results() const { return list_; }
    web::ModHttp& Http() { return Http_; }
    web::ModHttp& VendorHttp() { return VendorHttp_; }
    const AppConfig& Config() const { return config_; }

  signals:
    // The window was closed; the program ends.
    void unloaded();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    void ConnectHandlers();
    void Form_Load();
    void Form_Unload();
    void CmdStart_Click();
    void CmdStop_Click();

    // mining::RunView
    mining::Engine SelectedEngine() const override;
    bool FilterTicked() const override;
    QString KeyText() const override;
    QString FolderText() const override;
    QString TaobaoMarker() const override;
    const mining::ResultList& List() const override { return list_; }
    void ListAppend(const QString& text) override;
    void ListClear() override;
    void SetStatus(const QString& text) override;
    void SetStartEnabled(bool enabled) override;
    void ShowMessage(const QString& text) override;

    // List commands, update check, links, banner and announcement feed.
    void CmdFile_Click();
    void CmdClear_Click();
    void List1_DblClick();
    void Label2_Click();
    void CheckUpdate();
    void Timer1_Timer();
    void LoadNotice();
    void Labelhome_Click();
    void Label3_Click();
    void Labelfeedback_Click();
    void WebBrowser1_DocumentComplete(bool ok);
    void BannerLoading(const QWebEngineLoadingInfo& info);

    AppConfig config_;
    Dialogs& dialogs_;
    bool unloading_ = false;  // closed: the program is ending, waits return without acting
    mining::ResultList list_;
    web::ModHttp Http_;          // the mining run's page fetches
    web::ModHttp VendorHttp_;    // update check and announcement feed
    mining::TableRead engines_;  // the table in effect, or the defaults and why the file was not
    mining::MiningRun run_;

    // Controls, parents before children so that children go first on destruction.
    QWidget Picture1;
    QWidget Picture2;
    notice::OutsideLinkPage bannerPage_;  // before the view, which must go first
    QWebEngineView WebBrowser1;
    QGroupBox Frame1;
    QGroupBox Frame2;
    QRadioButton Option1;
    QRadioButton Option2;
    QRadioButton Option3;
    QLabel Label[2];
    QLineEdit TxtKey;
    QPushButton CmdStart;
    QPushButton CmdStop;
    QCheckBox Check1;
    QLineEdit TxtFile;
    QPushButton CmdFile;
    ClickLabel Label3;
    QGroupBox Frame[2];
    QListWidget List1;
    QPushButton CmdClear;
    QLabel Label1;
    QLabel LabelStatus;
    ClickLabel Label2;
    anigif::AniGifWidget ucAniGIF3;
    ClickLabel Labelfeedback;
    anigif::AniGifWidget ucAniGIF1;
    ClickLabel Labelhome;
    anigif::AniGifWidget ucAniGIF2;
    QTimer Timer1;
    QLineEdit Text1[4];
    QLineEdit Text2;

    // --- vendor and list commands (owned by the commands work) ---
    // The announcement window (a notice::FrmTip) once the feed has opened it.
    std::unique_ptr<QWidget> tip_;
    // Double clicks anywhere on the list, an empty list included, go to List1_DblClick.
    std::unique_ptr<QObject> MakeListDoubleClickFilter();
    std::unique_ptr<QObject> listDoubleClick_ = MakeListDoubleClickFilter();
    // --- end of vendor and list commands ---
};
