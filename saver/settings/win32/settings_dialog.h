#pragma once

#include <string>

// The settings dialog (kSettingsCaption, handoff.h): the background music
// choice, saved to the settings file of the program in `programFolder` when
// the user presses Set. Runs its own message loop and returns once the
// dialog has closed.
void ShowSettingsDialog(const std::string& programFolder);
