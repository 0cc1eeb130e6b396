#include "report/SignatureFont.h"

#include "report/ReportFonts.h"

namespace kadenza {

SignatureFont::SignatureFont() : machine_(FcConfigReference(nullptr)) {
    FcConfig* reportOnly = FcConfigCreate();
    FcConfigAppFontAddFile(reportOnly, reinterpret_cast<const FcChar8*>(regularFaceFile));
    // The current configuration holds a reference of its own.
    FcConfigSetCurrent(reportOnly);
    FcConfigDestroy(reportOnly);
}

SignatureFont::~SignatureFont() {
    FcConfigSetCurrent(machine_);
    FcConfigDestroy(machine_);
}

}  // namespace kadenza
