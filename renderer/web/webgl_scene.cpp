// scene.h's drawing with WebGL: the same planes, textures, fog and flash as
// the OpenGL 1.1 path, drawn by a shader program of our own (browsers have
// no OpenGL 1.1).

#include "webgl_scene.h"

#include <emscripten/html5.h>

#include <algorithm>

#include "bolt.h"
#include "floor_picture.h"
#include "scene.h"
#include "scene_geometry.h"
#include "texture_pyramid.h"
#include "webgl_program.h"

unsigned int g_cloudTexture = 0;
unsigned int g_desktopTexture = 0;

namespace {

// The three planes, one after the other in one buffer: 4 corners each.
constexpr GLint kCeilingFirst = 0;
constexpr GLint kSlidingCeilingFirst = 4;
constexpr GLint kFloorFirst = 8;

GLuint g_planes = 0;
Matrix4 g_projection{};

// A new mipmapped texture from a picture, its levels as GLU makes them; 0
// without a picture.
GLuint BuildTexture(const RgbImage* image)
{
    if (!image || image->width <= 0 || image->height <= 0 || !image->pixels)
        return 0;
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    // Larger pictures are halved until they fit, as GLU halves them to what
    // the driver takes.
    const auto levels =
        BuildTexturePyramid(*image, std::clamp<GLint>(largest, 1, kLargestFloorSide));
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (size_t level = 0; level < levels.size(); ++level)
        glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(level), GL_RGB, levels[level].width,
                     levels[level].height, 0, GL_RGB, GL_UNSIGNED_BYTE, levels[level].rgb.data());
    return texture;
}

void ReplaceTexture(unsigned int& texture, const RgbImage* image)
{
    if (texture)
        glDeleteTextures(1, &texture);
    texture = BuildTexture(image);
}

void DrawPlane(GLint first, float grey, GLuint texture)
{
    SetSceneLook(grey, texture);
    DrawSceneCorners(GL_TRIANGLE_FAN, first, 4, true);
}

} // namespace

bool StartWebGl(const char* selector)
{
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    // An opaque canvas, and no multisampling: the frame is the OpenGL 1.1
    // path's, pixel for pixel where the drivers agree.
    attributes.alpha = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.stencil = EM_FALSE;
    const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
        emscripten_webgl_create_context(selector, &attributes);
    if (context <= 0 ||
        emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS ||
        !UseSceneProgram())
        return false;

    const SceneVertex corners[] = {kCeiling[0],        kCeiling[1],        kCeiling[2],
                                   kCeiling[3],        kSlidingCeiling[0], kSlidingCeiling[1],
                                   kSlidingCeiling[2], kSlidingCeiling[3], kFloor[0],
                                   kFloor[1],          kFloor[2],          kFloor[3]};
    glGenBuffers(1, &g_planes);
    glBindBuffer(GL_ARRAY_BUFFER, g_planes);
    glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    return true;
}

int InitSceneFromImages(const RgbImage* cloud, const RgbImage* desktop)
{
    ReplaceTexture(g_cloudTexture, cloud);
    ReplaceTexture(g_desktopTexture, desktop);
    if (!g_cloudTexture && !g_desktopTexture)
        return 0;
    GrowBolt();
    return 1;
}

bool SetFloorPicture(const RgbImage* picture)
{
    const unsigned int texture = BuildTexture(picture);
    if (!texture)
        return false;
    if (g_desktopTexture)
        glDeleteTextures(1, &g_desktopTexture);
    g_desktopTexture = texture;
    return true;
}

void ResizeScene(int width, int height)
{
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    g_projection = SceneProjection(static_cast<double>(width) / height);
}

void DrawScene()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindBuffer(GL_ARRAY_BUFFER, g_planes);
    const Matrix4 camera = SceneModelView(0.0f);

    // The sky's two ceilings add up, and leave the depth as it was.
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glBlendFunc(GL_ONE, GL_ONE);
    SetSceneMatrices(g_projection, camera);
    DrawPlane(kCeilingFirst, 1.0f, g_cloudTexture);
    SetSceneMatrices(g_projection, SceneModelView(g_slideOffset));
    DrawPlane(kSlidingCeilingFirst, SlidingCeilingShade(), g_cloudTexture);

    SetSceneMatrices(g_projection, camera);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    DrawPlane(kFloorFirst, FloorBrightness(), g_desktopTexture);

    if (g_boltVisible)
        DrawBolt();
}
