// raivel itself on a virtual X display of the test's own (Xvfb), whose root
// shows a known desktop: left half red, right half blue. Each case starts the
// program as xscreensaver or a user would and reads what it drew from the
// screen.

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "scratch_folder.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;

// A child process started with `argv` and `environment` added to ours, its
// standard error kept in `errors` (when given), in a process group of its
// own; killed with its group if it still runs when this goes.
class Child {
public:
    Child(const std::vector<std::string>& argv, const std::vector<std::string>& environment = {},
          const fs::path& errors = {})
    {
        std::vector<std::string> variables(environment);
        for (char** variable = environ; *variable; ++variable)
            variables.emplace_back(*variable);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&files, 2, errors.empty() ? "/dev/null" : errors.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        posix_spawnattr_setpgroup(&attributes, 0);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
        if (posix_spawnp(&pid_, argv[0].c_str(), &files, &attributes, Pointers(argv).data(),
                         Pointers(variables).data()) != 0)
            pid_ = 0;
        posix_spawn_file_actions_destroy(&files);
        posix_spawnattr_destroy(&attributes);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child()
    {
        if (Running()) {
            kill(-pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    bool Running() const { return pid_ > 0 && status_ < 0; }
    void Signal(int signal) const { kill(pid_, signal); }

    // The exit code once the process has ended, within `limit`; -1 while it
    // still runs, -2 when a signal ended it.
    int Wait(milliseconds limit = milliseconds(5000))
    {
        const auto deadline = Clock::now() + limit;
        while (Running()) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_)
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 1000;
            else if (Clock::now() >= deadline)
                return -1;
            else
                std::this_thread::sleep_for(milliseconds(2));
        }
        return status_ == 1000 ? -2 : status_;
    }

private:
    static std::vector<char*> Pointers(const std::vector<std::string>& texts)
    {
        std::vector<char*> pointers;
        for (const std::string& text : texts)
            pointers.push_back(const_cast<char*>(text.c_str()));
        pointers.push_back(nullptr);
        return pointers;
    }

    pid_t pid_ = 0;
    int status_ = -1;
};

// Polls `condition` every 20 ms until it holds or `limit` has passed.
bool Eventually(const std::function<bool()>& condition, milliseconds limit = milliseconds(10000))
{
    const auto deadline = Clock::now() + limit;
    while (!condition()) {
        if (Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(milliseconds(20));
    }
    return true;
}

std::string ReadText(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Rgb {
    int r = 0, g = 0, b = 0;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c)
{
    return out << "rgb(" << c.r << ", " << c.g << ", " << c.b << ")";
}

class RaivelProgram : public ::testing::Test {
protected:
    // One Xvfb for the suite, started with -ac so that the unprivileged user
    // who runs the xscreensaver daemon may connect; it tells its display
    // number through a pipe.
    static void SetUpTestSuite()
    {
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const std::string fd = std::to_string(pipeEnds[1]);
        s_xvfb =
            new Child({"Xvfb", "-displayfd", fd, "-ac", "-nolisten", "tcp", "-screen", "0",
                       std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24"});
        close(pipeEnds[1]);
        std::string number;
        char c;
        while (read(pipeEnds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(pipeEnds[0]);
        ASSERT_FALSE(number.empty()) << "Xvfb did not start";
        s_displayName = ":" + number;
        s_display = XOpenDisplay(s_displayName.c_str());
        ASSERT_NE(s_display, nullptr);
        PaintKnownDesktop();
    }

    static void TearDownTestSuite()
    {
        if (s_display)
            XCloseDisplay(s_display);
        s_display = nullptr;
        delete s_xvfb;
        s_xvfb = nullptr;
        fs::remove_all(ScratchFolder("raivel-program-test"));
    }

    // The root's background: left half red, right half blue.
    static void PaintKnownDesktop()
    {
        const Window root = DefaultRootWindow(s_display);
        const Pixmap desktop = XCreatePixmap(s_display, root, kScreenWidth, kScreenHeight, 24);
        const GC gc = XCreateGC(s_display, desktop, 0, nullptr);
        XSetForeground(s_display, gc, 0xff2020);
        XFillRectangle(s_display, desktop, gc, 0, 0, kScreenWidth / 2, kScreenHeight);
        XSetForeground(s_display, gc, 0x2040ff);
        XFillRectangle(s_display, desktop, gc, kScreenWidth / 2, 0, kScreenWidth / 2,
                       kScreenHeight);
        XFreeGC(s_display, gc);
        XSetWindowBackgroundPixmap(s_display, root, desktop);
        XFreePixmap(s_display, desktop);
        XClearWindow(s_display, root);
        XSync(s_display, False);
    }

    void SetUp() override
    {
        folder_ = ScratchFolder("raivel-program-test") /
                  ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    // raivel started with `args` on the test's display.
    std::unique_ptr<Child> Start(std::vector<std::string> args,
                                 std::vector<std::string> environment = {})
    {
        args.insert(args.begin(), RAIVEL_PROGRAM);
        environment.push_back("DISPLAY=" + s_displayName);
        return std::make_unique<Child>(args, environment, Errors());
    }
    fs::path Errors() const { return folder_ / "stderr.txt"; }

    // Mean colour of a w x h area of the screen at (x, y).
    static Rgb MeanColour(int x, int y, int w, int h)
    {
        XImage* image =
            XGetImage(s_display, DefaultRootWindow(s_display), x, y, w, h, AllPlanes, ZPixmap);
        Rgb sum;
        for (int row = 0; row < h; ++row)
            for (int column = 0; column < w; ++column) {
                const unsigned long pixel = XGetPixel(image, column, row);
                sum.r += pixel >> 16 & 0xff;
                sum.g += pixel >> 8 & 0xff;
                sum.b += pixel & 0xff;
            }
        XDestroyImage(image);
        return {sum.r / (w * h), sum.g / (w * h), sum.b / (w * h)};
    }

    // The floor near the viewer, at the bottom of an area, lit: a flash or
    // the dark level between flashes, never black.
    static bool FloorDrawn(int x, int y, int w, int h)
    {
        const Rgb c = MeanColour(x + w / 4, y + h - h / 8, w / 2, h / 16);
        return c.r + c.g + c.b > 60;
    }

    // The storm fills the screen, a black band of fog between sky and
    // floor, and the floor reads the right way round: the screen's lower left
    // shows the desktop's left colour (red), its lower right the right colour
    // (blue).
    static bool FloorReadsTheRightWayRound()
    {
        const Rgb fog = MeanColour(0, 100, kScreenWidth, 10);
        const Rgb left = MeanColour(40, 700, 100, 40);
        const Rgb right = MeanColour(884, 700, 100, 40);
        return fog.r + fog.g + fog.b < 15 && left.r > 40 && left.r > 2 * left.b && right.b > 40 &&
               right.b > 2 * right.r;
    }
    static std::string Describe()
    {
        std::ostringstream text;
        text << "fog " << MeanColour(0, 100, kScreenWidth, 10) << ", lower left "
             << MeanColour(40, 700, 100, 40) << ", lower right " << MeanColour(884, 700, 100, 40);
        return text.str();
    }

    // A plain black window of the test's own at the screen's top left.
    static Window MakeWindow(int width, int height)
    {
        const Window window =
            XCreateSimpleWindow(s_display, DefaultRootWindow(s_display), 0, 0, width, height, 0, 0,
                                BlackPixel(s_display, DefaultScreen(s_display)));
        XMapWindow(s_display, window);
        XSync(s_display, False);
        return window;
    }

    static std::string Hex(unsigned long id)
    {
        char text[32];
        std::snprintf(text, sizeof text, "0x%lx", id);
        return text;
    }

    static Window FindTopLevel(const char* name)
    {
        Window root, parent, found = 0;
        Window* children = nullptr;
        unsigned count = 0;
        XQueryTree(s_display, DefaultRootWindow(s_display), &root, &parent, &children, &count);
        for (unsigned i = 0; i < count && !found; ++i) {
            char* title = nullptr;
            if (XFetchName(s_display, children[i], &title) && title) {
                if (std::string(title) == name)
                    found = children[i];
                XFree(title);
            }
        }
        if (children)
            XFree(children);
        return found;
    }

    void Xdotool(const std::string& arguments) const
    {
        const std::string command = "DISPLAY=" + s_displayName + " xdotool " + arguments;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }

    static Child* s_xvfb;
    static std::string s_displayName;
    static Display* s_display;
    fs::path folder_;
};

Child* RaivelProgram::s_xvfb = nullptr;
std::string RaivelProgram::s_displayName;
Display* RaivelProgram::s_display = nullptr;

} // namespace

TEST_F(RaivelProgram, OnItsOwnTheFloorIsTheDesktopTheRightWayRoundUntilEscape)
{
    auto raivel = Start({});
    ASSERT_TRUE(Eventually([&] { return FindTopLevel("Raivel") != 0; }));
    EXPECT_TRUE(Eventually(FloorReadsTheRightWayRound)) << Describe();

    Xdotool("keydown Escape");
    std::this_thread::sleep_for(milliseconds(200));
    Xdotool("keyup Escape");
    EXPECT_EQ(raivel->Wait(), 0);
    EXPECT_EQ(FindTopLevel("Raivel"), 0u);
}

TEST_F(RaivelProgram, ClosingItsWindowEndsIt)
{
    auto raivel = Start({});
    Window window = 0;
    ASSERT_TRUE(Eventually([&] { return (window = FindTopLevel("Raivel")) != 0; }));

    // What a window manager sends when the user closes the window.
    XEvent close = {};
    close.xclient.type = ClientMessage;
    close.xclient.window = window;
    close.xclient.message_type = XInternAtom(s_display, "WM_PROTOCOLS", False);
    close.xclient.format = 32;
    close.xclient.data.l[0] = static_cast<long>(XInternAtom(s_display, "WM_DELETE_WINDOW", False));
    XSendEvent(s_display, window, False, NoEventMask, &close);
    XSync(s_display, False);
    EXPECT_EQ(raivel->Wait(), 0);
}

TEST_F(RaivelProgram, DrawsInAGivenWindowFollowsItsSizeAndEndsSoonOnSigterm)
{
    const Window window = MakeWindow(320, 240);
    auto raivel = Start({"-window-id", std::to_string(window)});
    EXPECT_TRUE(Eventually([] { return FloorDrawn(0, 0, 320, 240); }));

    // The floor spreads to the corner the old size did not reach.
    XResizeWindow(s_display, window, 480, 360);
    XSync(s_display, False);
    EXPECT_TRUE(Eventually([] { return FloorDrawn(320, 240, 160, 120); }));

    const auto signalled = Clock::now();
    raivel->Signal(SIGTERM);
    EXPECT_EQ(raivel->Wait(), 0);
    EXPECT_LE(Clock::now() - signalled, milliseconds(200));
    XDestroyWindow(s_display, window);
}

TEST_F(RaivelProgram, RootMeansTheWindowXscreensaverNamesAndItsLossEndsTheProgram)
{
    const Window window = MakeWindow(400, 300);
    auto raivel =
        Start({"-root"}, {"XSCREENSAVER_WINDOW=" + Hex(window), "HOME=" + folder_.string()});
    EXPECT_TRUE(Eventually([] { return FloorDrawn(0, 0, 400, 300); }));

    XDestroyWindow(s_display, window);
    XSync(s_display, False);
    EXPECT_EQ(raivel->Wait(), 1);
    EXPECT_EQ(ReadText(Errors()), "raivel: window " + Hex(window) + " has gone\n");
}

TEST_F(RaivelProgram, BadInputGivesAMessageAndExitCodeOne)
{
    auto noWindow = Start({"-window-id", "0x7ffffe"});
    EXPECT_EQ(noWindow->Wait(), 1);
    EXPECT_EQ(ReadText(Errors()), "raivel: no window 0x7ffffe\n");

    auto notAnId = Start({"--window-id", "storm"});
    EXPECT_EQ(notAnId->Wait(), 1);
    EXPECT_EQ(ReadText(Errors()), "raivel: bad window id \"storm\"\n");

    auto unknown = Start({"-bogus"});
    EXPECT_EQ(unknown->Wait(), 1);
    EXPECT_EQ(ReadText(Errors()).rfind("usage: raivel ", 0), 0u) << ReadText(Errors());

    auto noDisplay = Start({}, {"DISPLAY=:9999"});
    EXPECT_EQ(noDisplay->Wait(), 1);
    EXPECT_EQ(ReadText(Errors()), "raivel: cannot open display \":9999\"\n");
}

// The real daemon, run by an unprivileged user (it starts no hack as root),
// with a ~/.xscreensaver that lists only raivel, allowing desktop grabs.
TEST_F(RaivelProgram, UnderXscreensaverTheStormShowsOnActivateAndEndsOnDeactivate)
{
    // A copy of the program and a home folder the user may read.
    const fs::path program = folder_ / "raivel";
    const fs::path home = folder_ / "home";
    fs::copy_file(RAIVEL_PROGRAM, program);
    fs::create_directories(home);
    std::ofstream(home / ".xscreensaver")
        << "mode: one\nselected: 0\nlock: False\nsplash: False\nfade: False\nunfade: False\n"
           "grabDesktopImages: True\ngrabVideoFrames: False\nchooseRandomImages: False\n"
           "programs: GL: "
        << program.string() << " --root \\n\\\n";
    const bool root = geteuid() == 0;
    for (const fs::path& path : {folder_, home, home / ".xscreensaver"}) {
        fs::permissions(path, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
        if (root) {
            ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0) << path; // nobody
        }
    }
    const auto asUser = [&](std::vector<std::string> command) {
        command.insert(command.begin(),
                       {"env", "HOME=" + home.string(), "DISPLAY=" + s_displayName});
        if (root)
            command.insert(command.begin(), {"runuser", "-u", "nobody", "--"});
        return command;
    };
    const auto command = [&](const char* what) {
        return Child(asUser({"xscreensaver-command", what})).Wait() == 0;
    };
    // The storm's process: the one running our copy of the program.
    const auto hack = [&] {
        for (const auto& entry : fs::directory_iterator("/proc")) {
            std::error_code error;
            if (fs::read_symlink(entry.path() / "exe", error) == program)
                return true;
        }
        return false;
    };

    Child daemon(asUser({"xscreensaver", "-no-splash"}), {}, folder_ / "daemon.txt");
    ASSERT_TRUE(Eventually([&] { return command("-activate"); }))
        << ReadText(folder_ / "daemon.txt");
    EXPECT_TRUE(Eventually(hack));
    EXPECT_TRUE(Eventually(FloorReadsTheRightWayRound)) << Describe();

    EXPECT_TRUE(command("-deactivate"));
    EXPECT_TRUE(Eventually([&] { return !hack(); }, milliseconds(3000)));
    command("-exit");
    EXPECT_GE(daemon.Wait(), 0);
}
