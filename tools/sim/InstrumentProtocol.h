#pragma once

#include <cstdint>
#include <vector>

namespace kadenza::sim {

// What an instrument of the current generation answers, byte by byte, from its memory image:
// identification, addressed reads and writes, and streamed blocks. It knows nothing of the
// line; the caller sends the answers.
class InstrumentProtocol {
  public:
    // The image is padded with 0xFF, or cut, to 8192 bytes.
    InstrumentProtocol(int modelCode, bool textIdentification, std::vector<std::uint8_t> image);

    // Takes one more byte from the program. Returns the line bytes of the answer once a
    // request is complete; nothing while one is under way, for a request whose check fails,
    // and for bytes that are no request.
    std::vector<std::uint8_t> receive(std::uint8_t byte);

    // The memory, with the blocks the program wrote.
    const std::vector<std::uint8_t>& image() const { return image_; }

  private:
    std::vector<std::uint8_t> startRequest(std::uint8_t byte);
    std::vector<std::uint8_t> continueRequest(std::uint8_t byte);
    std::vector<std::uint8_t> identification();
    std::vector<std::uint8_t> answerRead();
    std::vector<std::uint8_t> answerWrite();
    std::vector<std::uint8_t> nextStreamedFrame();

    int modelCode_;
    bool textIdentification_;
    std::vector<std::uint8_t> image_;
    // The unstuffed bytes of the addressed frame being received; empty between frames.
    std::vector<std::uint8_t> request_;
    bool escaped_ = false;
    // The streamed protocol counts its blocks from 0 again at every identification.
    int nextStreamedBlock_ = 0;
    std::vector<std::uint8_t> lastStreamedFrame_;
};

}  // namespace kadenza::sim
