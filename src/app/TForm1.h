#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>

#include "app/PortListWatcher.h"
#include "app/PrintTarget.h"
#include "app/QtTranslation.h"
#include "archive/ArchiveRecords.h"
#include "inspection/DetailsDocument.h"
#include "inspection/InspectionFile.h"
#include "model/InstrumentData.h"

class QAction;
class QComboBox;
class QMenu;
class QToolButton;

namespace kadenza {

class ArchiveCommands;
class DataDocument;
class DataTreeView;
class MessageBoxes;
class TForm2;
class TProgressForm;

// The main window: owns the one measured-data container of the program, the port list, the
// setup dialog and the progress window, and starts every command from its menus and tool
// buttons. Its handlers only wire the commands to the core and the transfer jobs. Its title
// names the file the data are kept in and marks data not saved, which are never lost
// without a question.
class TForm1 : public QMainWindow {
    Q_OBJECT

  public:
    // `namedPorts` are listed ahead of the system's serial ports.
    TForm1(MessageBoxes& boxes, QStringList namedPorts, SerialDeviceFolders folders = {});

    InstrumentData& instrumentData() { return instrumentData_; }
    // The inspection's details of the data: those of the file they came from, none after a
    // download.
    const DetailsDocument& details() const { return details_; }
    TForm2& setupDialog() { return *setupDialog_; }
    TProgressForm& progressForm() { return *progressForm_; }

    // Rebuilds the tree from the container and enables every command again: the end of a
    // transfer, and the last step of Open.
    void UpdateTree();

    // Print asks `target` for the printer each time; the system's default printer unless set.
    void setPrintTarget(std::function<PrintTarget()> target);

    // Opens the data file as Open does once a file is chosen: a file dropped on the window or
    // named on the command line.
    void openFile(const QString& path);
    // Opens a revision the archive keeps, as if its file were opened; the title names the
    // archive's entry.
    void openArchived(const InspectionSummary& inspection);
    ArchiveCommands& archive() { return *archive_; }

  protected:
    // While a job fills or prints the container the window stays: the job is asked to stop
    // and the window closes when the job has ended, so the job never uses a freed container.
    // Data not saved are closed only after the question.
    void closeEvent(QCloseEvent* event) override;
    // A data file dragged onto the window is opened, as Open would.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildToolBar(QWidget& panel);
    void buildMainMenu();
    QMenu* addMenu(const char* name, int row, const QString& caption);
    QAction* addCommand(QMenu& menu, const char* name, int row, const QString& caption,
                        void (TForm1::*handler)());
    QToolButton* addToolButton(QWidget& panel, const char* name, int x, const QIcon& glyph);

    void Starttransfer1Click();
    void StarttransferfromMx31011Click();
    void Setup1Click();
    void Inspectiondetails1Click();
    void Open1Click();
    void Saveas1Click();
    void SaveasXML1Click();
    void SaveasHTML1Click();
    void Saveasplaintext1Click();
    void SaveasCSV1Click();
    void InspectionreportPDF1Click();
    void AddtoArchive1Click();
    void Archiveofinspections1Click();
    void Archivesettings1Click();
    void Print1Click();
    void PrintDone();
    void Exit1Click();
    void esky1Click();
    void English1Click();
    void About1Click();

    // Writes the data with `write` to the file the user chooses in a save dialog; the file
    // written, or empty when nothing was.
    QString saveAs(const QString& filter, const QString& defaultSuffix,
                   const std::function<bool(const std::string& path)>& write);
    // Reads the file's details after its data were opened; unreadable details are reported
    // and the data stay without them. Details cut short add to `missingBytes`.
    // Shows a data file's bytes, `opened` telling the document where they came from before the
    // tree is rebuilt; `name` leads a message about their details.
    void openBytes(const std::string& bytes, const QString& name,
                   const std::function<void()>& opened);
    void openDetails(const std::string& bytes, const QString& path, std::int64_t& missingBytes);
    // True when the data may be replaced: they are saved, or the user saved or discarded them.
    bool mayReplaceData();
    void updateTitle();
    void relabel(int language);
    void showError(const QString& text);
    QString selectedPort() const;
    // What a running job does with the container.
    enum class Job { none, reading, filling };
    // While a job reads the container nothing may change it; while a job fills it nothing
    // may read it either.
    void setJob(Job job);
    // `downloaded`: the job replaced the container.
    void jobEnded(bool downloaded);
    void announceDownload();

    MessageBoxes& boxes_;
    InstrumentData instrumentData_;
    DetailsDocument details_;
    // Other programs' sections of the file opened, saved with the data again.
    std::vector<FileSection> otherSections_;
    // The model the last download came from, which new details start from.
    QString lastModel_;
    QtTranslation qtTranslation_;
    DataTreeView* treeView1_;
    DataDocument* document_;
    QComboBox* comboBox1_;
    PortListWatcher* portList_;
    QToolButton* speedButton1_;
    QToolButton* speedButton2_;
    QToolButton* speedButton3_;
    QToolButton* speedButton4_;
    QToolButton* speedButton5_;
    QAction* open1_;
    QAction* saveas1_;
    QAction* saveasXml1_;
    QAction* saveasHtml1_;
    QAction* saveasPlainText1_;
    QAction* saveasCsv1_;
    QAction* inspectionReport1_;
    QAction* addToArchive1_;
    QAction* inspectionDetails1_;
    QAction* print1_;
    QAction* starttransfer1_;
    QAction* setup1_;
    QAction* starttransferfromMx31011_;
    TForm2* setupDialog_;
    TProgressForm* progressForm_;
    ArchiveCommands* archive_;
    std::function<PrintTarget()> printTarget_ = defaultPrintTarget;
    Job job_ = Job::none;
    bool closeWhenJobEnds_ = false;
};

}  // namespace kadenza
