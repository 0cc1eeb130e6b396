#include "archive/SqlValue.h"

namespace kadenza {

bool SqlRow::isNull(std::size_t column) const {
    return std::holds_alternative<std::nullptr_t>(fields_.at(column));
}

std::int64_t SqlRow::integer(std::size_t column) const {
    return std::get<std::int64_t>(fields_.at(column));
}

double SqlRow::real(std::size_t column) const {
    const SqlValue& field = fields_.at(column);
    if (const auto* whole = std::get_if<std::int64_t>(&field)) {
        return static_cast<double>(*whole);
    }
    return std::get<double>(field);
}

const std::string& SqlRow::text(std::size_t column) const {
    return std::get<std::string>(fields_.at(column));
}

const std::string& SqlRow::bytes(std::size_t column) const {
    return std::get<SqlBytes>(fields_.at(column)).bytes;
}

std::optional<std::string> SqlRow::optionalText(std::size_t column) const {
    if (isNull(column)) {
        return std::nullopt;
    }
    return text(column);
}

std::optional<double> SqlRow::optionalReal(std::size_t column) const {
    if (isNull(column)) {
        return std::nullopt;
    }
    return real(column);
}

SqlValue sqlOptional(const std::optional<std::string>& text) {
    if (!text) {
        return nullptr;
    }
    return *text;
}

SqlValue sqlOptional(const std::optional<double>& value) {
    if (!value) {
        return nullptr;
    }
    return *value;
}

}  // namespace kadenza
