#include "report/PageAsForm.h"

#include <regex>
#include <set>
#include <stdexcept>

namespace kadenza {

namespace {

// The page's resource dictionary, given in place or by reference.
std::string resourcesOf(const PdfFile& source, const std::string& page) {
    const int reference = referenceOf(page, "/Resources");
    if (reference >= 0) {
        return source.object(reference);
    }
    const std::size_t key = page.find("/Resources");
    const std::size_t begin = key == std::string::npos ? key : page.find("<<", key);
    if (begin == std::string::npos) {
        return "<< >>";
    }
    return streamParts(source, page.substr(begin)).dictionary;
}

// The text in which an object refers to others: a stream's dictionary, not its data.
std::string referringText(const PdfFile& source, int number) {
    return streamParts(source, source.object(number)).dictionary;
}

// Every object the text reaches, directly or through others.
std::set<int> reachedFrom(const PdfFile& source, const std::string& text) {
    std::set<int> reached;
    std::vector<int> waiting = referencesIn(text);
    while (!waiting.empty()) {
        const int number = waiting.back();
        waiting.pop_back();
        if (reached.insert(number).second) {
            for (const int next : referencesIn(referringText(source, number))) {
                waiting.push_back(next);
            }
        }
    }
    return reached;
}

std::string copied(const PdfFile& source, int number, const std::map<int, int>& numbers) {
    const std::string object = source.object(number);
    const StreamParts parts = streamParts(source, object);
    if (parts.dictionary == object) {
        return renumbered(object, numbers);
    }
    return renumbered(parts.dictionary, numbers) + "\nstream\n" + parts.data + "\nendstream";
}

std::string filterOf(const std::string& dictionary) {
    std::smatch match;
    return std::regex_search(dictionary, match, std::regex(R"(/Filter\s*(/[A-Za-z0-9]+))"))
               ? " /Filter " + match[1].str()
               : std::string();
}

}  // namespace

int addPageAsForm(PdfUpdate& update, const PdfFile& source) {
    const std::string page = source.object(source.pages().at(0));
    const int contents = referenceOf(page, "/Contents");
    const std::vector<double> box = numbersOf(page, "/MediaBox");
    if (contents < 0 || box.size() != 4) {
        throw std::runtime_error("Cannot read the signature's appearance");
    }
    const std::string resources = resourcesOf(source, page);
    std::map<int, int> numbers;
    for (const int number : reachedFrom(source, resources)) {
        numbers[number] = update.reserve();
    }
    for (const auto& [old, fresh] : numbers) {
        update.set(fresh, copied(source, old, numbers));
    }
    const StreamParts content = streamParts(source, source.object(contents));
    char bounds[128];
    std::snprintf(bounds, sizeof bounds, "[%g %g %g %g]", box[0], box[1], box[2], box[3]);
    return update.add("<< /Type /XObject /Subtype /Form /BBox " + std::string(bounds) +
                      " /Resources " + renumbered(resources, numbers) + " /Length " +
                      std::to_string(content.data.size()) + filterOf(content.dictionary) +
                      " >>\nstream\n" + content.data + "\nendstream");
}

}  // namespace kadenza
