// Where the data files are looked for, in which order, and the lines that say which file could
// not be read and where it was looked for.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/data_directory.h"
#include "tests/temp_path.h"

namespace {

namespace fs = std::filesystem;

class DataDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::path(testTempPath("data_dirs"));
        fs::remove_all(root);
        for (const char* d : {"work", "prefix/bin", "prefix/share/facedemo", "empty"}) fs::create_directories(root / d);
        work = (root / "work").string();
        bin = (root / "prefix" / "bin").string();
        share = (root / "prefix" / "share" / "facedemo").string();
    }
    void TearDown() override { fs::remove_all(root); }

    static void put(const std::string& directory, const char* name, const std::string& text = "x") {
        std::ofstream(fs::path(directory) / name) << text;
    }

    fs::path root;
    std::string work, bin, share;
};

TEST_F(DataDirectoryTest, LookupOrder) {
    DataLookup lookup = findDataDirectory("", work, bin);
    EXPECT_EQ(lookup.directory, work) << "nothing anywhere: the working directory";
    ASSERT_EQ(lookup.searched.size(), 3u) << "three places searched";
    EXPECT_EQ(lookup.searched[2], share) << "the installed place, normalised";

    put(share, "Lightmap.bmp");
    EXPECT_EQ(findDataDirectory("", work, bin).directory, share) << "installed data beside bin/";
    put(bin, "rage.sos");
    EXPECT_EQ(findDataDirectory("", work, bin).directory, bin) << "the executable's directory before share";
    put(work, "rocks.bmp");
    EXPECT_EQ(findDataDirectory("", work, bin).directory, work)
        << "a working directory with any data file wins, even with the others missing";

    lookup = findDataDirectory((root / "empty").string(), work, bin);
    EXPECT_EQ(lookup.directory, (root / "empty").string()) << "--data-dir is taken as it is";
    EXPECT_EQ(lookup.searched.size(), 1u) << "and no other place is tried";

    lookup = findDataDirectory("", work, work);
    EXPECT_EQ(lookup.searched.size(), 2u) << "the same directory is searched once";
    EXPECT_EQ(findDataDirectory("", work, "").searched.size(), 1u) << "no executable directory known";
}

TEST_F(DataDirectoryTest, UnreadableFilesNamed) {
    // A valid empty mesh and a 1 x 1 bitmap; the other four files missing or broken.
    put(bin, "smile.sos", "Vertices : 0\n\nFaces : 0\n");
    put(bin, "rage.sos", "Vertices : -4\n");
    const unsigned char pixel[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0,  0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0,
                                   0,   0,   1,  0, 0, 0, 1, 0, 24, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0,
                                   0,   0,   0,  0, 0, 0, 0, 0, 0,  0, 0,  0, 0, 0, 1,  2, 3, 0};
    put(bin, "rocks.bmp", std::string(reinterpret_cast<const char*>(pixel), sizeof pixel));
    put(bin, "sunsetclouds.bmp", std::string("BM") + std::string(60, '\0'));

    const DataLookup lookup = findDataDirectory("", work, bin);
    ASSERT_EQ(lookup.directory, bin);
    const std::vector<std::string> lines = unreadableDataFiles(lookup);
    ASSERT_EQ(lines.size(), 4u) << "the readable mesh and bitmap are not named";
    EXPECT_EQ(lines[0], "cannot read rage.sos in " + bin + ": not a mesh file it can read") << "a refused mesh";
    EXPECT_EQ(lines[1], "cannot read closed.sos: not found in " + work + ", " + bin + ", " + share)
        << "a missing file names every place searched";
    EXPECT_EQ(lines[2], "cannot read sunsetclouds.bmp in " + bin + ": Unknown DIB file format.")
        << "a refused bitmap gives the loader's reason";
    EXPECT_NE(lines[3].find("cannot read Lightmap.bmp: not found in"), std::string::npos) << lines[3];
}

}  // namespace
