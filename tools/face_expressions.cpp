// Smile and rage as sums of local, smoothly fading displacements around the mouth, cheeks, eyes,
// brows and nose of the neutral face.
#include "tools/face_expressions.h"

#include "tools/face_shape.h"

namespace faces {

namespace {

// Weight of the front of the face: 1 over the features, 0 from the ears backwards.
double frontMask(Point p) { return smoothstep(8.0, 20.0, p.z); }

// Where a point lies across the mouth: 0 in the middle, -1 and +1 at the corners, beyond them outside.
double mouthSpan(double x) { return x / mouthHalfWidth; }

// Weight of the lips and the skin round them, falling off above and below the mouth line.
double mouthRegion(Point p, double reachUp, double reachDown) {
    double dy = p.y - mouthY;
    double vertical = dy > 0.0 ? bell(dy, reachUp) : bell(dy, reachDown);
    double beyond = std::max(std::fabs(p.x) - mouthHalfWidth, 0.0);
    return vertical * bell(beyond, 6.0) * frontMask(p);
}

// Opening between the lips: the points above the mouth line move up by up, those below move down
// by down, and those right on the line sink into the mouth by depth; all scaled by how open the
// mouth is at this x (1 in the middle, 0 at the corners).
Point lipParting(Point p, double lineY, double opening, double up, double down, double depth) {
    const double lineSharpness = 0.7;  // the lips part along a narrow band of rows
    double dy = (p.y - lineY) / lineSharpness;
    double side = std::tanh(dy);  // -1 below the line, +1 above
    double lift = side > 0.0 ? up * side : down * side;
    double fade = bell(p.y - lineY, 7.0) * frontMask(p);
    double sink = depth * bell(dy, 1.3);
    return Point{0.0, lift * fade, -sink * frontMask(p)} * opening;
}

// 1 in the middle of the mouth, falling to 0 at the corners; the fall starts at fullTo (a share of
// the half-width), so a larger value gives a squarer opening.
double openingAcross(double x, double fullTo) {
    double s = std::fabs(mouthSpan(x));
    return 1.0 - smoothstep(fullTo, 1.0, s);
}

// -1 on the left half of the face, +1 on the right, passing smoothly through 0 on the midline so
// that sideways moves never tear the surface apart there.
double sideOf(double x) {
    const double midlineWidth = 1.5;
    return std::tanh(x / midlineWidth);
}

}  // namespace

Point smileWarp(Point p) {
    Point m{std::fabs(p.x), p.y, p.z};
    double sign = sideOf(p.x);
    Point move;

    // The mouth bends into a U: corners up, back and a little outwards.
    double s = mouthSpan(m.x);
    double bend = std::min(s * s, 1.6) * mouthRegion(p, 9.0, 7.0);
    move += Point{sign * 1.8 * std::min(s, 1.2), 7.0, -4.0} * bend;

    // A grin: the lips part along the neutral mouth line.
    move += lipParting(p, mouthY, openingAcross(p.x, 0.35), 1.4, 2.6, 5.0);

    // Cheeks pushed up and forwards.
    double cheek = bell3(m - Point{14.0, 31.0, 24.0}, {7.0, 6.5, 8.0});
    move += Point{sign * 0.8, 3.5, 2.0} * cheek;

    // Eyes narrowed: the lids close towards the eye's middle, the lower lid more.
    double eye = bell3(m - Point{eyeX, eyeY, 28.0}, {6.5, 5.0, 6.0});
    double dy = p.y - eyeY;
    double squeeze = dy < 0.0 ? 0.55 : 0.25;
    move += Point{0.0, -dy * squeeze * eye, 0.0};

    return p + move;
}

Point rageWarp(Point p) {
    Point m{std::fabs(p.x), p.y, p.z};
    double sign = sideOf(p.x);
    Point move;

    // Brows down and drawn together, the inner ends lowest.
    double brow = bell3(m - Point{9.0, browY, 29.0}, {10.0, 5.0, 8.0});
    double inner = 1.2 - 0.5 * clamp01(m.x / 18.0);
    move += Point{-sign * 2.2, -4.5 * inner, 1.2} * brow;
    double glabella = bell3(m - Point{0.0, 51.0, 29.0}, {4.0, 4.0, 6.0});
    move += Point{0.0, -2.5, 0.5} * glabella;
    // Two short vertical furrows between the brows.
    double furrow = bell(m.x - 2.2, 0.8) * bell(p.y - 51.5, 3.0) * frontMask(p);
    move += Point{0.0, 0.0, -1.2} * furrow;

    // The mouth bends into an arch: corners down and back.
    double s = mouthSpan(m.x);
    double bend = std::min(s * s, 1.6) * mouthRegion(p, 7.0, 9.0);
    move += Point{0.0, -5.0, -1.5} * bend;

    // A snarl: the upper lip drawn up (most over the canines), the lower lip a little down.
    double canine = 0.6 + 0.8 * bell(m.x - 5.5, 3.0);
    move += lipParting(p, mouthY, openingAcross(p.x, 0.6), 3.0 * canine, 1.2, 5.0);
    // The lips are stretched thin and drawn back against the teeth.
    move += Point{0.0, 0.0, -2.6} * mouthRegion(p, 4.0, 4.0);

    // Nostrils flared: the wings of the nose pushed out and up.
    double wing = bell3(m - Point{4.4, 29.8, 34.0}, {3.5, 3.0, 4.0});
    move += Point{sign * 1.8, 0.8, -0.3} * wing;

    // The sneer lifts the cheeks a little.
    double cheek = bell3(m - Point{12.0, 32.0, 25.0}, {6.0, 5.0, 7.0});
    move += Point{0.0, 1.5, 0.5} * cheek;

    return p + move;
}

FaceMesh warped(const FaceMesh& neutral, Point (*warp)(Point)) {
    FaceMesh mesh = neutral;
    for (auto& p : mesh.positions) {
        p = warp(p);
    }
    mesh.normals.clear();
    return mesh;
}

}  // namespace faces
