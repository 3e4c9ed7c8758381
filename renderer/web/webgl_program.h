#pragma once

#include <GLES2/gl2.h>

#include "view_matrices.h"

// The one shader program of the WebGL path: the part of OpenGL 1.1's fixed
// pipeline that the scene uses. A texel times the colour (or the colour
// alone, untextured), then linear black fog by the distance from the eye
// along the view, as the OpenGL 1.1 path has it.

// Compiles and links it and makes it current; false when WebGL refuses.
// Needs a current context.
bool UseSceneProgram();

// The matrices the next drawings take.
void SetSceneMatrices(const Matrix4& projection, const Matrix4& modelView);

// The grey the next drawings are drawn in, and the texture they show (0:
// none, the colour alone).
void SetSceneLook(float grey, GLuint texture);

// Draws `count` corners from the bound array buffer, from `first`: a
// corner is (s, t, x, y, z) with `textured`, else (x, y, z).
void DrawSceneCorners(GLenum mode, GLint first, GLsizei count, bool textured);
