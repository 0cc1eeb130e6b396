#include <gtest/gtest.h>

#include "model/NativeFile.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

namespace kadenza {
namespace {

// The shipped sample is what the builder makes; regenerate it with
// `model_tests --gtest_also_run_disabled_tests --gtest_filter=*WriteShippedSample*`.
std::string shippedSamplePath() {
    return KADENZA_SOURCE_DIR "/samples/sample.tso";
}

TEST(SampleFile, ShippedSampleIsTheBuildersSample) {
    test::TempDir dir;
    ASSERT_TRUE(saveNativeFile(dir.path("sample.tso"), *test::sampleData()));
    EXPECT_EQ(test::readFile(shippedSamplePath()), test::readFile(dir.path("sample.tso")));
}

TEST(SampleFile, DISABLED_WriteShippedSample) {
    ASSERT_TRUE(saveNativeFile(shippedSamplePath(), *test::sampleData()));
}

}  // namespace
}  // namespace kadenza
