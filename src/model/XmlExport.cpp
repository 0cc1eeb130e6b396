#include "model/XmlExport.h"

#include "model/AtomicFile.h"

namespace kadenza {

bool exportXml(const std::string& path, const InstrumentData& data) {
    AtomicFile file(path);
    data.writeXml(file.stream());
    return file.commit();
}

}  // namespace kadenza
