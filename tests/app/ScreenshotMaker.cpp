#include <QApplication>
#include <QChart>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QThread>
#include <QTimer>
#include <QToolTip>
#include <QTreeView>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/ArchiveConnection.h"
#include "app/ArchiveWindow.h"
#include "app/CircuitHistoryPanel.h"
#include "app/DetailsDialog.h"
#include "app/InstallationsModel.h"
#include "app/KadenzaApplication.h"
#include "app/MessageBoxes.h"
#include "app/Relabelling.h"
#include "app/ReportPreview.h"
#include "app/RevisionsPanel.h"
#include "app/SignDialog.h"
#include "app/TForm1.h"
#include "app/TProgressForm.h"
#include "inspection/InspectionFile.h"
#include "language/Language.h"
#include "link/PosixSerialLine.h"
#include "model/NativeFile.h"
#include "samples/SampleImages.h"
#include "setup/TForm2.h"
#include "sim/PseudoTerminal.h"
#include "sim/RunningInstrument.h"
#include "support/NssTestDatabase.h"
#include "support/SampleArchive.h"
#include "support/SampleData.h"
#include "support/TempDir.h"
#include "translators/TranslatorFactory.h"

// kadenza-screenshots FOLDER: renders the windows as a person sees them into PNG files, with
// the measurements of a sample download, for a look at the type, the symbols and the
// language of every caption.

namespace kadenza::test {

namespace {

constexpr int mx350 = 5;

// Quantity codes of the close-up's rows.
enum Quantity {
    lineVoltage = 1,
    trippingCurrent = 5,
    frequency = 8,
    insulationResistance = 15,
    temperature = 16,
    speed = 17,
    differentialCurrent = 21,
    insulationVoltage = 22,
};

// The container filled as a download from the model's sample memory would fill it.
void download(InstrumentData& data, int modelCode) {
    const std::vector<std::uint8_t> image = samples::sampleImage(modelCode);
    auto translator = createTranslator(modelCode);
    translator->copyIn(image.data(), 0, static_cast<int>(image.size()));
    translator->decodeData(data);
}

// The widget drawn at `scale` device pixels per pixel.
QImage render(QWidget& widget, int scale) {
    QImage image(widget.size() * scale, QImage::Format_ARGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    widget.render(&image);
    return image;
}

bool save(const QImage& image, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name);
    if (!image.save(path)) {
        std::fprintf(stderr, "kadenza-screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Shows the first banks opened, with one item selected.
void showSample(TForm1& window, int bank, int item) {
    auto* tree = window.findChild<QTreeView*>(QStringLiteral("TreeView1"));
    for (int i = 0; i < tree->model()->rowCount() && i < 3; ++i) {
        tree->expand(tree->model()->index(i, 0));
    }
    tree->setCurrentIndex(tree->model()->index(item, 0, tree->model()->index(bank, 0)));
}

bool mainWindowIn(int language, TForm1& window, const QDir& folder, const QString& name) {
    SetLanguage(language);
    TranslateForms(window, window.setupDialog());
    window.show();
    QApplication::processEvents();
    return save(render(window, 1), folder, name);
}

// Rows with every style the tree draws: subscripts, a superscript, bold primary values, an
// over-range value in red, a note, and a bank whose rows have no address numbers.
void fillCloseUp(InstrumentData& data) {
    std::unique_ptr<InstrumentData> sample =
        DataBuilder()
            .bank(1)
            .item(lineVoltage, 230.4, true)
            .item(frequency, 50.02)
            .item(insulationResistance, 1.999e9, true, true)
            .item(insulationVoltage, 500)
            .item(trippingCurrent, 0.0186, true, false, "RCD 30 mA")
            .item(differentialCurrent, 0.0035, true)
            .item(speed, 1450, true)
            .item(temperature, 23.5, false, false, "bench 2")
            .bank(2)
            .item(speed, 2900)
            .build();
    for (int i = 0; i < sample->count(); ++i) {
        data.add(std::make_unique<InstrumentBank>(*sample->bank(i)));
    }
}

bool treeCloseUp(const QDir& folder) {
    QtMessageBoxes boxes;
    TForm1 window(boxes, {});
    fillCloseUp(window.instrumentData());
    window.UpdateTree();
    showSample(window, 0, 3);
    window.resize(420, 360);
    window.show();
    QApplication::processEvents();
    auto* tree = window.findChild<QTreeView*>(QStringLiteral("TreeView1"));
    return save(render(*tree, 2), folder, QStringLiteral("tree-closeup.png"));
}

bool toolBar(TForm1& window, const QDir& folder) {
    auto* panel = window.findChild<QWidget*>(QStringLiteral("Panel1"));
    QImage image = render(*panel, 3).copy(0, 0, 250 * 3, panel->height() * 3);
    return save(image, folder, QStringLiteral("toolbar.png"));
}

bool progressWindow(TForm1& window, const QDir& folder) {
    TProgressForm& progress = window.progressForm();
    progress.attach(nullptr);
    progress.setCaptionText(QStringLiteral("Mx350"));
    progress.setPosition(42);
    QApplication::processEvents();
    const bool saved = save(render(progress, 1), folder, QStringLiteral("progress.png"));
    progress.closeWindow();
    return saved;
}

bool aboutBox(TForm1& window, int language, const QDir& folder, const QString& name) {
    SetLanguage(language);
    QMessageBox box(QMessageBox::Information, QStringLiteral("Kadenza"),
                    QString::fromStdU16String(GetText(255)), QMessageBox::Ok, &window);
    box.show();
    QApplication::processEvents();
    return save(render(box, 1), folder, name);
}

// Lets the windows work until `done` holds: the dialog's jobs answer through the event loop.
void processEventsUntil(const std::function<bool()>& done) {
    while (!done()) {
        QApplication::processEvents();
        QThread::msleep(5);
    }
}

// The visible top-level window of type T, once the event loop has shown one.
template <typename T>
T* shownWindow() {
    T* shown = nullptr;
    processEventsUntil([&shown] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<T*>(top); window && window->isVisible()) {
                shown = window;
            }
        }
        return shown != nullptr;
    });
    return shown;
}

// Triggers the window's command `action`, which opens a modal T, and renders the T before
// it is cancelled.
template <typename T>
bool modalOf(TForm1& window, const char* action, const QDir& folder, const QString& name) {
    bool saved = false;
    QTimer::singleShot(0, &window, [&] {
        T* dialog = shownWindow<T>();
        // A file dialog lists the folder in the background.
        QElapsedTimer listing;
        listing.start();
        processEventsUntil([&listing] { return listing.hasExpired(500); });
        saved = save(render(*dialog, 1), folder, name);
        dialog->reject();
    });
    window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    return saved;
}

// The question before data not saved are lost, asked as the window closes after a bank was
// deleted, and the save dialog among a few data files: Qt's own texts are Czech too.
bool unsavedQuestionAndFileDialog(const QDir& folder) {
    SetLanguage(czechLanguage);
    QtMessageBoxes boxes;
    TForm1 window(boxes, {});
    TranslateForms(window, window.setupDialog());
    download(window.instrumentData(), mx350);
    window.UpdateTree();
    window.show();
    auto* tree = window.findChild<QTreeView*>(QStringLiteral("TreeView1"));
    tree->setCurrentIndex(tree->model()->index(0, 0));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(tree, &press);

    TempDir dir;
    for (const char* name : {"rozvadec-1.tso", "rozvadec-2.tso", "kuchyne.tso"}) {
        saveNativeFile(dir.path(name), window.instrumentData());
    }
    const QString workingFolder = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.path(".")));
    const bool saved =
        modalOf<QMessageBox>(window, "Exit1", folder, QStringLiteral("unsaved-cs.png")) &&
        modalOf<QFileDialog>(window, "Saveas1", folder, QStringLiteral("save-dialog-cs.png"));
    QDir::setCurrent(workingFolder);
    return saved;
}

// What the setup dialog shows of an instrument.
struct SetupShot {
    int modelCode;
    // The setup area reads as erased: its values lie outside their ranges.
    bool erased;
    // The value editor open on the power-off time.
    bool editing;
};

// The setup dialog with the settings of a sample instrument, read from the simulator.
bool setupDialogIn(TForm1& window, int language, const SetupShot& shot, const QDir& folder,
                   const QString& name) {
    sim::InstrumentBehaviour behaviour;
    behaviour.modelCode = shot.modelCode;
    std::vector<std::uint8_t> image = samples::sampleImage(shot.modelCode);
    if (shot.erased) {
        std::fill(image.begin() + 8064, image.end(), 0xFF);
    }
    RunningInstrument instrument(behaviour, image);
    SetLanguage(language);
    TForm2& dialog = window.setupDialog();
    TranslateForms(window, dialog);
    bool saved = false;
    QTimer::singleShot(0, &dialog, [&] {
        const auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("Button2"));
        processEventsUntil([cancel] { return cancel->isEnabled(); });
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("ListBox1"));
        if (shot.editing) {
            const int powerOffRow = 1;
            list->setCurrentRow(powerOffRow);
            emit list->itemDoubleClicked(list->item(powerOffRow));
        }
        saved = save(render(dialog, 1), folder, name);
        dialog.reject();
    });
    dialog.showFor(QString::fromStdString(instrument.devicePath()));
    return saved;
}

// A serial device as the system shows one, in folders of our own.
void plugIn(const TempDir& dir, const std::string& name, const std::string& target) {
    std::filesystem::create_directories(dir.path("class/" + name + "/device"));
    std::filesystem::create_symlink(target, dir.path("dev/" + name));
}

// The main window of a computer with one usable adapter, one held by another program and
// one that does not respond, with the port list's tooltip shown under it.
bool portProblems(const QDir& folder) {
    TempDir dir;
    std::filesystem::create_directories(dir.path("class"));
    std::filesystem::create_directories(dir.path("dev"));
    sim::PseudoTerminal usable;
    sim::PseudoTerminal held;
    plugIn(dir, "ttyUSB0", usable.devicePath());
    plugIn(dir, "ttyUSB1", held.devicePath());
    plugIn(dir, "ttyACM0", dir.path("gone"));
    PosixSerialLine otherProgram(held.devicePath());

    SetLanguage(englishLanguage);
    QtMessageBoxes boxes;
    TForm1 window(boxes, {}, {dir.path("class"), dir.path("dev")});
    TranslateForms(window, window.setupDialog());
    window.show();
    auto* ports = window.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    const QPoint under = ports->mapTo(&window, QPoint(0, ports->height() + 2));
    QToolTip::showText(ports->mapToGlobal(QPoint(0, ports->height() + 2)), ports->toolTip(), ports);
    QApplication::processEvents();

    QImage image = render(window, 1);
    QPainter painter(&image);
    // The offscreen platform never activates a window, so the tip is made but not shown.
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->inherits("QTipLabel")) {
            painter.drawImage(under, render(*top, 1));
        }
    }
    painter.end();
    QToolTip::hideText();
    return save(image, folder, QStringLiteral("port-problems-en.png"));
}

// Every tab of the details dialog but the first, as details-cs-N.png from 2.
bool detailTabs(TForm1& window, const QDir& folder) {
    bool saved = true;
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = shownWindow<DetailsDialog>();
        auto* tabs = dialog->findChild<QTabWidget*>();
        for (int tab = 1; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            QApplication::processEvents();
            saved = saved && save(render(*dialog, 1), folder,
                                  QStringLiteral("details-cs-%1.png").arg(tab + 1));
        }
        dialog->reject();
    });
    window.findChild<QAction*>(QStringLiteral("Inspectiondetails1"))->trigger();
    return saved;
}

// The dialog that signs the report: a draft's question, which comes first, answered Yes.
bool signDialog(QWidget& preview, const QDir& folder) {
    bool saved = false;
    const auto renderDialog = [&saved, &folder] {
        auto* dialog = shownWindow<SignDialog>();
        saved = save(render(*dialog, 1), folder, QStringLiteral("sign-cs.png"));
        dialog->reject();
    };
    QTimer::singleShot(0, &preview, [&preview, &renderDialog] {
        auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (question == nullptr) {
            renderDialog();
            return;
        }
        QTimer::singleShot(0, &preview, renderDialog);
        question->button(QMessageBox::Yes)->click();
    });
    preview.findChild<QPushButton*>(QStringLiteral("Sign"))->click();
    return saved;
}

// The report in its preview, preview-cs.png, and the dialog that signs it, sign-cs.png, with
// a certificate in the shared database of a home folder of its own.
bool previewAndSignature(TForm1& window, const QDir& folder) {
    const TempDir home;
    const NssTestDatabase database("Ing. Jan Dvořák", "heslo");
    std::filesystem::create_directories(home.path(".pki"));
    std::filesystem::create_directory_symlink(database.folder(), home.path(".pki/nssdb"));
    const QByteArray previousHome = qgetenv("HOME");
    qputenv("HOME", home.path("").c_str());

    window.findChild<QAction*>(QStringLiteral("InspectionreportPDF1"))->trigger();
    auto* preview = shownWindow<ReportPreview>();
    QElapsedTimer loading;
    loading.start();
    processEventsUntil([&loading] { return loading.hasExpired(1000); });
    bool saved = save(render(*preview, 1), folder, QStringLiteral("preview-cs.png"));
    saved = signDialog(*preview, folder) && saved;
    preview->close();
    qputenv("HOME", previousHome);
    return saved;
}

// The verdict marks and the banks' labels in the tree of a file with the inspection's
// details, and the dialog that edits them.
bool verdictsAndDetails(const QDir& folder) {
    DetailsDocument details;
    details.set("inspection.client", "Nováková s.r.o.");
    const char* labels[] = {"Kitchen sockets", "Bathroom", "Workshop"};
    for (int bank = 1; bank <= 3; ++bank) {
        const std::string prefix = "bank." + std::to_string(bank) + ".";
        details.set(prefix + "label", labels[bank - 1]);
        details.set(prefix + "device", "B16");
        details.set(prefix + "rcdType", "A");
    }
    InstrumentData data;
    download(data, mx350);
    TempDir dir;
    saveInspectionFile(dir.path("inspected.tso"), data, details);

    QtMessageBoxes boxes;
    TForm1 window(boxes, {});
    window.openFile(QString::fromStdString(dir.path("inspected.tso")));
    showSample(window, 1, 10);
    if (!mainWindowIn(englishLanguage, window, folder, QStringLiteral("verdicts-en.png"))) {
        return false;
    }
    SetLanguage(czechLanguage);
    TranslateForms(window, window.setupDialog());
    return modalOf<DetailsDialog>(window, "Inspectiondetails1", folder,
                                  QStringLiteral("details-cs.png")) &&
           detailTabs(window, folder) && previewAndSignature(window, folder);
}

// Chooses the installation of `site` in the archive's window and waits for its revisions.
void chooseInstallation(ArchiveWindow& window, const QString& site) {
    QSortFilterProxyModel& shown = window.shownInstallations();
    auto* table = window.findChild<QTableView*>(QStringLiteral("InstallationsTable"));
    for (int row = 0; row < shown.rowCount(); ++row) {
        if (shown.index(row, InstallationsModel::siteColumn).data().toString() == site) {
            table->setCurrentIndex(shown.index(row, 0));
        }
    }
    processEventsUntil([&window, &site] {
        const auto& revisions = window.revisions().revisions();
        return !revisions.empty() &&
               QString::fromStdString(revisions.front().inspection.site) == site;
    });
}

// The archive's window on the sample archive, as seen on 20 December 2026: the school is
// overdue, the house due within 30 days; then the house's revisions in English, and its lift's
// loop impedance over five years, which fails in the last.
bool archiveWindows(const QDir& folder) {
    const TempDir dir;
    const std::string location = dir.path("archive.sqlite");
    {
        const auto archive = Archive::open(location);
        for (const std::string& file : sampleArchiveFiles()) {
            archive->add(file);
        }
    }
    QtMessageBoxes boxes;
    ArchiveConnection connection(QString::fromStdString(location));
    ArchiveWindow window(connection, boxes);
    window.setToday(QDate(2026, 12, 20));
    SetLanguage(czechLanguage);
    window.retranslate();
    window.reload();
    window.show();
    chooseInstallation(window, QStringLiteral("Školní 5, Olomouc"));
    bool saved = save(render(window, 1), folder, QStringLiteral("archive-cs.png"));

    SetLanguage(englishLanguage);
    window.retranslate();
    chooseInstallation(window, QStringLiteral("Javorová 12, Brno"));
    saved = saved && save(render(window, 1), folder, QStringLiteral("archive-installation-en.png"));

    SetLanguage(czechLanguage);
    window.retranslate();
    window.findChild<QTabWidget*>()->setCurrentIndex(1);
    auto* circuit = window.findChild<QComboBox*>(QStringLiteral("HistoryCircuit"));
    processEventsUntil([circuit] { return circuit->findText(QStringLiteral("Výtah")) >= 0; });
    circuit->setCurrentText(QStringLiteral("Výtah"));
    window.findChild<QComboBox*>(QStringLiteral("HistoryQuantity"))
        ->setCurrentText(QStringLiteral("Z_S"));
    processEventsUntil([&window] {
        return window.history().chart().title().endsWith(QStringLiteral("Z_S")) &&
               window.history().chart().series().size() >= 3;
    });
    // The chart lays its axes and legend out as its scene updates.
    QElapsedTimer settling;
    settling.start();
    processEventsUntil([&settling] { return settling.elapsed() > 300; });
    return saved && save(render(window, 1), folder, QStringLiteral("archive-plot-cs.png"));
}

}  // namespace

int makeScreenshots(const QDir& folder) {
    QtMessageBoxes boxes;
    TForm1 window(boxes, {QStringLiteral("/dev/ttyUSB0")});
    download(window.instrumentData(), mx350);
    window.UpdateTree();
    showSample(window, 1, 2);
    const bool saved =
        mainWindowIn(czechLanguage, window, folder, QStringLiteral("main-cs.png")) &&
        mainWindowIn(englishLanguage, window, folder, QStringLiteral("main-en.png")) &&
        toolBar(window, folder) && treeCloseUp(folder) && progressWindow(window, folder) &&
        aboutBox(window, czechLanguage, folder, QStringLiteral("about-cs.png")) &&
        aboutBox(window, englishLanguage, folder, QStringLiteral("about-en.png")) &&
        setupDialogIn(window, czechLanguage, {3, false, true}, folder,
                      QStringLiteral("setup-cs.png")) &&
        setupDialogIn(window, englishLanguage, {3, false, true}, folder,
                      QStringLiteral("setup-en.png")) &&
        setupDialogIn(window, englishLanguage, {3, true, false}, folder,
                      QStringLiteral("setup-erased-en.png")) &&
        setupDialogIn(window, czechLanguage, {5, false, false}, folder,
                      QStringLiteral("setup-none-cs.png")) &&
        portProblems(folder) && unsavedQuestionAndFileDialog(folder) &&
        verdictsAndDetails(folder) && archiveWindows(folder);
    return saved ? 0 : 1;
}

}  // namespace kadenza::test

int main(int argc, char* argv[]) {
    kadenza::QtMessageBoxes boxes;
    kadenza::KadenzaApplication application(argc, argv, boxes);
    const QStringList arguments = QApplication::arguments();
    const QDir folder(arguments.size() > 1 ? arguments[1] : QStringLiteral("screenshots"));
    if (!QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "kadenza-screenshots: cannot make %s\n", qPrintable(folder.path()));
        return 1;
    }
    return kadenza::test::makeScreenshots(folder);
}
