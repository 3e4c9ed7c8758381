#include "command_button.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "command_face.h"
#include "resource_ids.h"
#include "text_encoding.h"
#include "window_class.h"

namespace {

const char kCommandClass[] = "RaivelCommand";
constexpr UINT_PTR kHoverTimer = 1;
constexpr UINT kHoverPeriodMs = 100;

// The picture resource of each face from HighLight on, in CommandFace's
// order; the focused button under the pointer shares the highlight.
const int kFacePictures[] = {IDB_FACE_HIGHLIGHT, IDB_FACE_PRESSED,   IDB_FACE_NORMAL,
                             IDB_FACE_DISABLE,   IDB_FACE_HIGHLIGHT, IDB_FACE_SELECTED};

// A caption colour with its top bit set names a system colour by its index.
COLORREF CaptionColour(uint32_t colour)
{
    return colour & 0x80000000u ? GetSysColor(static_cast<int>(colour & 0xFF)) : colour & 0xFFFFFF;
}

// Fonts are sized in points at the forms' 96 pixels to the inch.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

CommandFont FontOf(HFONT handle)
{
    LOGFONTW logical = {};
    GetObjectW(handle ? handle : GetStockObject(DEFAULT_GUI_FONT), sizeof logical, &logical);
    CommandFont font;
    font.name = Utf8FromWide(logical.lfFaceName);
    font.size = std::abs(logical.lfHeight) / kPixelsPerPoint;
    font.weight = static_cast<int>(logical.lfWeight);
    font.italic = logical.lfItalic != 0;
    font.underline = logical.lfUnderline != 0;
    font.strikethrough = logical.lfStrikeOut != 0;
    font.charset = logical.lfCharSet;
    return font;
}

HFONT HandleOf(const CommandFont& font)
{
    const std::wstring name = WideFromUtf8(font.name).substr(0, LF_FACESIZE - 1);
    return CreateFontW(-static_cast<int>(std::lround(font.size * kPixelsPerPoint)), 0, 0, 0,
                       font.weight, font.italic, font.underline, font.strikethrough, font.charset,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, name.c_str());
}

MouseButton ButtonOf(UINT message)
{
    switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return MouseButton::Right;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return MouseButton::Middle;
    default:
        return MouseButton::Left;
    }
}

} // namespace

CommandButton::CommandButton(HWND parent, int x, int y, int width, int height,
                             const std::wstring& caption, HFONT ambientFont,
                             std::function<void()> onClick)
    : ambientFont_(FontOf(ambientFont)), onClick_(std::move(onClick))
{
    static const bool registered = RegisterWindowClass(
        kCommandClass, OwnedWindowProc<CommandButton, &CommandButton::HandleMessage>);
    (void)registered;
    for (size_t i = 0; i < pictures_.size(); ++i)
        pictures_[i] = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                       MAKEINTRESOURCEA(kFacePictures[i]),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    // Created disabled, as every new button is until its properties are read.
    CreateWindowExA(0, kCommandClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_DISABLED, x, y,
                    width, height, parent, nullptr, GetModuleHandleA(nullptr), this);
    ReadProperties(PropertyStore());
    data_.caption = Utf8FromWide(caption);
}

CommandButton::~CommandButton()
{
    if (window_) {
        ForgetWindowOwner(window_);
        DestroyWindow(window_);
    }
    for (HBITMAP picture : pictures_) {
        if (picture)
            DeleteObject(picture);
    }
    if (font_)
        DeleteObject(font_);
}

void CommandButton::Initialize()
{
    InitializeCommand(data_.state);
    polling_ = window_ && SetTimer(window_, kHoverTimer, kHoverPeriodMs, nullptr) != 0;
}

bool CommandButton::Enabled()
{
    Apply(CommandReadEnabled(data_));
    return data_.state.Enabled != 0;
}

void CommandButton::SetEnabled(bool enabled)
{
    Apply(CommandSetEnabled(data_, enabled));
}

std::wstring CommandButton::Caption() const
{
    return WideFromUtf8(data_.caption);
}

void CommandButton::SetCaption(const std::wstring& caption)
{
    data_.caption = Utf8FromWide(caption);
    Redraw();
}

void CommandButton::SetFont(HFONT font)
{
    data_.font = FontOf(font);
    MakeFont();
    Redraw();
}

COLORREF CommandButton::FontColour()
{
    uint32_t colour = 0;
    Apply(CommandReadFontColour(data_, colour));
    return colour;
}

void CommandButton::SetFontColour(COLORREF colour)
{
    Apply(CommandSetFontColour(data_, colour));
    Redraw(); // the new colour shows even when no face is drawn
}

uint8_t CommandButton::Visible()
{
    uint8_t visible = 0;
    Apply(CommandReadVisible(data_, visible));
    return visible;
}

void CommandButton::SetVisible(uint8_t visible)
{
    Apply(CommandSetVisible(data_, visible));
    Redraw(); // the face hidden or shown
}

void CommandButton::ReadProperties(const PropertyStore& store)
{
    Apply(ReadCommandProperties(data_, store, ambientFont_));
    MakeFont();
    Redraw(); // caption, font, colour and background as read
}

void CommandButton::WriteProperties(PropertyStore& store)
{
    Apply(WriteCommandProperties(data_, store, ambientFont_));
}

void CommandButton::MakeFont()
{
    // A font that cannot be made leaves the caption in the one it had.
    if (HFONT made = HandleOf(data_.font)) {
        if (font_)
            DeleteObject(font_);
        font_ = made;
    }
}

void CommandButton::Apply(const CommandEffect& effect)
{
    // A disabled push button takes neither focus nor clicks.
    if (window_)
        EnableWindow(window_, data_.state.Enabled != 0);
    if (effect.face != CommandFace::None) {
        face_ = effect.face;
        Redraw();
    }
    if (effect.click) {
        // The handler may destroy the button: nothing of it is used after.
        const std::function<void()> handler = onClick_;
        if (handler)
            handler();
    }
}

void CommandButton::Redraw() const
{
    if (window_)
        InvalidateRect(window_, nullptr, FALSE);
}

void CommandButton::PollPointer()
{
    POINT pointer;
    if (GetCursorPos(&pointer) && WindowFromPoint(pointer) != window_)
        Apply(CommandPointerLeft(data_.state));
}

void CommandButton::Paint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT area;
    GetClientRect(window_, &area);
    if (area.right > 0 && area.bottom > 0) {
        // Drawn off screen, then shown at once.
        HDC surface = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
        HGDIOBJ previous = SelectObject(surface, bitmap);
        if (data_.opaque)
            DrawFace(surface, area.right, area.bottom);
        else
            DrawParent(surface);
        DrawCaption(surface, area.right, area.bottom);
        BitBlt(dc, 0, 0, area.right, area.bottom, surface, 0, 0, SRCCOPY);
        SelectObject(surface, previous);
        DeleteObject(bitmap);
        DeleteDC(surface);
    }
    EndPaint(window_, &paint);
}

void CommandButton::DrawFace(HDC dc, int width, int height) const
{
    const RECT area = {0, 0, width, height};
    FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
    if (face_ == CommandFace::None)
        return;

    const auto ends = GradientEnds(data_.state.HoverShade);
    TRIVERTEX vertices[2] = {
        {0, 0, ends.first.red, ends.first.green, ends.first.blue, 0},
        {width - 1, height - 1, ends.second.red, ends.second.green, ends.second.blue, 0},
    };
    GRADIENT_RECT rectangle = {1, 0};
    GradientFill(dc, vertices, 2, &rectangle, 1, GRADIENT_FILL_RECT_V);

    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, pictures_[static_cast<size_t>(face_) - 1]);
    SetStretchBltMode(dc, COLORONCOLOR);
    for (const FacePiece& piece : FacePieces(width, height))
        StretchBlt(dc, piece.left, piece.top, piece.width, piece.height, source, piece.sourceLeft,
                   piece.sourceTop, piece.sourceWidth, piece.sourceHeight, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

void CommandButton::DrawParent(HDC dc) const
{
    // What the parent shows under the button, as it would paint it.
    HWND parent = GetParent(window_);
    POINT origin = {0, 0};
    MapWindowPoints(window_, parent, &origin, 1);
    POINT previous;
    SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

void CommandButton::DrawCaption(HDC dc, int width, int height) const
{
    HGDIOBJ previous = SelectObject(dc, font_);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    const int top = CaptionTop(height, metrics.tmHeight);
    RECT place = {0, top, width, top + metrics.tmHeight};
    SetBkMode(dc, TRANSPARENT);
    // Only a disabled button shows the Disable face (command_properties.h),
    // and its caption is greyed with it.
    SetTextColor(dc, face_ == CommandFace::Disable ? GetSysColor(COLOR_GRAYTEXT)
                                                   : CaptionColour(data_.fontColour));
    const std::wstring caption = Caption();
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &place,
              DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous);
}

LRESULT CommandButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers it all
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    // The window text is the caption, for screen readers and the like.
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(AnsiFromUtf8(data_.caption).size());
    case WM_GETTEXT: {
        if (wParam == 0 || lParam == 0)
            return 0;
        const std::string text = AnsiFromUtf8(data_.caption);
        const size_t length = std::min<size_t>(text.size(), wParam - 1);
        char* buffer = reinterpret_cast<char*>(lParam);
        std::copy_n(text.data(), length, buffer);
        buffer[length] = '\0';
        return static_cast<LRESULT>(length);
    }
    case WM_SIZE:
        Apply(ShowEnabled(data_.state));
        return 0;
    case WM_TIMER:
        // Any process can post a WM_TIMER: only ours, once started, counts.
        if (wParam == kHoverTimer && polling_)
            PollPointer();
        return 0;
    case WM_MOUSEMOVE:
        Apply(CommandMouseMove(data_.state));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (data_.state.Enabled) {
            // As a push button: the focus on a left press, and the pointer
            // followed until the buttons are released.
            if (message == WM_LBUTTONDOWN)
                SetFocus(window_);
            SetCapture(window_);
        }
        Apply(CommandMouseDown(data_.state, ButtonOf(message)));
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) && GetCapture() == window_)
            ReleaseCapture();
        Apply(CommandMouseUp(data_.state, ButtonOf(message)));
        return 0;
    case WM_SETFOCUS:
        Apply(CommandFocusGained(data_.state));
        return 0;
    case WM_KILLFOCUS:
        Apply(CommandFocusLost(data_.state));
        return 0;
    default:
        return DefWindowProcA(window_, message, wParam, lParam);
    }
}

LRESULT CommandButton::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    window_ = window;
    if (message == WM_NCDESTROY) {
        // Gone (destroyed with its parent): forget it.
        window_ = nullptr;
        polling_ = false;
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return OnMessage(message, wParam, lParam);
}
