// The committed pictures, sound, icon and previews are the generator's output: running it again
// into an empty directory gives the same files, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::vector<char> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Compares every file the generator wrote to `made` with the file of the same name in `committed`.
void ExpectSameFiles(const fs::path& made, const fs::path& committed, const std::vector<std::string>& required) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(made)) names.push_back(entry.path().filename().string());
    for (const std::string& name : required)
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name << " was not generated";
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(fs::exists(committed / name)) << "generated but not committed";
        const std::vector<char> fresh = ReadAll(made / name);
        const std::vector<char> kept = ReadAll(committed / name);
        EXPECT_EQ(fresh.size(), kept.size());
        EXPECT_TRUE(fresh == kept) << "differs from the committed file: run tools/artgen/generate.py";
    }
}

TEST(ArtGenerator, ReproducesTheCommittedFiles) {
    const fs::path scratch = VANTOR_ARTGEN_SCRATCH_DIR;
    fs::remove_all(scratch);
    fs::create_directories(scratch);
    const fs::path resources = scratch / "resources";
    const fs::path docs = scratch / "docs";
    const std::string command = std::string("\"") + VANTOR_ARTGEN_PYTHON + "\" \"" + VANTOR_ARTGEN_SCRIPT +
                                "\" --resources \"" + resources.string() + "\" --docs \"" + docs.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    // The files that VantorPoker.rc embeds, and the previews of the pictures.
    ExpectSameFiles(resources, VANTOR_RESOURCE_DIR,
                    {"CardSheet.bmp", "PayTable.bmp", "Logo.bmp", "AboutLogo.bmp", "WinSound.wav", "VantorPoker.ico"});
    ExpectSameFiles(docs, VANTOR_DOCS_DIR,
                    {"card-sheet.png", "card-sheet@2x.png", "pay-table.png", "pay-table@2x.png", "logo.png",
                     "logo@2x.png", "about-logo.png", "about-logo@2x.png"});
    fs::remove_all(scratch);
}

}  // namespace
