// The push button under Wine: its faces read back from its window, the real
// pointer moved over it and away, clicks with real input.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>

#include "command_button.h"
#include "picture_surface.h"
#include "resource_ids.h"

namespace {

const char kFormClass[] = "CommandButtonTestForm";
const COLORREF kFormColour = RGB(0, 128, 64);
constexpr int kFormX = 200;
constexpr int kFormY = 150;
constexpr int kLeft = 20;
constexpr int kTop = 30;
constexpr int kWidth = 120;
constexpr int kHeight = 60;
const POINT kAway = {5, 5}; // over the desktop
constexpr DWORD kTimeoutMs = 3000;

// Runs this thread's messages until `done` or the time is up.
// Every channel of `pixel` is within [low, high].
bool Between(COLORREF pixel, int low, int high)
{
    for (int channel : {GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)}) {
        if (channel < low || channel > high)
            return false;
    }
    return true;
}

bool Black(COLORREF pixel)
{
    return Between(pixel, 0, 60);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kTimeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (done())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void Pump(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

void SendButton(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

testing::AssertionResult Near(COLORREF pixel, COLORREF expected, int tolerance)
{
    if (std::abs(GetRValue(pixel) - GetRValue(expected)) <= tolerance &&
        std::abs(GetGValue(pixel) - GetGValue(expected)) <= tolerance &&
        std::abs(GetBValue(pixel) - GetBValue(expected)) <= tolerance)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "(" << int{GetRValue(pixel)} << ", " << int{GetGValue(pixel)} << ", "
           << int{GetBValue(pixel)} << ") is not within " << tolerance << " of ("
           << int{GetRValue(expected)} << ", " << int{GetGValue(expected)} << ", "
           << int{GetBValue(expected)} << ")";
}

// The button's client area as it is on screen once its paint has run.
class Shot {
public:
    explicit Shot(HWND button) : button_(button)
    {
        UpdateWindow(button_);
        dc_ = GetDC(button_);
    }
    Shot(const Shot&) = delete;
    Shot& operator=(const Shot&) = delete;
    ~Shot() { ReleaseDC(button_, dc_); }

    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

    // The 4-pixel corners are the face picture's own, pixel for pixel.
    testing::AssertionResult CornersOf(int pictureId) const
    {
        const PictureSurface picture(pictureId);
        for (int y : {0, 1, 2, 3, kHeight - 4, kHeight - 3, kHeight - 2, kHeight - 1}) {
            for (int x : {0, 1, 2, 3, kWidth - 4, kWidth - 3, kWidth - 2, kWidth - 1}) {
                const int pictureX = x < 4 ? x : x - kWidth + picture.Width();
                const int pictureY = y < 4 ? y : y - kHeight + picture.Height();
                const COLORREF expected = GetPixel(picture.Dc(), pictureX, pictureY);
                if (At(x, y) != expected)
                    return testing::AssertionFailure()
                           << "pixel (" << x << ", " << y << ") is " << std::hex << At(x, y)
                           << ", the picture's " << expected;
            }
        }
        return testing::AssertionSuccess();
    }

    // The bottom edge in the middle shows the orange inner ring of the
    // highlight.
    bool OrangeRing() const
    {
        for (int y = kHeight - 4; y < kHeight; ++y) {
            const COLORREF pixel = At(kWidth / 2, y);
            if (GetRValue(pixel) > 200 && GetGValue(pixel) > 120 && GetGValue(pixel) < 200 &&
                GetBValue(pixel) < 80)
                return true;
        }
        return false;
    }

    // Whether a pixel inside the frame, where the caption is, passes `test`.
    bool AnyInside(const std::function<bool(COLORREF)>& test) const
    {
        for (int y = 4; y < kHeight - 4; ++y) {
            for (int x = 4; x < kWidth - 4; ++x) {
                if (test(At(x, y)))
                    return true;
            }
        }
        return false;
    }

private:
    HWND button_;
    HDC dc_;
};

// The gradient in a column clear of the caption, just inside the frame, at
// the top row (4) and the bottom row (kHeight - 5) of the centre. The fill
// runs from row 0 to row kHeight - 1: these rows are 4/59 of the way from
// either end.
constexpr int kGradientX = 10;
const COLORREF kNearWhite = RGB(251, 251, 252);
const COLORREF kNearShade = RGB(202, 201, 218); // (198, 197, 215) at the end
constexpr bool kWhiteOnTop = true;

testing::AssertionResult Gradient(const Shot& shot, bool whiteOnTop)
{
    testing::AssertionResult top =
        Near(shot.At(kGradientX, 4), whiteOnTop ? kNearWhite : kNearShade, 4);
    if (!top)
        return top << " at the top";
    testing::AssertionResult bottom =
        Near(shot.At(kGradientX, kHeight - 5), whiteOnTop ? kNearShade : kNearWhite, 4);
    if (!bottom)
        return bottom << " at the bottom";
    return bottom;
}

class CommandButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        static const bool registered = [] {
            WNDCLASSA formClass = {};
            formClass.lpfnWndProc = DefWindowProcA;
            formClass.hInstance = GetModuleHandleA(nullptr);
            formClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
            formClass.hbrBackground = CreateSolidBrush(kFormColour);
            formClass.lpszClassName = kFormClass;
            return RegisterClassA(&formClass) != 0;
        }();
        ASSERT_TRUE(registered);
        SetCursorPos(kAway.x, kAway.y);
        form_ = CreateWindowExA(0, kFormClass, "Command button test", WS_POPUP, kFormX, kFormY, 300,
                                200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(form_, nullptr);
        button_ = std::make_unique<CommandButton>(form_, kLeft, kTop, kWidth, kHeight, L"Command",
                                                  nullptr, [this] { ++clicks_; });
        ASSERT_NE(button_->Window(), nullptr);
        ShowWindow(form_, SW_SHOW);
        SetForegroundWindow(form_);
        UpdateWindow(form_);
        Pump(200);
    }

    void TearDown() override
    {
        button_.reset();
        DestroyWindow(form_);
        Pump(50);
    }

    POINT Centre() const
    {
        POINT centre = {kWidth / 2, kHeight / 2};
        ClientToScreen(button_->Window(), &centre);
        return centre;
    }

    // Moves the real pointer and lets the messages it brings run.
    bool MoveOver()
    {
        const POINT centre = Centre();
        SetCursorPos(centre.x, centre.y);
        return PumpUntil([this] { return button_->State().State == kStateHighLight; });
    }

    HWND form_ = nullptr;
    std::unique_ptr<CommandButton> button_;
    int clicks_ = 0;
};

TEST_F(CommandButtonTest, ShowsTheNormalFaceOverTheGradientWithItsCaption)
{
    EXPECT_TRUE(button_->Enabled());
    EXPECT_EQ(button_->State().State, kStateCreated);
    const Shot shot(button_->Window());
    EXPECT_TRUE(shot.CornersOf(IDB_FACE_NORMAL));
    EXPECT_TRUE(Gradient(shot, kWhiteOnTop));
    EXPECT_TRUE(shot.AnyInside(Black)) << "a black caption";
    EXPECT_FALSE(shot.OrangeRing());
}

TEST_F(CommandButtonTest, PointerOverShowsTheHighlightUntilTheNextPollAfterItLeaves)
{
    button_->Initialize();
    // Wine brings the window under the moved pointer its WM_MOUSEMOVE.
    ASSERT_TRUE(MoveOver());
    {
        const Shot shot(button_->Window());
        EXPECT_TRUE(shot.CornersOf(IDB_FACE_HIGHLIGHT));
        EXPECT_TRUE(shot.OrangeRing());
        EXPECT_TRUE(Gradient(shot, !kWhiteOnTop));
    }
    // Staying over it, the poll keeps the highlight.
    Pump(250);
    EXPECT_EQ(button_->State().State, kStateHighLight);

    // Away: only the 100 ms poll notices.
    SetCursorPos(kAway.x, kAway.y);
    const DWORD left = GetTickCount();
    ASSERT_TRUE(PumpUntil([this] { return button_->State().State == kStateNormal; }));
    const DWORD elapsed = GetTickCount() - left;
    EXPECT_LE(elapsed, 300u);
    const Shot shot(button_->Window());
    EXPECT_TRUE(shot.CornersOf(IDB_FACE_NORMAL));
    EXPECT_FALSE(shot.OrangeRing());
    EXPECT_TRUE(Gradient(shot, kWhiteOnTop));
}

TEST_F(CommandButtonTest, BeforeInitializeThePointerChangesNothing)
{
    const POINT centre = Centre();
    SetCursorPos(centre.x, centre.y);
    Pump(300);
    EXPECT_EQ(button_->State().State, kStateCreated);
    EXPECT_TRUE(Shot(button_->Window()).CornersOf(IDB_FACE_NORMAL));
}

TEST_F(CommandButtonTest, LeftClickTakesTheFocusPressesAndClicks)
{
    button_->Initialize();
    ASSERT_TRUE(MoveOver());
    SendButton(MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(PumpUntil([this] { return button_->State().ButtonHeld != 0; }));
    EXPECT_EQ(GetFocus(), button_->Window());
    EXPECT_EQ(button_->State().State, kStateHighLightSelect);
    EXPECT_TRUE(Shot(button_->Window()).CornersOf(IDB_FACE_PRESSED));
    EXPECT_EQ(clicks_, 0);

    SendButton(MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([this] { return clicks_ == 1; }));
    EXPECT_TRUE(Shot(button_->Window()).CornersOf(IDB_FACE_HIGHLIGHT));

    // Focused, the pointer away: Selected.
    SetCursorPos(kAway.x, kAway.y);
    ASSERT_TRUE(PumpUntil([this] { return button_->State().State == kStateSelected; }));
    EXPECT_TRUE(Shot(button_->Window()).CornersOf(IDB_FACE_SELECTED));
    Pump(200);
    EXPECT_EQ(clicks_, 1);
}

TEST_F(CommandButtonTest, DisabledButtonShowsItsFaceGreyedAndNeverClicks)
{
    button_->Initialize();
    button_->SetEnabled(false);
    EXPECT_FALSE(button_->Enabled());
    {
        const Shot shot(button_->Window());
        EXPECT_TRUE(shot.CornersOf(IDB_FACE_DISABLE));
        // Grey text over the gradient, whose darkest is (198, 197, 215).
        EXPECT_FALSE(shot.AnyInside([](COLORREF pixel) { return Between(pixel, 0, 100); }));
        EXPECT_TRUE(shot.AnyInside([](COLORREF pixel) { return Between(pixel, 100, 170); }));
    }

    const POINT centre = Centre();
    SetCursorPos(centre.x, centre.y);
    SendButton(MOUSEEVENTF_LEFTDOWN);
    SendButton(MOUSEEVENTF_LEFTUP);
    Pump(300);
    // Messages posted by anyone else reach it, and change nothing either.
    PostMessageA(button_->Window(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    PostMessageA(button_->Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(button_->Window(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    PostMessageA(button_->Window(), WM_SETFOCUS, 0, 0);
    Pump(300);
    EXPECT_EQ(clicks_, 0);
    EXPECT_NE(GetFocus(), button_->Window());
    EXPECT_EQ(button_->State().State, kStateNormal);
    EXPECT_TRUE(Shot(button_->Window()).CornersOf(IDB_FACE_DISABLE));

    // Enabled again, it clicks once a move has shown it the pointer (pressed
    // without one, it would take the focus as Selected, and Selected raises
    // no Click).
    button_->SetEnabled(true);
    EXPECT_TRUE(Shot(button_->Window()).CornersOf(IDB_FACE_NORMAL));
    SetCursorPos(centre.x + 5, centre.y);
    ASSERT_TRUE(PumpUntil([this] { return button_->State().State == kStateHighLight; }));
    SendButton(MOUSEEVENTF_LEFTDOWN);
    SendButton(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(PumpUntil([this] { return clicks_ == 1; }));
}

TEST_F(CommandButtonTest, WithoutItsFaceOnlyTheCaptionShowsOverTheParent)
{
    button_->SetVisible(0);
    EXPECT_EQ(button_->Visible(), 0);
    {
        const Shot shot(button_->Window());
        EXPECT_EQ(shot.At(0, 0), kFormColour);
        EXPECT_EQ(shot.At(kGradientX, 4), kFormColour);
        EXPECT_TRUE(shot.AnyInside(Black)) << "the caption still shows";
    }
    button_->SetVisible(1);
    EXPECT_EQ(button_->Visible(), 255);
    const Shot shot(button_->Window());
    EXPECT_TRUE(shot.CornersOf(IDB_FACE_NORMAL));
    EXPECT_TRUE(Gradient(shot, kWhiteOnTop));
}

LOGFONTW LogicalFont(HFONT font)
{
    LOGFONTW logical = {};
    GetObjectW(font, sizeof logical, &logical);
    return logical;
}

TEST_F(CommandButtonTest, StoredPropertiesCarryCaptionFontAndColourToAnotherButton)
{
    // In the container's font (here the default GUI font) nothing is stored.
    PropertyStore plain;
    button_->WriteProperties(plain);
    EXPECT_EQ(plain.Read("font", ""), "");

    button_->SetCaption(L"設定");
    EXPECT_EQ(button_->Caption(), L"設定");
    button_->SetFontColour(RGB(255, 0, 0));
    EXPECT_EQ(button_->FontColour(), RGB(255, 0, 0));
    // The button keeps a font of its own.
    HFONT bold =
        CreateFontW(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
    button_->SetFont(bold);
    DeleteObject(bold);
    PropertyStore store;
    button_->WriteProperties(store);
    EXPECT_EQ(store.Read("caption", ""), "\xE8\xA8\xAD\xE5\xAE\x9A");
    EXPECT_EQ(store.Read("font", ""), "12,700,0,0,0,1,Tahoma");
    EXPECT_EQ(store.Read("fontcolour", ""), "255");

    CommandButton copy(form_, kLeft, kTop + kHeight + 10, kWidth, kHeight, L"", nullptr, [] {});
    copy.SetCaption(L"Command");
    copy.ReadProperties(store);
    EXPECT_EQ(copy.Caption(), L"設定");
    EXPECT_EQ(copy.FontColour(), RGB(255, 0, 0));
    const LOGFONTW font = LogicalFont(copy.Font());
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Tahoma");
    EXPECT_EQ(font.lfHeight, -16);
    EXPECT_EQ(font.lfWeight, FW_BOLD);

    // A red caption in ASCII, whatever fonts the session has.
    copy.SetCaption(L"Command");
    EXPECT_TRUE(Shot(copy.Window()).AnyInside([](COLORREF pixel) {
        return GetRValue(pixel) > 200 && GetGValue(pixel) < 60 && GetBValue(pixel) < 60;
    }));
}

} // namespace
