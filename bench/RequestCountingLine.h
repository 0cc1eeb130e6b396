#pragma once

#include <cstdint>

#include "link/ProtocolBytes.h"
#include "link/SerialLine.h"

namespace kadenza::bench {

// Passes every byte through and counts the requests the program repeats: a second
// identification, a streamed block asked for again, and an addressed read of the block the
// previous read asked for; and the write frames sent.
class RequestCountingLine : public SerialLine {
  public:
    explicit RequestCountingLine(SerialLine& line) : line_(line) {}

    bool sendByte(std::uint8_t byte) override {
        watch(byte);
        return line_.sendByte(byte);
    }
    int receiveByte() override { return line_.receiveByte(); }
    void purge() override { line_.purge(); }
    void settle() override { line_.settle(); }
    bool isConnected() const override { return line_.isConnected(); }

    int retries() const {
        return identifications_ > 1 ? retries_ + identifications_ - 1 : retries_;
    }
    int writeFrames() const { return writeFrames_; }

  private:
    // The sent bytes of a read request: its head, then the block number low byte first,
    // stuffed like every byte after the head.
    void watch(std::uint8_t byte) {
        if (blockBytesDue_ > 0) {
            takeBlockByte(byte);
        } else if (byte == identifyRequest) {
            ++identifications_;
        } else if (byte == streamRepeat) {
            ++retries_;
        } else if (byte == writeFrame) {
            ++writeFrames_;
        } else if (byte == readRequest) {
            blockBytesDue_ = 2;
            block_ = 0;
        }
    }

    void takeBlockByte(std::uint8_t byte) {
        if (byte == addressedEscape && !escaped_) {
            escaped_ = true;
            return;
        }
        if (escaped_) {
            byte ^= addressedStuffingMask;
            escaped_ = false;
        }
        block_ |= blockBytesDue_ == 2 ? byte : byte << 8;
        if (--blockBytesDue_ == 0) {
            retries_ += block_ == lastBlock_ ? 1 : 0;
            lastBlock_ = block_;
        }
    }

    SerialLine& line_;
    int identifications_ = 0;
    int retries_ = 0;
    int writeFrames_ = 0;
    int blockBytesDue_ = 0;
    bool escaped_ = false;
    int block_ = 0;
    int lastBlock_ = -1;
};

}  // namespace kadenza::bench
