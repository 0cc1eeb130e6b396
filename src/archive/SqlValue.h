#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kadenza {

// A file's bytes, which the engines keep apart from text (BLOB, BYTEA).
struct SqlBytes {
    std::string bytes;
};

// A statement's parameter, or a field of a result: NULL, a whole number, a real, text or bytes.
using SqlValue = std::variant<std::nullptr_t, std::int64_t, double, std::string, SqlBytes>;

// One row of a result, its fields in the order the statement names them. Reading a field as
// what it does not hold throws std::bad_variant_access: the statement and the reader disagree.
class SqlRow {
  public:
    explicit SqlRow(std::vector<SqlValue> fields) : fields_(std::move(fields)) {}

    bool isNull(std::size_t column) const;
    std::int64_t integer(std::size_t column) const;
    // A whole number is read as a real too: an engine may keep 2.0 as 2.
    double real(std::size_t column) const;
    const std::string& text(std::size_t column) const;
    const std::string& bytes(std::size_t column) const;
    std::optional<std::string> optionalText(std::size_t column) const;
    std::optional<double> optionalReal(std::size_t column) const;

  private:
    std::vector<SqlValue> fields_;
};

// An absent text or number becomes NULL.
SqlValue sqlOptional(const std::optional<std::string>& text);
SqlValue sqlOptional(const std::optional<double>& value);

}  // namespace kadenza
