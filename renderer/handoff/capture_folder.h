#pragma once

#include <cstdint>
#include <string>

// The folder that holds the run's two pictures, one of them a picture of the
// user's desktop. Only a folder of the user's own, not a link or junction to
// somewhere else, and open to the user and the system alone, may hold them.

// The platform's file attribute bits that matter here.
constexpr uint32_t kFolderAttribute = 0x10;        // a folder, not a file
constexpr uint32_t kReparsePointAttribute = 0x400; // a link or junction

// What the system reports about the folder's path, the path itself and not
// where a link would lead.
struct FolderState {
    bool exists = false;
    uint32_t attributes = 0;
    std::string owner; // the owner's SID as text ("S-1-5-21-...")
};

// The folder's path as the system sees it; Windows' own calls in the
// programs, a stand-in in tests.
class CaptureFolderSystem {
public:
    virtual ~CaptureFolderSystem() = default;
    virtual FolderState Look() = 0;
    // The SID of the user running us, as text.
    virtual std::string User() = 0;
    // Creates the folder open to the user and the system alone; false when
    // it cannot (something is there already, for instance).
    virtual bool CreatePrivate() = 0;
    // Gives the folder permissions for the user and the system alone, not
    // inherited from its parent; false when that fails.
    virtual bool MakePrivate() = 0;
};

// Whether a folder in `state` is the user's own, not a link or junction.
bool IsUsersOwnFolder(const FolderState& state, const std::string& user);

// Creates the folder private, or makes the user's own folder private; true
// when it may now hold the pictures. Anything else there (a folder of
// another account, which may have made it to collect the pictures, a link or
// junction, a file) is left alone: false.
bool PrepareCaptureFolder(CaptureFolderSystem& system);

// Whether something is at the path that must not be trusted with the
// pictures nor read as ours.
bool CaptureFolderRefused(CaptureFolderSystem& system);
