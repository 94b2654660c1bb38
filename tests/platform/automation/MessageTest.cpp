#include "automation/Message.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

using namespace automation;
using namespace automation::protocol;

namespace {

Message roundTrip(const Message& message) {
    const std::vector<std::uint8_t> frame = encodeFrame(message);
    EXPECT_EQ(decodeFrameLength(frame.data()), frame.size() - FrameHeaderSize);
    return decodeMessage(frame.data() + FrameHeaderSize, frame.size() - FrameHeaderSize);
}

std::vector<std::uint8_t> body(const Message& message) {
    std::vector<std::uint8_t> frame = encodeFrame(message);
    frame.erase(frame.begin(), frame.begin() + FrameHeaderSize);
    return frame;
}

// The bytes with the one counted from their end replaced.
std::vector<std::uint8_t> changedFromEnd(std::vector<std::uint8_t> bytes, std::size_t fromEnd, std::uint8_t value) {
    bytes.at(bytes.size() - fromEnd) = value;
    return bytes;
}

bool malformed(const std::vector<std::uint8_t>& bytes) {
    try {
        decodeMessage(bytes.data(), bytes.size());
    } catch (const MalformedMessage&) {
        return true;
    }
    return false;
}

} // namespace

TEST(Message, EveryKindAndValueSurvivesTheTrip) {
    const Call call{7, "LoadLocals",
                    {Missing{}, std::int16_t{-32768}, std::int32_t{std::numeric_limits<std::int32_t>::min()},
                     -0.1, std::numeric_limits<double>::denorm_min(), true, false, std::string("a\0b", 3),
                     std::string()}};
    const Call back = std::get<Call>(roundTrip(call));
    EXPECT_EQ(back.id, 7u);
    EXPECT_EQ(back.member, "LoadLocals");
    EXPECT_EQ(back.arguments, call.arguments);

    const Answer answer{9, 2.5, {{0, std::int32_t{42}}, {12, std::string("x")}}};
    const Answer answered = std::get<Answer>(roundTrip(answer));
    EXPECT_EQ(answered.result, answer.result);
    EXPECT_EQ(answered.byReference, answer.byReference);

    const Hello hello = std::get<Hello>(roundTrip(Hello{Version, "{class}", "{interface}"}));
    EXPECT_EQ(hello.classId, "{class}");
    EXPECT_EQ(hello.interfaceId, "{interface}");
    EXPECT_EQ(std::get<Failure>(roundTrip(Failure{3, 462, "gone"})).description, "gone");
    EXPECT_EQ(std::get<Refusal>(roundTrip(Refusal{430, "no"})).number, 430);
}

TEST(Message, FrameLengthsOutsideTheLimitsAreRefused) {
    const std::uint8_t zero[4] = {0, 0, 0, 0};
    const std::uint8_t tooLong[4] = {0x01, 0x00, 0x10, 0x00}; // one above the maximum
    const std::uint8_t longest[4] = {0x00, 0x00, 0x10, 0x00};
    EXPECT_THROW(decodeFrameLength(zero), MalformedMessage);
    EXPECT_THROW(decodeFrameLength(tooLong), MalformedMessage);
    EXPECT_EQ(decodeFrameLength(longest), MaximumMessageSize);
}

TEST(Message, MalformedBodiesAreRefused) {
    const std::vector<std::uint8_t> call = body(Call{1, "M", {true, std::string("abc")}});
    std::vector<std::uint8_t> cut(call.begin(), call.end() - 1);
    std::vector<std::uint8_t> trailing = call;
    trailing.push_back(0);
    // From the end: 3 text bytes, 4 of its length, its tag, the boolean's byte, its tag.
    const auto badBoolean = changedFromEnd(call, 9, 2);
    const auto unknownType = changedFromEnd(call, 10, 9);
    const auto longText = changedFromEnd(call, 5, 0xff);
    std::vector<std::uint8_t> badMagic = body(Hello{Version, "c", "i"});
    badMagic[1] = 'X';
    const std::vector<std::vector<std::uint8_t>> cases{
        cut, trailing, badBoolean, unknownType, longText, badMagic, {'Z'}, {},
    };
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_TRUE(malformed(cases[i])) << "case " << i;
    EXPECT_FALSE(malformed(call));
}

TEST(Message, RandomBytesNeverDecodeToAnythingButAMessageOrARefusal) {
    std::mt19937 random(20261210);
    const std::vector<std::uint8_t> seed = body(Call{5, "Echo", {std::int16_t{1}, 2.0, std::string("xyz")}});
    for (int round = 0; round < 5000; ++round) {
        std::vector<std::uint8_t> bytes = seed;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int f = 0; f < flips; ++f)
            bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
        bytes.resize(random() % (bytes.size() + 1));
        try {
            decodeMessage(bytes.data(), bytes.size());
        } catch (const MalformedMessage&) {
        }
    }
}
