#pragma once

#include <windows.h>

// The renderer's single full-screen window with its OpenGL context, and the
// display mode it runs in.

// True while the display runs in the mode we asked for.
extern bool g_fullscreen;
extern HINSTANCE g_instance;
extern HWND g_window;
extern HDC g_deviceContext;
extern HGLRC g_renderingContext;

// Registers the class, switches the display (or falls back to a window),
// creates the window and its rendering context and initialises the scene.
// Zero on failure, with everything acquired released again.
int CreateRendererWindow(int width, int height, int bits, bool fullscreen);

// Restores the display and releases the context, window and class.
void DestroyRendererWindow();

LRESULT CALLBACK RendererWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
