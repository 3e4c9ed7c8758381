#include "scene.h"

#include <cstdlib>

#include "bitmap_loader.h"
#include "bolt.h"
#include "gl_headers.h"
#include "scene_geometry.h"
#include "startup_marks.h"

unsigned int g_cloudTexture = 0;
unsigned int g_desktopTexture = 0;

namespace {

const GLfloat kFogColor[4] = {0.0f, 0.0f, 0.0f, 1.0f};

void DrawQuad(const SceneQuad& quad)
{
    glBegin(GL_QUADS);
    for (const SceneVertex& v : quad) {
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
    glFogf(GL_FOG_START, kFogStart);
    glFogf(GL_FOG_END, kFogEnd);
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
    gluPerspective(kFieldOfView, static_cast<double>(width) / height, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void DrawScene()
{
    DrawSceneWith(g_cloudTexture, g_desktopTexture);
}

void DrawSceneWith(unsigned int cloudTexture, unsigned int desktopTexture)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(kEye[0], kEye[1], kEye[2], kLookAt[0], kLookAt[1], kLookAt[2], kUp[0], kUp[1],
              kUp[2]);

    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_ONE, GL_ONE);
    for (const PlaneDrawing& plane : FramePlanes()) {
        (plane.adds ? glEnable : glDisable)(GL_BLEND);
        glDepthMask(plane.adds ? GL_FALSE : GL_TRUE);
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, plane.slide);
        glColor3f(plane.grey, plane.grey, plane.grey);
        glBindTexture(GL_TEXTURE_2D,
                      plane.picture == ScenePicture::Clouds ? cloudTexture : desktopTexture);
        DrawQuad(*kPlaneCorners[static_cast<int>(plane.plane)]);
        glPopMatrix();
    }
    glDisable(GL_TEXTURE_2D);

    if (g_boltVisible)
        DrawBolt();
}

void RenderFrame()
{
    DrawScene();
    StepScene();
}
