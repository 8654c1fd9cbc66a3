#pragma once

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/runtime/runtime_error.h"
#include "platform/runtime/utf8.h"

// The tables of cases under tests/data: UTF-8 text, one row per line, fields
// separated by tabs; empty lines and lines starting with # are comments. And
// the error a step raises, which many rows expect.

using DataRow = std::vector<std::string>;

inline std::vector<DataRow> dataRows(const std::string& file)
{
    std::ifstream in(std::string(TESKORA_TEST_DATA) + "/" + file);
    if (!in)
        throw std::runtime_error("no data file " + file);
    std::vector<DataRow> rows;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        DataRow& row = rows.emplace_back();
        std::size_t start = 0;
        for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
            row.push_back(line.substr(start, tab - start));
        row.push_back(line.substr(start));  // the last field, empty after a closing tab
    }
    return rows;
}

// The name of a table's row as a test framework takes it, made of its
// description: letters and digits, words joined by "_".
inline std::string rowName(const std::string& description)
{
    std::string name;
    for (const char c : description) {
        if (std::isalnum(static_cast<unsigned char>(c)))
            name.push_back(c);
        else if (!name.empty() && name.back() != '_')
            name.push_back('_');
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name.empty() ? "_" : name;
}

// Names a test framework's rows by the description its fields give: a row
// that reads like an earlier one takes its count among them after its name.
// Each table's names (the type of describe) are remembered by row number,
// so that asking again for a row's name gives the same.
template <class Describe>
auto rowNames(Describe describe)
{
    return [describe](const auto& info) {
        static std::map<std::string, std::vector<std::size_t>> rowsNamed;
        const std::string name = rowName(describe(info.param));
        auto& rows = rowsNamed[name];
        if (std::find(rows.begin(), rows.end(), info.index) == rows.end())
            rows.push_back(info.index);
        const auto count = std::find(rows.begin(), rows.end(), info.index) - rows.begin() + 1;
        return count == 1 ? name : name + "_" + std::to_string(count);
    };
}

// The number of the run-time error a step raises, or 0.
inline int errorNumberOf(auto&& step)
{
    try {
        (void)step();
    } catch (const platform::RuntimeError& error) {
        return error.number();
    }
    return 0;
}

// A text field in UTF-16, the escapes resolved: \t, \n, \\, \uXXXX (one code
// unit, so a lone surrogate can be written) and \{N*c} for c repeated N times.
inline std::u16string dataText(const std::string& field)
{
    std::u16string out;
    for (std::size_t k = 0; k < field.size();) {
        if (field[k] == '\\' && k + 1 < field.size()) {
            const char kind = field[k + 1];
            if (kind == 'u') {
                out += static_cast<char16_t>(std::stoi(field.substr(k + 2, 4), nullptr, 16));
                k += 6;
            } else if (kind == '{') {
                const auto star = field.find('*', k);
                out.append(std::stoul(field.substr(k + 2, star - k - 2)), static_cast<char16_t>(field[star + 1]));
                k = field.find('}', star) + 1;
            } else {
                out += kind == 't' ? u'\t' : kind == 'n' ? u'\n' : static_cast<char16_t>(kind);
                k += 2;
            }
        } else {
            const auto next = field.find('\\', k + 1);
            out += platform::utf16(std::string_view(field).substr(k, next - k));
            k = next == std::string::npos ? field.size() : next;
        }
    }
    return out;
}

// A field of bytes: \xNN is a byte; \t, \r, \n and \\ as usual; everything
// else stands for itself (UTF-8). A field "@name" stands for the bytes of the
// file tests/data/name, as a program wrote it.
inline std::string dataBytes(const std::string& field)
{
    if (field.starts_with('@')) {
        std::ifstream in(std::string(TESKORA_TEST_DATA) + "/" + field.substr(1), std::ios::binary);
        if (!in)
            throw std::runtime_error("no data file " + field);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::string out;
    for (std::size_t k = 0; k < field.size(); ++k) {
        if (field[k] != '\\' || k + 1 == field.size()) {
            out += field[k];
        } else if (field[k + 1] == 'x') {
            out += static_cast<char>(std::stoi(field.substr(k + 2, 2), nullptr, 16));
            k += 3;
        } else {
            const char escaped = field[++k];
            out += escaped == 't' ? '\t' : escaped == 'r' ? '\r' : escaped == 'n' ? '\n' : escaped;
        }
    }
    return out;
}

// A number field: the nearest double, or nothing for "-". Read alike under
// every regional setting: once a QApplication has set the C library's locale
// from LC_ALL, std::stod reads "8.25" under Russian settings as 8.
inline std::optional<double> dataNumber(const std::string& field)
{
    if (field == "-")
        return std::nullopt;
    double value = 0;
    std::from_chars(field.data(), field.data() + field.size(), value);
    return value;
}
