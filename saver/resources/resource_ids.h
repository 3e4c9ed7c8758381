#pragma once

// The saver's built-in pictures (saver.rc).
#define IDB_CLOUDS 101  // 128 x 128 clouds: the sky of the storm
#define IDB_PREVIEW 102 // 152 x 112 still of the storm, for the preview
