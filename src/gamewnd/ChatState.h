#pragma once

#include <string>

// The process-wide record the customer-service window would be woken by. Nothing fills it:
// it starts at state -1 with empty strings, so the window stays dormant.
class ChatState {
public:
    static ChatState& Instance();

    int m_nState = -1;
    std::string m_strReserved1;
    std::string m_strReserved2;
    std::string m_strChatUrl;
    std::string m_strReserved3;

    void ResetForTests() { *this = ChatState(); }
};
