#include "app/TForm1.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QTemporaryDir>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>

#include "app/AccessKeys.h"
#include "app/ArchiveCommands.h"
#include "app/ArchiveConnection.h"
#include "app/DataDocument.h"
#include "app/DataTreeView.h"
#include "app/DetailsDialog.h"
#include "app/ErrorText.h"
#include "app/InstrumentTransferWindowPrint.h"
#include "app/InstrumentTransferWindowThread.h"
#include "app/MessageBoxes.h"
#include "app/Mx310Old.h"
#include "app/ProgramIcon.h"
#include "app/Relabelling.h"
#include "app/ReportPreview.h"
#include "app/TProgressForm.h"
#include "app/ToolGlyphs.h"
#include "inspection/CsvExport.h"
#include "inspection/InspectionFile.h"
#include "language/Language.h"
#include "model/FileLock.h"
#include "model/HtmlExport.h"
#include "model/NativeFile.h"
#include "model/PlainTextExport.h"
#include "model/TextFile.h"
#include "model/XmlExport.h"
#include "report/InspectionReport.h"
#include "setup/TForm2.h"

namespace kadenza {

namespace {

constexpr QSize windowSize(666, 504);
constexpr int panelHeight = 41;
constexpr int toolButtonSize = 25;
constexpr int toolButtonTop = 8;
constexpr QRect portListPlace(152, 8, 81, 22);
constexpr int portListFontPixels = 13;
constexpr int aboutRow = 255;
constexpr int captionRow = 246;
constexpr int portListRow = 453;
constexpr int treeRow = 454;
constexpr int transferFinishedRow = 455;
constexpr int unsavedRow = 265;
constexpr int archiveRow = 459;
constexpr int archiveWindowRow = 460;
constexpr int archiveSettingsRow = 461;
constexpr int addToArchiveRow = 462;
constexpr int noSiteRow = 491;
constexpr int archiveEntryRow = 492;

const QString applicationTitle = QStringLiteral("Kadenza");
const QString nativeFilter = QStringLiteral("Tessaro 2 (*.tso)");
const QString htmlFilter = QStringLiteral("HTML (*.html *.htm)");
const QString textFilter = QStringLiteral("TXT (*.txt)");
const QString csvFilter = QStringLiteral("CSV (*.csv)");
const QString xmlFilter = QStringLiteral("XML (*.xml)");

void setTag(QObject& object, int row) {
    object.setProperty("tag", row);
}

std::string filePath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// The data file a drag brings, if it brings one local .tso file.
QString droppedDataFile(const QMimeData& mime) {
    const QList<QUrl> urls = mime.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return QString();
    }
    const QString path = urls.front().toLocalFile();
    return path.endsWith(QStringLiteral(".tso"), Qt::CaseInsensitive) ? path : QString();
}

// A glyph-only tool button tells what it does with the caption of its menu command, in the
// language the command has.
// A tool button shows only its glyph: its tip and its name for a screen reader are the
// command's caption.
void explainWith(QToolButton& button, const QAction& command) {
    const auto explain = [&button, &command] {
        const QString caption = withoutAccessKey(command.text());
        button.setToolTip(caption);
        button.setAccessibleName(caption);
    };
    explain();
    QObject::connect(&command, &QAction::changed, &button, explain);
}

}  // namespace

TForm1::TForm1(MessageBoxes& boxes, QStringList namedPorts, SerialDeviceFolders folders)
    : boxes_(boxes) {
    setObjectName(QStringLiteral("TForm1"));
    setTag(*this, captionRow);
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    qtTranslation_.follow(TextTable::language());

    auto* client = new QWidget(this);
    auto* panel1 = new QWidget(client);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFixedHeight(panelHeight);
    treeView1_ = new DataTreeView(instrumentData_, client);
    setTag(*treeView1_, treeRow);
    treeView1_->showVerdictsOf(details_);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel1);
    layout->addWidget(treeView1_);
    setCentralWidget(client);
    buildToolBar(*panel1);
    buildMainMenu();
    explainWith(*speedButton1_, *starttransfer1_);
    explainWith(*speedButton2_, *open1_);
    explainWith(*speedButton3_, *setup1_);
    explainWith(*speedButton4_, *saveas1_);
    explainWith(*speedButton5_, *print1_);
    document_ = new DataDocument(treeView1_->deletions(), this);
    connect(document_, &DataDocument::changed, this, &TForm1::updateTitle);

    resize(windowSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    portList_ = new PortListWatcher(*comboBox1_, std::move(namedPorts), std::move(folders), this);
    portList_->FillPortList();
    progressForm_ = new TProgressForm(this);
    setupDialog_ = new TForm2(*progressForm_, boxes_, this);
    archive_ = new ArchiveCommands(*this, boxes_);
    connect(archive_, &ArchiveCommands::openWanted, this, &TForm1::openArchived);
}

void TForm1::buildToolBar(QWidget& panel) {
    speedButton1_ = addToolButton(panel, "SpeedButton1", 8, startTransferGlyph());
    speedButton3_ = addToolButton(panel, "SpeedButton3", 32, setupGlyph());
    speedButton2_ = addToolButton(panel, "SpeedButton2", 64, openGlyph());
    speedButton4_ = addToolButton(panel, "SpeedButton4", 88, saveAsGlyph());
    speedButton5_ = addToolButton(panel, "SpeedButton5", 112, printGlyph());
    connect(speedButton1_, &QToolButton::clicked, this, &TForm1::Starttransfer1Click);
    connect(speedButton3_, &QToolButton::clicked, this, &TForm1::Setup1Click);
    connect(speedButton2_, &QToolButton::clicked, this, &TForm1::Open1Click);
    connect(speedButton4_, &QToolButton::clicked, this, &TForm1::Saveas1Click);
    connect(speedButton5_, &QToolButton::clicked, this, &TForm1::Print1Click);

    comboBox1_ = new QComboBox(&panel);
    comboBox1_->setObjectName(QStringLiteral("ComboBox1"));
    // A screen reader names a combo box by its label; the panel shows none.
    auto* portLabel = new QLabel(&panel);
    portLabel->setObjectName(QStringLiteral("PortLabel"));
    setTag(*portLabel, portListRow);
    portLabel->setBuddy(comboBox1_);
    portLabel->hide();
    comboBox1_->setEditable(false);
    comboBox1_->setGeometry(portListPlace);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(portListFontPixels);
    font.setBold(true);
    comboBox1_->setFont(font);
}

QToolButton* TForm1::addToolButton(QWidget& panel, const char* name, int x, const QIcon& glyph) {
    auto* button = new QToolButton(&panel);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(x, toolButtonTop, toolButtonSize, toolButtonSize);
    button->setIcon(glyph);
    button->setIconSize(QSize(toolGlyphSize, toolGlyphSize));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setAutoRaise(true);
    return button;
}

void TForm1::buildMainMenu() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));

    QMenu* file1 = addMenu("File1", 7, QStringLiteral("File"));
    open1_ = addCommand(*file1, "Open1", 8, QStringLiteral("Open"), &TForm1::Open1Click);
    open1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    saveas1_ =
        addCommand(*file1, "Saveas1", 9, QStringLiteral("Save as ..."), &TForm1::Saveas1Click);
    saveas1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    saveasXml1_ = addCommand(*file1, "SaveasXML1", 119, QStringLiteral("Save as XML ..."),
                             &TForm1::SaveasXML1Click);
    saveasHtml1_ = addCommand(*file1, "SaveasHTML1", 239, QStringLiteral("Save as HTML ..."),
                              &TForm1::SaveasHTML1Click);
    saveasPlainText1_ =
        addCommand(*file1, "Saveasplaintext1", 259, QStringLiteral("Save as plain text ..."),
                   &TForm1::Saveasplaintext1Click);
    saveasCsv1_ = addCommand(*file1, "SaveasCSV1", 266, QStringLiteral("Save as CSV ..."),
                             &TForm1::SaveasCSV1Click);
    inspectionReport1_ = addCommand(*file1, "InspectionreportPDF1", 304,
                                    QStringLiteral("Inspection report (PDF) ..."),
                                    &TForm1::InspectionreportPDF1Click);
    inspectionReport1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    addToArchive1_ = addCommand(*file1, "AddtoArchive1", addToArchiveRow,
                                QStringLiteral("Add to archive"), &TForm1::AddtoArchive1Click);
    file1->addSeparator()->setObjectName(QStringLiteral("N2"));
    print1_ = addCommand(*file1, "Print1", 11, QStringLiteral("Print ..."), &TForm1::Print1Click);
    print1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    file1->addSeparator()->setObjectName(QStringLiteral("N1"));
    addCommand(*file1, "Exit1", 10, QStringLiteral("Exit"), &TForm1::Exit1Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu* instrument1 = addMenu("Instrument1", 13, QStringLiteral("Instrument"));
    starttransfer1_ = addCommand(*instrument1, "Starttransfer1", 14,
                                 QStringLiteral("Start transfer"), &TForm1::Starttransfer1Click);
    setup1_ = addCommand(*instrument1, "Setup1", 15, QStringLiteral("Setup"), &TForm1::Setup1Click);
    starttransfer1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    setup1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    instrument1->addSeparator()->setObjectName(QStringLiteral("N3"));
    starttransferfromMx31011_ = addCommand(*instrument1, "StarttransferfromMx31011", 227,
                                           QStringLiteral("Start transfer from Mx310.1"),
                                           &TForm1::StarttransferfromMx31011Click);
    instrument1->addSeparator()->setObjectName(QStringLiteral("N4"));
    inspectionDetails1_ =
        addCommand(*instrument1, "Inspectiondetails1", 303,
                   QStringLiteral("Inspection details ..."), &TForm1::Inspectiondetails1Click);
    inspectionDetails1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));

    QMenu* archive1 = addMenu("Archive1", archiveRow, QStringLiteral("Archive"));
    addCommand(*archive1, "Archiveofinspections1", archiveWindowRow,
               QStringLiteral("Archive of inspections ..."), &TForm1::Archiveofinspections1Click)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    addCommand(*archive1, "Archivesettings1", archiveSettingsRow,
               QStringLiteral("Archive settings ..."), &TForm1::Archivesettings1Click);

    // The two languages name themselves and carry no tag: they read the same in both.
    QMenu* language1 = addMenu("Language1", 1, QStringLiteral("Language"));
    auto* languages = new QActionGroup(this);
    QAction* czech =
        addCommand(*language1, "esky1", 0, QStringLiteral("Česky"), &TForm1::esky1Click);
    QAction* english =
        addCommand(*language1, "English1", 0, QStringLiteral("English"), &TForm1::English1Click);
    for (QAction* language : {czech, english}) {
        language->setCheckable(true);
        languages->addAction(language);
    }
    czech->setChecked(true);

    QAction* about1 = menuBar()->addAction(QStringLiteral("About"));
    about1->setObjectName(QStringLiteral("About1"));
    setTag(*about1, 26);
    connect(about1, &QAction::triggered, this, &TForm1::About1Click);

    // F10 opens the menu bar at its first menu, as on other desktops.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(menuBar()->actions().constFirst()); });
}

QMenu* TForm1::addMenu(const char* name, int row, const QString& caption) {
    QMenu* menu = menuBar()->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    setTag(*menu, row);
    return menu;
}

QAction* TForm1::addCommand(QMenu& menu, const char* name, int row, const QString& caption,
                            void (TForm1::*handler)()) {
    QAction* command = menu.addAction(caption);
    command->setObjectName(QString::fromLatin1(name));
    if (row != 0) {
        setTag(*command, row);
    }
    if (handler) {
        connect(command, &QAction::triggered, this, handler);
    }
    return command;
}

void TForm1::UpdateTree() {
    treeView1_->setAccessibleDescription(QString());
    treeView1_->rebuild();
    speedButton1_->setEnabled(true);
    speedButton3_->setEnabled(true);
    setJob(Job::none);
}

void TForm1::setPrintTarget(std::function<PrintTarget()> target) {
    printTarget_ = std::move(target);
}

// The container keeps its contents while the job runs: a download that fails leaves them, and
// the tree shows them again when the job ends.
void TForm1::Starttransfer1Click() {
    if (!mayReplaceData()) {
        return;
    }
    speedButton1_->setEnabled(false);
    speedButton3_->setEnabled(false);
    treeView1_->clear();
    const QString port = selectedPort();
    if (port.isEmpty()) {
        speedButton1_->setEnabled(true);
        speedButton3_->setEnabled(true);
        return;
    }
    setJob(Job::filling);
    auto* job = new InstrumentTransferWindowThread(port, *progressForm_, boxes_);
    job->startReadData(instrumentData_, [this](bool completed) { jobEnded(completed); });
}

void TForm1::StarttransferfromMx31011Click() {
    if (!mayReplaceData()) {
        return;
    }
    treeView1_->clear();
    const QString port = selectedPort();
    if (port.isEmpty()) {
        return;
    }
    setJob(Job::filling);
    auto* job = new Mx310Old(port, *progressForm_, boxes_);
    job->start(instrumentData_, [this](bool completed) { jobEnded(completed); });
}

void TForm1::Inspectiondetails1Click() {
    DetailsDialog dialog(details_, instrumentData_, lastModel_, boxes_, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    details_ = dialog.details();
    document_->detailsStored();
    treeView1_->refreshVerdicts();
}

void TForm1::Setup1Click() {
    speedButton1_->setEnabled(false);
    speedButton3_->setEnabled(false);
    const QString port = selectedPort();
    if (!port.isEmpty()) {
        setupDialog_->showFor(port);
    }
    speedButton1_->setEnabled(true);
    speedButton3_->setEnabled(true);
}

void TForm1::Open1Click() {
    if (!mayReplaceData()) {
        return;
    }
    const QString path = boxes_.openFileName(this, nativeFilter);
    if (!path.isEmpty()) {
        openFile(path);
    }
}

void TForm1::openFile(const QString& path) {
    std::string bytes;
    try {
        bytes = nativeFileBytes(filePath(path));
    } catch (const std::exception& error) {
        showError(errorText(error));
        return;
    }
    openBytes(bytes, path, [this, &path] { document_->opened(path); });
}

void TForm1::openBytes(const std::string& bytes, const QString& name,
                       const std::function<void()>& opened) {
    std::int64_t missingBytes = 0;
    try {
        if (!openNativeBytes(bytes, instrumentData_, &missingBytes)) {
            return;
        }
    } catch (const std::exception& error) {
        showError(errorText(error));
        return;
    }
    opened();
    // The tree shows the new contents before any message about the file comes up.
    details_ = DetailsDocument();
    otherSections_ = otherSectionsOf(bytes);
    UpdateTree();
    openDetails(bytes, name, missingBytes);
    treeView1_->refreshVerdicts();
    // A file cut short still shows what it holds; what is missing reads as zero.
    if (missingBytes > 0) {
        boxes_.failure(this, applicationTitle,
                       QString::fromStdString(cutShortWarning(missingBytes)));
    }
}

// The revision's file as the archive keeps it; the title names the entry, and Save as puts the
// data in a file of their own.
void TForm1::openArchived(const InspectionSummary& inspection) {
    if (job_ != Job::none || !mayReplaceData()) {
        return;
    }
    const QString entry = QString::fromUtf8(RowText(archiveEntryRow)).arg(inspection.id) +
                          QStringLiteral(": ") + QString::fromStdString(inspection.site) +
                          QStringLiteral(", ") + QString::fromStdString(inspection.date);
    const std::int64_t id = inspection.id;
    archive_->connection().run<std::string>(
        *this, [id](Archive& archive) { return archive.fileBytes(id); },
        [this, entry](const std::string& bytes) {
            if (job_ == Job::none) {
                openBytes(bytes, entry, [this, &entry] { document_->openedFromArchive(entry); });
                raise();
                activateWindow();
            }
        },
        [this](const ArchiveError& error) { archive_->tell(error); });
}

void TForm1::openDetails(const std::string& bytes, const QString& path,
                         std::int64_t& missingBytes) {
    try {
        details_ = detailsOfFile(bytes, &missingBytes);
    } catch (const std::exception& error) {
        showError(path + QStringLiteral(": ") + errorText(error));
    }
}

void TForm1::Saveas1Click() {
    const QString saved =
        saveAs(nativeFilter, QStringLiteral("tso"), [this](const std::string& path) {
            // Taken turns with another program changing the file, such as kadenza-cli.
            const FileLock lock(path);
            return saveInspectionFile(path, instrumentData_, details_, otherSections_);
        });
    if (saved.isEmpty()) {
        return;
    }
    document_->saved(saved);
    if (!details_.inspection().site.empty()) {
        try {
            archive_->offerAfterSave(nativeFileBytes(filePath(saved)));
        } catch (const std::exception& error) {
            showError(errorText(error));
        }
    }
}

// What Save as would write, added to the archive as it stands in the window.
void TForm1::AddtoArchive1Click() {
    if (details_.inspection().site.empty()) {
        boxes_.failure(this, QString::fromUtf8(RowText(archiveRow)),
                       QString::fromUtf8(RowText(noSiteRow)));
        return;
    }
    try {
        const QTemporaryDir folder;
        const std::string path = filePath(folder.filePath(QStringLiteral("data.tso")));
        if (!folder.isValid() ||
            !saveInspectionFile(path, instrumentData_, details_, otherSections_)) {
            throw std::runtime_error("Cannot create file " + path);
        }
        archive_->add(nativeFileBytes(path));
    } catch (const std::exception& error) {
        showError(errorText(error));
    }
}

void TForm1::Archiveofinspections1Click() {
    archive_->showWindow();
}

void TForm1::Archivesettings1Click() {
    archive_->chooseSettings();
}

void TForm1::SaveasXML1Click() {
    saveAs(xmlFilter, QStringLiteral("xml"),
           [this](const std::string& path) { return exportXml(path, instrumentData_); });
}

void TForm1::SaveasHTML1Click() {
    saveAs(htmlFilter, QStringLiteral("html"),
           [this](const std::string& path) { return SaveHtml(path, instrumentData_); });
}

void TForm1::Saveasplaintext1Click() {
    saveAs(textFilter, QStringLiteral("txt"),
           [this](const std::string& path) { return SavePlainText(path, instrumentData_); });
}

void TForm1::InspectionreportPDF1Click() {
    auto* preview = new ReportPreview(revisionReport(instrumentData_, details_),
                                      details_.inspection(), boxes_, this);
    preview->show();
}

void TForm1::SaveasCSV1Click() {
    saveAs(csvFilter, QStringLiteral("csv"), [this](const std::string& path) {
        return writeBytesFile(path, csvText(instrumentData_, details_));
    });
}

QString TForm1::saveAs(const QString& filter, const QString& defaultSuffix,
                       const std::function<bool(const std::string& path)>& write) {
    const QString path = boxes_.saveFileName(this, filter, defaultSuffix);
    if (path.isEmpty()) {
        return path;
    }
    try {
        if (write(filePath(path))) {
            return path;
        }
        showError(QStringLiteral("Cannot write file %1").arg(path));
    } catch (const std::exception& error) {
        showError(errorText(error));
    }
    return QString();
}

// Save runs Save as; the data may go only once they are in a file.
bool TForm1::mayReplaceData() {
    if (!document_->isModified()) {
        return true;
    }
    switch (boxes_.askToSave(this, QString::fromUtf8(RowText(captionRow)),
                             QString::fromUtf8(RowText(unsavedRow)))) {
        case UnsavedChoice::save:
            Saveas1Click();
            return !document_->isModified();
        case UnsavedChoice::discard:
            return true;
        case UnsavedChoice::cancel:
            break;
    }
    return false;
}

// "file.tso[*] — Kadenza", or "Kadenza[*]" while no file holds the data; Qt shows the mark
// as "*" while they are not saved.
void TForm1::updateTitle() {
    const QString caption = QString::fromUtf8(RowText(captionRow));
    const QString file = document_->fileName();
    setWindowTitle(file.isEmpty() ? caption + QStringLiteral("[*]")
                                  : file + QStringLiteral("[*] \u2014 ") + caption);
    setWindowModified(document_->isModified());
}

void TForm1::Print1Click() {
    setJob(Job::reading);
    auto* job = new InstrumentTransferWindowPrint(printTarget_(), *progressForm_, boxes_);
    job->start(instrumentData_, [this] { PrintDone(); });
}

void TForm1::PrintDone() {
    setJob(Job::none);
    if (closeWhenJobEnds_) {
        close();
    }
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::esky1Click() {
    relabel(czechLanguage);
}

void TForm1::English1Click() {
    relabel(englishLanguage);
}

void TForm1::relabel(int language) {
    SetLanguage(language);
    qtTranslation_.follow(language);
    TranslateForms(*this, *setupDialog_);
    archive_->retranslate();
    updateTitle();
    treeView1_->refreshTexts();
    portList_->ShowPortProblems();
}

void TForm1::About1Click() {
    boxes_.information(this, applicationTitle, QString::fromStdU16String(GetText(aboutRow)));
}

void TForm1::showError(const QString& text) {
    boxes_.error(this, text);
}

QString TForm1::selectedPort() const {
    return PortListWatcher::selectedPort(*comboBox1_);
}

// Open, the transfers, Setup and Delete would change the container or start a second job on
// the port; a second print would free these commands when the first ends, while the second
// still reads. Save as and the exports only read the container, which a filling job alone
// keeps from them.
void TForm1::setJob(Job job) {
    job_ = job;
    const bool idle = job == Job::none;
    for (QAction* command : {open1_, starttransfer1_, setup1_, starttransferfromMx31011_, print1_,
                             inspectionDetails1_}) {
        command->setEnabled(idle);
    }
    for (QToolButton* button : {speedButton1_, speedButton2_, speedButton3_, speedButton5_}) {
        button->setEnabled(idle);
    }
    treeView1_->setDeletionAllowed(idle);
    const bool readable = job != Job::filling;
    for (QAction* command : {saveas1_, saveasXml1_, saveasHtml1_, saveasPlainText1_, saveasCsv1_,
                             inspectionReport1_, addToArchive1_}) {
        command->setEnabled(readable);
    }
    speedButton4_->setEnabled(readable);
}

void TForm1::jobEnded(bool downloaded) {
    if (downloaded) {
        document_->downloaded();
        details_ = DetailsDocument();
        otherSections_.clear();
        // The progress window was captioned with the model the download came from.
        lastModel_ = progressForm_->windowTitle();
    }
    UpdateTree();
    if (downloaded) {
        announceDownload();
    }
    if (closeWhenJobEnds_) {
        close();
    }
}

// A screen reader hears that the transfer finished as the keys go to the first bank of what
// arrived: the tree says so beside its name.
void TForm1::announceDownload() {
    treeView1_->setAccessibleDescription(QString::fromUtf8(RowText(transferFinishedRow)));
    treeView1_->setCurrentIndex(treeView1_->model()->index(0, 0));
    treeView1_->setFocus(Qt::OtherFocusReason);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (job_ == Job::none) {
        closeWhenJobEnds_ = false;
        if (!mayReplaceData()) {
            event->ignore();
            return;
        }
        QMainWindow::closeEvent(event);
        return;
    }
    closeWhenJobEnds_ = true;
    progressForm_->closeWindow();
    event->ignore();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (job_ == Job::none && !droppedDataFile(*event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void TForm1::dropEvent(QDropEvent* event) {
    const QString path = droppedDataFile(*event->mimeData());
    if (job_ != Job::none || path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    if (mayReplaceData()) {
        openFile(path);
    }
}

}  // namespace kadenza
