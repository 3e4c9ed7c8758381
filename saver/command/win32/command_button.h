#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "command_properties.h"

// Command: the saver's own push button. A child window that draws its face
// from one of six pictures around a vertical gradient, shows a caption,
// polls the pointer every 100 ms for its hover face, shows focus, and calls
// its Click handler. Its logic is command_state.h's and
// command_properties.h's.
class CommandButton {
public:
    // A button at (x, y), width x height pixels, in `parent`, loaded as one
    // placed on a form: from stored properties that hold `caption` and
    // defaults otherwise, so it starts enabled with its Normal face. The
    // container's font, `ambientFont` (null for the default GUI font), is
    // the default of the caption's font.
    CommandButton(HWND parent, int x, int y, int width, int height, const std::wstring& caption,
                  HFONT ambientFont, std::function<void()> onClick);
    CommandButton(const CommandButton&) = delete;
    CommandButton& operator=(const CommandButton&) = delete;
    ~CommandButton();

    HWND Window() const { return window_; }

    // State 1 and the 100 ms hover polling on. Draws nothing.
    void Initialize();

    // A disabled button shows its Disable face and greyed caption, and takes
    // neither focus nor clicks.
    bool Enabled();
    void SetEnabled(bool enabled);
    std::wstring Caption() const;
    // The new text shows at once, placed as the face was last drawn.
    void SetCaption(const std::wstring& caption);
    // The caption's font: the button's own, kept while the button keeps
    // that font (WM_GETFONT answers it too). Setting takes a copy of `font`
    // (null: the default GUI font) and shows it at once.
    HFONT Font() const { return font_; }
    void SetFont(HFONT font);
    COLORREF FontColour();
    void SetFontColour(COLORREF colour);
    // 255 with the face shown, 0 when only the caption shows over the parent.
    uint8_t Visible();
    void SetVisible(uint8_t visible);

    // Stored properties, read and written in their fixed orders
    // (command_properties.h); both restyle the button.
    void ReadProperties(const PropertyStore& store);
    void WriteProperties(PropertyStore& store);

    const CommandState& State() const { return data_.state; }

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Apply(const CommandEffect& effect);
    void MakeFont();
    void Redraw() const;
    void PollPointer();
    void Paint();
    void DrawFace(HDC dc, int width, int height) const;
    void DrawParent(HDC dc) const;
    void DrawCaption(HDC dc, int width, int height) const;

    HWND window_ = nullptr; // null once the window is gone
    CommandData data_;
    CommandFace face_ = CommandFace::None; // the face last drawn
    CommandFont ambientFont_;
    HFONT font_ = nullptr; // made from data_.font
    // The pictures of the faces, in CommandFace's order from HighLight.
    std::array<HBITMAP, 6> pictures_ = {};
    bool polling_ = false;
    std::function<void()> onClick_;
};
