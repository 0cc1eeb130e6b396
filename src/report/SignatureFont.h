#pragma once

#include <fontconfig/fontconfig.h>

namespace kadenza {

// Poppler draws a signature's text in the font that fontconfig finds for Helvetica, which would
// differ from machine to machine. While a SignatureFont lives, fontconfig knows one font alone,
// the report's own regular face, and finds it for any name; it gives the machine's fonts back
// after. Not for use while another thread lays out text.
class SignatureFont {
  public:
    SignatureFont();
    ~SignatureFont();
    SignatureFont(const SignatureFont&) = delete;
    SignatureFont& operator=(const SignatureFont&) = delete;

  private:
    FcConfig* machine_;
};

}  // namespace kadenza
