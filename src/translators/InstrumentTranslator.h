#pragma once

#include <array>
#include <cstdint>

#include "model/InstrumentData.h"
#include "model/InstrumentSetup.h"

namespace kadenza {

// The instrument's memory as the transfer copies it: 8192 bytes in blocks of 32.
constexpr int imageSize = 8192;
constexpr int blockSize = 32;

// Turns one model's memory image into measured data, and its setup area into the setup
// model and back. One translator serves one transfer job; its image starts all 0xFF, the
// value of every byte that no block has filled.
class InstrumentTranslator {
  public:
    InstrumentTranslator();
    InstrumentTranslator(const InstrumentTranslator&) = delete;
    InstrumentTranslator& operator=(const InstrumentTranslator&) = delete;
    virtual ~InstrumentTranslator() = default;

    // Bytes of the data area (from 0) and of the setup area that follows it; multiples of 32.
    virtual int dataSize() const = 0;
    virtual int setupSize() const = 0;
    // Fills the setup with the model's factory settings.
    virtual void defaultSetup(InstrumentSetup& setup) const = 0;
    // Writes the setup's values into the setup area and seals its blocks.
    virtual void encodeSetup(const InstrumentSetup& setup) = 0;
    // Clears the setup and fills it from the setup area.
    virtual void decodeSetup(InstrumentSetup& setup) const = 0;
    // Clears the container and fills it from the data area.
    virtual void decodeData(InstrumentData& data) const;
    // The name the progress window shows while the model's memory is moved.
    virtual const char* modelName() const = 0;
    // True when every block is fetched by an addressed request, false when the data area
    // comes as a stream.
    virtual bool addressedRead() const = 0;

    // Image access. Positions outside the image read as 0xFF and are not written.
    // The byte as a signed 8-bit value.
    int byteAt(int position) const;
    void setByteAt(int position, int value);
    // The 16-bit word, low byte first, unsigned; decoders use it as signed.
    int wordAt(int position) const;
    void setWordAt(int position, int value);
    void copyOut(std::uint8_t* destination, int position, int length) const;
    void copyIn(const std::uint8_t* source, int position, int length);

  protected:
    // The common decoding frame walks record slots: a slot whose bank byte is 0xFF is empty;
    // any other slot belongs to bank (bank byte + 1) and its record adds that bank's items.
    virtual int recordSlots() const { return 0; }
    virtual int slotBankByte(int /*slot*/) const { return 0xFF; }
    virtual void decodeRecord(int /*slot*/, InstrumentBank& /*bank*/) const {}

    // The word at the position as a signed value.
    int signedWordAt(int position) const { return static_cast<std::int16_t>(wordAt(position)); }
    // Seals a setup block: the complemented FCS-16 of its bytes 0 to 29 into bytes 30, 31.
    void sealSetupBlock(int position);

  private:
    std::array<std::uint8_t, imageSize> image_;
};

// The bank with this number; when the container has none, an InstrumentBank is appended
// with its first item, the bank number.
InstrumentBank& bankFor(InstrumentData& data, int number);
// The same for banks keyed by an instrument record number: an InstrumentNumber whose first
// item carries the record number.
InstrumentBank& numberedBankFor(InstrumentData& data, int number);

// A count limited to +-limit, and whether it had to be.
struct ClampedCount {
    int count;
    bool over;
};
ClampedCount clampCount(int count, int limit);

// count x 10^powerOfTen, multiplied in extended precision as the instruments' software
// always did, so 230 x 10^-1 is exactly 23.
double scaleCount(int count, int powerOfTen);

}  // namespace kadenza
