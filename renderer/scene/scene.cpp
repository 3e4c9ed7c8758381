#include "scene.h"

#include <cstdlib>

#include "bitmap_loader.h"
#include "bolt.h"
#include "gl_headers.h"
#include "startup_marks.h"

unsigned int g_cloudTexture = 0;
unsigned int g_desktopTexture = 0;
float g_slideOffset = 10.0f;

namespace {

const GLfloat kFogColor[4] = {0.0f, 0.0f, 0.0f, 1.0f};

// One textured quad: texture coordinates and positions, in drawing order.
struct Vertex {
    GLfloat s, t, x, y, z;
};
using Quad = Vertex[4];

const Quad kCeiling = {{0, 1, -10, 0, 30}, {1, 1, 10, 0, 30}, {1, 0, 10, 2, 0}, {0, 0, -10, 2, 0}};
const Quad kSlidingCeiling = {
    {0, 1, -10, 0.1f, 10}, {1, 1, 10, 0.1f, 10}, {1, 0, 10, 2.1f, -40}, {0, 0, -10, 2.1f, -40}};
const Quad kFloor = {
    {0, 1, -10, -1, 30}, {1, 1, 10, -1, 30}, {1, 0, 10, -1, 0}, {0, 0, -10, -1, 0}};

void DrawQuad(const Quad& quad)
{
    glBegin(GL_QUADS);
    for (const Vertex& v : quad) {
        glTexCoord2f(v.s, v.t);
        glVertex3f(v.x, v.y, v.z);
    }
    glEnd();
}

// Builds a new mipmapped texture from a picture; false without one (the
// texture name then stays 0).
bool BuildTexture(const RgbImage* image, GLuint& texture)
{
    if (!image)
        return false;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    // Rows are tightly packed: any width comes out straight, and nothing is
    // read past the last row.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE,
                      image->pixels);
    MarkStartup("gluBuild2DMipmaps");
    return true;
}

// Loads one picture file into a new mipmapped texture; false when it is
// missing or unreadable.
bool LoadTexture(const char* path, GLuint& texture)
{
    RgbImage* image = LoadCaptureImage(path);
    MarkStartup(path);
    const bool built = BuildTexture(image, texture);
    FreeRgbImage(image);
    return built;
}

// The rest of the start once the textures are there: the first bolt and the
// fixed OpenGL state.
int StartScene(bool textured)
{
    if (!textured)
        return 0;
    GrowBolt();
    PrepareSceneContext();
    MarkStartup("first bolt and scene state");
    return 1;
}

} // namespace

void PrepareSceneContext()
{
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    glFogfv(GL_FOG_COLOR, kFogColor);
    glFogf(GL_FOG_START, 10.0f);
    glFogf(GL_FOG_END, 20.0f);
    glFogf(GL_FOG_MODE, static_cast<GLfloat>(GL_LINEAR));
    glFogf(GL_FOG_DENSITY, 0.5f);
    glEnable(GL_FOG);
}

unsigned int BuildSceneTexture(const RgbImage* image)
{
    GLuint texture = 0;
    BuildTexture(image, texture);
    return texture;
}

int LoadSceneTextures()
{
    const bool cloud = LoadTexture(kCloudPicturePath, g_cloudTexture);
    const bool desktop = LoadTexture(kDesktopPicturePath, g_desktopTexture);
    return cloud || desktop;
}

int InitScene()
{
    return StartScene(LoadSceneTextures());
}

int InitSceneFromImages(const RgbImage* cloud, const RgbImage* desktop)
{
    const bool clouds = BuildTexture(cloud, g_cloudTexture);
    const bool floor = BuildTexture(desktop, g_desktopTexture);
    return StartScene(clouds || floor);
}

void ResizeScene(int width, int height)
{
    if (height == 0)
        height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / height, 0.1, 500.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

namespace {

constexpr float kSlideStart = 10.0f;

// Where the sliding ceiling stands one step after `offset`: 0.05 further, or
// back at the start once past 40. The sum is taken in double precision and
// rounded to single, as always: scene_test
// (FlashLightsTheFloorThenItStaysDarkUntilTheNextBolt) pins the restart, and
// with it each new bolt, on the 601st step that this rounding gives.
float SlideAfter(float offset)
{
    const float moved = static_cast<float>(offset + 0.05);
    return moved > 40.0f ? kSlideStart : moved;
}

} // namespace

void StepScene()
{
    if (g_boltVisible)
        FadeFlash();
    g_slideOffset = SlideAfter(g_slideOffset);
    // The frame on which the ceiling jumps back shows the new bolt's flash.
    if (SlideAfter(g_slideOffset) == kSlideStart)
        GrowBolt();
}

void DrawScene()
{
    DrawSceneWith(g_cloudTexture, g_desktopTexture);
}

void DrawSceneWith(unsigned int cloudTexture, unsigned int desktopTexture)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(0.24, 0.24, 0.24, 0.24, 0.0, 1.0, 0.0, 1.0, 0.0);

    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, cloudTexture);
    DrawQuad(kCeiling);

    // The sliding ceiling stands where it is, in the shade of where it will
    // be one step on: 0.75 on the frame on which it jumps back.
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, g_slideOffset);
    const float shade = 1.0f - SlideAfter(g_slideOffset) / 40.0f;
    glColor3f(shade, shade, shade);
    glBindTexture(GL_TEXTURE_2D, cloudTexture);
    DrawQuad(kSlidingCeiling);
    glPopMatrix();

    const float floor = g_boltVisible ? g_flashBrightness : 0.3f;
    glColor3f(floor, floor, floor);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, desktopTexture);
    DrawQuad(kFloor);
    glDisable(GL_TEXTURE_2D);

    if (g_boltVisible)
        DrawBolt();
}

void RenderFrame()
{
    DrawScene();
    StepScene();
}
