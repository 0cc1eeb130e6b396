#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "report/PageComposer.h"

namespace kadenza::test {
namespace {

// A block of pieces of the heights given, some kept with the one before them, with a head of
// its own height, named by a letter.
class FakeBlock : public Block {
  public:
    FakeBlock(char name, std::vector<qreal> pieces, std::set<int> kept, qreal head)
        : name_(name), pieces_(std::move(pieces)), kept_(std::move(kept)), head_(head) {}

    char name() const { return name_; }
    int pieceCount() const override { return static_cast<int>(pieces_.size()); }
    qreal pieceHeight(int piece) const override { return pieces_[static_cast<std::size_t>(piece)]; }
    bool keepsWithPrevious(int piece) const override { return kept_.count(piece) > 0; }
    qreal headHeight() const override { return head_; }
    void drawPieces(QPainter&, const QPointF&, int, int) const override {}

  private:
    char name_;
    std::vector<qreal> pieces_;
    std::set<int> kept_;
    qreal head_;
};

struct Added {
    char name;
    std::vector<qreal> pieces;
    qreal head;
    qreal space;
    qreal reserve;
    bool breakBefore;
    // The pieces kept with the one before them.
    std::set<int> kept = {};
    bool keepWithPrevious = false;
};

struct CompositionCase {
    const char* what;
    std::vector<Added> blocks;
    // Every page's placements: "A0-2@10" is block A's pieces 0 to 2 with its head at y 10;
    // pages are set apart by "|".
    std::string pages;
};

std::string composed(const std::vector<Added>& blocks) {
    PageComposer composer(QSizeF(100, 100), nullptr);
    for (const Added& block : blocks) {
        if (block.breakBefore) {
            composer.breakPage();
        }
        composer.add(std::make_unique<FakeBlock>(block.name, block.pieces, block.kept, block.head),
                     block.space, block.reserve, block.keepWithPrevious);
    }
    std::string text;
    const std::vector<ComposedPage>& pages = composer.pages();
    for (std::size_t page = 0; page < pages.size(); ++page) {
        text += page == 0 ? "" : "|";
        for (const Placement& placement : pages[page]) {
            text += std::string(1, static_cast<const FakeBlock*>(placement.block)->name()) +
                    std::to_string(placement.first) + "-" + std::to_string(placement.last) + "@" +
                    std::to_string(static_cast<int>(placement.topLeft.y())) + " ";
        }
    }
    return text;
}

// Pages 100 high.
TEST(PageComposerTest, BlocksGoOnBetweenPiecesWithTheirHeadsAndNeverStartWithTooLittle) {
    const CompositionCase cases[] = {
        {"pieces fill a page, the rest goes on",
         {{'A', {30, 30, 30, 30}, 0, 0, 0, false}},
         "A0-2@0 |A3-3@0 "},
        {"the head on every page",
         {{'A', {30, 30, 30, 30, 30}, 20, 0, 0, false}},
         "A0-1@0 |A2-3@0 |A4-4@0 "},
        {"space between blocks, none at a page's top",
         {{'A', {30}, 0, 0, 0, false},
          {'B', {30}, 0, 10, 0, false},
          {'C', {30, 30}, 0, 10, 0, false}},
         "A0-0@0 B0-0@40 |C0-1@0 "},
        {"a block starts only with three of its pieces",
         {{'A', {40}, 0, 0, 0, false}, {'B', {10, 10, 10, 10, 10}, 10, 0, 0, false}},
         "A0-0@0 B0-4@40 "},
        {"...and else on the next page",
         {{'A', {70}, 0, 0, 0, false}, {'B', {10, 10, 10, 10}, 10, 0, 0, false}},
         "A0-0@0 |B0-3@0 "},
        {"a heading keeps its reserve",
         {{'A', {50}, 0, 0, 0, false}, {'H', {20}, 0, 0, 40, false}},
         "A0-0@0 |H0-0@0 "},
        {"a break starts a page unless the page is empty",
         {{'A', {10}, 0, 0, 0, true}, {'B', {10}, 0, 5, 0, true}},
         "A0-0@0 |B0-0@0 "},
        {"a piece taller than a page has a page of its own",
         {{'A', {150, 10}, 0, 0, 0, false}},
         "A0-0@0 |A1-1@0 "},
        {"a block without pieces takes no room", {{'A', {}, 20, 0, 0, false}}, ""},
    };
    for (const CompositionCase& c : cases) {
        EXPECT_EQ(composed(c.blocks), c.pages) << c.what;
    }
}

TEST(PageComposerTest, PiecesKeptWithTheOneBeforeShareItsPage) {
    const CompositionCase cases[] = {
        {"the page breaks before the group",
         {{'A', {30, 30, 20, 30}, 0, 0, 0, false, {3}}},
         "A0-1@0 |A2-3@0 "},
        {"a group taller than a page breaks as late as it can",
         {{'A', {50, 30, 30, 30, 30}, 0, 0, 0, false, {2, 3, 4}}},
         "A0-1@0 |A2-4@0 "},
        {"a block starts only with three groups",
         {{'A', {60}, 0, 0, 0, false}, {'B', {10, 10, 10, 10, 10}, 0, 0, 0, false, {1, 2}}},
         "A0-0@0 |B0-4@0 "},
    };
    for (const CompositionCase& c : cases) {
        EXPECT_EQ(composed(c.blocks), c.pages) << c.what;
    }
}

// S is kept with what comes before it, as the signature under the report.
TEST(PageComposerTest, ABlockKeptWithThePreviousOneTakesItsLastPiecesAlong) {
    const CompositionCase cases[] = {
        {"the last piece, under the head again",
         {{'A', {20, 20, 20, 20}, 10, 0, 0, false}, {'S', {30}, 0, 0, 0, false, {}, true}},
         "A0-2@0 |A3-3@0 S0-0@30 "},
        {"the last group",
         {{'A', {10, 20, 20, 20, 10}, 10, 0, 0, false, {4}}, {'S', {30}, 0, 0, 0, false, {}, true}},
         "A0-2@0 |A3-4@0 S0-0@40 "},
        {"a whole block that would start with too little",
         {{'A', {50}, 0, 0, 0, false},
          {'B', {10, 10, 10}, 0, 0, 0, false},
          {'S', {30}, 0, 0, 0, false, {}, true}},
         "A0-0@0 |B0-2@0 S0-0@30 "},
        {"the heading above what it takes",
         {{'A', {60}, 0, 0, 0, false},
          {'H', {10}, 0, 0, 10, false},
          {'B', {20}, 0, 0, 0, false},
          {'S', {20}, 0, 0, 0, false, {}, true}},
         "A0-0@0 |H0-0@0 B0-0@10 S0-0@30 "},
        {"nothing when it fits",
         {{'A', {20, 20}, 0, 0, 0, false}, {'S', {30}, 0, 5, 0, false, {}, true}},
         "A0-1@0 S0-0@45 "},
        {"nothing when the page is one group",
         {{'A', {50, 40}, 0, 0, 0, false, {1}}, {'S', {30}, 0, 0, 0, false, {}, true}},
         "A0-1@0 |S0-0@0 "},
    };
    for (const CompositionCase& c : cases) {
        EXPECT_EQ(composed(c.blocks), c.pages) << c.what;
    }
}

}  // namespace
}  // namespace kadenza::test
