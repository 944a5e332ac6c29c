// The server notebook window's rules: its rows, the remembered entry, the
// measurement that may run, and what each button does. The window supplies
// the view and the actions; everything here runs on the window's thread.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "gatelog/server_record.h"

namespace gatelog {

inline constexpr std::string_view kUncheckedStatus = "체크전";
inline constexpr std::string_view kSelectServer = "서버를 선택하여 주십시오.";
inline constexpr std::string_view kAlreadyMeasuring = "다른 서버를 검사중입니다.";
inline constexpr std::string_view kNoDeleteWhileMeasuring = "서버를 검사중에는 삭제할 수 없습니다..";

class NotebookView {
public:
    virtual ~NotebookView() = default;
    // A message box with the caption "알림".
    virtual void ShowNotice(std::string_view text) = 0;
    // A row with the name, kUncheckedStatus and the address.
    virtual void InsertServerRow(int index, const ServerEntry& entry) = 0;
    virtual void DeleteServerRow(int index) = 0;
    virtual void SetRowStatus(int index, std::string_view text) = 0;
    virtual void FocusList() = 0;
};

class NotebookActions {
public:
    virtual ~NotebookActions() = default;
    // Starts measuring address on a worker, which reports through the window;
    // false when no worker could be started.
    virtual bool StartMeasurement(const std::string& address) = 0;
    virtual void LaunchWithGateway(std::string_view gatewayText) = 0;
    virtual std::string ReadGameServerAddress() = 0;
};

class ServerNotebook {
public:
    ServerNotebook(std::filesystem::path file, NotebookView& view, NotebookActions& actions);

    const std::filesystem::path& File() const { return file_; }

    // Fills the list from the file; a missing file gives an empty list.
    void Load();
    // A row stored by the add dialog goes to the end of the list.
    void AddRow(const ServerEntry& entry);
    // The list's item-changed notice, whatever the change was.
    void OnItemChanged(int index);

    void Measure();
    void OnMeasurementDone(std::string_view resultText);
    void DeleteRemembered();

    void ConnectRemembered();
    void ConnectServiceServer();
    void ConnectOfficial();

    int RowCount() const { return static_cast<int>(rows_.size()); }
    bool Measuring() const { return pingIndex_ != -1; }

private:
    bool HasRemembered() const { return rememberedIndex_ >= 0; }

    std::filesystem::path file_;
    NotebookView& view_;
    NotebookActions& actions_;
    std::vector<ServerEntry> rows_;
    int rememberedIndex_ = -1;
    std::string rememberedAddress_;
    // The row being measured, -1 when no measurement runs.
    int pingIndex_ = -1;
};

} // namespace gatelog
