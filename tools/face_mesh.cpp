// Normals and the .sos writer for the generated face meshes.
#include "tools/face_mesh.h"

#include <cstdio>

namespace faces {

void computeNormals(FaceMesh& mesh) {
    std::vector<Point> sums(mesh.positions.size());
    for (const auto& t : mesh.triangles) {
        Point a = mesh.positions[t[0]];
        Point b = mesh.positions[t[1]];
        Point c = mesh.positions[t[2]];
        // Twice the area times the unit normal: larger triangles weigh more.
        Point n = cross(b - a, c - a);
        for (std::uint32_t index : t) {
            sums[mesh.weldTarget[index]] += n;
        }
    }
    mesh.normals.resize(mesh.positions.size());
    for (std::size_t i = 0; i < mesh.positions.size(); ++i) {
        Point n = normalised(sums[mesh.weldTarget[i]]);
        // A vertex that no triangle with an area touches still gets a unit normal.
        mesh.normals[i] = length(n) > 0.0 ? n : Point{0.0, 0.0, 1.0};
    }
}

void translate(FaceMesh& mesh, Point offset) {
    for (auto& p : mesh.positions) {
        p += offset;
    }
}

std::string toSosText(const FaceMesh& mesh) {
    std::string out;
    out.reserve(mesh.positions.size() * 90 + mesh.triangles.size() * 20);
    char buffer[160];
    int n = std::snprintf(buffer, sizeof buffer, "Vertices : %d\n", static_cast<int>(mesh.positions.size()));
    out.append(buffer, static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < mesh.positions.size(); ++i) {
        Point p = mesh.positions[i];
        Point nrm = mesh.normals[i];
        n = std::snprintf(buffer, sizeof buffer, "%f %f %f\t%f %f %f\t", p.x, p.y, p.z, nrm.x, nrm.y, nrm.z);
        out.append(buffer, static_cast<std::size_t>(n));
        n = std::snprintf(buffer, sizeof buffer, "%f %f\n", mesh.texCoords[i][0], mesh.texCoords[i][1]);
        out.append(buffer, static_cast<std::size_t>(n));
    }
    n = std::snprintf(buffer, sizeof buffer, "\nFaces : %d\n", static_cast<int>(mesh.triangles.size()));
    out.append(buffer, static_cast<std::size_t>(n));
    for (const auto& t : mesh.triangles) {
        n = std::snprintf(buffer, sizeof buffer, "%d %d %d\n", static_cast<int>(t[0]), static_cast<int>(t[1]),
                          static_cast<int>(t[2]));
        out.append(buffer, static_cast<std::size_t>(n));
    }
    return out;
}

bool writeSos(const FaceMesh& mesh, const std::string& path) {
    std::string text = toSosText(mesh);
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace faces
