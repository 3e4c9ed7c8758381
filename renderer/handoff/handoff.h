#pragma once

// How the saver and the renderer work together, and the names they share.
//
// Windows starts `Raivel.scr /s` when the screen saver is due:
//   1. The saver gives way when a run ("Zandrel_Main") or the settings dialog
//      ("<Raivel>") is already there; otherwise it makes the capture folder
//      the user's alone (capture_folder.h), reads its settings and hides
//      the cursor.
//   2. Its hidden run form copies the screen, mirrored, and the built-in
//      clouds into the two capture pictures (none into a folder that is not
//      the user's own), and starts the music.
//   3. It starts the renderer, the program beside it (no arguments), and
//      looks for the renderer's window by name every 100 ms.
//   4. Once that window is gone (Escape, a close request, a failed start),
//      the saver stops the music, shows the cursor again and ends at once.
// The two programs share no memory and send each other nothing: only the
// two pictures on disk and the window's name pass between them.
//
// `Raivel.dll`, the renderer (a program, whatever its name says):
//   window  renderer/win32: the other monitors' desktops taken into
//           memory, the display at 1024 x 768 x 32, the primary's window, its
//           OpenGL context, black covers over the other monitors
//           (renderer/screens); the scene loads the two pictures and grows
//           the first bolt (renderer/scene). After the first frame, a storm
//           of its own over each other monitor's cover.
//   loop    renderer/loop: one message per pass; when none waits, the pacer
//           says how many 1/60 s steps are due and how long to sleep after
//           the frame, and Escape held ends the loop.
//   step    StepScene: the flash fades, the sliding ceiling moves on and,
//           each 601 steps, jumps back as a new bolt flashes.
//   draw    DrawScene and the other monitors' storms, then their buffer
//           swaps, one right after another;
//           at the end the display is restored and the window destroyed,
//           which ends the saver's run.

// The capture folder and the two pictures the saver writes into it for the
// renderer: the clouds of the sky and the screen, mirrored, of the floor.
inline constexpr char kCaptureFolder[] = "C:\\r_mosk";
inline constexpr char kCloudPicturePath[] = "C:\\r_mosk\\Zandrel1.bmp";
inline constexpr char kDesktopPicturePath[] = "C:\\r_mosk\\Zandrel2.bmp";

// The renderer's file, in the saver's own folder.
inline constexpr char kRendererFileName[] = "Raivel.dll";

// The renderer's window: while it exists, the run goes on.
inline constexpr char kRendererWindowClass[] = "OpenGL";
inline constexpr char kRendererWindowName[] = "Zandrel_VC";

// The saver's windows that a second start finds: the hidden run form and
// the settings dialog.
inline constexpr char kRunFormCaption[] = "Zandrel_Main";
inline constexpr char kSettingsCaption[] = "<Raivel>";
