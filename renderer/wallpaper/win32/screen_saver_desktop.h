#pragma once

// Whether this thread runs on the desktop named "Screen-saver", where
// Windows starts a screen saver that asks for the password on resume. The
// user's windows are not there: a picture of the screen shows none of them.
bool OnScreenSaverDesktop();
