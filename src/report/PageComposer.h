#pragma once

#include <QPointF>
#include <QSizeF>
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

// Places the report's blocks on pages, top to bottom, each below the last: a block whose head
// and first three pieces do not fit on what is left of a page starts the next one, and a longer
// one goes on on the next page between two pieces. The blocks are laid out for the device the
// pages will be drawn on and live as long as the composer.
class PageComposer {
  public:
    PageComposer(const QSizeF& body, QPaintDevice* device);

    // A paragraph `space` below the last block (nothing at the top of a page). `reserve` more
    // must fit below its first line, so that a heading stays with what follows it.
    void addText(const StyledText& text, const TextStyle& style, qreal space = 0,
                 qreal reserve = 0);
    void addTable(Table table, qreal space = 0);
    // Any other block, laid out for width() on device().
    void add(std::unique_ptr<Block> block, qreal space = 0, qreal reserve = 0);
    // What comes next starts a new page, unless the page is still empty.
    void breakPage();

    const std::vector<ComposedPage>& pages() const { return pages_; }
    qreal width() const { return body_.width(); }
    QPaintDevice* device() const { return device_; }

  private:
    void startPage();

    QSizeF body_;
    QPaintDevice* device_;
    std::vector<std::unique_ptr<Block>> blocks_;
    std::vector<ComposedPage> pages_;
    qreal y_ = 0;
};

}  // namespace kadenza
