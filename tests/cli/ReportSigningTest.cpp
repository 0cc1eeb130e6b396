#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "cli/CliFixture.h"
#include "support/NssTestDatabase.h"

// kadenza-cli report --sign, run as a technician runs it, the signature checked with pdfsig.

namespace kadenza::test {
namespace {

const std::string signer = "Jan Dvořák";
const std::string password = "tajné heslo";

class ReportSigningTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        ASSERT_EQ(run({"details", input_, "--set", "inspection.inspector=" + signer, "--set",
                       "inspection.site=Brno, Údolní 5", "--set", "inspection.number=42/2026"})
                      .exitCode,
                  0);
    }

    // The tool run without a terminal to ask a password on, given the password or not.
    Outcome sign(const std::vector<std::string>& extra, const std::string& givenPassword) {
        std::vector<std::string> args{"report", input_, path("out.pdf"), "--lang", "cs"};
        args.insert(args.end(), extra.begin(), extra.end());
        return run(args, "C",
                   "setsid -w env" + (givenPassword.empty()
                                          ? std::string(" -u KADENZA_NSS_PASSWORD")
                                          : " KADENZA_NSS_PASSWORD='" + givenPassword + "'"));
    }

    std::string pdfsig() const {
        const std::string command = "pdfsig -nssdir '" + database_.folder() + "' '" +
                                    path("out.pdf") + "' >'" + path("pdfsig") + "' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return readFile(path("pdfsig"));
    }

    const NssTestDatabase database_{signer, password};
};

// A draft with a valid signature would pass for a report handed over: it is signed only with
// --force, and the user is told what it lacks.
TEST_F(ReportSigningTest, SignsADraftOnlyWhenForced) {
    const Outcome draft = sign({"--sign", signer, "--nss-dir", database_.folder()}, password);
    EXPECT_EQ(draft.exitCode, 7);
    EXPECT_EQ(draft.err.rfind("kadenza-cli: the report is a draft and is not signed without "
                              "--force; it lacks provozovatel (inspection.operator), ",
                              0),
              0u)
        << draft.err;
    EXPECT_FALSE(exists("out.pdf"));

    const Outcome outcome =
        sign({"--sign", signer, "--nss-dir", database_.folder(), "--force"}, password);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.err.rfind("kadenza-cli: the report is a draft; it lacks ", 0), 0u)
        << outcome.err;
    EXPECT_NE(outcome.err.find(" (inspection.operator), "), std::string::npos) << outcome.err;
    const std::string report = pdfsig();
    EXPECT_NE(report.find("Signer Certificate Common Name: " + signer + "\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("Signature Validation: Signature is Valid.\n"), std::string::npos);
    EXPECT_NE(report.find("Total document signed\n"), std::string::npos);
    EXPECT_NE(report.find("Signature Type: ETSI.CAdES.detached\n"), std::string::npos);
}

// Another person's certificate does not sign under the inspector's name; it signs when told
// that this is meant.
TEST_F(ReportSigningTest, AnotherHoldersCertificateSignsOnlyOnPurpose) {
    const NssTestDatabase colleague{"Eva Nová", ""};
    const std::vector<std::string> signing{"--sign", "Eva Nová", "--nss-dir", colleague.folder(),
                                           "--force"};
    expectFailure(sign(signing, ""), 2,
                  "Certifikát „Eva Nová“ patří osobě Eva Nová, ne reviznímu technikovi "
                  "uvedenému v údajích: " +
                      signer + ".");
    EXPECT_FALSE(exists("out.pdf"));

    std::vector<std::string> onPurpose = signing;
    onPurpose.push_back("--signer-differs");
    EXPECT_EQ(sign(onPurpose, "").exitCode, 0);
    EXPECT_TRUE(exists("out.pdf"));
}

// What stops a signature ends the command with status 2 and writes nothing.
TEST_F(ReportSigningTest, AFailedSignatureWritesNothing) {
    const std::string folder = database_.folder();
    const auto sign = [this](std::vector<std::string> extra, const std::string& givenPassword) {
        extra.push_back("--force");
        return ReportSigningTest::sign(extra, givenPassword);
    };
    expectFailure(sign({"--sign", "Petr", "--nss-dir", folder}, password), 2,
                  "The NSS certificate database in " + folder +
                      " holds no certificate \"Petr\" to sign with; it holds \"" + signer + "\"");
    expectFailure(sign({"--sign", signer, "--nss-dir", folder}, "heslo"), 2,
                  "Wrong password for the NSS certificate database in " + folder);
    expectFailure(sign({"--sign", signer, "--nss-dir", folder}, ""), 2,
                  "The NSS certificate database in " + folder + " needs its password");
    expectFailure(sign({"--sign", signer, "--nss-dir", path("none")}, password), 2,
                  "Cannot open the NSS certificate database in " + path("none"));
    expectFailure(sign({"--sign", "", "--nss-dir", folder}, password), 1,
                  "--sign needs the nickname of a certificate");
    expectFailure(ReportSigningTest::sign({"--nss-dir", folder}, password), 1,
                  "--nss-dir is for --sign");
    expectFailure(ReportSigningTest::sign({"--tsa", "http://127.0.0.1:1/"}, password), 1,
                  "--tsa is for --sign");
    EXPECT_FALSE(exists("out.pdf"));
}

}  // namespace
}  // namespace kadenza::test
