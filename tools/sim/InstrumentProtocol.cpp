#include "sim/InstrumentProtocol.h"

#include <algorithm>

#include "link/ProtocolBytes.h"
#include "sim/InstrumentFrames.h"
#include "translators/Fcs16.h"
#include "translators/InstrumentTranslator.h"

namespace kadenza::sim {

namespace {

constexpr int blockCount = imageSize / blockSize;
constexpr std::size_t readRequestSize = 5;

// Inside a frame these values only ever travel stuffed: one arriving plain means the
// program gave up on the frame and started another.
bool isFrameHead(std::uint8_t byte) {
    return byte >= identifyRequest && byte <= 0xAE;
}

int blockNumberOf(const std::vector<std::uint8_t>& frame) {
    return frame[1] | frame[2] << 8;
}

}  // namespace

InstrumentProtocol::InstrumentProtocol(int modelCode, bool textIdentification,
                                       std::vector<std::uint8_t> image)
    : modelCode_(modelCode), textIdentification_(textIdentification), image_(std::move(image)) {
    image_.resize(imageSize, 0xFF);
}

std::optional<InstrumentProtocol::Request> InstrumentProtocol::receive(std::uint8_t byte) {
    if (!request_.empty() && (escaped_ || !isFrameHead(byte))) {
        return continueRequest(byte);
    }
    request_.clear();
    escaped_ = false;
    return startRequest(byte);
}

std::optional<InstrumentProtocol::Request> InstrumentProtocol::startRequest(std::uint8_t byte) {
    switch (byte) {
        case identifyRequest:
            return Request{RequestKind::identification, -1, {}};
        case readRequest:
        case writeFrame:
            request_.push_back(byte);
            return std::nullopt;
        case streamNext:
            return Request{RequestKind::nextStreamed,
                           nextStreamedBlock_ < blockCount ? nextStreamedBlock_ : streamNoBlock,
                           {}};
        case streamRepeat:
            return Request{RequestKind::repeatStreamed, lastStreamedBlock_, {}};
        default:
            return std::nullopt;
    }
}

std::optional<InstrumentProtocol::Request> InstrumentProtocol::continueRequest(std::uint8_t byte) {
    if (escaped_) {
        escaped_ = false;
        request_.push_back(static_cast<std::uint8_t>(byte ^ addressedStuffingMask));
    } else if (byte == addressedEscape) {
        escaped_ = true;
        return std::nullopt;
    } else {
        request_.push_back(byte);
    }

    const bool isRead = request_.front() == readRequest;
    const std::size_t size = isRead ? readRequestSize : addressedFrameSize;
    if (request_.size() < size) {
        return std::nullopt;
    }
    std::optional<Request> complete;
    if (fcs16(request_.data(), request_.size()) == fcs16Residue) {
        complete =
            Request{isRead ? RequestKind::read : RequestKind::write, blockNumberOf(request_), {}};
        if (!isRead) {
            complete->data.assign(request_.begin() + 3, request_.begin() + 3 + blockSize);
        }
    }
    request_.clear();
    return complete;
}

std::vector<std::uint8_t> InstrumentProtocol::answer(const Request& request) {
    switch (request.kind) {
        case RequestKind::identification:
            return identification();
        case RequestKind::read:
            return answerRead(request.block);
        case RequestKind::write:
            return answerWrite(request);
        case RequestKind::nextStreamed:
            return nextStreamedFrame();
        case RequestKind::repeatStreamed:
            return lastStreamedFrame_;
    }
    return {};
}

std::vector<std::uint8_t> InstrumentProtocol::identification() {
    nextStreamedBlock_ = 0;
    lastStreamedBlock_ = -1;
    lastStreamedFrame_.clear();
    if (textIdentification_) {
        return textIdentification(modelCode_);
    }
    return numericIdentification(modelCode_);
}

std::vector<std::uint8_t> InstrumentProtocol::answerRead(int block) const {
    if (block >= blockCount) {
        return {readRefusal};
    }
    return addressedFrame(readRequest, block, &image_[block * blockSize]);
}

std::vector<std::uint8_t> InstrumentProtocol::answerWrite(const Request& request) {
    // A block beyond the memory is not stored anywhere, and not acknowledged either.
    if (request.block >= blockCount) {
        return {};
    }
    std::copy(request.data.begin(), request.data.end(), &image_[request.block * blockSize]);
    return {writeFrame};
}

std::vector<std::uint8_t> InstrumentProtocol::nextStreamedFrame() {
    // Past the last block the instrument goes on with frames that carry nothing.
    static const std::vector<std::uint8_t> blank(blockSize, 0xFF);
    if (nextStreamedBlock_ < blockCount) {
        lastStreamedFrame_ =
            streamedFrame(nextStreamedBlock_, &image_[nextStreamedBlock_ * blockSize]);
        lastStreamedBlock_ = nextStreamedBlock_;
        ++nextStreamedBlock_;
    } else {
        lastStreamedFrame_ = streamedFrame(streamNoBlock, blank.data());
        lastStreamedBlock_ = streamNoBlock;
    }
    return lastStreamedFrame_;
}

}  // namespace kadenza::sim
