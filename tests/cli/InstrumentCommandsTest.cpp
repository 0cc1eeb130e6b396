#include <gtest/gtest.h>

#include "CliFixture.h"
#include "samples/SampleImages.h"
#include "translators/LegacyFrame.h"
#include "translators/TranslatorFactory.h"

namespace kadenza::test {
namespace {

std::string asText(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// The .tso bytes of an image decoded by the model's translator in this process.
std::string decodedInProcess(int model, const std::string& image, const std::string& path) {
    auto translator = createTranslator(model);
    translator->copyIn(reinterpret_cast<const std::uint8_t*>(image.data()), 0,
                       static_cast<int>(image.size()));
    InstrumentData data;
    translator->decodeData(data);
    EXPECT_TRUE(saveNativeFile(path, data));
    return readFile(path);
}

TEST_F(CliTest, SampleImagesDecodeAsTheTranslatorsDo) {
    for (int model = 1; model <= 5; ++model) {
        const std::string image = path("m" + std::to_string(model) + ".bin");
        ASSERT_EQ(run({"sample", "--model", std::to_string(model), image}).exitCode, 0);
        EXPECT_EQ(readFile(image), asText(samples::sampleImage(model)));
        ASSERT_EQ(
            run({"decode", "--model", std::to_string(model), image, path("cli.tso")}).exitCode, 0);
        EXPECT_EQ(readFile(path("cli.tso")),
                  decodedInProcess(model, readFile(image), path("own.tso")))
            << "model " << model;
    }
}

TEST_F(CliTest, ShortImagesAreUnreadToTheEndAndLongOnesRefused) {
    const std::string full = asText(samples::sampleImage(3));
    writeFile(path("short.bin"), full.substr(0, 100));
    ASSERT_EQ(run({"decode", "--model", "3", path("short.bin"), path("cli.tso")}).exitCode, 0);
    EXPECT_EQ(readFile(path("cli.tso")), decodedInProcess(3, full.substr(0, 100), path("own.tso")));

    writeFile(path("long.bin"), full + "x");
    expectFailure(run({"decode", "--model", "3", path("long.bin"), path("x.tso")}), 2,
                  path("long.bin") + " is not a memory image: it is larger than 8192 bytes");
    expectFailure(run({"decode", "--model", "6", path("short.bin"), path("x.tso")}), 1,
                  "invalid model code '6': expected a number from 1 to 5");
    expectFailure(run({"decode", path("short.bin"), path("x.tso")}), 1,
                  "give either --model CODE or --legacy");
    EXPECT_FALSE(exists("x.tso"));
}

// A folder or an endless device given as an image or a frame ends the tool with a message,
// at once: nothing is read past the largest valid size.
TEST_F(CliTest, InputsThatAreNoFilesEndWithAMessage) {
    const std::string folder = path("");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"decode", "--model", "3", folder, path("x.tso")}, "Cannot read file " + folder},
        {{"decode", "--legacy", folder, path("x.tso")}, "Cannot read file " + folder},
        {{"setup", "show", "--model", "3", "--image", folder}, "Cannot read file " + folder},
        {{"decode", "--model", "3", "/dev/zero", path("x.tso")},
         "/dev/zero is not a memory image: it is larger than 8192 bytes"},
        {{"decode", "--legacy", "/dev/zero", path("x.tso")},
         "/dev/zero is not an Mx310.1 frame: it must hold the 532 bytes after the start byte"},
    };
    for (const auto& [args, message] : cases) {
        expectFailure(run(args), 2, message);
    }
    EXPECT_FALSE(exists("x.tso"));
}

TEST_F(CliTest, LegacyFramesAreCheckedBeforeAnythingIsWritten) {
    ASSERT_EQ(run({"sample", "--legacy", path("frame.bin")}).exitCode, 0);
    std::string frame = readFile(path("frame.bin"));
    ASSERT_EQ(frame.size(), 532u);
    ASSERT_EQ(run({"decode", "--legacy", path("frame.bin"), path("out.txt")}).exitCode, 0);
    EXPECT_EQ(readFile(path("out.txt")).substr(0, 11), "\r\nBank 0 \r\n");

    frame[legacyHeaderSize + 5] ^= 0x01;
    writeFile(path("bad.bin"), frame);
    expectFailure(run({"decode", "--legacy", path("bad.bin"), path("bad.txt")}), 4,
                  path("bad.bin") + ": the frame's checksum does not match its data");
    EXPECT_FALSE(exists("bad.txt"));
    writeFile(path("cut.bin"), frame.substr(1));
    EXPECT_EQ(run({"decode", "--legacy", path("cut.bin"), path("cut.txt")}).exitCode, 2);
}

TEST_F(CliTest, SetupShowListsGroupsThenItemsInTheChosenLanguage) {
    ASSERT_EQ(run({"setup", "encode", "--model", "3", "--defaults", "--image-out", path("d.bin")})
                  .exitCode,
              0);
    // The language comes from --lang, else from the environment's locale.
    const Outcome czech =
        run({"setup", "show", "--model", "3", "--image", path("d.bin")}, "cs_CZ.UTF-8");
    EXPECT_EQ(czech.exitCode, 0);
    EXPECT_EQ(czech.out.substr(0, czech.out.find("Cu\n")),
              "Obecné\n  Vypnutí přístroje\t120 s\n  Podsvícení\t2 s\n");
    const Outcome plain = run({"setup", "show", "--model", "3", "--image", path("d.bin")});
    EXPECT_NE(plain.out.find("General\n  Power off\t120 s\n"), std::string::npos);
    // Options may be written joined to their values, and -- ends them.
    const Outcome joined =
        run({"setup", "show", "--model=3", "--image=" + path("d.bin"), "--lang=cs"});
    EXPECT_EQ(joined.out.substr(0, joined.out.find("Cu\n")),
              "Obecné\n  Vypnutí přístroje\t120 s\n  Podsvícení\t2 s\n");
    expectFailure(run({"show", "--", "--help"}), 2, "Cannot open file --help");
    const Outcome english = run(
        {"setup", "show", "--model", "3", "--image", path("d.bin"), "--lang", "en"}, "cs_CZ.UTF-8");
    EXPECT_NE(english.out.find("General\n  Power off\t120 s\n"), std::string::npos);
    EXPECT_NE(english.out.find("Cu\n  Cu\t0,125 mm^{2}\n  Cu\t0,282 mm^{2}\n"), std::string::npos);
}

TEST_F(CliTest, SetupEncodeAppliesEachChangeThroughTheRange) {
    ASSERT_EQ(run({"setup", "encode", "--model", "3", "--defaults", "--set", "0:0=300", "--set",
                   "1:9=1,5", "--image-out", path("s.bin")})
                  .exitCode,
              0);
    ASSERT_EQ(readFile(path("s.bin")).size(), 8192u);
    const std::string shown =
        run({"setup", "show", "--model", "3", "--image", path("s.bin"), "--lang", "en"}).out;
    EXPECT_NE(shown.find("Power off\t300 s"), std::string::npos);
    EXPECT_NE(shown.find("Cu\t6 mm^{2}\n  Cu\t1.5 mm^{2}\n"), std::string::npos);

    expectFailure(run({"setup", "encode", "--model", "3", "--image", path("s.bin"), "--set",
                       "0:0=30", "--image-out", path("t.bin")}),
                  1, "--set 0:0=30: the value is outside the item's range");
    expectFailure(run({"setup", "encode", "--model", "3", "--defaults", "--set", "9:0=1",
                       "--image-out", path("t.bin")}),
                  1, "--set 9:0=1: the setup has no such item");
    expectFailure(run({"setup", "encode", "--model", "3", "--defaults", "--set", "0:0",
                       "--image-out", path("t.bin")}),
                  1, "invalid --set 0:0: expected ID:POS=VALUE");
    EXPECT_FALSE(exists("t.bin"));

    // An erased image's values are refused until set; a model without settings says so.
    writeFile(path("erased.bin"), std::string(8192, '\xff'));
    expectFailure(run({"setup", "encode", "--model", "3", "--image", path("erased.bin"), "--set",
                       "0:1=30", "--image-out", path("t.bin")}),
                  2, "Power off 1310.7 s: outside the allowed range");
    expectFailure(run({"setup", "show", "--model", "5", "--image", path("erased.bin")}), 6,
                  "This instrument keeps no settings");
    expectFailure(
        run({"setup", "encode", "--model", "5", "--defaults", "--image-out", path("t.bin")}), 6,
        "This instrument keeps no settings");
    EXPECT_FALSE(exists("t.bin"));
}

}  // namespace
}  // namespace kadenza::test
