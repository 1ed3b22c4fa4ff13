// The neutral head built from blended ellipsoids, spheres and cones: skull, jaw, neck, brow, eyes,
// nose, lips, cheeks and ears.
#include "tools/face_shape.h"

namespace faces {

namespace {

// Distance bound of an axis-aligned ellipsoid (exact sign, close to the distance near the surface).
double ellipsoid(Point p, Point centre, Point radii) {
    Point q = p - centre;
    double k0 = length(divided(q, radii));
    double k1 = length(divided(q, scaled(radii, radii)));
    if (k1 <= 0.0) {
        return -std::min({radii.x, radii.y, radii.z});
    }
    return k0 * (k0 - 1.0) / k1;
}

double sphere(Point p, Point centre, double radius) { return length(p - centre) - radius; }

// A cone with rounded ends: radius ra at a, rb at b.
double roundCone(Point p, Point a, Point b, double ra, double rb) {
    Point ab = b - a;
    double t = clamp01(dot(p - a, ab) / dot(ab, ab));
    return length(p - (a + ab * t)) - (ra + (rb - ra) * t);
}

// Mirrors the point onto the +x half so that paired features are written once.
Point mirrored(Point p) { return {std::fabs(p.x), p.y, p.z}; }

double skull(Point p) {
    // Slightly narrower at the forehead than over the ears.
    double widen = 1.0 + 0.06 * smoothstep(30.0, -20.0, p.z);
    Point q{p.x / widen, p.y, p.z};
    return ellipsoid(q, {0.0, 58.0, -6.0}, {29.5, 33.0, 37.0});
}

double jaw(Point p) {
    // The lower face narrows towards the chin.
    double narrow = 0.68 + 0.32 * smoothstep(2.0, 30.0, p.y);
    Point q{p.x / narrow, p.y, p.z};
    double lower = ellipsoid(q, {0.0, 24.0, 2.0}, {25.0, 24.5, 29.0});
    double chin = ellipsoid(p, {0.0, 5.5, 21.0}, {8.0, 5.5, 6.0});
    // The cheekbones and temples carry the width of the skull down into the face.
    double midface = ellipsoid(p, {0.0, 38.0, 4.0}, {23.0, 13.0, 24.0});
    return smoothMin(smoothMin(lower, chin, 6.0), midface, 8.0);
}

// A short neck under the jaw, rounded off below.
double neck(Point p) { return roundCone(p, {0.0, -2.0, -9.0}, {0.0, 22.0, -8.0}, 12.5, 14.0); }

double cheeks(Point m) {
    double bone = ellipsoid(m, {15.5, 40.0, 20.0}, {7.0, 4.0, 6.5});
    double soft = ellipsoid(m, {12.5, 30.0, 20.0}, {9.0, 9.0, 9.5});
    double muzzle = ellipsoid(m, {0.0, 20.0, 21.5}, {14.0, 11.0, 10.5});
    return smoothMin(smoothMin(bone, soft, 5.0), muzzle, 6.0);
}

double brows(Point m) {
    double ridge = ellipsoid(m, {10.5, browY, 26.5}, {11.5, 4.5, 4.2});
    double glabella = ellipsoid(m, {0.0, 52.0, 28.5}, {5.0, 4.0, 4.0});
    return smoothMin(ridge, glabella, 3.0);
}

double eyeSocket(Point m) { return ellipsoid(m, {eyeX, eyeY + 0.3, 30.0}, {7.6, 5.6, 6.0}); }

// A shallow round hollow of the given radius and depth cut into the front of the eyeball, as a
// sculptor carves an iris or a pupil.
double eyeHollow(Point m, Point centre, double radius, double depth) {
    double cutRadius = (radius * radius + depth * depth) / (2.0 * depth);
    return sphere(m, centre + Point{0.0, 0.0, eyeRadius - depth + cutRadius}, cutRadius);
}

// Eyeball in a shell of lids with an almond-shaped opening, a little higher at the outer corner; the
// carved iris and pupil make it look open and gazing forwards.
double eye(Point m) {
    Point centre{eyeX, eyeY, eyeZ};
    double ball = sphere(m, centre, eyeRadius);
    ball = smoothMax(ball, -eyeHollow(m, centre, 2.7, 0.6), 0.7);
    ball = smoothMax(ball, -eyeHollow(m, centre, 1.2, 1.4), 0.6);
    const double halfWidth = 5.6;
    const double halfHeight = 2.8;
    const double lidThickness = 1.3;
    double dx = (m.x - eyeX) / halfWidth;
    double across = std::max(1.0 - dx * dx, 0.0);
    // Negative inside the almond: there the lids leave the eyeball bare.
    double opening = std::fabs(m.y - (eyeY + 0.3 + 0.5 * dx)) - halfHeight * across + 0.3;
    double lids = smoothMax(sphere(m, centre, eyeRadius + lidThickness), -opening, 1.2);
    return smoothMin(ball, lids, 1.2);
}

double nose(Point p) {
    Point m = mirrored(p);
    double bridge = roundCone(p, {0.0, 50.0, 28.5}, {0.0, 33.5, 38.5}, 2.4, 3.4);
    double tip = sphere(p, {0.0, 32.0, 39.0}, 4.0);
    double wing = sphere(m, {4.4, 29.8, 34.0}, 3.3);
    // Fills the corner between the nose and the cheeks so the sides of the nose slope.
    double base = ellipsoid(p, {0.0, 37.0, 29.0}, {6.5, 10.0, 5.5});
    return smoothMin(smoothMin(smoothMin(bridge, tip, 3.0), wing, 2.0), base, 3.0);
}

double nostril(Point m) { return ellipsoid(m, {2.7, noseBaseY - 0.2, 35.8}, {1.6, 1.4, 2.3}); }

double lips(Point p) {
    Point m = mirrored(p);
    // The upper lip dips in the middle (the cupid's bow) and both thin towards the corners.
    double upper = ellipsoid(p, {0.0, mouthY + 2.6 - 0.4 * bell(p.x, 2.0), 29.5}, {mouthHalfWidth, 2.9, 4.2});
    double lower = ellipsoid(p, {0.0, mouthY - 2.6, 28.8}, {mouthHalfWidth - 1.5, 2.8, 4.2});
    double both = smoothMin(upper, lower, 1.0);
    double philtrum = ellipsoid(m, {1.6, mouthY + 6.0, 31.0}, {1.1, 3.5, 1.6});
    double slit = ellipsoid(p, {0.0, mouthY, 33.0}, {mouthHalfWidth + 0.5, 0.45, 6.0});
    return smoothMax(smoothMin(both, philtrum, 1.5), -slit, 0.5);
}

double ear(Point m) {
    // A flat shell tilted back, with a hollow bowl facing outwards.
    const double tilt = 0.26;
    Point local = m - Point{29.5, 44.0, -4.0};
    double c = std::cos(tilt);
    double s = std::sin(tilt);
    Point q{local.x, local.y * c + local.z * s, -local.y * s + local.z * c};
    double shell = ellipsoid(q, {0.0, 0.0, 0.0}, {4.0, 10.0, 6.2});
    double lobe = ellipsoid(q, {0.3, -8.5, 0.8}, {2.6, 3.2, 3.2});
    // The bowl sits low and forward, leaving a thick rim round the top and back.
    double bowl = ellipsoid(q, {3.4, -1.5, 1.0}, {2.2, 6.0, 3.4});
    return smoothMax(smoothMin(shell, lobe, 1.5), -bowl, 1.0);
}

}  // namespace

double headField(Point p) {
    Point m = mirrored(p);
    double head = smoothMin(skull(p), jaw(p), 10.0);
    head = smoothMin(head, neck(p), 8.0);
    head = smoothMin(head, cheeks(m), 5.0);
    head = smoothMin(head, brows(m), 7.0);
    head = smoothMax(head, -eyeSocket(m), 5.0);
    head = smoothMin(head, eye(m), 2.5);
    head = smoothMin(head, nose(p), 2.5);
    head = smoothMin(head, lips(p), 1.5);
    head = smoothMin(head, ear(m), 4.0);
    return smoothMax(head, -nostril(m), 0.8);
}

}  // namespace faces
