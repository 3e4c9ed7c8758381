#include "add_to_xscreensaver.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "xscreensaver_file.h"

namespace {

std::string SettingsPath()
{
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : nullptr;
    }
    if (!home || !*home)
        return {};
    std::string path = std::string(home) + "/.xscreensaver";
    // A file kept elsewhere and linked here is edited where it is.
    if (char* target = realpath(path.c_str(), nullptr)) {
        path = target;
        std::free(target);
    }
    return path;
}

// Reads the file, at most one byte past the longest we take; false with
// errno set when it cannot be read.
bool ReadFile(int file, std::string& text)
{
    char buffer[65536];
    while (text.size() <= kLongestSettingsFile) {
        const ssize_t got = read(file, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        text.append(buffer, static_cast<size_t>(got));
    }
    return true;
}

bool WriteAll(int file, const std::string& text)
{
    for (size_t done = 0; done < text.size();) {
        const ssize_t wrote = write(file, text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote < 0)
            return false;
        done += static_cast<size_t>(wrote);
    }
    return true;
}

// Replaces the file at `path` by one holding `text` in one step: a file
// beside it is written, given the old one's mode and owner (or the usual
// mode of a new file), and renamed over it. False with errno set on failure,
// the old file untouched.
bool ReplaceFile(const std::string& path, const std::string& text, const struct stat* old)
{
    std::string temporary = path + ".raivel-XXXXXX";
    const int file = mkstemp(temporary.data());
    if (file < 0)
        return false;
    mode_t mode = 0;
    if (old) {
        mode = old->st_mode & 07777;
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }
    const bool owned =
        !old || old->st_uid == geteuid() || fchown(file, old->st_uid, old->st_gid) == 0;
    bool done = WriteAll(file, text) && fchmod(file, mode) == 0 && owned && fsync(file) == 0;
    int error = errno;
    if (close(file) != 0 && done) {
        done = false;
        error = errno;
    }
    if (done && rename(temporary.c_str(), path.c_str()) != 0) {
        done = false;
        error = errno;
    }
    if (!done) {
        unlink(temporary.c_str());
        errno = error;
    }
    return done;
}

} // namespace

int AddToXscreensaver()
{
    const std::string path = SettingsPath();
    if (path.empty()) {
        std::fputs("raivel: no home folder to find .xscreensaver in\n", stderr);
        return 1;
    }
    struct stat old = {};
    std::string text;
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool exists = file >= 0;
    if (exists) {
        const bool read = fstat(file, &old) == 0 && S_ISREG(old.st_mode) && ReadFile(file, text);
        const int error = errno;
        close(file);
        if (!read) {
            std::fprintf(stderr, "raivel: cannot read %s: %s\n", path.c_str(),
                         S_ISREG(old.st_mode) ? std::strerror(error) : "not a plain file");
            return 1;
        }
    } else if (errno != ENOENT) {
        std::fprintf(stderr, "raivel: cannot read %s: %s\n", path.c_str(), std::strerror(errno));
        return 1;
    }

    const ListEdit edit = AddRaivelToProgramList(exists ? &text : nullptr);
    switch (edit.change) {
    case ListChange::AlreadyListed:
        std::printf("raivel: %s already lists Raivel; nothing changed\n", path.c_str());
        return 0;
    case ListChange::Unreadable:
        std::fprintf(stderr, "raivel: cannot add Raivel to %s: %s; nothing changed\n", path.c_str(),
                     edit.problem.c_str());
        return 1;
    case ListChange::Added:
        break;
    }
    if (!ReplaceFile(path, edit.text, exists ? &old : nullptr)) {
        std::fprintf(stderr, "raivel: cannot write %s: %s; nothing changed\n", path.c_str(),
                     std::strerror(errno));
        return 1;
    }
    std::printf("raivel: Raivel is now first in the list in %s; xscreensaver takes it from the "
                "next time it blanks the screen, and xscreensaver-settings can choose it\n",
                path.c_str());
    return 0;
}
