#include "model/QuantityTable.h"

namespace kadenza {

// "\033\002" opens a subscript, "\033\003" a superscript and "\033\001" returns to normal.
// Octal escapes stop after three digits, so a letter that follows is never swallowed.
const std::array<Quantity, quantityCount> quantityTable = {{
    {"Bank", "", false},
    {"U\033\002LN\033\001", "V", true},
    {"U\033\002LPE\033\001", "V", true},
    {"Z\033\002S\033\001", "Ω", true},
    {"U\033\002IΔN\033\001", "V", true},
    {"I\033\002Δ\033\001", "A", true},
    {"t\033\002A\033\001", "s", true},
    {"R\033\002PE\033\001", "Ω", true},
    {"f", "Hz", true},
    {"I\033\002ΔN\033\001", "A", true},
    {"I", "A", true},
    {"t\033\002A 5X\033\001", "s", true},
    {"I\033\002N\033\001", "A", true},
    {"P", "W", true},
    {"S", "VA", true},
    {"R\033\002ISO\033\001", "Ω", true},
    {"t", "°C", false},
    {"n", "min.\033\003-1\033\001", false},
    {"I\033\002PE\033\001", "A", true},
    {"I\033\002F\033\001", "A", true},
    {"I\033\002D\033\001", "A", true},
    {"I\033\002Δ\033\001(340)", "A", true},
    {"U\033\002ISO\033\001", "V", true},
    {"Cos φ", "", false},
    {"U\033\002Δ\033\001", "V", true},
    {"\033\002Δ\033\001U", "V", true},
    {"I\033\002K\033\001", "A", true},
    {"U\033\0021000\033\001", "V", true},
    {"l", "m", true},
    {"U", "V", true},
    {"No.", "", false},
    {"R\033\002A\033\001", "Ω", true},
    {"ρ", "Ωm", true},
    {"Z\033\002I\033\001", "Ω", true},
}};

const Quantity& quantityFor(int code) {
    static const Quantity unknown{"?", "", false};
    if (code < 0 || code >= quantityCount) {
        return unknown;
    }
    return quantityTable[code];
}

}  // namespace kadenza
