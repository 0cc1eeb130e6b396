#include <gtest/gtest.h>

#include "sim/SimulatorError.h"
#include "sim/SimulatorOptions.h"

namespace kadenza::test {
namespace {

using sim::parseSimulatorOptions;
using sim::SimulatorOptions;

std::string usageErrorOf(const std::vector<std::string>& args) {
    try {
        parseSimulatorOptions(args);
    } catch (const sim::UsageError& error) {
        return error.what();
    }
    return "no error";
}

TEST(SimulatorOptionsTest, TakesEveryOptionOfAModel) {
    const SimulatorOptions options = parseSimulatorOptions(
        {"--model",
         "2",
         "--image",
         "in.bin",
         "--text-id",
         "--save-image",
         "out.bin",
         "--pace",
         "--faults",
         "drop=0.5,corrupt=0.01,refuse=1",
         "--silent",
         "--seed",
         "4294967295",
         "--timeout",
         "2.5",
         "--device",
         "/dev/ttyS9",
         "--stop-after",
         "12",
         "--erase-setup",
         "--misbehave",
         "late-block=100,late-ids=9,late-acks,late-ms=300,stray-ack=252,lose-write=253,"
         "refuse-reads,babble"});
    EXPECT_FALSE(options.legacy);
    EXPECT_EQ(options.behaviour.modelCode, 2);
    EXPECT_EQ(options.imageFile, "in.bin");
    EXPECT_TRUE(options.behaviour.textIdentification);
    EXPECT_EQ(options.saveImageFile, "out.bin");
    EXPECT_TRUE(options.behaviour.paced);
    EXPECT_EQ(options.behaviour.faults.corrupt, 0.01);
    EXPECT_EQ(options.behaviour.faults.drop, 0.5);
    EXPECT_EQ(options.behaviour.faults.noise, 0);
    EXPECT_EQ(options.behaviour.faults.refuse, 1);
    EXPECT_TRUE(options.behaviour.silent);
    EXPECT_EQ(options.behaviour.seed, 4294967295u);
    EXPECT_EQ(options.timeoutSeconds, 2.5);
    EXPECT_EQ(options.devicePath, "/dev/ttyS9");
    EXPECT_EQ(options.behaviour.stopAfterBlocks, 12);
    EXPECT_TRUE(options.eraseSetup);
    const sim::Misbehaviour& misbehaviour = options.behaviour.misbehaviour;
    EXPECT_EQ(misbehaviour.lateBlock, 100);
    EXPECT_EQ(misbehaviour.lateIdentifications, 9);
    EXPECT_TRUE(misbehaviour.lateAcknowledgements);
    EXPECT_EQ(misbehaviour.lateMs, 300);
    EXPECT_EQ(misbehaviour.strayBeforeAcknowledgement, 252);
    EXPECT_EQ(misbehaviour.lostWrite, 253);
    EXPECT_TRUE(misbehaviour.refuseReads);
    EXPECT_TRUE(misbehaviour.babble);
}

TEST(SimulatorOptionsTest, DefaultsAndTheLegacyForm) {
    const SimulatorOptions model = parseSimulatorOptions({"--model", "7"});
    EXPECT_EQ(model.behaviour.modelCode, 7);
    EXPECT_EQ(model.behaviour.seed, 1u);
    EXPECT_EQ(model.timeoutSeconds, 600);
    EXPECT_FALSE(model.sample);
    EXPECT_EQ(model.behaviour.stopAfterBlocks, -1);
    EXPECT_EQ(model.behaviour.misbehaviour.lateBlock, -1);
    EXPECT_EQ(model.behaviour.misbehaviour.lateMs, 250);
    EXPECT_FALSE(model.behaviour.misbehaviour.babble);

    const SimulatorOptions legacy = parseSimulatorOptions({"--legacy", "--frame", "f.bin"});
    EXPECT_TRUE(legacy.legacy);
    EXPECT_EQ(legacy.frameFile, "f.bin");
    EXPECT_TRUE(parseSimulatorOptions({"--model", "9", "--help", "--bogus"}).help);
}

TEST(SimulatorOptionsTest, RejectsWhatItDoesNotOffer) {
    EXPECT_EQ(usageErrorOf({}), "missing --model CODE or --legacy");
    EXPECT_EQ(usageErrorOf({"--model", "1", "--legacy"}),
              "--model and --legacy exclude each other");
    EXPECT_EQ(usageErrorOf({"--model", "65536"}),
              "invalid model code '65536': expected a whole number from 0 to 65535");
    EXPECT_EQ(usageErrorOf({"--model", "3", "--text-id"}), "--text-id is only for models 1 and 2");
    EXPECT_EQ(usageErrorOf({"--model", "3", "--sample", "--image", "x"}),
              "--sample and --image exclude each other");
    EXPECT_EQ(usageErrorOf({"--legacy", "--image", "x"}), "option --image is not for --legacy");
    EXPECT_EQ(usageErrorOf({"--model", "3", "--frame", "x"}), "option --frame needs --legacy");
    EXPECT_EQ(usageErrorOf({"--model", "3", "--faults", "drop=1.5"}),
              "invalid drop rate '1.5': expected a number from 0 to 1");
    EXPECT_EQ(usageErrorOf({"--model", "3", "--faults", "drop=0.1,"}),
              "invalid fault '': expected corrupt=P, drop=P, noise=P or refuse=P");
    EXPECT_EQ(usageErrorOf({"--model", "3", "--faults", "lag=0.1"}),
              "invalid fault 'lag=0.1': expected corrupt=P, drop=P, noise=P or refuse=P");
    for (const char* misbehaviour : {"babble=1", "late-block", "late-ms=-5", "sulk"}) {
        EXPECT_NE(usageErrorOf({"--model", "3", "--misbehave", misbehaviour}), "no error")
            << misbehaviour;
    }
    EXPECT_EQ(usageErrorOf({"--legacy", "--misbehave", "babble"}),
              "option --misbehave is not for --legacy");
    EXPECT_EQ(usageErrorOf({"--model", "3", "--timeout", "0"}),
              "invalid time-out '0': expected a number of seconds above 0");
    EXPECT_EQ(usageErrorOf({"--model", "3", "--seed", "-1"}),
              "invalid seed '-1': expected a whole number from 0 to 4294967295");
    EXPECT_EQ(usageErrorOf({"--model", "3", "--timeout"}), "option --timeout needs a value");
    EXPECT_EQ(usageErrorOf({"--model", "3", "--bogus"}),
              "unknown option '--bogus' (see kadenza-sim --help)");
    EXPECT_EQ(usageErrorOf({"--model", "3", "image.bin"}),
              "unexpected argument 'image.bin' (see kadenza-sim --help)");
}

}  // namespace
}  // namespace kadenza::test
