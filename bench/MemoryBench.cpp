// The memory a data file may cost: the largest file the program opens (one bank as full of
// items as 4 MiB holds), shown by kadenza-cli show and opened in the windows, then with the
// bank expanded; and files of hand-made details (the most values accepted, as dense as JSON
// writes them; a 4 MiB section of them, refused; a remark that fills the file) in the
// commands that read them. Each runs in a process of its own, whose peak resident size is read when
// it ends and compared with the same program's without the file. A new process's peak counts its
// parent's size at the start, so the file is made in a process of its own too and this one
// stays small.
//   memory_bench                 (from the build folder's bench/, or with KADENZA_BIN_DIR)
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <QApplication>
#include <QTreeView>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/MessageBoxes.h"
#include "app/TForm1.h"
#include "model/InstrumentBank.h"
#include "model/InstrumentItem.h"
#include "model/NativeFile.h"
#include "support/FileSections.h"
#include "support/TempDir.h"

extern char** environ;

namespace {

using namespace kadenza;

// The smallest item record, and what the header, the container and the bank take.
constexpr std::size_t itemRecord = 19;
constexpr std::size_t fixedPart = 64 + 5 + 4 + 9;

std::string binDir() {
    const char* dir = std::getenv("KADENZA_BIN_DIR");
    return dir == nullptr ? "../bin" : dir;
}

void writeLargestFile(const std::string& path) {
    InstrumentData data;
    auto bank = std::make_unique<InstrumentBank>(1);
    const std::size_t items = (nativeFileLimit - fixedPart) / itemRecord;
    for (std::size_t i = 0; i < items; ++i) {
        bank->add(std::make_unique<InstrumentItem>(230.0 + static_cast<double>(i % 100), 1,
                                                   std::nullopt, true, false));
    }
    data.add(std::move(bank));
    saveNativeFile(path, data);
}

// A small data file whose details are `json`.
void writeDetailsFile(const std::string& path, const std::string& json) {
    InstrumentData data;
    auto bank = std::make_unique<InstrumentBank>(1);
    bank->add(std::make_unique<InstrumentItem>(230.0, 1, std::nullopt, true, false));
    data.add(std::move(bank));
    const std::string plain = path + ".plain";
    saveNativeFile(plain, data);
    test::writeFile(path, test::withDetailsText(test::readFile(plain), json));
    std::filesystem::remove(plain);
}

// Details whose unknown key holds a list filling `bytes` of the text, of this element.
std::string filledList(const std::string& element, std::size_t bytes) {
    std::string json = R"({"version":1,"x":[)" + element;
    while (json.size() + element.size() + 3 < bytes) {
        json += "," + element;
    }
    return json + "]}";
}

// The densest details accepted (numbers of four digits, which cost six times their text),
// details as dense as JSON writes them (empty objects, refused) and one remark as large as
// the file may be.
void writeDetailsFiles(const std::string& folder) {
    const std::size_t room = nativeFileLimit - 200;
    writeDetailsFile(folder + "/densest.tso", filledList("1000", room));
    writeDetailsFile(folder + "/refused.tso", filledList("{}", room));
    writeDetailsFile(folder + "/remark.tso",
                     R"({"version":1,"inspection":{"remarks":")" + std::string(room, 'x') + "\"}}");
}

// The peak resident size of the program, in MiB, once it ended; its output goes nowhere.
double peakMiB(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = -1;
    const int failed = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) {
        return 0;
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

// In the child: the main window, with the file opened as Open does, and the bank expanded
// when asked.
int openInWindow(int argc, char** argv, const std::string& path, bool expand) {
    QApplication application(argc, argv);
    QtMessageBoxes boxes;
    TForm1 window(boxes, {});
    window.show();
    if (!path.empty()) {
        openNativeFile(path, window.instrumentData());
        window.UpdateTree();
    }
    auto* tree = window.findChild<QTreeView*>(QStringLiteral("TreeView1"));
    if (expand && tree->model()->rowCount() > 0) {
        tree->expand(tree->model()->index(0, 0));
    }
    QApplication::processEvents();
    return 0;
}

void row(const std::string& what, const std::string& figure) {
    std::printf("%-52s %s\n", what.c_str(), figure.c_str());
}

std::string figure(double mib, double baseMib, double fileMib) {
    char text[80];
    std::snprintf(text, sizeof text, "%.1f MiB (%.1f x the file)", mib, (mib - baseMib) / fileMib);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--window") {
        return openInWindow(argc, argv, argv[2], std::string(argv[3]) == "expanded");
    }
    if (argc == 3 && std::string(argv[1]) == "--write") {
        writeLargestFile(argv[2]);
        return 0;
    }
    if (argc == 3 && std::string(argv[1]) == "--write-details") {
        writeDetailsFiles(argv[2]);
        return 0;
    }
    test::TempDir dir;
    const std::string path = dir.path("largest.tso");
    const std::string self = std::filesystem::canonical("/proc/self/exe").string();
    peakMiB({self, "--write", path});
    const double fileMib = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);

    const double cliBase = peakMiB({binDir() + "/kadenza-cli", "--help"});
    const double show = peakMiB({binDir() + "/kadenza-cli", "show", path});
    const double windowBase = peakMiB({self, "--window", "", "collapsed"});
    const double opened = peakMiB({self, "--window", path, "collapsed"});
    const double expanded = peakMiB({self, "--window", path, "expanded"});
    row("Largest data file opened", std::to_string(std::filesystem::file_size(path)) + " bytes");
    row("Peak memory, kadenza-cli show of it", figure(show, cliBase, fileMib));
    row("Peak memory, the windows opening it", figure(opened, windowBase, fileMib));
    row("Peak memory, the windows with its bank expanded", figure(expanded, windowBase, fileMib));

    peakMiB({self, "--write-details", dir.path(".")});
    for (const char* name : {"densest", "refused", "remark"}) {
        const std::string details = dir.path(std::string(name) + ".tso");
        const double size = static_cast<double>(std::filesystem::file_size(details)) / (1 << 20);
        row(std::string("Details file: ") + name,
            std::to_string(std::filesystem::file_size(details)) + " bytes");
        for (const char* command : {"details", "show", "evaluate"}) {
            row(std::string("  peak memory, kadenza-cli ") + command,
                figure(peakMiB({binDir() + "/kadenza-cli", command, details}), cliBase, size));
        }
        row("  peak memory, kadenza-cli convert --format json",
            figure(
                peakMiB({binDir() + "/kadenza-cli", "convert", details, "--format", "json", "-"}),
                cliBase, size));
    }
    return 0;
}
