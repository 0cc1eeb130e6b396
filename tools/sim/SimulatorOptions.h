#pragma once

#include <string>
#include <vector>

#include "sim/InstrumentBehaviour.h"

namespace kadenza::sim {

// What the command line of kadenza-sim asks for.
struct SimulatorOptions {
    bool help = false;
    bool version = false;
    // An Mx310.1 instead of a model of the current generation.
    bool legacy = false;
    InstrumentBehaviour behaviour;
    // Where the memory image or the Mx310.1 frame comes from: a file, the sample, or
    // neither (a blank image, the sample frame).
    std::string imageFile;
    std::string frameFile;
    bool sample = false;
    // The setup area (blocks 252 to 255) reads as erased, all 0xFF, whatever the image holds.
    bool eraseSetup = false;
    // Where the image goes when the simulator ends; empty for nowhere.
    std::string saveImageFile;
    double timeoutSeconds = 600;
    // A real serial port to play on instead of a pseudo-terminal.
    std::string devicePath;
};

// The arguments after the program's name. Throws UsageError for anything the simulator does
// not offer; with --help or --version anywhere, the rest is not looked at.
SimulatorOptions parseSimulatorOptions(const std::vector<std::string>& args);

}  // namespace kadenza::sim
