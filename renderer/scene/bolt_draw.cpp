#include "bolt.h"

#include "gl_headers.h"

void DrawBolt()
{
    glColor3f(g_flashBrightness, g_flashBrightness, g_flashBrightness);
    for (int i = 0; i <= g_lastBranch; ++i) {
        for (int j = 0; j < g_branchLength[i]; ++j) {
            glBegin(GL_LINES);
            glVertex3fv(g_boltPoints[j][i]);
            glVertex3fv(g_boltPoints[j + 1][i]);
            glEnd();
        }
    }
}
