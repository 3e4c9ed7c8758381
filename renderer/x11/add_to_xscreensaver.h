#pragma once

// `raivel --add-to-xscreensaver`: puts raivel first in the list of display
// modes of the user's ~/.xscreensaver (HOME's, or else the home folder of the
// password file), writing a new file when there is none, and says in one
// line what it did. A file it cannot read as xscreensaver settings is left
// as it is, with a message on standard error. Returns the exit code: 0 when
// raivel is in the list, 1 otherwise.
int AddToXscreensaver();
