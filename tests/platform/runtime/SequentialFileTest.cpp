#include "runtime/RuntimeError.h"
#include "runtime/SequentialFile.h"

#include "support/ErrorCapture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>
#include <string>

using namespace runtime;
using testsupport::errorNumberOf;

namespace {

std::string written(auto&& writeRecords) {
    std::ostringstream out;
    RecordWriter writer(out);
    writeRecords(writer);
    return out.str();
}

} // namespace

TEST(RecordWriter, WritesFieldsByteForByte) {
    const std::string bytes = written([](RecordWriter& w) {
        w.text("frmMain_txtNumTeeth#0").text("1,5 \"x").endRecord();
        w.endRecord();
        w.number(0.5).number(-2).number(1e-5).singleNumber(0.1f).boolean(true).boolean(false).endRecord();
        w.date({2024, 3, 5}).time({7, 4, 9}).endRecord();
        w.text("").endRecord();
    });
    EXPECT_EQ(bytes, "\"frmMain_txtNumTeeth#0\",\"1,5 \"x\"\r\n"
                     "\r\n"
                     "0.5,-2,1E-05,0.1,#TRUE#,#FALSE#\r\n"
                     "#2024-03-05#,#07:04:09#\r\n"
                     "\"\"\r\n");
}

TEST(RecordWriter, RefusesInvalidDatesAndTimes) {
    std::ostringstream out;
    RecordWriter writer(out);
    EXPECT_EQ(errorNumberOf([&] { writer.date({2023, 2, 29}); }), InvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([&] { writer.time({24, 0, 0}); }), InvalidProcedureCall);
    EXPECT_EQ(out.str(), "");
    EXPECT_NO_THROW(writer.date({2024, 2, 29}));
}

TEST(RecordWriter, FailingStreamIsDeviceError) {
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    RecordWriter writer(out);
    EXPECT_EQ(errorNumberOf([&] { writer.text("lost"); }), DeviceIOError);
    EXPECT_EQ(errorNumberOf([&] { writer.endRecord(); }), DeviceIOError);
}

TEST(RecordReader, ReadsBackWhatWasWritten) {
    std::istringstream in(written([](RecordWriter& w) {
        w.text("key, with comma").text("").number(-0.25).number(1.5e20).endRecord();
        w.boolean(true).boolean(false).date({1999, 12, 31}).time({23, 59, 58}).endRecord();
        w.endRecord();
        w.text("last").endRecord();
    }));
    RecordReader reader(in);
    EXPECT_EQ(reader.readText(), "key, with comma");
    EXPECT_EQ(reader.readText(), "");
    EXPECT_EQ(reader.readNumber(), -0.25);
    EXPECT_EQ(reader.readNumber(), 1.5e20);
    EXPECT_TRUE(reader.readBoolean());
    EXPECT_EQ(reader.readText(), "False");
    EXPECT_EQ(reader.readDate(), (CalendarDate{1999, 12, 31}));
    EXPECT_EQ(reader.readTime(), (ClockTime{23, 59, 58}));
    EXPECT_EQ(reader.readText(), ""); // the empty record
    EXPECT_FALSE(reader.atEnd());
    EXPECT_EQ(reader.readText(), "last");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(errorNumberOf([&] { reader.readText(); }), InputPastEndOfFile);
}

TEST(RecordReader, EveryWrittenNumberReadsBack) {
    // 15 significant digits round the largest doubles past the double range.
    const double largest = std::numeric_limits<double>::max();
    const double values[] = {largest, -largest, std::nextafter(largest, 0.0), std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::denorm_min(), -0.0, 1e-300};
    for (const double value : values) {
        std::istringstream in(written([&](RecordWriter& w) { w.number(value).endRecord(); }));
        RecordReader reader(in);
        double read = 0.0;
        EXPECT_EQ(errorNumberOf([&] { read = reader.readNumber(); }), 0) << value;
        EXPECT_NEAR(read, value, std::fabs(value) * 1e-14) << value;
    }
}

TEST(RecordReader, FieldKindsAndTheirTexts) {
    const struct {
        const char* input;
        RecordField::Kind kind;
        const char* text;
    } cases[] = {
        {"  \"quoted\"  trailing,next", RecordField::Kind::Quoted, "quoted"},
        {"  bare text \t,next", RecordField::Kind::Bare, "bare text"},
        {"#true#", RecordField::Kind::Boolean, "True"},
        {"#NULL#", RecordField::Kind::Null, ""},
        {"#2024-01-05#", RecordField::Kind::Date, "2024-01-05"},
        {"#13:07:00#", RecordField::Kind::Time, "13:07:00"},
        {"#2024-01-05 13:07:00#", RecordField::Kind::DateAndTime, "2024-01-05 13:07:00"},
        {"#2024-13-05#", RecordField::Kind::Bare, "#2024-13-05#"},
        {"#5,next", RecordField::Kind::Bare, "#5"},
        {"#", RecordField::Kind::Bare, "#"},
        {"\"unterminated", RecordField::Kind::Quoted, "unterminated"},
        {"\"two\r\nlines\"", RecordField::Kind::Quoted, "two\r\nlines"},
        {"\"a\"\"b\"", RecordField::Kind::Quoted, "a"},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        RecordReader reader(in);
        const RecordField field = reader.readField();
        EXPECT_EQ(field.kind, c.kind) << c.input;
        EXPECT_EQ(field.text, c.text) << c.input;
    }
}

TEST(RecordReader, CommasAndLineEndsSeparateFields) {
    std::istringstream in("a,,b,\r\nc\nd\re,");
    RecordReader reader(in);
    for (const char* expected : {"a", "", "b", "", "c", "d", "e", ""})
        EXPECT_EQ(reader.readText(), expected);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(errorNumberOf([&] { reader.readText(); }), InputPastEndOfFile);
}

TEST(RecordReader, RecordCutShortAtTheEndIsInputPastEnd) {
    std::istringstream in("\"frmMain_txtFace\"\r\n");
    RecordReader reader(in);
    EXPECT_EQ(reader.readText(), "frmMain_txtFace");
    EXPECT_EQ(errorNumberOf([&] { reader.readText(); }), InputPastEndOfFile);
    std::istringstream empty("");
    RecordReader emptyReader(empty);
    EXPECT_TRUE(emptyReader.atEnd());
    EXPECT_EQ(errorNumberOf([&] { emptyReader.readLine(); }), InputPastEndOfFile);
}

TEST(RecordReader, NumbersOfFields) {
    const struct {
        const char* input;
        double value;
        int error;
    } cases[] = {
        {"12.5", 12.5, 0}, {"\"1\"", 1, 0},          {",", 0, 0},             {"#TRUE#", -1, 0},
        {"#FALSE#", 0, 0}, {" .5 ", 0.5, 0},         {"abc", 0, TypeMismatch}, {"\"\"", 0, TypeMismatch},
        {"1.5x", 0, TypeMismatch}, {"#2024-01-05#", 0, TypeMismatch}, {"1e999", 0, Overflow},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        RecordReader reader(in);
        double value = 0;
        EXPECT_EQ(errorNumberOf([&] { value = reader.readNumber(); }), c.error) << c.input;
        EXPECT_EQ(value, c.value) << c.input;
    }
}

TEST(RecordReader, BooleansOfFields) {
    const struct {
        const char* input;
        bool value;
        int error;
    } cases[] = {
        {"#TRUE#", true, 0}, {"\"true\"", true, 0}, {"False", false, 0}, {"1", true, 0},
        {"0", false, 0},     {",", false, 0},       {"yes", false, TypeMismatch}, {"#NULL#", false, TypeMismatch},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.input);
        RecordReader reader(in);
        bool value = false;
        EXPECT_EQ(errorNumberOf([&] { value = reader.readBoolean(); }), c.error) << c.input;
        EXPECT_EQ(value, c.value) << c.input;
    }
}

TEST(RecordReader, DatesAndTimesMustBeTyped) {
    std::istringstream in("#2024-01-05#,\"2024-01-05\",#2024-01-05 08:30:00#");
    RecordReader reader(in);
    EXPECT_EQ(reader.readDate(), (CalendarDate{2024, 1, 5}));
    EXPECT_EQ(errorNumberOf([&] { reader.readDate(); }), TypeMismatch);
    EXPECT_EQ(reader.readTime(), (ClockTime{8, 30, 0}));
}

TEST(RecordReader, LinesMixWithFields) {
    std::istringstream in("PinsE header 1\r\n\"quoted, kept\"\r\n\r\n0.0625,\"x\"\r\nlast line");
    RecordReader reader(in);
    EXPECT_EQ(reader.readLine(), "PinsE header 1");
    EXPECT_EQ(reader.readLine(), "\"quoted, kept\"");
    EXPECT_EQ(reader.readLine(), "");
    EXPECT_EQ(reader.readNumber(), 0.0625);
    EXPECT_EQ(reader.readText(), "x");
    EXPECT_EQ(reader.readLine(), "last line");
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(errorNumberOf([&] { reader.readLine(); }), InputPastEndOfFile);
}

TEST(RecordReader, LongInputIsReadInPieces) {
    std::string input;
    for (int i = 0; i < 20000; ++i)
        input += "\"field " + std::to_string(i) + "\"," + std::to_string(i) + "\r\n";
    std::istringstream in(input);
    RecordReader reader(in);
    for (int i = 0; i < 20000; ++i) {
        ASSERT_EQ(reader.readText(), "field " + std::to_string(i));
        ASSERT_EQ(reader.readNumber(), i);
    }
    EXPECT_TRUE(reader.atEnd());
}

TEST(RecordReader, ArbitraryBytesNeverCrashOrHang) {
    std::string input;
    unsigned state = 12345;
    for (int i = 0; i < 5000; ++i) {
        state = state * 1103515245u + 12345u;
        const char alphabet[] = {'"', ',', '#', '\r', '\n', ' ', 'a', '1', '.', '-', 'e', '\0', '\xff', ':', 'T'};
        input += alphabet[(state >> 16) % sizeof alphabet];
    }
    std::istringstream in(input);
    RecordReader reader(in);
    int fields = 0;
    while (!reader.atEnd() && fields < 10000) {
        const int error = errorNumberOf([&] { (void)reader.readNumber(); });
        EXPECT_TRUE(error == 0 || error == TypeMismatch || error == Overflow) << error;
        ++fields;
    }
    EXPECT_TRUE(reader.atEnd());
}
