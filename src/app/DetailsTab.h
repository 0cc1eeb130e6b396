#pragma once

#include <QWidget>
#include <string>
#include <vector>

namespace kadenza {

// A detail's name and the text a window holds for it, as DetailsDocument::set takes them; an
// empty text removes the detail.
struct DetailText {
    std::string name;
    std::string value;
};

using DetailTexts = std::vector<DetailText>;

// A tab of the revision's editor.
class DetailsTab : public QWidget {
  public:
    // Every detail the tab edits, with its text as it stands.
    virtual DetailTexts texts() const = 0;
};

}  // namespace kadenza
