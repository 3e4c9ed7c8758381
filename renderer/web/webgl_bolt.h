#pragma once

// The bolt drawn with WebGL: every segment a line in the flash's grey,
// fogged, as the OpenGL 1.1 path draws it (bolt.h's DrawBolt). Needs the
// scene's program current, with the camera's matrices.
void DrawWebGlBolt();
