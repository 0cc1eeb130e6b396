#pragma once

#include <cstddef>
#include <cstdint>

#include "link/SerialLine.h"
#include "translators/InstrumentTranslator.h"

namespace kadenza {

// The block protocols over one serial line: identification, addressed block reads and
// writes, streamed block reads, each with its retries. Blocks go into and come from the
// translator's memory image. Failures are return values; the job decides what the user sees.
class InstrumentTransfer {
  public:
    explicit InstrumentTransfer(SerialLine& line);

    bool sendByte(std::uint8_t byte);
    int receiveByte();

    // Addressed stuffing.
    bool sendEscaped(std::uint8_t byte);
    int receiveUnescaped();
    // Streamed reception: every byte as it comes off the line goes into the CRC.
    int receiveStreamByte();
    int receiveStreamUnescaped();

    // The model code the instrument answers with (numeric or text form), or -1.
    int identifyOnce();
    // Up to 10 attempts; the first answer is returned, even a code no model has.
    int identify();

    bool readBlockOnce(InstrumentTranslator& translator, int block);
    bool readBlock(InstrumentTranslator& translator, int block);
    bool writeBlockOnce(InstrumentTranslator& translator, int block);
    bool writeBlock(InstrumentTranslator& translator, int block);
    bool receiveStreamFrame(InstrumentTranslator& translator, int expectedBlock);
    bool readStreamedBlock(InstrumentTranslator& translator, int expectedBlock);

  private:
    // The frame's first byte plain, the others stuffed; false as soon as a byte fails.
    bool sendAddressedFrame(const std::uint8_t* frame, std::size_t length);
    // `count` unstuffed bytes; false when one does not arrive.
    bool receiveUnescapedBytes(std::uint8_t* into, std::size_t count);
    int receiveIdentificationText(int first);
    bool awaitReadReply();
    bool awaitStreamStart();

    SerialLine& line_;
    std::uint16_t streamCrc_ = 0;
};

}  // namespace kadenza
