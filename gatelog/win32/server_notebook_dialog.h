// Dialog 102 "게이트록", the program's one window: the server list, the
// measuring and the three ways to start StarCraft.
#pragma once

#include <memory>

#include "common/win32/main_window.h"
#include "gatelog/win32/ping_worker.h"
#include "gatelog/server_notebook.h"

namespace gatelog {

class ServerNotebookDialog : public win::MainDialog, private NotebookView, private NotebookActions {
public:
    ServerNotebookDialog();

protected:
    bool OnInitDialog() override;

private:
    // NotebookView
    void ShowNotice(std::string_view text) override;
    void InsertServerRow(int index, const ServerEntry& entry) override;
    void DeleteServerRow(int index) override;
    void SetRowStatus(int index, std::string_view text) override;
    void FocusList() override;
    // NotebookActions
    bool StartMeasurement(const std::string& address) override;
    void LaunchWithGateway(std::string_view gatewayText) override;
    std::string ReadGameServerAddress() override;

    void SetUpList();
    void AttachHoverCursors();
    void AddServer();
    void Measure();

    ServerNotebook notebook_;
    HCURSOR hoverCursor_ = nullptr;
    HCURSOR pickedCursor_ = nullptr;
    std::shared_ptr<PingJob> pingJob_;
};

} // namespace gatelog
