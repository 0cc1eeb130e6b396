#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kadenza::test {

// A program's end of a serial line at its plainest: the device opened raw, bytes written and
// read as they are.
class PtyClient {
  public:
    explicit PtyClient(const std::string& devicePath);
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    void send(const std::vector<std::uint8_t>& bytes);
    // The bytes that arrive until none has come for `quietMs`.
    std::vector<std::uint8_t> receive(int quietMs = 100);
    // Exactly `count` bytes, or fewer when the line stays quiet for `quietMs`.
    std::vector<std::uint8_t> receive(std::size_t count, int quietMs);
    // Sends the request and returns the answer.
    std::vector<std::uint8_t> exchange(const std::vector<std::uint8_t>& request, int quietMs = 100);

  private:
    int fd_ = -1;
};

}  // namespace kadenza::test
