#pragma once

#include <QByteArray>
#include <QSizeF>
#include <QStringList>

namespace kadenza {

// A PDF of one page the size of a visible signature, in PDF points, that shows its lines in
// the report's font, the first and last small and grey, the middle one (the signer) bold, in a
// thin grey frame. Qt embeds the subset of the font that the lines use, as in the report.
QByteArray signatureAppearancePdf(const QSizeF& size, const QStringList& lines);

}  // namespace kadenza
