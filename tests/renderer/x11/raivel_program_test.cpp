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
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
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
using std::chrono::seconds;

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
    pid_t Pid() const { return pid_; }
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

// An Xvfb of the test's own, started with -ac so that the unprivileged user
// who runs the xscreensaver daemon may connect, and -noreset so that the
// desktop picture and the monitors last between clients; it tells its
// display number through a pipe.
struct VirtualScreen {
    explicit VirtualScreen(const std::string& size)
    {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return;
        server = std::make_unique<Child>(
            std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(pipeEnds[1]), "-ac",
                                     "-noreset", "-nolisten", "tcp", "-screen", "0", size});
        close(pipeEnds[1]);
        std::string number;
        char c;
        while (read(pipeEnds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(pipeEnds[0]);
        if (number.empty())
            return;
        name = ":" + number;
        display = XOpenDisplay(name.c_str());
    }
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;
    ~VirtualScreen()
    {
        if (display)
            XCloseDisplay(display);
    }

    std::unique_ptr<Child> server;
    std::string name;
    Display* display = nullptr;
};

struct Area {
    int x = 0, y = 0, w = 0, h = 0;
};

// Puts areas of plain colour (0xRRGGBB) on the root window's background.
void PaintDesktop(Display* display, const std::vector<std::pair<Area, unsigned long>>& areas)
{
    const Window root = DefaultRootWindow(display);
    XWindowAttributes screen;
    XGetWindowAttributes(display, root, &screen);
    const Pixmap desktop = XCreatePixmap(display, root, screen.width, screen.height, 24);
    const GC gc = XCreateGC(display, desktop, 0, nullptr);
    XFillRectangle(display, desktop, gc, 0, 0, screen.width, screen.height);
    for (const auto& [area, colour] : areas) {
        XSetForeground(display, gc, colour);
        XFillRectangle(display, desktop, gc, area.x, area.y, area.w, area.h);
    }
    XFreeGC(display, gc);
    XSetWindowBackgroundPixmap(display, root, desktop);
    XFreePixmap(display, desktop);
    XClearWindow(display, root);
    XSync(display, False);
}

// Mean colour of an area of the screen.
Rgb MeanColour(Display* display, Area area)
{
    XImage* image = XGetImage(display, DefaultRootWindow(display), area.x, area.y, area.w, area.h,
                              AllPlanes, ZPixmap);
    Rgb sum;
    for (int row = 0; row < area.h; ++row)
        for (int column = 0; column < area.w; ++column) {
            const unsigned long pixel = XGetPixel(image, column, row);
            sum.r += pixel >> 16 & 0xff;
            sum.g += pixel >> 8 & 0xff;
            sum.b += pixel & 0xff;
        }
    XDestroyImage(image);
    const int count = area.w * area.h;
    return {sum.r / count, sum.g / count, sum.b / count};
}

enum Channel { kRed, kGreen, kBlue };
constexpr unsigned long kRedDesktop = 0xff2020, kBlueDesktop = 0x2040ff, kGreenDesktop = 0x20ff20;

// Whether `channel` is clearly the strongest of `c`.
bool Shows(const Rgb& c, Channel channel)
{
    const int values[] = {c.r, c.g, c.b};
    const int strongest = values[channel];
    return strongest > 40 && strongest > 2 * values[(channel + 1) % 3] &&
           strongest > 2 * values[(channel + 2) % 3];
}

// Where the storm in `area` shows its fog (a black band between sky and
// floor) and the floor's lower left and lower right.
Area FogOf(Area a)
{
    return {a.x, a.y + a.h * 100 / 768, a.w, 10};
}
Area LowerLeftOf(Area a)
{
    return {a.x + a.w * 40 / 1024, a.y + a.h * 700 / 768, a.w * 100 / 1024, a.h * 40 / 768};
}
Area LowerRightOf(Area a)
{
    return {a.x + a.w * 884 / 1024, a.y + a.h * 700 / 768, a.w * 100 / 1024, a.h * 40 / 768};
}

// The storm fills `area` and its floor reads the right way round: its lower
// left shows the desktop's left colour, its lower right the right colour.
bool FloorReadsTheRightWayRound(Display* display, Area area, Channel left, Channel right)
{
    const Rgb fog = MeanColour(display, FogOf(area));
    return fog.r + fog.g + fog.b < 15 && Shows(MeanColour(display, LowerLeftOf(area)), left) &&
           Shows(MeanColour(display, LowerRightOf(area)), right);
}

std::string Describe(Display* display, Area area)
{
    std::ostringstream text;
    text << "fog " << MeanColour(display, FogOf(area)) << ", lower left "
         << MeanColour(display, LowerLeftOf(area)) << ", lower right "
         << MeanColour(display, LowerRightOf(area));
    return text.str();
}

// How many processes run the program file `program`.
int Running(const fs::path& program)
{
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::error_code error;
        count += fs::read_symlink(entry.path() / "exe", error) == program;
    }
    return count;
}

// The display mode of xscreensaver's own that runs under `ancestor` (a
// program of its folder that is not one of its helpers); empty for none.
std::string RunningHack(pid_t ancestor)
{
    const fs::path hacks = "/usr/libexec/xscreensaver";
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::error_code error;
        const fs::path program = fs::read_symlink(entry.path() / "exe", error);
        if (error || program.parent_path() != hacks ||
            program.filename().string().rfind("xscreensaver", 0) == 0)
            continue;
        for (pid_t pid = std::atoi(entry.path().filename().c_str()); pid > 1;) {
            if (pid == ancestor)
                return program.filename();
            // The parent, the fourth field of stat (the second, the name in
            // brackets, holds no ") ").
            std::string stat = ReadText(fs::path("/proc") / std::to_string(pid) / "stat");
            const size_t name = stat.rfind(") ");
            pid = name == std::string::npos ? 0 : std::atoi(stat.c_str() + name + 4);
        }
    }
    return {};
}

class RaivelProgram : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_screen = new VirtualScreen(std::to_string(kScreenWidth) + "x" +
                                     std::to_string(kScreenHeight) + "x24");
        ASSERT_NE(s_screen->display, nullptr) << "Xvfb did not start";
        s_displayName = s_screen->name;
        s_display = s_screen->display;
        // Left half red, right half blue.
        PaintDesktop(s_display,
                     {{{0, 0, kScreenWidth / 2, kScreenHeight}, kRedDesktop},
                      {{kScreenWidth / 2, 0, kScreenWidth / 2, kScreenHeight}, kBlueDesktop}});
    }

    static void TearDownTestSuite()
    {
        delete s_screen;
        s_screen = nullptr;
        s_display = nullptr;
        fs::remove_all(ScratchFolder("raivel-program-test"));
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

    // The floor near the viewer, at the bottom of an area, lit: a flash or
    // the dark level between flashes, never black.
    static bool FloorDrawn(int x, int y, int w, int h)
    {
        const Rgb c = MeanColour(s_display, {x + w / 4, y + h - h / 8, w / 2, h / 16});
        return c.r + c.g + c.b > 60;
    }

    static constexpr Area kWholeScreen = {0, 0, kScreenWidth, kScreenHeight};
    static bool FloorReadsTheRightWayRound()
    {
        return ::FloorReadsTheRightWayRound(s_display, kWholeScreen, kRed, kBlue);
    }
    static std::string Describe() { return ::Describe(s_display, kWholeScreen); }

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

    // A home folder for the xscreensaver daemon's user, holding a
    // .xscreensaver with the daemon's settings for a test and `settings`, and
    // the command lines that run as that user there: `nobody` when the tests
    // run as root (the daemon starts no display mode as root), else ourselves.
    fs::path MakeXscreensaverHome(const std::string& settings)
    {
        const fs::path home = folder_ / "home";
        fs::create_directories(home);
        std::ofstream(home / ".xscreensaver")
            << "mode: one\nlock: False\nsplash: False\nfade: False\nunfade: False\n"
               "grabDesktopImages: True\ngrabVideoFrames: False\nchooseRandomImages: False\n"
            << settings;
        for (const fs::path& path : {folder_, home, home / ".xscreensaver"}) {
            fs::permissions(path, fs::perms::owner_all | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read |
                                      fs::perms::others_exec);
            if (geteuid() == 0) {
                EXPECT_EQ(chown(path.c_str(), 65534, 65534), 0) << path; // nobody
            }
        }
        return home;
    }
    static std::vector<std::string> AsUser(const fs::path& home, std::vector<std::string> command,
                                           const std::string& display = s_displayName,
                                           const std::string& path = "")
    {
        command.insert(command.begin(), {"env", "HOME=" + home.string(), "DISPLAY=" + display});
        if (!path.empty())
            command.insert(command.begin() + 1, "PATH=" + path);
        if (geteuid() == 0)
            command.insert(command.begin(), {"runuser", "-u", "nobody", "--"});
        return command;
    }
    // Tells the daemon of `home`'s user what to do; true when it answered.
    static bool Tell(const fs::path& home, std::vector<std::string> what,
                     const std::string& display = s_displayName)
    {
        what.insert(what.begin(), "xscreensaver-command");
        return Child(AsUser(home, what, display)).Wait() == 0;
    }

    static VirtualScreen* s_screen;
    static std::string s_displayName;
    static Display* s_display;
    fs::path folder_;
};

VirtualScreen* RaivelProgram::s_screen = nullptr;
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

    // It ends by itself, at its next frame: the bound only keeps out a wait
    // of its own (a helper, a timeout) before it ends, and leaves a busy
    // machine time to run it.
    const auto signalled = Clock::now();
    raivel->Signal(SIGTERM);
    EXPECT_EQ(raivel->Wait(), 0);
    EXPECT_LE(Clock::now() - signalled, seconds(2));
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
    // A copy of the program the user may run.
    const fs::path program = folder_ / "raivel";
    fs::copy_file(RAIVEL_PROGRAM, program);
    const fs::path home =
        MakeXscreensaverHome("selected: 0\nprograms: GL: " + program.string() + " --root \\n\\\n");
    const auto command = [&](const char* what) { return Tell(home, {what}); };
    const auto hack = [&] { return Running(program) > 0; };

    Child daemon(AsUser(home, {"xscreensaver", "-no-splash"}), {}, folder_ / "daemon.txt");
    ASSERT_TRUE(Eventually([&] { return command("-activate"); }))
        << ReadText(folder_ / "daemon.txt");
    EXPECT_TRUE(Eventually(hack));
    EXPECT_TRUE(Eventually(FloorReadsTheRightWayRound)) << Describe();

    EXPECT_TRUE(command("-deactivate"));
    EXPECT_TRUE(Eventually([&] { return !hack(); }, milliseconds(3000)));
    command("-exit");
    EXPECT_GE(daemon.Wait(), 0);
}

TEST_F(RaivelProgram, AddToXscreensaverReplacesTheFileWholeOrLeavesItAlone)
{
    const fs::path file = folder_ / ".xscreensaver";
    const auto add = [&] {
        return Start({"--add-to-xscreensaver"}, {"HOME=" + folder_.string()})->Wait();
    };
    EXPECT_EQ(add(), 0);
    const std::string made = ReadText(file);
    EXPECT_EQ(made.rfind("programs:", 0), 0u) << made;
    EXPECT_EQ(add(), 0);
    EXPECT_EQ(ReadText(file), made);

    // A private file stays private, and its group stays (one of ours other
    // than the group a new file gets, when there is one).
    std::ofstream(file) << "lock: True\n";
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    gid_t groups[64];
    const int count = getgroups(64, groups);
    const gid_t group = geteuid() == 0                        ? 65534
                        : count > 1 && groups[0] == getegid() ? groups[1]
                                                              : groups[0];
    EXPECT_EQ(chown(file.c_str(), geteuid(), group), 0);
    EXPECT_EQ(add(), 0);
    EXPECT_EQ(fs::status(file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    struct stat kept = {};
    EXPECT_EQ(stat(file.c_str(), &kept), 0);
    EXPECT_EQ(kept.st_gid, group);
    EXPECT_EQ(ReadText(file).rfind("lock: True\nprograms:", 0), 0u);

    std::ofstream(file) << "not settings\n";
    EXPECT_EQ(add(), 1);
    EXPECT_EQ(ReadText(file), "not settings\n");
    EXPECT_EQ(ReadText(Errors()), "raivel: cannot add Raivel to " + file.string() +
                                      ": line 1 is neither a \"name: value\" setting nor a "
                                      "comment; nothing changed\n");
    std::ofstream(file) << "programs: - GL: raivel --root\n";
    EXPECT_EQ(add(), 1);
    EXPECT_EQ(ReadText(file), "programs: - GL: raivel --root\n");
    EXPECT_EQ(ReadText(Errors()), "raivel: " + file.string() +
                                      " lists Raivel switched off (its entry starts with \"-\"); "
                                      "switch it on in xscreensaver-settings, or delete that "
                                      "\"-\"; nothing changed\n");
    // Nothing but the file and the test's own output is left in the folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 2);

    // A link to a file not made yet stays a link to nothing.
    fs::remove(file);
    fs::create_symlink("dotfiles/xscreensaver", file);
    EXPECT_EQ(add(), 1);
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(ReadText(Errors()), "raivel: cannot add Raivel to " + file.string() +
                                      ": it links to dotfiles/xscreensaver, which does not exist; "
                                      "nothing changed\n");
}

// The daemon runs the same display mode after the command as before it, when
// the mode is chosen from xscreensaver's own list (the file has no list): the
// command leaves the file as it is and says why.
TEST_F(RaivelProgram, AModeChosenFromXscreensaversOwnListStaysChosen)
{
    const fs::path program = folder_ / "raivel";
    fs::copy_file(RAIVEL_PROGRAM, program);
    const fs::path home = MakeXscreensaverHome("selected: 3\n");
    Child daemon(AsUser(home, {"xscreensaver", "-no-splash"}), {}, folder_ / "daemon.txt");
    ASSERT_TRUE(Eventually([&] { return Tell(home, {"-time"}); }))
        << ReadText(folder_ / "daemon.txt");
    const auto shown = [&] {
        std::string hack;
        EXPECT_TRUE(Tell(home, {"-activate"}));
        EXPECT_TRUE(Eventually([&] { return !(hack = RunningHack(daemon.Pid())).empty(); }));
        EXPECT_TRUE(Tell(home, {"-deactivate"}));
        EXPECT_TRUE(Eventually([&] { return RunningHack(daemon.Pid()).empty(); }));
        return hack;
    };
    const std::string before = shown();
    EXPECT_EQ(before, "blitspin"); // the fourth of xscreensaver 6.06's list
    const std::string settings = ReadText(home / ".xscreensaver");
    EXPECT_EQ(Child(AsUser(home, {program.string(), "--add-to-xscreensaver"}), {}, Errors()).Wait(),
              1);
    EXPECT_EQ(ReadText(Errors()),
              "raivel: cannot add Raivel to " + (home / ".xscreensaver").string() +
                  ": \"selected:\" chooses from xscreensaver's own list, which the file does not "
                  "hold (choose the mode again in xscreensaver-settings first); nothing changed\n");
    EXPECT_EQ(ReadText(home / ".xscreensaver"), settings);
    for (int blank = 0; blank < 3; ++blank)
        EXPECT_EQ(shown(), before);
    Tell(home, {"-exit"});
    EXPECT_GE(daemon.Wait(), 0);
}

// The command as a user runs it, found on the PATH as the package puts it
// there, under the real daemon on two monitors side by side (the second one
// smaller), the chosen display mode one of xscreensaver's own.
TEST_F(RaivelProgram, AddedToXscreensaverItIsFirstAndRunsOnEachMonitorOverTheDesktopUnderIt)
{
    if (fs::exists("/usr/libexec/xscreensaver/raivel"))
        GTEST_SKIP() << "the installed raivel would run in place of this build's";
    VirtualScreen screen("1824x768x24");
    ASSERT_NE(screen.display, nullptr) << "Xvfb did not start";
    for (auto monitor : {std::vector<std::string>{"main", "1024/270x768/200+0+0", "screen"},
                         std::vector<std::string>{"other", "800/210x600/160+1024+0", "none"}}) {
        monitor.insert(monitor.begin(), {"xrandr", "--setmonitor"});
        ASSERT_EQ(Child(monitor, {"DISPLAY=" + screen.name}).Wait(), 0);
    }
    const Area main = {0, 0, 1024, 768}, other = {1024, 0, 800, 600};
    PaintDesktop(screen.display, {{{0, 0, 512, 768}, kRedDesktop},
                                  {{512, 0, 512, 768}, kBlueDesktop},
                                  {{1024, 0, 400, 600}, kGreenDesktop},
                                  {{1424, 0, 400, 600}, kRedDesktop}});

    const fs::path bin = folder_ / "bin";
    const fs::path program = bin / "raivel";
    fs::create_directories(bin);
    fs::copy_file(RAIVEL_PROGRAM, program);
    const fs::path home = MakeXscreensaverHome("selected: 0\nprograms: GL: gears -root \\n\\\n");
    const std::string path = bin.string() + ":" + std::getenv("PATH");
    const fs::path gears = "/usr/libexec/xscreensaver/gears";
    const auto tell = [&](std::vector<std::string> what) { return Tell(home, what, screen.name); };

    Child daemon(AsUser(home, {"xscreensaver", "-no-splash"}, screen.name, path), {},
                 folder_ / "daemon.txt");
    ASSERT_TRUE(Eventually([&] { return tell({"-time"}); })) << ReadText(folder_ / "daemon.txt");
    EXPECT_EQ(Child(AsUser(home, {"raivel", "--add-to-xscreensaver"}, screen.name, path)).Wait(),
              0);

    // The chosen mode, now the second, stays chosen.
    EXPECT_TRUE(tell({"-activate"}));
    EXPECT_TRUE(Eventually([&] { return Running(gears) == 2; }));
    EXPECT_EQ(Running(program), 0);
    EXPECT_TRUE(tell({"-deactivate"}));
    EXPECT_TRUE(Eventually([&] { return Running(gears) == 0; }));

    // The first is raivel, one per monitor, each floor the desktop under it.
    EXPECT_TRUE(tell({"-select", "1"}));
    EXPECT_TRUE(Eventually([&] { return Running(program) == 2; }));
    EXPECT_TRUE(Eventually([&] {
        return ::FloorReadsTheRightWayRound(screen.display, main, kRed, kBlue) &&
               ::FloorReadsTheRightWayRound(screen.display, other, kGreen, kRed);
    })) << "main: "
        << ::Describe(screen.display, main) << "; other: " << ::Describe(screen.display, other);
    tell({"-exit"});
    EXPECT_GE(daemon.Wait(), 0);
}
