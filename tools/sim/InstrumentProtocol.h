#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace kadenza::sim {

// What an instrument of the current generation makes of the program's bytes and answers from
// its memory image: identification, addressed reads and writes, and streamed blocks. It knows
// nothing of the line; the caller takes the requests in, decides whether one reaches the
// instrument at all, and sends the answers.
class InstrumentProtocol {
  public:
    enum class RequestKind { identification, read, write, nextStreamed, repeatStreamed };

    struct Request {
        RequestKind kind;
        // The block a read or write names, or that the streamed frame will carry; -1 for an
        // identification.
        int block = -1;
        // The 32 bytes of a write.
        std::vector<std::uint8_t> data;
    };

    // The image is padded with 0xFF, or cut, to 8192 bytes.
    InstrumentProtocol(int modelCode, bool textIdentification, std::vector<std::uint8_t> image);

    // Takes one more byte from the program; a request once it is complete and its check
    // holds. Nothing while one is under way, for a request whose check fails, and for bytes
    // that are no request.
    std::optional<Request> receive(std::uint8_t byte);

    // Carries the request out (a write is stored) and returns the line bytes of the answer;
    // none for a write beyond the memory.
    std::vector<std::uint8_t> answer(const Request& request);

    // The memory, with the blocks the program wrote.
    const std::vector<std::uint8_t>& image() const { return image_; }

  private:
    std::optional<Request> startRequest(std::uint8_t byte);
    std::optional<Request> continueRequest(std::uint8_t byte);
    std::vector<std::uint8_t> identification();
    std::vector<std::uint8_t> answerRead(int block) const;
    std::vector<std::uint8_t> answerWrite(const Request& request);
    std::vector<std::uint8_t> nextStreamedFrame();

    int modelCode_;
    bool textIdentification_;
    std::vector<std::uint8_t> image_;
    // The unstuffed bytes of the addressed frame being received; empty between frames.
    std::vector<std::uint8_t> request_;
    bool escaped_ = false;
    // The streamed protocol counts its blocks from 0 again at every identification.
    int nextStreamedBlock_ = 0;
    int lastStreamedBlock_ = -1;
    std::vector<std::uint8_t> lastStreamedFrame_;
};

}  // namespace kadenza::sim
