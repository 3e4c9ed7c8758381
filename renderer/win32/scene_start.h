#pragma once

// Starts the scene from the capture files the saver wrote. A capture folder
// that is not the user's own (another account's, which may have put
// pictures there, a link or junction, a file) is not read: the storm then
// has its built-in clouds over a plain floor, and shows no message. Zero when
// the scene cannot start, as InitScene.
int StartStormScene();
