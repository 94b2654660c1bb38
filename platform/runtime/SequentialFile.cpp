#include "SequentialFile.h"

#include "NumberText.h"
#include "RuntimeError.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>

namespace runtime {

namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
           });
}

// Digits of a fixed width, e.g. the "2024" of "2024-01-05".
std::optional<int> fixedDigits(std::string_view text, std::size_t start, std::size_t width) {
    if (start + width > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t i = start; i < start + width; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

std::optional<CalendarDate> parseDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const auto year = fixedDigits(text, 0, 4), month = fixedDigits(text, 5, 2), day = fixedDigits(text, 8, 2);
    if (!year || !month || !day)
        return std::nullopt;
    const CalendarDate date{*year, *month, *day};
    return isValidDate(date) ? std::optional(date) : std::nullopt;
}

std::optional<ClockTime> parseTime(std::string_view text) {
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return std::nullopt;
    const auto hour = fixedDigits(text, 0, 2), minute = fixedDigits(text, 3, 2), second = fixedDigits(text, 6, 2);
    if (!hour || !minute || !second)
        return std::nullopt;
    const ClockTime time{*hour, *minute, *second};
    return isValidTime(time) ? std::optional(time) : std::nullopt;
}

std::string dateText(const CalendarDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string timeText(const ClockTime& time) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", time.hour, time.minute, time.second);
    return text;
}

// The content between number signs as a typed field, when it is one.
std::optional<RecordField> parseHashContent(std::string_view content) {
    RecordField field;
    if (equalsIgnoringCase(content, "TRUE") || equalsIgnoringCase(content, "FALSE")) {
        field.kind = RecordField::Kind::Boolean;
        field.boolean = equalsIgnoringCase(content, "TRUE");
        field.text = field.boolean ? "True" : "False";
        return field;
    }
    if (equalsIgnoringCase(content, "NULL")) {
        field.kind = RecordField::Kind::Null;
        return field;
    }
    if (const auto date = parseDate(content)) {
        field.kind = RecordField::Kind::Date;
        field.date = *date;
        field.text = dateText(*date);
        return field;
    }
    if (const auto time = parseTime(content)) {
        field.kind = RecordField::Kind::Time;
        field.time = *time;
        field.text = timeText(*time);
        return field;
    }
    if (content.size() == 19 && content[10] == ' ') {
        const auto date = parseDate(content.substr(0, 10));
        const auto time = parseTime(content.substr(11));
        if (date && time) {
            field.kind = RecordField::Kind::DateAndTime;
            field.date = *date;
            field.time = *time;
            field.text = dateText(*date) + " " + timeText(*time);
            return field;
        }
    }
    return std::nullopt;
}

constexpr int endOfInput = -1;

} // namespace

bool isValidDate(const CalendarDate& date) {
    if (date.year < 100 || date.year > 9999 || date.month < 1 || date.month > 12 || date.day < 1)
        return false;
    static constexpr int daysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (date.year % 4 == 0 && date.year % 100 != 0) || date.year % 400 == 0;
    const int days = daysInMonth[date.month - 1] + (date.month == 2 && leap ? 1 : 0);
    return date.day <= days;
}

bool isValidTime(const ClockTime& time) {
    return time.hour >= 0 && time.hour <= 23 && time.minute >= 0 && time.minute <= 59 && time.second >= 0 &&
           time.second <= 59;
}

// ---- RecordWriter

void RecordWriter::put(std::string_view characters) {
    out_.write(characters.data(), static_cast<std::streamsize>(characters.size()));
    if (!out_)
        raise(DeviceIOError);
}

void RecordWriter::field(std::string_view formatted) {
    if (recordHasFields_)
        put(",");
    put(formatted);
    recordHasFields_ = true;
}

RecordWriter& RecordWriter::text(std::string_view value) {
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted.append("\"").append(value).append("\"");
    field(quoted);
    return *this;
}

RecordWriter& RecordWriter::number(double value) {
    field(numberText(value));
    return *this;
}

RecordWriter& RecordWriter::singleNumber(float value) {
    field(singleText(value));
    return *this;
}

RecordWriter& RecordWriter::boolean(bool value) {
    field(value ? "#TRUE#" : "#FALSE#");
    return *this;
}

namespace {
// Built by appending: g++ 12 warns wrongly (-Wrestrict) on "#" + text + "#".
std::string hashDelimited(const std::string& text) {
    std::string delimited(1, '#');
    delimited.append(text).push_back('#');
    return delimited;
}
} // namespace

RecordWriter& RecordWriter::date(const CalendarDate& value) {
    if (!isValidDate(value))
        raise(InvalidProcedureCall);
    field(hashDelimited(dateText(value)));
    return *this;
}

RecordWriter& RecordWriter::time(const ClockTime& value) {
    if (!isValidTime(value))
        raise(InvalidProcedureCall);
    field(hashDelimited(timeText(value)));
    return *this;
}

void RecordWriter::endRecord() {
    put("\r\n");
    recordHasFields_ = false;
}

// ---- RecordReader

int RecordReader::peek(std::size_t offset) {
    while (position_ + offset >= buffer_.size()) {
        if (!in_.good()) {
            if (in_.bad())
                raise(DeviceIOError);
            return endOfInput;
        }
        if (position_ > 65536) { // drop what has been read, keep the buffer small
            buffer_.erase(0, position_);
            position_ = 0;
        }
        char chunk[4096];
        in_.read(chunk, sizeof chunk);
        if (in_.bad())
            raise(DeviceIOError);
        buffer_.append(chunk, static_cast<std::size_t>(in_.gcount()));
    }
    return static_cast<unsigned char>(buffer_[position_ + offset]);
}

void RecordReader::advance(std::size_t count) { position_ = std::min(position_ + count, buffer_.size()); }

bool RecordReader::atEnd() { return peek() == endOfInput; }

void RecordReader::skipBlanks() {
    for (int c = peek(); c == ' ' || c == '\t'; c = peek())
        advance();
}

void RecordReader::consumeDelimiter() {
    const int c = peek();
    if (c == ',') {
        advance();
        fieldAfterComma_ = true;
    } else if (c == '\r') {
        advance();
        if (peek() == '\n')
            advance();
    } else if (c == '\n') {
        advance();
    }
}

void RecordReader::skipToDelimiter() {
    for (int c = peek(); c != endOfInput && c != ',' && !isLineEnd(c); c = peek())
        advance();
    consumeDelimiter();
}

std::string RecordReader::readQuoted() {
    advance(); // opening quote
    std::string text;
    for (int c = peek(); c != endOfInput && c != '"'; c = peek()) {
        text += static_cast<char>(c);
        advance();
    }
    if (peek() == '"')
        advance();
    skipToDelimiter();
    return text;
}

std::string RecordReader::readBare() {
    std::string text;
    for (int c = peek(); c != endOfInput && c != ',' && !isLineEnd(c); c = peek()) {
        text += static_cast<char>(c);
        advance();
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    consumeDelimiter();
    return text;
}

bool RecordReader::readHashField(RecordField& field) {
    // The longest typed field is "#yyyy-mm-dd hh:mm:ss#".
    constexpr std::size_t longest = 21;
    std::string content;
    for (std::size_t offset = 1; offset < longest; ++offset) {
        const int c = peek(offset);
        if (c == endOfInput || c == ',' || isLineEnd(c))
            return false;
        if (c == '#') {
            const auto parsed = parseHashContent(content);
            if (!parsed)
                return false;
            field = *parsed;
            advance(offset + 1);
            skipToDelimiter();
            return true;
        }
        content += static_cast<char>(c);
    }
    return false;
}

RecordField RecordReader::readField() {
    skipBlanks();
    const int c = peek();
    const bool afterComma = fieldAfterComma_;
    fieldAfterComma_ = false;
    if (c == endOfInput) {
        if (afterComma)
            return {};
        raise(InputPastEndOfFile);
    }
    RecordField field;
    if (c == '"') {
        field.kind = RecordField::Kind::Quoted;
        field.text = readQuoted();
        return field;
    }
    if (c == '#' && readHashField(field))
        return field;
    field.text = readBare();
    return field;
}

std::string RecordReader::readText() { return readField().text; }

double RecordReader::readNumber() {
    const RecordField field = readField();
    switch (field.kind) {
    case RecordField::Kind::Bare:
        return field.text.empty() ? 0.0 : toNumber(field.text);
    case RecordField::Kind::Quoted:
        return toNumber(field.text);
    case RecordField::Kind::Boolean:
        return field.boolean ? -1.0 : 0.0;
    default:
        raise(TypeMismatch);
    }
}

bool RecordReader::readBoolean() {
    const RecordField field = readField();
    switch (field.kind) {
    case RecordField::Kind::Boolean:
        return field.boolean;
    case RecordField::Kind::Bare:
    case RecordField::Kind::Quoted:
        if (field.kind == RecordField::Kind::Bare && field.text.empty())
            return false;
        if (equalsIgnoringCase(field.text, "True"))
            return true;
        if (equalsIgnoringCase(field.text, "False"))
            return false;
        return toNumber(field.text) != 0.0;
    default:
        raise(TypeMismatch);
    }
}

CalendarDate RecordReader::readDate() {
    const RecordField field = readField();
    if (field.kind != RecordField::Kind::Date && field.kind != RecordField::Kind::DateAndTime)
        raise(TypeMismatch);
    return field.date;
}

ClockTime RecordReader::readTime() {
    const RecordField field = readField();
    if (field.kind != RecordField::Kind::Time && field.kind != RecordField::Kind::DateAndTime)
        raise(TypeMismatch);
    return field.time;
}

std::string RecordReader::readLine() {
    fieldAfterComma_ = false;
    if (peek() == endOfInput)
        raise(InputPastEndOfFile);
    std::string line;
    for (int c = peek(); c != endOfInput && !isLineEnd(c); c = peek()) {
        line += static_cast<char>(c);
        advance();
    }
    const int end = peek();
    advance();
    if (end == '\r' && peek() == '\n')
        advance();
    return line;
}

} // namespace runtime
