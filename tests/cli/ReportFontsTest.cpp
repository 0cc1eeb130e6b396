#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliFixture.h"
#include "support/NssTestDatabase.h"

// The report names its fonts and falls back to no other: the machine's other fonts, even ones
// that take the report's fonts' names, change nothing on its pages.

namespace kadenza::test {
namespace {

namespace fs = std::filesystem;

const fs::path fontRoot = "/usr/share/fonts";

// The files the report's faces come from: Liberation Sans (fonts-liberation2) and DejaVu Sans
// (fonts-dejavu-core).
bool isReportFace(const fs::path& file) {
    const std::string name = file.filename().string();
    if (file.parent_path() == fontRoot / "truetype/liberation2") {
        return name.rfind("LiberationSans-", 0) == 0;
    }
    return file.parent_path() == fontRoot / "truetype/dejavu" &&
           (name == "DejaVuSans.ttf" || name == "DejaVuSans-Bold.ttf" ||
            name == "DejaVuSans-Oblique.ttf" || name == "DejaVuSans-BoldOblique.ttf");
}

// A scan rule that names every font of the folder as the face, with its foundry and nothing else:
// an impostor of each style the folder's fonts have.
std::string impostorRule(const std::string& folder, const std::string& family,
                         const std::string& foundry) {
    return "  <dir>" + folder +
           "</dir>\n  <match target=\"scan\">\n"
           "    <test name=\"file\" compare=\"contains\"><string>" +
           folder +
           "/</string></test>\n"
           "    <edit name=\"family\" mode=\"assign_replace\"><string>" +
           family +
           "</string></edit>\n"
           "    <edit name=\"foundry\" mode=\"assign_replace\"><string>" +
           foundry + "</string></edit>\n  </match>\n";
}

// A fontconfig set-up with the machine's own fonts and, beside them, every other font file of the
// machine twice more: once named Liberation Sans, once DejaVu Sans. Returns its file.
std::string hostileFontConfig(const TempDir& dir) {
    const std::string asLiberation = dir.path("as-liberation");
    const std::string asDejavu = dir.path("as-dejavu");
    fs::create_directories(asLiberation);
    fs::create_directories(asDejavu);
    int linked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(fontRoot)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || isReportFace(entry.path()) ||
            (extension != ".ttf" && extension != ".otf" && extension != ".ttc")) {
            continue;
        }
        const std::string name = std::to_string(++linked) + extension;
        fs::create_symlink(entry.path(), fs::path(asLiberation) / name);
        fs::create_symlink(entry.path(), fs::path(asDejavu) / name);
    }
    EXPECT_GT(linked, 0) << "no other fonts under " << fontRoot;
    const std::string file = dir.path("fonts.conf");
    std::ofstream(file) << "<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"fonts.dtd\">\n"
                        << "<fontconfig>\n"
                        << "  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n"
                        << "  <cachedir>" << dir.path("cache") << "</cachedir>\n"
                        << impostorRule(asLiberation, "Liberation Sans", "1ASC")
                        << impostorRule(asDejavu, "DejaVu Sans", "PfEd") << "</fontconfig>\n";
    return file;
}

// What a shell command wrote, the command failing the test where it fails.
std::string commandOutput(const std::string& command, const TempDir& dir) {
    const std::string out = dir.path("command.out");
    EXPECT_EQ(std::system((command + " >'" + out + "'").c_str()), 0) << command;
    return readFile(out);
}

// The fonts pdffonts lists, by name.
std::set<std::string> fontNames(const std::string& pdf, const TempDir& dir) {
    std::istringstream lines(commandOutput("pdffonts '" + pdf + "'", dir));
    std::set<std::string> names;
    std::string line;
    for (int number = 0; std::getline(lines, line); ++number) {
        if (number >= 2) {
            names.insert(line.substr(0, line.find(' ')));
        }
    }
    return names;
}

// Every page drawn as pdftoppm draws it, page by page.
std::vector<std::string> pageImages(const std::string& pdf, const std::string& prefix,
                                    const TempDir& dir) {
    commandOutput("pdftoppm -r 40 -png '" + pdf + "' '" + dir.path(prefix) + "'", dir);
    std::vector<std::string> pages;
    for (int page = 1; fs::exists(dir.path(prefix + "-" + std::to_string(page) + ".png")); ++page) {
        pages.push_back(readFile(dir.path(prefix + "-" + std::to_string(page) + ".png")));
    }
    return pages;
}

// A report is written as it is or signed, the signature's box drawn in the report's fonts.
struct Writing {
    const char* name;
    bool signs;
};

class ReportFontsTest : public CliTest, public ::testing::WithParamInterface<Writing> {
  protected:
    // The report of the data file, written or signed as the case says.
    Outcome report(const std::string& output, const std::string& environment = "") {
        std::vector<std::string> args{"report", input_, output, "--lang", "cs"};
        if (GetParam().signs) {
            args.insert(args.end(),
                        {"--sign", signer_, "--nss-dir", database_.folder(), "--force"});
        }
        return run(args, "C", environment + " KADENZA_NSS_PASSWORD='" + password_ + "'");
    }

    const std::string signer_ = "Jan Dvořák";
    const std::string password_ = "heslo";
    const NssTestDatabase database_{signer_, password_};
};

TEST_P(ReportFontsTest, PagesAndFontsAreTheSameWhateverOtherFontsTheMachineHolds) {
    // A draft, with a sign only DejaVu Sans has and a user's text set apart from the rest.
    ASSERT_EQ(run({"details", input_, "--set", "inspection.site=Brno, Údolní 5 ✓", "--set",
                   "inspection.number=42/2026", "--set", "inspection.inspector=" + signer_})
                  .exitCode,
              0);
    const std::string plain = path("plain.pdf");
    const std::string hostile = path("hostile.pdf");
    ASSERT_EQ(report(plain).exitCode, 0);
    ASSERT_EQ(report(hostile, "FONTCONFIG_FILE='" + hostileFontConfig(dir_) + "'").exitCode, 0);

    const std::set<std::string> fonts = fontNames(plain, dir_);
    EXPECT_EQ(fonts, fontNames(hostile, dir_));
    for (const std::string& font : fonts) {
        EXPECT_TRUE(font.rfind("LiberationSans", 0) == 0 || font.rfind("DejaVuSans", 0) == 0)
            << font;
    }
    EXPECT_EQ(fonts.count("DejaVuSans"), 1u) << "the tick is DejaVu Sans's";

    // A signature's box tells the second it was made in.
    if (!GetParam().signs) {
        const std::vector<std::string> pages = pageImages(plain, "plain", dir_);
        ASSERT_FALSE(pages.empty());
        EXPECT_TRUE(pages == pageImages(hostile, "hostile", dir_)) << "the pages differ";
    }
}

INSTANTIATE_TEST_SUITE_P(WrittenAndSigned, ReportFontsTest,
                         ::testing::Values(Writing{"Written", false}, Writing{"Signed", true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kadenza::test
