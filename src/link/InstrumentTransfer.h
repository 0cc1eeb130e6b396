#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "link/SerialLine.h"
#include "translators/InstrumentTranslator.h"

namespace kadenza {

// The block protocols over one serial line: identification, addressed block reads and
// writes, streamed block reads, each with its retries. Blocks go into and come from the
// translator's memory image. Failures are return values; the job decides what the user sees.
//
// Every attempt takes only what arrives after its own request: the line is purged before
// each request, and after an answer to another request the line is let settle first. An
// answer may start up to two read time-outs after its request.
class InstrumentTransfer {
  public:
    // `stopRequested`, when given, is asked while an identification or a block read drags
    // on (never in its first 100 ms, so a block under way on a sound line is finished); once
    // it says yes, every read of this transfer gives nothing and stopped() is true. A block
    // write is never stopped.
    explicit InstrumentTransfer(SerialLine& line, std::function<bool()> stopRequested = {});

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

    // True once a stop request ended a wait; the operation under way then failed.
    bool stopped() const { return stopped_; }
    // True once a block write needed more than one attempt: an acknowledgement, which names
    // no block, may then have been taken for a frame the instrument never stored.
    bool writeRetried() const { return writeRetried_; }

  private:
    using Clock = std::chrono::steady_clock;

    // A reply to a read, which a stop may cut short, or a write's acknowledgement, which
    // carries no block number and so is waited for to the end of the answer time.
    enum class AnswerKind { reply, acknowledgement };

    // The frame's first byte plain, the others stuffed; false as soon as a byte fails.
    bool sendAddressedFrame(const std::uint8_t* frame, std::size_t length);
    // `count` unstuffed bytes; false when one does not arrive.
    bool receiveUnescapedBytes(std::uint8_t* into, std::size_t count);
    int receiveIdentificationText(int first);
    // True when the head came; other bytes are passed over. `refusal` fails the attempt at
    // once (a value above 0xFF for none).
    bool awaitHead(std::uint8_t head, int refusal, AnswerKind kind);
    // One byte from the line; a stoppable read gives nothing once a stop is due.
    int readByte(bool stoppable);
    // Starts the clock of an identification or a block and its retries.
    void beginExchange();
    bool stopDue();
    // Before a retry: lets the line settle after an answer to an earlier request.
    void settleBeforeRetry();
    // After a write that needed a retry, the later attempt's own acknowledgement may still
    // be on its way; it must not be taken for the next block's.
    void letAcknowledgementsPass();

    SerialLine& line_;
    std::function<bool()> stopRequested_;
    Clock::time_point exchangeStart_ = Clock::now();
    bool stopped_ = false;
    bool answerOfAnotherRequest_ = false;
    bool writeRetried_ = false;
    std::uint16_t streamCrc_ = 0;
};

}  // namespace kadenza
