#include <gtest/gtest.h>

#include "LineBytes.h"
#include "PtyClient.h"
#include "RunningInstrument.h"
#include "samples/SampleImages.h"

namespace kadenza::test {
namespace {

using sim::InstrumentBehaviour;

constexpr int blockBytes = 32;

InstrumentBehaviour model(int code) {
    InstrumentBehaviour behaviour;
    behaviour.modelCode = code;
    return behaviour;
}

Bytes blockOf(const Bytes& image, int block) {
    return {image.begin() + block * blockBytes, image.begin() + (block + 1) * blockBytes};
}

// A block holding every value that travels stuffed in one protocol or the other, and the
// protocols' command bytes, among ordinary ones.
Bytes awkwardBlock() {
    Bytes data{0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0x1B, 0xAF, 0xA9, 0x01, 0x0B, 0x8B, 0x81, 0xA5, 0x55};
    for (int i = static_cast<int>(data.size()); i < blockBytes; ++i) {
        data.push_back(static_cast<std::uint8_t>(i * 7));
    }
    return data;
}

// A blank image with the awkward block at the given blocks.
Bytes imageWithAwkwardBlocks(std::initializer_list<int> blocks) {
    Bytes image(8192, 0xFF);
    for (int block : blocks) {
        const Bytes data = awkwardBlock();
        std::copy(data.begin(), data.end(), image.begin() + block * blockBytes);
    }
    return image;
}

TEST(SimulatedInstrumentTest, IdentifiesByNumberOrByName) {
    {
        RunningInstrument instrument(model(3), {});
        PtyClient client(instrument.devicePath());
        EXPECT_EQ(client.exchange({0xAA}), (Bytes{0xAA, 0x03, 0x00, 0x09, 0x90}));
    }
    {
        // A code no model has is answered all the same, stuffed where it has to be.
        RunningInstrument instrument(model(0x1BAD), {});
        PtyClient client(instrument.devicePath());
        const Bytes line = client.exchange({0xAA});
        ASSERT_EQ(line.size(), 7u);
        EXPECT_EQ((Bytes{line[1], line[2], line[3], line[4]}), (Bytes{0x1B, 0x8D, 0x1B, 0x3B}));
        const Bytes frame = unstuffAddressed(line);
        EXPECT_TRUE(fcsChecksOut(frame));
    }
    InstrumentBehaviour byName = model(1);
    byName.textIdentification = true;
    {
        RunningInstrument instrument(byName, {});
        PtyClient client(instrument.devicePath());
        EXPECT_EQ(client.exchange({0xAA}), (Bytes{'m', 'x', '3', '4', '0', ' ', '0', 0}));
    }
    byName.modelCode = 2;
    RunningInstrument instrument(byName, {});
    PtyClient client(instrument.devicePath());
    EXPECT_EQ(client.exchange({0xAA}), (Bytes{'m', 'x', '3', '2', '0', 0}));
}

TEST(SimulatedInstrumentTest, AnswersAddressedReadsFromItsImage) {
    const Bytes sample = samples::sampleImage(3);
    RunningInstrument instrument(model(3), sample);
    PtyClient client(instrument.devicePath());

    EXPECT_EQ(readRequestLine(0), (Bytes{0xAB, 0x00, 0x00, 0xBD, 0xE0}));
    const Bytes reply = unstuffAddressed(client.exchange(readRequestLine(0)));
    ASSERT_EQ(reply.size(), 37u);
    EXPECT_TRUE(fcsChecksOut(reply));
    EXPECT_EQ((Bytes{reply[0], reply[1], reply[2]}), (Bytes{0xAB, 0x00, 0x00}));
    EXPECT_EQ(Bytes(reply.begin() + 3, reply.begin() + 35), blockOf(sample, 0));

    const Bytes last = unstuffAddressed(client.exchange(readRequestLine(255)));
    ASSERT_EQ(last.size(), 37u);
    EXPECT_EQ((Bytes{last[1], last[2]}), (Bytes{0xFF, 0x00}));
    EXPECT_EQ(Bytes(last.begin() + 3, last.begin() + 35), blockOf(sample, 255));
    // A block beyond the memory is refused rather than read from beyond it.
    EXPECT_EQ(client.exchange(readRequestLine(256)), Bytes{0xAD});
}

TEST(SimulatedInstrumentTest, StuffsEveryReservedValueOfAReply) {
    RunningInstrument instrument(model(4), imageWithAwkwardBlocks({5}));
    PtyClient client(instrument.devicePath());

    const Bytes line = client.exchange(readRequestLine(5));
    ASSERT_FALSE(line.empty());
    // After the head no reserved value travels plain, and the six data values come as
    // ESC, value XOR 0x20.
    for (std::size_t i = 1; i < line.size(); ++i) {
        if (line[i] == 0x1B) {
            ++i;
            continue;
        }
        EXPECT_FALSE(line[i] >= 0xAA && line[i] <= 0xAE) << "plain byte at " << i;
    }
    const Bytes stuffedData{0x1B, 0x8A, 0x1B, 0x8B, 0x1B, 0x8C, 0x1B,
                            0x8D, 0x1B, 0x8E, 0x1B, 0x3B, 0xAF};
    EXPECT_EQ(Bytes(line.begin() + 3, line.begin() + 3 + stuffedData.size()), stuffedData);
    const Bytes reply = unstuffAddressed(line);
    EXPECT_TRUE(fcsChecksOut(reply));
    EXPECT_EQ(Bytes(reply.begin() + 3, reply.begin() + 35), awkwardBlock());
}

TEST(SimulatedInstrumentTest, IgnoresRequestsThatDoNotCheckOut) {
    RunningInstrument instrument(model(3), samples::sampleImage(3));
    PtyClient client(instrument.devicePath());

    EXPECT_EQ(client.exchange({0xAB, 0x00, 0x00, 0xBD, 0xE1}), Bytes{});
    // A request cut short by a new one: the new one counts.
    Bytes cut{0xAB, 0x01};
    const Bytes whole = readRequestLine(1);
    cut.insert(cut.end(), whole.begin(), whole.end());
    const Bytes reply = unstuffAddressed(client.exchange(cut));
    ASSERT_EQ(reply.size(), 37u);
    EXPECT_TRUE(fcsChecksOut(reply));
    EXPECT_EQ(reply[1], 0x01);
}

TEST(SimulatedInstrumentTest, StoresAndAcknowledgesWrittenBlocks) {
    const Bytes sample = samples::sampleImage(4);
    RunningInstrument instrument(model(4), sample);
    PtyClient client(instrument.devicePath());

    EXPECT_EQ(client.exchange(writeRequestLine(252, awkwardBlock())), Bytes{0xAC});
    const Bytes reply = unstuffAddressed(client.exchange(readRequestLine(252)));
    ASSERT_EQ(reply.size(), 37u);
    EXPECT_EQ(Bytes(reply.begin() + 3, reply.begin() + 35), awkwardBlock());
    // Neither a block beyond the memory nor a frame whose check fails is stored or
    // acknowledged.
    EXPECT_EQ(client.exchange(writeRequestLine(256, Bytes(blockBytes, 0x00))), Bytes{});
    Bytes damaged = writeRequestLine(253, Bytes(blockBytes, 0x00));
    damaged[10] ^= 0x01;
    EXPECT_EQ(client.exchange(damaged), Bytes{});

    Bytes expected = sample;
    const Bytes written = awkwardBlock();
    std::copy(written.begin(), written.end(), expected.begin() + 252 * blockBytes);
    EXPECT_EQ(instrument.finalImage(), expected);
}

TEST(SimulatedInstrumentTest, StreamsBlocksInOrderAndRepeatsOnRequest) {
    const Bytes image = imageWithAwkwardBlocks({0, 1, 2});
    RunningInstrument instrument(model(1), image);
    PtyClient client(instrument.devicePath());

    ASSERT_FALSE(client.exchange({0xAA}).empty());
    Bytes lastLine;
    for (int block = 0; block < 3; ++block) {
        lastLine = client.exchange({0xA5});
        const StreamedFrame frame = parseStreamedFrame(lastLine);
        ASSERT_TRUE(frame.complete) << "block " << block;
        EXPECT_EQ(frame.lineLength, lastLine.size());
        EXPECT_EQ(frame.blockNumber(), block);
        EXPECT_EQ(frame.data(), blockOf(image, block));
        // The awkward block puts 0x0B prefixes into the line, which the CRC has to cover.
        EXPECT_EQ(frame.sentCrc(), frame.lineCrc);
    }
    EXPECT_EQ(client.exchange({0x55}), lastLine);
    // A new identification starts the count again.
    ASSERT_FALSE(client.exchange({0xAA}).empty());
    EXPECT_EQ(parseStreamedFrame(client.exchange({0xA5})).blockNumber(), 0);
}

TEST(SimulatedInstrumentTest, SilentOrSwitchedOffInstrumentsAnswerNothing) {
    InstrumentBehaviour silent = model(3);
    silent.silent = true;
    {
        RunningInstrument instrument(silent, {});
        PtyClient client(instrument.devicePath());
        EXPECT_EQ(client.exchange({0xAA}), Bytes{});
    }
    InstrumentBehaviour switchedOff = model(1);
    switchedOff.stopAfterBlocks = 2;
    RunningInstrument instrument(switchedOff, Bytes(8192, 0x00));
    PtyClient client(instrument.devicePath());
    EXPECT_FALSE(client.exchange({0xAA}).empty());
    EXPECT_TRUE(parseStreamedFrame(client.exchange({0xA5})).complete);
    EXPECT_EQ(client.exchange(writeRequestLine(252, Bytes(blockBytes, 0x11))), Bytes{0xAC});
    EXPECT_EQ(client.exchange({0xA5}), Bytes{});
    EXPECT_EQ(client.exchange({0xAA}), Bytes{});
    EXPECT_EQ(client.exchange(writeRequestLine(253, Bytes(blockBytes, 0x22))), Bytes{});
    EXPECT_EQ(blockOf(instrument.finalImage(), 253), Bytes(blockBytes, 0x00));
}

TEST(SimulatedInstrumentTest, RefusesReadsAtTheRefusalRate) {
    InstrumentBehaviour refusing = model(3);
    refusing.faults.refuse = 1;
    RunningInstrument instrument(refusing, samples::sampleImage(3));
    PtyClient client(instrument.devicePath());
    EXPECT_EQ(client.exchange(readRequestLine(0)), Bytes{0xAD});
    EXPECT_EQ(client.exchange(writeRequestLine(252, Bytes(blockBytes, 0x00))), Bytes{0xAC});
}

TEST(SimulatedInstrumentTest, ServesOneProgramAfterAnother) {
    RunningInstrument instrument(model(5), {});
    for (int program = 0; program < 3; ++program) {
        PtyClient client(instrument.devicePath());
        ASSERT_TRUE(client.isOpen());
        EXPECT_EQ(unstuffAddressed(client.exchange({0xAA})).at(1), 5) << "program " << program;
    }
}

TEST(SimulatedInstrumentTest, SpoilsTheSameBytesForTheSameSeed) {
    InstrumentBehaviour faulty = model(3);
    faulty.faults = {0.05, 0.05, 0.05, 0.1};
    faulty.seed = 42;
    const auto download = [](const InstrumentBehaviour& behaviour) {
        RunningInstrument instrument(behaviour, samples::sampleImage(3));
        PtyClient client(instrument.devicePath());
        // The instrument answers request after request, so the line carries the same bytes
        // however the answers are cut into reads.
        for (int block = 0; block < 20; ++block) {
            client.send(readRequestLine(block));
        }
        return client.receive(300);
    };

    const Bytes first = download(faulty);
    EXPECT_EQ(download(faulty), first);
    faulty.seed = 43;
    EXPECT_NE(download(faulty), first);
}

}  // namespace
}  // namespace kadenza::test
