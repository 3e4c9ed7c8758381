#include "view_matrices.h"

#include <cmath>

#include "scene_geometry.h"

namespace {

struct Vector {
    double x, y, z;
};

Vector Cross(const Vector& a, const Vector& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vector Normalized(const Vector& v)
{
    const double length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return length == 0.0 ? v : Vector{v.x / length, v.y / length, v.z / length};
}

} // namespace

Matrix4 SceneProjection(double aspect)
{
    const double radians = kFieldOfView / 2 * M_PI / 180;
    const double cotangent = std::cos(radians) / std::sin(radians);
    const double depth = kFarPlane - kNearPlane;
    Matrix4 projection{};
    projection.m[0] = static_cast<float>(cotangent / aspect);
    projection.m[5] = static_cast<float>(cotangent);
    projection.m[10] = static_cast<float>(-(kFarPlane + kNearPlane) / depth);
    projection.m[11] = -1.0f;
    projection.m[14] = static_cast<float>(-2 * kNearPlane * kFarPlane / depth);
    return projection;
}

Matrix4 SceneModelView(float z)
{
    const Vector eye{kEye[0], kEye[1], kEye[2]};
    const Vector forward = Normalized({kLookAt[0] - eye.x, kLookAt[1] - eye.y, kLookAt[2] - eye.z});
    const Vector side = Normalized(Cross(forward, {kUp[0], kUp[1], kUp[2]}));
    const Vector up = Cross(side, forward);
    // The rotation's rows are side, up and -forward; the eye moves to the
    // origin; then the move along +z, applied first.
    const double rows[3][3] = {
        {side.x, side.y, side.z}, {up.x, up.y, up.z}, {-forward.x, -forward.y, -forward.z}};
    Matrix4 view{};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column)
            view.m[4 * column + row] = static_cast<float>(rows[row][column]);
        view.m[12 + row] = static_cast<float>(
            -(rows[row][0] * eye.x + rows[row][1] * eye.y + rows[row][2] * (eye.z - z)));
    }
    view.m[15] = 1.0f;
    return view;
}
