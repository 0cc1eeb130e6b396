#include "model/XmlExport.h"

#include "model/OutputFile.h"

namespace kadenza {

bool exportXml(const std::string& path, const InstrumentData& data) {
    OutputFile file(path);
    return exportXmlTo(file, data);
}

bool exportXmlTo(OutputFile& file, const InstrumentData& data) {
    data.writeXml(file.stream());
    return file.commit();
}

}  // namespace kadenza
