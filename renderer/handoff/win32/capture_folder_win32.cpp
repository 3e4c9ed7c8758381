#include "capture_folder_win32.h"

#include <windows.h>

#include <aclapi.h>
#include <fcntl.h>
#include <io.h>
#include <sddl.h>

namespace {

// The SID of the user running this process, as text; empty when it cannot
// be had.
std::string CurrentUserSid()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    std::string text;
    alignas(TOKEN_USER) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    DWORD size = 0;
    char* sid = nullptr;
    if (GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size) &&
        ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid)) {
        text = sid;
        LocalFree(sid);
    }
    CloseHandle(token);
    return text;
}

// Full access for the system and `user` alone, protected from what the
// parent folder passes on; a folder's entries pass on to what it holds.
// What is made with it belongs to `user`, even in an elevated run, whose
// new files would otherwise belong to the administrators.
class PrivateSecurity {
public:
    PrivateSecurity(const std::string& user, bool folder)
    {
        if (user.empty())
            return;
        const std::string rights = folder ? "(A;OICI;FA;;;" : "(A;;FA;;;";
        const std::string sddl = "O:" + user + "D:P" + rights + "SY)" + rights + user + ")";
        ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl.c_str(), SDDL_REVISION_1,
                                                             &descriptor_, nullptr);
        attributes_.nLength = sizeof attributes_;
        attributes_.lpSecurityDescriptor = descriptor_;
    }
    PrivateSecurity(const PrivateSecurity&) = delete;
    PrivateSecurity& operator=(const PrivateSecurity&) = delete;
    ~PrivateSecurity() { LocalFree(descriptor_); }

    // Null when the descriptor could not be made.
    SECURITY_ATTRIBUTES* Attributes() { return descriptor_ ? &attributes_ : nullptr; }

    PSECURITY_DESCRIPTOR Descriptor() const { return descriptor_; }

private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
    SECURITY_ATTRIBUTES attributes_ = {};
};

// The path itself, not where a link or junction leads.
HANDLE OpenItself(const std::string& path, DWORD access)
{
    return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, OPEN_EXISTING,
                       FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

} // namespace

FolderState Win32CaptureFolder::Look()
{
    FolderState state;
    const DWORD attributes = GetFileAttributesA(path_.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return state;
    state.exists = true;
    state.attributes = attributes;
    HANDLE item = OpenItself(path_, READ_CONTROL);
    if (item == INVALID_HANDLE_VALUE)
        return state;
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    char* text = nullptr;
    if (GetSecurityInfo(item, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                        nullptr, &descriptor) == ERROR_SUCCESS &&
        ConvertSidToStringSidA(owner, &text)) {
        state.owner = text;
        LocalFree(text);
    }
    LocalFree(descriptor);
    CloseHandle(item);
    return state;
}

std::string Win32CaptureFolder::User()
{
    if (user_.empty())
        user_ = CurrentUserSid();
    return user_;
}

bool Win32CaptureFolder::CreatePrivate()
{
    PrivateSecurity security(User(), true);
    return security.Attributes() && CreateDirectoryA(path_.c_str(), security.Attributes());
}

bool Win32CaptureFolder::MakePrivate()
{
    PrivateSecurity security(User(), true);
    if (!security.Descriptor())
        return false;
    HANDLE folder = OpenItself(path_, READ_CONTROL | WRITE_DAC);
    if (folder == INVALID_HANDLE_VALUE)
        return false;
    // The folder's own permissions, exactly these: nothing merged in from its
    // parent (Wine's SetSecurityInfo keeps the parent's Everyone entry), and
    // nothing passed on to what it holds, which the run writes anew.
    const bool done = SetKernelObjectSecurity(
        folder, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
        security.Descriptor());
    CloseHandle(folder);
    return done;
}

std::FILE* CreatePrivateFile(const std::string& path)
{
    PrivateSecurity security(CurrentUserSid(), false);
    if (!security.Attributes())
        return nullptr;
    DeleteFileA(path.c_str());
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, security.Attributes(), CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
    if (descriptor < 0) {
        CloseHandle(file);
        return nullptr;
    }
    std::FILE* stream = _fdopen(descriptor, "wb");
    if (!stream)
        _close(descriptor);
    return stream;
}
