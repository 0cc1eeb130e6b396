#pragma once

#include <iosfwd>

namespace kadenza {

// Something that keeps itself in the native data file and writes itself as XML.
class PropertiesAbstract {
  public:
    virtual ~PropertiesAbstract() = default;

    virtual void load(std::istream& stream) = 0;
    virtual void save(std::ostream& stream) const = 0;
    virtual void writeXml(std::ostream& stream) const = 0;
};

}  // namespace kadenza
