#include "samples/MemoryImage.h"

#include "translators/InstrumentTranslator.h"

namespace kadenza::samples {

MemoryImage::MemoryImage() : bytes_(imageSize, 0xFF) {}

void MemoryImage::setByte(int position, int value) {
    bytes_.at(position) = static_cast<std::uint8_t>(value);
}

void MemoryImage::setWord(int position, int value) {
    setByte(position, value & 0xFF);
    setByte(position + 1, (value >> 8) & 0xFF);
}

}  // namespace kadenza::samples
