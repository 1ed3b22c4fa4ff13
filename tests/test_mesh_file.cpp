// The .sos reader: layouts it accepts, the resize rule, short face sections, and what it refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>

#include "assets/load_failure.h"
#include "scene/mesh.h"

namespace fs = std::filesystem;

namespace {

const char* const canonical =
    "Vertices : 3\n"
    "0.0 0.0 0.0\t0.0 0.0 1.0\t0.0 0.0\n"
    "1.0 0.0 0.0\t0.0 0.0 1.0\t1.0 0.0\n"
    "0.0 1.0 0.0\t0.0 0.0 1.0\t0.0 1.0\n"
    "\n"
    "Faces : 1\n"
    "0 1 2\n";

// The vertex header and `vertices` records in the canonical layout, record i holding
// (i, i.5, -i), normal (0, 0, 1) and texture coordinates (0.25, i / 10).
std::string vertexSection(int vertices) {
    std::string text = "Vertices : " + std::to_string(vertices) + "\n";
    for (int i = 0; i < vertices; ++i) {
        const std::string n = std::to_string(i);
        text += n + " " + n + ".5 -" + n + "\t0 0 1\t0.25 " + n + "e-1\n";
    }
    return text;
}

// A whole file whose header states `faces` faces, of which the first `facesWritten` are
// there, face i being (0, 1, i % vertices).
std::string generated(int vertices, int faces, int facesWritten = -1) {
    std::string text = vertexSection(vertices) + "\nFaces : " + std::to_string(faces) + "\n";
    if (facesWritten < 0) facesWritten = faces;
    for (int i = 0; i < facesWritten; ++i) text += "0 1 " + std::to_string(i % vertices) + "\n";
    return text;
}

bool sameMesh(const Mesh& a, const Mesh& b) {
    return a.vertices.size() == b.vertices.size() && a.triangles.size() == b.triangles.size() &&
           std::memcmp(a.vertices.data(), b.vertices.data(), a.vertices.size() * sizeof(MeshVertex)) == 0 &&
           std::memcmp(a.triangles.data(), b.triangles.data(), a.triangles.size() * sizeof(MeshTriangle)) == 0;
}

class MeshFile : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("mesh_file_" + std::string(info->name()) + "_" + std::to_string(std::random_device{}()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string write(const std::string& name, const std::string& contents) {
        const fs::path path = dir / name;
        std::ofstream(path, std::ios::binary) << contents;
        return path.string();
    }

    bool load(Mesh& mesh, const std::string& name, const std::string& contents) {
        return mesh.load(write(name, contents).c_str());
    }

    fs::path dir;
};

}  // namespace

TEST_F(MeshFile, ReadsTheCanonicalLayout) {
    Mesh mesh;
    mesh.colour = Rgba{0.7f, 0.5f, 0.5f, 1.0f};
    mesh.matrix[12] = 5.0f;
    ASSERT_TRUE(load(mesh, "one.sos", canonical)) << "the canonical one-triangle file loads";
    ASSERT_EQ(mesh.vertices.size(), 3u) << "three vertices";
    ASSERT_EQ(mesh.triangles.size(), 1u) << "one triangle";
    EXPECT_EQ(mesh.vertices[1].position.x, 1.0f) << "position read";
    EXPECT_EQ(mesh.vertices[2].normal.z, 1.0f) << "normal read";
    EXPECT_EQ(mesh.vertices[2].texCoord[1], 1.0f) << "texture coordinate read";
    EXPECT_EQ(mesh.vertices[1].colour.a, 0.0f) << "the per-vertex colour is not in the file";
    EXPECT_EQ(mesh.triangles[0].indices[2], 2u) << "corners read";
    EXPECT_EQ(mesh.colour.r, 0.7f) << "the colour is not the reader's";
    EXPECT_EQ(mesh.matrix[12], 5.0f) << "nor the transform";
    EXPECT_EQ(mesh.getCounts(), std::make_pair(0u, 0u)) << "loading does not set the copy counts";

    const Vec3 table[3] = {{1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}, {1.0f, 1.0f, 1.0f}};
    mesh.displace(table, 1.0f);
    EXPECT_EQ(mesh.vertices[1].position.x, 1.0f) << "a mesh that was only loaded does not displace";

    Mesh values;
    ASSERT_TRUE(load(values, "values.sos",
                     "Vertices : 2\n-1.5e1 +2 .25\t-0 1e0 -.5\t3. -4\n"
                     "7 8 9 10 11 12 13 14\nFaces : 1\n1 0 1\n"))
        << "signs, exponents and bare fractions";
    EXPECT_EQ(values.vertices[0].position.x, -15.0f) << "an exponent";
    EXPECT_EQ(values.vertices[0].position.y, 2.0f) << "a plus sign";
    EXPECT_EQ(values.vertices[0].normal.z, -0.5f) << "a negative bare fraction";
    EXPECT_EQ(values.vertices[0].texCoord[1], -4.0f) << "the second texture coordinate";
    EXPECT_EQ(values.vertices[1].texCoord[1], 14.0f) << "the eighth value of the second record";

    Mesh empty;
    empty.vertices.resize(4);
    empty.triangles.resize(2);
    EXPECT_TRUE(load(empty, "empty.sos", "Vertices : 0\n\nFaces : 0\n")) << "a 0/0 file loads";
    EXPECT_TRUE(empty.vertices.empty()) << "and leaves no vertices";
    EXPECT_TRUE(empty.triangles.empty()) << "and no triangles";
}

TEST_F(MeshFile, WhiteSpaceIsInterchangeable) {
    Mesh reference;
    ASSERT_TRUE(load(reference, "canonical.sos", canonical));

    std::string crlf;
    for (const char* c = canonical; *c; ++c) crlf += *c == '\n' ? std::string("\r\n") : std::string(1, *c);
    const std::string layouts[] = {
        crlf,
        "Vertices : 3\n\n\n0.0 0.0 0.0\t0.0 0.0 1.0\t0.0 0.0\n\n1.0 0.0 0.0\t0.0 0.0 1.0\t1.0 0.0\n"
        "0.0 1.0 0.0\t0.0 0.0 1.0\t0.0 1.0\n\n\n\nFaces : 1\n\n0 1 2\n\n",
        "Vertices : 3 0 0 0 0 0 1 0 0 1 0 0 0 0 1 1 0 0 1 0 0 0 1 0 1 Faces : 1 0 1 2",
        "Vertices:3\n0 0 0 0 0 1 0 0\n1 0 0 0 0 1 1 0\n0 1 0 0 0 1 0 1\nFaces:1\n0 1 2",
    };
    const char* what[] = {"CR LF line ends", "blank lines between items", "all on one line",
                          "Faces right after the last value, no spaces around the colons"};
    for (int i = 0; i < 4; ++i) {
        Mesh mesh;
        EXPECT_TRUE(load(mesh, "layout" + std::to_string(i) + ".sos", layouts[i])) << what[i];
        EXPECT_TRUE(sameMesh(mesh, reference)) << what[i] << " reads as the canonical file";
    }

    Mesh trailing;
    EXPECT_TRUE(load(trailing, "trailing.sos", std::string(canonical) + "garbage 7 7 7\n"))
        << "anything after the last face is not read";
    EXPECT_TRUE(sameMesh(trailing, reference)) << "trailing garbage changes nothing";
}

// The numbers read as the C library's scanf reads them, whatever the platform's own does: the
// forms "%f" accepts, strtof's rounding at the ends of the float range, strtol's 64-bit limits
// cut to 32 bits, and the characters a failed number leaves read, which decide where the next
// scan starts and so whether "Faces" still matches.
TEST_F(MeshFile, ReadsNumbersAsTheCLibraryScansThem) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float tiny = std::numeric_limits<float>::denorm_min();
    const float kept = 9.0f;  // every field of the mesh before the load
    Mesh before;
    before.vertices.resize(1);
    std::fill_n(&before.vertices[0].position.x, 12, kept);

    struct Case {
        const char* what;
        const char* record;
        float values[8];  // position, normal, texture coordinates
    };
    const Case cases[] = {
        {"hexadecimal", "0x1.8p1 -0X.8P-1 0x1p-149 0x1p 0x. 0x1e +.5e+1 1e", {3, -0.25f, tiny, 1, 0, 30, 5, 1}},
        {"infinities and not-a-numbers",
         "inf -Infinity NAN -nan 1e39 -1e39 1e-46 -1e-46",
         {inf, -inf, nan, -nan, inf, -inf, 0.0f, -0.0f}},
        {"the ends of the range",
         "3.4028235e38 3.40282357e38 1.17549435e-38 1e-45 7e-46 1.e1 00.5 -0",
         {std::numeric_limits<float>::max(), inf, std::numeric_limits<float>::min(), tiny, 0, 10, 0.5f, -0.0f}},
        {"plain decimals, the first three with a quotient in a double on a float's halfway point",
         "0.0002749544946709648 0.07723983749747276 0.000002004416842282808 392.3612518310547 1.000000059604645 "
         "-36.234084 5. .5",
         {0x1.204f8ap-12f, 0x1.3c5fd6p-4f, 0x1.0d073ep-19f, 0x1.885c7cp+8f, 0x1.000002p+0f, -0x1.21df68p+5f, 5, 0.5f}},
        {"numbers longer than 64 characters: 1 and a half step, decided by a last digit far out; a long "
         "hexadecimal one",
         "1.0000000596046447753906250000000000000000000000000000000000000000"
         "1 1.0000000596046447753906250000000000000000000000000000000000000000"
         " 0x10000000000000000000000000000000000000000000000000000000000000000000000p-280"
         " 1e1 2 3 4 5",
         {0x1.000002p+0f, 1, 1, 10, 2, 3, 4, 5}},
        {"numbers run together, any white space between", "1.5.5-2+3\v4\f5\r6 7", {1.5f, 0.5f, -2, 3, 4, 5, 6, 7}},
        {"a word cut short stays read", "1 2 3 4 5 6 7 nax", {1, 2, 3, 4, 5, 6, 7, kept}},
        {"so does the character that ends \"infin\"", "1 2 3 4 5 6 7 infinx", {1, 2, 3, 4, 5, 6, 7, kept}},
        {"a sign alone stays read", "1 2 3 4 5 6 7 -", {1, 2, 3, 4, 5, 6, 7, kept}},
        {"\"0x\" alone stays read", "1 2 3 4 5 6 7 0x", {1, 2, 3, 4, 5, 6, 7, kept}},
        {"an exponent without digits stays read", "1 2 3 4 5 6 7 1e+", {1, 2, 3, 4, 5, 6, 7, 1}},
    };
    for (const Case& c : cases) {
        Mesh mesh = before;
        const std::string file = "Vertices : 1\n" + std::string(c.record) + "\nFaces : 1\n0 0 0\n";
        ASSERT_TRUE(load(mesh, "values.sos", file)) << c.what;
        const float* read = &mesh.vertices[0].position.x;
        for (int i = 0; i < 8; ++i) {
            const float* value = i < 6 ? read + i : &mesh.vertices[0].texCoord[i - 6];
            EXPECT_EQ(std::memcmp(value, &c.values[i], sizeof(float)), 0)
                << c.what << ": value " << i << " reads " << *value << ", not " << c.values[i];
        }
    }

    // What a number stops short of stays for the next scan, and "Faces" then fails to match.
    for (const char* record : {"1 2 3 4 5 6 7 nan(1)", "1 2 3 4 5 6 7 1e5e5", "1 2 3 4 5 6 7 +x"}) {
        Mesh mesh = before;
        const std::string file = "Vertices : 1\n" + std::string(record) + "\nFaces : 1\n0 0 0\n";
        EXPECT_FALSE(load(mesh, "stopped.sos", file)) << record;
    }

    // strtol's long is 64 bits; the int stored keeps its low 32 bits.
    Mesh faces;
    faces.triangles = {MeshTriangle{{2, 2, 2}}, MeshTriangle{{2, 2, 2}}};
    ASSERT_TRUE(load(faces, "corners.sos",
                     vertexSection(3) + "\nFaces : 2\n4294967297 -9223372036854775809 4294967298\n+1 -0 002\n"))
        << "corners beyond 32 bits";
    const std::uint32_t expected[2][3] = {{1, 0, 2}, {1, 0, 2}};
    for (int t = 0; t < 2; ++t) {
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(faces.triangles[t].indices[k], expected[t][k]) << "face " << t << ", corner " << k;
    }
    EXPECT_FALSE(load(faces, "corners.sos", vertexSection(3) + "\nFaces : 1\n0 1 9223372036854775808\n"))
        << "a corner past the long's limit is read as -1 and refused";
}

TEST_F(MeshFile, ResizesToTheFileAndToleratesAShortFaceSection) {
    const std::string ten = write("ten.sos", generated(10, 4));
    const std::string twenty = write("twenty.sos", generated(20, 8));
    Mesh fromTen, fromTwenty;
    ASSERT_TRUE(fromTen.load(ten.c_str()));
    ASSERT_TRUE(fromTwenty.load(twenty.c_str()));

    Mesh shrinking = fromTwenty;
    EXPECT_TRUE(shrinking.load(ten.c_str())) << "10 vertices into a mesh of 20";
    EXPECT_TRUE(sameMesh(shrinking, fromTen)) << "leaves exactly the 10 records of the file";

    Mesh growing = fromTen;
    EXPECT_TRUE(growing.load(twenty.c_str())) << "20 vertices into a mesh of 10";
    EXPECT_TRUE(sameMesh(growing, fromTwenty)) << "leaves all 20 records, every one read from the file";
    EXPECT_EQ(growing.vertices[19].texCoord[1], 1.9f) << "the last record is the file's";

    Mesh shortFaces;
    EXPECT_TRUE(load(shortFaces, "short.sos", generated(3, 3, 2))) << "a file that ends inside its faces loads";
    ASSERT_EQ(shortFaces.triangles.size(), 3u) << "with as many faces as its header states";
    EXPECT_EQ(shortFaces.triangles[1].indices[2], 1u) << "the faces that are there are read";
    EXPECT_EQ(shortFaces.triangles[2].indices[0], 0u) << "the missing face is (0, 0, 0)";
    EXPECT_EQ(shortFaces.triangles[2].indices[2], 0u) << "the missing face is (0, 0, 0)";

    Mesh stopped;
    EXPECT_TRUE(load(stopped, "stopped.sos", vertexSection(3) + "\nFaces : 2\n0 2 1\n1 x 2\n"))
        << "a face section that stops at a stray character still loads";
    ASSERT_EQ(stopped.triangles.size(), 2u) << "both faces are there";
    EXPECT_EQ(stopped.triangles[1].indices[0], 1u) << "the corner before the stray character is read";
    EXPECT_EQ(stopped.triangles[1].indices[1], 0u) << "the rest keep their zero";

    Mesh missing;
    missing.vertices.resize(2);
    EXPECT_FALSE(missing.load((dir / "nothing.sos").string().c_str())) << "a missing file is refused";
    EXPECT_EQ(missing.vertices.size(), 2u) << "and leaves the mesh as it was";
}

TEST_F(MeshFile, RefusesMalformedFilesAndLeavesTheMeshAlone) {
    Mesh before;
    ASSERT_TRUE(load(before, "before.sos", generated(20, 6)));

    const std::string sixVertices = "Vertices : 2\n0 0 0 0 0 1 0 0\n1 0 0 0 0 1 1 0\n";
    const std::pair<const char*, std::string> refused[] = {
        {"an empty file", ""},
        {"a lower-case header", "vertices : 0\n\nFaces : 0\n"},
        {"white space before the header", " Vertices : 0\n\nFaces : 0\n"},
        {"a byte-order mark",
         "\xEF\xBB\xBF"
         "Vertices : 0\n\nFaces : 0\n"},
        {"no count", "Vertices : \n\nFaces : 0\n"},
        {"a negative vertex count", "Vertices : -1\n\nFaces : 0\n"},
        {"a negative face count", sixVertices + "\nFaces : -3\n"},
        {"a file that ends inside its vertices", "Vertices : 3\n0 0 0 0 0 1 0 0\n1 0 0 0 0 1 1 0\n"},
        {"a mistyped face header", sixVertices + "\nFace : 1\n0 1 1\n"},
        {"a vertex count the file cannot hold", "Vertices : 2000000000\n"},
        {"a face count the file cannot hold", sixVertices + "\nFaces : 2000000000\n0 1 1\n"},
        {"a corner equal to the vertex count", sixVertices + "\nFaces : 1\n0 1 2\n"},
        {"a negative corner", sixVertices + "\nFaces : 1\n0 -1 1\n"},
        {"a missing face whose (0, 0, 0) has no vertex 0", "Vertices : 0\n\nFaces : 1\n"},
    };
    for (const auto& [what, contents] : refused) {
        Mesh mesh = before;
        bool loaded = true;
        EXPECT_NO_THROW(loaded = load(mesh, "refused.sos", contents)) << what;
        EXPECT_FALSE(loaded) << what << " is refused";
        EXPECT_TRUE(sameMesh(mesh, before)) << what << " leaves the mesh as it was";
        EXPECT_EQ(loadFailure.file, (dir / "refused.sos").string()) << what << ": the reader names the file";
        EXPECT_EQ(loadFailure.reason, "not a mesh file it can read") << what << ": and says why";
    }

    // Faces kept from the mesh's earlier contents count too: a short face section over a mesh
    // that had more vertices would leave corners pointing past the new, smaller vertex array.
    Mesh shrunk = before;
    EXPECT_FALSE(load(shrunk, "shrunk.sos", generated(2, 6, 1))) << "stale corners past the new vertices";
    EXPECT_TRUE(sameMesh(shrunk, before)) << "are refused without touching the mesh";

    // A file that is not there has its own reason; the next load that succeeds clears it.
    EXPECT_FALSE(shrunk.load((dir / "nothing.sos").string().c_str()));
    EXPECT_EQ(loadFailure.reason, "cannot be opened") << "a missing file";
    EXPECT_TRUE(load(shrunk, "fine.sos", canonical));
    EXPECT_TRUE(loadFailure.file.empty() && loadFailure.reason.empty()) << "a file read leaves no failure behind";
}
