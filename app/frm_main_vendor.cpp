#include <QDesktopServices>

#include "frm_main.h"

void FrmMain::Label2_Click() { CheckUpdate(); }

void FrmMain::CheckUpdate() {}

void FrmMain::Timer1_Timer() {
    LoadNotice();
    Timer1.stop();
}

void FrmMain::LoadNotice() {}

void FrmMain::Labelhome_Click() { QDesktopServices::openUrl(VendorUrl(config_.vendor, "/")); }
void FrmMain::Label3_Click() { QDesktopServices::openUrl(VendorUrl(config_.vendor, "/")); }
void FrmMain::Labelfeedback_Click() {
    QDesktopServices::openUrl(VendorUrl(config_.vendor, "/feedback.php"));
}

void FrmMain::WebBrowser1_DocumentComplete(bool) {}
