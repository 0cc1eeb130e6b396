#include "link/TracingLine.h"

#include <cstdio>

namespace kadenza {

namespace {

// Built by hand rather than through the stream, so that no locale adds digit grouping or
// another decimal separator and the trace reads back everywhere.
void writeHex(std::ostream& trace, std::uint8_t byte) {
    constexpr char digits[] = "0123456789ABCDEF";
    trace << digits[byte >> 4] << digits[byte & 0x0F];
}

}  // namespace

TracingLine::TracingLine(SerialLine& line, std::ostream& trace)
    : line_(line), trace_(trace), start_(std::chrono::steady_clock::now()) {}

void TracingLine::writeTime() {
    const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start_);
    const long long micros = elapsed.count();
    char text[32];
    std::snprintf(text, sizeof text, "%7lld.%03lld ", micros / 1000, micros % 1000);
    trace_ << text;
}

bool TracingLine::sendByte(std::uint8_t byte) {
    const bool sent = line_.sendByte(byte);
    writeTime();
    trace_ << "> ";
    writeHex(trace_, byte);
    trace_ << (sent ? "\n" : " failed\n");
    return sent;
}

int TracingLine::receiveByte() {
    const int byte = line_.receiveByte();
    writeTime();
    trace_ << "< ";
    if (byte < 0) {
        trace_ << "--";
    } else {
        writeHex(trace_, static_cast<std::uint8_t>(byte));
    }
    trace_ << '\n';
    return byte;
}

void TracingLine::purge() {
    line_.purge();
    writeTime();
    trace_ << "purge\n";
}

void TracingLine::settle() {
    line_.settle();
    writeTime();
    trace_ << "settle\n";
}

}  // namespace kadenza
