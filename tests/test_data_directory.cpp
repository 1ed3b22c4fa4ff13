// Where the data files are looked for, in which order, and the lines that say which file could
// not be read and where it was looked for.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "assets/dib_image.h"
#include "cli/data_directory.h"
#include "demo/data_files.h"
#include "platform/message_box.h"
#include "scene/mesh.h"
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

    // Loads the named data file with the reader that reads it, from the working directory as the
    // demo does (the bitmap loader's box answered unseen); true when it was read.
    static bool load(const char* name) {
        if (fs::path(name).extension() == ".sos") {
            Mesh mesh;
            return mesh.load(name);
        }
        platform::setMessageBoxHandler([](platform::Window*, const char*, const char*, unsigned) { return 0; });
        DibImage* image = loadDibImage(name);
        platform::setMessageBoxHandler(nullptr);
        if (!image) return false;
        std::free(image->pixels);
        std::free(image);
        return true;
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
    // Each file through its reader, in the demo's order; the line comes from what the reader kept.
    const fs::path previous = fs::current_path();
    fs::current_path(bin);
    std::vector<std::string> lines;
    for (const char* name : dataFileNames) {
        const bool loaded = load(name);
        const std::string line = unreadableDataFile(lookup, loadFailure);
        EXPECT_EQ(line.empty(), loaded) << name << ": a line exactly when its reader refused it";
        if (!line.empty()) lines.push_back(line);
    }
    // A file that is there but cannot be opened (an empty bitmap cannot be mapped) says so; a
    // directory in a file's place is no file, wherever its reader stopped.
    put(bin, "Lightmap.bmp", "");
    fs::create_directory(fs::path(bin) / "closed.sos");
    EXPECT_FALSE(load("Lightmap.bmp"));
    const std::string unopened = unreadableDataFile(lookup, loadFailure);
    EXPECT_FALSE(load("closed.sos"));
    const std::string directory = unreadableDataFile(lookup, loadFailure);
    // --data-dir given relative to where the program started, which it then leaves for it.
    const DataLookup relative = findDataDirectory("prefix/bin", work, bin);
    EXPECT_FALSE(load("rage.sos"));
    const std::string refusedThere = unreadableDataFile(relative, loadFailure);
    fs::current_path(previous);
    ASSERT_EQ(lines.size(), 4u) << "the readable mesh and bitmap are not named";
    EXPECT_EQ(lines[0], "cannot read rage.sos in " + bin + ": not a mesh file it can read") << "a refused mesh";
    EXPECT_EQ(lines[1], "cannot read closed.sos: not found in " + work + ", " + bin + ", " + share)
        << "a missing file names every place searched";
    EXPECT_EQ(lines[2], "cannot read sunsetclouds.bmp in " + bin + ": Unknown DIB file format.")
        << "a refused bitmap gives the loader's reason";
    EXPECT_NE(lines[3].find("cannot read Lightmap.bmp: not found in"), std::string::npos) << lines[3];
    EXPECT_EQ(unopened, "cannot read Lightmap.bmp in " + bin + ": cannot be opened") << "an empty bitmap";
    EXPECT_EQ(directory, "cannot read closed.sos: not found in " + work + ", " + bin + ", " + share)
        << "a directory named as the file";
    EXPECT_EQ(refusedThere, "cannot read rage.sos in prefix/bin: not a mesh file it can read")
        << "a file in a relative data directory is found where it was read";
}

}  // namespace
