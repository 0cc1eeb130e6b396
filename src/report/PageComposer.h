#pragma once

#include <QPointF>
#include <QSizeF>
#include <cstddef>
#include <memory>
#include <vector>

#include "report/Block.h"
#include "report/ReportStyle.h"
#include "report/StyledText.h"
#include "report/TableBlock.h"

class QPaintDevice;

namespace kadenza {

// Where a block, or the pieces `first` to `last` of it, went on a page: its head's top-left
// corner in the body of the page.
struct Placement {
    const Block* block;
    QPointF topLeft;
    int first;
    int last;
};

using ComposedPage = std::vector<Placement>;

// Places the report's blocks on pages, top to bottom, each below the last. A page breaks only
// between two pieces of a block, and there not before a piece kept with the one before it unless
// their group is taller than a page; the block's head goes on with it. A block whose head and
// first three groups of pieces do not fit on what is left of a page starts the next one. The
// blocks are laid out for the device the pages will be drawn on and live as long as the composer.
class PageComposer {
  public:
    PageComposer(const QSizeF& body, QPaintDevice* device);

    // A paragraph `space` below the last block (nothing at the top of a page). `reserve` more
    // must fit below its first line, so that a heading stays with what follows it.
    void addText(const StyledText& text, const TextStyle& style, qreal space = 0,
                 qreal reserve = 0);
    void addTable(Table table, qreal space = 0);
    // Any other block, laid out for width() on device(). A block kept with the previous one (the
    // signature under the report) does not start a page alone: where it does not fit, the last
    // pieces before it go on the next page with it, and a heading above them goes too.
    void add(std::unique_ptr<Block> block, qreal space = 0, qreal reserve = 0,
             bool keepWithPrevious = false);
    // What comes next starts a new page, unless the page is still empty.
    void breakPage();

    const std::vector<ComposedPage>& pages() const { return pages_; }
    qreal width() const { return body_.width(); }
    QPaintDevice* device() const { return device_; }

  private:
    struct AddedBlock {
        std::unique_ptr<Block> block;
        qreal space;
        qreal reserve;
    };

    // Where the pieces that move to the next page begin: a placement of the last page and a
    // piece of its block.
    struct Cut {
        std::size_t placement;
        int piece;
    };

    // Whether the block, from the piece `first` on, may start on the last page.
    bool startsOnPage(const AddedBlock& added, int first) const;
    void place(const AddedBlock& added, int first);
    // Places the pieces `first` up to `end` below the placement, or on a new page with a new
    // placement when they do not fit.
    void placeRun(Placement& placement, int first, int end);
    void moveLastPiecesOn();
    Cut lastPiecesCut(const ComposedPage& page) const;
    const AddedBlock& addedBlock(const Block* block) const;
    void startPage();

    QSizeF body_;
    QPaintDevice* device_;
    std::vector<AddedBlock> blocks_;
    std::vector<ComposedPage> pages_;
    qreal y_ = 0;
};

}  // namespace kadenza
