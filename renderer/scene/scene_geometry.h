#pragma once

#include <array>

// What the scene draws and from where, the same for every drawing path
// (OpenGL 1.1 on Windows and Linux, WebGL in the browser): the planes, the
// camera, the projection and the fog.

// One corner of a textured plane: texture coordinates and position.
struct SceneVertex {
    float s, t, x, y, z;
};
// A plane's four corners, in drawing order.
using SceneQuad = SceneVertex[4];

// The sky: a ceiling sloping down into the distance, and a second one that
// slides away along +z by the scene's slide offset.
inline constexpr SceneQuad kCeiling = {
    {0, 1, -10, 0, 30}, {1, 1, 10, 0, 30}, {1, 0, 10, 2, 0}, {0, 0, -10, 2, 0}};
inline constexpr SceneQuad kSlidingCeiling = {
    {0, 1, -10, 0.1f, 10}, {1, 1, 10, 0.1f, 10}, {1, 0, 10, 2.1f, -40}, {0, 0, -10, 2.1f, -40}};
// The floor, showing the desktop.
inline constexpr SceneQuad kFloor = {
    {0, 1, -10, -1, 30}, {1, 1, 10, -1, 30}, {1, 0, 10, -1, 0}, {0, 0, -10, -1, 0}};

// The camera, as gluLookAt takes it: the eye, the point looked at, up.
inline constexpr double kEye[3] = {0.24, 0.24, 0.24};
inline constexpr double kLookAt[3] = {0.24, 0.0, 1.0};
inline constexpr double kUp[3] = {0.0, 1.0, 0.0};

// The projection, as gluPerspective takes it: the vertical field of view in
// degrees and the near and far planes.
inline constexpr double kFieldOfView = 45.0;
inline constexpr double kNearPlane = 0.1;
inline constexpr double kFarPlane = 500.0;

// Linear black fog, from clear at kFogStart units from the eye to black at
// kFogEnd.
inline constexpr float kFogStart = 10.0f;
inline constexpr float kFogEnd = 20.0f;

// The planes, in the order a frame draws them, and each one's corners.
enum class ScenePlane { Ceiling, SlidingCeiling, Floor };
inline constexpr const SceneQuad* kPlaneCorners[] = {&kCeiling, &kSlidingCeiling, &kFloor};

// The two pictures a plane may show.
enum class ScenePicture { Clouds, Desktop };

// How a frame draws one plane.
struct PlaneDrawing {
    ScenePlane plane;
    ScenePicture picture;
    float grey;  // the picture is lit in this grey
    float slide; // and moved this far along +z;
    bool adds;   // added to what lies under it, leaving the depth as it is (the
                 // sky), or else drawn over it with its depth
};

// The next frame drawn, the storm as it stands, written once for every
// drawing path: cleared to black, these planes in this order under the fog,
// then, while the bolt shows (g_boltVisible), the bolt in the flash's grey.
std::array<PlaneDrawing, 3> FramePlanes();
