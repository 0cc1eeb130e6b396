#include <gtest/gtest.h>

#include <QByteArray>
#include <stdexcept>
#include <string>

#include "PdfTools.h"
#include "inspection/DetailsDocument.h"
#include "language/Language.h"
#include "report/InspectionReport.h"
#include "report/PdfSigning.h"
#include "report/PersonName.h"
#include "report/ReportSignature.h"
#include "support/CommandOutput.h"
#include "support/LocalTimeStampAuthority.h"
#include "support/NssTestDatabase.h"
#include "support/PdfaPreflight.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

// The signature a technician puts on a report, read as an archive and a validator read it: the
// file stays PDF/A-1b, the signature is PAdES, a time-stamp comes from the authority asked, and
// nobody else's certificate signs under the inspector's name.

namespace kadenza::test {
namespace {

const std::string inspector = "Ing. Jan Dvořák";

class PadesSignatureTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        own = new NssTestDatabase("Jan Dvořák", "");
        colleague = new NssTestDatabase("Eva Nová", "");
    }
    static void TearDownTestSuite() {
        delete own;
        delete colleague;
    }

    void TearDown() override { SetLanguage(czechLanguage); }

    static RevisionReport report() {
        DetailsDocument details;
        details.set("inspection.inspector", inspector);
        details.set("inspection.site", "Brno, Údolní 5");
        return revisionReport(*sampleData(), details);
    }

    static SignatureRequest request(const RevisionReport& report, const NssTestDatabase& database,
                                    const std::string& nickname) {
        DetailsDocument details;
        details.set("inspection.inspector", inspector);
        SignatureRequest request = reportSignature(report, details.inspection());
        request.nickname = nickname;
        request.nssDir = database.folder();
        return request;
    }

    std::string saved(const QByteArray& pdf, const std::string& name) const {
        writeFile(dir_.path(name), pdf.toStdString());
        return dir_.path(name);
    }

    // What the signature's box shows: the page printed with its annotations into another PDF,
    // whose text pdftotext reads.
    std::string shownOnPage(const std::string& path, int page) const {
        const std::string flat = dir_.path("flat.pdf");
        const CommandOutput printed =
            commandOutput("pdftocairo -pdf -f " + std::to_string(page) + " -l " +
                          std::to_string(page) + " " + shellQuoted(path) + " " + shellQuoted(flat));
        EXPECT_EQ(printed.status, 0) << printed.text;
        return pdfText(flat);
    }

    // The CMS of the first signature, as openssl prints its structure.
    std::string cmsStructure(const std::string& pdf) const {
        const std::size_t begin = pdf.find("/Contents <") + 11;
        const std::string hex = pdf.substr(begin, pdf.find('>', begin) - begin);
        writeFile(dir_.path("cms.der"),
                  QByteArray::fromHex(QByteArray::fromStdString(hex)).toStdString());
        const CommandOutput printed =
            commandOutput("openssl cms -cmsout -print -noout -inform DER -in " +
                          shellQuoted(dir_.path("cms.der")));
        EXPECT_EQ(printed.status, 0) << printed.text;
        return printed.text;
    }

    std::string pdfsig(const std::string& path, const NssTestDatabase& database) const {
        return commandOutput("pdfsig -nssdir " + shellQuoted(database.folder()) + " " +
                             shellQuoted(path))
            .text;
    }

    static NssTestDatabase* own;
    static NssTestDatabase* colleague;
    TempDir dir_;
};

NssTestDatabase* PadesSignatureTest::own = nullptr;
NssTestDatabase* PadesSignatureTest::colleague = nullptr;

// The report is PDF/A-1b before and after it is signed; the signature is ETSI.CAdES.detached
// with the ESS signing-certificate-v2 attribute and without a signing time of its own, valid
// over the whole file; its box shows who signed and when, in the report's language.
TEST_F(PadesSignatureTest, SignedReportStaysPdfAAndIsPades) {
    const RevisionReport unsigned_ = report();
    const std::string plain = saved(unsigned_.pdf, "plain.pdf");
    EXPECT_EQ(pdfaProblems(plain), "");

    const QByteArray pdf = signedPdf(unsigned_.pdf, request(unsigned_, *own, "Jan Dvořák"));
    const std::string path = saved(pdf, "signed.pdf");
    EXPECT_EQ(pdfaProblems(path), "");
    EXPECT_TRUE(pdf.startsWith(unsigned_.pdf)) << "the signed bytes were changed";
    EXPECT_LT(pdf.size() - unsigned_.pdf.size(), 64 * 1024) << "the signature brought a whole font";

    const std::string validation = pdfsig(path, *own);
    EXPECT_NE(validation.find("Signature Type: ETSI.CAdES.detached\n"), std::string::npos)
        << validation;
    EXPECT_NE(validation.find("Signature Validation: Signature is Valid.\n"), std::string::npos)
        << validation;
    EXPECT_NE(validation.find("Total document signed\n"), std::string::npos) << validation;
    const std::string cms = cmsStructure(pdf.toStdString());
    EXPECT_NE(cms.find("id-smime-aa-signingCertificateV2"), std::string::npos) << cms;
    EXPECT_EQ(cms.find("signingTime"), std::string::npos) << cms;

    const std::string box = shownOnPage(path, unsigned_.signaturePage + 1);
    EXPECT_NE(box.find("Digitálně podepsal " + inspector), std::string::npos) << box;
}

// With an authority, the signature carries its token over the signature value (PAdES B-T);
// an authority that cannot be reached stops the signing, named.
TEST_F(PadesSignatureTest, TimeStampComesFromTheAuthorityAsked) {
    const LocalTimeStampAuthority authority;
    const RevisionReport unsigned_ = report();
    SignatureRequest asked = request(unsigned_, *own, "Jan Dvořák");
    asked.timeStampUrl = authority.url();
    const QByteArray pdf = signedPdf(unsigned_.pdf, asked);
    const std::string path = saved(pdf, "stamped.pdf");
    EXPECT_EQ(pdfaProblems(path), "");
    const std::string validation = pdfsig(path, *own);
    EXPECT_NE(validation.find("Signature Validation: Signature is Valid.\n"), std::string::npos)
        << validation;
    const std::string cms = cmsStructure(pdf.toStdString());
    EXPECT_NE(cms.find("id-smime-aa-timeStampToken"), std::string::npos) << cms;
    EXPECT_NE(cms.find("Test time-stamps"), std::string::npos) << cms;

    asked.timeStampUrl = "http://127.0.0.1:1/";
    try {
        signedPdf(unsigned_.pdf, asked);
        ADD_FAILURE() << "signed without its time-stamp";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what())
                      .rfind("The time-stamp authority http://127.0.0.1:1/ cannot be reached", 0),
                  0u)
            << error.what();
    }
}

// A colleague's certificate is refused under the inspector's name, both named; signing on
// purpose, the box names the colleague.
TEST_F(PadesSignatureTest, AnotherHolderSignsOnlyOnPurposeAndIsShown) {
    SetLanguage(englishLanguage);
    const RevisionReport unsigned_ = report();
    SignatureRequest asked = request(unsigned_, *colleague, "Eva Nová");
    try {
        signedPdf(unsigned_.pdf, asked);
        ADD_FAILURE() << "signed under another name";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The certificate \"Eva Nová\" is Eva Nová's, not the inspector's named in the "
                  "details: " +
                      inspector + ".");
    }
    asked.signerDiffers = true;
    const std::string path = saved(signedPdf(unsigned_.pdf, asked), "colleague.pdf");
    const std::string box = shownOnPage(path, unsigned_.signaturePage + 1);
    EXPECT_NE(box.find("Digitally signed by Eva Nová"), std::string::npos) << box;
    EXPECT_EQ(pdfaProblems(path), "");
}

// The example of a whole revision that the documentation shows, signed, is PAdES and PDF/A-1b
// as every report signed here.
TEST(RevisionExampleTest, CommittedSignedReportIsPadesAndPdfA) {
    const std::string path = KADENZA_SOURCE_DIR "/docs/revision-example/revision-signed.pdf";
    EXPECT_EQ(pdfaProblems(path), "");
    const std::string validation = commandOutput("pdfsig " + shellQuoted(path)).text;
    EXPECT_NE(validation.find("Signature Type: ETSI.CAdES.detached\n"), std::string::npos)
        << validation;
    EXPECT_NE(validation.find("Total document signed\n"), std::string::npos) << validation;
}

struct NamePair {
    const char* one;
    const char* other;
    bool same;
};

class PersonNameTest : public ::testing::TestWithParam<NamePair> {};

TEST_P(PersonNameTest, FoldsCaseAccentsTitlesAndOrder) {
    EXPECT_EQ(samePerson(GetParam().one, GetParam().other), GetParam().same)
        << GetParam().one << " / " << GetParam().other;
}

INSTANTIATE_TEST_SUITE_P(Names, PersonNameTest,
                         ::testing::Values(NamePair{"Ing. Jan Dvořák", "Jan Dvořák", true},
                                           NamePair{"DVOŘÁK  Jan, Ph.D.", "jan dvorak", true},
                                           NamePair{"Ing. arch. Eva Nová, DiS.", "Nová Eva", true},
                                           NamePair{"Jan Dvořák", "Jana Dvořáková", false},
                                           NamePair{"Jan Dvořák", "Jan Dvořák ml", false},
                                           NamePair{"", "", false}, NamePair{"Ing.", "", false}));

}  // namespace
}  // namespace kadenza::test
