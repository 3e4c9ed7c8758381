#include "settings_dialog.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <array>
#include <functional>
#include <utility>

#include "command_button.h"
#include "dialog_layout.h"
#include "dialog_rules.h"
#include "form.h"
#include "handoff.h"
#include "picture_surface.h"
#include "resource_ids.h"
#include "saver_helpers.h"
#include "settings.h"
#include "text_encoding.h"
#include "user_language.h"
#include "window_class.h"

namespace {

const char kPanelClass[] = "RaivelPanel";

// The open list below the track box.
constexpr int kRepeatListHeight = 160;
constexpr int kLastTrack = 30;
// The file chooser's buffers.
constexpr DWORD kPathBuffer = 255;

// A font as the layout names it: Windows' message font, or a face.
HFONT CreateChosenFont(const FontChoice& choice, bool underline)
{
    if (choice.messageFont) {
        NONCLIENTMETRICSW metrics = {};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        metrics.lfMessageFont.lfUnderline = underline;
        return CreateFontIndirectW(&metrics.lfMessageFont);
    }
    return CreateFontW(-choice.pixels, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE,
                       choice.shiftJis ? SHIFTJIS_CHARSET : DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       WideFromUtf8(choice.face).c_str());
}

class Font {
public:
    explicit Font(const FontChoice& choice, bool underline = false)
        : handle_(CreateChosenFont(choice, underline))
    {
    }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font() { DeleteObject(handle_); }

    HFONT Handle() const { return handle_; }

private:
    HFONT handle_;
};

HWND Child(const wchar_t* className, DWORD style, const Place& place, HWND parent, HFONT font,
           const char* text = "")
{
    HWND child = CreateWindowExW(0, className, WideFromUtf8(text).c_str(),
                                 WS_CHILD | WS_VISIBLE | style, place.x, place.y, place.width,
                                 place.height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// The editable track box, its closed part as high as `place` whatever the
// font makes of it. Wine takes the field height it is given 2 pixels higher
// than it reports it: a second pass corrects that.
HWND CreateRepeatBox(const Place& place, HWND panel, HFONT font)
{
    HWND box =
        Child(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN,
              {place.x, place.y, place.width, place.height + kRepeatListHeight}, panel, font);
    for (int pass = 0; pass < 2; ++pass) {
        RECT closed;
        GetWindowRect(box, &closed);
        const LONG height = closed.bottom - closed.top;
        if (height == place.height)
            break;
        const LRESULT field = SendMessageW(box, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field + place.height - height);
    }
    return box;
}

// A Command button where the layout places it, showing its label.
CommandButton MakeButton(HWND parent, const Label& label, HFONT ambientFont,
                         std::function<void()> onClick)
{
    return {parent,
            label.place.x,
            label.place.y,
            label.place.width,
            label.place.height,
            WideFromUtf8(label.text),
            ambientFont,
            std::move(onClick)};
}

// The program's icon in the size the system metric `size` gives.
HICON Icon(int size)
{
    const int pixels = GetSystemMetrics(size);
    return static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_RAIVEL),
                                         IMAGE_ICON, pixels, pixels, LR_SHARED));
}

class SettingsDialog : public Form {
public:
    explicit SettingsDialog(const std::string& programFolder);

    // Places, fills and shows the dialog.
    void Load();
    // Tab and Shift+Tab: the focus moves along the focus order, past
    // disabled controls. Whether `message` was such a key.
    bool MoveFocus(const MSG& message);

protected:
    void OnQueryUnload() override;
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnPanelMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
    HWND CreatePanel();

    void PaintBand(HDC dc);
    void TilePanel(HDC dc);
    void ShowKind();
    void ChooseFile();
    void Store();
    void OpenGuide();
    void Animate(bool opening);

    std::string programFolder_;
    const DialogLayout& layout_ = DialogLayoutFor(UserLanguage());
    Font font_{layout_.font};
    Font linkFont_{layout_.font, true};
    Font panelFont_{layout_.panelFont};
    PictureSurface tile_{IDB_TILE};
    PictureSurface unselected_{IDB_RADIO_OFF};
    PictureSurface selected_{IDB_RADIO_ON};
    HCURSOR hand_ = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDC_HAND_LINK));
    POINT animationPoint_ = {};
    int selectedKind_ = -1; // the indicator shown selected
    std::array<HWND, 3> indicators_ = {};
    std::array<HWND, 3> kindCaptions_ = {};
    HWND fileName_ = nullptr;
    HWND link_ = nullptr;
    // In the order of the keyboard focus.
    HWND panel_;
    HWND repeat_;
    CommandButton file_;
    CommandButton set_;
    CommandButton cancel_;
};

SettingsDialog::SettingsDialog(const std::string& programFolder)
    : Form(kSettingsCaption, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU),
      programFolder_(programFolder), panel_(CreatePanel()),
      repeat_(CreateRepeatBox(layout_.repeatBox, panel_, panelFont_.Handle())),
      file_(MakeButton(panel_, layout_.fileButton, panelFont_.Handle(), [this] { ChooseFile(); })),
      set_(MakeButton(Window(), layout_.set, nullptr, [this] { Store(); })),
      cancel_(MakeButton(Window(), layout_.cancel, nullptr,
                         [this] { PostMessageW(Window(), WM_CLOSE, 0, 0); }))
{
    // The buttons are placed in their container's font (the form has none
    // of its own) and take the dialog's.
    for (CommandButton* button : {&file_, &set_, &cancel_})
        button->SetFont(font_.Handle());
    SetClientSize(layout_.clientWidth, layout_.clientHeight);
    SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon(SM_CXICON)));
    SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon(SM_CXSMICON)));

    const HFONT font = font_.Handle();
    Child(L"STATIC", SS_CENTER, layout_.heading.place, panel_, font, layout_.heading.text);
    for (size_t kind = 0; kind < layout_.kinds.size(); ++kind) {
        const Label& caption = layout_.kinds[kind];
        indicators_[kind] =
            Child(L"STATIC", SS_OWNERDRAW, layout_.indicators[kind], panel_, nullptr);
        kindCaptions_[kind] =
            Child(L"STATIC", SS_LEFT, caption.place, panel_, panelFont_.Handle(), caption.text);
    }
    Child(L"STATIC", SS_LEFT, layout_.repeatCaption.place, panel_, font,
          layout_.repeatCaption.text);
    fileName_ = Child(L"STATIC", SS_LEFT | SS_NOPREFIX | WS_BORDER, layout_.fileName, panel_, font);
    Child(L"STATIC", SS_LEFT, layout_.author.place, Window(), font, layout_.author.text);
    link_ = Child(L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, layout_.link.place, Window(),
                  linkFont_.Handle(), layout_.link.text);
}

HWND SettingsDialog::CreatePanel()
{
    static const bool registered = RegisterWindowClass(
        kPanelClass, OwnedWindowProc<SettingsDialog, &SettingsDialog::OnPanelMessage>);
    (void)registered;
    const Place& place = layout_.panel;
    HWND panel = CreateWindowExA(WS_EX_CLIENTEDGE, kPanelClass, "",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP, place.x, place.y, place.width,
                                 place.height, Window(), nullptr, GetModuleHandleA(nullptr), this);
    SendMessageW(panel, WM_SETFONT, reinterpret_cast<WPARAM>(panelFont_.Handle()), FALSE);
    return panel;
}

void SettingsDialog::Load()
{
    RECT outer;
    GetWindowRect(Window(), &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    SetWindowPos(Window(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 3, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (CommandButton* button : {&file_, &set_, &cancel_})
        button->Initialize();

    SetWindowTextA(repeat_, TrackText(BgmRepeatTrack).c_str());
    for (int track = 0; track <= kLastTrack; ++track)
        SendMessageA(repeat_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TrackText(track).c_str()));
    ShowKind();
    SetWindowTextA(fileName_, BgmFile.c_str());

    if (!GetCursorPos(&animationPoint_))
        animationPoint_ = {};
    Animate(true);
    ShowWindow(Window(), SW_SHOWNORMAL);
    SetFocus(panel_);
}

bool SettingsDialog::MoveFocus(const MSG& message)
{
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB)
        return false;
    const std::array<HWND, 5> order = {panel_, repeat_, file_.Window(), set_.Window(),
                                       cancel_.Window()};
    // The track box's edit field has the focus for it.
    const HWND focus = GetFocus();
    size_t at = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        if (focus == order[i] || GetParent(focus) == order[i])
            at = i;
    }
    const size_t step = GetKeyState(VK_SHIFT) < 0 ? order.size() - 1 : 1;
    for (size_t next = (at + step) % order.size(); next != at;
         next = (next + step) % order.size()) {
        if (IsWindowEnabled(order[next])) {
            SetFocus(order[next]);
            break;
        }
    }
    return true;
}

void SettingsDialog::OnQueryUnload()
{
    Animate(false);
    DestroyWindow(Window());
}

LRESULT SettingsDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        PaintBand(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_CTLCOLORSTATIC: {
        // The author line and the link, white on the band.
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkMode(dc, TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
    }
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == link_) {
            SetCursor(hand_);
            return TRUE;
        }
        break;
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == link_ && HIWORD(wParam) == STN_CLICKED) {
            OpenGuide();
            return 0;
        }
        break;
    default:
        break;
    }
    return Form::OnMessage(message, wParam, lParam);
}

LRESULT SettingsDialog::OnPanelMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        TilePanel(reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: {
        // The frame of the heading.
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(panel, &paint);
        const Place& place = layout_.headingFrame;
        const RECT frame = {place.x, place.y, place.x + place.width, place.y + place.height};
        FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        EndPaint(panel, &paint);
        return 0;
    }
    case WM_CTLCOLORSTATIC:
        // Our labels, black on the tiles; the track box keeps its colours.
        if (reinterpret_cast<HWND>(lParam) != repeat_) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, RGB(0, 0, 0));
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetStockObject(HOLLOW_BRUSH));
        }
        break;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        for (size_t kind = 0; kind < indicators_.size(); ++kind) {
            if (item->hwndItem != indicators_[kind])
                continue;
            const PictureSurface& picture =
                static_cast<int>(kind) == selectedKind_ ? selected_ : unselected_;
            BitBlt(item->hDC, 0, 0, picture.Width(), picture.Height(), picture.Dc(), 0, 0, SRCCOPY);
        }
        return TRUE;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        // The labels let the mouse through to the panel: a press on a kind's
        // indicator or caption chooses that kind.
        const POINT point = {static_cast<short>(LOWORD(lParam)),
                             static_cast<short>(HIWORD(lParam))};
        HWND child = ChildWindowFromPointEx(panel, point, CWP_SKIPINVISIBLE);
        for (size_t kind = 0; kind < indicators_.size(); ++kind) {
            if (child == indicators_[kind] || child == kindCaptions_[kind]) {
                BgmKind = static_cast<int16_t>(kind);
                ShowKind();
            }
        }
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(panel, message, wParam, lParam);
}

void SettingsDialog::PaintBand(HDC dc)
{
    RECT client;
    GetClientRect(Window(), &client);
    const HGDIOBJ previous = SelectObject(dc, GetStockObject(DC_PEN));
    for (int row = 0; row <= client.bottom; ++row) {
        const int level = BandLevel(row, client.bottom);
        SetDCPenColor(dc, RGB(level, level, level + 30));
        MoveToEx(dc, 0, row, nullptr);
        LineTo(dc, client.right, row);
    }
    SelectObject(dc, previous);
}

void SettingsDialog::TilePanel(HDC dc)
{
    // From the top-left corner, down each column and on to the next, until
    // past the panel's outer size.
    RECT outer;
    GetWindowRect(panel_, &outer);
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    for (int x = 0;; x += tile_.Width()) {
        for (int y = 0;; y += tile_.Height()) {
            BitBlt(dc, x, y, tile_.Width(), tile_.Height(), tile_.Dc(), 0, 0, SRCCOPY);
            if (y > height)
                break;
        }
        if (x > width)
            break;
    }
}

void SettingsDialog::ShowKind()
{
    const KindControls controls = ControlsForKind(BgmKind);
    EnableWindow(repeat_, controls.repeatEnabled);
    file_.SetEnabled(controls.fileButtonEnabled);
    selectedKind_ = controls.selectedIndicator;
    for (HWND indicator : indicators_)
        InvalidateRect(indicator, nullptr, FALSE);
}

void SettingsDialog::ChooseFile()
{
    // The title and the filter's name through the wide function, whatever
    // the system's code page; the paths stay in the code page, as the
    // settings file keeps them.
    const std::wstring filter =
        WideFromUtf8(layout_.chooserFilter) + L'\0' + L"*.MP3;*.WAV" + L'\0';
    const std::wstring title = WideFromUtf8(layout_.chooserTitle);
    const std::wstring folder = WideFromAnsi(BgmFolder);
    std::wstring file(kPathBuffer, L'\0');
    std::wstring fileTitle(kPathBuffer, L'\0');
    OPENFILENAMEW chooser = {};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = Window();
    chooser.hInstance = GetModuleHandleW(nullptr);
    chooser.lpstrFilter = filter.c_str();
    chooser.lpstrFile = &file[0];
    chooser.nMaxFile = kPathBuffer;
    chooser.lpstrFileTitle = &fileTitle[0];
    chooser.nMaxFileTitle = kPathBuffer;
    chooser.lpstrInitialDir = folder.c_str();
    chooser.lpstrTitle = title.c_str();
    ApiResult = GetOpenFileNameW(&chooser);
    const std::string chosen = AnsiFromWide(file.c_str());
    // A path longer in the code page than the buffer the settings file is
    // read into is refused, as the ANSI chooser refused it.
    if (ApiResult <= 0 || chosen.size() >= kPathBuffer)
        return;
    BgmFile = chosen;
    SetWindowTextA(fileName_, BgmFile.c_str());
    // The label lets its background show: the panel paints it anew.
    RECT label;
    GetWindowRect(fileName_, &label);
    MapWindowPoints(nullptr, panel_, reinterpret_cast<POINT*>(&label), 2);
    RedrawWindow(panel_, &label, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    BgmFolder = FolderOf(BgmFile);
}

void SettingsDialog::Store()
{
    std::string text(static_cast<size_t>(GetWindowTextLengthA(repeat_)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(repeat_, &text[0], static_cast<int>(text.size()))));
    BgmRepeatTrack = TrackFromText(text);
    SaveSettings(programFolder_);
    PostMessageW(Window(), WM_CLOSE, 0, 0);
}

void SettingsDialog::OpenGuide()
{
    const HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const std::string guide = programFolder_ + "\\" + layout_.guideFile;
    ShellExecuteA(Window(), "open", guide.c_str(), "", "", SW_SHOWNORMAL);
    SetCursor(previous);
}

void SettingsDialog::Animate(bool opening)
{
    RECT window;
    GetWindowRect(Window(), &window);
    const RECT point = {animationPoint_.x, animationPoint_.y, animationPoint_.x, animationPoint_.y};
    DrawAnimatedRects(Window(), IDANI_CAPTION, opening ? &point : &window,
                      opening ? &window : &point);
}

} // namespace

void ShowSettingsDialog(const std::string& programFolder)
{
    SettingsDialog dialog(programFolder);
    dialog.Load();
    MSG message;
    while (dialog.Window() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (dialog.MoveFocus(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
