#include "dialer/win32/settings_dialog.h"

#include "common/notice.h"
#include "common/win32/byte_limited_edit.h"
#include "common/win32/combo_box.h"
#include "common/win32/list_box.h"
#include "common/win32/message_box.h"
#include "dialer/connector_messages.h"
#include "dialer/message_file.h"
#include "dialer/setup_file.h"
#include "dialer/url_file.h"
#include "resource.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<int, 4> kNumberRadios{IDC_NUMBER_1, IDC_NUMBER_2, IDC_NUMBER_3, IDC_NUMBER_4};
// url.ini is read a line of at most 511 bytes; "^YES^" follows the address.
constexpr std::size_t kMaxHomePage = 500;

constexpr std::string_view kSetupFileUnwritable =
    "화일생성이 되지 않습니다.\n직접 setup.ini를 config디렉토리에\n만들어 주십시요.";
constexpr std::string_view kHomePageUnwritable = "갱신에 실패했습니다";
constexpr std::string_view kNoModemInfo = "모뎀정보를 얻을 수 없읍니다.";
constexpr std::string_view kModemSearchFailed = "모뎀정보 검색 실패";
constexpr std::string_view kModemChangeFailed = "모뎀변경에 실패하였읍니다.";

} // namespace

SettingsDialog::SettingsDialog(dialer::Connector& connector, dialer::RasService& ras, int referenceChoice)
    : win::Dialog(IDD_SETTINGS), connector_(connector), ras_(ras), referenceChoice_(referenceChoice) {
    for (std::size_t i = 0; i < kNumberRadios.size(); ++i) {
        OnClick(kNumberRadios[i], [this, i] { connector_.State().numberChoice = static_cast<int>(i) + 1; });
    }
    OnClick(IDC_RESERVE, [this] { EnableItem(IDC_ITEM_LIST, ItemChecked(IDC_RESERVE)); });
    OnSelectionChange(IDC_ITEM_LIST, [this] {
        reservedItem_ = win::list_box::SelectedLine(Item(IDC_ITEM_LIST));
        ShowNoQuestionFlag();
    });
    OnClick(IDC_NO_QUESTION, [this] { ToggleNoQuestion(); });
    OnSelectionChange(IDC_MODEM_LIST, [this] { ChangeModem(); });
    OnClick(IDC_HOME_PAGE_CHECK, [this] { ToggleHomePage(); });
    OnClick(IDC_SETTINGS_CANCEL, [this] { OnCancel(); });
}

bool SettingsDialog::OnInitDialog() {
    if (!ras_.BindPhonebookApi()) {
        win::ShowMessage(Handle(), dialer::text::kNoPhonebookLibrary, notice::kCaption, MB_OK | MB_ICONSTOP);
        // No number was chosen: the entries stay as they are.
        End(0);
        return false;
    }
    win::LimitEditBytes(Item(IDC_LINE_PREFIX), dialer::kSetupValue.size - 1);
    win::LimitEditBytes(Item(IDC_HOME_PAGE), kMaxHomePage);
    if (referenceChoice_ >= 1 && referenceChoice_ <= 4) {
        connector_.State().numberChoice = referenceChoice_;
        CheckItem(kNumberRadios[static_cast<std::size_t>(referenceChoice_ - 1)], true);
    }
    FillSetup();
    FillHomePage();
    FillItems();
    ShowNoQuestionFlag();
    FillModems();
    return true;
}

void SettingsDialog::FillSetup() {
    auto setup = dialer::ReadSetup(connector_.Files().Setup());
    SetItemText(IDC_LINE_PREFIX, setup ? setup->linePrefix : std::string(dialer::kDefaultLinePrefix));
    if (setup) reservedItem_ = setup->reservedItem;
    bool reserved = setup && setup->reserved;
    CheckItem(IDC_RESERVE, reserved);
    EnableItem(IDC_ITEM_LIST, reserved);
}

void SettingsDialog::FillHomePage() {
    auto homePage = dialer::ReadHomePage(connector_.Files().HomePage());
    bool enabled = homePage && homePage->enabled;
    SetItemText(IDC_HOME_PAGE, dialer::HomePageAddress(homePage));
    CheckItem(IDC_HOME_PAGE_CHECK, enabled);
    EnableItem(IDC_HOME_PAGE, enabled);
}

void SettingsDialog::FillItems() {
    auto items = dialer::ReadAccessItems(connector_.Files().ItemList());
    std::vector<std::string> names;
    if (items) {
        for (const auto& item : *items) names.push_back(item.name);
    }
    win::list_box::ReplaceLines(Item(IDC_ITEM_LIST), names);
    auto found = std::find(names.begin(), names.end(), reservedItem_);
    WPARAM index = found == names.end() ? 0 : static_cast<WPARAM>(found - names.begin());
    SendMessageW(Item(IDC_ITEM_LIST), LB_SETCURSEL, index, 0);
}

void SettingsDialog::ShowNoQuestionFlag() {
    CheckItem(IDC_NO_QUESTION, dialer::SkipsQuestion(connector_.Files().Messages(), reservedItem_));
}

void SettingsDialog::FillModems() {
    modems_ = connector_.Phonebook().Modems().value_or(std::vector<dialer::RasDevice>{});
    HWND list = Item(IDC_MODEM_LIST);
    for (const auto& modem : modems_) win::combo_box::AddEntry(list, modem.name);
    dialer::DeviceQuery current = connector_.Phonebook().GetItemDevice();
    if (!current.ok) {
        win::ShowMessage(Handle(), kNoModemInfo, notice::kCaption);
        win::ShowMessage(Handle(), kModemSearchFailed, notice::kCaption);
    }
    auto found = std::find_if(modems_.begin(), modems_.end(), [&](const dialer::RasDevice& modem) {
        return current.device && modem.name == current.device->name;
    });
    WPARAM index = found == modems_.end() ? 0 : static_cast<WPARAM>(found - modems_.begin());
    SendMessageW(list, CB_SETCURSEL, index, 0);
}

void SettingsDialog::ToggleNoQuestion() {
    bool on = !ItemChecked(IDC_NO_QUESTION);
    std::string item = win::list_box::SelectedLine(Item(IDC_ITEM_LIST));
    if (!dialer::SetSkipsQuestion(connector_.Files().Messages(), item, on)) {
        win::ShowMessage(Handle(), dialer::kMessageFileUnwritable, notice::kCaption, MB_OK | MB_ICONQUESTION);
        return;
    }
    CheckItem(IDC_NO_QUESTION, on);
}

void SettingsDialog::ChangeModem() {
    auto index = SendMessageW(Item(IDC_MODEM_LIST), CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= modems_.size()) return;
    if (!connector_.Phonebook().SetItemDevice(modems_[static_cast<std::size_t>(index)])) {
        win::ShowMessage(Handle(), kModemChangeFailed, notice::kCaption);
    }
}

void SettingsDialog::ToggleHomePage() {
    bool on = !ItemChecked(IDC_HOME_PAGE_CHECK);
    CheckItem(IDC_HOME_PAGE_CHECK, on);
    EnableItem(IDC_HOME_PAGE, on);
}

dialer::SetupSettings SettingsDialog::TakeSetup() const {
    return {ItemText(IDC_LINE_PREFIX), ItemChecked(IDC_RESERVE), reservedItem_};
}

void SettingsDialog::OnOK() {
    // No item picked: the list's first.
    if (reservedItem_.empty()) {
        auto items = dialer::ReadAccessItems(connector_.Files().ItemList());
        if (items && !items->empty()) reservedItem_ = items->front().name;
    }
    if (!dialer::WriteSetup(connector_.Files().Setup(), TakeSetup())) {
        win::ShowMessage(Handle(), kSetupFileUnwritable, notice::kCaption, MB_OKCANCEL | MB_ICONQUESTION);
        return;
    }
    std::string line = dialer::HomePageLine({ItemText(IDC_HOME_PAGE), ItemChecked(IDC_HOME_PAGE_CHECK)});
    if (!dialer::WriteHomePage(connector_.Files().HomePage(), line)) {
        win::ShowMessage(Handle(), kHomePageUnwritable, notice::kCaption);
        return;
    }
    End(connector_.State().numberChoice);
}

void SettingsDialog::OnCancel() {
    dialer::WriteSetup(connector_.Files().Setup(), TakeSetup());
    End(connector_.State().numberChoice);
}
