#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "capture_folder.h"

namespace {

const char kUser[] = "S-1-5-21-1111-2222-3333-1001";
const char kOtherUser[] = "S-1-5-21-1111-2222-3333-1002";
const FolderState kMissing = {};

FolderState Folder(const char* owner, uint32_t attributes = kFolderAttribute)
{
    return FolderState{true, attributes, owner};
}

// A capture folder path whose looks follow a script (the last one repeats)
// and whose changes succeed as told; it notes what was asked of it.
class ScriptedFolder : public CaptureFolderSystem {
public:
    explicit ScriptedFolder(std::vector<FolderState> looks, bool changesWork = true)
        : looks_(std::move(looks)), changesWork_(changesWork)
    {
    }

    FolderState Look() override { return looks_[std::min(looked_++, looks_.size() - 1)]; }
    std::string User() override { return kUser; }
    bool CreatePrivate() override { return Asked("create "); }
    bool MakePrivate() override { return Asked("private "); }

    std::string asked;

private:
    bool Asked(const char* what)
    {
        asked += what;
        return changesWork_;
    }

    std::vector<FolderState> looks_;
    bool changesWork_;
    size_t looked_ = 0;
};

} // namespace

TEST(CaptureFolder, MissingFolderIsCreatedPrivateAndTheUsersOwnIsMadePrivate)
{
    ScriptedFolder missing({kMissing});
    EXPECT_TRUE(PrepareCaptureFolder(missing));
    EXPECT_EQ(missing.asked, "create ");
    EXPECT_FALSE(CaptureFolderRefused(missing)) << "nothing there to refuse";

    ScriptedFolder own({Folder(kUser)});
    EXPECT_TRUE(PrepareCaptureFolder(own));
    EXPECT_EQ(own.asked, "private ");
    EXPECT_FALSE(CaptureFolderRefused(own));

    ScriptedFolder locked({Folder(kUser)}, false);
    EXPECT_FALSE(PrepareCaptureFolder(locked)) << "trusted though still open";
}

TEST(CaptureFolder, AnythingButTheUsersOwnFolderIsLeftAlone)
{
    const struct {
        const char* what;
        FolderState state;
    } cases[] = {
        {"another account's folder", Folder(kOtherUser)},
        {"a folder whose owner cannot be read", Folder("")},
        {"a junction of the user's", Folder(kUser, kFolderAttribute | kReparsePointAttribute)},
        {"a file", Folder(kUser, 0x20)},
    };
    for (const auto& item : cases) {
        ScriptedFolder folder({item.state});
        EXPECT_FALSE(PrepareCaptureFolder(folder)) << item.what;
        EXPECT_EQ(folder.asked, "") << item.what;
        EXPECT_TRUE(CaptureFolderRefused(folder)) << item.what;
    }
}

TEST(CaptureFolder, FolderMadeByAnotherAccountJustBeforeOursIsJudgedAsFound)
{
    ScriptedFolder taken({kMissing, Folder(kOtherUser)}, false);
    EXPECT_FALSE(PrepareCaptureFolder(taken));
    EXPECT_EQ(taken.asked, "create ");

    ScriptedFolder cannotMake({kMissing}, false);
    EXPECT_FALSE(PrepareCaptureFolder(cannotMake));
}
