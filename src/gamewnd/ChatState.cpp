#include "ChatState.h"

ChatState& ChatState::Instance() {
    static ChatState* instance = new ChatState();  // lives until the process ends
    return *instance;
}
