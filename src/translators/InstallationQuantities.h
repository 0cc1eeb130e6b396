#pragma once

// Quantity codes (rows of quantityTable) of the readings that the installation testers'
// records hold.
namespace kadenza::installation {

constexpr int lineVoltage = 1;              // U_LN
constexpr int protectiveVoltage = 2;        // U_LPE
constexpr int loopImpedance = 3;            // Z_S
constexpr int touchVoltage = 4;             // U_IΔN
constexpr int tripCurrent = 5;              // I_Δ
constexpr int tripTime = 6;                 // t_A
constexpr int conductorResistance = 7;      // R_PE
constexpr int frequency = 8;                // f
constexpr int conductorTestCurrent = 10;    // I, the current of an R_PE test
constexpr int tripTimeFiveTimes = 11;       // t_A 5X, tripped at five times the rated current
constexpr int insulationResistance = 15;    // R_ISO
constexpr int touchVoltageDifference = 25;  // ΔU
constexpr int shortCircuitCurrent = 26;     // I_K
constexpr int voltage = 29;                 // U
constexpr int lineImpedance = 33;           // Z_I

}  // namespace kadenza::installation
