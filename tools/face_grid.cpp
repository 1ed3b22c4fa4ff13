// The neutral head mesh: a closed grid with poles at the crown and under the neck, its rows and
// columns packed more densely over the face, each vertex found by casting a ray out of the head.
#include "tools/face_grid.h"

#include <vector>

#include "tools/face_shape.h"

namespace faces {

namespace {

constexpr double pi = 3.14159265358979323846;
// The point the rays start from: inside the head at brow height, high enough that the undersides of
// the brows, the nose and the chin still face it.
const Point rayOrigin{0.0, 50.0, -4.0};
constexpr double rayReach = 90.0;  // beyond the farthest point of the head from the origin
constexpr double rayStep = 0.25;   // fine enough not to step over the ears or the lids
constexpr int refineIterations = 40;

// count + 1 angles from 0 to range, spaced inversely to density(angle).
std::vector<double> packedAngles(int count, double range, double (*density)(double)) {
    const int fine = 20000;
    std::vector<double> cumulative(fine + 1, 0.0);
    for (int i = 0; i < fine; ++i) {
        double a = range * (i + 0.5) / fine;
        cumulative[i + 1] = cumulative[i] + density(a);
    }
    std::vector<double> angles(count + 1);
    int j = 0;
    for (int k = 0; k <= count; ++k) {
        double target = cumulative[fine] * k / count;
        while (j < fine && cumulative[j + 1] < target) {
            ++j;
        }
        double span = cumulative[j + 1] - cumulative[j];
        double f = span > 0.0 ? (target - cumulative[j]) / span : 0.0;
        angles[k] = range * (j + clamp01(f)) / fine;
    }
    angles[0] = 0.0;
    angles[count] = range;
    return angles;
}

// Rows: polar angle from the crown; dense from the forehead to under the chin.
double rowDensity(double polar) {
    double d = (polar - 1.9) / 0.65;
    return 1.0 + 3.0 * std::exp(-d * d * d * d);
}

// Columns: azimuth from the back of the head round through the face; dense over the face.
double columnDensity(double azimuth) {
    double d = (azimuth - pi) / 0.95;
    return 1.0 + 3.5 * std::exp(-d * d * d * d);
}

// The last point along the ray (coming in from outside) where the head's field turns negative.
Point castToSurface(Point direction) {
    double t = rayReach;
    while (t > 0.0 && headField(rayOrigin + direction * t) > 0.0) {
        t -= rayStep;
    }
    double inside = std::max(t, 0.0);
    double outside = inside + rayStep;
    for (int i = 0; i < refineIterations; ++i) {
        double mid = 0.5 * (inside + outside);
        if (headField(rayOrigin + direction * mid) > 0.0) {
            outside = mid;
        } else {
            inside = mid;
        }
    }
    return rayOrigin + direction * (0.5 * (inside + outside));
}

// Gradient of the head's field by central differences: the outward surface direction near p.
Point fieldGradient(Point p) {
    const double h = 0.02;
    return Point{headField(p + Point{h, 0.0, 0.0}) - headField(p - Point{h, 0.0, 0.0}),
                 headField(p + Point{0.0, h, 0.0}) - headField(p - Point{0.0, h, 0.0}),
                 headField(p + Point{0.0, 0.0, h}) - headField(p - Point{0.0, 0.0, h})} *
           (0.5 / h);
}

// Pulls a point near the surface onto it by a few Newton steps along the field's gradient.
Point projectToSurface(Point p) {
    const int newtonSteps = 4;
    const double maxStep = 1.0;
    for (int i = 0; i < newtonSteps; ++i) {
        Point g = fieldGradient(p);
        double g2 = dot(g, g);
        if (g2 < 1e-12) {
            break;
        }
        Point step = g * (-headField(p) / g2);
        double l = length(step);
        p += l > maxStep ? step * (maxStep / l) : step;
    }
    return p;
}

// Where a vertex would lie between its two neighbours along one grid line if the surface were
// sampled as evenly as the parameter: the neighbours interpolated at the parameter's ratio.
Point lineTarget(Point before, Point after, double gapBefore, double gapAfter) {
    return before + (after - before) * (gapBefore / (gapBefore + gapAfter));
}

// Evens out the grid over steep walls (the sides of the nose, the lids, the ears), where rays from
// one point graze the surface and leave long, thin triangles: each interior vertex slides along the
// surface towards where its neighbours say it belongs, then drops back onto the surface.
void relaxGrid(std::vector<Point>& grid, int rows, int columns, const std::vector<double>& polar,
               const std::vector<double>& azimuth) {
    const int iterations = 30;
    const double rate = 0.5;
    auto at = [&grid, columns](int r, int c) { return grid[static_cast<std::size_t>(r * columns + c)]; };
    for (int iteration = 0; iteration < iterations; ++iteration) {
        std::vector<Point> next = grid;
        // The rows next to the poles stay where the rays put them: they close the fans round the poles.
        for (int row = 2; row + 2 < rows; ++row) {
            for (int column = 0; column < columns; ++column) {
                int left = (column + columns - 1) % columns;
                int right = (column + 1) % columns;
                double gapLeft =
                    column == 0 ? azimuth[columns] - azimuth[columns - 1] : azimuth[column] - azimuth[column - 1];
                double gapRight = azimuth[column + 1] - azimuth[column];
                double gapUp = polar[row] - polar[row - 1];
                double gapDown = polar[row + 1] - polar[row];
                Point along = lineTarget(at(row, left), at(row, right), gapLeft, gapRight);
                Point across = lineTarget(at(row - 1, column), at(row + 1, column), gapUp, gapDown);
                Point p = at(row, column);
                Point move = ((along + across) * 0.5 - p) * rate;
                Point n = normalised(fieldGradient(p));
                move = move - n * dot(move, n);
                next[static_cast<std::size_t>(row * columns + column)] = projectToSurface(p + move);
            }
        }
        grid.swap(next);
    }
}

}  // namespace

FaceMesh buildNeutralHead() {
    FaceMesh mesh;
    std::vector<double> polar = packedAngles(gridRows, pi, rowDensity);
    std::vector<double> azimuth = packedAngles(gridColumns, 2.0 * pi, columnDensity);

    auto addVertex = [&mesh](Point p, double s, double t, std::uint32_t weld) {
        mesh.positions.push_back(p);
        mesh.texCoords.push_back({s, t});
        mesh.weldTarget.push_back(weld);
    };

    // The working grid: rows 0 and gridRows are the two poles, one point repeated along the row.
    std::vector<Point> grid(static_cast<std::size_t>((gridRows + 1) * gridColumns));
    Point crown = castToSurface({0.0, 1.0, 0.0});
    Point underNeck = castToSurface({0.0, -1.0, 0.0});
    for (int column = 0; column < gridColumns; ++column) {
        grid[static_cast<std::size_t>(column)] = crown;
        grid[static_cast<std::size_t>(gridRows * gridColumns + column)] = underNeck;
    }
    for (int row = 1; row < gridRows; ++row) {
        double sinPolar = std::sin(polar[row]);
        double cosPolar = std::cos(polar[row]);
        for (int column = 0; column < gridColumns; ++column) {
            // Azimuth 0 is the back of the head (-z); it turns through -x to the face (+z) at pi and on
            // through +x, so the columns run left to right across the face seen from the front.
            double a = azimuth[column];
            Point direction{-std::sin(a) * sinPolar, cosPolar, -std::cos(a) * sinPolar};
            grid[static_cast<std::size_t>(row * gridColumns + column)] = castToSurface(direction);
        }
    }
    relaxGrid(grid, gridRows + 1, gridColumns, polar, azimuth);

    // The mesh: the crown, rows 1 .. gridRows-1 of gridColumns+1 vertices (the last repeats the first
    // with s = 1, along the seam at the back of the head), then the pole under the neck.
    const std::uint32_t top = 0;
    addVertex(crown, 0.5, 1.0, top);
    const int rowLength = gridColumns + 1;
    auto vertexIndex = [](int row, int column) {
        return static_cast<std::uint32_t>(1 + (row - 1) * rowLength + column);
    };
    for (int row = 1; row < gridRows; ++row) {
        for (int column = 0; column <= gridColumns; ++column) {
            std::uint32_t weld = column == gridColumns ? vertexIndex(row, 0) : vertexIndex(row, column);
            double s = static_cast<double>(column) / gridColumns;
            double t = 1.0 - static_cast<double>(row) / gridRows;
            addVertex(grid[static_cast<std::size_t>(row * gridColumns + column % gridColumns)], s, t, weld);
        }
    }
    const std::uint32_t bottom = static_cast<std::uint32_t>(mesh.positions.size());
    addVertex(underNeck, 0.5, 0.0, bottom);

    // Counter-clockwise seen from outside: across the face a column step goes to +x and a row
    // step goes down.
    for (int column = 0; column < gridColumns; ++column) {
        mesh.triangles.push_back({top, vertexIndex(1, column), vertexIndex(1, column + 1)});
    }
    for (int row = 1; row + 1 < gridRows; ++row) {
        for (int column = 0; column < gridColumns; ++column) {
            std::uint32_t a = vertexIndex(row, column);
            std::uint32_t b = vertexIndex(row + 1, column);
            std::uint32_t c = vertexIndex(row, column + 1);
            std::uint32_t d = vertexIndex(row + 1, column + 1);
            mesh.triangles.push_back({a, b, c});
            mesh.triangles.push_back({c, b, d});
        }
    }
    for (int column = 0; column < gridColumns; ++column) {
        mesh.triangles.push_back({vertexIndex(gridRows - 1, column), bottom, vertexIndex(gridRows - 1, column + 1)});
    }
    return mesh;
}

}  // namespace faces
