#pragma once

#include <string>

// The settings dialog "<Raivel>": the background music choice, saved to the
// settings file of the program in `programFolder` when the user presses Set.
// Runs its own message loop and returns once the dialog has closed.
void ShowSettingsDialog(const std::string& programFolder);

// The dialog's caption, by which a second start finds it open.
extern const char kSettingsCaption[];
