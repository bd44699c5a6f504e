#pragma once

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <functional>
#include <memory>

#include "app/frm_main.h"
#include "notice/frm_tip.h"
#include "sim/sim_server.h"
#include "support/on_request.h"
#include "support/wait_until.h"

// Answers the window's dialogs at once and tells the test when it did.
class AnsweringDialogs : public Dialogs {
  public:
    QStringList messages;  // "title|text"
    QStringList folderTitles;
    std::optional<QString> nextFolder;
    std::function<void()> onMessage;

    void Information(QWidget*, const QString& title, const QString& text) override {
        messages << title + "|" + text;
        if (onMessage) onMessage();
    }
    std::optional<QString> PickFolder(QWidget*, const QString& title) override {
        folderTitles << title;
        return nextFolder;
    }
};

// Catches every address the program hands to the desktop browser while it exists.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    UrlCatcher() {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "open");
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "open");
    }
    ~UrlCatcher() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    }
    QList<QUrl> opened;

  public slots:
    void open(const QUrl& url) { opened << url; }
};

// One main window against its own loopback engines and vendor service. The engines offer only
// the pages a test sets.
struct WindowRig {
    sim::SimServer server;
    AnsweringDialogs dialogs;
    UrlCatcher browser;
    std::unique_ptr<FrmMain> window;

    // `prepare` sets up the server before the window makes its first requests, `configure` the
    // window's configuration before it is made.
    explicit WindowRig(const std::function<void(sim::SimServer&)>& prepare = {},
                       const std::function<void(AppConfig&)>& configure = {}) {
        EXPECT_TRUE(server.listen(0));
        server.setEngineOptions({0, 0, sim::BodyCharset::Utf8, 0});
        if (prepare) prepare(server);
        AppConfig config;
        config.hosts = config.suggestHosts = {server.baseUrl(), server.baseUrl(), server.baseUrl()};
        config.vendor = server.baseUrl();
        config.skinPath = QStringLiteral("/nonexistent/skinh.she");
        if (configure) configure(config);
        window = std::make_unique<FrmMain>(config, dialogs);
        window->show();
    }

    template <typename T>
    T& get(const char* name) {
        T* w = window->findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(w, nullptr) << name;
        return *w;
    }
    // Types the keyword and presses Start; returns when the run has ended.
    void mine(const QString& keyword) {
        get<QLineEdit>("TxtKey").setText(keyword);
        click("CmdStart");
    }
    // Runs `action` inside the run's wait, as soon as the request for `keyword` arrives.
    void onRequest(const QString& keyword, std::function<void()> action) {
        OnRequest(server, window.get(), keyword, std::move(action));
    }
    // Runs `action` as soon as a request for `path` reaches the vendor service.
    void onVendorRequest(const char* path, std::function<void()> action) {
        QObject::connect(&server, &sim::SimServer::requestReceived, window.get(),
                         [path, action](const QString& target) {
                             if (target == path) action();
                         });
    }
    // Waits until `path` has been asked for `hits` times and every vendor answer has been read.
    bool vendorRead(const char* path, int hits) {
        return WaitUntil(
            [&] {
                return server.vendorHits(path) == hits && window->VendorHttp().Outstanding() == 0;
            },
            15000);
    }
    QString url(const char* pathAndQuery) const {
        return server.baseUrl().toString() + pathAndQuery;
    }
    void click(const char* name) { QTest::mouseClick(&get<QWidget>(name), Qt::LeftButton); }
    QString status() { return get<QLabel>("LabelStatus").text(); }
};

// Every announcement window open at the moment with this caption.
inline QList<notice::FrmTip*> PopupsCaptioned(const QString& caption) {
    QList<notice::FrmTip*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* tip = qobject_cast<notice::FrmTip*>(w); tip && tip->windowTitle() == caption)
            found << tip;
    }
    return found;
}
