#include "scene_render.h"

#include <unistd.h>

#include <cstdio>
#include <string>

#include "gl_headers.h"
#include "scene.h"

namespace fs = std::filesystem;

CaptureFolder::CaptureFolder(const char* prefix)
{
    std::string path = (fs::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (mkdtemp(path.data()))
        path_ = path;
    else
        std::perror("mkdtemp");
}

CaptureFolder::~CaptureFolder()
{
    if (Ok())
        fs::remove_all(path_);
}

bool RenderScene(const OffscreenGl& gl, const CaptureFolder& folder, int frames,
                 const char* program)
{
    if (!gl.Ok()) {
        std::fprintf(stderr, "%s: no off-screen OpenGL context\n", program);
        return false;
    }
    const fs::path home = fs::current_path();
    fs::current_path(folder.path());
    ResizeScene(gl.width(), gl.height());
    const bool started = InitScene();
    if (started) {
        for (int frame = 0; frame < frames; ++frame)
            RenderFrame();
        glFinish();
    }
    fs::current_path(home);
    if (!started)
        std::fprintf(stderr, "%s: neither picture loaded\n", program);
    return started;
}
