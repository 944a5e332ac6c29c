// The settings (template 127): the reserved item, the question before
// connecting, the number the entries dial, the modem and the home page.
// Its result is the number choice (1 to 4, 0 for none).
#pragma once

#include "common/win32/dialog.h"
#include "dialer/connector.h"
#include "dialer/setup_file.h"

#include <vector>

class SettingsDialog : public win::Dialog {
public:
    // referenceChoice: the number choice of the entry that the window shows.
    SettingsDialog(dialer::Connector& connector, dialer::RasService& ras, int referenceChoice);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void FillSetup();
    void FillHomePage();
    void FillItems();
    void FillModems();
    void ShowNoQuestionFlag();
    void ToggleNoQuestion();
    void ChangeModem();
    void ToggleHomePage();
    dialer::SetupSettings TakeSetup() const;

    dialer::Connector& connector_;
    dialer::RasService& ras_;
    int referenceChoice_;
    std::string reservedItem_;
    std::vector<dialer::RasDevice> modems_;
};
