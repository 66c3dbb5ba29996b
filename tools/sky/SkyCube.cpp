#include "sky/SkyCube.h"

namespace sky {
namespace {

struct Camera {
    Vec3 forward;
    Vec3 right;
    Vec3 up;
};

Camera CameraOf(int face) {
    const Vec3 north{0, 1, 0}, south{0, -1, 0}, east{1, 0, 0}, west{-1, 0, 0}, zenith{0, 0, 1};
    switch (face) {
        case kTop:
            return {zenith, east, south};
        case kFront:
            return {north, east, zenith};
        case kRight:
            return {east, south, zenith};
        case kBack:
            return {south, west, zenith};
        default:
            return {west, north, zenith};  // Left
    }
}

}  // namespace

Vec3 FaceDirection(int face, double p, double q) {
    const Camera c = CameraOf(face);
    return {c.forward.x + p * c.right.x + q * c.up.x, c.forward.y + p * c.right.y + q * c.up.y,
            c.forward.z + p * c.right.z + q * c.up.z};
}

void RenderFace(CImage& picture, int face, int width, int height) {
    picture.Create(width, height, 24, -1);
    for (int row = 0; row < height; ++row) {
        const double q = 2.0 * (row + 0.5) / (height - 1) - 1.0;
        for (int column = 0; column < width; ++column) {
            const double p = 2.0 * (column + 0.5) / (width - 1) - 1.0;
            const Rgb c = ColourOf(FaceDirection(face, p, q));
            picture.SetRGB(column, row, c.r, c.g, c.b);
        }
    }
}

void RenderFaces(FacePictures& faces, int width, int height) {
    for (int face = 0; face < kFaceCount; ++face) RenderFace(faces[face], face, width, height);
}

}  // namespace sky
