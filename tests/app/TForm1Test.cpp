#include <QAbstractButton>
#include <QComboBox>
#include <QDate>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <sstream>

#include "FakeMessageBoxes.h"
#include "PrintedPdf.h"
#include "TableEditing.h"
#include "app/AccessKeys.h"
#include "app/DataTreeView.h"
#include "app/DetailsDialog.h"
#include "app/ErrorText.h"
#include "app/KadenzaApplication.h"
#include "app/Relabelling.h"
#include "app/ReportPreview.h"
#include "app/TForm1.h"
#include "inspection/InspectionFile.h"
#include "language/Language.h"
#include "model/FileWriter.h"
#include "model/NativeFile.h"
#include "setup/TForm2.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

// The main window without an instrument: its start-up state, its captions in both languages,
// the file commands, and the commands that need a port when there is none.

namespace kadenza::test {

namespace {

// Every tagged component of the two relabelled windows and its language row.
const std::vector<std::pair<const char*, int>> mainWindowRows = {
    {"File1", 7},
    {"Open1", 8},
    {"Saveas1", 9},
    {"SaveasXML1", 119},
    {"SaveasHTML1", 239},
    {"Saveasplaintext1", 259},
    {"Print1", 11},
    {"Exit1", 10},
    {"Instrument1", 13},
    {"Starttransfer1", 14},
    {"Setup1", 15},
    {"StarttransferfromMx31011", 227},
    {"Language1", 1},
    {"About1", 26},
    {"Name1", 23},
    {"Unit1", 24},
    {"Note1", 25},
    {"Addressnumber1", 186},
    {"SaveasCSV1", 266},
    {"Inspectiondetails1", 303},
    {"Verdict1", 275},
    {"AddtoArchive1", 462},
    {"Archive1", 459},
    {"Archiveofinspections1", 460},
    {"Archivesettings1", 461},
};
const std::vector<std::pair<const char*, int>> setupDialogRows = {
    {"Button1", 17}, {"Button2", 18}, {"Button3", 16}};

// The caption as shown, without the mark of its access key.
QString caption(const QObject* component) {
    if (auto* action = qobject_cast<const QAction*>(component)) {
        return withoutAccessKey(action->text());
    }
    if (auto* menu = qobject_cast<const QMenu*>(component)) {
        return withoutAccessKey(menu->title());
    }
    return withoutAccessKey(qobject_cast<const QAbstractButton*>(component)->text());
}

QString row(int number, int language) {
    return QString::fromStdU16String(GetText(number, language));
}

QStringList objectNames(const QList<QAction*>& actions) {
    QStringList names;
    for (const QAction* action : actions) {
        names << (action->menu() ? action->menu()->objectName() : action->objectName());
    }
    return names;
}

// Replaces the container's contents by a copy of `source`'s.
void fill(InstrumentData& target, const InstrumentData& source) {
    std::stringstream bytes;
    source.save(bytes);
    target.clear();
    target.load(bytes);
}

std::string xmlOf(const InstrumentData& data) {
    std::ostringstream out;
    data.writeXml(out);
    return out.str();
}

// The sample data as it reads after a trip through a native file, where an item without a
// note comes back with an empty one.
std::string sampleXml() {
    InstrumentData stored;
    fill(stored, *sampleData());
    return xmlOf(stored);
}

}  // namespace

class TForm1Test : public QObject {
    Q_OBJECT

  public:
    explicit TForm1Test(FakeMessageBoxes& boxes) : boxes_(boxes) {}

  private:
    FakeMessageBoxes& boxes_;
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<TForm1> window_;

    // A main window made as the program makes it, on a machine without serial ports.
    TForm1& open(QStringList namedPorts = {}) {
        std::filesystem::create_directories(dir_->path("class"));
        std::filesystem::create_directories(dir_->path("dev"));
        window_ =
            std::make_unique<TForm1>(boxes_, std::move(namedPorts),
                                     SerialDeviceFolders{dir_->path("class"), dir_->path("dev")});
        TranslateForms(*window_, window_->setupDialog());
        return *window_;
    }

    template <typename T = QObject>
    T* part(const char* name) const {
        T* found = window_->findChild<T*>(QString::fromLatin1(name));
        if (!found) {
            qFatal("no %s", name);
        }
        return found;
    }

    void trigger(const char* action) { part<QAction>(action)->trigger(); }
    QTreeView* tree() const { return part<QTreeView>("TreeView1"); }

    // The window's container holding the sample data, shown in the tree.
    void showSample() {
        fill(window_->instrumentData(), *sampleData());
        window_->UpdateTree();
    }

    void checkCaptions(int language) {
        for (const auto& [name, number] : mainWindowRows) {
            QCOMPARE(caption(part(name)), row(number, language));
        }
        for (const auto& [name, number] : setupDialogRows) {
            QCOMPARE(caption(window_->setupDialog().findChild<QObject*>(name)),
                     row(number, language));
        }
        QCOMPARE(window_->setupDialog().windowTitle(), row(15, language));
        // The title holds Qt's mark of data not saved, which shows nothing while they are.
        QCOMPARE(window_->windowTitle().remove(QStringLiteral("[*]")), QStringLiteral("Kadenza"));
        QVERIFY(!window_->isWindowModified());
        QCOMPARE(caption(part("esky1")), QStringLiteral("Česky"));
        QCOMPARE(caption(part("English1")), QStringLiteral("English"));
    }

    // Save of the report's preview the last command opened.
    void saveShownReport() const {
        const QList<ReportPreview*> previews = window_->findChildren<ReportPreview*>();
        QVERIFY(!previews.isEmpty());
        QVERIFY(previews.last()->isVisible());
        previews.last()->findChild<QPushButton*>(QStringLiteral("Save"))->click();
    }

    QStringList messageKinds() const {
        QStringList kinds;
        for (const ShownBox& box : boxes_.shown) {
            kinds << box.kind;
        }
        return kinds;
    }

  private slots:
    void init() {
        SetLanguage(czechLanguage);
        boxes_.shown.clear();
        boxes_.fileNames.clear();
        dir_ = std::make_unique<TempDir>();
    }

    void cleanup() {
        window_.reset();
        dir_.reset();
    }

    void startsInCzechWithEveryCommandReady() {
        open({"/dev/ttyUSB7", "/tmp/sim-port", "/dev/ttyUSB7"});
        QCOMPARE(QApplication::applicationName(), QStringLiteral("kadenza"));
        QCOMPARE(window_->objectName(), QStringLiteral("TForm1"));
        QCOMPARE(window_->size(), QSize(666, 504));

        auto* ports = part<QComboBox>("ComboBox1");
        QVERIFY(!ports->isEditable());
        QCOMPARE(ports->count(), 2);
        QCOMPARE(ports->itemText(0), QStringLiteral("ttyUSB7"));
        QCOMPARE(ports->itemText(1), QStringLiteral("/tmp/sim-port"));
        QCOMPARE(ports->currentIndex(), 0);
        QVERIFY(ports->font().bold());
        QCOMPARE(ports->font().pixelSize(), 13);
        QCOMPARE(tree()->font().pixelSize(), 16);

        for (const char* toggle : {"Name1", "Unit1", "Note1", "Addressnumber1"}) {
            QVERIFY(part<QAction>(toggle)->isChecked());
        }
        QVERIFY(part<QAction>("esky1")->isChecked());
        QVERIFY(!part<QAction>("English1")->isChecked());
        for (const char* button :
             {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4", "SpeedButton5"}) {
            auto* tool = part<QToolButton>(button);
            QVERIFY(tool->isEnabled());
            QCOMPARE(tool->size(), QSize(25, 25));
            QVERIFY(!tool->icon().isNull());
        }
        checkCaptions(czechLanguage);
    }

    void mainMenuHasTheCommandsInOrder() {
        open();
        QCOMPARE(objectNames(window_->menuBar()->actions()),
                 QStringList({"File1", "Instrument1", "Archive1", "Language1", "About1"}));
        QCOMPARE(objectNames(part<QMenu>("File1")->actions()),
                 QStringList({"Open1", "Saveas1", "SaveasXML1", "SaveasHTML1", "Saveasplaintext1",
                              "SaveasCSV1", "InspectionreportPDF1", "AddtoArchive1", "N2", "Print1",
                              "N1", "Exit1"}));
        QCOMPARE(objectNames(part<QMenu>("Archive1")->actions()),
                 QStringList({"Archiveofinspections1", "Archivesettings1"}));
        QCOMPARE(part<QAction>("Archiveofinspections1")->shortcut(),
                 QKeySequence(QStringLiteral("Ctrl+Shift+A")));
        QCOMPARE(objectNames(part<QMenu>("Instrument1")->actions()),
                 QStringList({"Starttransfer1", "Setup1", "N3", "StarttransferfromMx31011", "N4",
                              "Inspectiondetails1"}));
        QCOMPARE(objectNames(part<QMenu>("Language1")->actions()),
                 QStringList({"esky1", "English1"}));
        QCOMPARE(part<QAction>("Open1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
        QCOMPARE(part<QAction>("Saveas1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
        QCOMPARE(part<QAction>("Print1")->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    }

    void captionsFollowTheLanguageMenu() {
        open();
        trigger("English1");
        QCOMPARE(TextTable::language(), englishLanguage);
        QVERIFY(part<QAction>("English1")->isChecked());
        QVERIFY(!part<QAction>("esky1")->isChecked());
        checkCaptions(englishLanguage);

        trigger("esky1");
        QCOMPARE(TextTable::language(), czechLanguage);
        QVERIFY(!part<QAction>("English1")->isChecked());
        checkCaptions(czechLanguage);
    }

    void aboutBoxShowsTheVersionTextOfTheLanguage() {
        open();
        trigger("About1");
        trigger("English1");
        trigger("About1");
        QCOMPARE(boxes_.shown.size(), 2u);
        for (const ShownBox& box : boxes_.shown) {
            QCOMPARE(box.kind, QStringLiteral("information"));
            QCOMPARE(box.caption, QStringLiteral("Kadenza"));
            QCOMPARE(box.parent, window_.get());
        }
        QCOMPARE(boxes_.shown[0].text, row(255, czechLanguage));
        QCOMPARE(boxes_.shown[1].text, row(255, englishLanguage));
        QVERIFY(boxes_.shown[1].text.contains(QLatin1Char('\n')));
    }

    void openReplacesTheTreeAndNumbersEveryBankFromOne() {
        open();
        fill(window_->instrumentData(), *DataBuilder().bank(9).bank(10).bank(11).build());
        window_->UpdateTree();
        const std::string path = dir_->path("sample.tso");
        QVERIFY(saveNativeFile(path, *sampleData()));

        boxes_.fileNames << QString::fromStdString(path);
        trigger("Open1");
        QCOMPARE(boxes_.shown.size(), 1u);
        QCOMPARE(boxes_.shown[0].kind, QStringLiteral("open"));
        QCOMPARE(boxes_.shown[0].text, QStringLiteral("Tessaro 2 (*.tso)"));
        QCOMPARE(xmlOf(window_->instrumentData()), sampleXml());
        QCOMPARE(tree()->model()->rowCount(), 3);
        tree()->expandAll();
        const auto address = [this](int bank, int item) {
            return DataTreeView::addressNumberOf(
                tree()->model()->index(item, 0, tree()->model()->index(bank, 0)));
        };
        QCOMPARE(address(0, 1), QStringLiteral(" [1]"));
        QCOMPARE(address(0, 3), QStringLiteral(" [2]"));
        QCOMPARE(address(1, 1), QStringLiteral(" [1]"));
        QCOMPARE(address(2, 1), QStringLiteral(" [1]"));
    }

    void openOfAFileWithoutDataChangesNothing() {
        open();
        showSample();
        const std::string foreign = dir_->path("notes.tso");
        writeFile(foreign, "TSO2 these are not measurements");
        const std::string sectionless = dir_->path("empty.tso");
        FileWriter writer(sectionless, 0);
        QVERIFY(writer.close());

        boxes_.fileNames << QString::fromStdString(foreign) << QString::fromStdString(sectionless);
        trigger("Open1");
        trigger("Open1");
        trigger("Open1");  // cancelled
        QCOMPARE(messageKinds(), QStringList({"open", "open", "open"}));
        QCOMPARE(xmlOf(window_->instrumentData()), sampleXml());
        QCOMPARE(tree()->model()->rowCount(), 3);
    }

    void fileThatCannotBeOpenedIsReportedAndChangesNothing() {
        open();
        showSample();
        const QString missing = QString::fromStdString(dir_->path("missing.tso"));
        boxes_.fileNames << missing;
        part<QToolButton>("SpeedButton2")->click();
        // In the language of the window, with the system's reason in it too where the C
        // library has that language.
        QCOMPARE(boxes_.messages(),
                 QStringList({"Nelze otevřít soubor " + missing + ": " + systemReason(ENOENT)}));
        QVERIFY(systemReason(ENOENT) == QStringLiteral("Adresář nebo soubor neexistuje") ||
                !QFile::exists(QStringLiteral("/usr/share/locale/cs/LC_MESSAGES/libc.mo")));
        QCOMPARE(boxes_.shown.back().kind, QStringLiteral("error"));
        boxes_.shown.clear();
        SetLanguage(englishLanguage);
        boxes_.fileNames << missing;
        part<QToolButton>("SpeedButton2")->click();
        SetLanguage(czechLanguage);
        QCOMPARE(boxes_.messages(),
                 QStringList({"Cannot open file " + missing + ": No such file or directory"}));
        QCOMPARE(xmlOf(window_->instrumentData()), sampleXml());
        QCOMPARE(tree()->model()->rowCount(), 3);
    }

    void saveCommandsWriteWhatTheUserChose() {
        struct Command {
            const char* action;
            const char* filter;
            const char* suffix;
            // The report is saved from its preview.
            bool previewed = false;
        };
        const Command commands[] = {
            {"Saveas1", "Tessaro 2 (*.tso)", "tso"},
            {"SaveasXML1", "XML (*.xml)", "xml"},
            {"SaveasHTML1", "HTML (*.html *.htm)", "html"},
            {"Saveasplaintext1", "TXT (*.txt)", "txt"},
            {"SaveasCSV1", "CSV (*.csv)", "csv"},
            {"InspectionreportPDF1", "PDF (*.pdf)", "pdf", true},
        };
        open();
        showSample();
        // Saving through a link writes the file it names; the link stays.
        std::filesystem::create_symlink("real.tso", dir_->path("out.tso"));
        for (const Command& command : commands) {
            boxes_.shown.clear();
            const std::string path = dir_->path(std::string("out.") + command.suffix);
            boxes_.fileNames << QString::fromStdString(path);
            trigger(command.action);
            if (command.previewed) {
                saveShownReport();
            }
            QCOMPARE(messageKinds(), QStringList({"save"}));
            QCOMPARE(boxes_.shown[0].text, QString::fromLatin1(command.filter));
            QCOMPARE(boxes_.shown[0].defaultSuffix, QString::fromLatin1(command.suffix));
            QVERIFY2(readFile(path).size() > 100, command.action);
        }
        InstrumentData reopened;
        QVERIFY(std::filesystem::is_symlink(dir_->path("out.tso")));
        QVERIFY(openNativeFile(dir_->path("real.tso"), reopened));
        QCOMPARE(xmlOf(reopened), sampleXml());
    }

    // The inspection's details of a file opened go into the file saved; details that cannot
    // be read are reported, and the data open without them.
    void detailsOfAnOpenedFileAreSavedWithIt() {
        open();
        DetailsDocument details;
        details.set("inspection.client", "Nováková");
        const std::string path = dir_->path("inspected.tso");
        QVERIFY(saveInspectionFile(path, *sampleData(), details));
        window_->openFile(QString::fromStdString(path));
        QCOMPARE(window_->details().toJson(), details.toJson());
        const std::string saved = dir_->path("saved.tso");
        boxes_.fileNames << QString::fromStdString(saved);
        trigger("Saveas1");
        QCOMPARE(readFile(saved), readFile(path));

        std::string broken = readFile(path);
        broken.back() = '{';
        writeFile(path, broken);
        boxes_.shown.clear();
        window_->openFile(QString::fromStdString(path));
        QCOMPARE(messageKinds(), QStringList({"error"}));
        QVERIFY(window_->details().empty());
        QCOMPARE(xmlOf(window_->instrumentData()), sampleXml());
    }

    // OK stores what the dialog shows and the data become unsaved; a value a detail cannot
    // take is named and keeps the dialog open; Cancel drops the edits.
    void detailsDialogStoresOnlyWhatTheUserConfirms() {
        open().show();
        showSample();
        const auto editDetails = [this](const std::function<void(DetailsDialog&)>& edit) {
            QTimer::singleShot(0, window_.get(), [edit] {
                auto* dialog = qobject_cast<DetailsDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog != nullptr);
                edit(*dialog);
            });
            trigger("Inspectiondetails1");
        };
        const auto field = [](DetailsDialog& dialog, const char* name) {
            return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
        };
        editDetails([&field](DetailsDialog& dialog) {
            QCOMPARE(field(dialog, "date")->text(), QDate::currentDate().toString(Qt::ISODate));
            field(dialog, "client")->setText(QStringLiteral("Nováková"));
            dialog.findChild<QComboBox*>(QStringLiteral("profile"))->setCurrentIndex(1);
            auto* banks = dialog.findChild<QTableWidget*>(QStringLiteral("Banks"));
            QCOMPARE(banks->rowCount(), 3);
            editCell(*banks, 0, 0, QStringLiteral("Kuchyně"));
            editCell(*banks, 0, 1, QStringLiteral("X16"));
            dialog.accept();
            QVERIFY(dialog.isVisible());
            editCell(*banks, 0, 1, QStringLiteral("c16"));
            // The next inspection before this one keeps the dialog open too.
            field(dialog, "nextDate")->setText(QStringLiteral("2001-01-01"));
            dialog.accept();
            QVERIFY(dialog.isVisible());
            field(dialog, "nextDate")->setText(QString());
            // "Not selective" is a detail of its own, not the absence of one.
            editCell(*banks, 0, 4, QStringLiteral("false"));
            dialog.accept();
        });
        QCOMPARE(messageKinds(), QStringList({"error", "error"}));
        QCOMPARE(window_->details().inspection().client, "Nováková");
        QCOMPARE(window_->details().bank(1).label, "Kuchyně");
        QCOMPARE(window_->details().bank(1).device, "C16");
        QCOMPARE(window_->details().bank(1).rcdSelective, std::optional<bool>(false));
        QVERIFY(window_->isWindowModified());

        editDetails([&field](DetailsDialog& dialog) {
            QCOMPARE(field(dialog, "client")->text(), QStringLiteral("Nováková"));
            field(dialog, "client")->setText(QStringLiteral("Dvořák"));
            dialog.reject();
        });
        QCOMPARE(window_->details().inspection().client, "Nováková");

        // The report holds the details and the verdicts they give.
        const std::string report = dir_->path("report.pdf");
        boxes_.fileNames << QString::fromStdString(report);
        trigger("InspectionreportPDF1");
        saveShownReport();
        const QString text = QString::fromUtf8(popplerTool(
            QStringLiteral("pdftotext"), {QString::fromStdString(report), QStringLiteral("-")}));
        QVERIFY2(text.contains(QStringLiteral("Nováková")) &&
                     text.contains(QStringLiteral("Kuchyně")) &&
                     text.contains(QStringLiteral("vyhovuje")),
                 qPrintable(text));
    }

    // A file cut short opens with one warning of what it lacks; one beyond the bound is
    // refused and the window keeps its data.
    void openWarnsOfAFileCutShortAndRefusesAnOversizedOne() {
        open();
        const std::string path = dir_->path("sample.tso");
        QVERIFY(saveNativeFile(path, *sampleData()));
        const std::string whole = readFile(path);
        writeFile(path, whole.substr(0, whole.size() - 6));
        boxes_.fileNames << QString::fromStdString(path);
        trigger("Open1");
        QCOMPARE(
            boxes_.messages(),
            QStringList("Soubor je zkrácený: chybějící bajty (čtou se jako nuly): nejméně 6."));
        QCOMPARE(tree()->model()->rowCount(), 3);

        boxes_.shown.clear();
        std::filesystem::resize_file(path, nativeFileLimit + 1);
        boxes_.fileNames << QString::fromStdString(path);
        trigger("Open1");
        QCOMPARE(boxes_.messages(),
                 QStringList(QString::fromStdString(
                     path + " is too large for a data file: it holds more than 4 MiB")));
        QCOMPARE(tree()->model()->rowCount(), 3);
    }

    void fileThatCannotBeCreatedIsReported() {
        open();
        showSample();
        const QString folderless = QString::fromStdString(dir_->path("no/such/folder/out"));
        const QString cannotCreate =
            "Nelze vytvořit soubor " + folderless + ": " + systemReason(ENOENT);
        const std::pair<const char*, QString> commands[] = {
            {"Saveas1", cannotCreate},
            {"SaveasXML1", cannotCreate},
            {"SaveasHTML1", "Cannot write file " + folderless},
            {"Saveasplaintext1", "Cannot write file " + folderless},
        };
        for (const auto& [action, message] : commands) {
            boxes_.shown.clear();
            boxes_.fileNames << folderless;
            trigger(action);
            QCOMPARE(boxes_.messages(), QStringList({message}));
        }
        QCOMPARE(xmlOf(window_->instrumentData()), sampleXml());
    }

    // The title names the file and marks a deletion since; Undo takes the mark back. Every
    // command that would replace the data asks first: Cancel keeps them, Save keeps them
    // only when Save as wrote them, Discard lets them go.
    void unsavedDataAreMarkedAndAskedForBeforeTheyGo() {
        open().show();
        const std::string path = dir_->path("sample.tso");
        QVERIFY(saveNativeFile(path, *sampleData()));
        window_->openFile(QString::fromStdString(path));
        QCOMPARE(window_->windowTitle(), QStringLiteral("sample.tso[*] \u2014 Kadenza"));
        QVERIFY(!window_->isWindowModified());
        const auto deleteFirstBank = [this] {
            tree()->setCurrentIndex(tree()->model()->index(0, 0));
            QTest::keyClick(tree(), Qt::Key_Delete);
        };
        deleteFirstBank();
        QVERIFY(window_->isWindowModified());
        QCOMPARE(part<QAction>("Undo1")->shortcut(), QKeySequence(QKeySequence::Undo));
        trigger("Undo1");
        QVERIFY(!window_->isWindowModified());
        QCOMPARE(xmlOf(window_->instrumentData()), sampleXml());

        deleteFirstBank();
        boxes_.answers.assign(5, UnsavedChoice::cancel);
        for (const char* command : {"Open1", "Starttransfer1", "StarttransferfromMx31011"}) {
            trigger(command);
        }
        QVERIFY(!window_->close());
        QVERIFY(window_->isVisible());
        QCOMPARE(messageKinds(), QStringList(4, QStringLiteral("question")));
        QCOMPARE(boxes_.shown[0].text, row(265, czechLanguage));
        QCOMPARE(tree()->model()->rowCount(), 2);

        // Save, and its dialog cancelled: the data stay, unsaved.
        boxes_.shown.clear();
        boxes_.answers = {UnsavedChoice::save};
        trigger("Open1");
        QCOMPARE(messageKinds(), QStringList({"question", "save"}));
        QVERIFY(window_->isWindowModified());

        const std::string saved = dir_->path("saved.tso");
        boxes_.shown.clear();
        boxes_.answers = {UnsavedChoice::save};
        boxes_.fileNames << QString::fromStdString(saved) << QString::fromStdString(path);
        trigger("Open1");
        QCOMPARE(messageKinds(), QStringList({"question", "save", "open"}));
        InstrumentData reopened;
        QVERIFY(openNativeFile(saved, reopened));
        QCOMPARE(reopened.count(), 2);
        QCOMPARE(tree()->model()->rowCount(), 3);

        deleteFirstBank();
        boxes_.answers = {UnsavedChoice::discard};
        QVERIFY(window_->close());
    }

    // A local data file dropped on the window opens as Open would; other drops are refused.
    void droppedDataFileOpens() {
        open();
        const std::string path = dir_->path("dropped.TSO");
        QVERIFY(saveNativeFile(path, *sampleData()));
        const QUrl file = QUrl::fromLocalFile(QString::fromStdString(path));
        const QList<QList<QUrl>> refused = {
            {},
            {QUrl::fromLocalFile(QString::fromStdString(dir_->path("notes.txt")))},
            {QUrl(QStringLiteral("https://example.org/dropped.tso"))},
            {file, file},
        };
        const auto drop = [this](const QList<QUrl>& urls) {
            QMimeData mime;
            mime.setUrls(urls);
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            enter.ignore();
            QApplication::sendEvent(window_.get(), &enter);
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(window_.get(), &dropped);
            return enter.isAccepted();
        };
        for (const QList<QUrl>& urls : refused) {
            QVERIFY(!drop(urls));
        }
        QCOMPARE(tree()->model()->rowCount(), 0);
        QVERIFY(drop({file}));
        QCOMPARE(xmlOf(window_->instrumentData()), sampleXml());
        QCOMPARE(window_->windowTitle(), QStringLiteral("dropped.TSO[*] \u2014 Kadenza"));
    }

    // The glyph-only tool buttons tell what they do, Qt's own dialogs speak the chosen
    // language, and every row's text is the whole row as drawn, for screen readers.
    void buttonsDialogsAndRowsSpeakTheChosenLanguage() {
        open();
        showSample();
        tree()->expand(tree()->model()->index(0, 0));
        const QModelIndex item = tree()->model()->index(1, 0, tree()->model()->index(0, 0));
        const QString czechRow = item.data().toString();
        QVERIFY2(czechRow.contains(QStringLiteral(" [1]")), qPrintable(czechRow));
        for (int language : {englishLanguage, czechLanguage}) {
            trigger(language == czechLanguage ? "esky1" : "English1");
            QCOMPARE(part<QToolButton>("SpeedButton1")->toolTip(), row(14, language));
            QCOMPARE(part<QToolButton>("SpeedButton4")->toolTip(), row(9, language));
            QCOMPARE(
                QCoreApplication::translate("QPlatformTheme", "Cancel"),
                language == czechLanguage ? QStringLiteral("Zrušit") : QStringLiteral("Cancel"));
        }
        QCOMPARE(item.data().toString(), czechRow);
        trigger("Addressnumber1");
        QVERIFY(!item.data().toString().contains(QStringLiteral(" [1]")));
        QVERIFY(item.data().toString().size() < czechRow.size());
    }

    void transfersWithoutAPortStartNothing() {
        open();
        showSample();
        part<QToolButton>("SpeedButton1")->click();
        QCOMPARE(tree()->model()->rowCount(), 0);
        QCOMPARE(xmlOf(window_->instrumentData()), sampleXml());
        QVERIFY(part<QToolButton>("SpeedButton1")->isEnabled());
        QVERIFY(part<QToolButton>("SpeedButton3")->isEnabled());
        QVERIFY(part<QAction>("Open1")->isEnabled());

        window_->UpdateTree();
        trigger("StarttransferfromMx31011");
        QCOMPARE(tree()->model()->rowCount(), 0);
        QVERIFY(part<QAction>("Open1")->isEnabled());
        QVERIFY(boxes_.shown.empty());

        trigger("Setup1");
        QVERIFY(!window_->setupDialog().isVisible());
        QVERIFY(part<QToolButton>("SpeedButton3")->isEnabled());
    }

    void setupKeepsTheTransferButtonsOffWhileTheDialogIsOpen() {
        open({"/tmp/no-such-port"});
        bool seenOpen = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            if (window_->setupDialog().isVisible()) {
                seenOpen = true;
                QVERIFY(!part<QToolButton>("SpeedButton1")->isEnabled());
                QVERIFY(!part<QToolButton>("SpeedButton3")->isEnabled());
                window_->setupDialog().reject();
            }
        });
        poll.start(10);
        part<QToolButton>("SpeedButton3")->click();
        QVERIFY(seenOpen);
        QVERIFY(part<QToolButton>("SpeedButton1")->isEnabled());
        QVERIFY(part<QToolButton>("SpeedButton3")->isEnabled());
    }

    void exceptionEscapingAHandlerIsShownAndTheProgramGoesOn() {
        QObject thrower;
        QTimer::singleShot(0, &thrower, [] { throw std::runtime_error("disk on fire"); });
        QTest::qWait(20);
        QCOMPARE(boxes_.messages(), QStringList({"disk on fire"}));
    }
};

}  // namespace kadenza::test

int main(int argc, char* argv[]) {
    kadenza::test::FakeMessageBoxes boxes;
    kadenza::KadenzaApplication application(argc, argv, boxes);
    kadenza::test::TForm1Test test(boxes);
    return QTest::qExec(&test, argc, argv);
}

#include "TForm1Test.moc"
