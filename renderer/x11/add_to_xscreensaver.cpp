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
    return std::string(home) + "/.xscreensaver";
}

// A file kept elsewhere and linked at `path` is edited where it is; false
// with `problem` set for a link to nothing, which a file of ours would
// replace.
bool FollowLink(std::string& path, std::string& problem)
{
    if (char* target = realpath(path.c_str(), nullptr)) {
        path = target;
        std::free(target);
        return true;
    }
    struct stat link = {};
    if (lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return true;
    char target[4096] = {};
    const ssize_t length = readlink(path.c_str(), target, sizeof target - 1);
    problem =
        "it links to " + std::string(target, length > 0 ? length : 0) + ", which does not exist";
    return false;
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
// beside it is written, given the old one's owner, group and mode (or the usual
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
    // The owner and group first: a change of them may clear mode bits.
    struct stat made = {};
    const bool owned = !old || (fstat(file, &made) == 0 &&
                                ((made.st_uid == old->st_uid && made.st_gid == old->st_gid) ||
                                 fchown(file, old->st_uid, old->st_gid) == 0));
    bool done = owned && WriteAll(file, text) && fchmod(file, mode) == 0 && fsync(file) == 0;
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

int Refuse(const std::string& path, const std::string& problem)
{
    std::fprintf(stderr, "raivel: cannot add Raivel to %s: %s; nothing changed\n", path.c_str(),
                 problem.c_str());
    return 1;
}

} // namespace

int AddToXscreensaver()
{
    std::string path = SettingsPath();
    if (path.empty()) {
        std::fputs("raivel: no home folder to find .xscreensaver in\n", stderr);
        return 1;
    }
    std::string problem;
    if (!FollowLink(path, problem))
        return Refuse(path, problem);
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
    case ListChange::SwitchedOff:
        std::fprintf(stderr,
                     "raivel: %s lists Raivel switched off (its entry starts with \"-\"); switch "
                     "it on in xscreensaver-settings, or delete that \"-\"; nothing changed\n",
                     path.c_str());
        return 1;
    case ListChange::Unreadable:
        return Refuse(path, edit.problem);
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
