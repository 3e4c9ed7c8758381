// The scene drawn with WebGL: the frame as scene_geometry.h's FramePlanes
// lays it out, as the OpenGL 1.1 path draws it, by a shader program of our
// own (browsers have no OpenGL 1.1).

#include "webgl_scene.h"

#include <emscripten/html5.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "bolt.h"
#include "floor_picture.h"
#include "scene_geometry.h"
#include "texture_pyramid.h"
#include "webgl_bolt.h"
#include "webgl_program.h"

namespace {

// The planes' corners, one plane after the other in one buffer, in
// ScenePlane's order; the two pictures' textures (0 while missing).
GLuint g_planes = 0;
GLuint g_clouds = 0;
GLuint g_floor = 0;
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

void ReplaceTexture(GLuint& texture, const RgbImage* image)
{
    if (texture)
        glDeleteTextures(1, &texture);
    texture = BuildTexture(image);
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

    std::vector<SceneVertex> corners;
    for (const SceneQuad* plane : kPlaneCorners)
        corners.insert(corners.end(), std::begin(*plane), std::end(*plane));
    glGenBuffers(1, &g_planes);
    glBindBuffer(GL_ARRAY_BUFFER, g_planes);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(corners.size() * sizeof corners[0]),
                 corners.data(), GL_STATIC_DRAW);

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    return true;
}

int InitWebGlScene(const RgbImage* cloud, const RgbImage* desktop)
{
    ReplaceTexture(g_clouds, cloud);
    ReplaceTexture(g_floor, desktop);
    if (!g_clouds && !g_floor)
        return 0;
    GrowBolt();
    return 1;
}

bool SetFloorPicture(const RgbImage* picture)
{
    const GLuint texture = BuildTexture(picture);
    if (!texture)
        return false;
    if (g_floor)
        glDeleteTextures(1, &g_floor);
    g_floor = texture;
    return true;
}

void ResizeWebGlScene(int width, int height)
{
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    g_projection = SceneProjection(static_cast<double>(width) / height);
}

void DrawWebGlScene()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindBuffer(GL_ARRAY_BUFFER, g_planes);
    glBlendFunc(GL_ONE, GL_ONE);
    for (const PlaneDrawing& plane : FramePlanes()) {
        (plane.adds ? glEnable : glDisable)(GL_BLEND);
        glDepthMask(plane.adds ? GL_FALSE : GL_TRUE);
        SetSceneMatrices(g_projection, SceneModelView(plane.slide));
        SetSceneLook(plane.grey, plane.picture == ScenePicture::Clouds ? g_clouds : g_floor);
        DrawSceneCorners(GL_TRIANGLE_FAN, 4 * static_cast<GLint>(plane.plane), 4, true);
    }
    if (g_boltVisible) {
        SetSceneMatrices(g_projection, SceneModelView(0.0f));
        DrawWebGlBolt();
    }
}
