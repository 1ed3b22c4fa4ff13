// Small double-precision vector and blending helpers for the face mesh generator.
#pragma once

#include <algorithm>
#include <cmath>

namespace faces {

struct Point {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Point operator*(Point a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline Point operator*(double s, Point a) { return a * s; }
inline Point& operator+=(Point& a, Point b) {
    a = a + b;
    return a;
}
inline double dot(Point a, Point b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline double length(Point a) { return std::sqrt(dot(a, a)); }
inline Point cross(Point a, Point b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline Point normalised(Point a) {
    double l = length(a);
    return l > 0.0 ? a * (1.0 / l) : Point{0.0, 0.0, 0.0};
}
// Component-wise product and quotient, for axis-aligned ellipsoids.
inline Point scaled(Point a, Point s) { return {a.x * s.x, a.y * s.y, a.z * s.z}; }
inline Point divided(Point a, Point s) { return {a.x / s.x, a.y / s.y, a.z / s.z}; }

inline double clamp01(double v) { return std::clamp(v, 0.0, 1.0); }
inline double smoothstep(double edge0, double edge1, double v) {
    double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}
// exp(-(d/sigma)^2): a bell that is 1 at d = 0.
inline double bell(double d, double sigma) { return std::exp(-(d / sigma) * (d / sigma)); }
// The same bell in three dimensions with a separate width per axis.
inline double bell3(Point d, Point sigma) {
    Point q = divided(d, sigma);
    return std::exp(-dot(q, q));
}

// Polynomial smooth minimum: the union of two distance fields with a fillet of width k.
inline double smoothMin(double a, double b, double k) {
    double h = std::max(k - std::fabs(a - b), 0.0) / k;
    return std::min(a, b) - h * h * k * 0.25;
}
// Smooth maximum: intersection (or, with -b, subtraction) with a fillet of width k.
inline double smoothMax(double a, double b, double k) { return -smoothMin(-a, -b, k); }

}  // namespace faces
