#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPdfDocument>
#include <QPdfView>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "FakeMessageBoxes.h"
#include "PrintedPdf.h"
#include "app/ReportPreview.h"
#include "app/SignDialog.h"
#include "inspection/Checklist.h"
#include "inspection/DetailsDocument.h"
#include "language/Language.h"
#include "support/NssTestDatabase.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

// The report's preview: its pages, the notice of a draft, Save, and Sign with a certificate of
// an NSS database.

namespace kadenza::test {

namespace {

constexpr int draftRow = 423;
constexpr int pageNumberRow = 310;
const std::string signer = "Jan Novak";
const std::string password = "tajne-heslo";

QString row(int number) {
    return QString::fromUtf8(RowText(number));
}

int pagesOf(const QByteArray& pdf) {
    static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(pageObject));
}

// Everything a report must hold, so that it is no draft.
DetailsDocument wholeDetails() {
    DetailsDocument details;
    const std::pair<const char*, const char*> given[] = {
        {"inspection.operator", "Nováková s.r.o."},
        {"inspection.site", "Brno, Údolní 5"},
        {"inspection.scope", "Workshop sockets"},
        {"inspection.inspector", "Jan Novák"},
        {"inspection.licence", "1234/2020"},
        {"inspection.kind", "periodic"},
        {"inspection.date", "2026-03-02"},
        {"inspection.endDate", "2026-03-03"},
        {"inspection.reportDate", "2026-03-04"},
        {"inspection.handoverDate", "2026-03-05"},
        {"inspection.documents", "Previous report 12/2021"},
        {"inspection.nextDate", "2029-03-03"},
        {"inspection.conclusion", "safe"},
        {"instrument.1.model", "MX350"},
        {"instrument.1.serial", "12345678"},
        {"instrument.1.calibrationSheet", "KL 17/2025"},
        {"instrument.1.calibrationDate", "2025-06-01"},
    };
    for (const auto& [name, value] : given) {
        details.set(name, value);
    }
    for (const CheckItem& item : checklist()) {
        details.set(std::string("check.") + item.name, "ok");
    }
    return details;
}

}  // namespace

class ReportPreviewTest : public QObject {
    Q_OBJECT

  private:
    FakeMessageBoxes boxes_;
    std::unique_ptr<InstrumentData> data_ = sampleData();
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<QWidget> owner_;
    RevisionReport report_;
    ReportPreview* preview_ = nullptr;

    ReportPreview& open(const DetailsDocument& details) {
        report_ = revisionReport(*data_, details);
        owner_ = std::make_unique<QWidget>();
        preview_ = new ReportPreview(report_, details.inspection(), boxes_, owner_.get());
        preview_->show();
        return *preview_;
    }

    QPushButton* button(const char* name) const {
        return preview_->findChild<QPushButton*>(QString::fromLatin1(name));
    }

    // Sign… with the dialog filled in by `fill`, as a user would, and left as `fill` left it.
    void sign(const std::function<void(SignDialog&)>& fill) {
        QTimer::singleShot(0, preview_, [fill] {
            auto* dialog = qobject_cast<SignDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            fill(*dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
        button("Sign")->click();
    }

    static void chooseCertificate(SignDialog& dialog, const NssTestDatabase& database,
                                  const std::string& typed) {
        auto* folder = dialog.findChild<QLineEdit*>(QStringLiteral("NssFolder"));
        folder->setText(QString::fromStdString(database.folder()));
        QTest::keyClick(folder, Qt::Key_Return);
        auto* certificates = dialog.findChild<QListWidget*>(QStringLiteral("Certificates"));
        QCOMPARE(certificates->count(), 1);
        QVERIFY(certificates->currentItem()->text().startsWith(QString::fromStdString(signer)));
        dialog.findChild<QLineEdit*>(QStringLiteral("Password"))
            ->setText(QString::fromStdString(typed));
        dialog.accept();
    }

  private slots:
    void initTestCase() { SetLanguage(englishLanguage); }

    void init() {
        boxes_.shown.clear();
        boxes_.fileNames.clear();
        boxes_.yesNo.clear();
        dir_ = std::make_unique<TempDir>();
    }

    void cleanup() {
        owner_.reset();
        dir_.reset();
    }

    // Every page of the report, and above them what a draft lacks; a whole report is no draft.
    void showsThePagesAndWhatADraftLacks() {
        open({});
        auto* document = preview_->findChild<QPdfView*>()->document();
        QTRY_COMPARE(document->status(), QPdfDocument::Status::Ready);
        QVERIFY(pagesOf(report_.pdf) > 1);
        QCOMPARE(document->pageCount(), pagesOf(report_.pdf));
        QCOMPARE(preview_->findChild<QLabel*>(QStringLiteral("PageNumber"))->text(),
                 row(pageNumberRow).arg(1).arg(pagesOf(report_.pdf)));
        auto* notice = preview_->findChild<QLabel*>(QStringLiteral("DraftNotice"));
        QVERIFY(notice != nullptr && notice->isVisible());
        QVERIFY(notice->text().startsWith(row(draftRow)));
        QVERIFY(!report_.missing.empty());
        for (const MissingItem& missing : report_.missing) {
            QVERIFY2(notice->text().contains(QString::fromStdString(missing.words)),
                     missing.words.c_str());
        }

        open(wholeDetails());
        QVERIFY(report_.missing.empty());
        QVERIFY(preview_->findChild<QLabel*>(QStringLiteral("DraftNotice")) == nullptr);
    }

    // Escape, Ctrl+W and Close each close the preview.
    void closesFromTheKeyboardAndItsButton() {
        const std::function<void()> ways[] = {
            [this] { QTest::keyClick(preview_->findChild<QPdfView*>(), Qt::Key_Escape); },
            [this] {
                QTest::keyClick(preview_->findChild<QPdfView*>(), Qt::Key_W, Qt::ControlModifier);
            },
            [this] { button("Close")->click(); },
        };
        for (const auto& close : ways) {
            open({});
            QVERIFY(QTest::qWaitForWindowActive(preview_));
            const QPointer<ReportPreview> preview = preview_;
            close();
            QTRY_VERIFY(preview.isNull());
        }
    }

    // A screen reader reads the pages' text from the view, page by page.
    void thePagesReadAsText() {
        open(wholeDetails());
        auto* view = preview_->findChild<QPdfView*>();
        QTRY_COMPARE(view->document()->status(), QPdfDocument::Status::Ready);
        const int pages = pagesOf(report_.pdf);
        const QString text =
            QAccessible::queryAccessibleInterface(view)->text(QAccessible::Description);
        for (int page = 1; page <= pages; ++page) {
            QVERIFY2(text.contains(row(pageNumberRow).arg(page).arg(pages)), qPrintable(text));
        }
        for (const char* detail : {"Údolní 5", "Jan Novák", "KL 17/2025"}) {
            QVERIFY2(text.contains(QString::fromUtf8(detail)), detail);
        }
    }

    // Save writes the report as it was made; a cancelled dialog writes nothing.
    void saveWritesTheReport() {
        open({});
        button("Save")->click();
        QCOMPARE(boxes_.shown.size(), std::size_t(1));
        QCOMPARE(boxes_.shown[0].kind, QStringLiteral("save"));
        QCOMPARE(boxes_.shown[0].text, QStringLiteral("PDF (*.pdf)"));
        QCOMPARE(boxes_.shown[0].defaultSuffix, QStringLiteral("pdf"));

        const std::string path = dir_->path("report.pdf");
        boxes_.fileNames << QString::fromStdString(path);
        button("Save")->click();
        QCOMPARE(QByteArray::fromStdString(readFile(path)), report_.pdf);
        QCOMPARE(boxes_.messages(), QStringList());
    }

    // Signed with a certificate of the database, the report is saved where the user says, and
    // the signature validates.
    void signedReportValidates() {
        const NssTestDatabase database(signer, password);
        open(wholeDetails());
        const std::string path = dir_->path("signed.pdf");
        boxes_.fileNames << QString::fromStdString(path);
        sign([&database](SignDialog& dialog) { chooseCertificate(dialog, database, password); });
        QVERIFY2(boxes_.messages().isEmpty(), qPrintable(boxes_.messages().join(QChar('|'))));
        const QString verified = QString::fromUtf8(
            popplerTool(QStringLiteral("pdfsig"),
                        {QStringLiteral("-nssdir"), QString::fromStdString(database.folder()),
                         QString::fromStdString(path)}));
        QVERIFY2(verified.contains(QStringLiteral("Signature is Valid")), qPrintable(verified));
        QVERIFY2(verified.contains(QString::fromStdString(signer)), qPrintable(verified));
    }

    // A draft is signed only when the user confirms it: the question names what it lacks.
    void draftIsSignedOnlyWhenConfirmed() {
        open({});
        boxes_.yesNo = {false};
        button("Sign")->click();
        QCOMPARE(boxes_.shown.size(), std::size_t(1));
        QCOMPARE(boxes_.shown[0].kind, QStringLiteral("ask"));
        QVERIFY2(
            boxes_.shown[0].text.startsWith(QStringLiteral("The report is a draft: it lacks ")),
            qPrintable(boxes_.shown[0].text));
        QVERIFY(boxes_.shown[0].text.endsWith(QStringLiteral(". Sign the draft all the same?")));
        QVERIFY(QApplication::activeModalWidget() == nullptr);
    }

    // Another person's certificate is refused under the inspector's name; ticked as meant, it
    // signs.
    void anotherHolderSignsOnlyWhenTicked() {
        const NssTestDatabase database("Eva Nová", "");
        open(wholeDetails());
        const std::string path = dir_->path("colleague.pdf");
        boxes_.fileNames << QString::fromStdString(path);
        const auto choose = [&database](SignDialog& dialog, bool ticked) {
            auto* folder = dialog.findChild<QLineEdit*>(QStringLiteral("NssFolder"));
            folder->setText(QString::fromStdString(database.folder()));
            QTest::keyClick(folder, Qt::Key_Return);
            dialog.findChild<QCheckBox*>(QStringLiteral("SignerDiffers"))->setChecked(ticked);
            dialog.accept();
        };
        sign([&choose](SignDialog& dialog) { choose(dialog, false); });
        QCOMPARE(boxes_.messages(),
                 QStringList{QStringLiteral("The certificate \"Eva Nová\" is Eva Nová's, not the "
                                            "inspector's named in the details: Jan Novák.")});
        QVERIFY(!std::filesystem::exists(path));
        sign([&choose](SignDialog& dialog) { choose(dialog, true); });
        QVERIFY(std::filesystem::exists(path));
    }

    // A signature that fails says why, saves nothing, and leaves the dialog for another try.
    void failedSignatureSavesNothing() {
        const NssTestDatabase database(signer, password);
        open(wholeDetails());
        boxes_.fileNames << QString::fromStdString(dir_->path("signed.pdf"));
        bool stayed = false;
        sign([&database, &stayed](SignDialog& dialog) {
            chooseCertificate(dialog, database, "wrong");
            stayed = dialog.isVisible();
        });
        QVERIFY(stayed);
        QCOMPARE(boxes_.shown.size(), std::size_t(1));
        QCOMPARE(boxes_.shown[0].kind, QStringLiteral("error"));
        QVERIFY(!std::filesystem::exists(dir_->path("signed.pdf")));

        // A folder without a database lists no certificate and says why and what to do, in the
        // language of the windows.
        for (const int language : {czechLanguage, englishLanguage}) {
            SetLanguage(language);
            sign([this](SignDialog& dialog) {
                auto* folder = dialog.findChild<QLineEdit*>(QStringLiteral("NssFolder"));
                const QString none = QString::fromStdString(dir_->path("none"));
                folder->setText(none);
                QTest::keyClick(folder, Qt::Key_Return);
                QCOMPARE(dialog.findChild<QListWidget*>(QStringLiteral("Certificates"))->count(),
                         0);
                QVERIFY(!dialog.findChild<QDialogButtonBox*>()
                             ->button(QDialogButtonBox::Ok)
                             ->isEnabled());
                const QString said = QString::fromUtf8(RowText(550)).arg(none);
                QVERIFY(said.contains(QStringLiteral("certutil -N -d sql:") + none));
                const QList<QLabel*> labels = dialog.findChildren<QLabel*>();
                QVERIFY(std::any_of(labels.begin(), labels.end(), [&said](const QLabel* label) {
                    return label->text() == said;
                }));
            });
        }
        SetLanguage(englishLanguage);
        QCOMPARE(boxes_.shown.size(), std::size_t(1));
    }

    void fitsAScreenOf1366By768() {
        open({});
        const QSize screen(1366, 700);
        QVERIFY(preview_->size().boundedTo(screen) == preview_->size());
    }
};

}  // namespace kadenza::test

QTEST_MAIN(kadenza::test::ReportPreviewTest)
#include "ReportPreviewTest.moc"
