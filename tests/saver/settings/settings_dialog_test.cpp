// The settings dialog under Wine, driven as a user would: the dialog runs on
// a thread of its own, as start-up runs it (the settings loaded from a
// scratch program folder first), and the test finds its windows, clicks and
// types with real input and reads the settings file back.
//
// Usage: settings_dialog_test OUTPUT [gtest options]: OUTPUT (a Windows
// path) receives the screenshot of the dialog, and hands the settings file
// the dialog last wrote over to the next run, which may speak another
// language. Without a filter of its own the run takes the tests of the
// user's language.

#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "dialog_rules.h"
#include "picture_surface.h"
#include "real_input.h"
#include "resource_ids.h"
#include "scratch_folder.h"
#include "settings.h"
#include "settings_dialog.h"
#include "user_language.h"

namespace {

std::string g_output;

const char kDialogName[] = "<Raivel>";
const wchar_t kLinkCaption[] = L"Raivel's guide (README.txt)";
constexpr DWORD kTimeoutMs = 5000;
constexpr COLORREF kBandTop = RGB(0, 0, 30);

// The keys as the file holds them.
const std::string kKindLine = "BGM\x8B\xE6\x95\xAA=";
const std::string kRepeatLine = "BGM\xD8\xCB\xDF\xB0\xC4=";
const std::string kFileLine = "BGM\xCC\xA7\xB2\xD9=";

template <typename Done> bool WaitUntil(Done done, DWORD timeoutMs = kTimeoutMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(10);
    }
    return true;
}

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The file's lines without their line ends, and without the blank that
// Windows (not Wine) keeps before a number.
std::string Lines(std::string text)
{
    std::string lines;
    for (char c : text)
        if (c != '\r')
            lines += c;
    for (size_t at; (at = lines.find("= ")) != std::string::npos;)
        lines.erase(at + 1, 1);
    return lines;
}

RECT RectIn(HWND window, HWND container)
{
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, container, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ExpectPlace(HWND window, HWND container, int x, int y, int width, int height, const char* what)
{
    const RECT rect = RectIn(window, container);
    EXPECT_EQ(rect.left, x) << what;
    EXPECT_EQ(rect.top, y) << what;
    EXPECT_EQ(rect.right - rect.left, width) << what;
    EXPECT_EQ(rect.bottom - rect.top, height) << what;
}

LOGFONTW FontOf(HWND window)
{
    LOGFONTW font = {};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

// A window's text, asked of the window itself, also in another process
// (where GetWindowText gives only a caption).
std::wstring TextOf(HWND window)
{
    wchar_t text[512] = {};
    SendMessageW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

// A program folder with a settings file, and the dialog shown from it on a
// thread of its own as start-up shows it.
class SettingsDialogTest : public testing::Test {
protected:
    void SetUp() override
    {
        folder_ = ScratchFolder("settings-dialog") /
                  testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::create_directories(folder_);
        music_ = (folder_ / "rain.wav").string();
        std::ofstream(music_).put('x');
    }

    void TearDown() override
    {
        if (dialog_)
            PostMessageA(dialog_, WM_CLOSE, 0, 0);
        if (thread_.joinable())
            thread_.join();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    std::filesystem::path Ini() const { return folder_ / "Raivel.ini"; }

    void WriteSettings(int kind, int repeat, const std::string& file)
    {
        std::ofstream(Ini(), std::ios::binary) << "[Section]\r\n"
                                               << kKindLine << kind << "\r\n"
                                               << kRepeatLine << repeat << "\r\n"
                                               << kFileLine << file << "\r\n";
    }

    void Show()
    {
        thread_ = std::thread([folder = folder_.string()] {
            LoadSettings(folder);
            ShowSettingsDialog(folder);
        });
        ASSERT_TRUE(WaitUntil([&] { return (dialog_ = FindWindowA(nullptr, kDialogName)); }));
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog_) != FALSE; }));
        panel_ = FindWindowExA(dialog_, nullptr, "RaivelPanel", nullptr);
        repeat_ = FindWindowExW(panel_, nullptr, L"ComboBox", nullptr);
        ASSERT_TRUE(panel_ && repeat_);
        // Painted: the band's top row, then a moment for the controls.
        POINT corner = {0, 0};
        ClientToScreen(dialog_, &corner);
        HDC screen = GetDC(nullptr);
        EXPECT_TRUE(WaitUntil([&] { return GetPixel(screen, corner.x, corner.y) == kBandTop; }));
        ReleaseDC(nullptr, screen);
        Sleep(300);
    }

    // Whether the dialog has gone and its thread ended.
    bool Closed()
    {
        if (!WaitUntil([&] { return !IsWindow(dialog_); }))
            return false;
        thread_.join();
        dialog_ = nullptr;
        return true;
    }

    HWND Caption(const wchar_t* text) const
    {
        return FindWindowExW(panel_, nullptr, L"Static", text);
    }

    HWND FileButton() const { return FindWindowExA(panel_, nullptr, "RaivelCommand", nullptr); }

    // The window with the keyboard focus on the dialog's thread.
    HWND Focus() const
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(dialog_, nullptr), &info) ? info.hwndFocus
                                                                                   : nullptr;
    }

    // Clicks "..." and waits for the file chooser it opens; null when none
    // opened.
    HWND OpenChooser()
    {
        Click(FileButton(), {20, 10});
        HWND chooser = nullptr;
        return WaitUntil([&] {
            chooser = FindWindowA("#32770", nullptr);
            return chooser && GetWindow(chooser, GW_OWNER) == dialog_;
        })
                   ? chooser
                   : nullptr;
    }

    void ClickCaption(const wchar_t* text) { Click(Caption(text), {4, 6}); }
    void ClickIndicator(int y) { Click(panel_, {28 + 6, y + 6}); }
    void ClickSet() { Click(dialog_, {324 + 38, 200 + 12}); }
    void ClickCancel() { Click(dialog_, {404 + 38, 200 + 12}); }

    // Types `file` into the chooser's name field and accepts it; whether
    // the chooser has gone.
    bool Accept(HWND chooser, const std::string& file)
    {
        HWND name = GetDlgItem(chooser, cmb13);
        if (!name)
            name = GetDlgItem(chooser, edt1);
        if (!name)
            return false;
        SetWindowTextA(name, file.c_str());
        PostMessageA(chooser, WM_COMMAND, IDOK, 0);
        return WaitUntil([&] { return !IsWindow(chooser); });
    }

    // A click on `link` shows the guide that holds "Raivel's guide".
    void ExpectGuideOpens(HWND link)
    {
        Click(link, {4, 6});
        // Wine opens a text file in its Notepad, a program of its own.
        HWND viewer = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (viewer = FindWindowA("Notepad", nullptr)); }, 20000))
            << "nothing opened the guide";
        DWORD process = 0;
        GetWindowThreadProcessId(viewer, &process);
        EXPECT_NE(process, GetCurrentProcessId());
        EXPECT_NE(TextOf(viewer).find(L"README"), std::wstring::npos) << "viewer's title";
        HWND text = FindWindowExA(viewer, nullptr, "Edit", nullptr);
        EXPECT_TRUE(WaitUntil([&] { return TextOf(text) == L"Raivel's guide\r\n"; }))
            << "the viewer shows another file";
        PostMessageA(viewer, WM_CLOSE, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(viewer); }));
    }

    // The dialog's windows with a text, the panel's included.
    std::vector<HWND> Labelled() const
    {
        std::vector<HWND> windows;
        EnumChildWindows(
            dialog_,
            [](HWND window, LPARAM list) {
                if (!TextOf(window).empty())
                    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&windows));
        return windows;
    }

    HWND Labelled(const std::wstring& text) const
    {
        for (HWND window : Labelled()) {
            if (TextOf(window) == text)
                return window;
        }
        return nullptr;
    }

    // The settings the previous run's dialog wrote, shown and stored again
    // with Set, for the next run: the same choices in the same bytes,
    // whichever language wrote them. The first run starts from kind 1,
    // track 9 and a file beside the handover.
    void CarryOver()
    {
        const std::string handover = g_output + "\\handover.ini";
        const std::string music = g_output + "\\rain.wav";
        std::ofstream(music).put('x');
        if (std::filesystem::exists(handover))
            std::filesystem::copy_file(handover, Ini());
        else
            WriteSettings(1, 9, music);
        const std::string before = ReadAll(Ini());
        Show();
        EXPECT_TRUE(IsWindowEnabled(repeat_));
        EXPECT_FALSE(IsWindowEnabled(FileButton()));
        EXPECT_EQ(TextOf(repeat_), L"9");
        EXPECT_TRUE(FindWindowExA(panel_, nullptr, "Static", music.c_str()));
        ClickSet();
        ASSERT_TRUE(Closed());
        EXPECT_EQ(Lines(ReadAll(Ini())), Lines(before));
        std::filesystem::copy_file(Ini(), handover,
                                   std::filesystem::copy_options::overwrite_existing);
    }

    std::filesystem::path folder_;
    std::string music_;
    std::thread thread_;
    HWND dialog_ = nullptr;
    HWND panel_ = nullptr;
    HWND repeat_ = nullptr;
};

TEST_F(SettingsDialogTest, ShowsTheRecordAndLooksAsDesigned)
{
    WriteSettings(1, 7, "");
    const std::string before = ReadAll(Ini());
    Show();

    RECT client;
    GetClientRect(dialog_, &client);
    EXPECT_EQ(client.right, 496);
    EXPECT_EQ(client.bottom, 246);
    RECT outer;
    GetWindowRect(dialog_, &outer);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 3);
    EXPECT_TRUE(SendMessageW(dialog_, WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(GetWindowLongA(dialog_, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);

    ExpectPlace(panel_, dialog_, 12, 16, 469, 165, "panel");
    ExpectPlace(repeat_, panel_, 112, 52, 41, 20, "track box");
    ExpectPlace(Caption(L"音楽CD"), panel_, 44, 56, 43, 13, "CD caption");
    ExpectPlace(Caption(L"なし"), panel_, 44, 76, 22, 13, "none caption");
    ExpectPlace(Caption(L"MP3、WAV"), panel_, 44, 96, 60, 13, "file caption");
    ExpectPlace(Caption(L"曲目をﾘﾋﾟｰﾄ"), panel_, 156, 56, 66, 13, "track caption");
    HWND author = FindWindowExW(dialog_, nullptr, L"Static", L"Designed by r-mosk Ver.1.0.0");
    ExpectPlace(author, dialog_, 12, 192, 165, 13, "author");
    HWND link = FindWindowExW(dialog_, nullptr, L"Static", kLinkCaption);
    ExpectPlace(link, dialog_, 12, 208, 219, 13, "link");

    const LOGFONTW heading = FontOf(Caption(L"BGM"));
    EXPECT_EQ(std::wstring(heading.lfFaceName), L"ＭＳ Ｐゴシック");
    EXPECT_EQ(heading.lfCharSet, SHIFTJIS_CHARSET);
    EXPECT_EQ(heading.lfHeight, -13);
    EXPECT_TRUE(FontOf(link).lfUnderline);
    for (HWND button : {FileButton(), ChildWindowFromPoint(dialog_, {324 + 38, 200 + 12}),
                        ChildWindowFromPoint(dialog_, {404 + 38, 200 + 12})}) {
        EXPECT_EQ(std::wstring(FontOf(button).lfFaceName), L"ＭＳ Ｐゴシック");
        EXPECT_EQ(FontOf(button).lfHeight, -13);
    }
    EXPECT_EQ(std::wstring(FontOf(Caption(L"なし")).lfFaceName), L"Tahoma");
    EXPECT_EQ(FontOf(Caption(L"なし")).lfHeight, -11);

    // Kind 1: the CD's track box, with the stored track and the list.
    EXPECT_TRUE(IsWindowEnabled(repeat_));
    EXPECT_FALSE(IsWindowEnabled(FileButton()));
    EXPECT_EQ(TextOf(repeat_), L"7");
    ASSERT_EQ(SendMessageW(repeat_, CB_GETCOUNT, 0, 0), 31);
    wchar_t entry[8] = {};
    SendMessageW(repeat_, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(entry));
    EXPECT_EQ(std::wstring(entry), L"");
    SendMessageW(repeat_, CB_GETLBTEXT, 30, reinterpret_cast<LPARAM>(entry));
    EXPECT_EQ(std::wstring(entry), L"30");

    // The screen as the user sees it: the band on the form, the tiles in the
    // panel, the chosen indicator.
    PictureSurface shot(outer.right - outer.left, outer.bottom - outer.top);
    HDC screen = GetDC(nullptr);
    BitBlt(shot.Dc(), 0, 0, shot.Width(), shot.Height(), screen, outer.left, outer.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(shot.SaveAs(g_output + "\\settings_dialog.bmp"));
    const auto at = [&](HWND window, int x, int y) {
        POINT point = {x, y};
        ClientToScreen(window, &point);
        return GetPixel(shot.Dc(), point.x - outer.left, point.y - outer.top);
    };
    EXPECT_EQ(at(dialog_, 4, 0), kBandTop);
    const int middle = BandLevel(123, 246);
    EXPECT_EQ(at(dialog_, 4, 123), RGB(middle, middle, middle + 30));
    PictureSurface tile(IDB_TILE);
    EXPECT_EQ(at(panel_, 300, 24), GetPixel(tile.Dc(), 300, 4));
    EXPECT_EQ(at(panel_, 460, 150), GetPixel(tile.Dc(), 460, 10));
    PictureSurface chosen(IDB_RADIO_ON);
    PictureSurface other(IDB_RADIO_OFF);
    EXPECT_EQ(at(panel_, 28 + 6, 56 + 6), GetPixel(chosen.Dc(), 6, 6));
    EXPECT_EQ(at(panel_, 28 + 6, 76 + 6), GetPixel(other.Dc(), 6, 6));

    // Closed another way than by the buttons: nothing written.
    PostMessageA(dialog_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(Closed());
    EXPECT_EQ(ReadAll(Ini()), before);
}

TEST_F(SettingsDialogTest, SetStoresTheCdTrackAfterTheFileKind)
{
    WriteSettings(2, 0, music_);
    Show();
    EXPECT_FALSE(IsWindowEnabled(repeat_));
    EXPECT_TRUE(IsWindowEnabled(FileButton()));

    ClickCaption(L"音楽CD");
    ASSERT_TRUE(IsWindowEnabled(repeat_));
    EXPECT_FALSE(IsWindowEnabled(FileButton()));
    Click(repeat_, {10, 10});
    SendMessageW(repeat_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    Type("12");
    EXPECT_EQ(TextOf(repeat_), L"12");
    ClickSet();
    ASSERT_TRUE(Closed());
    // The file stays chosen though the kind changed.
    EXPECT_EQ(Lines(ReadAll(Ini())),
              "[Section]\n" + kKindLine + "1\n" + kRepeatLine + "12\n" + kFileLine + music_ + "\n");
}

TEST_F(SettingsDialogTest, CancelLeavesTheFileAsItWas)
{
    WriteSettings(1, 3, "");
    const std::string before = ReadAll(Ini());
    Show();
    ClickIndicator(76); // none
    EXPECT_FALSE(IsWindowEnabled(repeat_));
    EXPECT_FALSE(IsWindowEnabled(FileButton()));
    ClickCancel();
    ASSERT_TRUE(Closed());
    EXPECT_EQ(ReadAll(Ini()), before);
}

TEST_F(SettingsDialogTest, TheFileKindChoosesAFile)
{
    WriteSettings(0, 0, "");
    Show();
    EXPECT_FALSE(IsWindowEnabled(repeat_));

    EXPECT_FALSE(IsWindowEnabled(FileButton()));
    ClickCaption(L"MP3、WAV");
    EXPECT_FALSE(IsWindowEnabled(repeat_));
    EXPECT_TRUE(IsWindowEnabled(FileButton()));
    // Disabled while it has the focus and enabled again, the file button
    // opens the chooser at the first click.
    Type("\t");
    ASSERT_EQ(Focus(), FileButton());
    ClickCaption(L"なし");
    EXPECT_FALSE(IsWindowEnabled(FileButton()));
    ClickCaption(L"MP3、WAV");
    HWND chooser = OpenChooser();
    ASSERT_TRUE(chooser) << "the file chooser did not open";
    // In Japanese whatever the code page.
    wchar_t title[32] = {};
    GetWindowTextW(chooser, title, 32);
    EXPECT_EQ(std::wstring(title), L"ﾌｧｲﾙを開く");
    ASSERT_TRUE(Accept(chooser, music_));
    HWND fileName = FindWindowExA(panel_, nullptr, "Static", music_.c_str());
    EXPECT_TRUE(fileName) << "the label does not show the chosen file";

    ClickSet();
    ASSERT_TRUE(Closed());
    EXPECT_EQ(Lines(ReadAll(Ini())),
              "[Section]\n" + kKindLine + "2\n" + kRepeatLine + "0\n" + kFileLine + music_ + "\n");
}

TEST_F(SettingsDialogTest, TheChooserOpensInTheFolderOfAJapaneseFileName)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "a Japanese file name needs code page 932";
    // C:\曲\表示.wav, the second byte of 表 being that of '\'.
    const std::filesystem::path folder = L"C:\\曲";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / L"表示.wav").put('x');
    WriteSettings(2, 0, "C:\\\x8B\xC8\\\x95\x5C\x8E\xA6.wav");
    Show();
    HWND chooser = OpenChooser();
    ASSERT_TRUE(chooser) << "the file chooser did not open";
    // The chooser's own text is wide.
    wchar_t opened[MAX_PATH] = {};
    SendMessageW(chooser, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(opened));
    EXPECT_EQ(std::wstring(opened), L"C:\\曲");
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(chooser); }));
    // The chooser made the folder the current one.
    std::filesystem::current_path(folder_);
    std::filesystem::remove_all(folder);
}

TEST_F(SettingsDialogTest, TheLinkOpensTheGuideBesideTheProgram)
{
    WriteSettings(0, 0, "");
    std::ofstream(folder_ / "README.txt", std::ios::binary) << "Raivel's guide\r\n";
    Show();
    ExpectGuideOpens(FindWindowExW(dialog_, nullptr, L"Static", kLinkCaption));
}

TEST_F(SettingsDialogTest, TheFocusMovesInTabOrder)
{
    WriteSettings(2, 0, music_);
    Show();
    EXPECT_EQ(Focus(), panel_);
    // The track box is disabled with the file kind: the file button follows.
    const HWND order[] = {FileButton(), ChildWindowFromPoint(dialog_, {324 + 38, 200 + 12}),
                          ChildWindowFromPoint(dialog_, {404 + 38, 200 + 12})};
    for (HWND next : order) {
        Type("\t");
        EXPECT_EQ(Focus(), next);
    }
}

TEST_F(SettingsDialogTest, TheButtonsCarryTheirCaptions)
{
    if (GetACP() != 932)
        GTEST_SKIP() << "the Japanese captions need code page 932";
    WriteSettings(0, 0, "");
    Show();
    EXPECT_EQ(TextOf(FileButton()), L"...");
    EXPECT_EQ(TextOf(ChildWindowFromPoint(dialog_, {324 + 38, 200 + 12})), L"設定");
    EXPECT_EQ(TextOf(ChildWindowFromPoint(dialog_, {404 + 38, 200 + 12})), L"ｷｬﾝｾﾙ");
}

TEST_F(SettingsDialogTest, TheChoicesCarryOverLanguages)
{
    CarryOver();
}

// The dialog in English, as every Windows but a Japanese one shows it.
using EnglishSettingsDialogTest = SettingsDialogTest;

TEST_F(EnglishSettingsDialogTest, EveryControlSpeaksEnglishInFull)
{
    WriteSettings(1, 7, ""); // as the Japanese dialog's screenshot shows it
    Show();
    for (const wchar_t* text :
         {L"Background music", L"None", L"Music CD", L"MP3 or WAV file", L"Repeat track", L"...",
          L"OK", L"Cancel", L"Designed by r-mosk Ver.1.0.0", L"Raivel's guide (README-en.txt)"})
        EXPECT_TRUE(Labelled(text)) << "no control shows " << testing::PrintToString(text);

    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    for (HWND window : Labelled()) {
        const std::wstring text = TextOf(window);
        const std::string name = testing::PrintToString(text);
        for (wchar_t c : text)
            EXPECT_LT(c, 0x80) << name;
        char className[32] = {};
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) != "Static" && std::string(className) != "RaivelCommand")
            continue;
        // Each text whole in its control, in the font it is drawn with.
        const HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
        EXPECT_EQ(std::wstring(FontOf(window).lfFaceName), metrics.lfMessageFont.lfFaceName)
            << name;
        HDC dc = GetDC(window);
        const HGDIOBJ previous = SelectObject(dc, font);
        SIZE size = {};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, previous);
        ReleaseDC(window, dc);
        RECT client;
        GetClientRect(window, &client);
        EXPECT_LE(size.cx, client.right) << name;
        EXPECT_LE(size.cy, client.bottom) << name;
    }

    RECT outer;
    GetWindowRect(dialog_, &outer);
    PictureSurface shot(outer.right - outer.left, outer.bottom - outer.top);
    HDC screen = GetDC(nullptr);
    BitBlt(shot.Dc(), 0, 0, shot.Width(), shot.Height(), screen, outer.left, outer.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(shot.SaveAs(g_output + "\\settings_dialog.bmp"));
}

TEST_F(EnglishSettingsDialogTest, TheChoicesWriteWhatTheJapaneseDialogWrites)
{
    WriteSettings(0, 0, "");
    Show();
    Click(Labelled(L"MP3 or WAV file"), {4, 6});
    EXPECT_FALSE(IsWindowEnabled(repeat_));
    HWND chooser = OpenChooser();
    ASSERT_TRUE(chooser) << "the file chooser did not open";
    EXPECT_EQ(TextOf(chooser), L"Open a music file");
    EXPECT_EQ(TextOf(GetDlgItem(chooser, cmb1)), L"Music files (MP3, WAV)");
    ASSERT_TRUE(Accept(chooser, music_));

    Click(Labelled(L"None"), {4, 6});
    EXPECT_FALSE(IsWindowEnabled(FileButton()));
    Click(Labelled(L"Music CD"), {4, 6});
    ASSERT_TRUE(IsWindowEnabled(repeat_));
    Click(repeat_, {10, 10});
    SendMessageW(repeat_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    Type("12");
    Click(Labelled(L"OK"), {38, 12});
    ASSERT_TRUE(Closed());
    EXPECT_EQ(Lines(ReadAll(Ini())),
              "[Section]\n" + kKindLine + "1\n" + kRepeatLine + "12\n" + kFileLine + music_ + "\n");
}

TEST_F(EnglishSettingsDialogTest, TheLinkOpensTheEnglishGuide)
{
    WriteSettings(0, 0, "");
    std::ofstream(folder_ / "README.txt", std::ios::binary) << "Raivel\r\n";
    std::ofstream(folder_ / "README-en.txt", std::ios::binary) << "Raivel's guide\r\n";
    Show();
    ExpectGuideOpens(Labelled(L"Raivel's guide (README-en.txt)"));
}

TEST_F(EnglishSettingsDialogTest, TheChoicesCarryOverLanguages)
{
    CarryOver();
}

} // namespace

int main(int argc, char** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        fprintf(stderr, "usage: settings_dialog_test OUTPUT [gtest options]\n");
        return 2;
    }
    g_output = argv[1];
    if (testing::GTEST_FLAG(filter) == "*")
        testing::GTEST_FLAG(filter) = UserLanguage() == Language::Japanese
                                          ? "SettingsDialogTest.*"
                                          : "EnglishSettingsDialogTest.*";
    printf("code page %u\n", GetACP());
    return RUN_ALL_TESTS();
}
