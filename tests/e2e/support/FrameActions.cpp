// Pointer and window-manager actions for frame tests.
