// raivel_probe SECONDS RAIVEL [ARGS...]: starts the Linux program raivel
// with ARGS and -print-fps on the X display and measures it from outside: the time
// from its start to its first frame on the screen, then over SECONDS (after
// two seconds to settle) its frame rate, the storm's steps a second and its
// load, as it reports them, its processor time (all its threads, from /proc)
// per second and per frame, and its peak resident size; finally how long it
// takes to end after SIGTERM.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The colours of a row of floor points near the bottom of the screen.
std::vector<unsigned long> FloorPoints(Display* display)
{
    const Window root = DefaultRootWindow(display);
    XWindowAttributes screen;
    XGetWindowAttributes(display, root, &screen);
    std::vector<unsigned long> colours;
    for (int i = 1; i < 8; ++i) {
        XImage* point = XGetImage(display, root, screen.width * i / 8, screen.height - 8, 1, 1,
                                  AllPlanes, ZPixmap);
        colours.push_back(point ? XGetPixel(point, 0, 0) : 0);
        if (point)
            XDestroyImage(point);
    }
    return colours;
}

// User plus system time of a process and all its threads, in seconds.
double CpuSeconds(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    unsigned long long user = 0, system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14)
            user = std::stoull(field);
        else if (i == 15)
            system = std::stoull(field);
    }
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

std::string PeakResident(pid_t pid)
{
    std::ifstream file("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(file, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return line.substr(6);
    return "?";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: raivel_probe SECONDS RAIVEL [ARGS...]\n");
        return 2;
    }
    const int seconds = std::atoi(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "raivel_probe: no display\n");
        return 1;
    }
    const std::vector<unsigned long> before = FloorPoints(display);

    std::vector<char*> args(argv + 2, argv + argc);
    char fps[] = "-print-fps";
    args.push_back(fps);
    args.push_back(nullptr);
    int output[2];
    if (pipe(output) != 0)
        return 1;
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, output[1], 1);
    const Clock::time_point start = Clock::now();
    pid_t raivel = 0;
    if (posix_spawn(&raivel, args[0], &files, nullptr, args.data(), environ) != 0) {
        std::fprintf(stderr, "raivel_probe: cannot start %s\n", args[0]);
        return 1;
    }
    close(output[1]);
    FILE* reports = fdopen(output[0], "r");

    int status = 1;
    while (FloorPoints(display) == before && SecondsSince(start) < 30)
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    if (FloorPoints(display) == before) {
        std::fprintf(stderr, "raivel_probe: no frame on the screen\n");
    } else {
        std::printf("start to first frame: %.0f ms\n", SecondsSince(start) * 1000);
        char line[64];
        for (int settle = 0; settle < 2 && std::fgets(line, sizeof line, reports); ++settle) {
        }
        const Clock::time_point from = Clock::now();
        const double cpuFrom = CpuSeconds(raivel);
        double frames = 0, steps = 0, load = 0;
        int lines = 0;
        for (; lines < seconds && std::fgets(line, sizeof line, reports); ++lines) {
            // Each line covers about a second.
            double lineFrames = 0, lineSteps = 0, lineLoad = 0;
            std::sscanf(line, "%lf fps %lf steps/s %lf", &lineFrames, &lineSteps, &lineLoad);
            frames += lineFrames;
            steps += lineSteps;
            load += lineLoad;
        }
        const double elapsed = SecondsSince(from);
        const double cpu = CpuSeconds(raivel) - cpuFrom;
        if (lines == seconds && frames > 0) {
            std::printf("frame rate: %.1f frames/s\n", frames / lines);
            std::printf("steps a second: %.1f\n", steps / lines);
            std::printf("load as shown: %.1f %%\n", load / lines);
            std::printf("CPU use: %.1f %% of one core\n", cpu / elapsed * 100);
            std::printf("CPU time per frame: %.2f ms\n", cpu / frames * 1000);
            std::printf("peak resident size:%s\n", PeakResident(raivel).c_str());
            status = 0;
        } else {
            std::fprintf(stderr, "raivel_probe: raivel stopped reporting its frame rate\n");
        }
    }

    const Clock::time_point signalled = Clock::now();
    kill(raivel, SIGTERM);
    int exit = 0;
    waitpid(raivel, &exit, 0);
    std::printf("end after SIGTERM: %.0f ms (exit code %d)\n", SecondsSince(signalled) * 1000,
                WIFEXITED(exit) ? WEXITSTATUS(exit) : -1);
    XCloseDisplay(display);
    return status;
}
