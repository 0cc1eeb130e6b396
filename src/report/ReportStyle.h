#pragma once

#include <QColor>
#include <QFont>

namespace kadenza {

// Dots per inch of the report's page coordinates; its text is drawn as text at any of them.
constexpr int reportResolution = 600;

// Millimetres on paper in the page's coordinates.
constexpr qreal millimetres(qreal length) {
    return length / 25.4 * reportResolution;
}

// How a text of the report is set.
struct TextStyle {
    qreal pointSize;
    bool bold = false;
    bool italic = false;
    QRgb colour = 0x000000;
    Qt::Alignment alignment = Qt::AlignLeft;
};

// The report's font (reportFont: Liberation Sans, the face of the tree and of printing) in the
// style; laidOutText sets what it lacks in DejaVu Sans.
QFont styleFont(const TextStyle& style);

constexpr QRgb failureRed = 0xB00000;
constexpr QRgb quietGrey = 0x505050;

constexpr TextStyle titleStyle{18, true};
constexpr TextStyle headingStyle{12, true};
constexpr TextStyle verdictStyle{13, true};
constexpr TextStyle failedVerdictStyle{13, true, false, failureRed};
constexpr TextStyle bodyStyle{9};
constexpr TextStyle labelStyle{9, false, false, quietGrey};
constexpr TextStyle centredStyle{9, false, false, 0x000000, Qt::AlignHCenter};
constexpr TextStyle countStyle{9, false, false, 0x000000, Qt::AlignRight};
constexpr TextStyle columnNameStyle{9, true};
constexpr TextStyle failedStyle{9, true, false, failureRed};
constexpr TextStyle missingStyle{9, false, true, quietGrey};
constexpr TextStyle bankTitleStyle{10.5, true};
constexpr TextStyle bankDetailsStyle{8.5};
constexpr TextStyle draftMarkStyle{96, true, false, 0xE4E4E4, Qt::AlignHCenter};

// The lines and shades of the tables.
constexpr QRgb ruleGrey = 0x808080;
constexpr QRgb headShade = 0xE6E6E6;
constexpr QRgb titleShade = 0xF2F2F2;
constexpr qreal ruleWidth = millimetres(0.2);

}  // namespace kadenza
