#include <QAccessible>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "FakeMessageBoxes.h"
#include "app/DataTreeRow.h"
#include "app/DrawRichText.h"
#include "app/InstrumentTransferWindow.h"
#include "app/Relabelling.h"
#include "app/TProgressForm.h"
#include "language/Language.h"
#include "samples/SampleImages.h"
#include "setup/SetupImages.h"
#include "setup/SetupListDelegate.h"
#include "setup/TForm2.h"
#include "sim/RunningInstrument.h"
#include "support/LocaleGuard.h"
#include "translators/Fcs16.h"
#include "translators/TranslatorFactory.h"

// The setup dialog against the simulator on a pseudo-terminal: what it lists and how, the
// in-place editor, the default settings, writing the setup back, and closing while its jobs
// run.

namespace kadenza::test {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int mx320 = 2;
constexpr int mx310 = 3;
constexpr int mx330 = 4;
// Both models list the general group first, and its power-off time first.
constexpr int powerOffRow = 1;
// The setup area's two tables and its general block are sealed; its last block is unused.
constexpr int setupStart = 8064;
constexpr int sealedSetupBlocks = 3;

sim::InstrumentBehaviour model(int code) {
    sim::InstrumentBehaviour behaviour;
    behaviour.modelCode = code;
    return behaviour;
}

std::unique_ptr<InstrumentTranslator> translatorWith(int modelCode, const Bytes& image) {
    auto translator = createTranslator(modelCode);
    translator->copyIn(image.data(), 0, static_cast<int>(image.size()));
    return translator;
}

// The lines of a setup as the list shows them, groups and settings in list order.
QStringList linesOf(const InstrumentSetup& setup) {
    QStringList lines;
    for (int b = 0; b < setup.count(); ++b) {
        const InstrumentSetupBank& bank = *setup.bank(b);
        lines << QString::fromStdU16String(bank.text());
        for (int i = 0; i < bank.count(); ++i) {
            lines << QString::fromStdU16String(bank.item(i)->text());
        }
    }
    return lines;
}

QStringList storedLines(int modelCode, const Bytes& image) {
    InstrumentSetup setup;
    translatorWith(modelCode, image)->decodeSetup(setup);
    return linesOf(setup);
}

QStringList defaultLines(int modelCode) {
    InstrumentSetup setup;
    createTranslator(modelCode)->defaultSetup(setup);
    return linesOf(setup);
}

// A row as it must look: the background, the image of its kind, and its line drawn from the
// image's right edge, bold for a group, red for a setting out of its range.
QImage expectedRow(const QListWidget& list, const InstrumentSetupAbstract& object, int width) {
    QImage image(width, SetupListDelegate::rowHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(list.palette().color(QPalette::Base));
    QPainter painter(&image);
    const bool bank = object.isBank();
    const int imageLeft = bank ? 0 : setupImageSize;
    painter.drawPixmap(imageLeft, 0, bank ? openFolderImage() : sheetImage());
    painter.setPen(list.palette().color(QPalette::Text));
    const auto* item = dynamic_cast<const InstrumentSetupItem*>(&object);
    DrawRichText(painter, "Arial", QRect(imageLeft + setupImageSize, 0, width, image.height()),
                 object.text(), 200, bank, item != nullptr && !item->inRange(),
                 list.palette().color(QPalette::Base));
    return image;
}

}  // namespace

class TForm2Test : public QObject {
    Q_OBJECT

  private:
    // Opens the dialog on `port`, runs `steps` once the dialog's read has ended, then closes
    // the dialog with Cancel if it is still open; returns the dialog's result.
    int openDialog(const QString& port, const std::function<void()>& steps) {
        QTimer::singleShot(0, this, [this, steps] {
            waitForJob();
            steps();
            waitForJob();
            if (dialog_->isVisible()) {
                QTest::mouseClick(button(2), Qt::LeftButton);
            }
        });
        return dialog_->showFor(port);
    }

    void waitForJob() { QTRY_VERIFY_WITH_TIMEOUT(button(2)->isEnabled(), 30000); }

    QPushButton* button(int number) {
        return dialog_->findChild<QPushButton*>(QString("Button%1").arg(number));
    }
    QListWidget* list() { return dialog_->findChild<QListWidget*>("ListBox1"); }
    QLineEdit* editor() { return dialog_->findChild<QLineEdit*>("Edit1"); }
    QRect rowRect(int row) { return list()->visualItemRect(list()->item(row)); }
    InstrumentSetupAbstract* rowObject(int row) {
        return SetupListDelegate::rowObject(*list()->item(row));
    }
    InstrumentSetupItem* rowItem(int row) {
        return dynamic_cast<InstrumentSetupItem*>(rowObject(row));
    }

    QStringList shownLines() {
        QStringList lines;
        for (int row = 0; row < list()->count(); ++row) {
            lines << QString::fromStdU16String(rowObject(row)->text());
        }
        return lines;
    }

    void doubleClickRow(int row) {
        list()->scrollToItem(list()->item(row));
        // The test's double click is the second click only, as it reaches the list.
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowRect(row).center());
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, rowRect(row).center());
    }

    // Opens the editor on the row, types `text` over its value and presses Enter.
    void enterValue(int row, const QString& text) {
        doubleClickRow(row);
        editor()->clear();
        QTest::keyClicks(editor(), text);
        QTest::keyClick(editor(), Qt::Key_Return);
    }

    // Whether the list draws the row as expectedRow() has it.
    bool rowLooksRight(int row) {
        list()->scrollToItem(list()->item(row));
        const QImage shown = list()
                                 ->viewport()
                                 ->grab(rowRect(row))
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        return !shown.isNull() && shown == expectedRow(*list(), *rowObject(row), shown.width());
    }

    QWidget mainWindow_;
    FakeMessageBoxes boxes_;
    TProgressForm* progress_ = nullptr;
    TForm2* dialog_ = nullptr;

  private slots:
    void init() {
        progress_ = new TProgressForm(&mainWindow_);
        dialog_ = new TForm2(*progress_, boxes_, &mainWindow_);
        boxes_.shown.clear();
        SetLanguage(englishLanguage);
    }
    void cleanup() {
        delete dialog_;
        delete progress_;
        SetLanguage(czechLanguage);
    }

    void listsGroupsThenTheirSettings_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("rows");
        QTest::newRow("Mx310.2") << mx310 << 3 + 2 + 15 + 15;
        QTest::newRow("Mx330") << mx330 << 3 + 3 + 15 + 15;
    }
    void listsGroupsThenTheirSettings() {
        QFETCH(int, code);
        QFETCH(int, rows);
        const Bytes image = samples::sampleImage(code);
        RunningInstrument instrument(model(code), image);
        openDialog(QString::fromStdString(instrument.devicePath()), [&] {
            QCOMPARE(list()->count(), rows);
            QCOMPARE(shownLines(), storedLines(code, image));
            QVERIFY(editor()->isHidden());
            for (int row = 0; row < list()->count(); ++row) {
                QCOMPARE(rowRect(row).height(), SetupListDelegate::rowHeight);
                QVERIFY2(rowLooksRight(row), qPrintable(QString("row %1").arg(row)));
            }
            // The selected row is filled with the highlight to the list's right edge.
            list()->setCurrentRow(2);
            const QImage selected = list()->viewport()->grab(rowRect(2)).toImage();
            QCOMPARE(QColor(selected.pixel(selected.width() - 2, 1)),
                     list()->palette().color(QPalette::Highlight));
        });
        QVERIFY(boxes_.shown.empty());
    }

    void editingInPlace() {
        const Bytes image = samples::sampleImage(mx310);
        RunningInstrument instrument(model(mx310), image);
        openDialog(QString::fromStdString(instrument.devicePath()), [&] {
            const float stored = rowItem(powerOffRow)->value();
            doubleClickRow(0);
            QVERIFY(editor()->isHidden());

            doubleClickRow(powerOffRow);
            QVERIFY(editor()->isVisible());
            QCOMPARE(dialog_->focusWidget(), editor());
            QCOMPARE(editor()->geometry(), QRect(240, rowRect(powerOffRow).top(), 89, 24));
            QCOMPARE(editor()->text(), QString::number(stored, 'f', 3));

            // A click on the list drops what was typed, and so does Escape, which only puts
            // the editor away: the dialog stays open.
            editor()->setText("500");
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowRect(5).center());
            QVERIFY(editor()->isHidden());
            QCOMPARE(rowItem(powerOffRow)->value(), stored);
            doubleClickRow(powerOffRow);
            editor()->setText("500");
            QTest::keyClick(editor(), Qt::Key_Escape);
            QVERIFY(editor()->isHidden());
            QVERIFY(dialog_->isVisible());
            QCOMPARE(rowItem(powerOffRow)->value(), stored);

            enterValue(powerOffRow, "300.5");
            QVERIFY(editor()->isHidden());
            QCOMPARE(rowItem(powerOffRow)->value(), 300.5f);
            QVERIFY(shownLines()[powerOffRow].contains("\t300.5 s"));
            list()->clearSelection();
            QVERIFY(rowLooksRight(powerOffRow));

            for (const char* outside : {"59.9", "1000.5", "-1"}) {
                enterValue(powerOffRow, outside);
                QVERIFY(editor()->isHidden());
                QCOMPARE(rowItem(powerOffRow)->value(), 300.5f);
            }
            enterValue(powerOffRow, "0");
            QCOMPARE(rowItem(powerOffRow)->value(), 0.0f);
            QVERIFY(boxes_.shown.empty());

            for (const char* junk : {"abc", "", "12x", "1e", "0x10", "inf"}) {
                boxes_.shown.clear();
                enterValue(powerOffRow, junk);
                QVERIFY(editor()->isVisible());
                QCOMPARE(editor()->text(), QString(junk));
                QCOMPARE(
                    boxes_.messages(),
                    QStringList(QString("'%1' is not a valid floating point value").arg(junk)));
                QCOMPARE(boxes_.shown.front().kind, QString("error"));
                QCOMPARE(boxes_.shown.front().parent, dialog_);
                QCOMPARE(rowItem(powerOffRow)->value(), 0.0f);
            }
            // Pressing Enter once more, after the user fixed the text, stores it.
            editor()->setText(" 61E1 ");
            QTest::keyClick(editor(), Qt::Key_Return);
            QVERIFY(editor()->isHidden());
            QCOMPARE(rowItem(powerOffRow)->value(), 610.0f);
        });
        QVERIFY(dialog_->isHidden());
    }

    // Without a mouse: the list has the keys once the settings are read, F2, Enter and Space
    // open the editor on the current setting, and a screen reader hears every row's name and
    // value, and the setting the editor changes.
    void keyboardAndScreenReader() {
        const Bytes image = samples::sampleImage(mx310);
        RunningInstrument instrument(model(mx310), image);
        TranslateForm(*dialog_);
        openDialog(QString::fromStdString(instrument.devicePath()), [&] {
            QCOMPARE(dialog_->focusWidget(), list());
            QAccessibleInterface* listAccess = QAccessible::queryAccessibleInterface(list());
            QCOMPARE(listAccess->text(QAccessible::Name), QStringLiteral("Settings"));
            QCOMPARE(listAccess->childCount(), list()->count());
            for (int row = 0; row < list()->count(); ++row) {
                QCOMPARE(listAccess->child(row)->text(QAccessible::Name),
                         QString::fromStdU16String(spokenText(rowObject(row)->text())));
            }
            for (int key : {Qt::Key_F2, Qt::Key_Return, Qt::Key_Space}) {
                list()->setCurrentRow(powerOffRow);
                QTest::keyClick(list(), static_cast<Qt::Key>(key));
                QVERIFY(editor()->isVisible());
                QCOMPARE(dialog_->focusWidget(), editor());
                QCOMPARE(QAccessible::queryAccessibleInterface(editor())->text(QAccessible::Name),
                         listAccess->child(powerOffRow)->text(QAccessible::Name));
                QTest::keyClick(editor(), Qt::Key_Escape);
            }
            list()->setCurrentRow(powerOffRow);
            QTest::keyClick(list(), Qt::Key_F2);
            editor()->setText(QStringLiteral("300.5"));
            QTest::keyClick(editor(), Qt::Key_Return);
            QCOMPARE(dialog_->focusWidget(), list());
            QVERIFY(listAccess->child(powerOffRow)->text(QAccessible::Name).endsWith(" 300.5 s"));
            // A group's row opens nothing.
            list()->setCurrentRow(0);
            QTest::keyClick(list(), Qt::Key_F2);
            QVERIFY(editor()->isHidden());
        });
        QVERIFY(boxes_.shown.empty());
    }

    // Numbers are read and shown with the C locale's separator, as every number the program
    // shows.
    void editorUsesTheLocaleSeparator() {
        LocaleGuard locale(commaLocale.locale);
        if (!locale.ok()) {
            QSKIP("no Czech locale on this system");
        }
        const Bytes image = samples::sampleImage(mx330);
        RunningInstrument instrument(model(mx330), image);
        openDialog(QString::fromStdString(instrument.devicePath()), [&] {
            enterValue(powerOffRow, "90,25");
            QCOMPARE(rowItem(powerOffRow)->value(), 90.25f);
            doubleClickRow(powerOffRow);
            QCOMPARE(editor()->text(), QString("90,250"));
            QVERIFY(shownLines()[powerOffRow].contains("\t90,25 s"));

            enterValue(powerOffRow, "95.5");
            QVERIFY(editor()->isVisible());
            QCOMPARE(boxes_.messages(), QStringList("'95.5' is not a valid floating point value"));
            QCOMPARE(rowItem(powerOffRow)->value(), 90.25f);
        });
    }

    void reopeningReadsTheInstrumentAgain() {
        const Bytes image = samples::sampleImage(mx310);
        RunningInstrument instrument(model(mx310), image);
        const QString port = QString::fromStdString(instrument.devicePath());
        const int result = openDialog(port, [&] {
            enterValue(powerOffRow, "700");
            QCOMPARE(rowItem(powerOffRow)->value(), 700.0f);
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(list()->count(), 0);
        QVERIFY(editor()->isHidden());

        openDialog(port, [&] { QCOMPARE(shownLines(), storedLines(mx310, image)); });
        QCOMPARE(instrument.finalImage(), image);
    }

    void setupWritesSealedSettingsAndCloses_data() {
        QTest::addColumn<int>("code");
        QTest::newRow("Mx310.2") << mx310;
        QTest::newRow("Mx330") << mx330;
    }
    void setupWritesSealedSettingsAndCloses() {
        QFETCH(int, code);
        RunningInstrument instrument(model(code), samples::sampleImage(code));
        QStringList written;
        const int result = openDialog(QString::fromStdString(instrument.devicePath()), [&] {
            enterValue(powerOffRow, "300");
            enterValue(list()->count() - 1, "2.5");
            written = shownLines();
            QTest::mouseClick(button(3), Qt::LeftButton);
            QVERIFY(!button(2)->isEnabled());
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(boxes_.shown.empty());

        const Bytes kept = instrument.finalImage();
        QCOMPARE(storedLines(code, kept), written);
        QVERIFY(written[powerOffRow].contains("\t300 s"));
        for (int block = 0; block < sealedSetupBlocks; ++block) {
            QCOMPARE(fcs16(kept.data() + setupStart + block * blockSize, blockSize), fcs16Residue);
        }
    }

    // The Mx320 keeps no settings: the list says so, and there is nothing to fetch or write.
    void modelWithoutSetup() {
        const Bytes image = samples::sampleImage(mx320);
        RunningInstrument instrument(model(mx320), image);
        const int result = openDialog(QString::fromStdString(instrument.devicePath()), [&] {
            QCOMPARE(list()->count(), 1);
            QCOMPARE(list()->item(0)->text(), QString("This instrument keeps no settings"));
            QVERIFY(!button(1)->isEnabled() && !button(3)->isEnabled() && button(2)->isEnabled());
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(boxes_.shown.empty());
        QCOMPARE(instrument.finalImage(), image);
    }

    // Nothing read, nothing to write: Setup stays disabled until the instrument's settings
    // are read or its factory settings fetched, whether the instrument is missing or refuses
    // reads. The encoder would otherwise write its defaults over the instrument's settings.
    void aFailedReadLeavesNothingToWrite() {
        openDialog("/dev/kadenza-no-such-port", [&] {
            QCOMPARE(list()->count(), 0);
            QVERIFY(!button(3)->isEnabled());
            QTest::mouseClick(button(1), Qt::LeftButton);
            waitForJob();
            QCOMPARE(list()->count(), 0);
            QVERIFY(!button(3)->isEnabled());
        });
        QCOMPARE(boxes_.messages(), QStringList("Instrument not connected"));

        sim::InstrumentBehaviour refusing = model(mx310);
        refusing.misbehaviour.refuseReads = true;
        const Bytes image = samples::sampleImage(mx310);
        RunningInstrument instrument(refusing, image);
        boxes_.shown.clear();
        const int result = openDialog(QString::fromStdString(instrument.devicePath()), [&] {
            QTest::mouseClick(button(3), Qt::LeftButton);
            waitForJob();
            QVERIFY(dialog_->isVisible());
            QTest::mouseClick(button(1), Qt::LeftButton);
            waitForJob();
            QCOMPARE(shownLines(), defaultLines(mx310));
            QVERIFY(button(3)->isEnabled());
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(boxes_.messages(), QStringList("Transmission failed"));
        QCOMPARE(instrument.finalImage(), image);
    }

    // An instrument whose settings were erased holds values outside their ranges: they are
    // drawn red and not written back until they are set, or the defaults are loaded.
    void settingsOutOfRangeAreNotWrittenBack() {
        Bytes image = samples::sampleImage(mx310);
        std::fill(image.begin() + setupStart, image.end(), 0xFF);
        RunningInstrument instrument(model(mx310), image);
        const int result = openDialog(QString::fromStdString(instrument.devicePath()), [&] {
            QVERIFY(!rowItem(powerOffRow)->inRange());
            list()->clearSelection();
            QVERIFY(rowLooksRight(powerOffRow));
            QTest::mouseClick(button(3), Qt::LeftButton);
            QCOMPARE(boxes_.messages(),
                     QStringList("Power off 1310.7 s: outside the allowed range"));
            QVERIFY(dialog_->isVisible());
            QTest::mouseClick(button(1), Qt::LeftButton);
            waitForJob();
            QTest::mouseClick(button(3), Qt::LeftButton);
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(storedLines(mx310, instrument.finalImage()), defaultLines(mx310));
    }

    // Read, fetch the defaults, write them: while a job uses the setup nothing closes the
    // dialog or empties the setup; the close button, Escape and Cancel wait for the job's end.
    void closingWhileAJobRuns() {
        const Bytes image = samples::sampleImage(mx330);
        RunningInstrument instrument(model(mx330), image);
        auto* bar = progress_->findChild<QProgressBar*>("ProgressBar1");
        int tries = 0;
        // The worker waits while the bar moves, so the job is under way at each position.
        connect(bar, &QProgressBar::valueChanged, dialog_, [&] {
            ++tries;
            QVERIFY(!button(1)->isEnabled() && !button(2)->isEnabled() && !button(3)->isEnabled());
            dialog_->close();
            QTest::keyClick(dialog_, Qt::Key_Escape);
            dialog_->reject();
            QVERIFY(dialog_->isVisible());
        });
        openDialog(QString::fromStdString(instrument.devicePath()), [&] {
            QVERIFY(tries > 0);
            QCOMPARE(shownLines(), storedLines(mx330, image));
            tries = 0;
            doubleClickRow(powerOffRow);
            QTest::mouseClick(button(1), Qt::LeftButton);
            QVERIFY(editor()->isHidden());
            waitForJob();
            QCOMPARE(shownLines(), defaultLines(mx330));
            QTest::mouseClick(button(3), Qt::LeftButton);
        });
        QVERIFY(tries > 0);
        QVERIFY(dialog_->isHidden());
        QCOMPARE(storedLines(mx330, instrument.finalImage()), defaultLines(mx330));
    }

    // The job keeps its setup alive and finds no dialog to call back when it ends.
    void dialogDestroyedWhileItsJobRuns() {
        RunningInstrument instrument(model(mx310), samples::sampleImage(mx310));
        auto* bar = progress_->findChild<QProgressBar*>("ProgressBar1");
        QPointer<InstrumentTransferWindow> job;
        connect(bar, &QProgressBar::valueChanged, this, [&] {
            if (dialog_ != nullptr) {
                job = progress_->job();
                delete dialog_;
                dialog_ = nullptr;
            }
        });
        dialog_->showFor(QString::fromStdString(instrument.devicePath()));
        QCOMPARE(dialog_, nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(job.isNull(), 30000);
        QVERIFY(boxes_.shown.empty());
    }
};

}  // namespace kadenza::test

QTEST_MAIN(kadenza::test::TForm2Test)
#include "TForm2Test.moc"
