#include "support/SampleData.h"

#include "model/QuantityTable.h"

namespace kadenza::test {

DataBuilder& DataBuilder::bank(int number) {
    emptyBank(number);
    return item(bankNumberQuantity, number);
}

DataBuilder& DataBuilder::numbered(int number) {
    auto bank = std::make_unique<InstrumentNumber>(number);
    current_ = bank.get();
    data_->add(std::move(bank));
    return item(instrumentNumberQuantity, number);
}

DataBuilder& DataBuilder::emptyBank(int number) {
    auto bank = std::make_unique<InstrumentBank>(number);
    current_ = bank.get();
    data_->add(std::move(bank));
    return *this;
}

DataBuilder& DataBuilder::item(int symbol, double value, bool primary, bool over,
                               std::optional<std::string> note) {
    current_->add(std::make_unique<InstrumentItem>(value, symbol, std::move(note), primary, over));
    return *this;
}

std::unique_ptr<InstrumentData> DataBuilder::build() {
    current_ = nullptr;
    return std::move(data_);
}

namespace {

// Quantity codes by meaning, as the decoders use them.
enum Quantity {
    lineVoltage = 1,
    loopImpedance = 3,
    touchVoltage = 4,
    trippingCurrent = 5,
    trippingTime = 6,
    protectiveResistance = 7,
    frequency = 8,
    applianceCurrent = 12,
    activePower = 13,
    insulationResistance = 15,
    temperature = 16,
    insulationVoltage = 22,
    shortCircuitCurrent = 26,
};

}  // namespace

std::unique_ptr<InstrumentData> sampleData() {
    return DataBuilder()
        .bank(1)
        .item(lineVoltage, 230.4, true)
        .item(frequency, 50.02)
        .item(loopImpedance, 0.42, true, false, "kitchen socket <L1>")
        .item(shortCircuitCurrent, 547.6)
        .bank(2)
        .item(trippingCurrent, 0.0186, true, false, "RCD 30 mA \"AC\" & type A")
        .item(trippingTime, 0.0243)
        .item(touchVoltage, 1.3)
        .item(insulationResistance, 1.999e9, true, true, "R\033\002ISO\033\001 L-PE")
        .item(insulationVoltage, 500)
        .item(protectiveResistance, 0.086, true)
        .numbered(17)
        .item(protectiveResistance, 0.12, true, false, "drill, cable 3 m")
        .item(insulationResistance, 25e6, true)
        .item(applianceCurrent, 3.47, true)
        .item(activePower, 798)
        .item(temperature, 23.5, false, false, "workshop\nbench 2")
        .build();
}

std::unique_ptr<InstrumentData> largeData(int items) {
    DataBuilder builder;
    for (int i = 0; i < items; ++i) {
        if (i % 20 == 0) {
            builder.emptyBank(i / 20 + 1);
        }
        builder.item(
            1 + i % 33, 0.001 * (i + 1) * (i % 7 + 1), i % 4 == 0, i % 13 == 0,
            i % 3 == 0 ? std::optional<std::string>("note " + std::to_string(i)) : std::nullopt);
    }
    return builder.build();
}

}  // namespace kadenza::test
