#pragma once

// Starts the scene from the capture pictures the saver wrote. A picture that
// cannot be had (the run could not write it, it is missing or damaged) does
// not keep the storm away: the sky is then the built-in clouds, the floor a
// plain one, and no message shows for a missing picture. A capture folder
// that is not the user's own (another account's, which may have put
// pictures there, a link or junction, a file) is not read at all. Zero when
// the scene cannot start even so.
int StartStormScene();
