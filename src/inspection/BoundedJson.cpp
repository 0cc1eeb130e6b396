#include "inspection/BoundedJson.h"

#include <algorithm>

namespace kadenza {

namespace {

using nlohmann::json;

// The details are two levels deep; a document nested far deeper is no details a person gave,
// and would cost stack out of all proportion to its text.
constexpr int deepestNesting = 64;

// What a value costs once built, in bytes, roughly as the JSON library and the standard
// library lay it out: the value itself (twice its 16 bytes, as a list grows by doubling), a
// container's own allocation, an object member's node with its key, a string too long to be
// kept inside the value.
constexpr std::size_t valueCost = 32;
constexpr std::size_t containerCost = 64;
constexpr std::size_t memberCost = 64;
constexpr std::size_t inlineStringLength = 15;

// A document may cost this many times its text, or this much whatever its text. Details as
// people give them cost five to seven times their text (eleven for banks with one short
// detail each, within the free part); a list of small numbers, sixteen; a text of nothing but
// empty objects, thirty-two.
constexpr std::size_t costPerByte = 8;
constexpr std::size_t freeCost = 1024 * 1024;

// Measures what a text would build without building it: how deep its values nest and what
// they would cost in memory. Stops the reading (returning false) at the first value past
// either bound.
class Bounds : public nlohmann::json_sax<json> {
  public:
    explicit Bounds(std::size_t textSize) : mostCost_(std::max(freeCost, costPerByte * textSize)) {}

    bool null() override { return value(); }
    bool boolean(bool) override { return value(); }
    bool number_integer(number_integer_t) override { return value(); }
    bool number_unsigned(number_unsigned_t) override { return value(); }
    bool number_float(number_float_t, const string_t&) override { return value(); }
    bool string(string_t& text) override { return value(heapCost(text)); }
    bool binary(binary_t& bytes) override { return value(containerCost + bytes.size()); }
    bool start_object(std::size_t) override { return open(); }
    bool key(string_t& name) override { return add(memberCost + heapCost(name)); }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

    // Why the text is out of bounds; empty when it is not.
    const std::string& problem() const { return problem_; }

  private:
    static std::size_t heapCost(const std::string& text) {
        return text.size() > inlineStringLength ? text.size() + 1 + valueCost : 0;
    }
    bool value(std::size_t extra = 0) { return add(valueCost + extra); }
    bool add(std::size_t cost) {
        cost_ += cost;
        if (cost_ > mostCost_) {
            problem_ = "the details hold too many values for their size";
            return false;
        }
        return true;
    }
    bool open() {
        if (++depth_ > deepestNesting) {
            problem_ = "the details nest deeper than " + std::to_string(deepestNesting) + " levels";
            return false;
        }
        return value(containerCost);
    }
    bool close() {
        --depth_;
        return true;
    }

    std::size_t mostCost_;
    int depth_ = 0;
    std::size_t cost_ = 0;
    std::string problem_;
};

}  // namespace

json boundedParse(const std::string& text) {
    Bounds bounds(text.size());
    json::sax_parse(text, &bounds);
    if (!bounds.problem().empty()) {
        throw std::invalid_argument(bounds.problem());
    }
    return json::parse(text);
}

}  // namespace kadenza
