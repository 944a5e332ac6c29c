// The Remote Access Service through the system's rasapi32.dll (or, on the
// first Windows 95, rnaph.dll for the phonebook), with the Windows 95
// records. Bound once; the libraries stay loaded while the program runs.
#pragma once

#include "dialer/ras_service.h"
#include "dialer/win32/ras95.h"

class RasLibrary : public dialer::RasService {
public:
    RasLibrary();
    RasLibrary(const RasLibrary&) = delete;
    RasLibrary& operator=(const RasLibrary&) = delete;

    bool BindPhonebookApi() override;
    dialer::EntryLookup GetEntry(std::string_view name) override;
    std::uint32_t SetEntry(std::string_view name, const dialer::PhonebookEntry& entry) override;
    std::uint32_t DeleteEntry(std::string_view name) override;
    dialer::DeviceList EnumDevices() override;
    dialer::EntryNameList EnumEntries() override;
    dialer::ConnectionList EnumConnections() override;
    std::uint32_t HangUp(dialer::ConnectionHandle connection) override;
    std::optional<std::string> ErrorText(std::uint32_t code) override;
    dialer::DialStart Dial(std::string_view entry) override;

    // The window that the dial's notifier posts WM_RASDIALEVENT to.
    static void SetNotifyTarget(HWND window);

private:
    HMODULE rasApi_ = nullptr;
    ras95::GetEntryPropertiesFn getEntry_ = nullptr;
    ras95::SetEntryPropertiesFn setEntry_ = nullptr;
    ras95::DeleteEntryFn deleteEntry_ = nullptr;
    ras95::EnumDevicesFn enumDevices_ = nullptr;
    ras95::EnumEntriesFn enumEntries_ = nullptr;
    ras95::EnumConnectionsFn enumConnections_ = nullptr;
    ras95::HangUpFn hangUp_ = nullptr;
    ras95::GetErrorStringFn errorString_ = nullptr;
    ras95::DialFn dial_ = nullptr;
};
