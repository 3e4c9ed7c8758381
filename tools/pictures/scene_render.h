#pragma once

#include <filesystem>

#include "offscreen_gl.h"

// Off Windows the renderer's capture picture paths are plain relative file
// names, backslashes included: a scratch folder holding files of those names
// stands in for the capture folder while the scene is drawn.
class CaptureFolder {
public:
    // A new empty folder under the temporary directory, named after `prefix`;
    // on failure Ok() is false after a message on standard error.
    explicit CaptureFolder(const char* prefix);
    CaptureFolder(const CaptureFolder&) = delete;
    CaptureFolder& operator=(const CaptureFolder&) = delete;
    // Removes the folder and everything in it.
    ~CaptureFolder();

    bool Ok() const { return !path_.empty(); }
    const std::filesystem::path& path() const { return path_; }
    // Where the picture the renderer reads as `capturePath` goes.
    std::filesystem::path operator/(const char* capturePath) const { return path_ / capturePath; }

private:
    std::filesystem::path path_;
};

// Draws frames 1 to `frames` of the scene into `gl` from the pictures in
// `folder`, leaving the last one in its buffer; false after a message on
// standard error, prefixed with `program`, when `gl` has no context or neither
// picture loads.
bool RenderScene(const OffscreenGl& gl, const CaptureFolder& folder, int frames,
                 const char* program);
