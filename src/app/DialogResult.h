#pragma once

// Results of a modal run.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
// What a modal run returns when a quit request ended it.
constexpr int kModalResultQuit = -1;
