#pragma once

// Starts a new instance of the running executable with no arguments; failures are ignored.
void RestartLauncher();
