#include "LineBytes.h"

#include "link/ProtocolBytes.h"
#include "translators/Fcs16.h"

namespace kadenza::test {

Bytes addressedLine(const Bytes& frame) {
    const auto check = static_cast<std::uint16_t>(~fcs16(frame.data(), frame.size()));
    Bytes whole = frame;
    whole.push_back(static_cast<std::uint8_t>(check & 0xFF));
    whole.push_back(static_cast<std::uint8_t>(check >> 8));
    Bytes line{whole.front()};
    for (std::size_t i = 1; i < whole.size(); ++i) {
        if (needsAddressedStuffing(whole[i])) {
            line.push_back(0x1B);
            line.push_back(static_cast<std::uint8_t>(whole[i] ^ 0x20));
        } else {
            line.push_back(whole[i]);
        }
    }
    return line;
}

Bytes readRequestLine(int block) {
    return addressedLine(
        {0xAB, static_cast<std::uint8_t>(block & 0xFF), static_cast<std::uint8_t>(block >> 8)});
}

Bytes writeRequestLine(int block, const Bytes& data) {
    Bytes frame{0xAC, static_cast<std::uint8_t>(block & 0xFF),
                static_cast<std::uint8_t>(block >> 8)};
    frame.insert(frame.end(), data.begin(), data.end());
    return addressedLine(frame);
}

Bytes unstuffAddressed(const Bytes& line) {
    Bytes frame;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (i > 0 && line[i] == 0x1B && i + 1 < line.size()) {
            frame.push_back(static_cast<std::uint8_t>(line[++i] ^ 0x20));
        } else {
            frame.push_back(line[i]);
        }
    }
    return frame;
}

bool fcsChecksOut(const Bytes& frame) {
    return fcs16(frame.data(), frame.size()) == fcs16Residue;
}

StreamedFrame parseStreamedFrame(const Bytes& line, std::size_t start) {
    StreamedFrame frame;
    std::uint16_t crc = 0;
    std::size_t i = start + 1;
    while (frame.body.size() < 37 && i < line.size()) {
        const std::uint8_t byte = line[i++];
        if (frame.body.size() < 34) {
            crc = streamCrcStep(crc, byte);
        }
        if (byte == 0x0B) {
            if (i == line.size()) {
                break;
            }
            if (frame.body.size() < 34) {
                crc = streamCrcStep(crc, line[i]);
            }
            frame.body.push_back(static_cast<std::uint8_t>(line[i++] ^ 0x80));
        } else {
            frame.body.push_back(byte);
        }
        if (frame.body.size() == 34) {
            frame.lineCrc = crc;
        }
    }
    frame.complete = start < line.size() && line[start] == 0x01 && frame.body.size() == 37;
    frame.lineLength = i - start;
    return frame;
}

}  // namespace kadenza::test
