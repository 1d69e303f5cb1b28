#include "OpenSecondaryWindow.h"

#include "ChatDlg.h"
#include "ChatState.h"
#include "ChtmlbrowserDlg.h"

std::string ServerIdOf(const std::string& address) {
    const std::size_t start = address.find("server_id=");
    if (start == std::string::npos) {
        return {};
    }
    std::string tail = address.substr(start);
    if (const std::size_t amp = tail.find('&'); amp != std::string::npos) {
        tail.erase(amp);
    }
    const std::size_t equals = tail.find('=');
    return tail.substr(equals + 1);
}

void OpenSecondaryWindow(ChtmlbrowserDlg& gameWindow, const std::string& address) {
    if (address.find("server_id=") == std::string::npos) {
        return;
    }
    const std::string serverId = ServerIdOf(address);
    if (serverId.size() < 2 || serverId.find('S') == std::string::npos) {
        return;
    }
    const ChatState& state = ChatState::Instance();
    if (state.m_nState != 0 || state.m_strChatUrl.empty()) {
        return;
    }
    if (!gameWindow.m_bChatOpened) {
        gameWindow.m_bChatOpened = true;
        gameWindow.m_pChatDlg = std::make_unique<ChatDlg>();
        gameWindow.m_pChatDlg->CreateModeless(gameWindow.GetWindow());
    }
    ChatDlg& chat = *gameWindow.m_pChatDlg;
    const platform::Rect game = gameWindow.GetWindow()->GetWindowRect();
    const platform::Rect client{game.right - 434, game.top + 80, game.right, game.top + 466};
    chat.OpenAddress(state.m_strChatUrl);
    // The window rectangle around that client rectangle, for the window's own frame.
    const platform::Rect window{client.left - chat.m_nBorderWidth, client.top - chat.m_nCaptionHeight,
                                client.right + chat.m_nBorderWidth, client.bottom + chat.m_nBorderWidth};
    if (chat.GetWindow() != nullptr) {
        chat.GetWindow()->MoveWindow(window);
    }
    chat.m_pGameWnd = &gameWindow;
}
