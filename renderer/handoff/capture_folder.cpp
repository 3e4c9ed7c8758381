#include "capture_folder.h"

bool IsUsersOwnFolder(const FolderState& state, const std::string& user)
{
    return state.exists && (state.attributes & kFolderAttribute) &&
           !(state.attributes & kReparsePointAttribute) && !user.empty() && state.owner == user;
}

bool PrepareCaptureFolder(CaptureFolderSystem& system)
{
    FolderState state = system.Look();
    if (!state.exists) {
        if (system.CreatePrivate())
            return true;
        // Made by someone else in the meantime, perhaps: judged as found.
        state = system.Look();
    }
    return IsUsersOwnFolder(state, system.User()) && system.MakePrivate();
}

bool CaptureFolderRefused(CaptureFolderSystem& system)
{
    const FolderState state = system.Look();
    return state.exists && !IsUsersOwnFolder(state, system.User());
}
