#include <QAction>
#include <QMenu>
#include <QtTest>

#include "app/DataTreeView.h"
#include "app/ReadableColour.h"
#include "model/QuantityTable.h"
#include "support/SampleData.h"

// The data tree: its rows and their numbers, the columns of the context menu, deleting rows,
// and what a row looks like on the screen.

namespace kadenza::test {

namespace {

enum Quantity { lineVoltage = 1, loopImpedance = 3, frequency = 8, insulationResistance = 15 };

QModelIndex child(const QModelIndex& parent, int row) {
    return parent.model()->index(row, 0, parent);
}

int rowsUnder(const QModelIndex& parent) {
    return parent.model()->rowCount(parent);
}

QString nodeText(const QModelIndex& node) {
    return DataTreeView::addressNumberOf(node);
}

QStringList childTexts(const QModelIndex& bank) {
    QStringList texts;
    for (int i = 0; i < rowsUnder(bank); ++i) {
        texts << nodeText(child(bank, i));
    }
    return texts;
}

// The style lays a faint sheen over the selection.
// A dark palette as a desktop's dark theme gives it.
QPalette darkPalette() {
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    return dark;
}

bool isHighlight(QRgb pixel, const QColor& highlight) {
    return qAbs(qRed(pixel) - highlight.red()) < 16 &&
           qAbs(qGreen(pixel) - highlight.green()) < 16 &&
           qAbs(qBlue(pixel) - highlight.blue()) < 16;
}

}  // namespace

class DataTreeViewTest : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<InstrumentData> data_;
    std::unique_ptr<DataTreeView> tree_;

    // Bank 1 with two primary voltages, bank 2 with a frequency.
    static std::unique_ptr<InstrumentData> twoBanks() {
        return DataBuilder()
            .emptyBank(1)
            .item(lineVoltage, 230, true)
            .item(lineVoltage, 231, true)
            .emptyBank(2)
            .item(frequency, 50)
            .build();
    }

    void show(std::unique_ptr<InstrumentData> data) {
        tree_.reset();
        data_ = std::move(data);
        tree_ = std::make_unique<DataTreeView>(*data_);
        tree_->resize(400, 300);
        tree_->rebuild();
    }

    QModelIndex bankRow(int index) const { return tree_->model()->index(index, 0); }
    int bankRows() const { return tree_->model()->rowCount(); }

    // The bank's row, expanded.
    QModelIndex expandedBank(int index) {
        const QModelIndex bank = bankRow(index);
        tree_->expand(bank);
        return bank;
    }

    QAction* toggle(const char* name) const {
        return tree_->findChild<QAction*>(QString::fromLatin1(name));
    }

    QString drawnText(const QModelIndex& node) const {
        const auto row = tree_->rowAt(node);
        return row ? QString::fromStdU16String(row->text) : QString();
    }

    void pressDelete() { QTest::keyClick(tree_.get(), Qt::Key_Delete); }

  private slots:
    void cleanup() {
        tree_.reset();
        data_.reset();
    }

    void emptyContainerGivesEmptyTree() {
        show(std::make_unique<InstrumentData>());
        QCOMPARE(bankRows(), 0);
    }

    void primaryItemsAreNumberedFromOneInEveryBank() {
        show(DataBuilder()
                 .bank(1)
                 .item(lineVoltage, 230, true)
                 .item(frequency, 50)
                 .item(lineVoltage, 231, true)
                 .item(insulationResistance, 2e6, true)
                 .bank(2)
                 .item(frequency, 50)
                 .item(lineVoltage, 229, true)
                 .bank(3)
                 .item(frequency, 49.9)
                 .build());
        QCOMPARE(bankRows(), 3);
        QCOMPARE(nodeText(bankRow(0)), QStringLiteral(" "));
        QVERIFY(!tree_->isExpanded(bankRow(0)));
        QCOMPARE(childTexts(expandedBank(0)), QStringList({" ", " [1]", " ", " [2]", " [3]"}));
        QCOMPARE(childTexts(expandedBank(1)), QStringList({" ", " ", " [1]"}));
        QCOMPARE(childTexts(expandedBank(2)), QStringList({" ", " "}));
        // The tree has two levels only.
        QCOMPARE(rowsUnder(child(bankRow(0), 1)), 0);
    }

    void rebuildReplacesEveryRow() {
        show(DataBuilder().bank(1).item(lineVoltage, 230, true).build());
        data_->clear();
        data_->add(std::make_unique<InstrumentBank>(7));
        data_->add(std::make_unique<InstrumentBank>(8));
        tree_->rebuild();
        QCOMPARE(bankRows(), 2);
        QCOMPARE(drawnText(bankRow(1)), QStringLiteral("Bank 8 "));
    }

    void columnTogglesChangeTheDrawnTextOnly() {
        show(DataBuilder().bank(4).item(lineVoltage, 230.5, true, false, "socket").build());
        const QModelIndex bank = expandedBank(0);
        const QModelIndex voltage = child(bank, 1);
        for (const char* name : {"Name1", "Unit1", "Note1", "Addressnumber1"}) {
            QVERIFY(toggle(name)->isChecked());
        }
        QCOMPARE(tree_->columnMask(), 7);
        QCOMPARE(drawnText(voltage), QStringLiteral("U\x1b\x02LN\x1b\x01=230.5 V socket [1]"));
        QCOMPARE(drawnText(bank), QStringLiteral("Bank 4 "));

        toggle("Addressnumber1")->trigger();
        QCOMPARE(drawnText(voltage), QStringLiteral("U\x1b\x02LN\x1b\x01=230.5 V socket"));
        toggle("Note1")->trigger();
        QCOMPARE(drawnText(voltage), QStringLiteral("U\x1b\x02LN\x1b\x01=230.5 V"));
        toggle("Unit1")->trigger();
        QCOMPARE(drawnText(voltage), QStringLiteral("U\x1b\x02LN\x1b\x01=230.5 "));
        toggle("Name1")->trigger();
        QCOMPARE(tree_->columnMask(), 0);
        QCOMPARE(drawnText(voltage), QStringLiteral("230.5 "));
        QCOMPARE(drawnText(bank), QStringLiteral("4"));

        // The rows stay the rows they were: a toggle repaints, it does not rebuild.
        QCOMPARE(bankRow(0), bank);
        QCOMPARE(child(bank, 1), voltage);
    }

    void primaryRowsAreBoldAndOverRangeRowsRed() {
        show(DataBuilder()
                 .bank(1)
                 .item(lineVoltage, 230, true)
                 .item(insulationResistance, 1.999e9, false, true)
                 .build());
        const QModelIndex bank = expandedBank(0);
        const auto bankRow = tree_->rowAt(bank);
        const auto primaryRow = tree_->rowAt(child(bank, 1));
        const auto overRow = tree_->rowAt(child(bank, 2));
        QVERIFY(!bankRow->bold && !bankRow->red);
        QVERIFY(primaryRow->bold && !primaryRow->red);
        QVERIFY(!overRow->bold && overRow->red);
    }

    void rowTextIsCutAfterOneHundredCharacters() {
        const std::string note(150, 'n');
        show(DataBuilder().bank(1).item(frequency, 50, true, false, note).build());
        const QString text = drawnText(child(expandedBank(0), 1));
        QCOMPARE(text.size(), 100);
        QVERIFY(text.endsWith(QStringLiteral("nnnn")));
    }

    // A judged item shows its verdict after its row and a bank its label, while the Verdict
    // toggle is on; details stored later show once the tree is told. The drawn rows stay as
    // they were.
    void verdictMarksFollowTheDetailsAndTheirToggle() {
        show(DataBuilder()
                 .bank(1)
                 .item(loopImpedance, 2.87, true)
                 .item(loopImpedance, 2.88, true)
                 .item(lineVoltage, 230, true)
                 .build());
        DetailsDocument details;
        tree_->showVerdictsOf(details);
        QModelIndex bank = expandedBank(0);
        const auto markOf = [this](const QModelIndex& node) { return tree_->markAt(node); };
        QCOMPARE(markOf(child(bank, 1)).verdict, VerdictKind::none);
        QVERIFY(markOf(child(bank, 1)).lacksDetail);
        QVERIFY(!markOf(child(bank, 3)).lacksDetail);

        details.set("bank.1.earthing", "TN");
        details.set("bank.1.device", "B16");
        details.set("bank.1.label", "Kuchyně");
        tree_->refreshVerdicts();
        QCOMPARE(markOf(child(bank, 1)).verdict, VerdictKind::pass);
        QCOMPARE(markOf(child(bank, 2)).verdict, VerdictKind::fail);
        QCOMPARE(markOf(child(bank, 3)).verdict, VerdictKind::none);
        QCOMPARE(markOf(bank).label, QStringLiteral("Kuchyně"));
        QCOMPARE(drawnText(child(bank, 2)), QStringLiteral("Z\x1b\x02S\x1b\x01=2.88 \u03a9  [2]"));

        tree_->show();
        const QImage marked = tree_->viewport()->grab().toImage();
        toggle("Verdict1")->trigger();
        QCOMPARE(markOf(child(bank, 2)).verdict, VerdictKind::none);
        QCOMPARE(markOf(bank).label, QString());
        QVERIFY(tree_->viewport()->grab().toImage() != marked);
    }

    // The tick of a passed value on the selected row stands out from the highlight by 3:1 at
    // least, as drawn, in a light palette and a dark one.
    void selectedTickStandsOutFromTheHighlight() {
        for (const QPalette& palette : {QApplication::palette(), darkPalette()}) {
            show(DataBuilder().bank(1).item(loopImpedance, 2.87, true).build());
            DetailsDocument details;
            details.set("bank.1.earthing", "TN");
            details.set("bank.1.device", "B16");
            tree_->showVerdictsOf(details);
            tree_->setPalette(palette);
            const QModelIndex passed = child(expandedBank(0), 1);
            QCOMPARE(tree_->markAt(passed).verdict, VerdictKind::pass);
            tree_->show();
            tree_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(tree_.get()));
            tree_->setCurrentIndex(passed);
            const QRect rowRect = tree_->visualRect(passed);
            const QImage image = tree_->viewport()->grab().toImage();
            const QColor drawn =
                image.pixelColor(tree_->viewport()->width() - 20, rowRect.center().y());
            QVERIFY(isHighlight(drawn.rgb(), palette.color(QPalette::Highlight)));
            // The row's text is lighter than the highlight, the tick darker.
            QColor tick = drawn;
            for (int x = rowRect.left(); x < tree_->viewport()->width(); ++x) {
                for (int y = rowRect.top(); y <= rowRect.bottom(); ++y) {
                    const QColor pixel = image.pixelColor(x, y);
                    if (pixel.lightnessF() < drawn.lightnessF() &&
                        contrastRatio(pixel, drawn) > contrastRatio(tick, drawn)) {
                        tick = pixel;
                    }
                }
            }
            QVERIFY(tick.green() > tick.red() && tick.green() > tick.blue());
            QVERIFY2(contrastRatio(tick, drawn) >= 3,
                     qPrintable(tick.name() + " on " + drawn.name()));
        }
    }

    void deleteRemovesABankWithItsItems() {
        show(
            DataBuilder().bank(1).item(lineVoltage, 230, true).bank(2).item(frequency, 50).build());
        tree_->setCurrentIndex(bankRow(0));
        pressDelete();
        QCOMPARE(data_->count(), 1);
        QCOMPARE(data_->bank(0)->number(), 2);
        QCOMPARE(bankRows(), 1);
        QCOMPARE(drawnText(bankRow(0)), QStringLiteral("Bank 2 "));
    }

    void deleteRemovesAnItemWithoutRenumbering() {
        show(twoBanks());
        QModelIndex first = expandedBank(0);
        tree_->setCurrentIndex(child(first, 0));
        pressDelete();
        QCOMPARE(data_->bank(0)->count(), 1);
        QCOMPARE(childTexts(first), QStringList({" [2]"}));

        // The last item of a bank goes; the bank's row stays.
        QModelIndex second = expandedBank(1);
        tree_->setCurrentIndex(child(second, 0));
        pressDelete();
        QCOMPARE(data_->bank(1)->count(), 0);
        QCOMPARE(bankRows(), 2);
        QCOMPARE(rowsUnder(second), 0);
    }

    void deleteIsIgnoredWithoutSelectionOrWhileRefused() {
        show(DataBuilder().bank(1).item(lineVoltage, 230, true).build());
        pressDelete();
        QCOMPARE(data_->count(), 1);

        tree_->setCurrentIndex(bankRow(0));
        tree_->setDeletionAllowed(false);
        pressDelete();
        QCOMPARE(data_->count(), 1);
        QCOMPARE(bankRows(), 1);
    }

    // Undo takes deletions back last first, each to its place, also after the tree was
    // rebuilt or cleared under it; it is refused with Delete.
    void undoPutsEveryDeletionBackWhereItWas() {
        show(twoBanks());
        QAction* undo = toggle("Undo1");
        QVERIFY(!undo->isEnabled());
        tree_->setCurrentIndex(child(expandedBank(0), 0));
        pressDelete();
        tree_->setCurrentIndex(bankRow(1));
        pressDelete();
        QVERIFY(undo->isEnabled());
        tree_->setDeletionAllowed(false);
        QVERIFY(!undo->isEnabled());
        tree_->setDeletionAllowed(true);

        undo->trigger();
        QCOMPARE(data_->count(), 2);
        QCOMPARE(drawnText(bankRow(1)), QStringLiteral("Bank 2 "));
        QCOMPARE(tree_->currentIndex(), bankRow(1));
        tree_->rebuild();
        undo->trigger();
        QCOMPARE(data_->bank(0)->count(), 2);
        QCOMPARE(childTexts(expandedBank(0)), QStringList({" [1]", " [2]"}));
        QVERIFY(!undo->isEnabled());

        // A transfer that found no port leaves the tree cleared; Undo shows the data again.
        tree_->setCurrentIndex(bankRow(0));
        pressDelete();
        tree_->clear();
        undo->trigger();
        QCOMPARE(data_->count(), 2);
        QCOMPARE(bankRows(), 2);
    }

    void anyMouseButtonSelectsTheRowUnderThePointer() {
        show(DataBuilder().bank(1).bank(2).bank(3).build());
        tree_->show();
        QVERIFY(QTest::qWaitForWindowExposed(tree_.get()));
        const QRect third = tree_->visualRect(bankRow(2));
        QTest::mousePress(tree_->viewport(), Qt::RightButton, {}, third.center());
        QCOMPARE(tree_->selectionModel()->selectedRows(), QModelIndexList({bankRow(2)}));

        // Below the last row nothing changes.
        QTest::mousePress(tree_->viewport(), Qt::LeftButton, {}, QPoint(50, third.bottom() + 40));
        QCOMPARE(tree_->selectionModel()->selectedRows(), QModelIndexList({bankRow(2)}));
    }

    // The selection fills the row to the right edge; an over-range value on it stays red
    // and readable, in a light palette and a dark one alike: its ink stands out from the
    // highlight by a contrast of 3 at least.
    void selectedOverRangeRowIsHighlightedAndReadable() {
        for (const QPalette& palette : {QApplication::palette(), darkPalette()}) {
            show(DataBuilder().bank(1).item(insulationResistance, 1.999e9, false, true).build());
            tree_->setPalette(palette);
            tree_->expandAll();
            tree_->show();
            tree_->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(tree_.get()));
            QModelIndex over = child(bankRow(0), 1);
            tree_->setCurrentIndex(over);
            const QRect rowRect = tree_->visualRect(over);
            const QImage image = tree_->viewport()->grab().toImage();
            const QColor highlight = palette.color(QPalette::Highlight);
            const int middle = rowRect.center().y();
            // The style's focus frame takes the outermost pixels.
            QVERIFY(isHighlight(image.pixel(tree_->viewport()->width() - 20, middle), highlight));

            const QColor drawn = image.pixelColor(tree_->viewport()->width() - 20, middle);
            QColor ink = drawn;
            for (int x = rowRect.left(); x < rowRect.left() + 150; ++x) {
                for (int y = rowRect.top(); y <= rowRect.bottom(); ++y) {
                    const QColor pixel = image.pixelColor(x, y);
                    if (contrastRatio(pixel, drawn) > contrastRatio(ink, drawn)) {
                        ink = pixel;
                    }
                }
            }
            QVERIFY(ink.red() > ink.green() + 40 && ink.red() > ink.blue() + 40);
            QVERIFY2(contrastRatio(ink, drawn) >= 3,
                     qPrintable(QString("%1 on %2").arg(ink.name(), drawn.name())));
        }
        // Where pure red stands out, it is kept: the printer and the white base draw it.
        QCOMPARE(readableRed(Qt::white), QColor(255, 0, 0));
        // Red text on a dark base stands out as text should; on white it stays pure red.
        QCOMPARE(readableRedText(Qt::white), QColor(255, 0, 0));
        for (const QColor base : {QColor(Qt::black), QColor(0x2a, 0x2a, 0x2a),
                                  QColor(0x35, 0x35, 0x35), QColor(0x45, 0x45, 0x45)}) {
            QVERIFY2(contrastRatio(readableRedText(base), base) >= 4.5, qPrintable(base.name()));
        }
        // The verdict marks stand out on every background a row may have.
        for (const QColor background : {QColor(Qt::white), QColor(Qt::black), QColor(48, 140, 198),
                                        QColor(42, 42, 42), QColor(0, 120, 0), QColor(200, 0, 0)}) {
            for (const QColor mark : {readableGreen(background), readableRed(background)}) {
                QVERIFY2(contrastRatio(mark, background) >= 3,
                         qPrintable(mark.name() + " on " + background.name()));
            }
        }
    }
};

}  // namespace kadenza::test

QTEST_MAIN(kadenza::test::DataTreeViewTest)
#include "DataTreeViewTest.moc"
