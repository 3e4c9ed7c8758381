#pragma once

// The scene's matrices for a drawing path without OpenGL 1.1's matrix
// stack, computed as gluPerspective, gluLookAt and glTranslatef compute
// them: 4 x 4, column after column, as WebGL takes them.
struct Matrix4 {
    float m[16];
};

// The projection for a view `aspect` times as wide as high.
Matrix4 SceneProjection(double aspect);

// The camera, then a move of `z` along +z (the sliding ceiling's).
Matrix4 SceneModelView(float z);
