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

// Signed with the certificate of that nickname; a draft is signed too, but the user is told
// what it lacks.
TEST_F(ReportSigningTest, SignsWithTheCertificateNamed) {
    const Outcome outcome = sign({"--sign", signer, "--nss-dir", database_.folder()}, password);
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.err.rfind("kadenza-cli: the report is a draft; it lacks ", 0), 0u)
        << outcome.err;
    EXPECT_NE(outcome.err.find(" (inspection.operator), "), std::string::npos) << outcome.err;
    const std::string report = pdfsig();
    EXPECT_NE(report.find("Signer Certificate Common Name: " + signer + "\n"), std::string::npos)
        << report;
    EXPECT_NE(report.find("Signature Validation: Signature is Valid.\n"), std::string::npos);
    EXPECT_NE(report.find("Total document signed\n"), std::string::npos);
}

// What stops a signature ends the command with status 2 and writes nothing.
TEST_F(ReportSigningTest, AFailedSignatureWritesNothing) {
    const std::string folder = database_.folder();
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
    expectFailure(sign({"--nss-dir", folder}, password), 1, "--nss-dir is for --sign");
    EXPECT_FALSE(exists("out.pdf"));
}

}  // namespace
}  // namespace kadenza::test
