#include "support/LocalTimeStampAuthority.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "support/CommandOutput.h"

extern char** environ;

namespace kadenza::test {

namespace {

const char* const serverScript = R"(import http.server, subprocess, sys
config, port_file = sys.argv[1], sys.argv[2]
class Authority(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        query = self.rfile.read(int(self.headers['Content-Length']))
        reply = subprocess.run(['openssl', 'ts', '-reply', '-config', config,
                                '-queryfile', '/dev/stdin', '-out', '/dev/stdout'],
                               input=query, capture_output=True).stdout
        self.send_response(200)
        self.send_header('Content-Type', 'application/timestamp-reply')
        self.send_header('Content-Length', str(len(reply)))
        self.end_headers()
        self.wfile.write(reply)
    def log_message(self, *arguments):
        pass
server = http.server.HTTPServer(('127.0.0.1', 0), Authority)
with open(port_file + '.new', 'w') as f:
    f.write(str(server.server_address[1]))
import os
os.rename(port_file + '.new', port_file)
server.serve_forever()
)";

std::string configuration(const std::string& dir) {
    return "[ tsa ]\ndefault_tsa = authority\n[ authority ]\n"
           "serial = " +
           dir +
           "/serial\n"
           "signer_cert = " +
           dir +
           "/tsa.crt\n"
           "signer_key = " +
           dir +
           "/tsa.key\n"
           "signer_digest = sha256\ndefault_policy = 1.2.3.4.1\ndigests = sha256\n"
           "accuracy = secs:1\nordering = yes\ntsa_name = no\ness_cert_id_chain = no\n"
           "ess_cert_id_alg = sha256\n";
}

std::string waitForPort(const std::string& portFile) {
    for (int tries = 0; tries < 200; ++tries) {
        std::ifstream file(portFile);
        std::string port;
        if (file >> port) {
            return port;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    throw std::runtime_error("The local time-stamp authority did not start");
}

}  // namespace

LocalTimeStampAuthority::LocalTimeStampAuthority() {
    const std::string dir = dir_.path("");
    const CommandOutput certificate = commandOutput(
        "openssl req -x509 -newkey rsa:2048 -nodes -days 30 -subj '/CN=Test time-stamps' "
        "-addext 'extendedKeyUsage=critical,timeStamping' -keyout " +
        shellQuoted(dir_.path("tsa.key")) + " -out " + shellQuoted(dir_.path("tsa.crt")));
    if (certificate.status != 0) {
        throw std::runtime_error("openssl cannot make the time-stamp certificate: " +
                                 certificate.text);
    }
    writeFile(dir_.path("serial"), "01\n");
    writeFile(dir_.path("tsa.cnf"), configuration(dir));
    writeFile(dir_.path("server.py"), serverScript);
    const std::string script = dir_.path("server.py");
    const std::string config = dir_.path("tsa.cnf");
    const std::string portFile = dir_.path("port");
    const char* arguments[] = {"python3", script.c_str(), config.c_str(), portFile.c_str(),
                               nullptr};
    if (posix_spawnp(&server_, "python3", nullptr, nullptr, const_cast<char**>(arguments),
                     environ) != 0) {
        throw std::runtime_error("Cannot start python3 for the local time-stamp authority");
    }
    url_ = "http://127.0.0.1:" + waitForPort(portFile) + "/";
}

LocalTimeStampAuthority::~LocalTimeStampAuthority() {
    if (server_ > 0) {
        kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
    }
}

}  // namespace kadenza::test
