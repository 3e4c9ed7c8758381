#include "webgl_bolt.h"

#include <vector>

#include "bolt.h"
#include "webgl_program.h"

void DrawWebGlBolt()
{
    static GLuint buffer = 0;
    if (!buffer)
        glGenBuffers(1, &buffer);
    std::vector<float> ends;
    for (int i = 0; i <= g_lastBranch; ++i)
        for (int j = 0; j < g_branchLength[i]; ++j) {
            ends.insert(ends.end(), g_boltPoints[j][i], g_boltPoints[j][i] + 3);
            ends.insert(ends.end(), g_boltPoints[j + 1][i], g_boltPoints[j + 1][i] + 3);
        }
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(ends.size() * sizeof(float)), ends.data(),
                 GL_STREAM_DRAW);
    SetSceneLook(g_flashBrightness, 0);
    DrawSceneCorners(GL_LINES, 0, static_cast<GLsizei>(ends.size() / 3), false);
}
