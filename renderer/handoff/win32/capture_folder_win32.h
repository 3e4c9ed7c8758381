#pragma once

#include <cstdio>
#include <string>

#include "capture_folder.h"

// The capture folder through Windows' own calls.
class Win32CaptureFolder : public CaptureFolderSystem {
public:
    explicit Win32CaptureFolder(std::string path) : path_(std::move(path)) {}

    FolderState Look() override;
    std::string User() override;
    bool CreatePrivate() override;
    bool MakePrivate() override;

private:
    std::string path_;
    std::string user_;
};

// Creates the file at `path` anew for writing, open to the user and the
// system alone. A file that was there is removed first, so that nothing of
// it carries over: not its permissions, its owner nor other names for it.
// Null when it cannot be had.
std::FILE* CreatePrivateFile(const std::string& path);
