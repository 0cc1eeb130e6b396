#include "app/ReportPreview.h"

#include <QBuffer>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfSelection>
#include <QPdfView>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "app/AccessKeys.h"
#include "app/DetailField.h"
#include "app/ErrorText.h"
#include "app/MessageBoxes.h"
#include "app/ReadableColour.h"
#include "app/SignDialog.h"
#include "model/TextFile.h"
#include "report/ReportSignature.h"

namespace kadenza {

namespace {

constexpr int previewRow = 435;
constexpr int draftRow = 423;
constexpr int pageNumberRow = 310;
constexpr int saveRow = 448;
constexpr int signRow = 434;
constexpr int draftSigningRow = 502;
constexpr int signDraftRow = 503;
constexpr int closeRow = 549;
// Within a screen of 1366 × 768 with a panel.
constexpr QSize previewSize(900, 680);

const QString pdfFilter = QStringLiteral("PDF (*.pdf)");

}  // namespace

ReportPreview::ReportPreview(RevisionReport report, const InspectionDetails& inspection,
                             MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent, Qt::Window),
      report_(std::move(report)),
      signature_(reportSignature(report_, inspection)),
      boxes_(boxes),
      document_(new QPdfDocument(this)),
      view_(new QPdfView),
      pageNumber_(new QLabel) {
    setObjectName(QStringLiteral("ReportPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(rowText(previewRow));
    // The document reads its bytes while it loads, and until it is closed.
    auto* bytes = new QBuffer(document_);
    bytes->setData(report_.pdf);
    bytes->open(QIODevice::ReadOnly);
    document_->load(bytes);
    view_->setDocument(document_);
    view_->setPageMode(QPdfView::PageMode::MultiPage);
    view_->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    pageNumber_->setObjectName(QStringLiteral("PageNumber"));
    connect(view_->pageNavigator(), &QPdfPageNavigator::currentPageChanged, this,
            &ReportPreview::showPageNumber);
    connect(document_, &QPdfDocument::pageCountChanged, this, [this] {
        showPageNumber(view_->pageNavigator()->currentPage());
        describePages();
    });
    showPageNumber(0);
    describePages();

    auto* saveButton = new QPushButton(rowText(saveRow));
    saveButton->setObjectName(QStringLiteral("Save"));
    connect(saveButton, &QPushButton::clicked, this, [this] { save(report_.pdf); });
    auto* signButton = new QPushButton(rowText(signRow));
    signButton->setObjectName(QStringLiteral("Sign"));
    connect(signButton, &QPushButton::clicked, this, &ReportPreview::sign);
    auto* closeButton = new QPushButton(rowText(closeRow));
    closeButton->setObjectName(QStringLiteral("Close"));
    connect(closeButton, &QPushButton::clicked, this, &ReportPreview::close);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &ReportPreview::close);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(pageNumber_, 1);
    buttons->addWidget(saveButton);
    buttons->addWidget(signButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    if (!report_.missing.empty()) {
        layout->addWidget(draftNotice());
    }
    layout->addWidget(view_, 1);
    layout->addLayout(buttons);
    resize(previewSize);
    giveAccessKeys(*this);
    view_->setFocus();
}

ReportPreview::~ReportPreview() {
    disconnect(document_, nullptr, this, nullptr);
}

QString ReportPreview::missingItems() const {
    QStringList missing;
    for (const MissingItem& item : report_.missing) {
        missing << QString::fromStdString(item.words);
    }
    return missing.join(QStringLiteral(", "));
}

// In the words the report's first page uses.
QLabel* ReportPreview::draftNotice() const {
    auto* notice =
        new QLabel(rowText(draftRow) + QStringLiteral(": ") + missingItems() + QStringLiteral("."));
    notice->setObjectName(QStringLiteral("DraftNotice"));
    notice->setWordWrap(true);
    QPalette palette = notice->palette();
    palette.setColor(QPalette::WindowText, readableRedText(palette.color(QPalette::Window)));
    notice->setPalette(palette);
    QFont bold = notice->font();
    bold.setBold(true);
    notice->setFont(bold);
    return notice;
}

void ReportPreview::showPageNumber(int page) {
    pageNumber_->setText(rowText(pageNumberRow).arg(page + 1).arg(document_->pageCount()));
}

// The pages as a screen reader reads them: the text of each, headed by its number.
void ReportPreview::describePages() {
    const int pages = document_->pageCount();
    QStringList text;
    for (int page = 0; page < pages; ++page) {
        text << rowText(pageNumberRow).arg(page + 1).arg(pages)
             << document_->getAllText(page).text() << QString();
    }
    view_->setAccessibleDescription(text.join(QLatin1Char('\n')));
}

void ReportPreview::save(const QByteArray& pdf) {
    const QString path = boxes_.saveFileName(this, pdfFilter, QStringLiteral("pdf"));
    if (path.isEmpty()) {
        return;
    }
    try {
        if (!writeBytesFile(QFile::encodeName(path).toStdString(), pdf.toStdString())) {
            boxes_.error(this, QStringLiteral("Cannot write file %1").arg(path));
        }
    } catch (const std::exception& error) {
        boxes_.error(this, errorText(error));
    }
}

// A draft carrying a valid signature would pass for a report handed over: the user confirms it.
void ReportPreview::sign() {
    if (!report_.missing.empty() &&
        !boxes_.ask(this, rowText(signRow).remove(QStringLiteral(" ...")),
                    rowText(draftSigningRow).arg(missingItems()) + QLatin1Char(' ') +
                        rowText(signDraftRow))) {
        return;
    }
    SignDialog dialog(report_.pdf, signature_, boxes_, this);
    if (dialog.exec() == QDialog::Accepted) {
        save(dialog.signedReport());
    }
}

}  // namespace kadenza
