#pragma once

#include <QWidget>

#include "inspection/Details.h"
#include "report/InspectionReport.h"
#include "report/PdfSigning.h"

class QLabel;
class QPdfDocument;
class QPdfView;

namespace kadenza {

class MessageBoxes;

// The report of a revision in a window of its own (File > Inspection report (PDF)), page
// after page, with Save, Sign and Close (also Escape and Ctrl+W). A report that lacks what a
// report must hold says so above the pages: it is a draft. The pages' view carries their text
// as its accessible description, for a screen reader.
class ReportPreview : public QWidget {
    Q_OBJECT

  public:
    // `inspection`: the details the report was made of, for the signature's location and name.
    ReportPreview(RevisionReport report, const InspectionDetails& inspection, MessageBoxes& boxes,
                  QWidget* parent);
    // The document, closed as the window's children go, says its pages went: no longer to
    // this window.
    ~ReportPreview() override;

  private:
    // What the report lacks, listed.
    QString missingItems() const;
    QLabel* draftNotice() const;
    void showPageNumber(int page);
    void describePages();
    // Writes the PDF to the file the user chooses.
    void save(const QByteArray& pdf);
    void sign();

    RevisionReport report_;
    SignatureRequest signature_;
    MessageBoxes& boxes_;
    QPdfDocument* document_;
    QPdfView* view_;
    QLabel* pageNumber_;
};

}  // namespace kadenza
