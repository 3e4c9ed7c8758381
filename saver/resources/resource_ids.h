#pragma once

// The saver's name, built-in pictures, icon and cursor (saver.rc).
#define IDS_SAVER_NAME 1 // the name Windows' screen saver list shows
#define IDI_RAIVEL 1     // the program icon: a storm cloud with a bolt, 32 x 32 and 16 x 16
#define IDB_CLOUDS 101   // 128 x 128 clouds: the sky of the storm
#define IDB_PREVIEW 102  // 152 x 112 still of the storm, for the preview
// The push button's 64 x 25 faces; the highlight face also serves for the
// focused button under the pointer.
#define IDB_FACE_HIGHLIGHT 103
#define IDB_FACE_PRESSED 104
#define IDB_FACE_NORMAL 105
#define IDB_FACE_DISABLE 106
#define IDB_FACE_SELECTED 107
#define IDB_RADIO_OFF 108 // 12 x 12 indicator of a kind not chosen
#define IDB_RADIO_ON 109  // 12 x 12 indicator of the chosen kind
#define IDB_TILE 110      // 556 x 20 brushed tile of the settings panel
#define IDC_HAND_LINK 111 // pointing hand over the web link
