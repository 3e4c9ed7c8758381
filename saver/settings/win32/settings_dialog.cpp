#include "settings_dialog.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <array>

#include "command_button.h"
#include "dialog_rules.h"
#include "form.h"
#include "handoff.h"
#include "picture_surface.h"
#include "resource_ids.h"
#include "saver_helpers.h"
#include "settings.h"
#include "text_encoding.h"
#include "window_class.h"

namespace {

// The link opens Raivel's guide, the README.txt that ships beside the
// programs, with the system's viewer for text files.
const char kGuideFile[] = "README.txt";
const char kGuideCaption[] = "Raivel's guide (README.txt)";
const char kPanelClass[] = "RaivelPanel";

constexpr int kClientWidth = 496;
constexpr int kClientHeight = 246;
// The dialog's fonts, 9.75 and 8.25 points at 96 dpi.
constexpr int kJapaneseFontPixels = 13;
constexpr int kPanelFontPixels = 11;
// The track box: its closed height and the height of its open list.
constexpr int kRepeatHeight = 20;
constexpr int kRepeatListHeight = 160;
constexpr int kLastTrack = 30;
// The file chooser's buffers.
constexpr DWORD kPathBuffer = 255;

// The music kinds' rows in the panel, by kind: indicator at (28, y), caption
// at (44, y).
struct KindRow {
    int y;
    int captionWidth;
    const wchar_t* caption;
};
const std::array<KindRow, 3> kKindRows = {{
    {76, 22, L"なし"},
    {56, 43, L"音楽CD"},
    {96, 60, L"MP3、WAV"},
}};

class Font {
public:
    Font(const wchar_t* face, int pixels, BYTE charset, bool underline = false)
        : handle_(CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, underline, FALSE, charset,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, face))
    {
    }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    ~Font() { DeleteObject(handle_); }

    HFONT Handle() const { return handle_; }

private:
    HFONT handle_;
};

HWND Child(const wchar_t* className, DWORD style, int x, int y, int width, int height, HWND parent,
           HFONT font, const wchar_t* text = L"")
{
    HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                 height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

// The editable track box, its closed part kRepeatHeight high whatever the
// font makes of it. Wine takes the field height it is given 2 pixels higher
// than it reports it: a second pass corrects that.
HWND CreateRepeatBox(HWND panel, HFONT font)
{
    HWND box = Child(L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, 112, 52, 41,
                     kRepeatHeight + kRepeatListHeight, panel, font);
    for (int pass = 0; pass < 2; ++pass) {
        RECT closed;
        GetWindowRect(box, &closed);
        const LONG height = closed.bottom - closed.top;
        if (height == kRepeatHeight)
            break;
        const LRESULT field = SendMessageW(box, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
        SendMessageW(box, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                     field + kRepeatHeight - height);
    }
    return box;
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
    Font japaneseFont_{L"ＭＳ Ｐゴシック", kJapaneseFontPixels, SHIFTJIS_CHARSET};
    Font linkFont_{L"ＭＳ Ｐゴシック", kJapaneseFontPixels, SHIFTJIS_CHARSET, true};
    Font panelFont_{L"Tahoma", kPanelFontPixels, DEFAULT_CHARSET};
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
      repeat_(CreateRepeatBox(panel_, panelFont_.Handle())),
      file_(panel_, 112, 92, 41, 21, L"...", panelFont_.Handle(), [this] { ChooseFile(); }),
      set_(Window(), 324, 200, 77, 25, L"設定", nullptr, [this] { Store(); }),
      cancel_(Window(), 404, 200, 77, 25, L"ｷｬﾝｾﾙ", nullptr,
              [this] { PostMessageW(Window(), WM_CLOSE, 0, 0); })
{
    // The buttons are placed in their container's font (the form has none
    // of its own) and take the Japanese one.
    for (CommandButton* button : {&file_, &set_, &cancel_})
        button->SetFont(japaneseFont_.Handle());
    SetClientSize(kClientWidth, kClientHeight);
    SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(Icon(SM_CXICON)));
    SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(Icon(SM_CXSMICON)));

    const HFONT japanese = japaneseFont_.Handle();
    Child(L"STATIC", SS_CENTER, 20, 24, 111, 13, panel_, japanese, L"BGM");
    for (size_t kind = 0; kind < kKindRows.size(); ++kind) {
        const KindRow& row = kKindRows[kind];
        indicators_[kind] = Child(L"STATIC", SS_OWNERDRAW, 28, row.y, 13, 13, panel_, nullptr);
        kindCaptions_[kind] = Child(L"STATIC", SS_LEFT, 44, row.y, row.captionWidth, 13, panel_,
                                    panelFont_.Handle(), row.caption);
    }
    Child(L"STATIC", SS_LEFT, 156, 56, 66, 13, panel_, japanese, L"曲目をﾘﾋﾟｰﾄ");
    fileName_ =
        Child(L"STATIC", SS_LEFT | SS_NOPREFIX | WS_BORDER, 44, 116, 409, 33, panel_, japanese);
    Child(L"STATIC", SS_LEFT, 12, 192, 165, 13, Window(), japanese,
          L"Designed by r-mosk Ver.1.0.0");
    link_ = Child(L"STATIC", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 12, 208, 219, 13, Window(),
                  linkFont_.Handle());
    SetWindowTextA(link_, kGuideCaption);
}

HWND SettingsDialog::CreatePanel()
{
    static const bool registered = RegisterWindowClass(
        kPanelClass, OwnedWindowProc<SettingsDialog, &SettingsDialog::OnPanelMessage>);
    (void)registered;
    HWND panel =
        CreateWindowExA(WS_EX_CLIENTEDGE, kPanelClass, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 12,
                        16, 469, 165, Window(), nullptr, GetModuleHandleA(nullptr), this);
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
        const RECT frame = {20, 20, 20 + 113, 20 + 21};
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
    const std::string filter = AnsiFromUtf8("BGMﾌｧｲﾙ (MP3 WAV)") + '\0' + "*.MP3;*.WAV" + '\0';
    const std::string title = AnsiFromUtf8("ﾌｧｲﾙを開く");
    std::string file(kPathBuffer, '\0');
    std::string fileTitle(kPathBuffer, '\0');
    OPENFILENAMEA chooser = {};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = Window();
    chooser.hInstance = GetModuleHandleA(nullptr);
    chooser.lpstrFilter = filter.c_str();
    chooser.lpstrFile = &file[0];
    chooser.nMaxFile = kPathBuffer;
    chooser.lpstrFileTitle = &fileTitle[0];
    chooser.nMaxFileTitle = kPathBuffer;
    chooser.lpstrInitialDir = BgmFolder.c_str();
    chooser.lpstrTitle = title.c_str();
    ApiResult = GetOpenFileNameA(&chooser);
    if (ApiResult <= 0)
        return;
    BgmFile = file.c_str();
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
    const std::string guide = programFolder_ + "\\" + kGuideFile;
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
