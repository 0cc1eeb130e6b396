// The receiving side of the link fed from bytes instead of a port. The first byte picks what
// the program is waiting for, the second the block it asked for; the rest is what arrives.
#include <cstddef>
#include <cstdint>

#include "ByteSourceLine.h"
#include "FuzzRendering.h"
#include "link/LegacyReceiver.h"
#include "link/TransferJobs.h"
#include "support/SilentReporter.h"
#include "translators/TranslatorFactory.h"

namespace {

enum class Awaited {
    Identification,
    AddressedReply,
    StreamedFrame,
    WriteAcknowledge,
    Download,
    LegacyFrame,
    Count
};

constexpr int addressedModel = 1;
constexpr int streamedModel = 4;

void receive(Awaited awaited, int block, kadenza::fuzz::ByteSourceLine& line) {
    kadenza::InstrumentTransfer transfer(line);
    kadenza::test::SilentReporter reporter;
    kadenza::InstrumentData data;
    switch (awaited) {
        case Awaited::Identification:
            transfer.identifyOnce();
            break;
        case Awaited::AddressedReply:
            transfer.readBlockOnce(*kadenza::createTranslator(addressedModel), block);
            break;
        case Awaited::StreamedFrame:
            transfer.readStreamedBlock(*kadenza::createTranslator(streamedModel), block);
            break;
        case Awaited::WriteAcknowledge:
            transfer.writeBlockOnce(*kadenza::createTranslator(addressedModel), block);
            break;
        case Awaited::Download:
            if (kadenza::runReadData(transfer, data, reporter)) {
                kadenza::fuzz::renderData(data);
            }
            break;
        case Awaited::LegacyFrame:
            if (kadenza::receiveLegacyTransfer(line, data, reporter)) {
                kadenza::fuzz::renderData(data);
            }
            break;
        case Awaited::Count:
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const auto awaited = static_cast<Awaited>(bytes[0] % static_cast<int>(Awaited::Count));
    kadenza::fuzz::ByteSourceLine line(bytes + 2, size - 2);
    receive(awaited, bytes[1], line);
    return 0;
}
