#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/BinaryIo.h"
#include "model/FileWriter.h"
#include "model/NativeFile.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

namespace kadenza {
namespace {

namespace fs = std::filesystem;
using test::DataBuilder;

std::string savedBytes(const InstrumentData& data, const std::string& path) {
    EXPECT_TRUE(saveNativeFile(path, data));
    return test::readFile(path);
}

std::string word(std::int32_t value) {
    std::ostringstream out;
    writeInt(out, value);
    return out.str();
}

class NativeFileTest : public ::testing::Test {
  protected:
    test::TempDir dir_;
    std::string path_ = dir_.path("data.tso");
};

TEST_F(NativeFileTest, EmptyContainerIsHeaderPlusFiveBytes) {
    const std::string expected =
        "TSO3datadata" + word(64) + std::string(48, '\0') + std::string("\x01\0\0\0\0", 5);
    EXPECT_EQ(savedBytes(InstrumentData(), path_), expected);
}

TEST_F(NativeFileTest, RecordsHaveTheirFixedSizes) {
    auto oneItem = DataBuilder().emptyBank(3).item(1, 230.5, true).build();
    EXPECT_EQ(savedBytes(*oneItem, path_).size(), 69u + 4 + 9 + 19);

    auto noted = DataBuilder().emptyBank(3).item(1, 230.5, true, false, "abc").build();
    const std::string bytes = savedBytes(*noted, path_);
    ASSERT_EQ(bytes.size(), 69u + 4 + 9 + 19 + 3);
    EXPECT_EQ(bytes.substr(69, 4), "bank");
    EXPECT_EQ(bytes.substr(73, 9), std::string("\x01\x01\0\0\0\x03\0\0\0", 9));
    EXPECT_EQ(bytes.substr(82 + 13, 7), std::string("\x03\0\0\0abc", 7));
    EXPECT_EQ(bytes.substr(bytes.size() - 2), std::string("\x01\0", 2));
}

TEST_F(NativeFileTest, SaveOpenSaveKeepsEveryByte) {
    auto data = DataBuilder()
                    .bank(-5)
                    .item(40, 1e300, true, true, "<a href=\"x\">&'\n</a>\r\n")
                    .item(15, -0.0)
                    .numbered(2147483647)
                    .item(23, 0.5, false, false, "\033\002Δ\033\001U, Ω μ φ ρ °C, ščřžý 😀")
                    .item(7, 0.086, true, false, "")
                    .build();
    const std::string first = savedBytes(*data, path_);

    InstrumentData loaded;
    ASSERT_TRUE(openNativeFile(path_, loaded));
    EXPECT_EQ(loaded.bank(0)->number(), -5);
    EXPECT_EQ(loaded.bank(0)->item(1)->symbol(), 40);
    EXPECT_NE(dynamic_cast<InstrumentNumber*>(loaded.bank(1)), nullptr);
    // An absent note comes back empty: both are stored as length 0.
    EXPECT_EQ(loaded.bank(0)->item(2)->note(), std::optional<std::string>(""));
    EXPECT_EQ(savedBytes(loaded, dir_.path("again.tso")), first);
}

TEST_F(NativeFileTest, RefusedFilesLeaveTheContainerAlone) {
    auto data = DataBuilder().bank(1).build();
    const std::string good = savedBytes(*data, path_);
    const auto refused = [&](const std::string& bytes) {
        InstrumentData target;
        target.add(std::make_unique<InstrumentBank>(99));
        const bool opened = openNativeBytes(bytes, target);
        return !opened && target.count() == 1 && target.bank(0)->number() == 99;
    };
    EXPECT_TRUE(refused("TSO2" + good.substr(4)));
    EXPECT_TRUE(refused(good.substr(0, 8) + "bank" + good.substr(12)));
    EXPECT_TRUE(refused(good.substr(0, 63)));
    EXPECT_TRUE(refused(""));
    EXPECT_THROW(openNativeFile(dir_.path("missing.tso"), *data), std::runtime_error);
}

TEST_F(NativeFileTest, DataSectionMayStandInAnySlotAtAnyOffset) {
    auto data = DataBuilder().bank(8).item(1, 12).build();
    const std::string good = savedBytes(*data, path_);
    std::string header = good.substr(0, 64);
    header.replace(8, 8, word(fourLetterCode("note")) + word(64));
    header.replace(24, 8, word(fourLetterCode("data")) + word(100));
    const std::string moved = header + std::string(36, '\x7F') + good.substr(64);

    InstrumentData loaded;
    ASSERT_TRUE(openNativeBytes(moved, loaded));
    ASSERT_EQ(loaded.count(), 1);
    EXPECT_EQ(loaded.bank(0)->item(1)->value(), 12);
}

TEST_F(NativeFileTest, TruncatedFileReadsZerosForTheMissingBytes) {
    auto data = DataBuilder().bank(6).item(15, 5e6, true, true, "long note").build();
    const std::string good = savedBytes(*data, path_);
    // Cut inside the last item's note: what arrived of the note stays, the flags read 0.
    InstrumentData loaded;
    std::int64_t missing = -1;
    ASSERT_TRUE(openNativeBytes(good.substr(0, good.size() - 6), loaded, &missing));
    const InstrumentItem& cut = *loaded.bank(0)->item(1);
    EXPECT_EQ(cut.value(), 5e6);
    EXPECT_EQ(*cut.note(), "long ");
    EXPECT_FALSE(cut.isPrimary());
    EXPECT_FALSE(cut.isOver());
    EXPECT_EQ(missing, 6);

    // Cut after the first item: the second one, declared but absent, counts at least its
    // smallest size. A whole file lacks nothing.
    const std::size_t lastItem = good.size() - 19 - 9;
    ASSERT_TRUE(openNativeBytes(good.substr(0, lastItem), loaded, &missing));
    EXPECT_EQ(missing, 19);
    ASSERT_TRUE(openNativeBytes(good, loaded, &missing));
    EXPECT_EQ(missing, 0);
}

// No file is read past the bound, whatever it claims or is: a larger one is refused before
// anything is made of it.
TEST_F(NativeFileTest, FilesLargerThanTheBoundAreRefused) {
    auto data = DataBuilder().bank(1).item(1, 230).build();
    savedBytes(*data, path_);
    fs::resize_file(path_, nativeFileLimit + 1);
    for (const std::string& large : {path_, std::string("/dev/zero")}) {
        try {
            openNativeFile(large, *data);
            ADD_FAILURE() << large << " was opened";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()),
                      large + " is too large for a data file: it holds more than 4 MiB");
        }
        EXPECT_EQ(data->count(), 1);
    }
}

TEST_F(NativeFileTest, UnknownBankTypeIsSkippedWordByWord) {
    auto data = DataBuilder().bank(1).item(1, 5).bank(2).item(1, 6).build();
    std::string bytes = savedBytes(*data, path_);
    // The count says three banks; a stray word before the second bank is passed over.
    bytes.replace(65, 4, word(3));
    const std::size_t secondBank = 69 + 4 + 9 + 19 + 19;
    bytes.insert(secondBank, "junk");
    InstrumentData loaded;
    ASSERT_TRUE(openNativeBytes(bytes, loaded));
    ASSERT_EQ(loaded.count(), 2);
    EXPECT_EQ(loaded.bank(1)->item(1)->value(), 6);
}

TEST_F(NativeFileTest, FullSectionDirectoryWritesNothingPastTheHeader) {
    {
        FileWriter writer(path_, fourLetterCode("data"));
        for (int i = 0; i < 7; ++i) {
            EXPECT_TRUE(writer.beginSection(fourLetterCode("sect")));
        }
        EXPECT_FALSE(writer.beginSection(fourLetterCode("data")));
        ASSERT_TRUE(writer.close());
    }
    EXPECT_EQ(test::readFile(path_).size(), 64u);
}

TEST_F(NativeFileTest, FailedSaveKeepsTheOldFile) {
    auto data = DataBuilder().bank(1).item(1, 230).build();
    const std::string old = savedBytes(*data, path_);
    {
        FileWriter abandoned(path_, fourLetterCode("data"));
        abandoned.stream() << "half a file";
    }
    EXPECT_EQ(test::readFile(path_), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path("")), {}), 1)
        << "no temporary file is left behind";
    EXPECT_THROW(saveNativeFile(dir_.path("no/such/folder/x.tso"), *data), std::runtime_error);
    EXPECT_THROW(saveNativeFile(dir_.path(""), *data), std::runtime_error);
}

TEST_F(NativeFileTest, WriteErrorIsReportedAndTheTargetUntouched) {
    auto data = DataBuilder().bank(1).item(1, 230).build();
    const std::string old = savedBytes(*data, path_);
    // A file size limit makes writes fail as a full disk does.
    EXPECT_EXIT(
        {
            test::limitFileSize(4096);
            std::exit(saveNativeFile(path_, *test::largeData(2000)) ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(test::readFile(path_), old);
}

}  // namespace
}  // namespace kadenza
