#include "archive/SearchText.h"

#include <gtest/gtest.h>

namespace kadenza {
namespace {

struct Folding {
    const char* text;
    const char* folded;
};

class SearchTextTest : public testing::TestWithParam<Folding> {};

TEST_P(SearchTextTest, FoldsCaseAndDropsAccents) {
    EXPECT_EQ(searchText(GetParam().text), GetParam().folded);
}

INSTANTIATE_TEST_SUITE_P(Texts, SearchTextTest,
                         testing::Values(Folding{"Javorová 12, Brno", "javorova 12, brno"},
                                         Folding{"ŘÍHA ŽĎÁR", "riha zdar"},
                                         Folding{"Straße", "strasse"},
                                         Folding{"Z_S 0,5 Ω", "z_s 0,5 ω"}, Folding{"", ""}));

}  // namespace
}  // namespace kadenza
