#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture_folder.h"

namespace {

const char kUser[] = "S-1-5-21-1111-2222-3333-1001";
const char kOtherUser[] = "S-1-5-21-1111-2222-3333-1002";
const char kAdministrators[] = "S-1-5-32-544";
constexpr uint32_t kPlainFile = 0x20;

FolderState Folder(const char* owner, uint32_t attributes = kFolderAttribute)
{
    return FolderState{true, attributes, owner};
}

// A capture folder path whose looks follow a script (the last one repeats)
// and whose changes succeed as told; it records what was asked of it.
class ScriptedFolder : public CaptureFolderSystem {
public:
    explicit ScriptedFolder(std::vector<FolderState> looks) : looks_(std::move(looks)) {}

    FolderState Look() override
    {
        const FolderState state = looks_[std::min(looked_, looks_.size() - 1)];
        ++looked_;
        return state;
    }
    std::string User() override { return kUser; }
    bool CreatePrivate() override
    {
        calls += "create ";
        return createWorks;
    }
    bool MakePrivate() override
    {
        calls += "private ";
        return privateWorks;
    }

    bool createWorks = true;
    bool privateWorks = true;
    std::string calls;

private:
    std::vector<FolderState> looks_;
    size_t looked_ = 0;
};

} // namespace

TEST(CaptureFolder, MissingFolderIsCreatedPrivate)
{
    ScriptedFolder folder({FolderState{}});
    EXPECT_TRUE(PrepareCaptureFolder(folder));
    EXPECT_EQ(folder.calls, "create ");
}

TEST(CaptureFolder, UsersOwnFolderIsMadePrivateAndOnlyThenTrusted)
{
    ScriptedFolder folder({Folder(kUser)});
    EXPECT_TRUE(PrepareCaptureFolder(folder));
    EXPECT_EQ(folder.calls, "private ");
    EXPECT_FALSE(CaptureFolderRefused(folder));

    ScriptedFolder locked({Folder(kUser)});
    locked.privateWorks = false;
    EXPECT_FALSE(PrepareCaptureFolder(locked));
}

TEST(CaptureFolder, AnythingButTheUsersOwnFolderIsLeftAlone)
{
    const struct {
        const char* what;
        FolderState state;
    } cases[] = {
        {"another user's folder", Folder(kOtherUser)},
        {"the administrators' folder", Folder(kAdministrators)},
        {"a folder whose owner cannot be read", Folder("")},
        {"a junction of the user's", Folder(kUser, kFolderAttribute | kReparsePointAttribute)},
        {"a link to a file", Folder(kUser, kPlainFile | kReparsePointAttribute)},
        {"a file", Folder(kUser, kPlainFile)},
    };
    for (const auto& item : cases) {
        ScriptedFolder folder({item.state});
        EXPECT_FALSE(PrepareCaptureFolder(folder)) << item.what;
        EXPECT_EQ(folder.calls, "") << item.what;
        EXPECT_TRUE(CaptureFolderRefused(folder)) << item.what;
    }
}

TEST(CaptureFolder, FolderMadeByAnotherAccountBeforeOursIsJudgedAsFound)
{
    ScriptedFolder taken({FolderState{}, Folder(kOtherUser)});
    taken.createWorks = false;
    EXPECT_FALSE(PrepareCaptureFolder(taken));
    EXPECT_EQ(taken.calls, "create ");

    ScriptedFolder ours({FolderState{}, Folder(kUser)});
    ours.createWorks = false;
    EXPECT_TRUE(PrepareCaptureFolder(ours));
    EXPECT_EQ(ours.calls, "create private ");

    ScriptedFolder nothing({FolderState{}});
    nothing.createWorks = false;
    EXPECT_FALSE(PrepareCaptureFolder(nothing));
    EXPECT_FALSE(CaptureFolderRefused(nothing)) << "nothing there to refuse";
}
