#pragma once

#include <clocale>
#include <string>

namespace kadenza::test {

// Switches the numeric locale for one test and back afterwards.
class LocaleGuard {
  public:
    explicit LocaleGuard(const char* name) : previous_(std::setlocale(LC_NUMERIC, nullptr)) {
        ok_ = std::setlocale(LC_NUMERIC, name) != nullptr;
    }
    ~LocaleGuard() { std::setlocale(LC_NUMERIC, previous_.c_str()); }
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

    bool ok() const { return ok_; }

  private:
    std::string previous_;
    bool ok_ = false;
};

// The two locales every number text is checked under, with their separators.
struct SeparatorCase {
    const char* locale;
    char separator;
};
inline const SeparatorCase pointLocale{"C", '.'};
inline const SeparatorCase commaLocale{"cs_CZ.UTF-8", ','};

// `text` written with "." as separator, turned into the given separator.
inline std::string withSeparator(std::string text, char separator) {
    for (char& c : text) {
        if (c == '.') {
            c = separator;
        }
    }
    return text;
}

}  // namespace kadenza::test
