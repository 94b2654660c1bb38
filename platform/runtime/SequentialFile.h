#pragma once

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

// The comma-separated record form of the program's text files (design files,
// run notes, traces, the drawing program's inputs): texts in double quotes,
// bare numbers, #TRUE# / #FALSE#, #yyyy-mm-dd# and #hh:mm:ss#, one record per
// line ended by CR LF.
namespace runtime {

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const ClockTime&, const ClockTime&) = default;
};

bool isValidDate(const CalendarDate& date);
bool isValidTime(const ClockTime& time);

// Writes records field by field:
//   RecordWriter(out).text("frmMain_txtNumTeeth#0").text("20").endRecord();
// gives "frmMain_txtNumTeeth#0","20" and CR LF. A text is written between
// quotes unchanged: a quote inside it ends the field when read back.
// A stream that fails raises DeviceIOError, so a short file never passes
// for a written one.
class RecordWriter {
public:
    explicit RecordWriter(std::ostream& out) : out_(out) {}

    RecordWriter& text(std::string_view value);
    // The general form of numberText ("0.5", "1E-05"): the same digits as
    // every other number text of the program; the reader takes ".5" too.
    RecordWriter& number(double value);
    RecordWriter& singleNumber(float value);   // up to 7 significant digits
    RecordWriter& boolean(bool value);         // #TRUE# / #FALSE#
    RecordWriter& date(const CalendarDate& value); // #yyyy-mm-dd#; InvalidProcedureCall if invalid
    RecordWriter& time(const ClockTime& value);    // #hh:mm:ss#; InvalidProcedureCall if invalid

    // Ends the record with CR LF; a record without fields is CR LF alone.
    void endRecord();

private:
    void field(std::string_view formatted);
    void put(std::string_view characters);

    std::ostream& out_;
    bool recordHasFields_ = false;
};

// One field as read, with the text a text variable would receive.
struct RecordField {
    enum class Kind { Bare, Quoted, Boolean, Date, Time, DateAndTime, Null };

    Kind kind = Kind::Bare;
    // Quoted: without its quotes; Bare: trimmed; Boolean: "True" / "False";
    // Date "yyyy-mm-dd", Time "hh:mm:ss", DateAndTime both with a blank; Null "".
    std::string text;
    bool boolean = false;
    CalendarDate date;
    ClockTime time;
};

// Reads fields back one by one, records being only a matter of line ends:
// a field ends at a comma or a line end (CR LF, LF or CR); a quoted field ends
// at the next quote, line ends included, and what follows it up to the
// delimiter is dropped; blanks before a field and after a bare one are
// dropped; a comma at the end of a line or of the file gives one empty field.
// Reading with nothing left raises InputPastEndOfFile, asking a number of a
// field that is none raises TypeMismatch; a failing stream raises
// DeviceIOError. Nothing is ever read beyond what the stream holds.
class RecordReader {
public:
    explicit RecordReader(std::istream& in) : in_(in) {}

    // Nothing left to read.
    bool atEnd();

    RecordField readField();
    // The field as a text variable receives it.
    std::string readText();
    // An empty bare field is 0, #TRUE# is -1 and #FALSE# 0; a bare or quoted
    // field must hold one number.
    double readNumber();
    // #TRUE# / #FALSE#, "True" / "False" in any case, or a number (not 0 is
    // true); an empty bare field is false.
    bool readBoolean();
    CalendarDate readDate();
    ClockTime readTime();

    // The rest of the current line, without its line end.
    std::string readLine();

private:
    int peek(std::size_t offset = 0);
    void advance(std::size_t count = 1);
    bool isLineEnd(int c) const { return c == '\r' || c == '\n'; }
    void skipBlanks();
    void consumeDelimiter();
    void skipToDelimiter();
    std::string readQuoted();
    std::string readBare();
    bool readHashField(RecordField& field);

    std::istream& in_;
    std::string buffer_;
    std::size_t position_ = 0;
    bool fieldAfterComma_ = false;
};

} // namespace runtime
