#include <gtest/gtest.h>

#include "model/InstrumentData.h"
#include "model/Utf8ToUtf16.h"
#include "support/SampleData.h"

namespace kadenza {
namespace {

using test::DataBuilder;

std::vector<int> bankNumbers(const InstrumentData& data) {
    std::vector<int> numbers;
    for (int i = 0; i < data.count(); ++i) {
        numbers.push_back(data.bank(i)->number());
    }
    return numbers;
}

TEST(InstrumentData, TidyDropsEmptyBanksAndSortsByNumber) {
    auto data = DataBuilder().emptyBank(5).bank(3).bank(1).emptyBank(0).bank(-2).build();
    data->tidy();
    EXPECT_EQ(bankNumbers(*data), (std::vector<int>{-2, 1, 3}));
}

TEST(InstrumentData, IndexOfNumberFindsTheLastBankWithTheNumber) {
    auto data = DataBuilder().bank(4).bank(9).bank(4).build();
    EXPECT_EQ(data->indexOfNumber(4), 2);
    EXPECT_EQ(data->indexOfNumber(9), 1);
    EXPECT_EQ(data->indexOfNumber(5), -1);
}

TEST(InstrumentData, IndexesOutsideTheListGiveNone) {
    auto data = DataBuilder().bank(1).build();
    EXPECT_EQ(data->bank(1), nullptr);
    EXPECT_EQ(data->bank(-1), nullptr);
    EXPECT_EQ(data->bank(0)->item(1), nullptr);
    EXPECT_EQ(data->bank(0)->item(-1), nullptr);
    data->add(nullptr);
    data->bank(0)->add(nullptr);
    EXPECT_EQ(data->count(), 1);
    EXPECT_EQ(data->bank(0)->count(), 1);
}

TEST(InstrumentData, RemoveTakesOutABankOrAnItemWhereverItIs) {
    auto data = DataBuilder().bank(1).item(1, 230).bank(2).item(15, 1e6).item(7, 0.1).build();
    InstrumentBank* second = data->bank(1);
    InstrumentItem* last = second->item(2);

    EXPECT_TRUE(data->remove(last));
    EXPECT_EQ(second->count(), 2);
    EXPECT_FALSE(data->remove(last));

    const InstrumentItem stranger(1, 1, false, false);
    EXPECT_FALSE(data->remove(&stranger));
    EXPECT_FALSE(second->removeItem(&stranger));

    EXPECT_TRUE(data->remove(data->bank(0)));
    EXPECT_EQ(bankNumbers(*data), (std::vector<int>{2}));
    EXPECT_TRUE(data->remove(data->bank(0)->item(0)));
    EXPECT_TRUE(data->remove(data->bank(0)->item(0)));
    EXPECT_EQ(data->count(), 1) << "deleting the last item leaves the bank";
}

TEST(InstrumentData, BankCopiesCloneEveryItemInOrder) {
    auto data = DataBuilder().numbered(12).item(15, 2e6, true, true, "L-PE").item(7, 0.3).build();
    const auto copy = data->bank(0)->clone();
    data->clear();
    const auto& bank = dynamic_cast<const InstrumentNumber&>(*copy);
    ASSERT_EQ(bank.count(), 3);
    EXPECT_EQ(bank.number(), 12);
    EXPECT_EQ(*bank.item(1)->note(), "L-PE");
    EXPECT_TRUE(bank.item(1)->isOver());
    EXPECT_EQ(bank.item(2)->value(), 0.3);
}

TEST(Utf8ToUtf16, DecodesDisplayTextUpToTheLimit) {
    EXPECT_EQ(utf8ToUtf16("\xCE\xA9", 100), u"\u03A9");
    EXPECT_EQ(utf8ToUtf16("U\033\002LN\033\001=230 V", 100), u"U\033\002LN\033\001=230 V");
    EXPECT_EQ(utf8ToUtf16(std::string(150, 'x'), 100).size(), 100u);
    EXPECT_EQ(utf8ToUtf16("ok\xF0\x9F\x98\x80 after", 100), u"ok");
    EXPECT_EQ(utf8ToUtf16("cut \xE2\x82", 100), u"cut ");
}

}  // namespace
}  // namespace kadenza
