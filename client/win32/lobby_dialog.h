// The lobby window (template 102), the program's whole life: it owns the
// session state, the background and the image buttons.
#pragma once

#include "dialog.h"
#include "dib_bitmap.h"
#include "lobby_image_button.h"
#include "lobby_session.h"

#include <array>
#include <memory>
#include <string>
#include <string_view>

class LobbyDialog : public win::Dialog, private lobby::LobbyView {
public:
    LobbyDialog();
    ~LobbyDialog() override;

protected:
    bool OnInitDialog() override;
    bool PreTranslateMessage(MSG& msg) override;
    void OnOK() override;
    // Escape and the cancel command never close the lobby.
    void OnCancel() override {}

private:
    // LobbyView
    void SetButtonState(lobby::LobbyButton button, lobby::ButtonState state) override;
    void EnableChatInput(bool enable) override;
    void FocusChatInput() override;
    void AddChatLine(std::string_view line, bool makeCurrent) override;
    void SetCaption(std::string_view caption) override;
    void ShowMessage(std::string_view text, std::string_view caption, lobby::MessageIcon icon) override;

    void SetUpSystemMenu();
    void SetUpRoomList();
    void LoadButtonImages();
    void RunIdPrompt();
    void SendToServer(std::string_view text);

    INT_PTR OnPaint();
    INT_PTR OnControlColor(WPARAM dc, LPARAM control);
    INT_PTR OnSysCommand(WPARAM command);
    INT_PTR OnDrawItem(LPARAM item);
    INT_PTR OnTimer(WPARAM timer);
    INT_PTR OnClose();

    LobbyImageButton* FindButton(int id);

    lobby::LobbySession session_;
    std::string serverHost_;
    int serverPort_ = 0;
    std::unique_ptr<win::DibBitmap> background_;
    HBRUSH blackBrush_ = nullptr;
    HICON icon_ = nullptr;
    std::array<LobbyImageButton, 9> buttons_;
};
