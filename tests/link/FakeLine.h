#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <vector>

#include "link/SerialLine.h"

namespace kadenza::test {

// A line played from a script: the bytes the instrument sends, in order, with -1 for a read
// that gets nothing; once the script is used up every read is empty. Keeps what is sent.
class FakeLine : public SerialLine {
  public:
    static constexpr int nothing = -1;

    void arrive(std::initializer_list<int> bytes) {
        incoming_.insert(incoming_.end(), bytes.begin(), bytes.end());
    }
    void arrive(const std::vector<std::uint8_t>& bytes) {
        incoming_.insert(incoming_.end(), bytes.begin(), bytes.end());
    }
    void silence(int reads) { incoming_.insert(incoming_.end(), reads, nothing); }
    // The device goes away once the script is used up.
    void vanishWhenDone() { vanishes_ = true; }
    // The first `count` sends go out, every later one fails.
    void failSendsAfter(int count) { sendLimit_ = count; }

    bool sendByte(std::uint8_t byte) override {
        if (static_cast<int>(sent_.size()) >= sendLimit_) {
            return false;
        }
        sent_.push_back(byte);
        return true;
    }
    int receiveByte() override {
        ++reads_;
        if (incoming_.empty()) {
            return nothing;
        }
        const int byte = incoming_.front();
        incoming_.pop_front();
        return byte;
    }
    // The script holds what arrives after each purge or settle, so nothing is dropped.
    void purge() override { ++purges_; }
    void settle() override { ++settles_; }
    bool isConnected() const override { return !(vanishes_ && incoming_.empty()); }

    const std::vector<std::uint8_t>& sent() const { return sent_; }
    int purges() const { return purges_; }
    int settles() const { return settles_; }
    int reads() const { return reads_; }
    // Bytes of the script not read yet.
    int pending() const { return static_cast<int>(incoming_.size()); }

  private:
    std::deque<int> incoming_;
    std::vector<std::uint8_t> sent_;
    int sendLimit_ = 1 << 30;
    int purges_ = 0;
    int settles_ = 0;
    int reads_ = 0;
    bool vanishes_ = false;
};

}  // namespace kadenza::test
