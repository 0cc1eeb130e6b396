#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include "FakeMessageBoxes.h"
#include "TableEditing.h"
#include "app/AccessKeys.h"
#include "app/DetailsDialog.h"
#include "inspection/Conclusion.h"
#include "inspection/Evaluation.h"
#include "language/Language.h"
#include "support/SampleData.h"

// The revision's editor: what each tab stores, what is refused and why, "safe" only where it
// can stand, failed values proposed as defects, and a keyboard alone reaching every field.

namespace kadenza::test {

namespace {

enum Quantity { lineVoltage = 1, insulationResistance = 15 };
enum Tab {
    revisionTab,
    installationTab,
    instrumentsTab,
    inspectionTab,
    defectsTab,
    conclusionTab,
    circuitsTab
};

constexpr int addDefectRow = 547;
constexpr int addProposalRow = 548;
constexpr int cannotBeSafeRow = 443;
constexpr int notDateRow = 545;

QString row(int number) {
    return QString::fromUtf8(RowText(number));
}

// An installation whose bank 1 has an insulation resistance of 0.2 MΩ, below every limit.
std::unique_ptr<InstrumentData> failedInsulation() {
    return DataBuilder()
        .bank(1)
        .item(lineVoltage, 230, true)
        .item(insulationResistance, 0.2e6, true)
        .bank(2)
        .item(insulationResistance, 200e6, true)
        .build();
}

void choose(QComboBox* box, const char* value) {
    QVERIFY2(box->findData(QString::fromLatin1(value)) >= 0, value);
    box->setCurrentIndex(box->findData(QString::fromLatin1(value)));
}

// Checks the list's entry of `key` as a user does: onto it, then Space.
void check(QListWidget* list, const char* key) {
    for (int entry = 0; entry < list->count(); ++entry) {
        if (list->item(entry)->data(Qt::UserRole).toString() == QLatin1String(key)) {
            list->setCurrentRow(entry);
            QTest::keyClick(list, Qt::Key_Space);
            return;
        }
    }
    QFAIL(key);
}

bool isField(const QWidget* widget) {
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QComboBox*>(widget) ||
           qobject_cast<const QPlainTextEdit*>(widget) ||
           qobject_cast<const QAbstractItemView*>(widget) ||
           qobject_cast<const QAbstractButton*>(widget);
}

// Whether Tab reached the field; of radio buttons it reaches the one checked, or the first, and
// the arrows the others.
bool isReached(QWidget* field, const QSet<QWidget*>& reached) {
    if (qobject_cast<QRadioButton*>(field) == nullptr) {
        return reached.contains(field);
    }
    for (QRadioButton* button : field->parentWidget()->findChildren<QRadioButton*>()) {
        if (reached.contains(button)) {
            return true;
        }
    }
    return false;
}

// Whether a screen reader has a name for the field: a label's buddy, or a name of its own.
bool isNamed(QWidget* field, const QWidget& dialog) {
    if (qobject_cast<QAbstractButton*>(field) || !field->accessibleName().isEmpty()) {
        return true;
    }
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->buddy() == field) {
            return true;
        }
    }
    return false;
}

}  // namespace

class DetailsDialogTest : public QObject {
    Q_OBJECT

  private:
    FakeMessageBoxes boxes_;
    std::unique_ptr<InstrumentData> data_;
    std::unique_ptr<DetailsDialog> dialog_;

    void open(const DetailsDocument& details = {}) {
        dialog_ = std::make_unique<DetailsDialog>(details, *data_, QStringLiteral("MX350"), boxes_,
                                                  nullptr);
        dialog_->show();
    }

    template <typename T>
    T* part(const char* name) const {
        T* found = dialog_->findChild<T*>(QString::fromLatin1(name));
        if (!found) {
            qFatal("no %s", name);
        }
        return found;
    }

    QTabWidget* tabs() const { return dialog_->findChild<QTabWidget*>(); }
    void showTab(Tab tab) const { tabs()->setCurrentIndex(tab); }
    QPushButton* button(Tab tab, const char* name) const {
        return tabs()->widget(tab)->findChild<QPushButton*>(QString::fromLatin1(name));
    }

    bool accepted() const { return dialog_->result() == QDialog::Accepted; }

  private slots:
    void initTestCase() { SetLanguage(englishLanguage); }

    void init() {
        boxes_.shown.clear();
        data_ = sampleData();
    }

    void cleanup() { dialog_.reset(); }

    void everyTabStoresWhatItShows() {
        open();
        choose(part<QComboBox>("kind"), "periodic");
        part<QLineEdit>("number")->setText(QStringLiteral("R-12/2026"));
        part<QLineEdit>("endDate")->setText(QStringLiteral("2099-01-02"));
        part<QLineEdit>("inspector")->setText(QStringLiteral("Jan Novák"));

        part<QLineEdit>("operator")->setText(QStringLiteral("Nováková s.r.o., Brno"));
        part<QPlainTextEdit>("scope")->setPlainText(QStringLiteral("Ground floor\nno lighting"));
        check(part<QListWidget>("environment"), "damp");
        check(part<QListWidget>("location"), "school");

        auto* instruments = part<QTableWidget>("Instruments");
        QCOMPARE(instruments->rowCount(), 1);
        QCOMPARE(instruments->item(0, 0)->text(), QStringLiteral("MX350"));
        editCell(*instruments, 0, 2, QStringLiteral("KL 17/2025"));
        button(instrumentsTab, "Add")->click();
        editCell(*instruments, 1, 0, QStringLiteral("Clamp meter"));

        choose(part<QComboBox>("connections"), "defect");
        choose(part<QComboBox>("rcdTestButton"), "na");

        auto* defects = part<QTableWidget>("Defects");
        button(defectsTab, "Add")->click();
        editCell(*defects, 0, 0, QStringLiteral("Socket cover broken"));
        editCell(*defects, 0, 1, QStringLiteral("potential"));
        editCell(*defects, 0, 4, QStringLiteral("2"));

        part<QRadioButton>("unsafe")->click();
        part<QPlainTextEdit>("conclusionText")->setPlainText(QStringLiteral("Defect 1"));
        editCell(*part<QTableWidget>("Banks"), 1, 0, QStringLiteral("Bathroom"));

        dialog_->accept();
        QVERIFY2(accepted(), qPrintable(boxes_.messages().join('\n')));
        const DetailsDocument& details = dialog_->details();
        const InspectionDetails inspection = details.inspection();
        QCOMPARE(inspection.date, QDate::currentDate().toString(Qt::ISODate).toStdString());
        QCOMPARE(inspection.kind, "periodic");
        QCOMPARE(inspection.number, "R-12/2026");
        QCOMPARE(inspection.endDate, "2099-01-02");
        QCOMPARE(inspection.inspector, "Jan Novák");
        QCOMPARE(inspection.operatorName, "Nováková s.r.o., Brno");
        QCOMPARE(inspection.scope, "Ground floor\nno lighting");
        QCOMPARE(inspection.environment, "damp");
        QCOMPARE(inspection.location, "school");
        QCOMPARE(inspection.conclusion, "unsafe");
        QCOMPARE(inspection.conclusionText, "Defect 1");
        const std::vector<InstrumentDetails> instrumentList = details.instruments();
        QCOMPARE(instrumentList.size(), std::size_t(2));
        QCOMPARE(instrumentList[0].model, "MX350");
        QCOMPARE(instrumentList[0].calibrationSheet, "KL 17/2025");
        QCOMPARE(instrumentList[1].model, "Clamp meter");
        QCOMPARE(details.check("connections"), "defect");
        QCOMPARE(details.check("rcdTestButton"), "na");
        QCOMPARE(details.check("interlocks"), "");
        const std::vector<DefectDetails> defectList = details.defects();
        QCOMPARE(defectList.size(), std::size_t(1));
        QCOMPARE(defectList[0].text, "Socket cover broken");
        QCOMPARE(defectList[0].defectClass, "potential");
        QCOMPARE(defectList[0].bank, std::optional<int>(2));
        QCOMPARE(details.bank(2).label, "Bathroom");

        // Opened again, every tab shows what was stored.
        open(details);
        QCOMPARE(part<QComboBox>("kind")->currentData().toString(), QStringLiteral("periodic"));
        QCOMPARE(part<QListWidget>("environment")->item(6)->checkState(), Qt::Checked);
        QCOMPARE(part<QTableWidget>("Instruments")->item(1, 0)->text(),
                 QStringLiteral("Clamp meter"));
        QCOMPARE(part<QTableWidget>("Defects")->item(0, 1)->text(), row(445));
        QVERIFY(part<QRadioButton>("unsafe")->isChecked());
    }

    // An instrument or a defect removed takes its number along; those after it move up.
    void removedRowsGiveUpTheirNumbers() {
        DetailsDocument details;
        for (const char* number : {"1", "2", "3"}) {
            details.set(std::string("defect.") + number + ".text", std::string("Defect ") + number);
        }
        details.set("instrument.1.model", "MX350");
        details.set("instrument.2.model", "Clamp meter");
        open(details);
        auto* defects = part<QTableWidget>("Defects");
        defects->setCurrentCell(1, 0);
        button(defectsTab, "Remove")->click();
        auto* instruments = part<QTableWidget>("Instruments");
        instruments->setCurrentCell(0, 0);
        button(instrumentsTab, "Remove")->click();
        dialog_->accept();
        QVERIFY(accepted());
        const std::vector<DefectDetails> left = dialog_->details().defects();
        QCOMPARE(left.size(), std::size_t(2));
        QCOMPARE(left[1].number, 2);
        QCOMPARE(left[1].text, "Defect 3");
        const std::vector<InstrumentDetails> instrumentList = dialog_->details().instruments();
        QCOMPARE(instrumentList.size(), std::size_t(1));
        QCOMPARE(instrumentList[0].model, "Clamp meter");
    }

    // A value a detail cannot take is named, a date in the current language with the forms it
    // takes, and the dialog stays on the tab that shows it.
    void refusedValueIsNamedOnItsTab() {
        open();
        editCell(*part<QTableWidget>("Instruments"), 0, 3, QStringLiteral("30. 2. 2025"));
        showTab(revisionTab);
        dialog_->accept();
        QVERIFY(!accepted());
        QCOMPARE(boxes_.shown.size(), std::size_t(1));
        QCOMPARE(boxes_.shown[0].text, row(notDateRow).arg(QStringLiteral("30. 2. 2025")));
        QVERIFY(boxes_.shown[0].text.contains(QStringLiteral("8. 12. 2026")));
        QCOMPARE(tabs()->currentIndex(), int(instrumentsTab));

        editCell(*part<QTableWidget>("Instruments"), 0, 3, QStringLiteral("2025-02-28"));
        part<QLineEdit>("handoverDate")->setText(QStringLiteral("2000-01-01"));
        dialog_->accept();
        QVERIFY(!accepted());
        QVERIFY2(boxes_.shown[1].text.startsWith(QStringLiteral("inspection.handoverDate")),
                 qPrintable(boxes_.shown[1].text));
    }

    // Every date field takes a date typed the Czech way and stores it as an ISO date.
    void datesTypedTheCzechWayAreTaken() {
        open();
        part<QLineEdit>("date")->setText(QStringLiteral("8.12.2026"));
        part<QLineEdit>("endDate")->setText(QStringLiteral("9. 12. 2026"));
        editCell(*part<QTableWidget>("Instruments"), 0, 3, QStringLiteral("1. 2. 2026"));
        dialog_->accept();
        QVERIFY(accepted());
        const InspectionDetails inspection = dialog_->details().inspection();
        QCOMPARE(inspection.date, "2026-12-08");
        QCOMPARE(inspection.endDate, "2026-12-09");
        QCOMPARE(dialog_->details().instruments()[0].calibrationDate, "2026-02-01");
    }

    // "Safe" cannot be chosen beside a defect of class C1, C2 or FI, nor in an initial revision
    // with a failed value; the tab says why, and a "safe" stored before is taken back.
    void safeIsGreyedWhileSomethingSpeaksAgainstIt() {
        data_ = failedInsulation();
        DetailsDocument details;
        details.set("defect.1.text", "PE conductor open");
        details.set("defect.1.class", "danger");
        details.set("inspection.conclusion", "safe");
        open(details);
        showTab(conclusionTab);
        auto* safe = part<QRadioButton>("safe");
        auto* reason = part<QLabel>("reasonAgainstSafe");
        QVERIFY(!safe->isEnabled());
        QVERIFY(!safe->isChecked());
        QVERIFY(reason->isVisible());
        QCOMPARE(reason->text(), row(cannotBeSafeRow) + QStringLiteral(" ") +
                                     QString::fromStdString(reasonAgainstSafe(*data_, details)));

        // Only an improvement (C3) leaves "safe" to choose; C1, C2 and FI grey it.
        for (const char* defectClass : {"potential", "investigate", "improvement"}) {
            showTab(defectsTab);
            editCell(*part<QTableWidget>("Defects"), 0, 1, QString::fromLatin1(defectClass));
            showTab(conclusionTab);
            QCOMPARE(safe->isEnabled(), defectClass == std::string("improvement"));
        }
        QVERIFY(!reason->isVisible());

        showTab(revisionTab);
        choose(part<QComboBox>("kind"), "initial");
        showTab(conclusionTab);
        QVERIFY(!safe->isEnabled());
        DetailsDocument initial;
        initial.set("inspection.kind", "initial");
        const std::string failed = reasonAgainstSafe(*data_, initial);
        QVERIFY(!failed.empty());
        QVERIFY(reason->text().endsWith(QString::fromStdString(failed)));
    }

    // An instrument calibrated after the revision or longer ago than its interval is marked on
    // the Instruments tab, saying why; a calibration that held is not.
    void calibrationsThatDidNotHoldAreMarked() {
        DetailsDocument details;
        details.set("inspection.date", "2026-12-01");
        details.set("inspection.model", "MX350");
        details.set("instrument.1.calibrationDate", "2026-12-05");
        open(details);
        showTab(instrumentsTab);
        auto* instruments = part<QTableWidget>("Instruments");
        auto* faults = part<QLabel>("calibrationFaults");
        QVERIFY(faults->isVisible());
        QVERIFY2(faults->text().contains(QStringLiteral("instrument 1 (MX350)")) &&
                     faults->text().endsWith(QStringLiteral("dated after the revision")),
                 qPrintable(faults->text()));
        QCOMPARE(instruments->item(0, 3)->toolTip(), faults->text());

        editCell(*instruments, 0, 3, QStringLiteral("2025-06-01"));
        QVERIFY(faults->text().endsWith(QStringLiteral("older than 12 months")));
        editCell(*instruments, 0, 4, QStringLiteral("24"));
        QVERIFY(!faults->isVisible());
        QCOMPARE(instruments->item(0, 3)->toolTip(), QString());
        dialog_->accept();
        QVERIFY(accepted());
        QCOMPARE(dialog_->details().instruments()[0].calibrationInterval, std::optional<int>(24));
    }

    // A next revision set later than the period tables allow is kept only when the user says so,
    // and is not asked about again; the distribution list is stored a recipient a line.
    void aNextDateBeyondTheTablesIsAskedFor() {
        DetailsDocument details;
        details.set("inspection.date", "2026-12-01");
        details.set("inspection.environment", "wet");
        open(details);
        part<QLineEdit>("nextDate")->setText(QStringLiteral("2036-12-01"));
        part<QPlainTextEdit>("distribution")->setPlainText(QStringLiteral("Operator\nArchive"));
        dialog_->accept();
        QVERIFY(!accepted());
        QCOMPARE(boxes_.shown.back().kind, QStringLiteral("ask"));
        QVERIFY2(boxes_.shown.back().text.contains(QStringLiteral("which set 2027-12-01")),
                 qPrintable(boxes_.shown.back().text));

        boxes_.yesNo = {true};
        dialog_->accept();
        QVERIFY(accepted());
        const DetailsDocument kept = dialog_->details();
        QCOMPARE(kept.inspection().nextDate, "2036-12-01");
        QCOMPARE(kept.inspection().distribution, "Operator\nArchive");

        boxes_.shown.clear();
        open(kept);
        dialog_->accept();
        QVERIFY(accepted());
        QVERIFY(boxes_.shown.empty());
    }

    // A failed value is proposed as a defect; taken, it is one with the value and the rule's
    // standard, and it is not proposed again.
    void failedValueBecomesADefectWithItsRule() {
        data_ = failedInsulation();
        const Evaluation evaluation = evaluate(*data_, {});
        QCOMPARE(evaluation.counts.fail, 1);
        QString provision;
        for (const ItemEvaluation& judged : evaluation.items) {
            if (judged.verdict.kind == VerdictKind::fail) {
                provision = QString::fromStdString(ruleSource(judged.verdict.rule));
            }
        }
        QVERIFY(!provision.isEmpty());

        open();
        showTab(defectsTab);
        auto* proposals = part<QListWidget>("Proposals");
        QCOMPARE(proposals->count(), 1);
        const QString proposed = proposals->item(0)->text();
        QVERIFY2(proposed.startsWith(QStringLiteral("Bank 1")) &&
                     proposed.contains(QStringLiteral("MΩ")),
                 qPrintable(proposed));
        QCOMPARE(withoutAccessKey(part<QPushButton>("TakeProposal")->text()), row(addProposalRow));
        QCOMPARE(withoutAccessKey(button(defectsTab, "Add")->text()), row(addDefectRow));
        part<QPushButton>("TakeProposal")->click();
        QCOMPARE(proposals->count(), 0);
        auto* defects = part<QTableWidget>("Defects");
        QCOMPARE(defects->rowCount(), 1);
        QCOMPARE(defects->currentColumn(), 1);
        editCell(*defects, 0, 1, QStringLiteral("potential"));
        dialog_->accept();
        QVERIFY(accepted());
        const std::vector<DefectDetails> stored = dialog_->details().defects();
        QCOMPARE(stored.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(stored[0].text), proposed);
        QCOMPARE(QString::fromStdString(stored[0].provision), provision);
        QCOMPARE(stored[0].bank, std::optional<int>(1));
        QCOMPARE(stored[0].defectClass, "potential");

        open(dialog_->details());
        showTab(defectsTab);
        QCOMPARE(part<QListWidget>("Proposals")->count(), 0);
    }

    // Tab walks every field of a tab and comes round; Ctrl+Tab turns to the next tab wherever
    // the cursor is; every field has a name a screen reader can say.
    void keyboardAloneReachesEveryField() {
        open();
        QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
        for (int tab = 0; tab < tabs()->count(); ++tab) {
            QCOMPARE(tabs()->currentIndex(), tab);
            QWidget* page = tabs()->currentWidget();
            QSet<QWidget*> reached;
            QWidget* first = QApplication::focusWidget();
            QVERIFY(first != nullptr);
            for (int step = 0; step < 100 && !reached.contains(QApplication::focusWidget());
                 ++step) {
                reached.insert(QApplication::focusWidget());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            QCOMPARE(QApplication::focusWidget(), first);
            for (QWidget* widget : page->findChildren<QWidget*>()) {
                if (isField(widget) && widget->isVisible() && widget->isEnabled() &&
                    widget->focusPolicy() != Qt::NoFocus) {
                    QVERIFY2(isReached(widget, reached),
                             qPrintable(tabs()->tabText(tab) + ": " + widget->objectName()));
                    QVERIFY2(isNamed(widget, *dialog_), qPrintable(widget->objectName()));
                }
            }
            // Into a table, where the arrows are the table's, and on from there.
            if (auto* table = page->findChild<QTableWidget*>()) {
                table->setFocus();
            }
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        }
        QCOMPARE(tabs()->currentIndex(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(tabs()->currentIndex(), tabs()->count() - 1);
    }

    // On every tab, in both languages, Alt and a label's key put the cursor in the label's field
    // and leave the tab as it is.
    void accessKeysReachTheirFields() {
        for (int language : {czechLanguage, englishLanguage}) {
            SetLanguage(language);
            open();
            QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
            for (int tab = 0; tab < tabs()->count(); ++tab) {
                showTab(Tab(tab));
                for (const QLabel* label : tabs()->widget(tab)->findChildren<QLabel*>()) {
                    const QKeySequence key = QKeySequence::mnemonic(label->text());
                    if (label->buddy() == nullptr || key.isEmpty()) {
                        continue;
                    }
                    dialog_->findChild<QDialogButtonBox*>()->setFocus();
                    // Not through keyClick, which takes only ASCII: a key may be "ř".
                    const auto letter = Qt::Key(key[0].key());
                    for (auto action : {QTest::Press, QTest::Release}) {
                        QTest::sendKeyEvent(action, QApplication::focusWidget(), letter,
                                            QString(QChar(letter)).toLower(), Qt::AltModifier);
                    }
                    const QString where = tabs()->tabText(tab) + ": " + label->text();
                    QVERIFY2(tabs()->currentIndex() == tab, qPrintable(where));
                    QVERIFY2(QApplication::focusWidget() == label->buddy()->focusProxy() ||
                                 QApplication::focusWidget() == label->buddy(),
                             qPrintable(where));
                }
            }
        }
        SetLanguage(englishLanguage);
    }

    // A cell's editor has no label beside it: it carries its column's name and its row's.
    void cellEditorsAreNamed() {
        open();
        showTab(circuitsTab);
        auto* banks = part<QTableWidget>("Banks");
        for (int column = 0; column < banks->columnCount(); ++column) {
            QWidget* editor = openCellEditor(*banks, 2, column);
            QVERIFY(editor != nullptr);
            QCOMPARE(editor->accessibleName(), banks->horizontalHeaderItem(column)->text() +
                                                   QStringLiteral(", ") +
                                                   banks->verticalHeaderItem(2)->text());
            QTest::keyClick(editor, Qt::Key_Escape);
        }
    }

    // The arrows move from cell to cell, and Return in a cell's choice takes the choice and
    // leaves the dialog open.
    void tableKeysLeaveNoTrap() {
        open();
        QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
        showTab(circuitsTab);
        auto* banks = part<QTableWidget>("Banks");
        banks->setFocus();
        for (int column = 0; column < banks->columnCount(); ++column) {
            banks->setCurrentCell(1, column);
            QTest::keyClick(banks, Qt::Key_Right);
            QCOMPARE(banks->currentColumn(), std::min(column + 1, banks->columnCount() - 1));
            QWidget* editor = openCellEditor(*banks, 1, column);
            QVERIFY(editor != nullptr);
            QTest::keyClick(editor, Qt::Key_Return);
            QCoreApplication::processEvents();
            QVERIFY2(dialog_->isVisible(), qPrintable(banks->horizontalHeaderItem(column)->text()));
            QVERIFY(banks->indexWidget(banks->model()->index(1, column)) == nullptr);
        }
    }

    // On a screen of 1366 × 768, the circuits' table shows every column without scrolling
    // sideways, in both languages.
    void fitsAScreenOf1366By768() {
        for (int language : {czechLanguage, englishLanguage}) {
            SetLanguage(language);
            open();
            const QSize screen(1366, 700);
            QVERIFY(dialog_->size().boundedTo(screen) == dialog_->size());
            QVERIFY(dialog_->minimumSizeHint().boundedTo(screen) == dialog_->minimumSizeHint());
            dialog_->show();
            showTab(circuitsTab);
            QApplication::processEvents();
            auto* banks = part<QTableWidget>("Banks");
            QVERIFY2(!banks->horizontalScrollBar()->isVisible(),
                     qPrintable(QString("%1 in %2")
                                    .arg(banks->horizontalHeader()->length())
                                    .arg(banks->viewport()->width())));
        }
        SetLanguage(englishLanguage);
    }
};

}  // namespace kadenza::test

QTEST_MAIN(kadenza::test::DetailsDialogTest)
#include "DetailsDialogTest.moc"
