#include <gtest/gtest.h>

#include <poppler-form.h>
#include <poppler-qt6.h>

#include <QDate>
#include <QDir>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>

#include "PdfTools.h"
#include "inspection/DetailsDocument.h"
#include "report/InspectionReport.h"
#include "report/PdfSigning.h"
#include "support/NssTestDatabase.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

// Signing a report with a certificate of an NSS database, checked as a reader of the PDF
// checks it: with pdfsig, and through Poppler for what pdfsig does not show.

namespace kadenza::test {
namespace {

const std::string signer = "Jan Dvořák";
const std::string password = "tajné heslo";

RevisionReport sampleReport() {
    DetailsDocument details;
    details.set("inspection.inspector", signer);
    details.set("inspection.site", "Brno, Údolní 5");
    return revisionReport(*sampleData(), details);
}

// Runs certutil on the database with the given password.
void certutil(const std::string& folder, const std::string& passwordFile,
              const std::vector<std::string>& arguments) {
    std::string command = "certutil -d 'sql:" + folder + "' -f '" + passwordFile + "'";
    for (const std::string& argument : arguments) {
        command += " '" + argument + "'";
    }
    ASSERT_EQ(std::system((command + " >/dev/null 2>&1").c_str()), 0) << command;
}

// pdfsig's report on the PDF, the database's certificates known to it.
std::string pdfsig(const QByteArray& pdf, const std::string& folder) {
    const TempDir dir;
    writeFile(dir.path("signed.pdf"), pdf.toStdString());
    return popplerOutput(QStringLiteral("pdfsig"),
                         {QStringLiteral("-nssdir"), QString::fromStdString(folder),
                          QString::fromStdString(dir.path("signed.pdf"))});
}

void expectValidSignatureOf(const std::string& name, const QByteArray& pdf,
                            const std::string& folder) {
    const std::string report = pdfsig(pdf, folder);
    EXPECT_NE(report.find("  - Signer Certificate Common Name: " + name + "\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("  - Total document signed\n"), std::string::npos) << report;
    EXPECT_NE(report.find("  - Signature Validation: Signature is Valid.\n"), std::string::npos)
        << report;
}

// A signature as Poppler reads it back: its page, its rectangle in points from the page's top
// left corner, what it says and whether it holds.
struct ReadSignature {
    int page = -1;
    QRectF rectangle;
    QString signer;
    QString reason;
    QString location;
    bool valid = false;
};

std::vector<ReadSignature> signaturesIn(const QByteArray& pdf) {
    std::vector<ReadSignature> signatures;
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(pdf);
    for (int number = 0; number < document->numPages(); ++number) {
        const std::unique_ptr<Poppler::Page> page = document->page(number);
        for (const std::unique_ptr<Poppler::FormField>& field : page->formFields()) {
            if (field->type() != Poppler::FormField::FormSignature) {
                continue;
            }
            const auto& signature = static_cast<const Poppler::FormFieldSignature&>(*field);
            const Poppler::SignatureValidationInfo info =
                signature.validate(Poppler::FormFieldSignature::ValidateVerifyCertificate);
            const QSizeF size = page->pageSizeF();
            const QRectF fraction = field->rect();
            signatures.push_back(
                {number,
                 QRectF(fraction.x() * size.width(), fraction.y() * size.height(),
                        fraction.width() * size.width(), fraction.height() * size.height()),
                 info.signerName(), info.reason(), info.location(),
                 info.signatureStatus() == Poppler::SignatureValidationInfo::SignatureValid});
        }
    }
    return signatures;
}

void expectNear(const QRectF& actual, const QRectF& expected) {
    const qreal tolerance = 0.5;
    EXPECT_NEAR(actual.left(), expected.left(), tolerance);
    EXPECT_NEAR(actual.top(), expected.top(), tolerance);
    EXPECT_NEAR(actual.width(), expected.width(), tolerance);
    EXPECT_NEAR(actual.height(), expected.height(), tolerance);
}

struct SigningCase {
    const char* name;
    std::string password;
    bool visible;
};

class SignedReportTest : public ::testing::TestWithParam<SigningCase> {};

// The report signed, visibly on its signature line or invisibly, from a database with a
// password or without: pdfsig finds the signer and the signature valid over the whole file,
// and the reason, the location and the place are those asked for.
TEST_P(SignedReportTest, ValidatesWithWhatWasAsked) {
    const NssTestDatabase database(signer, GetParam().password);
    const RevisionReport report = sampleReport();
    SignatureRequest request;
    request.nickname = signer;
    request.signer = signer;
    request.nssDir = database.folder();
    request.password = GetParam().password;
    request.reason = "Inspection report 12/2026";
    request.location = "Brno, Údolní 5";
    if (GetParam().visible) {
        request.page = report.signaturePage;
        request.rectangle = report.signatureArea;
    }
    const QByteArray pdf = signedPdf(report.pdf, request);

    expectValidSignatureOf(signer, pdf, database.folder());
    const std::vector<ReadSignature> signatures = signaturesIn(pdf);
    ASSERT_EQ(signatures.size(), 1u);
    const ReadSignature& signature = signatures[0];
    EXPECT_TRUE(signature.valid);
    EXPECT_EQ(signature.signer, QString::fromStdString(signer));
    EXPECT_EQ(signature.reason, QStringLiteral("Inspection report 12/2026"));
    EXPECT_EQ(signature.location, QStringLiteral("Brno, Údolní 5"));
    if (GetParam().visible) {
        EXPECT_EQ(signature.page, report.signaturePage);
        expectNear(signature.rectangle, report.signatureArea);
    } else {
        EXPECT_TRUE(signature.rectangle.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Databases, SignedReportTest,
                         ::testing::Values(SigningCase{"InvisibleWithoutPassword", "", false},
                                           SigningCase{"VisibleWithPassword", password, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// One database with a password that holds, beside the signer's certificate, one that has
// expired, one that may only encrypt, and a colleague's without its private key; and the
// colleague's own database, without a password.
struct SigningDatabaseTest : ::testing::Test {
    static void SetUpTestSuite() {
        colleagues = std::make_unique<NssTestDatabase>("Eva Nová", "");
        database = std::make_unique<NssTestDatabase>(signer, password);
        files = std::make_unique<TempDir>();
        const std::string passwordFile = files->path("password");
        writeFile(passwordFile, password + "\n");
        writeFile(files->path("noise"), std::string(2048, '\x5a'));
        const std::vector<std::string> key{
            "-x", "-k", "rsa", "-g", "2048", "-z", files->path("noise")};
        std::vector<std::string> expired{"-S",    "-n", "Old", "-s", "CN=Old", "-t",
                                         "u,u,u", "-w", "-30", "-v", "12"};
        expired.insert(expired.end(), key.begin(), key.end());
        certutil(database->folder(), passwordFile, expired);
        std::vector<std::string> encrypting{
            "-S",    "-n",         "Encrypting",     "-s", "CN=Encrypting", "-t",
            "u,u,u", "--keyUsage", "keyEncipherment"};
        encrypting.insert(encrypting.end(), key.begin(), key.end());
        certutil(database->folder(), passwordFile, encrypting);
        writeFile(files->path("empty"), "\n");
        certutil(colleagues->folder(), files->path("empty"),
                 {"-L", "-n", "Eva Nová", "-a", "-o", files->path("colleague.pem")});
        certutil(database->folder(), passwordFile,
                 {"-A", "-n", "Eva Nová", "-t", ",,", "-a", "-i", files->path("colleague.pem")});
    }

    static void TearDownTestSuite() {
        database.reset();
        colleagues.reset();
        files.reset();
    }

    static SignatureRequest request() {
        SignatureRequest request;
        request.nickname = signer;
        request.signer = signer;
        request.nssDir = database->folder();
        request.password = password;
        return request;
    }

    static std::unique_ptr<NssTestDatabase> database;
    static std::unique_ptr<NssTestDatabase> colleagues;
    static std::unique_ptr<TempDir> files;
};

std::unique_ptr<NssTestDatabase> SigningDatabaseTest::database;
std::unique_ptr<NssTestDatabase> SigningDatabaseTest::colleagues;
std::unique_ptr<TempDir> SigningDatabaseTest::files;

// Only certificates with their private key that may sign are offered, by nickname, expired ones
// too (the user sees until when); the password is not needed to list them.
TEST_F(SigningDatabaseTest, ListsTheCertificatesThatCanSign) {
    const std::vector<SigningCertificate> certificates = signingCertificates(database->folder());
    ASSERT_EQ(certificates.size(), 2u);
    const QDate today = QDate::currentDate();
    const auto day = [](const std::string& text) {
        return QDate::fromString(QString::fromStdString(text), Qt::ISODate);
    };
    EXPECT_EQ(certificates[0].nickname, signer);
    EXPECT_EQ(certificates[0].subject, "CN=" + signer);
    EXPECT_GT(day(certificates[0].validUntil), today.addMonths(23));
    EXPECT_LT(day(certificates[0].validUntil), today.addMonths(25));
    EXPECT_EQ(certificates[1].nickname, "Old");
    EXPECT_LT(day(certificates[1].validUntil), today.addMonths(-17));

    EXPECT_TRUE(needsPassword(database->folder()));
    EXPECT_FALSE(needsPassword(colleagues->folder()));
}

// The request and the PDF changed from a good one, and what the user is told.
struct Refusal {
    const char* name;
    std::function<void(SignatureRequest&, QByteArray&)> change;
    std::function<std::string()> message;
};

class RefusalTest : public SigningDatabaseTest, public ::testing::WithParamInterface<Refusal> {};

// Every refusal says what is wrong in words the user can act on.
TEST_P(RefusalTest, SaysWhyAndLeavesNothing) {
    SignatureRequest asked = request();
    QByteArray pdf = sampleReport().pdf;
    GetParam().change(asked, pdf);
    try {
        signedPdf(pdf, asked);
        ADD_FAILURE() << "signed";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(error.what(), GetParam().message());
    }
}

std::string folder() {
    return SigningDatabaseTest::database->folder();
}

const std::string heldCertificates = "; it holds \"" + signer + "\", \"Old\"";

INSTANTIATE_TEST_SUITE_P(
    Requests, RefusalTest,
    ::testing::Values(
        Refusal{"UnknownNickname", [](SignatureRequest& r, QByteArray&) { r.nickname = "Petr"; },
                [] {
                    return "The NSS certificate database in " + folder() +
                           " holds no certificate \"Petr\" to sign with" + heldCertificates;
                }},
        Refusal{"CertificateWithoutKey",
                [](SignatureRequest& r, QByteArray&) { r.nickname = "Eva Nová"; },
                [] {
                    return "The NSS certificate database in " + folder() +
                           " holds no certificate \"Eva Nová\" to sign with" + heldCertificates;
                }},
        Refusal{"CertificateNotForSigning",
                [](SignatureRequest& r, QByteArray&) { r.nickname = "Encrypting"; },
                [] {
                    return "The NSS certificate database in " + folder() +
                           " holds no certificate \"Encrypting\" to sign with" + heldCertificates;
                }},
        Refusal{"ExpiredCertificate", [](SignatureRequest& r, QByteArray&) { r.nickname = "Old"; },
                [] {
                    for (const SigningCertificate& certificate : signingCertificates(folder())) {
                        if (certificate.nickname == "Old") {
                            return "The certificate \"Old\" expired on " + certificate.validUntil;
                        }
                    }
                    return std::string("Old is not listed");
                }},
        Refusal{"WrongPassword", [](SignatureRequest& r, QByteArray&) { r.password = "tajne"; },
                [] { return "Wrong password for the NSS certificate database in " + folder(); }},
        Refusal{
            "NoPassword", [](SignatureRequest& r, QByteArray&) { r.password.clear(); },
            [] { return "The NSS certificate database in " + folder() + " needs its password"; }},
        Refusal{"FolderWithoutDatabase",
                [](SignatureRequest& r, QByteArray&) {
                    r.nssDir = SigningDatabaseTest::files->path("");
                },
                [] {
                    return "Cannot open the NSS certificate database in " +
                           SigningDatabaseTest::files->path("");
                }},
        Refusal{"PageBeyondTheReport", [](SignatureRequest& r, QByteArray&) { r.page = 99; },
                [] { return std::string("The PDF has no page 100 for the signature"); }},
        Refusal{"NoPdf", [](SignatureRequest&, QByteArray& pdf) { pdf = "%PDF-1.4 cut"; },
                [] { return std::string("Cannot read the PDF to sign"); }},
        Refusal{"UpdatesInACircle",
                [](SignatureRequest&, QByteArray& pdf) {
                    pdf =
                        "%PDF-1.4\nxref\n0 0\ntrailer\n<< /Size 1 /Prev 9 >>\nstartxref\n9\n"
                        "%%EOF\n";
                },
                [] { return std::string("Cannot read the PDF to sign"); }}),
    [](const auto& info) { return std::string(info.param.name); });

// One database follows another in one process, and a password given once does not stay given.
TEST_F(SigningDatabaseTest, SignsFromOneDatabaseAfterAnother) {
    const QByteArray pdf = sampleReport().pdf;
    expectValidSignatureOf(signer, signedPdf(pdf, request()), database->folder());

    SignatureRequest colleague;
    colleague.nickname = "Eva Nová";
    colleague.signer = "Eva Nová";
    colleague.nssDir = colleagues->folder();
    expectValidSignatureOf("Eva Nová", signedPdf(pdf, colleague), colleagues->folder());

    SignatureRequest wrong = request();
    wrong.password = "tajne";
    EXPECT_THROW(signedPdf(pdf, wrong), std::runtime_error);
    expectValidSignatureOf(signer, signedPdf(pdf, request()), database->folder());
}

// No folder named: the user's shared database in the home folder.
TEST_F(SigningDatabaseTest, TakesTheSharedDatabaseWhenNoFolderIsNamed) {
    const TempDir home;
    std::filesystem::create_directories(home.path(".pki"));
    std::filesystem::create_directory_symlink(colleagues->folder(), home.path(".pki/nssdb"));
    const QByteArray previous = qgetenv("HOME");
    qputenv("HOME", home.path("").c_str());
    EXPECT_EQ(defaultNssDir(),
              QDir::cleanPath(QString::fromStdString(home.path(".pki/nssdb"))).toStdString());
    const std::vector<SigningCertificate> certificates = signingCertificates("");
    qputenv("HOME", previous);
    ASSERT_EQ(certificates.size(), 1u);
    EXPECT_EQ(certificates[0].nickname, "Eva Nová");
}

}  // namespace
}  // namespace kadenza::test
