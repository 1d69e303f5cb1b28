#pragma once

#include <string>

class ChtmlbrowserDlg;

// Opens (hidden) the customer-service window of a game address when the chat record is
// awake; as the record is never filled, nothing opens.
void OpenSecondaryWindow(ChtmlbrowserDlg& gameWindow, const std::string& address);

// The server id carried by a game address ("server_id=..."), empty without one.
std::string ServerIdOf(const std::string& address);
